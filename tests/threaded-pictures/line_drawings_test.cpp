// The line drawings of exercise pages 6 to 14, checked on their own geometry: each right
// answer keeps the ISO 6410 rule its page tests, each wrong answer breaks it in the one
// way its page describes.

#include "threaded-elements/picture_names.h"
#include "threaded-elements/pictures/line_drawings.h"
#include "threaded-elements/pictures/pictures.h"
#include "sheet_geometry.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <type_traits>

using namespace drawing::iso;
using namespace sheet_geometry;
namespace ld = threaded_elements::line_drawings;

namespace {

// Test names from file stems: "nut-end" gives nut_end.
struct StemName {
    template <class Row>
    std::string operator()(const Row& row) const
    {
        std::string name = row.param.stem;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    }
};

// --- Every file: its size, what of it the boxes show, its bytes ----------------------

struct FileCase {
    const char* stem;
    QSize size;
    QRect shown;  // the part of the image every box that shows it lets through
};

// A box W x H twips shows W/15 - 4 by H/15 - 4 pixels of its image.
QRect shownBy(int widthTwips, int heightTwips) { return QRect(0, 0, widthTwips / 15 - 4, heightTwips / 15 - 4); }

const FileCase kFiles[] = {
    {"tapped-bore-section", {100, 177}, shownBy(1575, 2775)},
    {"plain-bore-section-AA", {113, 141}, shownBy(1695, 2175)},
    {"plain-bore-section-BB", {128, 126}, shownBy(1935, 1935)},
    {"hex-screw-two-views", {500, 86}, shownBy(7575, 1335)},
    {"hex-screw-thread-drawn", {400, 98}, shownBy(6135, 1575)},
    {"nut-end", {136, 118}, shownBy(2055, 1815)},
    {"nut-end-inner-three-quarter", {136, 118}, shownBy(2055, 1815)},
    {"nut-end-outer-three-quarter", {136, 118}, shownBy(2055, 1815)},
    {"nut-end-outer-full", {136, 118}, shownBy(1935, 1815)},  // page 11 shows it in a narrower box
    {"screw-end", {111, 90}, shownBy(1695, 1335)},
    {"screw-end-inner-three-quarter", {111, 90}, shownBy(1695, 1335)},
    {"screw-end-outer-three-quarter", {111, 90}, shownBy(1695, 1335)},
    {"screw-side-threaded", {234, 98}, shownBy(3375, 1575)},
    {"screw-side-plain", {234, 98}, shownBy(3375, 1575)},
    {"pair-matching", {326, 177}, shownBy(4815, 2415)},
    {"pair-screw-larger-nut", {326, 177}, shownBy(4815, 2775)},
    {"pair-larger-nut-smaller-screw", {326, 177}, shownBy(4815, 2775)},
    {"assembly-thick-lines", {285, 160}, shownBy(4335, 2415)},
    {"assembly-thin-lines", {285, 160}, shownBy(4335, 2415)},
    {"assembly-correct", {326, 177}, shownBy(4815, 2535)},
};

class EachFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(EachFile, HasItsExactSizeAndShowsWholeInItsBoxes)
{
    const FileCase c = GetParam();
    const Sheet sheet = ld::sheet(c.stem);
    EXPECT_EQ(sheet.size, c.size);
    EXPECT_TRUE(QRectF(c.shown).contains(sheet.inkBounds())) << sheet.inkBounds().right() << " " << sheet.inkBounds().bottom();
    EXPECT_GE(sheet.inkBounds().left(), 0);
    EXPECT_GE(sheet.inkBounds().top(), 0);
}

INSTANTIATE_TEST_SUITE_P(LineDrawings, EachFile, ::testing::ValuesIn(kFiles), StemName());

TEST(LineDrawingFiles, AreEveryLineDrawingTheBoxesOfPages6To14NameAndDecodeAtTheirSize)
{
    // Page 8's Picture1 is a drawing of the other program; page 7's Picture2 is a shaded rendering.
    std::set<std::string> wanted;
    for (int page = 6; page <= 14; ++page)
        for (int box = 1; box <= 4; ++box)
            if (const std::string file = threaded_elements::picture_names::boxFile(page, box);
                !file.empty() && file != "threaded-elements/V18.jpg" && file != "threaded-elements/threaded-bar.jpg")
                wanted.insert(file);
    std::set<std::string> drawn;
    for (const drawing::PictureFile& picture : threaded_elements::lineDrawings()) {
        drawn.insert(picture.file.toStdString());
        const QByteArray bytes = picture.bytes();
        EXPECT_EQ(bytes, picture.bytes()) << "not deterministic: " << picture.file.toStdString();
        const QImage image = QImage::fromData(bytes, "JPEG");
        const std::string stem = picture.file.mid(18, picture.file.size() - 22).toStdString();
        EXPECT_EQ(image.size(), ld::sheet(stem).size) << stem;
    }
    EXPECT_EQ(drawn, wanted);
}

TEST(LineDrawingFiles, VariantsOfOneDrawingAreDistinctImages)
{
    std::set<QByteArray> seen;
    for (const drawing::PictureFile& picture : threaded_elements::lineDrawings())
        EXPECT_TRUE(seen.insert(picture.bytes()).second) << picture.file.toStdString();
}

// --- Cut-off parts and areas under the option buttons --------------------------------

TEST(CutOff, PageEightShowsTheWholeSideViewAndNoneOfTheEndView)
{
    const Sheet sheet = ld::sheet("hex-screw-two-views");
    const int shownColumns = 5415 / 15 - 4;
    ASSERT_EQ(shownColumns, 357);
    EXPECT_LT(sheet.inkBounds("screw").right(), shownColumns);
    EXPECT_GT(sheet.inkBounds("end view").left(), shownColumns);
    // First-angle: the two views share the axis.
    EXPECT_DOUBLE_EQ(sheet.inkBounds("screw").center().y(), sheet.inkBounds("end view").center().y());
}

TEST(CutOff, PageSevenShowsTheWholeTappedHoleAndTheStartOfThePlainOne)
{
    const Sheet sheet = ld::sheet("blind-tapped-joint-section");
    EXPECT_EQ(sheet.size, QSize(500, 170));
    const QRectF shown(0, 0, 6135 / 15 - 4, 2535 / 15 - 4);
    ASSERT_EQ(shown.size(), QSizeF(405, 165));
    EXPECT_TRUE(shown.contains(sheet.inkBounds("left part")));
    const QRectF right = sheet.inkBounds("right part");
    EXPECT_LT(right.left(), shown.right() - 100);  // a good stretch of the plain hole shows
    EXPECT_GT(right.right(), shown.right());       // the rest runs out of the box
    EXPECT_LT(right.bottom(), shown.bottom());
}

struct Covered {
    const char* stem;
    QRectF option;  // the image pixels an option button covers, drawn in front of the box
};

// Option rectangle less the box's left and top and its 2 px border, in pixels.
QRectF under(int optionLeft, int optionTop, int optionWidth, int boxLeft, int boxTop)
{
    return QRectF((optionLeft - boxLeft) / 15.0 - 2, (optionTop - boxTop) / 15.0 - 2, optionWidth / 15.0,
                  375 / 15.0);
}

class UnderOption : public ::testing::TestWithParam<Covered> {};

TEST_P(UnderOption, NothingIsDrawnWhereAnOptionStandsInFrontOfTheBox)
{
    const Sheet sheet = ld::sheet(GetParam().stem);
    for (const Primitive& item : sheet.items)
        EXPECT_FALSE(inkBounds(item, sheet.weights).intersects(GetParam().option)) << item.index();
}

INSTANTIATE_TEST_SUITE_P(Pages6To14, UnderOption,
                         ::testing::Values(Covered{"hex-screw-two-views", under(3480, 6120, 1455, 240, 6360)},
                                           Covered{"blind-tapped-joint-section", under(2880, 4320, 1455, 360, 4200)},
                                           Covered{"hex-screw-thread-drawn", under(3360, 2880, 1455, 840, 3000)},
                                           Covered{"pair-matching", under(1920, 2760, 1215, 120, 2640)},
                                           Covered{"pair-larger-nut-smaller-screw", under(1920, 5280, 1215, 120, 5160)},
                                           Covered{"pair-screw-larger-nut", under(7080, 3960, 1215, 5040, 3840)},
                                           Covered{"assembly-thick-lines", under(2040, 2760, 1455, 720, 2880)},
                                           Covered{"assembly-thin-lines", under(2160, 5400, 1455, 720, 5520)},
                                           Covered{"assembly-correct", under(7080, 4680, 1455, 5280, 4560)}),
                         StemName());

// --- Pages 9 to 11: three-quarter circles in end views -------------------------------

enum class Expect { NoThread, ArcInside, ArcOutside, FullCircleOutside };

struct EndViewCase {
    const char* stem;
    const char* part;
    Expect thread;
};

class EndView : public ::testing::TestWithParam<EndViewCase> {};

TEST_P(EndView, ThinCircleStandsWhereItsPageSays)
{
    const EndViewCase c = GetParam();
    const Sheet sheet = ld::sheet(c.stem);
    const std::vector<Arc> arcs = sheet.all<Arc>(c.part);
    std::vector<Circle> thick, thin;
    for (const Circle& circle : sheet.all<Circle>(c.part))
        (circle.line == Line::Thick ? thick : thin).push_back(circle);
    // The hole (nut) or the crest (screw): the smallest thick circle next to the thread.
    // A nut also has its chamfer circle, far out; the screw's plain view its tip chamfer.
    ASSERT_FALSE(thick.empty());
    std::sort(thick.begin(), thick.end(), [](const Circle& a, const Circle& b) { return a.radius < b.radius; });
    switch (c.thread) {
    case Expect::NoThread:
        EXPECT_TRUE(arcs.empty());
        EXPECT_TRUE(thin.empty());
        break;
    case Expect::FullCircleOutside:
        ASSERT_TRUE(arcs.empty());
        ASSERT_EQ(thin.size(), 1u);
        EXPECT_GT(thin[0].radius, thick[0].radius);
        break;
    case Expect::ArcInside:
    case Expect::ArcOutside: {
        ASSERT_EQ(arcs.size(), 1u);
        EXPECT_TRUE(thin.empty());
        const Arc& arc = arcs[0];
        EXPECT_EQ(arc.line, Line::Thin);
        EXPECT_EQ(arc.centre, thick[0].centre);
        if (c.thread == Expect::ArcInside) {
            EXPECT_LT(arc.radius, thick[0].radius);
            EXPECT_GT(arc.radius, 0.6 * thick[0].radius);
        } else {
            EXPECT_GT(arc.radius, thick[0].radius);
            if (thick.size() > 1) {
                EXPECT_LT(arc.radius, thick[1].radius);  // inside the nut's chamfer circle
            }
        }
        EXPECT_DOUBLE_EQ(std::abs(arc.spanDegrees), 270);
        // Open in the upper left quarter, in screen terms (y down: 180 is left, 270 up).
        EXPECT_FALSE(arcCovers(arc, 225));
        for (double drawn : {0.0, 90.0, 135.0, 315.0})
            EXPECT_TRUE(arcCovers(arc, drawn));
        break;
    }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages9To11, EndView,
    ::testing::Values(EndViewCase{"nut-end", "nut", Expect::NoThread},
                      EndViewCase{"nut-end-inner-three-quarter", "nut", Expect::ArcInside},
                      EndViewCase{"nut-end-outer-three-quarter", "nut", Expect::ArcOutside},
                      EndViewCase{"nut-end-outer-full", "nut", Expect::FullCircleOutside},
                      EndViewCase{"screw-end", "screw", Expect::NoThread},
                      EndViewCase{"screw-end-inner-three-quarter", "screw", Expect::ArcInside},
                      EndViewCase{"screw-end-outer-three-quarter", "screw", Expect::ArcOutside}),
    StemName());

TEST(EndView, ScrewVariantsKeepTheTwoRadiiAndSwapOnlyWhichOneIsTheThinArc)
{
    auto radiiOf = [](const std::string& stem) {
        std::set<double> r;
        const Sheet sheet = ld::sheet(stem);
        for (const Circle& c : sheet.all<Circle>())
            r.insert(c.radius);
        for (const Arc& a : sheet.all<Arc>())
            r.insert(a.radius);
        return r;
    };
    EXPECT_EQ(radiiOf("screw-end"), radiiOf("screw-end-inner-three-quarter"));
    EXPECT_EQ(radiiOf("screw-end"), radiiOf("screw-end-outer-three-quarter"));
    const Sheet right = ld::sheet("screw-end-inner-three-quarter");
    for (const Circle& c : right.all<Circle>())
        EXPECT_EQ(c.line, Line::Thick);  // the crest: thick and full
}

// --- Pages 6, 8 and 12: screws in side view --------------------------------------------

struct SideCase {
    const char* stem;
    bool threaded;
};

class SideView : public ::testing::TestWithParam<SideCase> {};

TEST_P(SideView, ThreadShowsAsThinRootLinesInsideTheThickCrestAndAThickEndLine)
{
    const Sheet sheet = ld::sheet(GetParam().stem);
    const double axis = axisOf(sheet, "screw");
    const std::set<double> thin = radii(sheet, "screw", Line::Thin, axis);
    if (!GetParam().threaded) {
        EXPECT_TRUE(thin.empty());
        return;
    }
    const double crest = crestOf(sheet, axis);
    ASSERT_EQ(thin.size(), 1u);
    const double root = *thin.begin();
    EXPECT_LT(root, crest);
    EXPECT_GE(crest - root, 3.0);  // far enough apart to read at this size
    // The root lines run from the tip to a thick line across the shank, crest to crest.
    double threadEnd = 0;
    for (const Segment& s : sheet.all<Segment>("screw"))
        if (s.line == Line::Thin)
            threadEnd = std::max(threadEnd, right(s));
    bool endLine = false;
    for (const Segment& s : sheet.all<Segment>("screw"))
        endLine |= s.line == Line::Thick && isUpright(s) && s.a.x() == threadEnd &&
                   std::abs(top(s) - (axis - crest)) < 1e-9 && std::abs(bottom(s) - (axis + crest)) < 1e-9;
    EXPECT_TRUE(endLine);
    // Some shank stays plain between the thread's end and the head.
    EXPECT_LT(threadEnd, sheet.inkBounds("screw").right() - 40);
}

INSTANTIATE_TEST_SUITE_P(Pages6To12, SideView,
                         ::testing::Values(SideCase{"hex-screw-thread-drawn", true},
                                           SideCase{"screw-side-threaded", true},
                                           SideCase{"screw-side-plain", false},
                                           SideCase{"hex-screw-two-views", false}),
                         StemName());

TEST_P(SideView, ChamferAtTheTipEndsInAThickEdgeAcrossTheShank)
{
    // Threaded or plain, the chamfer's edge is a visible edge: a thick line across the shank,
    // crest to crest, where the chamfer's slanted lines meet the crest lines.
    const Sheet sheet = ld::sheet(GetParam().stem);
    const double axis = axisOf(sheet, "screw");
    double tip = 1e9;
    for (const Segment& s : sheet.all<Segment>("screw"))
        if (s.line == Line::Thick && !isLevel(s) && !isUpright(s))
            tip = std::min(tip, left(s));
    std::set<double> chamferEnds, crests;
    for (const Segment& s : sheet.all<Segment>("screw"))
        if (s.line == Line::Thick && !isLevel(s) && !isUpright(s) && left(s) == tip)
            chamferEnds.insert(right(s)), crests.insert(std::abs((s.a.x() > s.b.x() ? s.a : s.b).y() - axis));
    ASSERT_EQ(chamferEnds.size(), 1u);  // the two slanted lines, above and below the axis, end level
    ASSERT_EQ(crests.size(), 1u);
    const double edge = *chamferEnds.begin(), crest = *crests.begin();
    int edges = 0;
    for (const Segment& s : sheet.all<Segment>("screw"))
        edges += s.line == Line::Thick && isUpright(s) && s.a.x() == edge && std::abs(top(s) - (axis - crest)) < 1e-9 &&
                 std::abs(bottom(s) - (axis + crest)) < 1e-9;
    EXPECT_EQ(edges, 1);
}

// What a primitive is, every field of it, so that two drawings can be compared item by item.
std::string describe(const Primitive& item)
{
    std::ostringstream out;
    out.precision(10);
    auto points = [&](const QPolygonF& polygon) {
        for (QPointF p : polygon)
            out << " " << p.x() << "," << p.y();
    };
    std::visit(
        [&](const auto& p) {
            using T = std::decay_t<decltype(p)>;
            out << item.index() << " " << p.part;
            if constexpr (std::is_same_v<T, Segment>)
                out << " line " << int(p.line) << " " << p.a.x() << "," << p.a.y() << " " << p.b.x() << "," << p.b.y();
            else if constexpr (std::is_same_v<T, Circle>)
                out << " line " << int(p.line) << " " << p.centre.x() << "," << p.centre.y() << " r " << p.radius;
            else if constexpr (std::is_same_v<T, Arc>)
                out << " line " << int(p.line) << " " << p.centre.x() << "," << p.centre.y() << " r " << p.radius << " "
                    << p.startDegrees << " " << p.spanDegrees;
            else if constexpr (std::is_same_v<T, Polyline>) {
                out << " line " << int(p.line) << " closed " << p.closed;
                points(p.points);
            } else if constexpr (std::is_same_v<T, Face>) {
                out << " colour " << p.colour.rgba();
                for (const QPolygonF& ring : p.rings) {
                    out << " ring";
                    points(ring);
                }
            } else if constexpr (std::is_same_v<T, Hatch>) {
                out << " angle " << p.angleDegrees << " spacing " << p.spacing;
                points(p.outline);
            } else {
                out << " " << p.text.toStdString() << " " << p.baselineCentre.x() << "," << p.baselineCentre.y() << " "
                    << p.height;
            }
        },
        item);
    return out.str();
}

TEST(SideView, PageTwelvesScrewsDifferOnlyByTheThreadsLines)
{
    // The plain screw's every item stands in the threaded one, in the same order; what the
    // threaded one adds is the thin root line on each side, from the tip to the thread's end,
    // and the thick line across the shank, crest to crest, where the thread ends.
    const Sheet threaded = ld::sheet("screw-side-threaded"), plain = ld::sheet("screw-side-plain");
    EXPECT_EQ(threaded.size, plain.size);
    std::vector<Segment> added;
    std::size_t next = 0;
    for (const Primitive& item : threaded.items) {
        if (next < plain.items.size() && describe(item) == describe(plain.items[next]))
            ++next;
        else if (const auto* segment = std::get_if<Segment>(&item))
            added.push_back(*segment);
        else
            ADD_FAILURE() << "only in the threaded screw: " << describe(item);
    }
    ASSERT_EQ(next, plain.items.size()) << "the plain screw's first item not in the threaded one, in order: "
                                        << describe(plain.items[next]);
    ASSERT_EQ(added.size(), 3u);
    const double axis = axisOf(plain, "screw"), crest = crestOf(threaded, axis);
    double tip = 1e9;  // the end face: the thick line farthest left
    for (const Segment& s : plain.all<Segment>("screw"))
        if (s.line == Line::Thick)
            tip = std::min(tip, left(s));
    std::set<double> roots, ends;
    std::vector<Segment> others;
    for (const Segment& s : added)
        if (s.line == Line::Thin && isLevel(s)) {
            roots.insert(s.a.y() - axis);
            EXPECT_EQ(left(s), tip);
            ends.insert(right(s));
        } else {
            others.push_back(s);
        }
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_EQ(*roots.begin(), -*roots.rbegin());
    ASSERT_EQ(ends.size(), 1u);
    ASSERT_EQ(others.size(), 1u);
    const Segment& end = others[0];
    EXPECT_EQ(end.line, Line::Thick);
    EXPECT_TRUE(isUpright(end));
    EXPECT_EQ(end.a.x(), *ends.begin());
    EXPECT_NEAR(top(end), axis - crest, 1e-9);
    EXPECT_NEAR(bottom(end), axis + crest, 1e-9);
}

TEST(SideView, HeadOfThePageEightScrewStandsAtTheRightEdge)
{
    const Sheet sheet = ld::sheet("hex-screw-thread-drawn");
    EXPECT_GT(sheet.inkBounds("screw").right(), sheet.size.width() - 16);
}

// --- Pages 6, 7 and 12: sections of bores ----------------------------------------------

TEST(BoreSection, TappedBoreIsHatchedToTheThickLineWithTheThinOneThroughTheHatching)
{
    const Sheet sheet = ld::sheet("tapped-bore-section");
    const double axis = axisOf(sheet, "part");
    const double cut = hatchInner(sheet, "part", axis);
    EXPECT_EQ(radii(sheet, "part", Line::Thick, axis), std::set<double>{cut});
    const std::set<double> thin = radii(sheet, "part", Line::Thin, axis);
    ASSERT_EQ(thin.size(), 1u);
    EXPECT_GT(*thin.begin(), cut);  // inside the hatched wall
    EXPECT_EQ(sheet.all<Hatch>("part").size(), 2u);
}

class PlainBore : public ::testing::TestWithParam<const char*> {};

TEST_P(PlainBore, HasHatchedWallsThickBoreLinesOnlyAndItsMarkUnderIt)
{
    const QString text = GetParam();
    const Sheet sheet = ld::sheet("plain-bore-section-" + QString(text).remove('-').toStdString());
    for (const Segment& s : sheet.all<Segment>("part"))
        EXPECT_NE(s.line, Line::Thin);
    const std::vector<Hatch> walls = sheet.all<Hatch>("part");
    ASSERT_EQ(walls.size(), 2u);
    // Left and right of a vertical axis.
    double axis = 0;
    for (const Segment& s : sheet.all<Segment>("part"))
        if (s.line == Line::Centre)
            axis = s.a.x();
    EXPECT_LT(walls[0].outline.boundingRect().right(), axis);
    EXPECT_GT(walls[1].outline.boundingRect().left(), axis);
    const std::vector<Mark> marks = sheet.all<Mark>();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].text, text);
    EXPECT_GT(markBounds(marks[0]).top(), sheet.inkBounds("part").bottom());
    EXPECT_NEAR(markBounds(marks[0]).center().x(), axis, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Marks, PlainBore, ::testing::Values("A-A", "B-B"));

TEST(BoreSection, BlindHoleIsTappedOverItsOuterPartAndEndsInA120DegreePointBeyondTheThread)
{
    const Sheet sheet = ld::sheet("blind-tapped-joint-section");
    const double axis = axisOf(sheet, "axis");
    // The bore's outline: one closed polyline holding the cone.
    const std::vector<Polyline> outlines = sheet.all<Polyline>("left part");
    ASSERT_EQ(outlines.size(), 1u);
    const QPolygonF& cut = outlines[0].points;
    const auto tip = std::find_if(cut.begin(), cut.end(), [&](QPointF p) { return p.y() == axis; });
    ASSERT_NE(tip, cut.end());
    const QPointF before = *(tip - 1), after = *(tip + 1);
    const QLineF a(*tip, before), b(*tip, after);
    EXPECT_NEAR(a.angleTo(b) > 180 ? 360 - a.angleTo(b) : a.angleTo(b), 120, 1e-6);
    const double drilled = std::abs(before.y() - axis);
    const std::set<double> thin = radii(sheet, "left part", Line::Thin, axis);
    ASSERT_EQ(thin.size(), 1u);
    EXPECT_GT(*thin.begin(), drilled);  // the thin lines outside the thick ones
    double threadEnd = 1e9, threadStart = 0;
    for (const Segment& s : sheet.all<Segment>("left part"))
        if (s.line == Line::Thin)
            threadEnd = std::min(threadEnd, left(s)), threadStart = std::max(threadStart, right(s));
    EXPECT_LT(before.x(), threadEnd - 10);  // drilled deeper than the thread
    // The hatching fills the thick outline of the cut, the bore and its point left out;
    // the plain hole of the right part is larger than the thread.
    ASSERT_EQ(sheet.all<Hatch>("left part").size(), 1u);
    EXPECT_EQ(sheet.all<Hatch>("left part")[0].outline, cut);
    EXPECT_GT(hatchInner(sheet, "right part", axis), *thin.begin());
    EXPECT_TRUE(radii(sheet, "right part", Line::Thin, axis).empty());
    EXPECT_DOUBLE_EQ(threadStart, hatchBox(sheet, "right part").left());  // tapped from the joint face in
    // Neighbouring parts are hatched in opposite directions.
    EXPECT_NE(sheet.all<Hatch>("left part")[0].angleDegrees, sheet.all<Hatch>("right part")[0].angleDegrees);
}

// --- Page 13: which nut takes which screw ---------------------------------------------

struct Levels {
    double nutThick, nutThin, screwThick, screwThin;
};

Levels levels(const std::string& stem)
{
    const Sheet sheet = ld::sheet(stem);
    const double nutAxis = axisOf(sheet, "nut"), screwAxis = axisOf(sheet, "screw");
    EXPECT_DOUBLE_EQ(nutAxis, screwAxis);
    const std::set<double> nutThick = radii(sheet, "nut", Line::Thick, nutAxis);
    const std::set<double> nutThin = radii(sheet, "nut", Line::Thin, nutAxis);
    const std::set<double> screwThin = radii(sheet, "screw", Line::Thin, screwAxis);
    EXPECT_EQ(nutThick.size(), 1u);
    EXPECT_EQ(nutThin.size(), 1u);
    EXPECT_EQ(screwThin.size(), 1u);
    return {*nutThick.begin(), *nutThin.begin(), crestOf(sheet, screwAxis), *screwThin.begin()};
}

TEST(Pair, OnlyTheMatchingPairHasTheNutsThinLinesOnTheScrewsThickOnesAndThickOnThin)
{
    const Levels matching = levels("pair-matching");
    EXPECT_EQ(matching.nutThin, matching.screwThick);
    EXPECT_EQ(matching.nutThick, matching.screwThin);

    const Levels largerNut = levels("pair-screw-larger-nut");
    EXPECT_EQ(largerNut.nutThick, largerNut.screwThick);  // the bore fits over the crest: too large
    EXPECT_NE(largerNut.nutThin, largerNut.screwThick);
    EXPECT_NE(largerNut.nutThick, largerNut.screwThin);

    const Levels smallerScrew = levels("pair-larger-nut-smaller-screw");
    for (double nut : {smallerScrew.nutThick, smallerScrew.nutThin})
        for (double screw : {smallerScrew.screwThick, smallerScrew.screwThin})
            EXPECT_NE(nut, screw);
}

TEST(Pair, WrongPairsReuseTheMatchingScrewAndTheLargerNut)
{
    auto primitives = [](const std::string& stem, const std::string& part) {
        std::vector<Segment> out = ld::sheet(stem).all<Segment>(part);
        std::vector<std::pair<QPointF, QPointF>> points;
        for (const Segment& s : out)
            points.emplace_back(s.a, s.b);
        return points;
    };
    EXPECT_EQ(primitives("pair-matching", "screw"), primitives("pair-screw-larger-nut", "screw"));
    EXPECT_EQ(primitives("pair-screw-larger-nut", "nut"), primitives("pair-larger-nut-smaller-screw", "nut"));
    EXPECT_NE(primitives("pair-matching", "nut"), primitives("pair-screw-larger-nut", "nut"));
    EXPECT_LT(levels("pair-larger-nut-smaller-screw").screwThick, levels("pair-matching").screwThick);
}

// --- Page 14: which lines win inside the nut -------------------------------------------

struct AssemblyCase {
    const char* stem;
    bool correct;
    Line inside;  // the type of the lines at the screw's crest and at the nut's bore inside the nut
};

class Assembly : public ::testing::TestWithParam<AssemblyCase> {};

TEST_P(Assembly, LinesInsideTheNutFollowItsPicture)
{
    const AssemblyCase c = GetParam();
    const Sheet sheet = ld::sheet(c.stem);
    const double axis = axisOf(sheet, "axis");
    const QRectF nut = hatchBox(sheet, "nut");
    const double nutLeft = nut.left(), nutRight = nut.right();
    // The screw's crest and root, read where no nut stands (between the nut and the thread's end).
    const double outside = nutRight + 5;
    const std::set<double> crestOutside = radii(sheet, "screw", Line::Thick, axis, outside, outside + 1);
    const std::set<double> rootOutside = radii(sheet, "screw", Line::Thin, axis, outside, outside + 1);
    ASSERT_FALSE(crestOutside.empty());
    ASSERT_EQ(rootOutside.size(), 1u);
    const double crest = *crestOutside.begin(), root = *rootOutside.begin();

    auto typesAt = [&](const std::string& part, double radius) {
        std::set<Line> types;
        for (const Segment& s : sheet.all<Segment>(part))
            if (isLevel(s) && std::abs(std::abs(s.a.y() - axis) - radius) < 1e-9 && right(s) > nutLeft + 1 &&
                left(s) < nutRight - 1)
                types.insert(s.line);
        return types;
    };
    if (c.correct) {
        // The screw's lines win: unbroken through the nut, crest thick and root thin.
        for (double sign : {-1.0, 1.0}) {
            bool crestThrough = false, rootThrough = false;
            for (const Segment& s : sheet.all<Segment>("screw")) {
                if (!isLevel(s) || left(s) > nutLeft - 2 || right(s) < nutRight + 2)
                    continue;
                crestThrough |= s.line == Line::Thick && s.a.y() == axis + sign * crest;
                rootThrough |= s.line == Line::Thin && s.a.y() == axis + sign * root;
            }
            EXPECT_TRUE(crestThrough);
            EXPECT_TRUE(rootThrough);
        }
        EXPECT_DOUBLE_EQ(hatchInner(sheet, "nut", axis), crest);
        EXPECT_TRUE(typesAt("nut", root).empty());
        EXPECT_TRUE(typesAt("nut", crest).empty());
        // The nut's faces show dashed across the screw, crest to crest.
        std::set<double> dashedFaces;
        for (const Segment& s : sheet.all<Segment>("nut"))
            if (s.line == Line::Hidden && isUpright(s) && std::abs(top(s) - (axis - crest)) < 1e-9 &&
                std::abs(bottom(s) - (axis + crest)) < 1e-9)
                dashedFaces.insert(s.a.x());
        EXPECT_EQ(dashedFaces, (std::set<double>{nutLeft, nutRight}));
        // A longer screw: it comes out of the nut by more than its chamfer.
        EXPECT_LT(sheet.inkBounds("screw").left(), nutLeft - 2 * (crest - root));
    } else {
        // The nut's lines win: hatching in to its bore across the screw's thread, and the
        // lines at the bore and at the screw's outside both of the picture's one type.
        EXPECT_DOUBLE_EQ(hatchInner(sheet, "nut", axis), root);
        EXPECT_EQ(typesAt("nut", root), std::set<Line>{c.inside});
        EXPECT_EQ(typesAt("screw", crest), std::set<Line>{c.inside});
        EXPECT_TRUE(typesAt("screw", root).empty());
        for (const Segment& s : sheet.all<Segment>("nut"))
            EXPECT_NE(s.line, Line::Hidden);
    }
}

INSTANTIATE_TEST_SUITE_P(Page14, Assembly,
                         ::testing::Values(AssemblyCase{"assembly-thick-lines", false, Line::Thick},
                                           AssemblyCase{"assembly-thin-lines", false, Line::Thin},
                                           AssemblyCase{"assembly-correct", true, Line::Thick}),
                         StemName());

TEST(Assembly, WrongDrawingsDifferOnlyInTheTypeOfTheLinesInsideTheNut)
{
    const Sheet thick = ld::sheet("assembly-thick-lines"), thin = ld::sheet("assembly-thin-lines");
    ASSERT_EQ(thick.items.size(), thin.items.size());
    int differing = 0;
    for (size_t i = 0; i < thick.items.size(); ++i) {
        const auto* a = std::get_if<Segment>(&thick.items[i]);
        const auto* b = std::get_if<Segment>(&thin.items[i]);
        ASSERT_EQ(a == nullptr, b == nullptr);
        if (!a)
            continue;
        EXPECT_EQ(a->a, b->a);
        EXPECT_EQ(a->b, b->b);
        if (a->line != b->line) {
            ++differing;
            EXPECT_EQ(a->line, Line::Thick);
            EXPECT_EQ(b->line, Line::Thin);
        }
    }
    EXPECT_EQ(differing, 4);  // the crest and bore lines, above and below the axis
}

}  // namespace
