// The Pellmora pictures as the student sees them, read back from the files the program embeds:
// each problem drawing shows its part's four views in the first-angle arrangement around a
// white blank, the candidate under the correct option is that part's front view and neither of
// the other two is, and every picture has the size, ground and margins its window expects.

#include "raster.h"

#include "missing-view/missing_view.h"
#include "missing-view/models/drawings.h"
#include "missing-view/models/parts.h"
#include "missing-view/models/tables.h"
#include "missing-view/picture_names.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace drawing::views;
using namespace missing_view::models;
namespace names = missing_view::picture_names;
using raster::decoded;

// JPEG leaves a few levels of ringing next to sharp changes; beyond that the colours are exact.
constexpr int kJpegLevels = 7;

bool near(QRgb c, QColor want, int levels)
{
    return std::abs(qRed(c) - want.red()) <= levels && std::abs(qGreen(c) - want.green()) <= levels &&
           std::abs(qBlue(c) - want.blue()) <= levels;
}

QRectF pixels(const forms::Rect& r)
{
    return QRectF(r.left / 15.0, r.top / 15.0, r.width / 15.0, r.height / 15.0);
}

const missing_view::ExercisePage& page(int n) { return missing_view::exercisePages()[std::size_t(n - 1)]; }

TEST(PellmoraPictures, EveryFileIsThereAtItsTableSize)
{
    std::set<std::string> expected;
    for (int n = 1; n <= 16; ++n)
        expected.insert({names::problemDrawingFile(n), names::perspectiveFile(n)});
    for (int v = 1; v <= 24; ++v)
        expected.insert(names::candidateFile(v));
    std::set<std::string> drawn;
    for (const drawing::PictureFile& f : missing_view::pictures())
        drawn.insert(f.file.toStdString());
    EXPECT_EQ(drawn, expected);

    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(decoded(names::problemDrawingFile(n)).size(), problemDrawing(n).size) << n;
        EXPECT_EQ(decoded(names::perspectiveFile(n)).size(), perspectiveSize(n)) << n;
    }
    for (int v = 1; v <= 24; ++v)
        EXPECT_EQ(decoded(names::candidateFile(v)).size(), candidateDrawing(v).size) << v;
}

TEST(PellmoraPictures, SameSourceSameBytes)
{
    for (const std::string& file : {names::problemDrawingFile(16), names::candidateFile(17), names::perspectiveFile(10)})
        EXPECT_EQ(raster::fileBytes(file), raster::fileBytes(file)) << file;
}

class ProblemPage : public ::testing::TestWithParam<int> {
protected:
    int n() const { return GetParam(); }
    QImage image() const { return decoded(names::problemDrawingFile(n())); }
    const Model& model() const { return part(n()); }
};

TEST_P(ProblemPage, BlankIsWhiteOnTheGroundWithTheQuestionMarkInIt)
{
    const QImage img = image();
    const QRect blank = problemDrawing(n()).blank;
    for (int y = blank.top(); y <= blank.bottom(); ++y)
        for (int x = blank.left(); x <= blank.right(); ++x)
            // Drawn pure white; full-colour JPEG at quality 100 keeps it within 2 levels at its edge.
            ASSERT_TRUE(near(img.pixel(x, y), Qt::white, 2)) << x << "," << y;
    // The ground right round the blank has no ink: the blank is exactly there.
    for (int x = blank.left() - 1; x <= blank.right() + 1; ++x)
        for (int y : {blank.top() - 1, blank.bottom() + 1})
            EXPECT_TRUE(near(img.pixel(x, y), problemGround(), kJpegLevels)) << x << "," << y;
    for (int y = blank.top(); y <= blank.bottom(); ++y)
        for (int x : {blank.left() - 1, blank.right() + 1})
            EXPECT_TRUE(near(img.pixel(x, y), problemGround(), kJpegLevels)) << x << "," << y;
    EXPECT_TRUE(near(img.pixel(1, 1), problemGround(), 2));

    const forms::Layout layout = missing_view::exerciseLayout(page(n()));
    const QRectF label = pixels(forms::findControl(layout, "Label1")->rect);
    EXPECT_TRUE(QRectF(blank).contains(label));
    const QPointF off = label.center() - QRectF(blank).center();
    EXPECT_LE(std::abs(off.x()), 10.0);
    EXPECT_LE(std::abs(off.y()), 10.0);
}

