#pragma once
// Where the shared icons stand in the resources. An empty name means that the
// icon is not drawn yet, and the windows that would carry it load without one.

#include <string>

namespace common::picture_names {

inline std::string programIcon() { return {}; }
inline std::string exerciseIcon() { return {}; }
inline std::string aidIcon() { return {}; }

}  // namespace common::picture_names
