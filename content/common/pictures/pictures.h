#pragma once
#include "drawing/picture_set.h"

namespace common {
// The three shared icons (program, exercise, aid), and the program icon as PNG
// files for the desktop's icon theme: its two images, and the same pencil drawn
// at 64 and 128 pixels for the software centres.
drawing::PictureSet pictures();
}  // namespace common
