#include "drawing/views/polyhedron.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>

namespace drawing::views {

namespace {

// A big square on the plane, counter-clockwise seen from outside.
std::vector<Vec3> planeSquare(const Plane& p, double half)
{
    const Vec3 n = p.normal;
    const Vec3 helper = std::abs(n.x) < 0.6 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    const Vec3 e1 = normalised(cross(helper, n)), e2 = cross(n, e1);
    const Vec3 c = n * p.offset;
    return {c + (e1 * -half) + (e2 * -half), c + (e1 * half) + (e2 * -half), c + (e1 * half) + (e2 * half),
            c + (e1 * -half) + (e2 * half)};
}

// Keeps the part of a convex polygon inside the plane.
std::vector<Vec3> clip(const std::vector<Vec3>& polygon, const Plane& p)
{
    std::vector<Vec3> out;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Vec3 a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        const double da = p.distance(a), db = p.distance(b);
        if (da <= 0)
            out.push_back(a);
        if ((da < 0 && db > 0) || (da > 0 && db < 0))
            out.push_back(a + (b - a) * (da / (da - db)));
    }
    return out;
}

std::vector<Plane> limitPlanes(const Box3& b)
{
    return {{{-1, 0, 0}, -b.lo.x}, {{1, 0, 0}, b.hi.x}, {{0, -1, 0}, -b.lo.y},
            {{0, 1, 0}, b.hi.y},   {{0, 0, -1}, -b.lo.z}, {{0, 0, 1}, b.hi.z}};
}

// --- Boolean operations on polygon sets, after the classic BSP scheme (csg.js). ---

struct Polygon {
    std::vector<Vec3> points;
    Plane plane;
    Tone tone;
};

Polygon flipped(Polygon p)
{
    std::reverse(p.points.begin(), p.points.end());
    p.plane = {-p.plane.normal, -p.plane.offset};
    return p;
}

class Bsp {
public:
    explicit Bsp(double epsilon) : epsilon_(epsilon) {}

    void build(const std::vector<Polygon>& polygons)
    {
        if (polygons.empty())
            return;
        if (!plane_)
            plane_ = polygons.front().plane;
        std::vector<Polygon> front, back;
        for (const Polygon& p : polygons)
            split(p, polygons_, polygons_, front, back);
        if (!front.empty()) {
            if (!front_)
                front_ = std::make_unique<Bsp>(epsilon_);
            front_->build(front);
        }
        if (!back.empty()) {
            if (!back_)
                back_ = std::make_unique<Bsp>(epsilon_);
            back_->build(back);
        }
    }

    void invert()
    {
        for (Polygon& p : polygons_)
            p = flipped(std::move(p));
        if (plane_)
            plane_ = Plane{-plane_->normal, -plane_->offset};
        if (front_)
            front_->invert();
        if (back_)
            back_->invert();
        std::swap(front_, back_);
    }

    std::vector<Polygon> clipPolygons(const std::vector<Polygon>& polygons) const
    {
        if (!plane_)
            return polygons;
        std::vector<Polygon> front, back;
        for (const Polygon& p : polygons)
            split(p, front, back, front, back);
        if (front_)
            front = front_->clipPolygons(front);
        if (back_)
            back = back_->clipPolygons(back);
        else
            back.clear();
        front.insert(front.end(), back.begin(), back.end());
        return front;
    }

    void clipTo(const Bsp& other)
    {
        polygons_ = other.clipPolygons(polygons_);
        if (front_)
            front_->clipTo(other);
        if (back_)
            back_->clipTo(other);
    }

    void all(std::vector<Polygon>& out) const
    {
        out.insert(out.end(), polygons_.begin(), polygons_.end());
        if (front_)
            front_->all(out);
        if (back_)
            back_->all(out);
    }

    std::vector<Polygon> all() const
    {
        std::vector<Polygon> out;
        all(out);
        return out;
    }

private:
    void split(const Polygon& p, std::vector<Polygon>& coplanarFront, std::vector<Polygon>& coplanarBack,
               std::vector<Polygon>& front, std::vector<Polygon>& back) const
    {
        enum { Coplanar = 0, Front = 1, Back = 2, Spanning = 3 };
        int type = 0;
        std::vector<int> types;
        for (const Vec3& v : p.points) {
            const double t = plane_->distance(v);
            const int ty = t < -epsilon_ ? Back : t > epsilon_ ? Front : Coplanar;
            type |= ty;
            types.push_back(ty);
        }
        switch (type) {
        case Coplanar:
            (dot(plane_->normal, p.plane.normal) > 0 ? coplanarFront : coplanarBack).push_back(p);
            return;
        case Front: front.push_back(p); return;
        case Back: back.push_back(p); return;
        default: break;
        }
        std::vector<Vec3> f, b;
        const std::size_t n = p.points.size();
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t j = (i + 1) % n;
            const int ti = types[i], tj = types[j];
            const Vec3 vi = p.points[i], vj = p.points[j];
            if (ti != Back)
                f.push_back(vi);
            if (ti != Front)
                b.push_back(vi);
            if ((ti | tj) == Spanning) {
                const double t = (plane_->offset - dot(plane_->normal, vi)) / dot(plane_->normal, vj - vi);
                const Vec3 v = vi + (vj - vi) * t;
                f.push_back(v);
                b.push_back(v);
            }
        }
        if (f.size() >= 3)
            front.push_back({f, p.plane, p.tone});
        if (b.size() >= 3)
            back.push_back({b, p.plane, p.tone});
    }

