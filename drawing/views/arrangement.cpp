#include "drawing/views/arrangement.h"

namespace drawing::views {

const Placement& Arrangement::of(Side side) const
{
    switch (side) {
    case Side::Top: return top;
    case Side::Bottom: return bottom;
    case Side::Left: return left;
    case Side::Right: return right;
    default: return front;
    }
}

Arrangement firstAngle(const Placement& front, const std::function<QRectF(Side)>& bounds, const Gaps& gaps)
{
    const double s = front.scale;
    const QRectF f = front.map(bounds(Side::Front));  // pixels
    Arrangement a;
    a.front = front;
    // Above and below share the front view's x; left and right share its y. Each free offset puts
    // the view's near edge (the back of the part) its gap away from the front view.
    const QRectF top = bounds(Side::Top), bottom = bounds(Side::Bottom);
    const QRectF left = bounds(Side::Left), right = bounds(Side::Right);
    a.top = {s, {front.origin.x(), f.bottom() + gaps.below + s * top.bottom()}};
    a.bottom = {s, {front.origin.x(), f.top() - gaps.above + s * bottom.top()}};
    a.left = {s, {f.right() + gaps.right - s * left.left(), front.origin.y()}};
    a.right = {s, {f.left() - gaps.left - s * right.right(), front.origin.y()}};
    return a;
}

}  // namespace drawing::views