// The ink outside the blank is exactly the four views of the part at their first-angle places.
TEST_P(ProblemPage, ViewsAreThePartsProjectionsAtTheirFirstAnglePlaces)
{
    const ProblemLayout layout = problemLayout(n());
    const Arrangement& at = layout.at;
    const QRectF blank(layout.blank);
    // the missing view fits the blank, and the others stand on their sides of it
    EXPECT_TRUE(blank.contains(at.front.map(contentBounds(viewOf(model(), Side::Front)))));
    const auto placed = [&](Side s) { return at.of(s).map(contentBounds(viewOf(model(), s))); };
    EXPECT_GT(placed(Side::Top).top(), blank.bottom());    // from above: below the blank
    EXPECT_LT(placed(Side::Bottom).bottom(), blank.top()); // from below: above it
    EXPECT_GT(placed(Side::Left).left(), blank.right());   // from the left: to its right
    EXPECT_LT(placed(Side::Right).right(), blank.left());  // from the right: to its left
    // sharing the blank's projection lines
    for (Side s : kAroundFront)
        EXPECT_DOUBLE_EQ(at.of(s).scale, at.front.scale);
    EXPECT_DOUBLE_EQ(at.top.origin.x(), at.front.origin.x());
    EXPECT_DOUBLE_EQ(at.bottom.origin.x(), at.front.origin.x());
    EXPECT_DOUBLE_EQ(at.left.origin.y(), at.front.origin.y());
    EXPECT_DOUBLE_EQ(at.right.origin.y(), at.front.origin.y());

    LineSet belongs, edges;
    for (Side s : kAroundFront) {
        raster::append(belongs, raster::pixelLines(viewOf(model(), s), at.of(s), true));
        raster::append(edges, raster::pixelLines(viewOf(model(), s), at.of(s), false));
    }
    const QImage img = image();
    const raster::Agreement a = raster::agreement(img, raster::inkPixels(img), belongs, edges);
    EXPECT_LE(a.strayInk, 1.2);
    EXPECT_LE(a.missedEdge, 1.0);
}

// Nothing of a view lies under an option, a box or a button, but on page 14, where Option2
// covers the lower end of the centre line that runs down from the view below the blank.
TEST_P(ProblemPage, NoControlCoversAViewLine)
{
    const QImage img = image();
    const forms::Layout layout = missing_view::exerciseLayout(page(n()));
    const ProblemLayout places = problemLayout(n());
    int under = 0;
    for (const forms::ControlRecord& c : layout.controls) {
        if (c.name == "Label1")
            continue;
        const QRectF r = pixels(c.rect);
        for (const QPointF& p : raster::inkPixels(img, r.toAlignedRect())) {
            const bool allowed = n() == 14 && c.name == "Option2" &&
                                 std::any_of(viewOf(model(), Side::Top).centreLines.begin(), viewOf(model(), Side::Top).centreLines.end(),
                                             [&](const QLineF& l) {
                                                 const QLineF px(places.at.top.map(l.p1()), places.at.top.map(l.p2()));
                                                 return std::abs(px.dx()) < 1e-9 && std::abs(p.x() - px.x1()) < 1.5;
                                             });
            EXPECT_TRUE(allowed) << c.name << " covers ink at " << p.x() << "," << p.y();
            under += allowed;
        }
    }
    if (n() == 14) {
        EXPECT_GT(under, 0) << "the centre line below the blank runs on under Option2";
    }
}

// The proof of each page: its part's front view is the drawing under the correct option, and
// neither of the other two drawings, compared up to position and scale.
TEST_P(ProblemPage, MissingViewIsTheCandidateUnderTheCorrectOptionAndNoOther)
{
    const int correct = missing_view::answerKey()[std::size_t(n() - 1)].correctOption;
    const View& front = viewOf(model(), Side::Front);
    for (int option = 1; option <= 3; ++option) {
        const int v = page(n()).under[std::size_t(option - 1)].candidate;
        const raster::Agreement a = raster::matchUpToScale(decoded(names::candidateFile(v)), front);
        RecordProperty("option" + std::to_string(option) + "_V" + std::to_string(v), std::to_string(a.worst()));
        if (option == correct) {
            EXPECT_LE(a.worst(), 1.5) << "V" << v << " should be the front view";
        } else {
            EXPECT_GE(a.worst(), 4.0) << "V" << v << " should not be the front view";
        }
    }
}

