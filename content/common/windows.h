#pragma once
// The start window and the usage summary: the same layout in both programs but
// for their captions and the start window's size.

#include "forms/layout.h"

#include <string>
#include <vector>

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

// A program's 34 windows in order: Form1, then for n = 1 to 16 exercise page n
// (Form2n) and aid page n (Form2n+1), then Form34.
template <class ExercisePage, class AidPage>
std::vector<forms::Layout> programWindows(forms::Layout start, const ExercisePage& exercisePage,
                                          const AidPage& aidPage, forms::Layout summary)
{
    std::vector<forms::Layout> all{std::move(start)};
    for (int n = 1; n <= 16; ++n) {
        all.push_back(exercisePage(n));
        all.push_back(aidPage(n));
    }
    all.push_back(std::move(summary));
    return all;
}

}  // namespace common
