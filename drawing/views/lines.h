#pragma once
// Putting views on a picture: where view coordinates land, antialiased strokes that never
// darken where two lines overlap, ISO 128 dash-dot centre lines, and the comparison of two
// line sets up to position and scale.

#include "drawing/views/views.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QSize>

#include <vector>

namespace drawing::views {

// View coordinates (y upwards) to picture pixels (y downwards).
struct Placement {
    double scale = 1;  // pixels per model unit
    QPointF origin;    // the pixel of the view's (0, 0)
    QPointF map(QPointF p) const { return {origin.x() + scale * p.x(), origin.y() - scale * p.y()}; }
    QRectF map(const QRectF& r) const { return QRectF(map(r.bottomLeft()), map(r.topRight())).normalized(); }
};

// Line widths and the centre-line pattern, in pixels.
struct Pens {
    int edge = 2;         // visible edges and outlines: thick, whole pixels so that level and upright ones stay crisp
    double centre = 0.8;  // centre lines: thin
    double dash = 11, gap = 2.5, dot = 1.2;
};

// How much ink each pixel takes: the largest cover of any stroke over it, so that a line drawn
// twice, or two lines that meet, look like one.
class Ink {
public:
    explicit Ink(QSize size);
    void segment(QPointF a, QPointF b, double width);
    // A level or upright line on whole rows or columns: `width` of them, whichever way it falls
    // on the pixels, its ends running on by half the width to close the corners it meets.
    void gridLine(QPointF a, QPointF b, int width);
    void polyline(const Polyline& pixels, double width);
    // A long-dash-dot line with a long dash centred on `anchor` (a point on the line), starting and
    // ending with a long dash.
    void dashDot(QPointF a, QPointF b, QPointF anchor, const Pens& pens);
    float cover(int x, int y) const { return cover_[std::size_t(y) * std::size_t(size_.width()) + std::size_t(x)]; }
    QSize size() const { return size_; }
    // Lays the ink over the image.
    void apply(QImage& image, QColor colour = Qt::black) const;

private:
    QSize size_;
    std::vector<float> cover_;
};

// Where on a centre line its dashes are centred: where it crosses another centre line of the
// view (the centre of a circle), else its middle.
QPointF dashAnchor(const QLineF& line, const std::vector<QLineF>& all);

void drawView(Ink& ink, const View& view, const Placement& at, const Pens& pens = {});

// The worst distance from a point of either set to the other, once both are centred and scaled
// so that the larger side of their bounds is 1. Identical drawings give about 0.
double mismatch(const LineSet& a, const LineSet& b);
// Points along the lines, `spacing` apart.
std::vector<QPointF> samples(const LineSet& set, double spacing);
double distanceToLines(QPointF p, const LineSet& set);

}  // namespace drawing::views
