#include "missing-view/models/drawings.h"

#include "drawing/encode.h"
#include "drawing/shaded/shaded.h"
#include "drawing/views/polyhedron.h"
#include "missing-view/missing_view.h"
#include "missing-view/models/parts.h"
#include "missing-view/models/tables.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace missing_view::models {

using namespace drawing::views;

namespace {

QRectF pixels(const forms::Rect& r)
{
    constexpr double k = forms::kTwipsPerPixel;
    return QRectF(r.left / k, r.top / k, r.width / k, r.height / k);
}

QRectF united(QRectF a, const QRectF& b) { return a.isNull() ? b : b.isNull() ? a : a.united(b); }

QRectF edgeBounds(const View& v) { return v.edges.bounds(); }

// The one line allowed under a control: the lower end of the centre line below the blank of page 14.
bool centreLineMayPassUnder(int page, Side side, const QRectF& control, const ProblemDrawing& sheet)
{
    return page == 14 && side == Side::Top && control.top() >= sheet.blank.bottom();
}

}  // namespace

const View& viewOf(const Model& model, Side side)
{
    static std::map<std::pair<const Model*, Side>, View> views;
    const auto key = std::pair{&model, side};
    auto it = views.find(key);
    if (it == views.end())
        it = views.emplace(key, model.view(side)).first;
    return it->second;
}

QRectF contentBounds(const View& view)
{
    QRectF r = view.edges.bounds();
    for (const QLineF& l : view.centreLines)
        r = united(r, QRectF(l.p1(), l.p2()).normalized().adjusted(-1e-9, -1e-9, 1e-9, 1e-9));
    return r;
}

std::vector<QRectF> controlsOver(int page)
{
    const ExercisePage& p = exercisePages().at(std::size_t(page - 1));
    const QSize size = problemDrawing(page).size;
    std::vector<QRectF> out;
    std::vector<QRectF> all{pixels(p.command1), pixels(p.command2)};
    for (Twips left : p.optionLeft)
        all.push_back(pixels({left, p.optionsTop, 1455, 375}));
    for (const CandidateBox& b : p.under)
        all.push_back(pixels(b.rect));
    for (const QRectF& r : all)
        if (r.intersects(QRectF(QPointF(0, 0), QSizeF(size))))
            out.push_back(r);
    return out;
}

int rightCandidate(int page)
{
    for (int v = 1; v <= 24; ++v)
        if (rightPage(v) == page)
            return v;
    throw std::out_of_range("problem drawing " + std::to_string(page) + ": no candidate is its missing view");
}

ProblemLayout problemLayout(int page)
{
    const Model& m = part(page);
    const ProblemDrawing& sheet = problemDrawing(page);
    const QRectF blank(sheet.blank);
    const QRectF picture = QRectF(QPointF(0, 0), QSizeF(sheet.size)).adjusted(3, 3, -3, -3);
    const std::vector<QRectF> controls = controlsOver(page);
    const View& front = viewOf(m, Side::Front);
    const QRectF content = contentBounds(front);
    constexpr double kMargin = 5;  // white around the missing view inside the blank
    const auto bounds = [&](Side s) { return edgeBounds(viewOf(m, s)); };
    const auto fail = [page](const std::string& why) {
        return std::runtime_error("problem drawing " + std::to_string(page) + ": " + why);
    };

    // The right candidate sets the scale: laid into the blank, it meets the views line for line.
    // Its place there differs from its place in its own picture by whole pixels, so that the
    // lines put on the pixel grid fall on the same rows and columns in both.
    const Placement candidate = candidateLayout(rightCandidate(page)).at;
    const double scale = candidate.scale;
    const QPointF centred(blank.center().x() - scale * content.center().x(), blank.center().y() + scale * content.center().y());
    const QPointF shift = centred - candidate.origin;
    const Placement at{scale, candidate.origin + QPointF(std::round(shift.x()), std::round(shift.y()))};
    if (!blank.adjusted(kMargin, kMargin, -kMargin, -kMargin).contains(at.map(content)))
        throw fail("the missing view at its candidate's scale is larger than the blank");

    const QRectF outline = at.map(front.edges.bounds());
    Gaps chosen;
    for (Side side : kAroundFront) {
        const View& v = viewOf(m, side);
        // the gap that puts the view about 14 pixels off the blank, where it fits
        const double nearEdge = side == Side::Top      ? blank.bottom() - outline.bottom()
                                : side == Side::Bottom ? outline.top() - blank.top()
                                : side == Side::Left   ? blank.right() - outline.right()
                                                       : outline.left() - blank.left();
        const bool farthest = page == 14 && side == Side::Top;
        double best = -1;
        for (double g = 0; g < 250; g += 0.5) {
            Gaps gaps{g, g, g, g};
            const Placement p = firstAngle(at, bounds, gaps).of(side);
            const QRectF lines = p.map(contentBounds(v)), edges = p.map(edgeBounds(v));
            bool ok = picture.contains(lines) && !lines.intersects(blank.adjusted(-3, -3, 3, 3));
            for (const QRectF& c : controls)
                ok = ok && !(centreLineMayPassUnder(page, side, c, sheet) ? edges : lines).intersects(c.adjusted(-2, -2, 2, 2));
            if (ok && (best < 0 || farthest || std::abs(g - nearEdge - 14) < std::abs(best - nearEdge - 14)))
                best = g;
        }
        if (best < 0)
            throw fail("a view finds no room beside the blank");
        (side == Side::Top ? chosen.below : side == Side::Bottom ? chosen.above : side == Side::Left ? chosen.right : chosen.left) = best;
    }
    return {firstAngle(at, bounds, chosen), sheet.size, sheet.blank};
}

