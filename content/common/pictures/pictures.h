#pragma once
#include "drawing/picture_set.h"

namespace common {
// The three shared icons.
drawing::PictureSet pictures();
}  // namespace common
