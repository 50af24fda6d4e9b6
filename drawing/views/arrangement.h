#pragma once
// The first-angle (European) arrangement: around the front view, the view from above is drawn
// below it, the view from below above it, the view from the left to its right and the view from
// the right to its left. Each shares the front view's projection lines, so that the edge of each
// view farthest from the front view is the front of the part.

#include "drawing/views/lines.h"

#include <functional>

namespace drawing::views {

// Pixels between the front view's outline and each neighbouring view's outline.
struct Gaps {
    double above = 12, below = 12, left = 12, right = 12;
};

struct Arrangement {
    Placement front;
    Placement top;     // view from above, below the front view
    Placement bottom;  // view from below, above it
    Placement left;    // view from the left, to its right
    Placement right;   // view from the right, to its left
    const Placement& of(Side side) const;
};

// The places of the four views around a front view placed at `front`; `bounds` gives each
// view's outline in its own coordinates (from the view's edges).
Arrangement firstAngle(const Placement& front, const std::function<QRectF(Side)>& bounds, const Gaps& gaps);

// The four sides drawn around the front view.
inline constexpr Side kAroundFront[4] = {Side::Bottom, Side::Right, Side::Left, Side::Top};

}  // namespace drawing::views