QImage drawProblem(int page)
{
    const ProblemLayout layout = problemLayout(page);
    const Model& m = part(page);
    QImage image(layout.size, QImage::Format_RGB32);
    image.fill(problemGround());
    {
        QPainter p(&image);
        p.fillRect(layout.blank, Qt::white);
    }
    Ink ink(layout.size);
    for (Side side : kAroundFront)
        drawView(ink, viewOf(m, side), layout.at.of(side));
    ink.apply(image);
    return image;
}

CandidateLayout candidateLayout(int v)
{
    const CandidateDrawing& c = candidateDrawing(v);
    QRect shown(QPoint(0, 0), c.size);
    for (const auto& [page, inner] : candidatePlaces(v))
        shown &= QRect(QPoint(0, 0), inner);
    const QRectF content = contentBounds(viewOf(candidateModel(v), Side::Front));
    constexpr double kMargin = 3;
    // Every candidate fills what its boxes show, the right one too: its page draws the views at its scale.
    const double scale = std::min((shown.width() - 2 * kMargin) / content.width(), (shown.height() - 2 * kMargin) / content.height());
    const QPointF centre = QRectF(shown).center();
    const Placement at{scale, {centre.x() - scale * content.center().x(), centre.y() + scale * content.center().y()}};
    return {at, c.size, shown, c.white ? QColor(Qt::white) : problemGround()};
}

QImage drawCandidate(int v)
{
    const CandidateLayout layout = candidateLayout(v);
    QImage image(layout.size, QImage::Format_RGB32);
    image.fill(layout.ground);
    Ink ink(layout.size);
    drawView(ink, viewOf(candidateModel(v), Side::Front), layout.at);
    ink.apply(image);
    return image;
}

QByteArray candidateJpeg(int v) { return drawing::jpeg(drawCandidate(v), candidateDrawing(v).size, kJpegQuality); }

namespace {

namespace sh = drawing::shaded;

// The oblique view of every perspective drawing, from the front left and above.
sh::Camera perspectiveCamera()
{
    sh::Camera camera;
    camera.direction = QVector3D(-1.0f, 1.3f, -0.85f);
    return camera;
}

// What the window shows of perspective drawing n: it cuts the drawing off at its client area.
QRect perspectiveSeen(int n)
{
    const QSize size = perspectiveSize(n);
    const AidPage& aid = aidPages().at(std::size_t(n - 1));
    return QRect(0, 0, std::min(size.width(), aid.clientWidth / forms::kTwipsPerPixel),
                 std::min(size.height(), aid.clientHeight / forms::kTwipsPerPixel));
}

}  // namespace

QImage drawPerspectivePart(int n)
{
    const Model& m = part(n);
    const QSize size = perspectiveSize(n);
    const QRect seen = perspectiveSeen(n);  // the part stays inside what is seen
    const double margin = 0.1 * std::min(seen.width(), seen.height());

    sh::Scene scene;
    const QColor grey(224, 224, 228), lavender(216, 208, 244);
    const auto q = [](Vec3 p) { return QVector3D(float(p.x), float(p.y), float(p.z)); };
    for (const Facet& f : tessellate(m.solid()))
        for (std::size_t k = 1; k + 1 < f.points.size(); ++k)
            scene.triangles.push_back({q(f.points[0]), q(f.points[k]), q(f.points[k + 1]), f.tone == Tone::Stock ? grey : lavender});
    const sh::Camera camera = perspectiveCamera();
    sh::Options options;
    options.size = size;
    options.ground = Qt::white;
    options.silhouettes = false;  // the outlines come from the exact solid, below
    options.lightFromCamera = true;
    options.light = QVector3D(-0.5f, 0.6f, 1.0f);
    options.ambient = 0.62;
    options.fitBox = QRectF(margin, margin, seen.width() - 2 * margin, seen.height() - 2 * margin);
    QImage image = sh::render(scene, camera, options);

    // The edges and outlines that the eye sees, from the exact solid, over the shading.
    const Vec3 toEye = normalised(Vec3{1.0, -1.3, 0.85});
    Ink ink(size);
    for (const Polyline3& line : m.visibleLines(toEye)) {
        std::vector<QVector3D> points;
        for (const Vec3& p : line)
            points.push_back(q(p));
        const std::vector<QPointF> at = sh::projectAll(scene, camera, options, points);
        ink.polyline(simplified(at, 0.05), 1.1);
    }
    ink.apply(image, QColor(20, 20, 20));
    return image;
}

QImage withAxisMarker(int n, QImage image)
{
    if (n == 1)
        return image;
    // The axis marker goes where the part leaves room for it, off the part by a few pixels.
    const QRect seen = perspectiveSeen(n);
    const int inset = int(std::lround(0.04 * std::min(seen.width(), seen.height())));
    const double length = 0.09 * std::min(seen.width(), seen.height());
    const std::optional<QPointF> at = sh::axisMarkerPlace(image, Qt::white, seen.adjusted(inset, inset, -inset, -inset),
                                                          perspectiveCamera(), length, 6);
    if (!at)
        throw std::runtime_error("perspective drawing " + std::to_string(n) + ": no room for the axis marker beside the part");
    sh::drawAxisMarker(image, perspectiveCamera(), *at, length);
    return image;
}

QImage drawPerspective(int n) { return withAxisMarker(n, drawPerspectivePart(n)); }

}  // namespace missing_view::models
