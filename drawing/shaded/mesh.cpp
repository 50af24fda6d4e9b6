#include "drawing/shaded/mesh.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

namespace drawing::shaded {

namespace {

struct D3 {
    double x, y, z;
};
D3 d3(QVector3D p) { return {p.x(), p.y(), p.z()}; }
D3 sub(D3 a, D3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
D3 crossD(D3 a, D3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dotD(D3 a, D3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
D3 unit(D3 a)
{
    const double l = std::sqrt(dotD(a, a));
    return l > 0 ? D3{a.x / l, a.y / l, a.z / l} : D3{0, 0, 0};
}

struct P2 {
    double x, y;
};
double cross2(P2 o, P2 a, P2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }
double area2(const std::vector<P2>& loop)
{
    double a = 0;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        const P2 p = loop[i], q = loop[(i + 1) % loop.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return a / 2;
}

// Proper crossing of two segments (touching at an end does not count).
bool segmentsCross(P2 a, P2 b, P2 c, P2 d)
{
    const double d1 = cross2(c, d, a), d2 = cross2(c, d, b), d3v = cross2(a, b, c), d4 = cross2(a, b, d);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3v > 0 && d4 < 0) || (d3v < 0 && d4 > 0));
}

// Ear clipping of a simple polygon given as indices into pts (counter-clockwise). Holes have been
// bridged in already, so a point may appear twice; the inside test ignores points equal to a corner.
std::vector<std::array<int, 3>> earClip(const std::vector<P2>& pts, std::vector<int> poly)
{
    std::vector<std::array<int, 3>> out;
    auto same = [&](int a, int b) {
        return std::abs(pts[std::size_t(a)].x - pts[std::size_t(b)].x) < 1e-12 &&
               std::abs(pts[std::size_t(a)].y - pts[std::size_t(b)].y) < 1e-12;
    };
    while (poly.size() > 3) {
        const std::size_t n = poly.size();
        std::size_t best = n;
        double bestTurn = -1;
        for (std::size_t i = 0; i < n; ++i) {
            const int ia = poly[(i + n - 1) % n], ib = poly[i], ic = poly[(i + 1) % n];
            const P2 a = pts[std::size_t(ia)], b = pts[std::size_t(ib)], c = pts[std::size_t(ic)];
            const double turn = cross2(a, b, c);
            if (turn <= 1e-14)
                continue;
            bool empty = true;
            for (std::size_t k = 0; k < n && empty; ++k) {
                const int ip = poly[k];
                if (same(ip, ia) || same(ip, ib) || same(ip, ic))
                    continue;
                const P2 p = pts[std::size_t(ip)];
                if (cross2(a, b, p) >= 0 && cross2(b, c, p) >= 0 && cross2(c, a, p) >= 0)
                    empty = false;
            }
            if (empty) {
                best = i;
                break;
            }
            if (turn > bestTurn)
                bestTurn = turn, best = i;  // kept only if no true ear exists (rounding)
        }
        if (best == n) {
            // Only collinear or reflex corners left: drop a collinear one.
            best = 0;
        }
        const std::size_t i = best;
        const int ia = poly[(i + n - 1) % n], ib = poly[i], ic = poly[(i + 1) % n];
        if (std::abs(cross2(pts[std::size_t(ia)], pts[std::size_t(ib)], pts[std::size_t(ic)])) > 0)
            out.push_back({ia, ib, ic});
        poly.erase(poly.begin() + std::ptrdiff_t(i));
    }
    if (poly.size() == 3 &&
        std::abs(cross2(pts[std::size_t(poly[0])], pts[std::size_t(poly[1])], pts[std::size_t(poly[2])])) > 0)
        out.push_back({poly[0], poly[1], poly[2]});
    return out;
}

// Splices each hole into the outer loop through a bridge that crosses no other side.
std::vector<int> bridgeHoles(const std::vector<P2>& pts, std::vector<int> outer, std::vector<std::vector<int>> holes)
{
    std::sort(holes.begin(), holes.end(), [&](const auto& a, const auto& b) {
        auto maxX = [&](const std::vector<int>& h) {
            double m = -1e300;
            for (int i : h)
                m = std::max(m, pts[std::size_t(i)].x);
            return m;
        };
        return maxX(a) > maxX(b);
    });
    for (std::size_t h = 0; h < holes.size(); ++h) {
        const auto& hole = holes[h];
        std::size_t m = 0;
        for (std::size_t i = 1; i < hole.size(); ++i)
            if (pts[std::size_t(hole[i])].x > pts[std::size_t(hole[m])].x)
                m = i;
        const P2 pm = pts[std::size_t(hole[m])];
        auto crossesAny = [&](P2 a, P2 b) {
            auto loopCrosses = [&](const std::vector<int>& loop) {
                for (std::size_t i = 0; i < loop.size(); ++i)
                    if (segmentsCross(a, b, pts[std::size_t(loop[i])], pts[std::size_t(loop[(i + 1) % loop.size()])]))
                        return true;
                return false;
            };
            if (loopCrosses(outer))
                return true;
            for (std::size_t k = h; k < holes.size(); ++k)
                if (loopCrosses(holes[k]))
                    return true;
            return false;
        };
        std::size_t bestV = outer.size();
        double bestD = 1e300;
        for (std::size_t v = 0; v < outer.size(); ++v) {
            const P2 pv = pts[std::size_t(outer[v])];
            const double d = (pv.x - pm.x) * (pv.x - pm.x) + (pv.y - pm.y) * (pv.y - pm.y);
            if (d < bestD && !crossesAny(pm, pv)) {
                // The bridge must leave the outer vertex into the polygon's inside.
                const P2 prev = pts[std::size_t(outer[(v + outer.size() - 1) % outer.size()])];
                const P2 next = pts[std::size_t(outer[(v + 1) % outer.size()])];
                const bool convex = cross2(prev, pv, next) >= 0;
                const bool inside = convex ? (cross2(prev, pv, pm) >= 0 && cross2(pv, next, pm) >= 0)
                                           : !(cross2(prev, pv, pm) < 0 && cross2(pv, next, pm) < 0);
                if (inside)
                    bestD = d, bestV = v;
            }
        }
        if (bestV == outer.size())
            throw std::runtime_error("shaded::addFace: a hole cannot be bridged to the outline");
        std::vector<int> merged(outer.begin(), outer.begin() + std::ptrdiff_t(bestV) + 1);
        for (std::size_t k = 0; k <= hole.size(); ++k)
            merged.push_back(hole[(m + k) % hole.size()]);
        merged.push_back(outer[bestV]);
        merged.insert(merged.end(), outer.begin() + std::ptrdiff_t(bestV) + 1, outer.end());
        outer = std::move(merged);
    }
    return outer;
}

// Two triangles of a quad a b c d (counter-clockwise, or clockwise when flipped).
void addQuad(Scene& scene, QVector3D a, QVector3D b, QVector3D c, QVector3D d, QColor colour, bool flip)
{
    if (flip) {
        scene.triangles.push_back({a, c, b, colour});
        scene.triangles.push_back({a, d, c, colour});
    } else {
        scene.triangles.push_back({a, b, c, colour});
        scene.triangles.push_back({a, c, d, colour});
    }
}

double turnDegrees(QPointF a, QPointF b, QPointF c)
{
    const QPointF u = b - a, v = c - b;
    const double lu = std::hypot(u.x(), u.y()), lv = std::hypot(v.x(), v.y());
    if (lu == 0 || lv == 0)
        return 0;
    const double cosine = std::clamp((u.x() * v.x() + u.y() * v.y()) / (lu * lv), -1.0, 1.0);
    return std::acos(cosine) * 180 / M_PI;
}

}  // namespace

QVector3D Frame::map(double lx, double ly, double lz) const
{
    return QVector3D(float(double(origin.x()) + double(x.x()) * lx + double(y.x()) * ly + double(z.x()) * lz),
                     float(double(origin.y()) + double(x.y()) * lx + double(y.y()) * ly + double(z.y()) * lz),
                     float(double(origin.z()) + double(x.z()) * lx + double(y.z()) * ly + double(z.z()) * lz));
}

Frame Frame::along(QVector3D origin, QVector3D axis, QVector3D towardsX)
{
    Frame f;
    f.origin = origin;
    f.z = axis.normalized();
    QVector3D x = towardsX - QVector3D::dotProduct(towardsX, f.z) * f.z;
    if (x.lengthSquared() < 1e-12f)
        x = std::abs(f.z.x()) < 0.9f ? QVector3D(1, 0, 0) - f.z.x() * f.z : QVector3D(0, 1, 0) - f.z.y() * f.z;
    f.x = x.normalized();
    f.y = QVector3D::crossProduct(f.z, f.x);
    return f;
}

Frame Frame::moved(double dx, double dy, double dz) const
{
    Frame f = *this;
    f.origin = map(dx, dy, dz);
    return f;
}

std::vector<QVector3D> Grid::row(int r) const
{
    std::vector<QVector3D> out;
    for (int c = 0; c < columns; ++c)
        out.push_back(at(c, r));
    return out;
}

double radians(double degrees) { return degrees * M_PI / 180.0; }

double columnAngle(int column, int segments, double fromRadians, double toRadians)
{
    return fromRadians + (toRadians - fromRadians) * column / segments;
}

std::vector<QVector3D> ring(const Frame& frame, double radius, double z, int segments)
{
    std::vector<QVector3D> out;
    for (int c = 0; c < segments; ++c) {
        const double t = columnAngle(c, segments, 0, radians(360));
        out.push_back(frame.map(radius * std::cos(t), radius * std::sin(t), z));
    }
    return out;
}

Grid makeGrid(const Frame& frame, int columns, int rows, bool closed, int wrapShift,
              const std::function<Local(int column, int row)>& local)
{
    Grid g;
    g.columns = columns, g.rows = rows, g.closed = closed, g.wrapShift = wrapShift;
    g.points.reserve(std::size_t(columns) * std::size_t(rows));
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) {
            const Local p = local(c, r);
            g.points.push_back(frame.map(p[0], p[1], p[2]));
        }
    return g;
}

void addGrid(Scene& scene, const Grid& g, QColor colour, bool flip)
{
    const int lastColumn = g.closed ? g.columns : g.columns - 1;
    for (int c = 0; c < lastColumn; ++c) {
        const bool wraps = c + 1 == g.columns;
        const int next = wraps ? 0 : c + 1, shift = wraps ? g.wrapShift : 0;
        for (int r = 0; r + 1 < g.rows; ++r) {
            if (r + shift + 1 >= g.rows || r + shift < 0)
                continue;
            const QVector3D p00 = g.at(c, r), p10 = g.at(next, r + shift), p11 = g.at(next, r + shift + 1),
                            p01 = g.at(c, r + 1);
            addQuad(scene, p00, p10, p11, p01, colour, flip);
        }
    }
}

void addRowEdge(Scene& scene, const Grid& g, int row)
{
    for (int c = 0; c + 1 < g.columns; ++c)
        scene.edges.push_back({g.at(c, row), g.at(c + 1, row)});
    if (g.closed && g.wrapShift == 0)
        scene.edges.push_back({g.at(g.columns - 1, row), g.at(0, row)});
}

void addColumnEdge(Scene& scene, const Grid& g, int column, int fromRow, int toRow)
{
    for (int r = fromRow; r < toRow; ++r)
        if (g.at(column, r) != g.at(column, r + 1))
            scene.edges.push_back({g.at(column, r), g.at(column, r + 1)});
}

void addPolyline(Scene& scene, const std::vector<QVector3D>& points, bool closed)
{
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        scene.edges.push_back({points[i], points[i + 1]});
    if (closed && points.size() > 2)
        scene.edges.push_back({points.back(), points.front()});
}

void addFace(Scene& scene, const std::vector<QVector3D>& outer, const std::vector<std::vector<QVector3D>>& holes,
             QVector3D outward, QColor colour, bool outline)
{
    const D3 n = unit(d3(outward));
    D3 u = std::abs(n.x) < 0.9 ? D3{1, 0, 0} : D3{0, 1, 0};
    u = unit(sub(u, D3{n.x * dotD(u, n), n.y * dotD(u, n), n.z * dotD(u, n)}));
    const D3 v = crossD(n, u);

    std::vector<QVector3D> world;
    std::vector<P2> pts;
    auto addLoop = [&](const std::vector<QVector3D>& loop, bool counterClockwise) {
        std::vector<int> ids;
        for (const QVector3D& p : loop) {
            if (!ids.empty() && world[std::size_t(ids.back())] == p)
                continue;
            ids.push_back(int(world.size()));
            world.push_back(p);
            pts.push_back({dotD(d3(p), u), dotD(d3(p), v)});
        }
        while (ids.size() > 1 && world[std::size_t(ids.front())] == world[std::size_t(ids.back())])
            ids.pop_back();
        std::vector<P2> flat;
        for (int i : ids)
            flat.push_back(pts[std::size_t(i)]);
        if ((area2(flat) > 0) != counterClockwise)
            std::reverse(ids.begin(), ids.end());
        return ids;
    };
    const std::vector<int> outerIds = addLoop(outer, true);
    std::vector<std::vector<int>> holeIds;
    for (const auto& h : holes)
        holeIds.push_back(addLoop(h, false));
    if (outerIds.size() < 3)
        return;
    for (const auto& t : earClip(pts, bridgeHoles(pts, outerIds, holeIds)))
        scene.triangles.push_back({world[std::size_t(t[0])], world[std::size_t(t[1])], world[std::size_t(t[2])], colour});
    if (outline) {
        addPolyline(scene, outer, true);
        for (const auto& h : holes)
            addPolyline(scene, h, true);
    }
}

std::vector<QPointF> regularPolygon(int corners, double circumradius, double firstCornerDegrees)
{
    std::vector<QPointF> out;
    for (int i = 0; i < corners; ++i) {
        const double t = radians(firstCornerDegrees) + 2 * M_PI * i / corners;
        out.emplace_back(circumradius * std::cos(t), circumradius * std::sin(t));
    }
    return out;
}

std::vector<QPointF> circle(double radius, int segments, double fromDegrees)
{
    std::vector<QPointF> out;
    for (int c = 0; c < segments; ++c) {
        const double t = columnAngle(c, segments, radians(fromDegrees), radians(fromDegrees + 360));
        out.emplace_back(radius * std::cos(t), radius * std::sin(t));
    }
    return out;
}

void addWalls(Scene& scene, const Frame& frame, const std::vector<QPointF>& outline, double z0, double z1,
              QColor colour, bool inward, bool endEdges, double cornerDegrees)
{
    std::vector<QPointF> loop = outline;
    double a = 0;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        const QPointF p = loop[i], q = loop[(i + 1) % loop.size()];
        a += p.x() * q.y() - q.x() * p.y();
    }
    if (a < 0)
        std::reverse(loop.begin(), loop.end());
    const std::size_t n = loop.size();
    for (std::size_t i = 0; i < n; ++i) {
        const QPointF p = loop[i], q = loop[(i + 1) % n];
        const QVector3D p0 = frame.map(p, z0), q0 = frame.map(q, z0), p1 = frame.map(p, z1), q1 = frame.map(q, z1);
        addQuad(scene, p0, q0, q1, p1, colour, inward);
        if (turnDegrees(loop[(i + n - 1) % n], p, q) > cornerDegrees)
            scene.edges.push_back({p0, p1});
        if (endEdges) {
            scene.edges.push_back({p0, q0});
            scene.edges.push_back({p1, q1});
        }
    }
}

void addPrism(Scene& scene, const Frame& frame, const std::vector<QPointF>& outline, double z0, double z1,
              QColor colour, const std::vector<std::vector<QPointF>>& holes, double cornerDegrees)
{
    addWalls(scene, frame, outline, z0, z1, colour, false, true, cornerDegrees);
    for (const auto& h : holes)
        addWalls(scene, frame, h, z0, z1, colour, true, true, cornerDegrees);
    auto loopAt = [&](const std::vector<QPointF>& loop, double z) {
        std::vector<QVector3D> out;
        for (QPointF p : loop)
            out.push_back(frame.map(p, z));
        return out;
    };
    for (const double z : {z0, z1}) {
        std::vector<std::vector<QVector3D>> holeLoops;
        for (const auto& h : holes)
            holeLoops.push_back(loopAt(h, z));
        const QVector3D out = (z == z1) == (z1 > z0) ? frame.z : -frame.z;
        addFace(scene, loopAt(outline, z), holeLoops, out, colour, false);
    }
}

Grid addLathe(Scene& scene, const Frame& frame, const Lathe& lathe, QColor colour)
{
    const auto& pr = lathe.profile;
    const int rows = int(pr.size());
    if (rows < 2)
        throw std::invalid_argument("shaded::addLathe: a profile needs two points");
    const bool full = std::abs(lathe.toDegrees - lathe.fromDegrees) >= 360 - 1e-9;
    const double from = full ? 0 : radians(lathe.fromDegrees), to = full ? radians(360) : radians(lathe.toDegrees);
    const int columns = full ? lathe.segments : lathe.segments + 1;
    const Grid g = makeGrid(frame, columns, rows, full, 0, [&](int c, int r) {
        const double t = columnAngle(c, lathe.segments, from, to);
        // A point meant to lie on the axis must be one point, not a ring of rounding errors.
        const double rho = std::abs(pr[std::size_t(r)].x()) < 1e-9 ? 0.0 : pr[std::size_t(r)].x();
        return Local{rho * std::cos(t), rho * std::sin(t), pr[std::size_t(r)].y()};
    });
    addGrid(scene, g, colour);

    const bool closedProfile = pr.front() == pr.back();
    if (lathe.cornerEdges)
        for (int r = 0; r < rows; ++r) {
            const bool end = r == 0 || r == rows - 1;
            if (end && !closedProfile)
                continue;
            if (r == rows - 1)
                continue;  // the same point as row 0
            const QPointF before = r == 0 ? pr[std::size_t(rows - 2)] : pr[std::size_t(r - 1)];
            if (pr[std::size_t(r)].x() > 0 && turnDegrees(before, pr[std::size_t(r)], pr[std::size_t(r + 1)]) > lathe.cornerDegrees)
                addRowEdge(scene, g, r);
        }

    if (!full) {
        // The cut planes: the profile's region, facing out of the solid on either side.
        const double aFrom = from, aTo = to;
        const QVector3D outFrom = frame.map(std::sin(aFrom), -std::cos(aFrom), 0) - frame.origin;
        const QVector3D outTo = frame.map(-std::sin(aTo), std::cos(aTo), 0) - frame.origin;
        for (int c : {0, columns - 1}) {
            std::vector<QVector3D> loop;
            for (int r = 0; r < rows; ++r)
                loop.push_back(g.at(c, r));
            if (lathe.cutFaces)
                addFace(scene, loop, {}, c == 0 ? outFrom : outTo, colour, false);
            addColumnEdge(scene, g, c, 0, rows - 1);
        }
        const bool coplanar = std::abs(std::abs(lathe.toDegrees - lathe.fromDegrees) - 180) < 1e-9;
        if (!coplanar && lathe.cutFaces && pr.front().x() == 0 && pr.back().x() == 0)
            scene.edges.push_back({g.at(0, 0), g.at(0, rows - 1)});
    }
    return g;
}

Grid addHelix(Scene& scene, const Frame& frame, const Helix& h, QColor colour)
{
    if (h.phases.empty() || h.lead <= 0 || !(h.end > h.start))
        throw std::invalid_argument("shaded::addHelix: bad helix");
    const int perLead = int(h.phases.size());
    // Rows from a full lead before the start to one past the end: each column then covers the
    // whole length, the rows beyond it collapsing onto the end rings.
    const int firstTurn = int(std::floor((h.start - 2 * h.lead) / h.lead));
    const int lastTurn = int(std::ceil((h.end + h.lead) / h.lead));
    std::vector<double> us;
    for (int turn = firstTurn; turn <= lastTurn; ++turn)
        for (double phase : h.phases)
            us.push_back(turn * h.lead + phase);
    const int rows = int(us.size());
    const Grid g = makeGrid(frame, h.segments, rows, true, perLead, [&](int c, int r) {
        const double t = columnAngle(c, h.segments, 0, radians(360));
        const double u = us[std::size_t(r)];
        const double z = std::clamp(u + h.lead * c / h.segments, h.start, h.end);
        const double phase = u - std::floor(u / h.lead) * h.lead;
        const double rho = h.radius(phase, z);
        return Local{rho * std::cos(t), rho * std::sin(t), z};
    });
    addGrid(scene, g, colour, h.inward);
    return g;
}

double ThreadProfile::radius(double phase) const
{
    const double depth = major - minor;
    const double crest = pitch / 8;
    const double flank = std::min(depth * std::tan(radians(30)), (pitch - crest) / 2 * 0.9);
    const double root = pitch - crest - 2 * flank;
    const double p = phase - std::floor(phase / pitch) * pitch;
    if (p <= crest)
        return major;
    if (p <= crest + flank)
        return major - depth * (p - crest) / flank;
    if (p <= crest + flank + root)
        return minor;
    return minor + depth * (p - crest - flank - root) / flank;
}

std::vector<double> ThreadProfile::phases() const
{
    const double depth = major - minor;
    const double crest = pitch / 8;
    const double flank = std::min(depth * std::tan(radians(30)), (pitch - crest) / 2 * 0.9);
    const double root = pitch - crest - 2 * flank;
    // Corners exactly on rows keep crests and roots sharp; the rows along the flanks let a
    // chamfer or a run-out cut them cleanly.
    return {0, crest, crest + flank / 3, crest + 2 * flank / 3, crest + flank, crest + flank + root,
            crest + flank + root + flank / 3, crest + flank + root + 2 * flank / 3};
}

Grid addThread(Scene& scene, const Frame& frame, const Thread& t, QColor colour)
{
    const ThreadProfile profile = t.profile;
    auto close = [&](double r, const ThreadEnd& e, double distance) {
        if (e.radius >= profile.major - 1e-9)
            return std::max(r, e.radius - distance * e.slope);
        return std::min(r, e.radius + distance * e.slope);
    };
    Helix h;
    h.start = t.start, h.end = t.end, h.lead = profile.pitch, h.phases = profile.phases();
    h.segments = t.segments, h.inward = t.inward;
    h.radius = [&](double phase, double z) {
        return close(close(profile.radius(phase), t.startEnd, z - t.start), t.endEnd, t.end - z);
    };
    return addHelix(scene, frame, h, colour);
}

Grid addChamferedPrism(Scene& scene, const Frame& frame, const ChamferedPrism& p, QColor colour)
{
    const int columns = p.corners * p.segmentsPerSide;
    const double apothem = p.acrossFlats / 2;
    const double side = 2 * M_PI / p.corners;
    const double slope = std::tan(radians(30));
    const double first = radians(p.firstCornerDegrees);
    const Grid g = makeGrid(frame, columns, 4, true, 0, [&](int c, int r) {
        const double t = first + columnAngle(c, columns, 0, radians(360));
        // Distance to the side this column crosses, measured from the middle of that side.
        const double fromMiddle = std::fmod(columnAngle(c, columns, 0, radians(360)), side) - side / 2;
        const double rho = apothem / std::cos(fromMiddle);
        double rr = rho, z = 0;
        const double rb = p.bottomChamferRadius > 0 ? std::min(p.bottomChamferRadius, rho) : rho;
        const double rt = p.topChamferRadius > 0 ? std::min(p.topChamferRadius, rho) : rho;
        switch (r) {
        case 0: rr = rb, z = p.z0; break;
        case 1: z = p.z0 + (rho - rb) * slope; break;
        case 2: z = p.z1 - (rho - rt) * slope; break;
        default: rr = rt, z = p.z1; break;
        }
        return Local{rr * std::cos(t), rr * std::sin(t), z};
    });
    addGrid(scene, g, colour);
    for (int r = 0; r < 4; ++r) {
        if ((r == 1 && p.bottomChamferRadius <= 0) || (r == 2 && p.topChamferRadius <= 0))
            continue;
        addRowEdge(scene, g, r);
    }
    for (int k = 0; k < p.corners; ++k)
        addColumnEdge(scene, g, k * p.segmentsPerSide, 1, 2);
    return g;
}

int openSides(const Scene& scene)
{
    using Key = std::tuple<float, float, float>;
    auto key = [](QVector3D p) { return Key{p.x(), p.y(), p.z()}; };
    std::map<std::pair<Key, Key>, int> sides;
    for (const auto& t : scene.triangles) {
        if (t.a == t.b || t.b == t.c || t.c == t.a)
            continue;
        ++sides[{key(t.a), key(t.b)}];
        ++sides[{key(t.b), key(t.c)}];
        ++sides[{key(t.c), key(t.a)}];
    }
    int open = 0;
    for (const auto& [side, n] : sides) {
        const auto back = sides.find({side.second, side.first});
        if (back == sides.end() || back->second != n)
            ++open;
    }
    return open;
}

}  // namespace drawing::shaded
