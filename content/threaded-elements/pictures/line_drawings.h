#pragma once
// The line drawings of the threaded-element pages, as sheets of primitives before they
// are rendered, so that tests can check each drawing rule on the geometry itself.

#include "drawing/iso/sheet.h"

#include <string>
#include <vector>

namespace threaded_elements::line_drawings {

// The file stems, e.g. "nut-end-outer-three-quarter" for threaded-elements/nut-end-outer-three-quarter.jpg.
std::vector<std::string> stems();

// The sheet of one drawing; throws std::out_of_range for a stem that is not a line drawing.
drawing::iso::Sheet sheet(const std::string& stem);

}  // namespace threaded_elements::line_drawings
