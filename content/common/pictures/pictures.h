#pragma once
#include "drawing/picture_set.h"

namespace common {
// The three shared icons (program, exercise, aid) and the program icon's two
// images as PNG files for the desktop's icon theme.
drawing::PictureSet pictures();
}  // namespace common
