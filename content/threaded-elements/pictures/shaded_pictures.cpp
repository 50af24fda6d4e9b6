// The shaded renderings of the threaded-element pages. Every part is modelled at the
// proportions of an M10 screw and its kin (millimetres, ISO 4762, 4014, 4032, 7089);
// each picture's box then sets the scale. Threads are real helical ridges, so that they
// read as threads at a few pixels per turn.

#include "threaded-elements/pictures/shaded_pictures.h"

#include "drawing/encode.h"
#include "drawing/shaded/mesh.h"
#include "drawing/shaded/parts.h"
#include "threaded-elements/picture_names.h"
#include "threaded-elements/pictures/pictures.h"

#include <QPainter>

#include <cmath>
#include <functional>
#include <memory>

namespace threaded_elements {

namespace shaded_pictures {

namespace {

using namespace drawing::shaded;

const QColor kSteel(196, 199, 206);
const QColor kNearPart(240, 214, 164);  // the two parts of a joint, told apart by colour
const QColor kFarPart(176, 212, 184);
const QColor kInk(28, 28, 34);
constexpr int kRound = 64;  // segments of every round surface, so that pieces join ring to ring

constexpr double kRadius = 5;       // M10
constexpr double kClearance = 5.5;  // the hole a screw passes through
constexpr double kThreadDepth = 0.6134;  // per unit of pitch, on the radius

double minorRadius(double pitch) { return kRadius - kThreadDepth * pitch; }

// A scene split into named parts as it is built, with the features that tell them apart.
struct Model {
    Scene scene;
    std::vector<Part> parts;
    std::vector<Part> features;

