#pragma once
// The files of the missing-view pictures.

#include "common/picture_names.h"

#include <string>

namespace missing_view::picture_names {

using common::picture_names::twoDigits;

inline std::string problemDrawingFile(int page) { return "missing-view/problem-" + twoDigits(page) + ".jpg"; }
inline std::string candidateFile(int v) { return "missing-view/V" + twoDigits(v) + ".jpg"; }
inline std::string perspectiveFile(int n) { return "missing-view/perspective-" + twoDigits(n) + ".jpg"; }

inline std::string problemDrawing(int page) { return common::picture_names::resource(problemDrawingFile(page)); }
inline std::string candidate(int v) { return common::picture_names::resource(candidateFile(v)); }
inline std::string perspective(int n) { return common::picture_names::resource(perspectiveFile(n)); }

}  // namespace missing_view::picture_names
