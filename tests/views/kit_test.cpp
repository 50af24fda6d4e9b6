// The line-view kit on solids whose views every draughtsman knows by heart.
#include "drawing/views/arrangement.h"
#include "drawing/views/lines.h"
#include "drawing/views/polyhedron.h"
#include "drawing/views/views.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using namespace drawing::views;

LineSet rectangle(QRectF r)
{
    return {{{r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(), r.topLeft()}}};
}

LineSet circle(QPointF c, double radius)
{
    Polyline p;
    for (int i = 0; i <= 360; ++i)
        p.push_back(c + QPointF(std::cos(i * std::numbers::pi / 180), std::sin(i * std::numbers::pi / 180)) * radius);
    return {{p}};
}

// The distinct straight lines that carry the segments of a line set.
int supportingLines(const LineSet& set)
{
    std::vector<QLineF> found;
    for (const Polyline& l : set.lines)
        for (std::size_t i = 1; i < l.size(); ++i) {
            const QLineF s(l[i - 1], l[i]);
            if (s.length() < 1e-6)
                continue;
            const bool known = std::any_of(found.begin(), found.end(), [&](const QLineF& f) {
                const QPointF n = QPointF(-f.dy(), f.dx()) / f.length();
                return std::abs(QPointF::dotProduct(s.p1() - f.p1(), n)) < 1e-6 &&
                       std::abs(QPointF::dotProduct(s.p2() - f.p1(), n)) < 1e-6;
            });
            if (!known)
                found.push_back(s);
        }
    return int(found.size());
}

// The box 40 wide, 30 deep, 20 high; each principal view is one rectangle.
TEST(LineViews, BoxShowsFourEdgesInEveryView)
{
    const Model box(Solid::box({0, 0, 0}, {40, 30, 20}));
    for (Side side : {Side::Front, Side::Top, Side::Bottom, Side::Left, Side::Right, Side::Back}) {
        const LineSet lines = box.view(side).edges;
        const Direction d = direction(side);
        const auto span = [](Vec3 axis) {
            const double a = dot(axis, {40, 30, 20});
            return std::pair{std::min(0.0, a), std::max(0.0, a)};
        };
        const auto [u0, u1] = span(d.right);
        const auto [v0, v1] = span(d.up);
        SCOPED_TRACE(int(side));
        EXPECT_EQ(supportingLines(lines), 4);
        EXPECT_LT(mismatch(lines, rectangle(QRectF(QPointF(u0, v0), QPointF(u1, v1)))), 1e-4);
    }
}

// A plate 60 x 10 x 50 pierced along y by a hole of radius 12 at its middle.
Solid piercedPlate()
{
    return Solid::box({0, 0, 0}, {60, 10, 50}) -
           Solid::cylinder({{30, -5, 25}, {0, 1, 0}, 12, 20}, Tone::Machined);
}

TEST(LineViews, HoleAlongTheViewIsACircleAndAcrossItIsHidden)
{
    const Model plate(piercedPlate());
    LineSet expected = rectangle({0, 0, 60, 50});
    const LineSet hole = circle({30, 25}, 12);
    expected.lines.push_back(hole.lines.front());
    EXPECT_LT(mismatch(plate.view(Side::Front).edges, expected), 2e-3);
    // From above and from the side the hole runs inside the plate: nothing of it is drawn.
    EXPECT_LT(mismatch(plate.view(Side::Top).edges, rectangle({0, 0, 60, 10})), 1e-4);
    EXPECT_LT(mismatch(plate.view(Side::Left).edges, rectangle({-10, 0, 10, 50})), 1e-4);
    EXPECT_EQ(supportingLines(plate.view(Side::Top).edges), 4);
}

TEST(LineViews, CylinderSeenFromTheSideShowsItsOutlineAndEndOnItsRim)
{
    const Model bar(Solid::cylinder({{0, 0, 0}, {0, 0, 1}, 15, 70}));
    EXPECT_LT(mismatch(bar.view(Side::Front).edges, rectangle({-15, 0, 30, 70})), 1e-4);
    EXPECT_LT(mismatch(bar.view(Side::Right).edges, rectangle({-15, 0, 30, 70})), 1e-4);
    EXPECT_LT(mismatch(bar.view(Side::Top).edges, circle({0, 0}, 15)), 2e-3);
    // A bore's outline lies behind the wall around it.
    const Model tube(Solid::cylinder({{0, 0, 0}, {0, 0, 1}, 15, 70}) -
                     Solid::cylinder({{0, 0, -1}, {0, 0, 1}, 8, 72}, Tone::Machined));
    EXPECT_LT(mismatch(tube.view(Side::Front).edges, rectangle({-15, 0, 30, 70})), 1e-4);
}

// Lines are found by sampling; halving the spacing must not change what is drawn.
TEST(LineViews, VisibleLengthHoldsWhenTheSamplingDoubles)
{
    const Solid wedge = Solid::prismY({{0, 0}, {100, 0}, {0, 90}}, 0, 100) -
                        Solid::cylinder({{50, 50, -10}, {0, 0, 1}, 20, 120}, Tone::Machined);
    const Model coarse(wedge, {}, 0.2), fine(wedge, {}, 0.1);
    for (Side side : {Side::Front, Side::Top, Side::Bottom, Side::Left, Side::Right}) {
        const double a = coarse.view(side).edges.length(), b = fine.view(side).edges.length();
        SCOPED_TRACE(int(side));
        EXPECT_GT(a, 300);
        EXPECT_NEAR(a, b, 1e-3 * b);
    }
}

