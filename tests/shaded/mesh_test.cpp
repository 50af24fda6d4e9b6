// The mesh builders: every solid they build is closed and faces outwards, holds the volume
// it should, and a thread comes out as a helical ridge that a picture shows as such.

#include "drawing/shaded/mesh.h"
#include "drawing/shaded/parts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using namespace drawing::shaded;

const QColor kGrey(190, 190, 190);

double volume(const Scene& s)
{
    double v = 0;
    for (const auto& t : s.triangles)
        v += double(QVector3D::dotProduct(t.a, QVector3D::crossProduct(t.b, t.c))) / 6;
    return v;
}

struct Solid {
    const char* name;
    std::function<Scene()> build;
    double expectedVolume;
    double tolerance;  // relative
};

Scene latheOf(std::vector<QPointF> profile, double from = 0, double to = 360)
{
    Scene s;
    Lathe l;
    l.profile = std::move(profile);
    l.segments = 96;
    l.fromDegrees = from, l.toDegrees = to;
    // An odd frame, to show that the frame carries everything.
    addLathe(s, Frame::along(QVector3D(3, -2, 1), QVector3D(1, 1, 0.5f), QVector3D(0, 0, 1)), l, kGrey);
    return s;
}

// A threaded shank closed at both ends: chamfered tip, thread, run-out into a plain part.
Scene shank()
{
    Scene s;
    const Frame f;
    const ThreadProfile p{1.5, 5, 5 - 0.92};
    addThread(s, f, Thread{0, 20, p, ThreadEnd{3.9, 1}, ThreadEnd{5, 0.5}, 48, false}, kGrey);
    Lathe plain;
    plain.profile = {{5, 20}, {5, 25}, {0, 25}};
    plain.segments = 48;
    addLathe(s, f, plain, kGrey);
    addFace(s, ring(f, 3.9, 0, 48), {}, -f.z, kGrey);
    return s;
}

// A threaded nut: chamfered hexagon, faces with holes, an internal thread countersunk at both ends.
Scene nut()
{
    Scene s;
    const Frame f;
    ChamferedPrism hex;
    hex.acrossFlats = 16, hex.z0 = 0, hex.z1 = 8;
    hex.bottomChamferRadius = hex.topChamferRadius = 7.5;
    const Grid g = addChamferedPrism(s, f, hex, kGrey);
    addFace(s, g.row(3), {ring(f, 5.6, 8, 48)}, f.z, kGrey);
    addFace(s, g.row(0), {ring(f, 5.6, 0, 48)}, -f.z, kGrey);
    const ThreadProfile p{1.5, 5, 5 - 0.92};
    addThread(s, f, Thread{0, 8, p, ThreadEnd{5.6, 1.7}, ThreadEnd{5.6, 1.7}, 48, true}, kGrey);
    return s;
}

const double kPi = M_PI;

BentBar bar(double bossHeight)
{
    BentBar b;
    b.bossHeight = bossHeight;
    return b;
}

// The bar's volume: its thickness times the length of its centre line times its width (the
// offset arcs make that exact), less the hole, plus the boss's ring (its small chamfer aside).
double barVolume(const BentBar& b)
{
    const double slope = b.slopeDegrees * kPi / 180;
    const double straight = (b.rise - 2 * b.bendRadius * (1 - std::cos(slope))) / std::sin(slope);
    const double centre = b.lower + 2 * b.bendRadius * slope + straight + b.upper;
    return b.thickness * centre * b.width - kPi * b.holeRadius * b.holeRadius * b.thickness +
           kPi * (b.bossRadius * b.bossRadius - b.holeRadius * b.holeRadius) * b.bossHeight;
}

Scene cutBlock(std::vector<QPointF> hole)
{
    Scene s;
    addCutBlock(s, Frame::along(QVector3D(1, 2, 3), QVector3D(0, 0, 1), QVector3D(1, 1, 0)),
                CutBlock{-20, 0, 10, -8, 8, std::move(hole)}, kGrey);
    return s;
}
const double kHexArea = 16 * 16 * std::sqrt(3.0) / 2;
const double kPolygonShare = 32 * std::sin(2 * kPi / 64) / kPi;  // a 64-gon's area over its circle's
// The mean of the radius squared along the ISO profile of pitch 1.5 on a radius of 5 (crest an eighth,
// root a sixth, flanks linear between 4.08 and 5).
const double kThreadMeanSquare = 0.125 * 25 + 0.167 * 4.08 * 4.08 + 0.708 * (4.08 * 4.08 + 4.08 * 5 + 25) / 3;

