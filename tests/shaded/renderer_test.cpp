// The shaded renderer: where things land, what hides what, which lines are drawn,
// smooth edges, exact sizes and the same pixels every time.

#include "drawing/shaded/mesh.h"
#include "drawing/shaded/shaded.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <set>

namespace {

using namespace drawing::shaded;

const QColor kGrey(180, 180, 180);
const QColor kRed(220, 40, 40);
const QColor kBlue(40, 40, 220);

// A unit cube with its twelve edges, counter-clockwise faces.
Scene cube(QColor colour = kGrey, QVector3D at = {})
{
    Scene s;
    const std::vector<QPointF> square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    Frame f;
    f.origin = at;
    addPrism(s, f, square, 0, 1, colour);
    return s;
}

// A flat square facing +z at height z, without edges.
void addSquare(Scene& s, double half, double z, QColor colour, QVector3D centre = {})
{
    const float h = float(half), zz = float(z);
    addFace(s, {centre + QVector3D(-h, -h, zz), centre + QVector3D(h, -h, zz), centre + QVector3D(h, h, zz),
                centre + QVector3D(-h, h, zz)},
            {}, QVector3D(0, 0, 1), colour, false);
}

Options options(QSize size)
{
    Options o;
    o.size = size;
    return o;
}

bool isGround(QRgb p, QColor ground = Qt::white) { return p == ground.rgb(); }
// The pixel that holds a point of the picture.
QRgb at(const QImage& image, QPointF p) { return image.pixel(int(std::floor(p.x())), int(std::floor(p.y()))); }
// The darkest of the pixel holding a point and its upper and lower neighbours: a one-pixel line
// may fall across two rows.
int darkestAround(const QImage& image, QPointF p)
{
    int d = 0;
    for (int dy = -1; dy <= 1; ++dy)
        d = std::max(d, 255 - qGray(image.pixel(int(std::floor(p.x())), int(std::floor(p.y())) + dy)));
    return d;
}

Camera fromAbove()
{
    Camera c;
    c.direction = QVector3D(0, 0, -1);
    c.up = QVector3D(0, 1, 0);
    return c;
}

TEST(ShadedRender, CubeCoversWhatProjectSaysAndNothingElse)
{
    const Scene s = cube();
    const Camera camera;
    const Options o = options(QSize(120, 100));
    const QImage image = render(s, camera, o);
    const QRectF bounds = projectedBounds(s, camera, o);

    // Fitted: centred, touching the margin on the tighter side.
    const double m = o.margin * 100;
    EXPECT_NEAR(bounds.center().x(), 60, 1e-6);
    EXPECT_NEAR(bounds.center().y(), 50, 1e-6);
    EXPECT_TRUE(std::abs(bounds.height() - (100 - 2 * m)) < 1e-6 || std::abs(bounds.width() - (120 - 2 * m)) < 1e-6);

    // Every pixel clear of the projected bounds is ground; the projected corners of the three
    // visible faces enclose covered pixels.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!bounds.adjusted(-1.5, -1.5, 1.5, 1.5).contains(QPointF(x + 0.5, y + 0.5))) {
                ASSERT_TRUE(isGround(image.pixel(x, y))) << x << "," << y;
            }
    const QPointF top = project(s, camera, o, QVector3D(0.5f, 0.5f, 1));
    const QPointF sideX = project(s, camera, o, QVector3D(1, 0.5f, 0.5f));
    const QPointF sideY = project(s, camera, o, QVector3D(0.5f, 1, 0.5f));
    for (QPointF p : {top, sideX, sideY})
        EXPECT_FALSE(isGround(at(image, p)));
    // The top, facing the default light, is the brightest face.
    EXPECT_GT(qGray(at(image, top)), qGray(at(image, sideX)));
}

struct Overlap {
    const char* name;
    bool nearFirst;
    bool perspective;
};

class NearerFaceWins : public ::testing::TestWithParam<Overlap> {};

TEST_P(NearerFaceWins, WhateverTheOrder)
{
    Scene s;
    if (GetParam().nearFirst) {
        addSquare(s, 1, 1, kRed);
        addSquare(s, 1.5, 0, kBlue);
    } else {
        addSquare(s, 1.5, 0, kBlue);
        addSquare(s, 1, 1, kRed);
    }
    Camera c = fromAbove();
    c.perspective = GetParam().perspective;
    Options o = options(QSize(60, 60));
    o.light = QVector3D(0, 0, 1);
    const QImage image = render(s, c, o);
    const QRgb centre = image.pixel(30, 30);
    EXPECT_GT(qRed(centre), 150);
    EXPECT_LT(qBlue(centre), 100);
    // Beyond the near square the far one shows.
    EXPECT_GT(qBlue(at(image, project(s, c, o, QVector3D(1.3f, 0, 0)))), 150);
}

