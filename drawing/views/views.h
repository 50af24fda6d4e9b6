#pragma once
// Orthographic views with hidden lines removed. The real edges of a solid are found once, in 3D,
// from the exact surfaces (a point lies on a real edge when the solid around it is not a
// half-space); each view keeps the parts of them, and of the outlines of its cylinders, that
// can see the viewer. Hidden edges are not drawn.

#include "drawing/views/solid.h"

#include <QLineF>
#include <QPointF>
#include <QRectF>

#include <cstdint>
#include <vector>

namespace drawing::views {

// Where the part is looked at from. A view's picture has `right` to the right and `up` upwards,
// and `toViewer` pointing out of the picture.
enum class Side { Front, Top, Bottom, Left, Right, Back };
struct Direction {
    Vec3 toViewer, right, up;
};
Direction direction(Side side);
// A view along any direction, `worldUp` showing upwards.
Direction direction(Vec3 toViewer, Vec3 worldUp);

constexpr std::uint8_t sideBit(Side s) { return std::uint8_t(1u << int(s)); }
constexpr std::uint8_t kAllSides = 0x3f;
constexpr std::uint8_t kAlongX = sideBit(Side::Left) | sideBit(Side::Right);
constexpr std::uint8_t kAlongY = sideBit(Side::Front) | sideBit(Side::Back);
constexpr std::uint8_t kAlongZ = sideBit(Side::Top) | sideBit(Side::Bottom);

using Polyline = std::vector<QPointF>;

// Lines of a view in its own coordinates (model units, y upwards), for drawing and comparing.
struct LineSet {
    std::vector<Polyline> lines;
    QRectF bounds() const;
    double length() const;
};

// The axis of a circular feature, or one arm of the cross on a circle: drawn in the views
// whose bits are set, wherever it does not shrink to a point.
struct CentreLine {
    Vec3 a, b;
    std::uint8_t sides = kAllSides;
};

struct View {
    LineSet edges;                    // visible edges and outlines
    std::vector<QLineF> centreLines;  // view coordinates, like the edges
};

using Polyline3 = std::vector<Vec3>;

class Model {
public:
    // step: the spacing of the samples along every line, in model units (0: a two-thousandth of
    // the part's diagonal).
    explicit Model(Solid solid, std::vector<CentreLine> centreLines = {}, double step = 0);

    View view(Side side) const;
    // The visible edges and outlines seen along the direction, in 3D.
    std::vector<Polyline3> visibleLines(Vec3 toViewer) const;
    LineSet visible(const Direction& d) const;

    const Solid& solid() const { return solid_; }
    const std::vector<Polyline3>& edges() const { return edges_; }
    const std::vector<CentreLine>& centreLines() const { return centreLines_; }
    double step() const { return step_; }

private:
    bool visibleFrom(Vec3 p, Vec3 toViewer) const;
    std::vector<Polyline3> outlines(Vec3 toViewer) const;

    Solid solid_;
    std::vector<CentreLine> centreLines_;
    Box3 bounds_;
    double size_ = 1, step_ = 1;
    std::vector<Polyline3> edges_;
};

// A polyline without the points that a straight run between its neighbours already gives.
Polyline simplified(const Polyline& line, double tolerance);

}  // namespace drawing::views
