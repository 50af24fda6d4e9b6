#pragma once
// Rendering a sheet to an image: antialiased, deterministic, the same sheet always
// giving the same pixels.

#include "drawing/iso/sheet.h"

#include <QImage>

namespace drawing::iso {

// Faces first, then hatching, thin lines, thick lines and marks on top. Horizontal and
// vertical lines are put on the pixel grid by their width so that they come out crisp.
QImage render(const Sheet& sheet);

}  // namespace drawing::iso