    double epsilon_;
    std::optional<Plane> plane_;
    std::unique_ptr<Bsp> front_, back_;
    std::vector<Polygon> polygons_;
};

using Node = Solid::Node;
using Kind = Solid::Node::Kind;

std::vector<Polygon> leafPolygons(const Node& n, const Box3& limit, int segments)
{
    std::vector<Polygon> out;
    if (n.kind == Kind::Convex) {
        for (const Facet& f : convexPolygons(n.planes, limit, n.tone))
            out.push_back({f.points, Plane::through(f.points.front(), f.normal), n.tone});
        return out;
    }
    const Cylinder& c = n.cylinder;
    const Vec3 helper = std::abs(c.axis.x) < 0.6 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    const Vec3 e1 = normalised(cross(helper, c.axis)), e2 = cross(c.axis, e1);
    const Vec3 top = c.axis * c.length;
    std::vector<Vec3> ring;
    for (int i = 0; i < segments; ++i) {
        const double a = 2 * std::numbers::pi * i / segments;
        ring.push_back(c.base + e1 * (c.radius * std::cos(a)) + e2 * (c.radius * std::sin(a)));
    }
    std::vector<Vec3> bottom(ring.rbegin(), ring.rend()), cap;
    for (const Vec3& p : ring)
        cap.push_back(p + top);
    out.push_back({bottom, Plane::through(c.base, -c.axis), n.tone});
    out.push_back({cap, Plane::through(c.base + top, c.axis), n.tone});
    for (int i = 0; i < segments; ++i) {
        const Vec3 a = ring[std::size_t(i)], b = ring[std::size_t((i + 1) % segments)];
        const std::vector<Vec3> quad{a, b, b + top, a + top};
        out.push_back({quad, Plane::through(a, cross(b - a, top)), n.tone});
    }
    return out;
}

std::vector<Polygon> polygons(const Node& n, const Box3& limit, int segments, double epsilon)
{
    if (n.kind == Kind::Convex || n.kind == Kind::Cylinder)
        return leafPolygons(n, limit, segments);
    Bsp a(epsilon), b(epsilon);
    a.build(polygons(*n.a, limit, segments, epsilon));
    b.build(polygons(*n.b, limit, segments, epsilon));
    // a keeps what lies outside b, b what lies outside a, and the two join
    const auto join = [&] {
        a.clipTo(b);
        b.clipTo(a);
        b.invert();
        b.clipTo(a);
        b.invert();
        a.build(b.all());
    };
    switch (n.kind) {
    case Kind::Union: join(); break;
    case Kind::Difference:  // the inside-out of a joined with b, turned back
        a.invert();
        join();
        a.invert();
        break;
    default:  // intersection
        a.invert();
        b.clipTo(a);
        b.invert();
        a.clipTo(b);
        b.clipTo(a);
        a.build(b.all());
        a.invert();
        break;
    }
    return a.all();
}

}  // namespace

std::vector<Facet> convexPolygons(const std::vector<Plane>& planes, const Box3& limit, Tone tone)
{
    std::vector<Plane> all = planes;
    for (const Plane& p : limitPlanes(limit))
        all.push_back(p);
    const double half = 4 * (limit.diagonal() + 1);
    std::vector<Facet> out;
    for (std::size_t i = 0; i < all.size(); ++i) {
        std::vector<Vec3> face = planeSquare(all[i], half);
        for (std::size_t j = 0; j < all.size() && face.size() >= 3; ++j)
            if (j != i)
                face = clip(face, all[j]);
        // drop faces that collapsed to an edge or a point
        double area = 0;
        for (std::size_t k = 1; k + 1 < face.size(); ++k)
            area += length(cross(face[k] - face[0], face[k + 1] - face[0]));
        if (face.size() >= 3 && area > 1e-14 * half * half)
            out.push_back({face, all[i].normal, tone});
    }
    return out;
}

Box3 polyhedronBounds(const std::vector<Facet>& facets)
{
    Box3 b{{1e300, 1e300, 1e300}, {-1e300, -1e300, -1e300}};
    for (const Facet& f : facets)
        for (const Vec3& p : f.points) {
            b.lo = {std::min(b.lo.x, p.x), std::min(b.lo.y, p.y), std::min(b.lo.z, p.z)};
            b.hi = {std::max(b.hi.x, p.x), std::max(b.hi.y, p.y), std::max(b.hi.z, p.z)};
        }
    return b;
}

std::vector<Facet> tessellate(const Solid& solid, int segments)
{
    const Box3 tight = solid.bounds();
    const Vec3 pad = (tight.hi - tight.lo) * 0.1 + Vec3{1, 1, 1};
    const Box3 limit{tight.lo - pad, tight.hi + pad};
    std::vector<Facet> out;
    for (const Polygon& p : polygons(solid.node(), limit, segments, 1e-5 * limit.diagonal()))
        out.push_back({p.points, p.plane.normal, p.tone});
    return out;
}

}  // namespace drawing::views
