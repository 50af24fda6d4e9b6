#include "drawing/views/solid.h"

#include "drawing/views/polyhedron.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace drawing::views {

double length(Vec3 a) { return std::sqrt(dot(a, a)); }

Vec3 normalised(Vec3 a)
{
    const double l = length(a);
    return l > 0 ? a * (1 / l) : a;
}

Plane Plane::through(Vec3 point, Vec3 outward)
{
    const Vec3 n = normalised(outward);
    return {n, dot(n, point)};
}

double Box3::diagonal() const { return empty() ? 0 : length(hi - lo); }

namespace {

using Node = Solid::Node;
using Kind = Solid::Node::Kind;

std::shared_ptr<const Node> make(Node node) { return std::make_shared<const Node>(std::move(node)); }

Intervals unite(const Intervals& a, const Intervals& b)
{
    Intervals all = a;
    all.insert(all.end(), b.begin(), b.end());
    std::sort(all.begin(), all.end());
    Intervals out;
    for (const auto& i : all) {
        if (!out.empty() && i.first <= out.back().second)
            out.back().second = std::max(out.back().second, i.second);
        else
            out.push_back(i);
    }
    return out;
}

Intervals intersect(const Intervals& a, const Intervals& b)
{
    Intervals out;
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const double lo = std::max(a[i].first, b[j].first), hi = std::min(a[i].second, b[j].second);
        if (lo < hi)
            out.emplace_back(lo, hi);
        (a[i].second < b[j].second ? i : j)++;
    }
    return out;
}

Intervals subtract(const Intervals& a, const Intervals& b)
{
    Intervals out;
    for (auto [lo, hi] : a) {
        for (const auto& cut : b) {
            if (cut.second <= lo || cut.first >= hi)
                continue;
            if (cut.first > lo)
                out.emplace_back(lo, cut.first);
            lo = std::max(lo, cut.second);
        }
        if (lo < hi)
            out.emplace_back(lo, hi);
    }
    return out;
}

// Where a·t + b < 0 on [lo, hi], narrowing the range in place; false when nothing is left.
bool narrowLinear(double a, double b, double& lo, double& hi)
{
    if (std::abs(a) < 1e-12)
        return b < 0;
    const double root = -b / a;
    if (a > 0)
        hi = std::min(hi, root);
    else
        lo = std::max(lo, root);
    return lo < hi;
}

double cylinderField(const Cylinder& c, Vec3 p)
{
    const Vec3 w = p - c.base;
    const double along = dot(w, c.axis);
    const double radial = length(w - c.axis * along);
    return std::max({radial - c.radius, -along, along - c.length});
}

Intervals cylinderBelow(const Cylinder& c, Vec3 p, Vec3 d, double tMax, double level)
{
    const double r = c.radius + level;
    if (r <= 0)
        return {};
    double lo = 0, hi = tMax;
    const Vec3 w0 = p - c.base;
    const double a0 = dot(w0, c.axis), ad = dot(d, c.axis);
    // -along < level and along - length < level
    if (!narrowLinear(-ad, -a0 - level, lo, hi) || !narrowLinear(ad, a0 - c.length - level, lo, hi))
        return {};
    const Vec3 wr = w0 - c.axis * a0, dr = d - c.axis * ad;
    const double qa = dot(dr, dr), qb = 2 * dot(wr, dr), qc = dot(wr, wr) - r * r;
    if (qa < 1e-18) {
        if (qc >= 0)
            return {};
    } else {
        const double disc = qb * qb - 4 * qa * qc;
        if (disc <= 0)
            return {};
        const double s = std::sqrt(disc);
        lo = std::max(lo, (-qb - s) / (2 * qa));
        hi = std::min(hi, (-qb + s) / (2 * qa));
    }
    if (lo >= hi)
        return {};
    return {{lo, hi}};
}

double field(const Node& n, Vec3 p)
{
    switch (n.kind) {
    case Kind::Convex: {
        double f = -std::numeric_limits<double>::infinity();
        for (const Plane& pl : n.planes)
            f = std::max(f, pl.distance(p));
        return f;
    }
    case Kind::Cylinder: return cylinderField(n.cylinder, p);
    case Kind::Union: return std::min(field(*n.a, p), field(*n.b, p));
    case Kind::Intersection: return std::max(field(*n.a, p), field(*n.b, p));
    case Kind::Difference: return std::max(field(*n.a, p), -field(*n.b, p));
    }
    return 0;
}

