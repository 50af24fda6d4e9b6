#include "common/windows.h"

#include "common/common.h"

namespace common {

using namespace forms;

Layout startWindow(const StartWindowText& text)
{
    Layout l;
    l.window = {"Form1", text.caption, text.clientWidth, text.clientHeight, Border::FixedDialog, "", programIcon(),
                Font{"Comic Sans MS", 8.25}};
    //                              caption                left  top   width                height  tab
    l.controls.push_back(commandButton("Command1", "Débuter", {1440, 1200, 1695, 495}, 0, {"Comic Sans MS", 9}));
    l.controls.push_back(label("Label2", text.instruction, {0, 0, text.instructionWidth, 2055}, 2,
                               {"Comic Sans MS", 9.75}, Alignment::Centre));
    l.controls.back().highlight = true;
    l.controls.push_back(label("Label1", subtitle(), {1560, 2160, 3015, 255}, 1, {"MS Sans Serif", 8.25}));
    return l;
}

Layout usageSummary(std::string caption, std::string heading)
{
    Layout l;
    l.window = {"Form34", std::move(caption), 3990, 6495, Border::FixedToolWindow, "", "", std::nullopt};
    for (int n = 16; n >= 1; --n)
        l.controls.push_back(checkBox("Check" + std::to_string(n), "Exercice " + std::to_string(n),
                                      {1080, 600 + 360 * (n - 1), 1815, 375}, n - 1));
    l.controls.push_back(label("Label1", std::move(heading), {0, 120, 3975, 375}, 16, {"Comic Sans MS", 8.25}));
    return l;
}

}  // namespace common
