#include "forms/layout.h"

#include <utility>

namespace forms {

Font defaultFont() { return {"MS Sans Serif", 8.25}; }

ControlRecord commandButton(std::string name, std::string caption, Rect r, int tabIndex, Font font)
{
    ControlRecord c;
    c.name = std::move(name);
    c.kind = Kind::CommandButton;
    c.caption = std::move(caption);
    c.rect = r;
    c.tabIndex = tabIndex;
    c.font = std::move(font);
    return c;
}

ControlRecord optionButton(std::string name, std::string caption, Rect r, int tabIndex)
{
    ControlRecord c;
    c.name = std::move(name);
    c.kind = Kind::OptionButton;
    c.caption = std::move(caption);
    c.rect = r;
    c.tabIndex = tabIndex;
    return c;
}

ControlRecord checkBox(std::string name, std::string caption, Rect r, int tabIndex)
{
    ControlRecord c = optionButton(std::move(name), std::move(caption), r, tabIndex);
    c.kind = Kind::CheckBox;
    return c;
}

ControlRecord pictureBox(std::string name, Rect r, int tabIndex, std::string picture)
{
    ControlRecord c;
    c.name = std::move(name);
    c.kind = Kind::PictureBox;
    c.rect = r;
    c.tabIndex = tabIndex;
    c.picture = std::move(picture);
    return c;
}

ControlRecord label(std::string name, std::string caption, Rect r, int tabIndex, Font font,
                    Alignment alignment)
{
    ControlRecord c;
    c.name = std::move(name);
    c.kind = Kind::Label;
    c.caption = std::move(caption);
    c.rect = r;
    c.tabIndex = tabIndex;
    c.font = std::move(font);
    c.alignment = alignment;
    return c;
}

ControlRecord line(std::string name, Twips x1, Twips y1, Twips x2, Twips y2)
{
    ControlRecord c;
    c.name = std::move(name);
    c.kind = Kind::Line;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    return c;
}

const ControlRecord* findControl(const Layout& layout, std::string_view name)
{
    for (const auto& c : layout.controls)
        if (c.name == name)
            return &c;
    return nullptr;
}

}  // namespace forms