Intervals below(const Node& n, Vec3 p, Vec3 d, double tMax, double level)
{
    switch (n.kind) {
    case Kind::Convex: {
        double lo = 0, hi = tMax;
        for (const Plane& pl : n.planes)
            if (!narrowLinear(dot(pl.normal, d), pl.distance(p) - level, lo, hi))
                return {};
        return {{lo, hi}};
    }
    case Kind::Cylinder: return cylinderBelow(n.cylinder, p, d, tMax, level);
    case Kind::Union: return unite(below(*n.a, p, d, tMax, level), below(*n.b, p, d, tMax, level));
    case Kind::Intersection: return intersect(below(*n.a, p, d, tMax, level), below(*n.b, p, d, tMax, level));
    case Kind::Difference:
        // max(fa, -fb) < level  <=>  fa < level and fb > -level
        return subtract(below(*n.a, p, d, tMax, level), below(*n.b, p, d, tMax, -level));
    }
    return {};
}

void collect(const Node& n, std::vector<Plane>& planes, std::vector<Cylinder>& cylinders)
{
    switch (n.kind) {
    case Kind::Convex: planes.insert(planes.end(), n.planes.begin(), n.planes.end()); return;
    case Kind::Cylinder: {
        const Cylinder& c = n.cylinder;
        cylinders.push_back(c);
        planes.push_back(Plane::through(c.base, -c.axis));
        planes.push_back(Plane::through(c.base + c.axis * c.length, c.axis));
        return;
    }
    default: collect(*n.a, planes, cylinders); collect(*n.b, planes, cylinders);
    }
}

Box3 bounds(const Node& n)
{
    switch (n.kind) {
    case Kind::Convex: return polyhedronBounds(convexPolygons(n.planes, {{-1e4, -1e4, -1e4}, {1e4, 1e4, 1e4}}));
    case Kind::Cylinder: {
        const Cylinder& c = n.cylinder;
        Box3 b{{1e300, 1e300, 1e300}, {-1e300, -1e300, -1e300}};
        for (Vec3 end : {c.base, c.base + c.axis * c.length}) {
            // the extent of a disc across each world axis
            const double rx = c.radius * std::sqrt(std::max(0.0, 1 - c.axis.x * c.axis.x));
            const double ry = c.radius * std::sqrt(std::max(0.0, 1 - c.axis.y * c.axis.y));
            const double rz = c.radius * std::sqrt(std::max(0.0, 1 - c.axis.z * c.axis.z));
            b.lo = {std::min(b.lo.x, end.x - rx), std::min(b.lo.y, end.y - ry), std::min(b.lo.z, end.z - rz)};
            b.hi = {std::max(b.hi.x, end.x + rx), std::max(b.hi.y, end.y + ry), std::max(b.hi.z, end.z + rz)};
        }
        return b;
    }
    case Kind::Union: {
        const Box3 a = bounds(*n.a), b = bounds(*n.b);
        if (a.empty())
            return b;
        if (b.empty())
            return a;
        return {{std::min(a.lo.x, b.lo.x), std::min(a.lo.y, b.lo.y), std::min(a.lo.z, b.lo.z)},
                {std::max(a.hi.x, b.hi.x), std::max(a.hi.y, b.hi.y), std::max(a.hi.z, b.hi.z)}};
    }
    case Kind::Intersection: {
        const Box3 a = bounds(*n.a), b = bounds(*n.b);
        return {{std::max(a.lo.x, b.lo.x), std::max(a.lo.y, b.lo.y), std::max(a.lo.z, b.lo.z)},
                {std::min(a.hi.x, b.hi.x), std::min(a.hi.y, b.hi.y), std::min(a.hi.z, b.hi.z)}};
    }
    case Kind::Difference: return bounds(*n.a);
    }
    return {};
}

