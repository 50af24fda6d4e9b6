#pragma once
// A sheet of ISO 128 line-drawing primitives in pixel coordinates (x right, y down).
// Pictures are built as plain data first and rendered afterwards, so tests can read
// back exactly which lines, circles and hatched regions a drawing is made of.

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <string>
#include <variant>
#include <vector>

namespace drawing::iso {

// The line types of ISO 128 that our drawings use.
enum class Line {
    Thick,   // visible outlines and edges, thread crests in a side view
    Thin,    // thread roots, hatching
    Centre,  // thin long dash / dot: axes and centre lines
    Hidden,  // thin dashed: edges hidden behind something
};

// Widths in pixels; ISO 128 wants the thin line at most half the thick one.
struct Weights {
    double thick = 2.0;
    double thin = 1.0;
    double width(Line line) const { return line == Line::Thick ? thick : thin; }
};

// Each primitive carries the name of the part it belongs to ("screw", "nut"...),
// so a test can ask for the lines of one part only.
struct Segment {
    QPointF a, b;
    Line line = Line::Thick;
    std::string part;
};

struct Circle {
    QPointF centre;
    double radius = 0;
    Line line = Line::Thick;
    std::string part;
};

// Angles in degrees in screen terms: 0 points right (+x), 90 points down (+y); the arc
// runs from startDegrees through startDegrees + spanDegrees, clockwise on the screen.
struct Arc {
    QPointF centre;
    double radius = 0;
    double startDegrees = 0;
    double spanDegrees = 0;
    Line line = Line::Thin;
    std::string part;
};

struct Polyline {
    QPolygonF points;
    bool closed = false;
    Line line = Line::Thick;
    std::string part;
};

// A filled region without outline (a face of a part shown in light grey, a white cut face):
// the rings are filled even-odd, so a ring inside another one is a hole.
struct Face {
    std::vector<QPolygonF> rings;
    QColor colour;
    std::string part;
};

// Thin parallel lines clipped to the outline (even-odd), evenly spaced.
// angleDegrees is screen-based like Arc: 45 runs down to the right ("\"), 135 rises to the right ("/").
struct Hatch {
    QPolygonF outline;
    double angleDegrees = 135;
    double spacing = 5;
    std::string part;
};

// A capital-letter mark such as "A-A", drawn with our own stroke letters (no font needed).
struct Mark {
    QPointF baselineCentre;
    QString text;
    double height = 11;  // cap height in pixels
    std::string part;
};

using Primitive = std::variant<Segment, Circle, Arc, Polyline, Face, Hatch, Mark>;

struct Sheet {
    explicit Sheet(QSize pixels, QColor groundColour = Qt::white) : size(pixels), ground(groundColour) {}

    QSize size;
    QColor ground;
    Weights weights;
    std::vector<Primitive> items;

    Sheet& add(Primitive primitive)
    {
        items.push_back(std::move(primitive));
        return *this;
    }

    // Every primitive of one kind, optionally of one part only.
    template <class T>
    std::vector<T> all(const std::string& part = {}) const
    {
        std::vector<T> found;
        for (const Primitive& item : items)
            if (const T* p = std::get_if<T>(&item); p && (part.empty() || p->part == part))
                found.push_back(*p);
        return found;
    }

    // The smallest rectangle holding every drawn point, line widths and marks included.
    QRectF inkBounds() const;
    QRectF inkBounds(const std::string& part) const;
};

// The rectangle one primitive inks, its line width included.
QRectF inkBounds(const Primitive& primitive, const Weights& weights);

// --- Construction helpers for the conventions the drawings share ---------------------

// A regular hexagon; one vertex lies at rotationDegrees (screen angle) from the centre.
// With 0 the flats are at top and bottom; with 90 a vertex points up.
QPolygonF hexagon(QPointF centre, double circumradius, double rotationDegrees);

// The thin three-quarter circle of a thread seen end on, open in the upper left quarter
// (screen angles 180 to 270 are left out).
Arc threeQuarterCircle(QPointF centre, double radius, std::string part);

// A horizontal and a vertical centre line crossing at centre, reaching halfWidth and
// halfHeight either side.
void addCentreCross(Sheet& sheet, QPointF centre, double halfWidth, double halfHeight, const std::string& part);

// An axis-aligned rectangle as a closed polyline.
QPolygonF rectangle(double left, double top, double right, double bottom);

// A circle as a polygon fine enough to fill a face with a round hole.
QPolygonF circlePolygon(QPointF centre, double radius);

// The sheet mirrored in its diagonal (x and y swapped): a drawing built on a horizontal
// axis becomes the same drawing on a vertical one. Marks keep their letters upright.
Sheet transposed(const Sheet& sheet);

// --- Geometry the renderer and the tests share ---------------------------------------

// The line pieces a segment is drawn as: itself when continuous; for a centre line long
// dashes and dots laid out symmetrically, with a long dash at each end and across the
// middle; for a hidden line evenly spaced dashes with a dash at each end.
std::vector<QLineF> strokes(const Segment& segment);

// The hatch lines, clipped to the outline.
std::vector<QLineF> hatchLines(const Hatch& hatch);

// The stroke outlines of a mark's letters, and the rectangle they fill.
std::vector<QPolygonF> markStrokes(const Mark& mark);
QRectF markBounds(const Mark& mark);

// Whether a screen angle (degrees) lies on the arc.
bool arcCovers(const Arc& arc, double angleDegrees);

}  // namespace drawing::iso
