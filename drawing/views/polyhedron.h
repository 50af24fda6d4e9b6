#pragma once
// Flat-faced pieces of solids: convex polyhedra from their planes, and the tessellation of a
// whole solid into facets (Boolean operations on BSP trees of polygons).

#include "drawing/views/solid.h"

#include <vector>

namespace drawing::views {

struct Facet {
    std::vector<Vec3> points;  // a convex polygon, counter-clockwise seen from outside
    Vec3 normal;
    Tone tone = Tone::Stock;
};

// The faces of the convex polyhedron inside every plane and inside the limit box.
std::vector<Facet> convexPolygons(const std::vector<Plane>& planes, const Box3& limit, Tone tone = Tone::Stock);
Box3 polyhedronBounds(const std::vector<Facet>& facets);

// The boundary of the solid as flat facets; each cylinder becomes a prism of `segments` sides.
std::vector<Facet> tessellate(const Solid& solid, int segments = 192);

}  // namespace drawing::views
