#pragma once
// Layout records: one window record and its control records in stored order.
// Every position and size is in twips; the forms layer turns them into pixels
// at 15 twips to the pixel when it loads a window.

#include <optional>
#include <string>
#include <vector>

namespace forms {

using Twips = int;
constexpr int kTwipsPerPixel = 15;

enum class Kind { CommandButton, OptionButton, CheckBox, PictureBox, Label, Line };
enum class Border { FixedDialog = 3, FixedToolWindow = 4 };
enum class Alignment { Left = 0, Centre = 2 };

// Every font of both programs is regular, Western: only face and size vary.
struct Font {
    std::string face;
    double points = 8.25;
};

struct Rect {
    Twips left = 0, top = 0, width = 0, height = 0;
};

struct ControlRecord {
    std::string name;
    Kind kind = Kind::Label;
    std::string caption;
    Rect rect;                        // all kinds but Line
    Twips x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line only
    int tabIndex = -1;                // -1: a line, which has none
    std::optional<Font> font;         // none: the window's font
    Alignment alignment = Alignment::Left;
    bool highlight = false;           // text in the system colour Highlight
    std::string picture;              // resource path of a picture box's image
};

struct WindowRecord {
    std::string name;
    std::string caption;
    Twips clientWidth = 0, clientHeight = 0;
    Border border = Border::FixedDialog;
    std::string picture;  // background picture, drawn unscaled from the top-left corner
    std::string icon;     // empty: no icon
    std::optional<Font> font;  // none: the default font
};

struct Layout {
    WindowRecord window;
    std::vector<ControlRecord> controls;  // stored order: control id = index + 1
};

// The default font of a window that sets none.
Font defaultFont();

// Builders that read like the layout tables.
ControlRecord commandButton(std::string name, std::string caption, Rect r, int tabIndex, Font font);
ControlRecord optionButton(std::string name, std::string caption, Rect r, int tabIndex);
ControlRecord checkBox(std::string name, std::string caption, Rect r, int tabIndex);
ControlRecord pictureBox(std::string name, Rect r, int tabIndex, std::string picture);
ControlRecord label(std::string name, std::string caption, Rect r, int tabIndex, Font font,
                    Alignment alignment = Alignment::Left);
ControlRecord line(std::string name, Twips x1, Twips y1, Twips x2, Twips y2);

// The record of the named control, or nullptr.
const ControlRecord* findControl(const Layout& layout, std::string_view name);

}  // namespace forms