INSTANTIATE_TEST_SUITE_P(Orders, NearerFaceWins,
                         ::testing::Values(Overlap{"NearFirst", true, false}, Overlap{"FarFirst", false, false},
                                           Overlap{"FarFirstInPerspective", false, true}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ShadedRender, SizeIsExactAndPixelsRepeat)
{
    for (const QSize size : {QSize(1, 1), QSize(37, 5), QSize(221, 180)}) {
        const Scene s = cube();
        Camera c;
        c.perspective = true;
        const QImage a = render(s, c, options(size));
        const QImage b = render(s, c, options(size));
        EXPECT_EQ(a.size(), size);
        EXPECT_TRUE(a == b);
    }
}

TEST(ShadedRender, EdgeBehindAFaceIsHiddenEdgeInFrontIsDrawn)
{
    Scene s;
    addSquare(s, 1, 0, kGrey);
    s.edges.push_back({QVector3D(-0.8f, -0.5f, -0.5f), QVector3D(0.8f, -0.5f, -0.5f)});  // under the square
    s.edges.push_back({QVector3D(-0.8f, 0.5f, 0.5f), QVector3D(0.8f, 0.5f, 0.5f)});     // over it
    s.edges.push_back({QVector3D(-0.8f, 0, 0), QVector3D(0.8f, 0, 0)});                  // on it
    const Camera c = fromAbove();
    Options o = options(QSize(80, 80));
    o.light = QVector3D(0, 0, 1);
    const QImage image = render(s, c, o);
    const QRgb face = at(image, project(s, c, o, QVector3D(0, 0.25f, 0)));
    for (float x : {-0.6f, 0.0f, 0.6f}) {
        for (int dy = -1; dy <= 1; ++dy) {
            const QPointF hidden = project(s, c, o, QVector3D(x, -0.5f, -0.5f)) + QPointF(0, dy);
            EXPECT_EQ(at(image, hidden), face) << x;
        }
        EXPECT_GT(darkestAround(image, project(s, c, o, QVector3D(x, 0.5f, 0.5f))), 150) << x;
        EXPECT_GT(darkestAround(image, project(s, c, o, QVector3D(x, 0, 0))), 150) << x;
    }
}

TEST(ShadedRender, CreaseAtTheBottomOfAValleyIsDrawn)
{
    // The bottom of a V groove lies deeper than everything around it: its line must survive the
    // depth test all the same, as the foot of a boss or the root of a screw's head does.
    Scene s;
    const QVector3D a(-1, -1, 1), b(-1, 1, 1), c(0, 1, 0), d(0, -1, 0), e(1, 1, 1), f(1, -1, 1);
    s.triangles.push_back({a, d, c, kGrey});
    s.triangles.push_back({a, c, b, kGrey});
    s.triangles.push_back({d, f, e, kGrey});
    s.triangles.push_back({d, e, c, kGrey});
    s.edges.push_back({c, d});
    const Camera cam = fromAbove();
    Options o = options(QSize(90, 90));
    o.light = QVector3D(0, 0, 1);
    const QImage image = render(s, cam, o);
    for (float y : {-0.7f, 0.0f, 0.7f})
        EXPECT_GT(darkestAround(image, project(s, cam, o, QVector3D(0, y, 0))), 150) << y;
}

TEST(ShadedRender, HoleInAPlateShowsItsCircleOnlyFromTheSideItIsSeen)
{
    // A plate with a round hole through it: seen from above, the hole's rim on the top face is drawn
    // and the ground shows through; its rim on the bottom face is drawn only where the hole lets it be seen.
    Scene s;
    addPrism(s, Frame{}, regularPolygon(4, 2, 45), 0, 0.3, kGrey, {circle(0.6, 48)});
    Camera c;
    c.direction = QVector3D(0, 0.5f, -1);
    c.up = QVector3D(0, 1, 0);
    Options o = options(QSize(120, 120));
    const QImage image = render(s, c, o);
    EXPECT_TRUE(isGround(at(image, project(s, c, o, QVector3D(0, -0.25f, 0.15f)))));
    EXPECT_GT(darkestAround(image, project(s, c, o, QVector3D(0.6f, 0, 0.3f))), 120);
    // The bottom rim's far side is seen through the hole; its near side hides under the plate.
    EXPECT_GT(darkestAround(image, project(s, c, o, QVector3D(0, 0.6f, 0))), 120);
    EXPECT_EQ(at(image, project(s, c, o, QVector3D(0, -0.6f, 0))), at(image, project(s, c, o, QVector3D(0.8f, -1.2f, 0.3f))));
}

TEST(ShadedRender, CurvedSurfaceGetsItsOutlineButNoSeams)
{
    // A cylinder lying along x, without any edge of its own: the renderer draws where it turns away.
    Scene s;
    Lathe l;
    l.profile = {{0, 0}, {1, 0}, {1, 4}, {0, 4}};
    l.segments = 40;
    l.cornerEdges = false;
    addLathe(s, Frame::along({}, QVector3D(1, 0, 0), QVector3D(0, 0, 1)), l, QColor(235, 235, 235));
    Camera c;
    c.direction = QVector3D(0, 1, 0);
    Options o = options(QSize(200, 80));
    o.light = QVector3D(0, -1, 1);
    const QImage image = render(s, c, o);
    const QPointF upper = project(s, c, o, QVector3D(2, 0, 1));
    const QPointF lower = project(s, c, o, QVector3D(2, 0, -1));
    EXPECT_GT(darkestAround(image, upper), 150);
    EXPECT_GT(darkestAround(image, lower), 150);
    // Across the middle the shading runs smooth: no facet seam is drawn, no step is left.
    const int x = int(upper.x());
    for (int y = int(upper.y()) + 6; y < int(lower.y()) - 6; ++y)
        EXPECT_LT(std::abs(qGray(image.pixel(x, y)) - qGray(image.pixel(x, y + 1))), 12) << y;
    Options off = o;
    off.silhouettes = false;
    EXPECT_LT(darkestAround(render(s, c, off), upper), 120);
}

TEST(ShadedRender, SupersamplingGivesIntermediateTonesOnSlantedEdges)
{
    Scene s;
    s.triangles.push_back({QVector3D(0, 0, 0), QVector3D(1, 0.3f, 0), QVector3D(0.2f, 1, 0), QColor(Qt::black)});
    Options o = options(QSize(50, 50));
    o.ambient = 1;
    auto tones = [&](int supersample) {
        o.supersample = supersample;
        const QImage image = render(s, fromAbove(), o);
        std::set<int> grey;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                grey.insert(qGray(image.pixel(x, y)));
        return grey.size();
    };
    EXPECT_EQ(tones(1), 2u);
    EXPECT_GT(tones(4), 8u);
}

TEST(ShadedRender, FramingPinsAPointAndKeepsTheScale)
{
    const Scene s = cube();
    Options o = options(QSize(100, 100));
    o.framing = Options::Framing{20, QVector3D(1, 1, 1), QPointF(30.5, 40.25)};
    const Camera c = fromAbove();
    const QPointF pinned = project(s, c, o, QVector3D(1, 1, 1));
    EXPECT_DOUBLE_EQ(pinned.x(), 30.5);
    EXPECT_DOUBLE_EQ(pinned.y(), 40.25);
    const QPointF other = project(s, c, o, QVector3D(0, 1, 1));
    EXPECT_NEAR(pinned.x() - other.x(), 20, 1e-9);
    // fitBox puts the scene in that rectangle instead.
    Options boxed = options(QSize(100, 100));
    boxed.fitBox = QRectF(10, 60, 30, 30);
    const QRectF b = projectedBounds(s, c, boxed);
    EXPECT_NEAR(b.left(), 10, 1e-6);
    EXPECT_NEAR(b.bottom(), 90, 1e-6);
}

TEST(ShadedRender, PerspectiveShowsTheNearerOfTwoEqualCubesLarger)
{
    Scene s = cube(kGrey, QVector3D(0, 0, 0));
    const Scene far = cube(kGrey, QVector3D(0, 6, 0));
    s.triangles.insert(s.triangles.end(), far.triangles.begin(), far.triangles.end());
    Camera c;
    c.direction = QVector3D(0, 1, -0.2f);
    c.perspective = true;
    const Options o = options(QSize(100, 100));
    auto width = [&](float y) {
        return project(s, c, o, QVector3D(1, y, 1)).x() - project(s, c, o, QVector3D(0, y, 1)).x();
    };
    EXPECT_GT(width(0), 1.3 * width(6));
    c.perspective = false;
    EXPECT_NEAR(width(0), width(6), 1e-6);
}

TEST(ShadedRender, AxisMarkerIsBlueAndPointsTheWayTheCameraSeesTheAxes)
{
    QImage image(80, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    const Camera c;  // z up in the picture
    drawAxisMarker(image, c, QPointF(40, 50), 30);
    const QRgb up = image.pixel(40, 35);  // halfway along z
    EXPECT_GT(qBlue(up), qRed(up) + 80);
    EXPECT_TRUE(isGround(image.pixel(40, 65)));  // nothing points down
}

// The marker goes to the nearest corner where it clears what is drawn, and nowhere when the
// picture leaves it no room.
TEST(ShadedRender, AxisMarkerPlaceClearsWhatIsDrawn)
{
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(QRect(0, 50, 60, 70), Qt::gray);  // the lower left is taken
    const Camera c;
    const QRect area(5, 5, 110, 110);
    const std::optional<QPointF> at = axisMarkerPlace(image, Qt::white, area, c, 20, 3);
    ASSERT_TRUE(at.has_value());
    QImage marked = image;
    drawAxisMarker(marked, c, *at, 20);
    int changed = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (marked.pixel(x, y) == image.pixel(x, y))
                continue;
            ++changed;
            EXPECT_TRUE(area.contains(x, y)) << x << "," << y;
            EXPECT_FALSE(QRect(-3, 47, 66, 76).contains(x, y)) << "within 3 px of the grey at " << x << "," << y;
        }
    EXPECT_GT(changed, 50);
    EXPECT_GT(at->x(), 60);  // the lower right, the next corner
    EXPECT_GT(at->y(), 60);

    image.fill(Qt::gray);
    EXPECT_FALSE(axisMarkerPlace(image, Qt::white, area, c, 20, 3).has_value());
}

}  // namespace
