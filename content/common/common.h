#pragma once
// What both programs share: the result message, the start window's subtitle,
// the three icons.

#include "quiz/project.h"

#include <string>

namespace common {

quiz::ResultTexts resultTexts();

// "Représentation du réel." followed by one blank and the credit line.
std::string subtitle();

// Resource paths of the shared icons; empty while no icon is drawn.
std::string programIcon();
std::string exerciseIcon();
std::string aidIcon();

}  // namespace common