TEST(LineViews, CentreLinesShowWhereTheirAxisDoesNotShrinkToAPoint)
{
    const Model bar(Solid::cylinder({{0, 0, 0}, {0, 0, 1}, 15, 70}),
                    {{{0, 0, -5}, {0, 0, 75}}, {{-20, 0, 0}, {20, 0, 0}, kAlongZ}});
    EXPECT_EQ(bar.view(Side::Front).centreLines.size(), 1u);  // the axis; the arm is for end views only
    EXPECT_EQ(bar.view(Side::Top).centreLines.size(), 1u);    // the arm; the axis is a point
}

// Facets of a cube with a corner cut out: the cut replaces three squares by three, so the area holds.
TEST(Tessellation, KeepsTheAreaOfACubeWithACornerNotch)
{
    const Solid notched = Solid::box({0, 0, 0}, {2, 2, 2}) - Solid::box({1, -1, 1}, {3, 1, 3});
    double area = 0;
    for (const Facet& f : tessellate(notched))
        for (std::size_t k = 1; k + 1 < f.points.size(); ++k)
            area += length(cross(f.points[k] - f.points[0], f.points[k + 1] - f.points[0])) / 2;
    EXPECT_NEAR(area, 24, 1e-9);
}

// A visible edge has one weight wherever it falls on the pixels: a level or upright one covers
// exactly two whole rows or columns, closing the corners it meets; a sloped one carries the same
// ink across it, smoothed.
TEST(EdgeWeight, TwoWholePixelsWhereverTheEdgeFalls)
{
    const View square{rectangle({0, 0, 20, 20}), {}};
    for (const double offset : {0.0, 0.25, 0.5, 0.75, 0.9}) {
        SCOPED_TRACE(offset);
        Ink ink(QSize(40, 40));
        drawView(ink, square, Placement{1, {10 + offset, 30 + offset}});
        const auto ink01 = [&](int x, int y) { return ink.cover(x, y) == 1.0f ? 1 : ink.cover(x, y) == 0.0f ? 0 : -1; };
        int across = 0, up = 0;
        for (int y = 0; y < 40; ++y)
            across += ink01(20, y);
        for (int x = 0; x < 40; ++x)
            up += ink01(x, 20);
        EXPECT_EQ(across, 4);  // the top and bottom edges, two full rows each, nothing half-covered
        EXPECT_EQ(up, 4);
        // The corner is square: the pixel beside both edges' ends is covered.
        const int left = int(std::lround(10 + offset)) - 1, top = int(std::lround(10 + offset)) - 1;
        EXPECT_EQ(ink01(left, top), 1);
        EXPECT_EQ(ink01(left - 1, top), 0);
        EXPECT_EQ(ink01(left, top - 1), 0);
    }
    // A sloped edge: the ink summed along a column across it, times the cosine of its slope.
    const View slope{{{{{0, 0}, {30, 12}}}}, {}};
    Ink ink(QSize(40, 40));
    drawView(ink, slope, Placement{1, {5.3, 30.6}});
    const double cosine = 30 / std::hypot(30.0, 12.0);
    for (int x = 12; x <= 28; x += 4) {
        double sum = 0;
        for (int y = 0; y < 40; ++y)
            sum += ink.cover(x, y);
        EXPECT_NEAR(sum * cosine, Pens{}.edge, 0.1) << x;
    }
}

TEST(FirstAngle, ViewsShareTheFrontViewsProjectionLines)
{
    const Model block(Solid::box({0, 0, 0}, {40, 30, 20}));
    const Placement front{2, {100, 200}};
    const Arrangement a = firstAngle(front, [&](Side s) { return block.view(s).edges.bounds(); }, {5, 6, 7, 8});
    const QRectF f = front.map(block.view(Side::Front).edges.bounds());
    const QRectF top = a.top.map(block.view(Side::Top).edges.bounds());
    const QRectF bottom = a.bottom.map(block.view(Side::Bottom).edges.bounds());
    const QRectF fromLeft = a.left.map(block.view(Side::Left).edges.bounds());
    const QRectF fromRight = a.right.map(block.view(Side::Right).edges.bounds());
    EXPECT_DOUBLE_EQ(top.top(), f.bottom() + 6);  // from above: below
    EXPECT_DOUBLE_EQ(bottom.bottom(), f.top() - 5);  // from below: above
    EXPECT_DOUBLE_EQ(fromLeft.left(), f.right() + 8);  // from the left: to the right
    EXPECT_DOUBLE_EQ(fromRight.right(), f.left() - 7);  // from the right: to the left
    EXPECT_DOUBLE_EQ(top.left(), f.left());
    EXPECT_DOUBLE_EQ(bottom.width(), f.width());
    EXPECT_DOUBLE_EQ(fromLeft.top(), f.top());
    EXPECT_DOUBLE_EQ(fromRight.height(), f.height());
    // The front of the part is the edge farthest from the front view.
    EXPECT_DOUBLE_EQ(a.top.map({0, 0}).y(), top.bottom());
    EXPECT_DOUBLE_EQ(a.bottom.map({0, 0}).y(), bottom.top());
    EXPECT_DOUBLE_EQ(a.left.map({0, 0}).x(), fromLeft.right());
    EXPECT_DOUBLE_EQ(a.right.map({0, 0}).x(), fromRight.left());
}

}  // namespace
