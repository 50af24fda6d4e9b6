#pragma once
// The files of the threaded-element pictures: one file per distinct image, used
// by every box that shows it.

#include "common/picture_names.h"

#include <string>

namespace threaded_elements::picture_names {

// The file shown by Picture<number> of exercise page <page>, e.g. "threaded-elements/cap-screw.jpg";
// empty for a box that the page does not have.
std::string boxFile(int page, int number);

// The same, as a resource path.
inline std::string box(int page, int number)
{
    const std::string file = boxFile(page, number);
    return file.empty() ? file : common::picture_names::resource(file);
}

}  // namespace threaded_elements::picture_names