std::vector<QPointF> circleAt(double r, double x, double y)
{
    auto c = circle(r, 64);
    for (auto& p : c)
        p += QPointF(x, y);
    return c;
}

class ClosedSolid : public ::testing::TestWithParam<Solid> {};

TEST_P(ClosedSolid, HasNoGapAndFacesOutwards)
{
    const Scene s = GetParam().build();
    EXPECT_EQ(openSides(s), 0);
    const double v = volume(s);
    EXPECT_GT(v, 0);
    EXPECT_NEAR(v, GetParam().expectedVolume, GetParam().expectedVolume * GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Builders, ClosedSolid,
    ::testing::Values(
        Solid{"Cylinder", [] { return latheOf({{0, 0}, {2, 0}, {2, 3}, {0, 3}}); }, kPi * 4 * 3, 0.002},
        Solid{"Tube", [] { return latheOf({{1, 0}, {2, 0}, {2, 3}, {1, 3}, {1, 0}}); }, kPi * 3 * 3, 0.002},
        Solid{"HalfCylinderCutOpen", [] { return latheOf({{0, 0}, {2, 0}, {2, 3}, {0, 3}}, 0, 180); },
              kPi * 4 * 3 / 2, 0.002},
        Solid{"CylinderQuarterCutAway", [] { return latheOf({{0, 0}, {2, 0}, {2, 3}, {0, 3}}, 90, 360); },
              kPi * 4 * 3 * 3 / 4, 0.002},
        Solid{"PlateWithTwoHoles",
              [] {
                  Scene s;
                  addPrism(s, Frame{}, {{0, 0}, {10, 0}, {10, 4}, {0, 4}}, 0, 1, kGrey,
                           {circleAt(1, 2, 2), circleAt(1.2, 6, 2)});
                  return s;
              },
              40 - kPolygonShare * kPi * (1 + 1.44), 0.001},
        Solid{"BentBarWithPlainHole", [] { Scene s; addBentBar(s, Frame{}, bar(0), kGrey); return s; },
              barVolume(bar(0)), 0.003},
        Solid{"BentBarWithBoss", [] { Scene s; addBentBar(s, Frame{}, bar(4.5), kGrey); return s; },
              barVolume(bar(4.5)), 0.003},
        Solid{"BlockCutOpenAlongAThroughHole", [] { return cutBlock({{0, 3}, {20, 3}}); },
              20 * 10 * 16 - kPi * 9 * 20 / 2, 0.002},
        // A blind hole 12 deep ending in a cone 3 long: half of a cylinder and of a cone.
        Solid{"BlockCutOpenAlongABlindHole", [] { return cutBlock({{0, 3}, {12, 3}, {15, 0}}); },
              20 * 10 * 16 - kPi * 9 * (12 + 1) / 2, 0.002},
        Solid{"TwistDrill", [] { Scene s; addTwistDrill(s, Frame{}, TwistDrill{}, kGrey); return s; },
              // The shank whole; the flutes leave about half of the section (0.4 to 0.7).
              kPi * 25 * (30 + 0.55 * 50), 0.15},
        Solid{"ThreadedShank", shank, kPi * kThreadMeanSquare * 20 + kPi * 25 * 5, 0.02},
        // Less the bore, the two 30-degree chamfers (about 12 each) and the two countersinks (about 11 each).
        Solid{"ThreadedNut", nut, kHexArea * 8 - kPi * kThreadMeanSquare * 8 - 2 * 12 - 2 * 11, 0.03}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FlatFace, CoversItsAreaLessItsHolesAndFacesOutward)
{
    // An L-shaped outline with a square hole in each arm, given clockwise to show order does not matter.
    const std::vector<QVector3D> outer{{0, 0, 2}, {0, 6, 2}, {2, 6, 2}, {2, 2, 2}, {6, 2, 2}, {6, 0, 2}};
    auto square = [](float x, float y) {
        return std::vector<QVector3D>{{x, y, 2}, {x + 1, y, 2}, {x + 1, y + 1, 2}, {x, y + 1, 2}};
    };
    Scene s;
    addFace(s, outer, {square(0.5f, 3.5f), square(3.5f, 0.5f)}, QVector3D(0, 0, -1), kGrey);
    double area = 0;
    for (const auto& t : s.triangles) {
        const QVector3D n = QVector3D::crossProduct(t.b - t.a, t.c - t.a);
        EXPECT_LE(n.z(), 0);
        area += n.length() / 2;
    }
    EXPECT_NEAR(area, 6 * 2 + 4 * 2 - 2, 1e-4);
    EXPECT_EQ(s.edges.size(), 6u + 4u + 4u);
}

// A threaded rod seen from the side: where its outline crests along the top and along the
// bottom. A helix puts the bottom crests half a pitch from the top ones; rings would not.
struct Crests {
    std::vector<double> top, bottom;
    double pixelsPerPitch;
};

Crests crestsOfThreadInSideView()
{
    Scene s;
    const double pitch = 2, length = 24;
    const Frame f = Frame::along({}, QVector3D(1, 0, 0), QVector3D(0, 0, 1));
    addThread(s, f, Thread{0, length, ThreadProfile{pitch, 5, 5 - 1.23}, ThreadEnd{3.6, 1}, ThreadEnd{3.6, 1}, 64, false},
              kGrey);
    Camera c;
    c.direction = QVector3D(0, 1, 0);
    Options o;
    o.size = QSize(400, 100);
    const QImage image = render(s, c, o);
    const QPointF left = project(s, c, o, QVector3D(0, 0, 0)), right = project(s, c, o, QVector3D(float(length), 0, 0));
    Crests crests{{}, {}, (right.x() - left.x()) / (length / pitch)};
    // Column by column, the outline's distance from the axis; crests are its local maxima
    // over a window of half a pitch, away from the chamfered ends.
    std::vector<double> up, down;
    for (int x = 0; x < image.width(); ++x) {
        int first = -1, last = -1;
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != QColor(Qt::white).rgb()) {
                if (first < 0)
                    first = y;
                last = y;
            }
        up.push_back(first < 0 ? -1 : left.y() - first);
        down.push_back(last < 0 ? -1 : last - left.y());
    }
    const int window = int(crests.pixelsPerPitch / 4);
    auto peaks = [&](const std::vector<double>& r, std::vector<double>& out) {
        for (int x = int(left.x() + 2 * crests.pixelsPerPitch); x < int(right.x() - 2 * crests.pixelsPerPitch); ++x) {
            bool peak = true;
            for (int d = -window; d <= window && peak; ++d)
                if (r[std::size_t(x + d)] > r[std::size_t(x)] || (d < 0 && r[std::size_t(x + d)] == r[std::size_t(x)]))
                    peak = false;
            if (peak)
                out.push_back(x);
        }
    };
    peaks(up, crests.top);
    peaks(down, crests.bottom);
    return crests;
}

TEST(Thread, ShowsOneCrestPerPitchAndTheBottomOnesHalfAPitchOn)
{
    const Crests c = crestsOfThreadInSideView();
    ASSERT_GE(c.top.size(), 6u);
    ASSERT_GE(c.bottom.size(), 6u);
    for (const auto* crests : {&c.top, &c.bottom})
        for (std::size_t i = 1; i < crests->size(); ++i)
            EXPECT_NEAR((*crests)[i] - (*crests)[i - 1], c.pixelsPerPitch, 1.5);
    for (double top : c.top) {
        const double offset = std::fmod(c.bottom.front() - top + 20 * c.pixelsPerPitch, c.pixelsPerPitch);
        EXPECT_NEAR(offset, c.pixelsPerPitch / 2, 1.5) << top;
    }
}

TEST(Ring, IsTheSameAsTheEndOfAFullLathe)
{
    const Frame f = Frame::along(QVector3D(1, 2, 3), QVector3D(0.3f, 0.2f, 1), QVector3D(1, 0, 0));
    Scene s;
    Lathe l;
    l.profile = {{2.5, -1}, {2.5, 4}};
    l.segments = 40;
    const Grid g = addLathe(s, f, l, kGrey);
    EXPECT_EQ(g.row(0), ring(f, 2.5, -1, 40));
    EXPECT_EQ(g.row(1), ring(f, 2.5, 4, 40));
}

}  // namespace
