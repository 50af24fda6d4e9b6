#pragma once
// The start window and the usage summary: the same layout in both programs but
// for their captions and the start window's size.

#include "forms/layout.h"

#include <string>

namespace common {

struct StartWindowText {
    std::string caption;
    forms::Twips clientWidth, clientHeight;
    std::string instruction;         // Label2
    forms::Twips instructionWidth;   // Label2 reaches 15 twips beyond the right edge
};
forms::Layout startWindow(const StartWindowText& text);

// Form34: Check16 ... Check1, then the heading Label1.
forms::Layout usageSummary(std::string caption, std::string heading);

}  // namespace common
