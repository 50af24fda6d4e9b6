#pragma once
// Reading the drawn Pellmora files back: the ink on a decoded picture and how well it agrees
// with the lines a view should show there.

#include "drawing/views/lines.h"
#include "missing-view/pictures/pictures.h"

#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace raster {

using namespace drawing::views;

// The bytes of one file of the picture set, drawn on demand.
inline QByteArray fileBytes(const std::string& file)
{
    for (const drawing::PictureFile& f : missing_view::pictures())
        if (f.file.toStdString() == file)
            return f.bytes();
    ADD_FAILURE() << "no picture " << file;
    return {};
}

inline QImage decoded(const std::string& file)
{
    static std::map<std::string, QImage> seen;
    auto it = seen.find(file);
    if (it == seen.end())
        it = seen.emplace(file, QImage::fromData(fileBytes(file), "JPEG").convertToFormat(QImage::Format_RGB32)).first;
    return it->second;
}

// Far from every ground and shade these pictures use: the black of a line.
inline bool isInk(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c) < 3 * 128; }

inline std::vector<QPointF> inkPixels(const QImage& image, QRect region = {})
{
    if (region.isNull())
        region = image.rect();
    region &= image.rect();
    std::vector<QPointF> out;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (isInk(image.pixel(x, y)))
                out.emplace_back(x + 0.5, y + 0.5);
    return out;
}

// A view's lines in picture pixels: its edges, and its centre lines too when asked.
inline LineSet pixelLines(const View& view, const Placement& at, bool withCentreLines)
{
    LineSet out;
    for (const Polyline& l : view.edges.lines) {
        Polyline p;
        for (const QPointF& q : l)
            p.push_back(at.map(q));
        out.lines.push_back(std::move(p));
    }
    if (withCentreLines)
        for (const QLineF& c : view.centreLines)
            out.lines.push_back({at.map(c.p1()), at.map(c.p2())});
    return out;
}

inline void append(LineSet& to, const LineSet& more) { to.lines.insert(to.lines.end(), more.lines.begin(), more.lines.end()); }

// How far, in pixels, the ink strays from where lines belong, and how far the edges that must
// show lie from any ink: both about 0 when the picture shows exactly those lines.
struct Agreement {
    double strayInk = 0, missedEdge = 0;
    double worst() const { return std::max(strayInk, missedEdge); }
};

inline Agreement agreement(const QImage& image, const std::vector<QPointF>& ink, const LineSet& belongs, const LineSet& mustShow)
{
    Agreement a;
    for (const QPointF& p : ink)
        a.strayInk = std::max(a.strayInk, distanceToLines(p, belongs));
    // ink is looked for around each point of an edge, nearest first
    std::vector<char> mask(std::size_t(image.width()) * std::size_t(image.height()), 0);
    for (const QPointF& p : ink)
        mask[std::size_t(p.y()) * std::size_t(image.width()) + std::size_t(p.x())] = 1;
    for (const QPointF& p : samples(mustShow, 0.5)) {
        double best = 99;
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const int x = int(std::floor(p.x())) + dx, y = int(std::floor(p.y())) + dy;
                if (x < 0 || y < 0 || x >= image.width() || y >= image.height() ||
                    !mask[std::size_t(y) * std::size_t(image.width()) + std::size_t(x)])
                    continue;
                best = std::min(best, std::hypot(x + 0.5 - p.x(), y + 0.5 - p.y()));
            }
        a.missedEdge = std::max(a.missedEdge, best);
    }
    return a;
}

inline QRectF inkBounds(const std::vector<QPointF>& ink)
{
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const QPointF& p : ink) {
        x0 = std::min(x0, p.x()), y0 = std::min(y0, p.y());
        x1 = std::max(x1, p.x()), y1 = std::max(y1, p.y());
    }
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

// How much of a pixel a line covers, from its colour over the ground: 0 for the ground, 1 for black.
inline double darkness(QRgb c, QColor ground)
{
    const double g = ground.red() + ground.green() + ground.blue();
    return std::clamp(1 - (qRed(c) + qGreen(c) + qBlue(c)) / g, 0.0, 1.0);
}

// The span (first and last pixel) that thick lines cover in a region, left to right when
// `alongX`, else top to bottom. Thin centre lines do not count: a pixel counts when it is ink and
// the line through it carries more than one pixel of ink across that direction's perpendicular.
inline std::pair<int, int> thickSpan(const QImage& image, QRect region, QColor ground, bool alongX)
{
    region &= image.rect();
    int lo = 1 << 20, hi = -(1 << 20);
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            if (!isInk(image.pixel(x, y)))
                continue;
            double across = 0;
            for (int k = -1; k <= 1; ++k) {
                const QPoint q = alongX ? QPoint(x, y + k) : QPoint(x + k, y);
                if (image.rect().contains(q))
                    across += darkness(image.pixel(q), ground);
            }
            if (across < 1.3)
                continue;
            lo = std::min(lo, alongX ? x : y);
            hi = std::max(hi, alongX ? x : y);
        }
    return {lo, hi};
}

// For every pixel of a picture of `size`, the distance from its centre to the nearest of the
// given pixels, up to `cap`.
struct DistanceMap {
    QSize size;
    double cap;
    std::vector<float> d;
    double at(QPoint p) const
    {
        return QRect(QPoint(0, 0), size).contains(p) ? d[std::size_t(p.y()) * std::size_t(size.width()) + std::size_t(p.x())] : cap;
    }
};

inline DistanceMap distanceMap(const std::vector<QPoint>& pixels, QSize size, int cap)
{
    DistanceMap m{size, double(cap), std::vector<float>(std::size_t(size.width()) * std::size_t(size.height()), float(cap))};
    for (const QPoint& p : pixels)
        for (int dy = -cap; dy <= cap; ++dy)
            for (int dx = -cap; dx <= cap; ++dx) {
                const QPoint q = p + QPoint(dx, dy);
                if (!QRect(QPoint(0, 0), size).contains(q))
                    continue;
                float& cell = m.d[std::size_t(q.y()) * std::size_t(size.width()) + std::size_t(q.x())];
                cell = std::min(cell, float(std::hypot(dx, dy)));
            }
    return m;
}

inline std::vector<QPoint> inkCells(const QImage& image)
{
    std::vector<QPoint> out;
    for (const QPointF& p : inkPixels(image))
        out.emplace_back(int(p.x()), int(p.y()));
    return out;
}

// A drawing against a view up to position and uniform scale: the view is laid over the ink
// with the ink's centre and size, then the two are compared.
inline Agreement matchUpToScale(const QImage& image, const View& view)
{
    const std::vector<QPointF> ink = inkPixels(image);
    if (ink.empty())
        return {99, 99};
    const QRectF seen = inkBounds(ink);
    QRectF lines = view.edges.bounds();
    for (const QLineF& c : view.centreLines)
        lines = lines.united(QRectF(c.p1(), c.p2()).normalized());
    const double scale = (seen.width() / lines.width() + seen.height() / lines.height()) / 2;
    const Placement at{scale, {seen.center().x() - scale * lines.center().x(), seen.center().y() + scale * lines.center().y()}};
    return agreement(image, ink, pixelLines(view, at, true), pixelLines(view, at, false));
}

}  // namespace raster