// Pages 10 to 16 mark the axes: every view carries centre lines, drawn thin and broken into
// dashes and dots wherever they run clear of the edges.
TEST_P(ProblemPage, RoundPartsCarryDashDotCentreLinesInEveryView)
{
    const ProblemLayout layout = problemLayout(n());
    const QImage img = image();
    for (Side s : kAroundFront) {
        const View& v = viewOf(model(), s);
        SCOPED_TRACE(int(s));
        if (n() < 10) {
            EXPECT_TRUE(v.centreLines.empty());
            continue;
        }
        ASSERT_FALSE(v.centreLines.empty());
        const LineSet edges = raster::pixelLines(v, layout.at.of(s), false);
        for (const QLineF& c : v.centreLines) {
            const QLineF px(layout.at.of(s).map(c.p1()), layout.at.of(s).map(c.p2()));
            // Walk the line where it runs clear of the edges, counting its inked stretches and breaks.
            int inked = 0, clear = 0, breaks = 0;
            bool wasInk = true;
            for (double t = 0; t <= 1; t += 0.25 / px.length()) {
                const QPointF p = px.pointAt(t);
                if (distanceToLines(p, edges) < 3) {
                    wasInk = true;
                    continue;
                }
                const bool ink = qGray(img.pixel(int(p.x()), int(p.y()))) < 170;
                ++clear;
                inked += ink;
                breaks += wasInk && !ink;
                wasInk = ink;
            }
            EXPECT_GT(inked, clear / 2) << "the centre line is drawn";
            if (clear * 0.25 > 40) {  // long enough for a few dashes
                EXPECT_GE(breaks, 2) << "and drawn dash-dot";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ProblemPage, ::testing::Range(1, 17));

class Candidate : public ::testing::TestWithParam<int> {};

// Each candidate is the front view of its own model, on its ground, wholly inside every box
// that shows it (a box W x H twips shows W/15 - 4 by H/15 - 4 pixels).
TEST_P(Candidate, IsAFrontViewWhollyInsideEveryBoxThatShowsIt)
{
    const int v = GetParam();
    const QImage img = decoded(names::candidateFile(v));
    const CandidateDrawing& table = candidateDrawing(v);
    const QColor ground = table.white ? QColor(Qt::white) : problemGround();
    EXPECT_TRUE(near(img.pixel(0, img.height() - 1), ground, 2));
    for (const auto& [pageNumber, inner] : candidatePlaces(v))
        for (const QPointF& p : raster::inkPixels(img))
            ASSERT_TRUE(p.x() < inner.width() - 1 && p.y() < inner.height() - 1)
                << "ink at " << p.x() << "," << p.y() << " beyond the box on page " << pageNumber;
    const raster::Agreement a = raster::matchUpToScale(img, viewOf(candidateModel(v), Side::Front));
    EXPECT_LE(a.worst(), 1.5);
}

INSTANTIATE_TEST_SUITE_P(Drawings, Candidate, ::testing::Range(1, 25));

class Perspective : public ::testing::TestWithParam<int> {};

// The part stays inside what the window shows; a small blue axis marker stands beside it on every
// drawing but the first.
TEST_P(Perspective, ShowsThePartWithinTheWindowAndTheAxisMarker)
{
    const int n = GetParam();
    const QImage img = decoded(names::perspectiveFile(n));
    const missing_view::AidPage& aid = missing_view::aidPages()[std::size_t(n - 1)];
    const QRect seen(0, 0, std::min(img.width(), aid.clientWidth / 15), std::min(img.height(), aid.clientHeight / 15));
    int blue = 0, shaded = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            const bool white = near(c, Qt::white, kJpegLevels);
            if (!seen.adjusted(2, 2, -2, -2).contains(x, y)) {
                ASSERT_TRUE(white) << "the part reaches " << x << "," << y << ", outside the window";
            }
            blue += qBlue(c) > qRed(c) + 80 && qBlue(c) > qGreen(c) + 40;
            shaded += !white;
        }
    EXPECT_GT(shaded, img.width() * img.height() / 5);  // the part fills a good share of the drawing
    if (n == 1) {
        EXPECT_EQ(blue, 0);
    } else {
        EXPECT_GT(blue, 30);
    }
}

INSTANTIATE_TEST_SUITE_P(Drawings, Perspective, ::testing::Range(1, 17));

}  // namespace