bool samePlane(const Plane& a, const Plane& b)
{
    const double d = dot(a.normal, b.normal);
    if (d > 1 - 1e-9)
        return std::abs(a.offset - b.offset) < 1e-7;
    if (d < -1 + 1e-9)
        return std::abs(a.offset + b.offset) < 1e-7;
    return false;
}

bool sameCylinder(const Cylinder& a, const Cylinder& b)
{
    if (std::abs(a.radius - b.radius) > 1e-7 || std::abs(std::abs(dot(a.axis, b.axis)) - 1) > 1e-9)
        return false;
    const Vec3 w = b.base - a.base;
    return length(w - a.axis * dot(w, a.axis)) < 1e-7;
}

}  // namespace

Solid Solid::convex(std::vector<Plane> planes, Tone tone)
{
    Node n;
    n.kind = Kind::Convex;
    n.planes = std::move(planes);
    n.tone = tone;
    return Solid(make(std::move(n)));
}

Solid Solid::box(Vec3 lo, Vec3 hi, Tone tone)
{
    return convex({{{-1, 0, 0}, -lo.x}, {{1, 0, 0}, hi.x}, {{0, -1, 0}, -lo.y}, {{0, 1, 0}, hi.y},
                   {{0, 0, -1}, -lo.z}, {{0, 0, 1}, hi.z}},
                  tone);
}

Solid Solid::prismY(const std::vector<QPointF>& xz, double y0, double y1, Tone tone)
{
    std::vector<Plane> planes{{{0, -1, 0}, -y0}, {{0, 1, 0}, y1}};
    for (std::size_t i = 0; i < xz.size(); ++i) {
        const QPointF a = xz[i], b = xz[(i + 1) % xz.size()];
        // counter-clockwise in (x, z): the outside is to the right of each side
        const Vec3 outward{b.y() - a.y(), 0, -(b.x() - a.x())};
        planes.push_back(Plane::through({a.x(), 0, a.y()}, outward));
    }
    for (const QPointF& p : xz)
        for (std::size_t i = 2; i < planes.size(); ++i)
            if (planes[i].distance({p.x(), 0, p.y()}) > 1e-9)
                throw std::invalid_argument("prismY: the polygon must be convex and counter-clockwise");
    return convex(std::move(planes), tone);
}

Solid Solid::cylinder(Cylinder c, Tone tone)
{
    Node n;
    n.kind = Kind::Cylinder;
    c.axis = normalised(c.axis);
    n.cylinder = c;
    n.tone = tone;
    return Solid(make(std::move(n)));
}

Solid Solid::operator|(const Solid& other) const { return Solid(make({Kind::Union, {}, {}, Tone::Stock, node_, other.node_})); }
Solid Solid::operator&(const Solid& other) const
{
    return Solid(make({Kind::Intersection, {}, {}, Tone::Stock, node_, other.node_}));
}
Solid Solid::operator-(const Solid& other) const
{
    return Solid(make({Kind::Difference, {}, {}, Tone::Stock, node_, other.node_}));
}
Solid Solid::cut(Plane plane) const { return *this & convex({plane}, Tone::Machined); }

double Solid::field(Vec3 p) const { return views::field(*node_, p); }

Intervals Solid::below(Vec3 p, Vec3 d, double tMax, double level) const
{
    return views::below(*node_, p, d, tMax, level);
}

namespace {
template <typename T, typename Same>
std::vector<T> uniqueOf(const std::vector<T>& all, Same same)
{
    std::vector<T> unique;
    for (const T& item : all)
        if (std::none_of(unique.begin(), unique.end(), [&](const T& kept) { return same(item, kept); }))
            unique.push_back(item);
    return unique;
}
}  // namespace

std::vector<Plane> Solid::planes() const
{
    std::vector<Plane> all;
    std::vector<Cylinder> unused;
    collect(*node_, all, unused);
    return uniqueOf(all, samePlane);
}

std::vector<Cylinder> Solid::cylinders() const
{
    std::vector<Plane> unused;
    std::vector<Cylinder> all;
    collect(*node_, unused, all);
    return uniqueOf(all, sameCylinder);
}

Box3 Solid::bounds() const { return views::bounds(*node_); }

}  // namespace drawing::views
