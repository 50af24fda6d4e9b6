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
// How far ink may lie from the exact line it draws: a 2 px edge put on the pixel grid sits up to
// half a pixel off its line, so its outer pixels' centres lie up to a pixel from it, and the one
// that closes a corner the square root of two.
constexpr double kStrokeReach = 1.5;
// The same, up to scale: the fit that lays the lines over the ink reads size from the ink's
// bounds, which sharp corners and the stroke's width widen by a fraction of a pixel.
constexpr double kUpToScaleReach = 1.6;

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

// The weight of every visible edge drawn on a picture, measured across it at a few places clear of
// every other line: a level or upright edge covers exactly two whole pixels there; across a sloped
// or round one the ink adds up to the same two pixels' worth, smoothed. Returns the places measured.
int expectOneEdgeWeight(const QImage& img, QColor ground, const std::vector<std::pair<const View*, Placement>>& views)
{
    constexpr int kWeight = 2;
    std::vector<LineSet> edges;
    std::vector<std::pair<QLineF, const Polyline*>> all;  // every stretch of every line, centre lines too
    for (const auto& [view, at] : views)
        edges.push_back(raster::pixelLines(*view, at, false));
    for (std::size_t k = 0; k < views.size(); ++k) {
        for (const Polyline& l : edges[k].lines)
            for (std::size_t i = 1; i < l.size(); ++i)
                all.emplace_back(QLineF(l[i - 1], l[i]), &l);
        for (const QLineF& c : views[k].first->centreLines)
            all.emplace_back(QLineF(views[k].second.map(c.p1()), views[k].second.map(c.p2())), nullptr);
    }
    // Another line comes near: one within a few pixels that is not this very line drawn again.
    const auto crowded = [&](const Polyline& line, QPointF p, QPointF way) {
        return std::any_of(all.begin(), all.end(), [&](const auto& stretch) {
            const QLineF& s = stretch.first;
            if (stretch.second == &line || distanceToLines(p, LineSet{{{s.p1(), s.p2()}}}) >= 5)
                return false;
            const QPointF d = (s.p2() - s.p1()) / std::max(s.length(), 1e-12);
            const bool along = std::abs(d.x() * way.y() - d.y() * way.x()) < 0.1 &&
                               std::abs((p - s.p1()).x() * d.y() - (p - s.p1()).y() * d.x()) < 0.5;
            return !along;
        });
    };
    int measured = 0;
    for (const LineSet& set : edges)
        for (const Polyline& line : set.lines) {
            const double length = LineSet{{line}}.length();
            if (length < 8)
                continue;
            for (const double f : {0.3, 0.5, 0.7}) {
                // the point at that share of the line's length, and the line's way there
                double left = f * length;
                QPointF p, way;
                for (std::size_t i = 1; i < line.size(); ++i) {
                    const QLineF s(line[i - 1], line[i]);
                    if (left <= s.length() || i + 1 == line.size()) {
                        p = s.pointAt(std::min(1.0, left / std::max(s.length(), 1e-12)));
                        way = (s.p2() - s.p1()) / std::max(s.length(), 1e-12);
                        break;
                    }
                    left -= s.length();
                }
                if (crowded(line, p, way))
                    continue;
                // Across the line from the pixel under it, as far as its ink goes.
                const bool level = std::abs(way.y()) <= std::abs(way.x());
                const QPoint at(int(std::floor(p.x())), int(std::floor(p.y())));
                const QPoint step = level ? QPoint(0, 1) : QPoint(1, 0);
                const auto darkAt = [&](QPoint q) { return img.rect().contains(q) ? raster::darkness(img.pixel(q), ground) : 0.0; };
                constexpr double kFaint = 0.05;  // JPEG's ringing aside
                int from = 0, to = 0;
                while (from > -4 && darkAt(at + step * (from - 1)) > kFaint)
                    --from;
                while (to < 4 && darkAt(at + step * (to + 1)) > kFaint)
                    ++to;
                double dark = 0;
                int ink = 0;
                for (int k = from; k <= to; ++k) {
                    dark += darkAt(at + step * k);
                    ink += img.rect().contains(at + step * k) && raster::isInk(img.pixel(at + step * k));
                }
                const QString where = QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
                if (std::min(std::abs(way.x()), std::abs(way.y())) < 1e-3) {
                    EXPECT_EQ(ink, kWeight) << "level or upright edge at " << where.toStdString();
                    EXPECT_EQ(to - from + 1, kWeight) << "nothing half-inked beside it at " << where.toStdString();
                } else {
                    const double slope = level ? std::abs(way.x()) : std::abs(way.y());
                    EXPECT_NEAR(dark * slope, kWeight, 0.3) << "sloped or round edge at " << where.toStdString();
                }
                ++measured;
            }
        }
    return measured;
}

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
    EXPECT_LE(a.strayInk, kStrokeReach);
    EXPECT_LE(a.missedEdge, 1.0);
}

