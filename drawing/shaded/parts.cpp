#include "drawing/shaded/parts.h"

#include <algorithm>
#include <cmath>

namespace drawing::shaded {

void addTwistDrill(Scene& scene, const Frame& frame, const TwistDrill& d, QColor colour)
{
    const double r = d.radius, web = d.web * r, fluted = d.fluted;
    Helix h;
    h.start = 0, h.end = fluted, h.lead = 2 * M_PI * r / std::tan(radians(d.helixDegrees));
    h.segments = d.segments;
    for (int i = 0; i < d.rowsPerTurn; ++i)
        h.phases.push_back(h.lead * i / d.rowsPerTurn);
    const double pointSlope = std::tan(radians(d.pointDegrees / 2)), lead = h.lead;
    h.radius = [=](double phase, double z) {
        // The cross-section, half a turn per flute: the margin at full size, the land just
        // inside it (body clearance), then the flute down to the web.
        const double a = std::fmod(2 * M_PI * phase / lead, M_PI) / M_PI;
        double rr = r;
        if (a > 0.06 && a < 0.42)
            rr = 0.965 * r;
        else if (a >= 0.42)
            rr = web + (r - web) * (1 - std::pow(std::sin(M_PI * (a - 0.42) / 0.58), 0.8));
        rr = std::min(rr, z * pointSlope);         // the point
        rr = std::max(rr, r - (fluted - z) * 0.35);  // the flutes run out
        return std::max(0.0, rr);
    };
    addHelix(scene, frame, h, colour);
    Lathe shank;
    const double chamfer = 0.12 * r;
    shank.profile = {{r, fluted}, {r, d.length - chamfer}, {r - chamfer, d.length}, {0, d.length}};
    shank.segments = d.segments;
    addLathe(scene, frame, shank, colour);
}

void addBentBar(Scene& scene, const Frame& f, const BentBar& b, QColor colour)
{
    const double slope = radians(b.slopeDegrees), bend = b.bendRadius, t = b.thickness;
    // The centre line in (x, z) with its left normal: lower flange, arc, straight, arc, upper flange.
    std::vector<QPointF> centre, normal;
    auto push = [&](double x, double z, double heading) {
        centre.emplace_back(x, z);
        normal.emplace_back(-std::sin(heading), std::cos(heading));
    };
    const double zLow = t / 2;
    push(-b.lower, zLow, 0);
    const int arc = 10;
    for (int i = 0; i <= arc; ++i) {  // turning left, up the slope
        const double a = slope * i / arc;
        push(bend * std::sin(a), zLow + bend * (1 - std::cos(a)), a);
    }
    const double straight = (b.rise - 2 * bend * (1 - std::cos(slope))) / std::sin(slope);
    const QPointF second = centre.back() + QPointF(straight * std::cos(slope), straight * std::sin(slope));
    for (int i = 0; i <= arc; ++i) {  // turning right, back to level
        const double a = slope * (arc - i) / arc;
        push(second.x() + bend * (std::sin(slope) - std::sin(a)), second.y() + bend * (std::cos(a) - std::cos(slope)), a);
    }
    push(centre.back().x() + b.upper, centre.back().y(), 0);

    // The profile, clockwise: the upper side of the centre line forwards, the lower side back.
    std::vector<QPointF> profile;
    for (std::size_t i = 0; i < centre.size(); ++i)
        profile.push_back(centre[i] + normal[i] * (t / 2));
    for (std::size_t i = centre.size(); i-- > 0;)
        profile.push_back(centre[i] - normal[i] * (t / 2));
    const std::size_t n = profile.size(), last = centre.size() - 1;
    const std::size_t lowerTop = 0, upperEnd = last, lowerBottom = n - 2, lowerEnd = n - 1;

    auto at = [&](QPointF p, double y) { return f.map(p.x(), y, p.y()); };
    const Frame hole = f.moved(b.holeAt, 0, 0);
    const bool boss = b.bossHeight > 0;
    const std::vector<QVector3D> topRing = ring(hole, boss ? b.bossRadius : b.holeRadius, t, b.segments);
    const std::vector<QVector3D> bottomRing = ring(hole, b.holeRadius, 0, b.segments);
    const double w = b.width / 2;
    // The long faces, one per side of the profile; the lower flange's two faces carry the hole.
    for (std::size_t i = 0; i < n; ++i) {
        const QPointF p = profile[i], q = profile[(i + 1) % n], d = q - p;
        const std::vector<QVector3D> quad{at(p, -w), at(q, -w), at(q, w), at(p, w)};
        const QVector3D out = f.map(-d.y(), 0, d.x()) - f.origin;
        std::vector<std::vector<QVector3D>> holes;
        if (i == lowerTop)
            holes.push_back(topRing);
        else if (i == lowerBottom)
            holes.push_back(bottomRing);
        addFace(scene, quad, holes, out, colour, false);
        // Across the width only where the profile turns sharply: the flanges' ends.
        if (i == lowerTop || i == upperEnd || i == upperEnd + 1 || i == lowerEnd)
            scene.edges.push_back({at(p, -w), at(p, w)});
    }
    for (const double y : {-w, w}) {
        std::vector<QVector3D> side;
        for (QPointF p : profile)
            side.push_back(at(p, y));
        addFace(scene, side, {}, y < 0 ? -f.y : f.y, colour, true);
    }
    addPolyline(scene, topRing, true);
    addPolyline(scene, bottomRing, true);
    Lathe walls;
    const double r = b.holeRadius, top = t + b.bossHeight, chamfer = 0.1 * r;
    if (boss)
        walls.profile = {{b.bossRadius, t}, {b.bossRadius, top}, {r + chamfer, top}, {r, top - chamfer}, {r, 0}};
    else
        walls.profile = {{r, t}, {r, 0}};
    walls.segments = b.segments;
    addLathe(scene, hole, walls, colour);
}

void addCutBlock(Scene& scene, const Frame& f, const CutBlock& b, QColor colour)
{
    // The hole: a half lathe about the axis pointing into the block. Its local x is the frame's z
    // and its local y the frame's y, so the half turn 0..180 degrees covers y >= 0, column 0 on top.
    const Frame axis = Frame::along(f.map(b.x1, 0, 0), -f.x, f.z);
    Lathe hole;
    for (auto it = b.hole.rbegin(); it != b.hole.rend(); ++it)  // a bore's profile runs out to its mouth
        hole.profile.emplace_back(it->y(), it->x());
    hole.segments = b.segments;
    hole.fromDegrees = 0, hole.toDegrees = 180;
    hole.cutFaces = false, hole.cornerEdges = false;
    const Grid g = addLathe(scene, axis, hole, colour);
    const int rows = g.rows, top = 0, bottom = g.columns - 1;  // rows: 0 the bottom of the hole, last its mouth
    const bool through = b.hole.back().x() >= b.x1 - b.x0 - 1e-9;

    const double x0 = b.x0, x1 = b.x1, d = b.depth, lo = b.zLow, hi = b.zHigh;
    auto p = [&](double x, double y, double z) { return f.map(x, y, z); };
    const QVector3D front = -f.y;
    // The cut face: the block's rectangle less the hole's outline in the plane y = 0.
    if (through) {
        std::vector<QVector3D> above{p(x1, 0, hi), p(x0, 0, hi)};
        for (int r = 0; r < rows; ++r)
            above.push_back(g.at(top, r));
        addFace(scene, above, {}, front, colour, true);
        std::vector<QVector3D> below{p(x0, 0, lo), p(x1, 0, lo)};
        for (int r = rows - 1; r >= 0; --r)
            below.push_back(g.at(bottom, r));
        addFace(scene, below, {}, front, colour, true);
    } else {
        std::vector<QVector3D> cut{g.at(top, rows - 1), p(x1, 0, hi), p(x0, 0, hi), p(x0, 0, lo), p(x1, 0, lo)};
        for (int r = rows - 1; r >= 0; --r)
            cut.push_back(g.at(bottom, r));
        for (int r = 1; r < rows - 1; ++r)  // row 0 lies on the axis: the same point on both edges
            cut.push_back(g.at(top, r));
        addFace(scene, cut, {}, front, colour, true);
    }
    // The end faces, less the half circle of the hole where it opens.
    auto endFace = [&](double x, int row, QVector3D out) {
        std::vector<QVector3D> face{p(x, 0, hi), p(x, d, hi), p(x, d, lo), p(x, 0, lo)};
        if (row >= 0)
            for (int c = bottom; c >= top; --c)
                face.push_back(g.at(c, row));
        addFace(scene, face, {}, out, colour, true);
    };
    endFace(x1, rows - 1, f.x);
    endFace(x0, through ? 0 : -1, -f.x);
    // The plain sides: back, top and bottom.
    addFace(scene, {p(x0, d, lo), p(x1, d, lo), p(x1, d, hi), p(x0, d, hi)}, {}, f.y, colour, true);
    addFace(scene, {p(x0, 0, hi), p(x1, 0, hi), p(x1, d, hi), p(x0, d, hi)}, {}, f.z, colour, true);
    addFace(scene, {p(x0, 0, lo), p(x1, 0, lo), p(x1, d, lo), p(x0, d, lo)}, {}, -f.z, colour, true);
}

}  // namespace drawing::shaded
