// Every view of every part reads as its page describes it. Each description is written
// here as a sketch in the view's own frame (0 to 1 across its outline, y upwards) and the
// view's visible edges must trace it and nothing else.

#include "missing-view/models/parts.h"

#include "drawing/views/lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

namespace {

using namespace drawing::views;
using missing_view::models::candidateModel;
using missing_view::models::part;

enum class Shape { Square, Wide, Tall, Any };

// box | v X | h Y | l x0 y0 x1 y1 | p x y x y ... (closed) | o cx cy rx ry | a cx cy rx ry from to (degrees)
LineSet sketch(const std::string& text)
{
    LineSet out;
    std::stringstream all(text);
    std::string item;
    while (std::getline(all, item, '|')) {
        std::stringstream in(item);
        std::string kind;
        in >> kind;
        std::vector<double> n;
        for (double v; in >> v;)
            n.push_back(v);
        if (kind == "box")
            out.lines.push_back({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
        else if (kind == "v")
            out.lines.push_back({{n[0], 0}, {n[0], 1}});
        else if (kind == "h")
            out.lines.push_back({{0, n[0]}, {1, n[0]}});
        else if (kind == "l")
            out.lines.push_back({{n[0], n[1]}, {n[2], n[3]}});
        else if (kind == "p") {
            Polyline p;
            for (std::size_t i = 0; i + 1 < n.size(); i += 2)
                p.emplace_back(n[i], n[i + 1]);
            p.push_back(p.front());
            out.lines.push_back(p);
        } else if (kind == "o" || kind == "a") {
            const double from = kind == "o" ? 0 : n[4], to = kind == "o" ? 360 : n[5];
            Polyline p;
            for (double d = from; d <= to + 1e-9; d += 2)
                p.emplace_back(n[0] + n[2] * std::cos(d * std::numbers::pi / 180), n[1] + n[3] * std::sin(d * std::numbers::pi / 180));
            out.lines.push_back(p);
        } else {
            ADD_FAILURE() << "unknown sketch item " << kind;
        }
    }
    return out;
}

// The edges in the frame of their own outline.
LineSet inOwnFrame(const LineSet& edges)
{
    const QRectF r = edges.bounds();
    LineSet out;
    for (const Polyline& l : edges.lines) {
        Polyline p;
        for (const QPointF& q : l)
            p.emplace_back((q.x() - r.left()) / r.width(), (q.y() - r.top()) / r.height());
        out.lines.push_back(p);
    }
    return out;
}

void expectReads(const View& view, Shape shape, const std::string& text)
{
    const QRectF r = view.edges.bounds();
    const double aspect = r.width() / r.height();
    switch (shape) {
    case Shape::Square: EXPECT_NEAR(aspect, 1, 0.2) << "a square"; break;
    case Shape::Wide: EXPECT_GT(aspect, 1.15) << "wider than high"; break;
    case Shape::Tall: EXPECT_LT(aspect, 0.87) << "higher than wide"; break;
    case Shape::Any: break;
    }
    const LineSet drawn = inOwnFrame(view.edges), expected = sketch(text);
    double worst = 0;
    for (const QPointF& p : samples(drawn, 0.005))
        worst = std::max(worst, distanceToLines(p, expected));
    for (const QPointF& p : samples(expected, 0.005))
        worst = std::max(worst, distanceToLines(p, drawn));
    EXPECT_LT(worst, 0.02) << text;
}

// A prefix and a number. Appended, not written `"V" + std::to_string(v)`: once GCC 12
// at -O3 has inlined that operator+ (an insert at the front of the number's string)
// for the table's small numbers, it reports a memcpy whose ranges may overlap, a
// -Wrestrict false positive.
std::string testName(const char* prefix, int number)
{
    std::string name = prefix;
    name += std::to_string(number);
    return name;
}

struct Described {
    int page;
    Shape front, above, left, right, below;  // the view on each side of the blank, and the missing one
    const char *frontSketch, *aboveSketch, *leftSketch, *rightSketch, *belowSketch;
};

using S = Shape;
const Described kPages[] = {
    {1, S::Square, S::Square, S::Square, S::Square, S::Square, "l 0 0 0 1|l 0 1 .5 1|l .5 1 1 0|l 1 0 0 0", "box", "box", "box", "box|v .5"},
    {2, S::Square, S::Square, S::Square, S::Square, S::Square, "p 0 0 1 0 1 .3333 .25 .3333 .25 .6667 .5 .6667 .5 1 0 1", "box",
     "box|h .3333|h .6667", "box", "box|v .5"},
    {3, S::Square, S::Square, S::Square, S::Square, S::Square, "p 0 0 1 0 1 .2 .5 .2 .5 .8 1 .8 1 1 0 1", "box", "box|h .2|h .8",
     "box", "box"},
    {4, S::Square, S::Square, S::Square, S::Square, S::Square, "p 0 0 1 0 1 .2 .4 .5 1 .8 1 1 0 1", "box", "box|h .2|h .5|h .8",
     "box", "box"},
    {5, S::Square, S::Square, S::Square, S::Square, S::Square, "p 0 0 1 .5 0 1", "box", "box|h .5", "box", "box"},
    {6, S::Square, S::Square, S::Square, S::Square, S::Square, "p 0 0 .5 0 1 1 .5 .3333 0 1", "box|v .5", "box", "box", "box|v .5"},
    {7, S::Square, S::Square, S::Square, S::Square, S::Square, "p 0 0 1 0 1 1 .5 .4 0 1", "box", "box", "box", "box|v .5"},
    {8, S::Square, S::Square, S::Square, S::Square, S::Square, "box|l .5 1 .5 .5|l .5 .5 1 .5", "box", "box|l .5 1 .5 .5|l 0 .5 .5 .5",
     "box", "box|l .5 0 .5 .5|l .5 .5 1 .5"},
    {9, S::Square, S::Square, S::Square, S::Square, S::Square, "p 0 0 1 0 .8 .2 .8 1 .2 1 .2 .8 0 1|l .2 .8 .8 .2", "box",
     "box|l .2 1 .2 .2|l .2 .2 .8 .2|l .8 .2 .8 1", "box", "box|p .2 .2 .8 .2 .8 .8 .2 .8"},
    {10, S::Square, S::Square, S::Square, S::Square, S::Square, "p 0 0 1 0 0 1", "box|o .5 .5 .2 .2", "box|o .5 .5 .2 .2", "box",
     "box|o .5 .5 .2 .2"},
    {11, S::Square, S::Square, S::Square, S::Square, S::Square, "o .5 .5 .5 .5", "p 0 0 1 0 0 1",
     "o .5 .5 .5 .5|l .5 1 1 1|l .5 0 1 0|l 1 0 1 1", "l 0 0 0 1|l 0 1 .5 1|l 0 0 .5 0|a .5 .5 .5 .5 -90 90", "p 0 0 0 1 1 1"},
    {12, S::Wide, S::Tall, S::Wide, S::Wide, S::Tall, "l 0 1 1 1|a .5 1 .5 1 180 360", "box", "box", "box", "box"},
    {13, S::Square, S::Square, S::Square, S::Square, S::Square, "l .5 .5 .5 1|l .5 .5 1 .5|a .5 .5 .5 .5 90 360", "box", "box|h .5",
     "box", "box|v .5"},
    {14, S::Square, S::Tall, S::Wide, S::Wide, S::Tall, "l 0 0 1 0|l 1 0 1 1|a 1 0 1 1 90 180", "box", "box", "box", "box"},
    {15, S::Square, S::Any, S::Any, S::Any, S::Any, "o .5 .5 .5 .5|o .5 .5 .25 .25",
     "l 0 .6111 1 .6111|l 0 0 1 0|l 0 0 0 .6111|l 1 0 1 .6111|l .25 1 .75 1|l .25 1 .25 .6111|l .75 1 .75 .6111",
     "l .3889 0 .3889 1|l 1 0 1 1|l .3889 0 1 0|l .3889 1 1 1|l 0 .25 0 .75|l 0 .25 .3889 .25|l 0 .75 .3889 .75",
     "l .6111 0 .6111 1|l 0 0 0 1|l 0 0 .6111 0|l 0 1 .6111 1|l 1 .25 1 .75|l 1 .25 .6111 .25|l 1 .75 .6111 .75",
     "l 0 .3889 1 .3889|l 0 1 1 1|l 0 .3889 0 1|l 1 .3889 1 1|l .25 0 .75 0|l .25 0 .25 .3889|l .75 0 .75 .3889"},
    {16, S::Square, S::Square, S::Square, S::Square, S::Square, "o .5 .5 .5 .5|o .5 .5 .3 .3",
     "l 0 .5 0 0|l 0 0 1 0|l 1 0 1 .5|a .5 .5 .5 .5 0 180", "p 0 0 1 0 1 1", "p 0 0 1 0 0 1",
     "l 0 .5 0 1|l 0 1 1 1|l 1 .5 1 1|o .5 .5 .5 .5|o .5 .5 .3 .3"},
};

class PageViews : public ::testing::TestWithParam<Described> {};

// above: the view from below; left: from the right; right: from the left; below: from above.
TEST_P(PageViews, ReadAsTheirDescriptions)
{
    const Described& d = GetParam();
    const Model& m = part(d.page);
    {
        SCOPED_TRACE("missing front view");
        expectReads(m.view(Side::Front), d.front, d.frontSketch);
    }
    {
        SCOPED_TRACE("above the blank");
        expectReads(m.view(Side::Bottom), d.above, d.aboveSketch);
    }
    {
        SCOPED_TRACE("left of the blank");
        expectReads(m.view(Side::Right), d.left, d.leftSketch);
    }
    {
        SCOPED_TRACE("right of the blank");
        expectReads(m.view(Side::Left), d.right, d.rightSketch);
    }
    {
        SCOPED_TRACE("below the blank");
        expectReads(m.view(Side::Top), d.below, d.belowSketch);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, PageViews, ::testing::ValuesIn(kPages),
                         [](const auto& row) { return testName("Page", row.param.page); });

struct DescribedCandidate {
    int v;
    Shape shape;
    const char* sketchText;
};

// The drawings that are never the missing view show what their table says too.
const DescribedCandidate kOwnSolids[] = {
    {2, S::Tall, "box|h .5"},
    {4, S::Square, "box"},
    {5, S::Square, "p 0 0 1 0 1 .3333 .6667 .3333 .6667 .6667 .3333 .6667 .3333 1 0 1"},
    {7, S::Any, "p 0 0 1 0 0 1"},
    {13, S::Any, "p 0 0 1 0 1 1 .25 1 .25 .6 0 .6"},
    {14, S::Wide, "box|v .5"},
    {18, S::Tall, "box"},
    {21, S::Any, "p 0 0 1 0 1 .6 .5 1 0 .6"},
};

class OwnSolid : public ::testing::TestWithParam<DescribedCandidate> {};

TEST_P(OwnSolid, ReadsAsItsDescription)
{
    expectReads(candidateModel(GetParam().v).view(Side::Front), GetParam().shape, GetParam().sketchText);
}

INSTANTIATE_TEST_SUITE_P(Candidates, OwnSolid, ::testing::ValuesIn(kOwnSolids),
                         [](const auto& row) { return testName("V", row.param.v); });

}  // namespace
