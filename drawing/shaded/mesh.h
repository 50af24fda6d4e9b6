#pragma once
// Mesh builders for the shaded renderer: flat faces (with holes), prisms, solids of
// revolution, helical sweeps (threads, drill flutes). Each builder appends triangles,
// counter-clockwise seen from outside, and the real edges of what it builds. Pieces
// that must join seamlessly (a thread running into a plain shank, a face closing a
// lathe) share the very same vertex positions: build their rings with the same frame,
// column count and angles, or take them from the Grid that the first piece returns.

#include "drawing/shaded/shaded.h"

#include <QPointF>

#include <array>
#include <functional>
#include <vector>

namespace drawing::shaded {

// A place for a part. Builders work in local coordinates, z along the part's axis.
struct Frame {
    QVector3D origin{0, 0, 0};
    QVector3D x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};

    QVector3D map(double lx, double ly, double lz) const;
    QVector3D map(QPointF xy, double lz) const { return map(xy.x(), xy.y(), lz); }
    // A right-handed frame whose z is `axis` and whose x leans towards `towardsX`.
    static Frame along(QVector3D origin, QVector3D axis, QVector3D towardsX);
    // The same axes, the origin moved along the frame's own axes.
    Frame moved(double dx, double dy, double dz) const;
};

using Local = std::array<double, 3>;

// A quad mesh: columns around an axis, rows along each column. A closed grid joins its
// last column to its first; a helical one (wrapShift) joins row r of the last column to
// row r + wrapShift of the first, so its rows can follow a helix round and round.
struct Grid {
    int columns = 0, rows = 0;
    bool closed = false;
    int wrapShift = 0;
    std::vector<QVector3D> points;  // column-major

    QVector3D at(int column, int row) const { return points[std::size_t(column) * std::size_t(rows) + std::size_t(row)]; }
    std::vector<QVector3D> row(int r) const;  // one point per column
};

// The angle of a column: one formula for every builder, so that rings built apart coincide.
double radians(double degrees);
double columnAngle(int column, int segments, double fromRadians, double toRadians);
// The points of a full circle about the frame's z, exactly as a full-turn lathe or helix of as many
// segments builds them (first point at angle 0): a face closing onto one of those takes this ring.
std::vector<QVector3D> ring(const Frame& frame, double radius, double z, int segments);

Grid makeGrid(const Frame& frame, int columns, int rows, bool closed, int wrapShift,
              const std::function<Local(int column, int row)>& local);
// Triangles of the grid: counter-clockwise from outside when the columns turn counter-clockwise
// about the frame's z and the rows climb the outside of the solid (or descend a bore).
void addGrid(Scene& scene, const Grid& grid, QColor colour, bool flip = false);
void addRowEdge(Scene& scene, const Grid& grid, int row);
void addColumnEdge(Scene& scene, const Grid& grid, int column, int fromRow, int toRow);

// A flat face, outward being the side it faces; holes are cut out of it. Vertex order of
// either loop does not matter. With outline, its boundary becomes real edges.
void addFace(Scene& scene, const std::vector<QVector3D>& outer, const std::vector<std::vector<QVector3D>>& holes,
             QVector3D outward, QColor colour, bool outline = true);
void addPolyline(Scene& scene, const std::vector<QVector3D>& points, bool closed);

// Walls along z of a closed outline; the walls face away from the outline's inside, or into
// it when inward (a socket, a bore). Edges: along z at the outline's corners sharper than
// cornerDegrees, and round both ends when endEdges.
void addWalls(Scene& scene, const Frame& frame, const std::vector<QPointF>& outline, double z0, double z1,
              QColor colour, bool inward, bool endEdges = true, double cornerDegrees = 25);
// An extruded polygon with through holes along z: walls, both end faces and their edges.
void addPrism(Scene& scene, const Frame& frame, const std::vector<QPointF>& outline, double z0, double z1,
              QColor colour, const std::vector<std::vector<QPointF>>& holes = {}, double cornerDegrees = 25);

// A regular polygon (hexagon: corners 6) of the given circumradius, first corner at the angle.
std::vector<QPointF> regularPolygon(int corners, double circumradius, double firstCornerDegrees = 0);
std::vector<QPointF> circle(double radius, int segments, double fromDegrees = 0);

// A solid of revolution about the frame's z. The profile is in (radius, height), the solid on its
// left (counter-clockwise round the region it bounds with the axis); ends on the axis close it.
// A partial turn (a cut-away) is closed by flat faces on its two cut planes when cutFaces.
// Edges: circles at profile corners sharper than cornerDegrees, the profile on the cut planes.
struct Lathe {
    std::vector<QPointF> profile;
    int segments = 96;
    double fromDegrees = 0, toDegrees = 360;
    bool cutFaces = true;
    bool cornerEdges = true;
    double cornerDegrees = 25;
};
Grid addLathe(Scene& scene, const Frame& frame, const Lathe& lathe, QColor colour);

// A screw thread, or any surface of radius radius(u, z) swept along a helix of the given lead:
// row u keeps one phase of the profile all along its helix. The ends close onto rings of fixed
// radius, so that a cap, a chamfer or a plain shank can join them.
struct Helix {
    double start = 0, end = 1;       // axial extent in local z
    double lead = 1;                 // axial advance per turn (right-handed when positive)
    std::vector<double> phases;      // row phases within one lead, ascending in [0, lead)
    std::function<double(double phase, double z)> radius;
    int segments = 48;               // columns per turn
    bool inward = false;             // a bore: the solid lies outside the surface
};
Grid addHelix(Scene& scene, const Frame& frame, const Helix& helix, QColor colour);

// A prism of a regular polygon (a nut, a bolt head) whose ends are chamfered by 30-degree cones
// that leave a circle of the given radius on each end face (0: a plain end). Rows: 0 the bottom
// circle, 1 and 2 where the cones meet the flats, 3 the top circle. Ends are left open for faces.
struct ChamferedPrism {
    int corners = 6;
    double acrossFlats = 1;
    double firstCornerDegrees = 0;
    double z0 = 0, z1 = 1;
    double bottomChamferRadius = 0, topChamferRadius = 0;
    int segmentsPerSide = 16;
};
Grid addChamferedPrism(Scene& scene, const Frame& frame, const ChamferedPrism& prism, QColor colour);

// The ISO metric profile of a thread as the radius at a phase of its pitch, crest first.
struct ThreadProfile {
    double pitch, major, minor;  // radii
    double radius(double phase) const;
    std::vector<double> phases() const;  // the profile's corners, and points along its flanks
};

// Where a thread closes: at `at` the radius is `radius`, and it opens out from there by `slope`
// (radius per length) into the thread. Below the minor radius it trims the crests (a chamfer);
// above the major it fills the grooves (a run-out into a plain shank, or the countersink of a bore).
struct ThreadEnd {
    double radius;
    double slope = 1;
};
struct Thread {
    double start, end;
    ThreadProfile profile;
    ThreadEnd startEnd, endEnd;
    int segments = 48;
    bool inward = false;
};
Grid addThread(Scene& scene, const Frame& frame, const Thread& thread, QColor colour);

// Sides of facets not met by a side of another facet running the other way: 0 for a closed
// solid (or several) with every facet facing out. Facets with two corners at one point cover
// nothing and are left out.
int openSides(const Scene& scene);

}  // namespace drawing::shaded
