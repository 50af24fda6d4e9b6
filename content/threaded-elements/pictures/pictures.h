#pragma once
#include "drawing/picture_set.h"

namespace threaded_elements {
// Every picture of the threaded-element pages: the line drawings and the shaded renderings.
drawing::PictureSet pictures();
drawing::PictureSet lineDrawings();     // line_drawings.cpp
drawing::PictureSet shadedPictures();   // shaded_pictures.cpp
}  // namespace threaded_elements