    void part(const QString& name, const std::function<void()>& build) { add(parts, name, build); }
    void feature(const QString& name, const std::function<void()>& build) { add(features, name, build); }

private:
    void add(std::vector<Part>& to, const QString& name, const std::function<void()>& build)
    {
        const std::size_t first = scene.triangles.size();
        build();
        to.push_back({name, first, scene.triangles.size()});
    }
};

// A thread, named by the way it faces: out on a shank, in from a bore.
void addThread(Model& m, const Frame& f, const Thread& t, QColor colour)
{
    m.feature(t.inward ? QStringLiteral("internal thread") : QStringLiteral("external thread"),
              [&] { drawing::shaded::addThread(m.scene, f, t, colour); });
}

// ---- screws --------------------------------------------------------------------------

// A shank along the frame's z from the tip up to `top`, threaded from the tip (chamfered
// at 45 degrees) to threadTop, where the thread runs out into the plain shank.
struct Shank {
    double pitch = 1.5;
    double tip = -40, top = 0, threadTop = -1;
};

void addShank(Model& m, const Frame& f, const Shank& k)
{
    Scene& s = m.scene;
    const double minor = minorRadius(k.pitch);
    const double tipRadius = minor - 0.15 * k.pitch;
    Thread t{k.tip, k.threadTop, ThreadProfile{k.pitch, kRadius, minor}, ThreadEnd{tipRadius, 1.0},
             ThreadEnd{kRadius, 0.5}, kRound, false};
    addThread(m, f, t, kSteel);
    if (k.threadTop < k.top) {
        Lathe plain;
        plain.profile = {{kRadius, k.threadTop}, {kRadius, k.top}};
        plain.segments = kRound;
        addLathe(s, f, plain, kSteel);
    }
    addFace(s, ring(f, tipRadius, k.tip, kRound), {}, -f.z, kSteel, true);
}

// The cone at the bottom of a drilled or socket hole: a fan from the rim to the apex,
// facing into the hole.
void addConeBottom(Scene& s, const std::vector<QVector3D>& rim, QVector3D apex, QVector3D intoHole, QColor colour)
{
    for (std::size_t i = 0; i < rim.size(); ++i) {
        QVector3D a = rim[i], b = rim[(i + 1) % rim.size()];
        if (QVector3D::dotProduct(QVector3D::crossProduct(b - a, apex - a), intoHole) < 0)
            std::swap(a, b);
        s.triangles.push_back({a, b, apex, colour});
    }
}

// Socket head cap screw: the head on z 0..10 (ISO 4762 M10: 16 across, hexagon socket 8), the
// shank below it, threaded nearly up to the head.
void addCapScrew(Model& m, const Frame& f, double length, double pitch)
{
    m.part(QStringLiteral("head"), [&] {
        Lathe head;
        head.profile = {{kRadius, 0}, {7.7, 0}, {8, 0.3}, {8, 9.4}, {7.4, 10}};
        head.segments = kRound;
        const Grid g = addLathe(m.scene, f, head, kSteel);
        addRowEdge(m.scene, g, 4);
        const double socketCorner = 8 / std::sqrt(3.0), socketFloor = 4.6;
        const std::vector<QPointF> socket = regularPolygon(6, socketCorner, 15);
        std::vector<QVector3D> mouth, bottom;
        for (QPointF p : socket) {
            mouth.push_back(f.map(p, 10));
            bottom.push_back(f.map(p, socketFloor));
        }
        addFace(m.scene, g.row(4), {mouth}, f.z, kSteel, false);
        m.feature(QStringLiteral("hexagon socket"), [&] {
            addWalls(m.scene, f, socket, socketFloor, 10, kSteel, true);
            // The socket is drilled before it is broached: its floor is the drill's 118-degree cone.
            addConeBottom(m.scene, bottom, f.map(0, 0, socketFloor - socketCorner * std::tan(radians(31))), f.z,
                          kSteel);
        });
    });
    m.part(QStringLiteral("shank"), [&] { addShank(m, f, Shank{pitch, -length, 0, -1.2}); });
}

// Hexagon head screw (ISO 4014 M10: 16 across flats, head 6.4 high), threaded over `threaded`
// of its length from the tip.
void addHexScrew(Model& m, const Frame& f, double length, double threaded, double pitch)
{
    m.part(QStringLiteral("head"), [&] {
        ChamferedPrism hex;
        hex.acrossFlats = 16, hex.firstCornerDegrees = 10, hex.z0 = 0, hex.z1 = 6.4;
        hex.topChamferRadius = 7.6;
        const Grid g = addChamferedPrism(m.scene, f, hex, kSteel);
        addFace(m.scene, g.row(3), {}, f.z, kSteel, false);
        addFace(m.scene, g.row(0), {ring(f, kRadius, 0, kRound)}, -f.z, kSteel, false);
    });
    m.part(QStringLiteral("shank"),
           [&] { addShank(m, f, Shank{pitch, -length, 0, -length + threaded}); });
}

// ---- nuts and washers ----------------------------------------------------------------

// A bore through z0..z1: threaded (an internal helix) or smooth, countersunk at both mouths.
void addBore(Model& m, const Frame& f, double z0, double z1, double pitch, bool threaded, double mouth, QColor colour)
{
    Scene& s = m.scene;
    const double minor = minorRadius(pitch);
    if (threaded) {
        Thread t{z0, z1, ThreadProfile{pitch, kRadius, minor}, ThreadEnd{mouth, 1.7}, ThreadEnd{mouth, 1.7},
                 kRound, true};
        addThread(m, f, t, colour);
    } else {
        const double sink = (mouth - minor) / 1.7;
        Lathe bore;
        bore.profile = {{mouth, z1}, {minor, z1 - sink}, {minor, z0 + sink}, {mouth, z0}};
        bore.segments = kRound;
        addLathe(s, f, bore, colour);
    }
    addPolyline(s, ring(f, mouth, z0, kRound), true);
    addPolyline(s, ring(f, mouth, z1, kRound), true);
}

// Hexagon nut (ISO 4032 M10: 16 across flats, 8.4 high), chamfered on both faces.
void addHexNut(Model& m, const Frame& f, bool threaded, double pitch)
{
    m.part(QStringLiteral("nut"), [&] {
        ChamferedPrism hex;
        hex.acrossFlats = 16, hex.firstCornerDegrees = 10, hex.z0 = 0, hex.z1 = 8.4;
        hex.bottomChamferRadius = hex.topChamferRadius = 7.5;
        const Grid g = addChamferedPrism(m.scene, f, hex, kSteel);
        const double mouth = 5.6;
        addFace(m.scene, g.row(3), {ring(f, mouth, 8.4, kRound)}, f.z, kSteel, false);
        addFace(m.scene, g.row(0), {ring(f, mouth, 0, kRound)}, -f.z, kSteel, false);
        addBore(m, f, 0, 8.4, pitch, threaded, mouth, kSteel);
    });
}

// Domed cap nut (DIN 1587 M10): a hexagon body closed by a dome.
void addCapNut(Model& m, const Frame& f, double pitch)
{
    m.part(QStringLiteral("nut"), [&] {
        ChamferedPrism hex;
        hex.acrossFlats = 17, hex.firstCornerDegrees = 10, hex.z0 = 0, hex.z1 = 8.5;
        hex.bottomChamferRadius = 8.0, hex.topChamferRadius = 8.1;
        const Grid g = addChamferedPrism(m.scene, f, hex, kSteel);
        Lathe dome;
        dome.profile = {{7.4, 8.5}, {7.4, 10.5}};
        for (int i = 1; i <= 16; ++i) {
            const double a = radians(90.0 * i / 16);
            dome.profile.emplace_back(7.4 * std::cos(a), 10.5 + 6.8 * std::sin(a));
        }
        dome.segments = kRound;
        addLathe(m.scene, f, dome, kSteel);
        addFace(m.scene, g.row(3), {ring(f, 7.4, 8.5, kRound)}, f.z, kSteel, false);
        addPolyline(m.scene, ring(f, 7.4, 8.5, kRound), true);
        const double mouth = 5.6;
        addFace(m.scene, g.row(0), {ring(f, mouth, 0, kRound)}, -f.z, kSteel, false);
        // The thread stops short of the dome, closed by the cone of its drill.
        Thread t{0, 7.5, ThreadProfile{pitch, kRadius, minorRadius(pitch)}, ThreadEnd{mouth, 1.7},
                 ThreadEnd{minorRadius(pitch) - 0.2, 1.0}, kRound, true};
        addThread(m, f, t, kSteel);
        addConeBottom(m.scene, ring(f, minorRadius(pitch) - 0.2, 7.5, kRound), f.map(0, 0, 9.5), -f.z, kSteel);
    });
}

// Flat washer (ISO 7089 M10: 10.5 bore, 20 across, 2 thick).
void addWasher(Model& m, const Frame& f)
{
    m.part(QStringLiteral("washer"), [&] {
        Lathe w;
        w.profile = {{5.25, 0}, {10, 0}, {10, 2}, {5.25, 2}, {5.25, 0}};
        w.segments = kRound;
        addLathe(m.scene, f, w, kSteel);
    });
}

// ---- joints --------------------------------------------------------------------------

// The hole profile of a tapped blind hole: the screw's own size where the screw fills it, the
// thread's teeth beyond the screw's end, then the drilled hole and its 118 degree cone.
std::vector<QPointF> blindTappedHole(double screwDepth, double threadDepth, double drillDepth, double pitch)
{
    const double minor = minorRadius(pitch);
    std::vector<QPointF> p{{0, kClearance}, {0.5, kRadius}, {screwDepth, kRadius}};
    // Beyond the screw the hole shows the thread's own profile: it is the surface the screw's
    // thread would fill, so its crest is the drilled bore (minor) and its root the nominal size.
    const ThreadProfile teeth{pitch, kRadius, minor};
    const std::vector<double> phases = teeth.phases();
    const std::size_t n = phases.size();
    for (std::size_t k = 1;; ++k) {  // from the first corner past the screw's end
        const double a = screwDepth + double(k / n) * pitch + phases[k % n];
        if (a > threadDepth)
            break;
        p.emplace_back(a, teeth.radius(phases[k % n]));
    }
    p.emplace_back(threadDepth + 0.6, minor);
    p.emplace_back(drillDepth, minor);
    p.emplace_back(drillDepth + minor / std::tan(radians(59)), 0);
    return p;
}

// ---- pictures ------------------------------------------------------------------------

// A camera looking along `direction`, the picture turned by `rollDegrees` (positive: world up
// leans to the left).
Camera view(QVector3D direction, double rollDegrees = 0)
{
    Camera c;
    c.direction = direction.normalized();
    const QVector3D right = QVector3D::crossProduct(c.direction, QVector3D(0, 0, 1)).normalized();
    const QVector3D up = QVector3D::crossProduct(right, c.direction);
    const float a = float(radians(rollDegrees));
    c.up = up * std::cos(a) + right * std::sin(a);
    return c;
}

Options lit(QSize size, QColor ground, QRectF fit)
{
    Options o;
    o.size = size;
    o.ground = ground;
    o.fitBox = fit;
    o.lightFromCamera = true;
    o.light = QVector3D(-0.35f, 0.5f, 0.8f);  // from the upper left, in front
    o.ambient = 0.45;
    o.specular = 0.3;
    o.shininess = 28;
    o.edgeColour = kInk;
    o.edgeWidth = 0.9;
    return o;
}

QString fileOf(int page, int box) { return QString::fromStdString(picture_names::boxFile(page, box)); }

Rendering make(int page, int box, Model&& m, Camera camera, Options options)
{
    return Rendering{fileOf(page, box), std::move(m.scene), camera, options, std::move(m.parts),
                     std::move(m.features), {}};
}

Rendering capScrewPicture(int page, int box, QSize size, QRectF fit, double length, double pitch)
{
    Model m;
    addCapScrew(m, Frame{}, length, pitch);
    return make(page, box, std::move(m), view(QVector3D(-0.55f, -0.75f, -0.62f), 52), lit(size, kBlueGround, fit));
}

Rendering nutPicture(int page, int box, QSize size, QRectF fit, bool threaded, QColor ground, double pitch)
{
    Model m;
    addHexNut(m, Frame{}, threaded, pitch);
    return make(page, box, std::move(m), view(QVector3D(-0.5f, -0.8f, -1.15f)), lit(size, ground, fit));
}

Rendering zBarPicture(int page, int box, QSize size, bool boss, bool upperFlangeRight)
{
    Model m;
    Frame f;
    if (!upperFlangeRight)
        f.x = QVector3D(-1, 0, 0), f.y = QVector3D(0, -1, 0);  // turned half round about the vertical
    m.part(QStringLiteral("bar"), [&] {
        BentBar bar;
        bar.bossHeight = boss ? 4.5 : 0;
        addBentBar(m.scene, f, bar, kSteel);
    });
    // The bar is symmetric across its width, so the camera mirrored with it shows the turned bar
    // as the mirror image of the other picture, lit from the same side.
    const float side = upperFlangeRight ? 1.0f : -1.0f;
    const QRectF fit(4, 31, 141, 121);  // below the option that stands on the picture, above the box's edge
    return make(page, box, std::move(m), view(QVector3D(1.1f * side, 1.0f, -0.85f)), lit(size, kBlueGround, fit));
}

}  // namespace

std::vector<Rendering> renderings()
{
    std::vector<Rendering> all;

    // A threaded shank whose left end is a plain part with a cone point, seen from the side
    // through a frame that cuts the thread off at the right.
    {
        Model m;
        const Frame f = Frame::along(QVector3D(0, 0, 0), QVector3D(1, 0, 0), QVector3D(0, -1, 0));
        const double pitch = 1.5, point = minorRadius(pitch) - 0.3, plainTo = 13;
        m.part(QStringLiteral("shank"), [&] {
            Lathe tip;
            tip.profile = {{0, 0}, {point, point}, {point, plainTo}};
            tip.segments = kRound;
            addLathe(m.scene, f, tip, kSteel);
            Thread t{plainTo, 90, ThreadProfile{pitch, kRadius, minorRadius(pitch)}, ThreadEnd{point, 1.0},
                     ThreadEnd{point, 1.0}, kRound, false};
            addThread(m, f, t, kSteel);
            addFace(m.scene, ring(f, point, 90, kRound), {}, f.z, kSteel, false);  // far beyond the frame
        });
        Options o = lit(QSize(365, 137), Qt::white, {});
        o.fitBox.reset();
        o.framing = Options::Framing{5.4, QVector3D(0, 0, 0), QPointF(16, 61)};
        Rendering r = make(1, 1, std::move(m), view(QVector3D(0, 1, -0.08f)), o);
        r.frame = QRectF(2.5, 2.5, 359, 128);
        all.push_back(std::move(r));
    }
    // Socket head cap screw, the head at the upper left; on page 1 the box cuts off the end of its shank.
    all.push_back(capScrewPicture(1, 3, QSize(221, 180), QRectF(4, 32, 212, 145), 40, 1.5));
    // Domed cap nut, kept within the 133 x 141 that page 5 shows and below the option that
    // stands on its top rows (down to row 31) on pages 1 and 5, its dome whole.
    {
        Model m;
        addCapNut(m, Frame{}, 1.5);
        all.push_back(make(1, 2, std::move(m), view(QVector3D(-0.5f, -0.8f, -0.55f)),
                           lit(QSize(139, 158), kBlueGround, QRectF(6, 32, 122, 107))));
    }
    // Socket head cap screw with a hexagon nut screwed onto the end of its shank, set to the
    // right so that the nut's upper corner stays clear of the option that ends at column 215.
    {
        Model m;
        const Frame screw = Frame::along(QVector3D(0, 0, 0), QVector3D(-1, 0, 0), QVector3D(0, 0, 1));
        addCapScrew(m, screw, 45, 1.5);
        addHexNut(m, screw.moved(0, 0, -41), true, 1.5);
        all.push_back(make(2, 3, std::move(m), view(QVector3D(0.45f, 1.0f, -0.5f)),
                           lit(QSize(300, 126), kBlueGround, QRectF(37, 4, 258, 116))));
    }
    // Hexagon head screw, threaded over the outer half of its shank.
    {
        Model m;
        addHexScrew(m, Frame{}, 50, 25, 1.5);
        all.push_back(make(2, 1, std::move(m), view(QVector3D(-0.55f, -0.75f, -0.55f), 55),
                           lit(QSize(230, 168), kBlueGround, QRectF(4, 32, 220, 129))));
    }
    // Hexagon nut, its threaded bore in view; and the same shape with a smooth bore, darker ground.
    // Both at one scale and place, their upper corners below the option on their top rows.
    const QRectF nutFit(6, 32, 158, 119);
    all.push_back(nutPicture(2, 2, QSize(170, 159), nutFit, true, kBlueGround, 1.5));
    all.push_back(nutPicture(4, 1, QSize(170, 153), nutFit, false, kDarkBlueGround, 1.5));
    // Twist drill, side view on white: the point at the left, the plain shank at the right. The
    // option stands across the middle of the picture's height, so the drill, a stub length, keeps
    // to the columns at its right.
    {
        Model m;
        m.part(QStringLiteral("drill"), [&] {
            TwistDrill drill;
            drill.radius = kRadius, drill.fluted = 38, drill.length = 62, drill.segments = kRound;
            addTwistDrill(m.scene, Frame::along(QVector3D(0, 0, 0), QVector3D(1, 0, 0), QVector3D(0, -1, 0)), drill, kSteel);
        });
        all.push_back(make(5, 1, std::move(m), view(QVector3D(0, 1, -0.1f)),
                           lit(QSize(370, 54), Qt::white, QRectF(233, 4, 134, 46))));
    }
    // A bar threaded over its left two thirds, plain on the rest, side view on white, in the
    // rows below the option that stands across the middle of the picture.
    {
        Model m;
        const Frame f = Frame::along(QVector3D(0, 0, 0), QVector3D(1, 0, 0), QVector3D(0, -1, 0));
        const double length = 78, pitch = 1.5;
        m.part(QStringLiteral("bar"), [&] {
            addShank(m, f, Shank{pitch, 0, length - 0.8, length * 2 / 3});
            Lathe end;
            end.profile = {{kRadius, length - 0.8}, {kRadius - 0.8, length}, {0, length}};
            end.segments = kRound;
            addLathe(m.scene, f, end, kSteel);
        });
        all.push_back(make(7, 2, std::move(m), view(QVector3D(0, 1, -0.12f)),
                           lit(QSize(400, 70), Qt::white, QRectF(5, 39, 386, 29))));
    }
    // Page 15: the bars, the screw, the nut and the washer.
    all.push_back(zBarPicture(15, 2, QSize(150, 163), true, true));
    all.push_back(zBarPicture(15, 1, QSize(150, 156), false, false));
    all.push_back(zBarPicture(15, 6, QSize(150, 164), true, false));
    all.push_back(capScrewPicture(15, 3, QSize(100, 81), QRectF(3, 2, 94, 77), 25, 1.75));
    {
        Model m;
        addHexNut(m, Frame{}, true, 1.75);
        all.push_back(make(15, 4, std::move(m), view(QVector3D(-0.5f, -0.8f, -1.0f)),
                           lit(QSize(70, 66), kBlueGround, QRectF(4, 3, 62, 60))));
    }
    {
        Model m;
        addWasher(m, Frame{});
        all.push_back(make(15, 12, std::move(m), view(QVector3D(-0.5f, -0.8f, -0.9f)),
                           lit(QSize(50, 50), kBlueGround, QRectF(4, 6, 42, 38))));
    }

    // Page 16: two blocks joined by a hexagon head screw along world x, the head at the right,
    // cut open along the axis and seen from the front left, so that the cut faces face the eye.
    // The near block (x 0..18) takes the screw through a plain hole. All three share one scale
    // and place the joint face at the same pixel, as the page shows them one above the other;
    // their tops below the options that stand on their top rows (down to row 31), their bottoms
    // inside the 117 rows that the lowest box shows.
    const double near = 18, high = 13, deep = 16, pitch = 1.5;
    const Camera joint = view(QVector3D(0.3f, 1.0f, -0.32f));
    const Frame screwAxis = Frame::along(QVector3D(float(near), 0, 0), QVector3D(1, 0, 0), QVector3D(0, 0, 1));
    auto jointPicture = [&](int box, QSize size, double far, const std::vector<QPointF>& farHole,
                            const std::function<void(Model&)>& fasteners) {
        Model m;
        m.part(QStringLiteral("near part"), [&] {
            addCutBlock(m.scene, Frame{}, CutBlock{0, near, deep, -high, high, {{0, kClearance}, {near, kClearance}}},
                        kNearPart);
        });
        m.part(QStringLiteral("far part"),
               [&] { addCutBlock(m.scene, Frame{}, CutBlock{-far, 0, deep, -high, high, farHole}, kFarPart); });
        fasteners(m);
        Options o = lit(size, kBlueGround, {});
        o.fitBox.reset();
        o.framing = Options::Framing{2.65, QVector3D(0, 0, 0), QPointF(175, 77)};
        all.push_back(make(16, box, std::move(m), joint, o));
    };
    jointPicture(2, QSize(300, 136), 18, {{0, kClearance}, {18, kClearance}}, [&](Model& m) {
        addHexScrew(m, screwAxis, 50, 26, pitch);
        addHexNut(m, Frame::along(QVector3D(-18, 0, 0), QVector3D(-1, 0, 0), QVector3D(0, 0, 1)), true, pitch);
    });
    const double screwIn = 14;
    jointPicture(1, QSize(300, 136), 40, blindTappedHole(screwIn, 24, 29, pitch),
                 [&](Model& m) { addHexScrew(m, screwAxis, near + screwIn, near + screwIn - 4, pitch); });
    jointPicture(3, QSize(300, 118), 22, {{0, kClearance}, {0.5, kRadius}, {22, kRadius}},
                 [&](Model& m) { addHexScrew(m, screwAxis, near + 22, 28, pitch); });
    return all;
}

QImage draw(const Rendering& r)
{
    QImage image = render(r.scene, r.camera, r.options);
    if (!r.frame.isEmpty()) {
        QPainter p(&image);
        // White outside the frame: the frame is the window the shank is seen through.
        QRegion outside(image.rect());
        outside -= QRegion(r.frame.toAlignedRect().adjusted(1, 1, -1, -1));
        p.setClipRegion(outside);
        p.fillRect(image.rect(), Qt::white);
        p.setClipping(false);
        p.setPen(QPen(kInk, 1));
        p.drawRect(r.frame);
    }
    return image;
}

}  // namespace shaded_pictures

drawing::PictureSet shadedPictures()
{
    drawing::PictureSet set;
    for (auto& each : shaded_pictures::renderings()) {
        auto r = std::make_shared<const shaded_pictures::Rendering>(std::move(each));
        set.push_back({r->file, [r] { return drawing::jpeg(shaded_pictures::draw(*r), r->options.size, 92); }});
    }
    return set;
}

}  // namespace threaded_elements
