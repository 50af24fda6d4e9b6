#include "drawing/iso/sheet.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace drawing::iso {

namespace {

constexpr double degrees = std::numbers::pi / 180.0;

QPointF polar(QPointF centre, double radius, double angleDegrees)
{
    return centre + radius * QPointF(std::cos(angleDegrees * degrees), std::sin(angleDegrees * degrees));
}

// Centre-line proportions at a 1 px thin line: ISO 128 asks for a long dash of about
// 24 widths; our lines are short, so the dash is stretched or shrunk to fit a whole
// number of periods and the pattern stays symmetric about the middle.
constexpr double centreDash = 16, centreGap = 2.5, centreDot = 2;
constexpr double hiddenDash = 4, hiddenGap = 2;

std::vector<QLineF> centreStrokes(QPointF a, QPointF b)
{
    const QLineF line(a, b);
    const double half = line.length() / 2;
    const double period = 2 * centreGap + centreDot + centreDash;
    const int periods = std::max(0, static_cast<int>(std::lround((half - centreDash / 2) / period)));
    const double dash = (half - periods * (2 * centreGap + centreDot)) / (periods + 0.5);
    std::vector<QLineF> out;
    auto at = [&](double t) { return line.pointAt(t / line.length()); };
    // Walk out from the middle to each end: dash, gap, dot, gap, dash...
    out.emplace_back(at(half - dash / 2), at(half + dash / 2));
    double d = dash / 2;
    for (int i = 0; i < periods; ++i) {
        const double dotFrom = d + centreGap, dotTo = dotFrom + centreDot;
        const double dashFrom = dotTo + centreGap, dashTo = dashFrom + dash;
        out.emplace_back(at(half + dotFrom), at(half + dotTo));
        out.emplace_back(at(half - dotTo), at(half - dotFrom));
        out.emplace_back(at(half + dashFrom), at(std::min(2 * half, half + dashTo)));
        out.emplace_back(at(std::max(0.0, half - dashTo)), at(half - dashFrom));
        d = dashTo;
    }
    return out;
}

std::vector<QLineF> hiddenStrokes(QPointF a, QPointF b)
{
    const QLineF line(a, b);
    const double length = line.length();
    const int count = std::max(1, static_cast<int>(std::lround((length + hiddenGap) / (hiddenDash + hiddenGap))));
    const double dash = (length - (count - 1) * hiddenGap) / count;
    std::vector<QLineF> out;
    for (int i = 0; i < count; ++i) {
        const double from = i * (dash + hiddenGap);
        out.emplace_back(line.pointAt(from / length), line.pointAt((from + dash) / length));
    }
    return out;
}

// Stroke letters on a unit cap height (y down from the cap line to the baseline),
// after the upright lettering of ISO 3098.
struct Glyph {
    double advance;
    std::vector<QPolygonF> strokes;
};

QPolygonF bowl(double left, double top, double bottom, double reach)
{
    // A stroke from (left, top) out to the right and round to (left, bottom).
    const double radius = (bottom - top) / 2;
    const double straight = reach - radius;
    QPolygonF p;
    p << QPointF(left, top) << QPointF(left + straight, top);
    for (int i = 1; i < 12; ++i) {
        const double angle = -90 + 180.0 * i / 12;
        p << polar(QPointF(left + straight, top + radius), radius, angle);
    }
    p << QPointF(left + straight, bottom) << QPointF(left, bottom);
    return p;
}

Glyph glyph(QChar c)
{
    switch (c.unicode()) {
    case 'A':
        return {0.78, {QPolygonF{{QPointF(0, 1), QPointF(0.32, 0), QPointF(0.64, 1)}},
                       QPolygonF{{QPointF(0.11, 0.66), QPointF(0.53, 0.66)}}}};
    case 'B':
        return {0.74, {QPolygonF{{QPointF(0, 0), QPointF(0, 1)}}, bowl(0, 0, 0.48, 0.52), bowl(0, 0.48, 1, 0.58)}};
    case '-':
        return {0.6, {QPolygonF{{QPointF(0.06, 0.58), QPointF(0.44, 0.58)}}}};
    case ' ':
        return {0.5, {}};
    default:
        throw std::invalid_argument("mark: no stroke letter for '" + QString(c).toStdString() + "'");
    }
}

double markWidth(const QString& text)
{
    double width = 0;
    for (QChar c : text)
        width += glyph(c).advance;
    return text.isEmpty() ? 0 : width - 0.14;  // no spacing after the last letter
}

void unite(QRectF& bounds, const QRectF& r)
{
    bounds = bounds.isNull() ? r : bounds.united(r);
}

QRectF padded(const QRectF& r, double pad)
{
    return r.adjusted(-pad, -pad, pad, pad);
}

QRectF arcBounds(const Arc& arc)
{
    QPolygonF p;
    for (int i = 0; i <= 64; ++i)
        p << polar(arc.centre, arc.radius, arc.startDegrees + arc.spanDegrees * i / 64);
    return p.boundingRect();
}

}  // namespace

