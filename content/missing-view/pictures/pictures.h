#pragma once
#include "drawing/picture_set.h"

namespace missing_view {
// Problem drawings, candidate drawings and perspective drawings.
drawing::PictureSet pictures();
}  // namespace missing_view
