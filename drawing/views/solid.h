#pragma once
// Solids as Boolean combinations of convex polyhedra and finite cylinders. One solid serves
// every picture of a part: the exact membership test below decides which edges exist and which
// are hidden, and the same tree, tessellated, gives the triangles of the shaded perspective.

#include <QPointF>

#include <memory>
#include <vector>

namespace drawing::views {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline Vec3 operator*(double k, Vec3 a) { return a * k; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double length(Vec3 a);
Vec3 normalised(Vec3 a);

// Points x with dot(normal, x) < offset are inside; the normal is a unit vector.
struct Plane {
    Vec3 normal;
    double offset = 0;
    static Plane through(Vec3 point, Vec3 outward);
    double distance(Vec3 p) const { return dot(normal, p) - offset; }
};

// Which finish a face shows in the perspective: the stock the part was made from, or a face
// that machining left (a cut, a slot, a bore).
enum class Tone { Stock, Machined };

struct Box3 {
    Vec3 lo, hi;
    bool empty() const { return hi.x < lo.x || hi.y < lo.y || hi.z < lo.z; }
    double diagonal() const;
};

// A finite cylinder: the disc of `radius` about `base`, swept `length` along the unit `axis`.
struct Cylinder {
    Vec3 base, axis;
    double radius = 1, length = 1;
};

// Sorted, disjoint open intervals of a ray parameter.
using Intervals = std::vector<std::pair<double, double>>;

class Solid {
public:
    // The intersection of half-spaces; it must be bounded once combined with the rest of the part.
    static Solid convex(std::vector<Plane> planes, Tone tone = Tone::Stock);
    static Solid box(Vec3 lo, Vec3 hi, Tone tone = Tone::Stock);
    // A convex polygon in the x-z plane (counter-clockwise seen from the front), swept from y0 to y1.
    static Solid prismY(const std::vector<QPointF>& xz, double y0, double y1, Tone tone = Tone::Stock);
    static Solid cylinder(Cylinder c, Tone tone = Tone::Stock);

    Solid operator|(const Solid& other) const;  // union: overlap the pieces, never let them just touch
    Solid operator&(const Solid& other) const;  // intersection
    Solid operator-(const Solid& other) const;  // difference
    // What lies on the inner side of the plane; the new face is machined.
    Solid cut(Plane plane) const;

    // A signed measure, negative inside, zero on the surface, positive outside.
    double field(Vec3 p) const;
    bool inside(Vec3 p) const { return field(p) < 0; }
    // Where along p + t·d (t in [0, tMax]) the field stays below `level`.
    Intervals below(Vec3 p, Vec3 d, double tMax, double level) const;

    // The surfaces that bound the pieces, each once (coincident planes are merged).
    std::vector<Plane> planes() const;
    std::vector<Cylinder> cylinders() const;
    Box3 bounds() const;

    struct Node;
    explicit Solid(std::shared_ptr<const Node> node) : node_(std::move(node)) {}
    const Node& node() const { return *node_; }

private:
    std::shared_ptr<const Node> node_;
};

struct Solid::Node {
    enum class Kind { Convex, Cylinder, Union, Intersection, Difference } kind = Kind::Convex;
    std::vector<Plane> planes;  // Convex
    Cylinder cylinder;          // Cylinder
    Tone tone = Tone::Stock;
    std::shared_ptr<const Node> a, b;
};

}  // namespace drawing::views