QRectF Sheet::inkBounds() const
{
    return inkBounds(std::string());
}

QRectF Sheet::inkBounds(const std::string& part) const
{
    QRectF bounds;
    for (const Primitive& item : items)
        if (part.empty() || std::visit([&](const auto& p) { return p.part == part; }, item))
            unite(bounds, drawing::iso::inkBounds(item, weights));
    return bounds;
}

QRectF inkBounds(const Primitive& primitive, const Weights& weights)
{
    return std::visit(
        [&](const auto& p) {
            using T = std::decay_t<decltype(p)>;
            if constexpr (std::is_same_v<T, Segment>)
                return padded(QRectF(p.a, p.b).normalized(), weights.width(p.line) / 2);
            else if constexpr (std::is_same_v<T, Circle>)
                return padded(QRectF(p.centre, p.centre), p.radius + weights.width(p.line) / 2);
            else if constexpr (std::is_same_v<T, Arc>)
                return padded(arcBounds(p), weights.width(p.line) / 2);
            else if constexpr (std::is_same_v<T, Polyline>)
                return padded(p.points.boundingRect(), weights.width(p.line) / 2);
            else if constexpr (std::is_same_v<T, Face>) {
                QRectF bounds;
                for (const QPolygonF& ring : p.rings)
                    unite(bounds, ring.boundingRect());
                return bounds;
            } else if constexpr (std::is_same_v<T, Hatch>)
                return p.outline.boundingRect();
            else
                return padded(markBounds(p), p.height / 10);
        },
        primitive);
}

QPolygonF hexagon(QPointF centre, double circumradius, double rotationDegrees)
{
    QPolygonF p;
    for (int i = 0; i < 6; ++i)
        p << polar(centre, circumradius, rotationDegrees + 60.0 * i);
    return p;
}

Arc threeQuarterCircle(QPointF centre, double radius, std::string part)
{
    // From straight up (270) clockwise through right, down and left (540 = 180):
    // the quarter between left and up stays open.
    return Arc{centre, radius, 270, 270, Line::Thin, std::move(part)};
}

void addCentreCross(Sheet& sheet, QPointF centre, double halfWidth, double halfHeight, const std::string& part)
{
    sheet.add(Segment{centre - QPointF(halfWidth, 0), centre + QPointF(halfWidth, 0), Line::Centre, part});
    sheet.add(Segment{centre - QPointF(0, halfHeight), centre + QPointF(0, halfHeight), Line::Centre, part});
}

QPolygonF rectangle(double left, double top, double right, double bottom)
{
    return QPolygonF{{QPointF(left, top), QPointF(right, top), QPointF(right, bottom), QPointF(left, bottom)}};
}

QPolygonF circlePolygon(QPointF centre, double radius)
{
    QPolygonF p;
    for (int i = 0; i < 120; ++i)
        p << polar(centre, radius, 3.0 * i);
    return p;
}