// One weight for every visible edge of the views, wherever it falls on the pixels.
TEST_P(ProblemPage, EveryVisibleEdgeHasOneWeight)
{
    const ProblemLayout layout = problemLayout(n());
    std::vector<std::pair<const View*, Placement>> views;
    for (Side s : kAroundFront)
        views.emplace_back(&viewOf(model(), s), layout.at.of(s));
    EXPECT_GE(expectOneEdgeWeight(image(), problemGround(), views), 12);
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
            EXPECT_LE(a.worst(), kUpToScaleReach) << "V" << v << " should be the front view";
        } else {
            EXPECT_GE(a.worst(), 4.0) << "V" << v << " should not be the front view";
        }
    }
}

// The right candidate at the scale of the views it completes: laid into the blank by a whole-pixel
// move, it meets the four views line for line; the two wrong ones, moved anywhere near, do not.
TEST_P(ProblemPage, RightCandidateIsDrawnAtTheScaleOfTheViewsAndFitsThemWhereTheWrongOnesDoNot)
{
    const int correct = missing_view::answerKey()[std::size_t(n() - 1)].correctOption;
    const int right = page(n()).under[std::size_t(correct - 1)].candidate;
    const QImage img = image();
    const QRect blank = problemDrawing(n()).blank;
    const auto ground = [](int v) { return candidateDrawing(v).white ? QColor(Qt::white) : problemGround(); };

    // What the views give the front view: the span across of those above and below the blank,
    // the span up and down of those left and right of it; the right candidate spans as much.
    const QImage cand = decoded(names::candidateFile(right));
    const auto [cx0, cx1] = raster::thickSpan(cand, cand.rect(), ground(right), true);
    const auto [cy0, cy1] = raster::thickSpan(cand, cand.rect(), ground(right), false);
    const QRect above(blank.left(), 0, blank.width(), blank.top());
    const QRect below(blank.left(), blank.bottom() + 1, blank.width(), img.height() - blank.bottom() - 1);
    const QRect toLeft(0, blank.top(), blank.left(), blank.height());
    const QRect toRight(blank.right() + 1, blank.top(), img.width() - blank.right() - 1, blank.height());
    const auto [ax0, ax1] = raster::thickSpan(img, above, problemGround(), true);
    const auto [bx0, bx1] = raster::thickSpan(img, below, problemGround(), true);
    const auto [ly0, ly1] = raster::thickSpan(img, toLeft, problemGround(), false);
    const auto [ry0, ry1] = raster::thickSpan(img, toRight, problemGround(), false);
    RecordProperty("candidate_span", std::to_string(cx1 - cx0 + 1) + " x " + std::to_string(cy1 - cy0 + 1));
    RecordProperty("views_span", std::to_string(ax1 - ax0 + 1) + " x " + std::to_string(ly1 - ly0 + 1));
    // Within a pixel at either end: where a round outline meets a straight edge's line, the one is
    // smoothed and the other on the grid.
    EXPECT_NEAR(cx1 - cx0, ax1 - ax0, 2);
    EXPECT_NEAR(cx1 - cx0, bx1 - bx0, 2);
    EXPECT_NEAR(cy1 - cy0, ly1 - ly0, 2);
    EXPECT_NEAR(cy1 - cy0, ry1 - ry0, 2);

    // Its place in the blank is its place in its own picture moved by whole pixels.
    const Placement front = problemLayout(n()).at.front;
    const QPointF move = front.origin - candidateLayout(right).at.origin;
    ASSERT_NEAR(move.x(), std::round(move.x()), 1e-9);
    ASSERT_NEAR(move.y(), std::round(move.y()), 1e-9);
    const QPoint shift(int(std::lround(move.x())), int(std::lround(move.y())));
    // There it spans what the views give the front view, in line with them.
    EXPECT_NEAR(cx0 + shift.x(), ax0, 1);
    EXPECT_NEAR(cx1 + shift.x(), ax1, 1);
    EXPECT_NEAR(cx0 + shift.x(), bx0, 1);
    EXPECT_NEAR(cx1 + shift.x(), bx1, 1);
    EXPECT_NEAR(cy0 + shift.y(), ly0, 1);
    EXPECT_NEAR(cy1 + shift.y(), ly1, 1);
    EXPECT_NEAR(cy0 + shift.y(), ry0, 1);
    EXPECT_NEAR(cy1 + shift.y(), ry1, 1);
    // and its ink lies on the part's front view as the page places it.
    const View& view = viewOf(model(), Side::Front);
    std::vector<QPointF> moved;
    for (const QPointF& p : raster::inkPixels(cand))
        moved.push_back(p + QPointF(shift));
    const raster::Agreement a = raster::agreement(img, moved, raster::pixelLines(view, front, true), raster::pixelLines(view, front, false));
    EXPECT_LE(a.strayInk, kStrokeReach);
    EXPECT_LE(a.missedEdge, 1.0);

    // Pixel against pixel, with the front view drawn where it belongs: the worst distance from a
    // pixel of either to the other, for the candidate moved by `t`.
    Ink ink(img.size());
    drawView(ink, view, front);
    std::vector<QPoint> frontPixels;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (ink.cover(x, y) >= 0.5f)
                frontPixels.emplace_back(x, y);
    constexpr int kFar = 12;
    const raster::DistanceMap toFront = raster::distanceMap(frontPixels, img.size(), kFar);
    struct Drawn {
        std::vector<QPoint> cells;
        raster::DistanceMap near;
    };
    const auto drawn = [&](int v) {
        const QImage c = decoded(names::candidateFile(v));
        std::vector<QPoint> cells = raster::inkCells(c);
        raster::DistanceMap map = raster::distanceMap(cells, c.size(), kFar);
        return Drawn{std::move(cells), std::move(map)};
    };
    const auto apart = [&](const Drawn& c, QPoint t) {
        double worst = 0;
        for (const QPoint& p : c.cells)
            worst = std::max(worst, toFront.at(p + t));
        for (const QPoint& p : frontPixels)
            worst = std::max(worst, c.near.at(p - t));
        return worst;
    };
    EXPECT_LE(apart(drawn(right), shift), 1.0) << "V" << right << " laid into the blank";

    // A wrong candidate, moved anywhere about the front view's place, stays clear of it somewhere.
    QRect frontBox;
    for (const QPoint& p : frontPixels)
        frontBox |= QRect(p, QSize(1, 1));
    for (int option = 1; option <= 3; ++option) {
        if (option == correct)
            continue;
        const int v = page(n()).under[std::size_t(option - 1)].candidate;
        const Drawn wrong = drawn(v);
        QRect box;
        for (const QPoint& p : wrong.cells)
            box |= QRect(p, QSize(1, 1));
        const QPoint centred = frontBox.center() - box.center();
        double best = kFar;
        for (int dy = -8; dy <= 8; ++dy)
            for (int dx = -8; dx <= 8; ++dx)
                best = std::min(best, apart(wrong, centred + QPoint(dx, dy)));
        // Not `"V" + std::to_string(v) + ...`: GCC 12 at -O3 warns (-Wrestrict) on that insert at the front.
        RecordProperty(QStringLiteral("V%1_best_fit_px").arg(v).toStdString(), std::to_string(best));
        EXPECT_GE(best, 3.0) << "V" << v << " should not fit the views";
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
    EXPECT_LE(a.worst(), kUpToScaleReach);
}

// The same weight on the candidates as on the views they are compared with.
TEST_P(Candidate, EveryVisibleEdgeHasTheWeightOfTheViews)
{
    const int v = GetParam();
    const QColor ground = candidateDrawing(v).white ? QColor(Qt::white) : problemGround();
    EXPECT_GE(expectOneEdgeWeight(decoded(names::candidateFile(v)), ground, {{&viewOf(candidateModel(v), Side::Front), candidateLayout(v).at}}), 3);
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

// The axis marker, letters included, touches no pixel of the part: drawn with and without it, the
// pixels that it changes and the pixels of the part are nowhere neighbours.
TEST_P(Perspective, AxisMarkerStandsClearOfThePart)
{
    const int n = GetParam();
    const QImage part = drawPerspectivePart(n);
    const QImage whole = withAxisMarker(n, part);
    ASSERT_EQ(part.size(), whole.size());
    const QRgb white = qRgb(255, 255, 255);
    int marker = 0;
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x) {
            if (whole.pixel(x, y) == part.pixel(x, y))
                continue;
            ++marker;
            for (int v = std::max(0, y - 1); v <= std::min(part.height() - 1, y + 1); ++v)
                for (int u = std::max(0, x - 1); u <= std::min(part.width() - 1, x + 1); ++u)
                    ASSERT_EQ(part.pixel(u, v) | 0xff000000u, white) << "the marker at " << x << "," << y << " touches the part at " << u << "," << v;
        }
    if (n == 1) {
        EXPECT_EQ(marker, 0);
    } else {
        EXPECT_GT(marker, 100);
    }
}

INSTANTIATE_TEST_SUITE_P(Drawings, Perspective, ::testing::Range(1, 17));

}  // namespace
