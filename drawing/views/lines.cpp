#include "drawing/views/lines.h"

#include <algorithm>
#include <cmath>

namespace drawing::views {

namespace {

double segmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a, ap = p - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / len2, 0.0, 1.0) : 0.0;
    const QPointF d = ap - ab * t;
    return std::hypot(d.x(), d.y());
}

// Stretches [from, to] of a line of the given length that carry ink, measured from its start.
std::vector<std::pair<double, double>> dashes(double length, double anchor, const Pens& p)
{
    std::vector<std::pair<double, double>> out;
    const double half = p.dash / 2;
    double lo = std::max(0.0, anchor - half), hi = std::min(length, anchor + half);
    // Outwards from the central dash, one direction at a time; the last dash runs to the end.
    std::vector<std::pair<double, double>> after, before;
    const auto walk = [&](double start, double room, std::vector<std::pair<double, double>>& marks) -> double {
        double s = start;  // where the ink so far ends
        const double unit = 2 * p.gap + p.dot;
        while (room - s > unit + half) {
            marks.emplace_back(s + p.gap, s + p.gap + p.dot);
            const double d0 = s + unit, d1 = std::min(room, d0 + p.dash);
            marks.emplace_back(d0, d1);
            s = d1;
        }
        if (marks.empty())
            return room;  // the central dash itself runs to the end
        marks.back().second = room;
        return -1;
    };
    const double toEnd = walk(hi - anchor, length - anchor, after);
    const double toStart = walk(anchor - lo, anchor, before);
    if (toEnd >= 0)
        hi = length;
    if (toStart >= 0)
        lo = 0;
    out.emplace_back(lo, hi);
    for (const auto& [a, b] : after)
        out.emplace_back(anchor + a, anchor + b);
    for (const auto& [a, b] : before)
        out.emplace_back(anchor - b, anchor - a);
    return out;
}

}  // namespace

Ink::Ink(QSize size) : size_(size), cover_(std::size_t(size.width()) * std::size_t(size.height()), 0.0f) {}

void Ink::segment(QPointF a, QPointF b, double width)
{
    const double half = width / 2;
    const int x0 = std::max(0, int(std::floor(std::min(a.x(), b.x()) - half - 1)));
    const int x1 = std::min(size_.width() - 1, int(std::ceil(std::max(a.x(), b.x()) + half + 1)));
    const int y0 = std::max(0, int(std::floor(std::min(a.y(), b.y()) - half - 1)));
    const int y1 = std::min(size_.height() - 1, int(std::ceil(std::max(a.y(), b.y()) + half + 1)));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            // a pixel is covered in proportion to how far the stroke's edge lies past its centre
            const double d = segmentDistance({x + 0.5, y + 0.5}, a, b);
            const float c = float(std::clamp(half + 0.5 - d, 0.0, 1.0));
            float& cell = cover_[std::size_t(y) * std::size_t(size_.width()) + std::size_t(x)];
            cell = std::max(cell, c);
        }
}

void Ink::gridLine(QPointF a, QPointF b, int width)
{
    // An even width straddles a pixel edge, an odd one a pixel centre, as the centre lines do.
    const auto snap = [width](double v) { return width % 2 == 0 ? std::round(v) : std::floor(v) + 0.5; };
    const double half = width / 2.0;
    const bool level = std::abs(a.y() - b.y()) <= std::abs(a.x() - b.x());
    const double across = snap(level ? a.y() : a.x());
    const double from = snap(level ? std::min(a.x(), b.x()) : std::min(a.y(), b.y())) - half;
    const double to = snap(level ? std::max(a.x(), b.x()) : std::max(a.y(), b.y())) + half;
    const QRect cells = level ? QRect(QPoint(int(std::lround(from)), int(std::lround(across - half))),
                                      QPoint(int(std::lround(to)) - 1, int(std::lround(across + half)) - 1))
                              : QRect(QPoint(int(std::lround(across - half)), int(std::lround(from))),
                                      QPoint(int(std::lround(across + half)) - 1, int(std::lround(to)) - 1));
    const QRect r = cells & QRect(QPoint(0, 0), size_);
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            cover_[std::size_t(y) * std::size_t(size_.width()) + std::size_t(x)] = 1.0f;
}

void Ink::polyline(const Polyline& pixels, double width)
{
    if (pixels.size() == 1)
        segment(pixels[0], pixels[0], width);
    for (std::size_t i = 1; i < pixels.size(); ++i)
        segment(pixels[i - 1], pixels[i], width);
}

