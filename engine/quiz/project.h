#pragma once
// What a program hands the engine: its 34 layouts, its answer key and the texts
// of its result message. The engine holds no text of either program.

#include "forms/layout.h"
#include "quiz/number.h"

#include <QString>

#include <array>
#include <vector>

namespace quiz {

constexpr int kExercises = 16;
constexpr int kWindows = 34;
constexpr int kSummaryWindow = 34;

constexpr int exercisePage(int n) { return 2 * n; }
constexpr int aidPage(int n) { return 2 * n + 1; }

struct AnswerKeyEntry {
    int correctOption;  // 1, 2 or 3: Option1, Option2, Option3
    int weight;         // whole points earned by the correct option
    Number penalty;     // points lost when the usage mark is ticked
};

using AnswerKey = std::array<AnswerKeyEntry, kExercises>;  // exercise n at index n-1

struct ResultTexts {
    QString title;                    // of the message box
    QString prefix;                   // before the grade
    std::array<QString, 4> comments;  // below 10, exactly 20, above 15, otherwise
};

struct Project {
    QString name;                       // the program's name
    std::vector<forms::Layout> layouts; // Form1 ... Form34
    AnswerKey answerKey;
    ResultTexts result;
};

}  // namespace quiz