Sheet transposed(const Sheet& sheet)
{
    auto swap = [](QPointF p) { return QPointF(p.y(), p.x()); };
    auto swapAll = [&](const QPolygonF& poly) {
        QPolygonF out;
        for (QPointF p : poly)
            out << swap(p);
        return out;
    };
    Sheet out(sheet.size.transposed(), sheet.ground);
    out.weights = sheet.weights;
    for (const Primitive& item : sheet.items) {
        std::visit(
            [&](auto p) {
                using T = std::decay_t<decltype(p)>;
                if constexpr (std::is_same_v<T, Segment>) {
                    p.a = swap(p.a);
                    p.b = swap(p.b);
                } else if constexpr (std::is_same_v<T, Circle>) {
                    p.centre = swap(p.centre);
                } else if constexpr (std::is_same_v<T, Arc>) {
                    // A mirror turns angles round: a becomes 90 - a, the arc runs the other way.
                    p.centre = swap(p.centre);
                    p.startDegrees = 90 - p.startDegrees - p.spanDegrees;
                } else if constexpr (std::is_same_v<T, Polyline>) {
                    p.points = swapAll(p.points);
                } else if constexpr (std::is_same_v<T, Face>) {
                    for (QPolygonF& ring : p.rings)
                        ring = swapAll(ring);
                } else if constexpr (std::is_same_v<T, Hatch>) {
                    p.outline = swapAll(p.outline);
                    p.angleDegrees = 90 - p.angleDegrees;
                } else {
                    p.baselineCentre = swap(p.baselineCentre);
                }
                out.add(p);
            },
            item);
    }
    return out;
}

std::vector<QLineF> strokes(const Segment& segment)
{
    switch (segment.line) {
    case Line::Centre:
        return centreStrokes(segment.a, segment.b);
    case Line::Hidden:
        return hiddenStrokes(segment.a, segment.b);
    default:
        return {QLineF(segment.a, segment.b)};
    }
}

std::vector<QLineF> hatchLines(const Hatch& hatch)
{
    const QPointF d(std::cos(hatch.angleDegrees * degrees), std::sin(hatch.angleDegrees * degrees));
    const QPointF n(-d.y(), d.x());
    auto dot = [](QPointF u, QPointF v) { return u.x() * v.x() + u.y() * v.y(); };
    const QPolygonF& poly = hatch.outline;
    if (poly.size() < 3 || hatch.spacing <= 0)
        return {};
    double low = dot(n, poly[0]), high = low;
    for (QPointF p : poly) {
        low = std::min(low, dot(n, p));
        high = std::max(high, dot(n, p));
    }
    // Lines at whole multiples of the spacing from the origin, so that regions of one
    // part drawn separately carry one continuous pattern.
    std::vector<QLineF> out;
    for (long k = std::lround(std::ceil(low / hatch.spacing)); k * hatch.spacing <= high; ++k) {
        const double c = k * hatch.spacing;
        std::vector<double> cuts;
        for (qsizetype i = 0; i < poly.size(); ++i) {
            const QPointF p = poly[i], q = poly[(i + 1) % poly.size()];
            const double sp = dot(n, p) - c, sq = dot(n, q) - c;
            if ((sp < 0) != (sq < 0))
                cuts.push_back(dot(d, p + (q - p) * (sp / (sp - sq))));
        }
        std::sort(cuts.begin(), cuts.end());
        for (size_t i = 0; i + 1 < cuts.size(); i += 2)
            out.emplace_back(c * n + cuts[i] * d, c * n + cuts[i + 1] * d);
    }
    return out;
}

std::vector<QPolygonF> markStrokes(const Mark& mark)
{
    const double h = mark.height;
    QPointF origin = mark.baselineCentre - QPointF(markWidth(mark.text) * h / 2, h);
    std::vector<QPolygonF> out;
    for (QChar c : mark.text) {
        const Glyph g = glyph(c);
        for (const QPolygonF& stroke : g.strokes) {
            QPolygonF placed;
            for (QPointF p : stroke)
                placed << origin + p * h;
            out.push_back(placed);
        }
        origin += QPointF(g.advance * h, 0);
    }
    return out;
}

QRectF markBounds(const Mark& mark)
{
    const double w = markWidth(mark.text) * mark.height;
    return QRectF(mark.baselineCentre.x() - w / 2, mark.baselineCentre.y() - mark.height, w, mark.height);
}

bool arcCovers(const Arc& arc, double angleDegrees)
{
    const double from = std::min(arc.startDegrees, arc.startDegrees + arc.spanDegrees);
    const double span = std::abs(arc.spanDegrees);
    const double offset = std::fmod(std::fmod(angleDegrees - from, 360.0) + 360.0, 360.0);
    return span >= 360 || offset <= span;
}

}  // namespace drawing::iso
