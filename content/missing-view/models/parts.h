#pragma once
// The solid of every Pellmora part, and of every candidate drawing: one model per part, from
// which its four views, its front view and its perspective are all drawn.

#include "drawing/views/views.h"

namespace missing_view::models {

// The part that exercise page `page` (1 to 16) draws.
const drawing::views::Model& part(int page);
// The solid whose front view candidate drawing V<v> (1 to 24) shows: the part of the page where
// it is the missing view, or a solid of its own for the drawings that are never right.
const drawing::views::Model& candidateModel(int v);

}  // namespace missing_view::models
