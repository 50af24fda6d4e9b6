#pragma once
// The result message as a student reads it, for the grade tables of both programs.

#include "forms/runtime.h"
#include "quiz/number.h"

#include <QString>

namespace testing_support {

inline const char* const kBelow10 = "/20 Réessaye, tu dois pouvoir faire mieux !";
inline const char* const kPerfect = "/20 Parfait c'est un sans fautes !";
inline const char* const kAbove15 = "/20 Très bon travail.";
inline const char* const kMiddle = "/20 Bon travail mais peux tu faire mieux ? Réssaye pour le savoir.";

// The text of the result message for a grade written as under French settings ("19,25"),
// printed with the decimal separator of the settings the test runs under.
inline QString resultText(const char* frenchGrade, const char* comment)
{
    QString grade = QString::fromUtf8(frenchGrade);
    grade.replace(QLatin1Char(','), quiz::systemDecimalSeparator());
    return QStringLiteral("Note : ") + grade + QString::fromUtf8(comment);
}

// Only a grade below 10 takes the critical icon.
inline forms::MessageStyle resultStyle(const char* comment)
{
    return comment == kBelow10 ? forms::MessageStyle::Critical : forms::MessageStyle::Information;
}

}  // namespace testing_support
