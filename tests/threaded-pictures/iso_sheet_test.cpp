// The ISO line-drawing kit: hatching, line patterns, three-quarter circles, turning a
// sheet, and how lines come out on the pixel grid.

#include "drawing/iso/render.h"
#include "drawing/iso/sheet.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace drawing::iso;

namespace {

double length(const QLineF& l) { return l.length(); }

// A C-shaped outline, open to the right: a hatch line must stop at both inner edges.
const QPolygonF kCShape{{QPointF(10, 10), QPointF(90, 10), QPointF(90, 30), QPointF(40, 30), QPointF(40, 70),
                         QPointF(90, 70), QPointF(90, 90), QPointF(10, 90)}};

class HatchAngle : public ::testing::TestWithParam<double> {};

TEST_P(HatchAngle, LinesAreParallelEvenlySpacedAndStayInsideANonConvexOutline)
{
    const Hatch hatch{kCShape, GetParam(), 5, "part"};
    const std::vector<QLineF> lines = hatchLines(hatch);
    ASSERT_GT(lines.size(), 20u);
    const double a = GetParam() * M_PI / 180;
    const QPointF normal(-std::sin(a), std::cos(a));
    for (const QLineF& line : lines) {
        // Along the hatch direction, whichever way round the line runs.
        const double cross = line.dx() * std::sin(a) - line.dy() * std::cos(a);
        EXPECT_NEAR(cross / length(line), 0, 1e-9);
        // Every point of the line is inside the outline, and the line ends on it.
        for (double t : {0.02, 0.5, 0.98})
            EXPECT_TRUE(kCShape.containsPoint(line.pointAt(t), Qt::OddEvenFill)) << t;
        // Offsets from the origin are whole multiples of the spacing: one pattern per part.
        const double offset = line.p1().x() * normal.x() + line.p1().y() * normal.y();
        EXPECT_NEAR(std::remainder(offset, 5.0), 0, 1e-6);
    }
    // Lines through the notch come in two pieces, none crossing the open part.
    for (const QLineF& line : lines)
        EXPECT_FALSE(QRectF(41, 31, 48, 38).contains(line.center()));
}

INSTANTIATE_TEST_SUITE_P(BothDirections, HatchAngle, ::testing::Values(45.0, 135.0));

struct PatternCase {
    const char* name;
    Line line;
    double length;
};

class LinePattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(LinePattern, StartsAndEndsWithADashAtTheSegmentEnds)
{
    const PatternCase c = GetParam();
    const Segment segment{QPointF(5, 20), QPointF(5 + c.length, 20), c.line, {}};
    const std::vector<QLineF> pieces = strokes(segment);
    double first = 1e9, last = -1e9;
    QLineF firstPiece, lastPiece;
    for (const QLineF& p : pieces) {
        const double from = std::min(p.x1(), p.x2()), to = std::max(p.x1(), p.x2());
        if (from < first)
            first = from, firstPiece = p;
        if (to > last)
            last = to, lastPiece = p;
    }
    EXPECT_NEAR(first, 5, 1e-9);
    EXPECT_NEAR(last, 5 + c.length, 1e-9);
    // The end pieces are dashes, not dots.
    if (pieces.size() > 1) {
        EXPECT_GT(length(firstPiece), 3);
        EXPECT_GT(length(lastPiece), 3);
    }
    if (c.line == Line::Centre) {
        // A dash crosses the middle, where centre lines meet.
        const double middle = 5 + c.length / 2;
        bool covered = false;
        for (const QLineF& p : pieces)
            covered |= std::min(p.x1(), p.x2()) < middle - 1 && std::max(p.x1(), p.x2()) > middle + 1;
        EXPECT_TRUE(covered);
        // Long dashes and dots alternate: an odd count, symmetric about the middle.
        EXPECT_EQ(pieces.size() % 2, 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, LinePattern,
                         ::testing::Values(PatternCase{"centreShort", Line::Centre, 12},
                                           PatternCase{"centreCircle", Line::Centre, 60},
                                           PatternCase{"centreLong", Line::Centre, 300},
                                           PatternCase{"hiddenAcrossAScrew", Line::Hidden, 44},
                                           PatternCase{"continuous", Line::Thick, 50}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ThreeQuarterCircle, IsOpenInTheUpperLeftQuarterOnTheScreen)
{
    const Arc arc = threeQuarterCircle(QPointF(50, 50), 20, "nut");
    EXPECT_EQ(arc.line, Line::Thin);
    EXPECT_DOUBLE_EQ(arc.spanDegrees, 270);
    // Screen angles: 0 right, 90 down, 180 left, 270 up.
    for (double drawn : {0.0, 45.0, 90.0, 135.0, 180.0, 270.0, 315.0})
        EXPECT_TRUE(arcCovers(arc, drawn)) << drawn;
    for (double open : {190.0, 225.0, 260.0})
        EXPECT_FALSE(arcCovers(arc, open)) << open;
}

TEST(Transposed, SwapsAxesAndKeepsTheUpperLeftQuarterOpen)
{
    Sheet sheet(QSize(40, 30));
    sheet.add(Segment{QPointF(1, 2), QPointF(3, 2), Line::Thick, "a"});
    sheet.add(threeQuarterCircle(QPointF(10, 20), 5, "a"));
    sheet.add(Hatch{rectangle(0, 0, 10, 10), 135, 5, "a"});
    const Sheet turned = transposed(sheet);
    EXPECT_EQ(turned.size, QSize(30, 40));
    const Segment s = turned.all<Segment>().at(0);
    EXPECT_EQ(s.a, QPointF(2, 1));
    EXPECT_EQ(s.b, QPointF(2, 3));
    // The mirror in the diagonal maps the upper-left quarter onto itself.
    const Arc arc = turned.all<Arc>().at(0);
    EXPECT_EQ(arc.centre, QPointF(20, 10));
    EXPECT_FALSE(arcCovers(arc, 225));
    EXPECT_TRUE(arcCovers(arc, 45));
    EXPECT_TRUE(arcCovers(arc, 135));
    // "/" hatching stays "/".
    const std::vector<QLineF> lines = hatchLines(turned.all<Hatch>().at(0));
    ASSERT_FALSE(lines.empty());
    EXPECT_LT(lines[0].dx() * lines[0].dy(), 0);
}

// How many rows of a column are dark, and where they start.
int darkRows(const QImage& image, int x, int* first = nullptr)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        if (qGray(image.pixel(x, y)) < 100) {
            if (count++ == 0 && first)
                *first = y;
        }
    return count;
}

TEST(Render, ThickLinesAreTwoPixelsAndThinOnesOneOnTheirLevel)
{
    Sheet sheet(QSize(60, 40));
    EXPECT_LE(sheet.weights.thin, sheet.weights.thick / 2);
    sheet.add(Segment{QPointF(5, 10), QPointF(55, 10), Line::Thick, {}});
    sheet.add(Segment{QPointF(5, 30), QPointF(55, 30), Line::Thin, {}});
    const QImage image = render(sheet);
    ASSERT_EQ(image.size(), QSize(60, 40));
    int first = -1;
    // Column 30 crosses both lines: two dark rows around y 10, one at y 30.
    QImage upper = image.copy(0, 0, 60, 20), lower = image.copy(0, 20, 60, 20);
    EXPECT_EQ(darkRows(upper, 30, &first), 2);
    EXPECT_EQ(first, 9);
    EXPECT_EQ(darkRows(lower, 30, &first), 1);
    EXPECT_EQ(first, 10);
    EXPECT_EQ(render(sheet), image);
}

TEST(Sheet, InkBoundsTakeLineWidthsAndPartsIntoAccount)
{
    Sheet sheet(QSize(100, 100));
    sheet.add(Segment{QPointF(10, 10), QPointF(20, 10), Line::Thick, "screw"});
    sheet.add(Circle{QPointF(50, 50), 10, Line::Thin, "nut"});
    EXPECT_EQ(sheet.inkBounds("screw"), QRectF(9, 9, 12, 2));
    EXPECT_EQ(sheet.inkBounds("nut"), QRectF(39.5, 39.5, 21, 21));
    EXPECT_EQ(sheet.inkBounds(), QRectF(9, 9, 51.5, 51.5));
    EXPECT_EQ(sheet.all<Circle>("screw").size(), 0u);
}

TEST(Mark, SpellsCapitalsAndRefusesLettersItCannotDraw)
{
    const Mark mark{QPointF(50, 40), "A-A", 11, {}};
    EXPECT_EQ(markStrokes(mark).size(), 5u);  // two per A, one for the dash
    const QRectF box = markBounds(mark);
    EXPECT_DOUBLE_EQ(box.bottom(), 40);
    EXPECT_DOUBLE_EQ(box.center().x(), 50);
    for (const QPolygonF& stroke : markStrokes(mark))
        for (QPointF p : stroke)
            EXPECT_TRUE(box.adjusted(-0.01, -0.01, 0.01, 0.01).contains(p));
    EXPECT_THROW(markStrokes(Mark{QPointF(0, 0), "Z", 11, {}}), std::invalid_argument);
}

}  // namespace