void Ink::dashDot(QPointF a, QPointF b, QPointF anchor, const Pens& pens)
{
    const QLineF line(a, b);
    const double len = line.length();
    if (len <= 0)
        return;
    const QPointF unit = (b - a) / len;
    const double at = std::clamp(QPointF::dotProduct(anchor - a, unit), 0.0, len);
    for (const auto& [from, to] : dashes(len, at, pens))
        segment(a + unit * from, a + unit * to, pens.centre);
}

void Ink::apply(QImage& image, QColor colour) const
{
    for (int y = 0; y < std::min(size_.height(), image.height()); ++y)
        for (int x = 0; x < std::min(size_.width(), image.width()); ++x) {
            const float c = cover(x, y);
            if (c <= 0)
                continue;
            const QColor under = image.pixelColor(x, y);
            const auto mix = [c](int from, int to) { return int(std::lround(from + (to - from) * double(c))); };
            image.setPixelColor(x, y, QColor(mix(under.red(), colour.red()), mix(under.green(), colour.green()),
                                             mix(under.blue(), colour.blue())));
        }
}

QPointF dashAnchor(const QLineF& line, const std::vector<QLineF>& all)
{
    for (const QLineF& other : all) {
        if (&other == &line)
            continue;
        QPointF at;
        if (line.intersects(other, &at) != QLineF::BoundedIntersection)
            continue;
        return at;
    }
    return line.center();
}

void drawView(Ink& ink, const View& view, const Placement& at, const Pens& pens)
{
    for (const Polyline& l : view.edges.lines) {
        Polyline pixels;
        for (const QPointF& p : l)
            pixels.push_back(at.map(p));
        if (pixels.size() == 1)
            ink.segment(pixels[0], pixels[0], pens.edge);
        // Level and upright edges go on the pixel grid, so that every edge shows the same weight
        // wherever it falls; the others, and crumbs shorter than a pixel, are smoothed at the same width.
        for (std::size_t i = 1; i < pixels.size(); ++i) {
            const QPointF a = pixels[i - 1], b = pixels[i];
            const double length = QLineF(a, b).length();
            if (length >= 1 && std::min(std::abs(a.x() - b.x()), std::abs(a.y() - b.y())) <= 1e-3 * length)
                ink.gridLine(a, b, pens.edge);
            else
                ink.segment(a, b, pens.edge);
        }
    }
    for (const QLineF& c : view.centreLines) {
        QPointF a = at.map(c.p1()), b = at.map(c.p2()), anchor = at.map(dashAnchor(c, view.centreLines));
        // A thin level or upright line sits on a row or column of pixels, crisp rather than smeared over two.
        const auto snap = [](double v) { return std::floor(v) + 0.5; };
        if (std::abs(a.x() - b.x()) < 1e-6)
            a.rx() = b.rx() = anchor.rx() = snap(a.x());
        if (std::abs(a.y() - b.y()) < 1e-6)
            a.ry() = b.ry() = anchor.ry() = snap(a.y());
        ink.dashDot(a, b, anchor, pens);
    }
}

std::vector<QPointF> samples(const LineSet& set, double spacing)
{
    std::vector<QPointF> out;
    for (const Polyline& l : set.lines) {
        if (l.size() == 1)
            out.push_back(l[0]);
        for (std::size_t i = 1; i < l.size(); ++i) {
            const QLineF s(l[i - 1], l[i]);
            const int n = std::max(1, int(std::ceil(s.length() / spacing)));
            for (int k = (i == 1 ? 0 : 1); k <= n; ++k)
                out.push_back(s.pointAt(double(k) / n));
        }
    }
    return out;
}

double distanceToLines(QPointF p, const LineSet& set)
{
    double best = 1e300;
    for (const Polyline& l : set.lines) {
        if (l.size() == 1)
            best = std::min(best, std::hypot(p.x() - l[0].x(), p.y() - l[0].y()));
        for (std::size_t i = 1; i < l.size(); ++i)
            best = std::min(best, segmentDistance(p, l[i - 1], l[i]));
    }
    return best;
}

double mismatch(const LineSet& a, const LineSet& b)
{
    const auto normal = [](const LineSet& s) {
        const QRectF r = s.bounds();
        const double k = 1 / std::max({r.width(), r.height(), 1e-12});
        LineSet out;
        for (const Polyline& l : s.lines) {
            Polyline m;
            for (const QPointF& p : l)
                m.push_back((p - r.center()) * k);
            out.lines.push_back(std::move(m));
        }
        return out;
    };
    const LineSet na = normal(a), nb = normal(b);
    double worst = 0;
    for (const QPointF& p : samples(na, 0.004))
        worst = std::max(worst, distanceToLines(p, nb));
    for (const QPointF& p : samples(nb, 0.004))
        worst = std::max(worst, distanceToLines(p, na));
    return worst;
}

}  // namespace drawing::views
