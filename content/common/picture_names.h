#pragma once
// Where pictures stand in the resources. A name is given to a layout only once
// its picture is drawn and embedded: until then the window or box that would
// show it loads without one.

#include <QFile>
#include <QString>

#include <cstdio>
#include <string>

namespace common::picture_names {

// ":/" + file when the program embeds that file, empty otherwise.
inline std::string ifDrawn(const std::string& file)
{
    const std::string path = ":/" + file;
    return QFile::exists(QString::fromStdString(path)) ? path : std::string();
}

inline std::string twoDigits(int n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// The files of the three shared icons.
inline const char* const kProgramIcon = "common/program.ico";
inline const char* const kExerciseIcon = "common/exercise.ico";
inline const char* const kAidIcon = "common/aid.ico";

inline std::string programIcon() { return ifDrawn(kProgramIcon); }
inline std::string exerciseIcon() { return ifDrawn(kExerciseIcon); }
inline std::string aidIcon() { return ifDrawn(kAidIcon); }

}  // namespace common::picture_names
