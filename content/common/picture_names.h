#pragma once
// Where pictures stand in the resources. Every picture is drawn when the program
// builds and embedded in it; a name whose file is missing makes the load of its
// window fail with the run-time error report, never a blank.

#include <cstdio>
#include <string>

namespace common::picture_names {

// The resource path of an embedded file.
inline std::string resource(const std::string& file) { return ":/" + file; }

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

inline std::string programIcon() { return resource(kProgramIcon); }
inline std::string exerciseIcon() { return resource(kExerciseIcon); }
inline std::string aidIcon() { return resource(kAidIcon); }

}  // namespace common::picture_names
