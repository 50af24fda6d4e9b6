#pragma once
// Whole parts made of the mesh builders, for the shapes that fixings are shown with: a twist
// drill, a flat bar bent into a Z, and a block cut open along the axis of its hole. Each is a
// closed solid with its real edges; sizes are the caller's, in any unit.

#include "drawing/shaded/mesh.h"

#include <QPointF>

#include <vector>

namespace drawing::shaded {

// A two-flute twist drill along the frame's z: the point's tip at z = 0, the flutes up to
// `fluted`, where they run out into a plain shank ending at `length`.
struct TwistDrill {
    double radius = 5;
    double fluted = 50, length = 80;
    double helixDegrees = 30;   // the flutes' angle to the axis
    double pointDegrees = 118;  // the included angle of the point
    double web = 0.16;          // the core left between the flutes, as a share of the radius
    int segments = 64;
    int rowsPerTurn = 180;      // along the cross-section: fine enough for the point's cone
};
void addTwistDrill(Scene& scene, const Frame& frame, const TwistDrill& drill, QColor colour);

// A flat bar bent into a Z, seen in the frame's x-z plane, its width along y: the lower flange
// lies on z = 0 and runs from x = -lower to 0, an S-shaped bend (two arcs and a straight part)
// rises by `rise`, the upper flange runs on towards +x. The lower flange is pierced by a hole
// at x = holeAt, with a boss standing round it on its upper face when bossHeight > 0.
struct BentBar {
    double width = 24, thickness = 4;
    double lower = 34, upper = 30, rise = 26;
    double bendRadius = 7, slopeDegrees = 62;
    double holeAt = -19, holeRadius = 5.5;
    double bossRadius = 9, bossHeight = 0;
    int segments = 64;
};
void addBentBar(Scene& scene, const Frame& frame, const BentBar& bar, QColor colour);

// A block cut open along the axis of its hole: in frame terms it spans x0..x1, y 0..depth,
// z zLow..zHigh, the cut plane being y = 0 and the hole's axis the x axis. Only the half
// behind the cut is built, the cut faces flat. The hole opens in the face x = x1 and runs
// towards -x; its profile gives (depth from that face, radius) from the mouth to the bottom,
// and reaches x0 when it runs through. Its corners are drawn as edges only on the cut plane.
struct CutBlock {
    double x0, x1, depth, zLow, zHigh;
    std::vector<QPointF> hole;
    int segments = 32;  // round the half turn
};
void addCutBlock(Scene& scene, const Frame& frame, const CutBlock& block, QColor colour);

}  // namespace drawing::shaded
