// The line drawings of exercise pages 6 to 14. Each page tests one ISO 6410 rule; its
// right answer follows the rule and each wrong answer breaks it in the one way the
// question is about, so the builders below take the fault as a parameter rather than
// drawing each variant by hand.

#include "threaded-elements/pictures/line_drawings.h"

#include "drawing/encode.h"
#include "drawing/iso/render.h"
#include "threaded-elements/pictures/pictures.h"

#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <optional>
#include <ranges>
#include <stdexcept>

namespace threaded_elements {

namespace line_drawings {

namespace {

using namespace drawing::iso;

const QColor kGrey(214, 214, 214);       // the light grey of the parts' faces
const QColor kBlueGround(112, 160, 216);  // the ground around the cut parts of page 7
const double kCos30 = std::sqrt(3.0) / 2;
const double kTan30 = 1 / std::sqrt(3.0);
// The 30 degree chamfer of a hexagon starts on this share of the width across flats.
constexpr double kChamferShare = 0.9;
constexpr double kPast = 6;  // how far a centre line runs past the outline

void level(Sheet& s, double y, double x0, double x1, Line line, const std::string& part)
{
    s.add(Segment{QPointF(x0, y), QPointF(x1, y), line, part});
}

void upright(Sheet& s, double x, double y0, double y1, Line line, const std::string& part)
{
    s.add(Segment{QPointF(x, y0), QPointF(x, y1), line, part});
}

// --- Hexagon head screw, side view: tip at the left, head at the right --------------

struct ScrewSide {
    double axis = 0;
    double tip = 0;         // x of the end face
    double bearing = 0;     // x of the head's bearing face
    double headLength = 0;
    double headRadius = 0;  // half the width across corners
    double crest = 0;       // major radius
    double root = 0;        // minor radius; the tip is chamfered at 45 degrees down to it
    std::optional<double> threadEnd{};  // where the thread stops; none for a plain shank
    QColor face = Qt::white;
    // A stretch where a nut is drawn over the screw by the nut's own rules (the fault of
    // page 14): there the crest line takes the given type and the root line is left to
    // the nut, whose bore line lies on it.
    struct Sleeve {
        double from, to;
        Line crest;
    };
    std::optional<Sleeve> sleeve{};
    bool centreLine = true;
};

// A head across corners: the silhouette and two face edges, the 30 degree chamfer at its
// top seen as one curve on each visible face (sampled from the true cone).
void addHexHead(Sheet& s, double axis, double bearing, double length, double radius, QColor face, const std::string& part)
{
    const double top = bearing + length;
    const double chamferRadius = kChamferShare * radius * kCos30;
    const double drop = (radius - chamferRadius) * kTan30;
    if (face != Qt::white)
        s.add(Face{{QPolygonF{{QPointF(bearing, axis - radius), QPointF(top - drop, axis - radius),
                               QPointF(top, axis - chamferRadius), QPointF(top, axis + chamferRadius),
                               QPointF(top - drop, axis + radius), QPointF(bearing, axis + radius)}}},
                   face, part});
    upright(s, bearing, axis - radius, axis + radius, Line::Thick, part);
    upright(s, top, axis - chamferRadius, axis + chamferRadius, Line::Thick, part);
    for (double sign : {-1.0, 1.0}) {
        level(s, axis + sign * radius, bearing, top - drop, Line::Thick, part);
        level(s, axis + sign * radius / 2, bearing, top - drop, Line::Thick, part);
        s.add(Segment{QPointF(top - drop, axis + sign * radius), QPointF(top, axis + sign * chamferRadius), Line::Thick, part});
    }
    // The three faces between the vertices at 90, 30, -30 and -90 degrees round the axis.
    const double vertexAngles[] = {90, 30, -30, -90};
    for (int f = 0; f < 3; ++f) {
        const double a0 = vertexAngles[f] * std::numbers::pi / 180, a1 = vertexAngles[f + 1] * std::numbers::pi / 180;
        const QPointF v0(radius * std::sin(a0), radius * std::cos(a0)), v1(radius * std::sin(a1), radius * std::cos(a1));
        QPolygonF curve;
        for (int i = 0; i <= 16; ++i) {
            const QPointF p = v0 + (v1 - v0) * (i / 16.0);
            const double rho = std::hypot(p.x(), p.y());
            curve << QPointF(top - std::max(0.0, rho - chamferRadius) * kTan30, axis - p.x());
        }
        s.add(Polyline{curve, false, Line::Thick, part});
    }
}

void addScrewSide(Sheet& s, const ScrewSide& w)
{
    const std::string part = "screw";
    const double chamfer = w.crest - w.root;
    if (w.face != Qt::white)
        s.add(Face{{QPolygonF{{QPointF(w.tip, w.axis - w.root), QPointF(w.tip + chamfer, w.axis - w.crest),
                               QPointF(w.bearing, w.axis - w.crest), QPointF(w.bearing, w.axis + w.crest),
                               QPointF(w.tip + chamfer, w.axis + w.crest), QPointF(w.tip, w.axis + w.root)}}},
                   w.face, part});
    upright(s, w.tip, w.axis - w.root, w.axis + w.root, Line::Thick, part);
    for (double sign : {-1.0, 1.0}) {
        s.add(Segment{QPointF(w.tip, w.axis + sign * w.root), QPointF(w.tip + chamfer, w.axis + sign * w.crest), Line::Thick, part});
        const double crestY = w.axis + sign * w.crest, rootY = w.axis + sign * w.root;
        if (w.sleeve) {
            level(s, crestY, w.tip + chamfer, w.sleeve->from, Line::Thick, part);
            level(s, crestY, w.sleeve->from, w.sleeve->to, w.sleeve->crest, part);
            level(s, crestY, w.sleeve->to, w.bearing, Line::Thick, part);
        } else {
            level(s, crestY, w.tip + chamfer, w.bearing, Line::Thick, part);
        }
        if (w.threadEnd && w.sleeve) {
            level(s, rootY, w.tip, w.sleeve->from, Line::Thin, part);
            level(s, rootY, w.sleeve->to, *w.threadEnd, Line::Thin, part);
        } else if (w.threadEnd) {
            level(s, rootY, w.tip, *w.threadEnd, Line::Thin, part);
        }
    }
    // The chamfer's edge is a visible edge, threaded or not: the thread only adds its own lines.
    upright(s, w.tip + chamfer, w.axis - w.crest, w.axis + w.crest, Line::Thick, part);
    if (w.threadEnd)
        upright(s, *w.threadEnd, w.axis - w.crest, w.axis + w.crest, Line::Thick, part);
    addHexHead(s, w.axis, w.bearing, w.headLength, w.headRadius, w.face, part);
    if (w.centreLine)
        level(s, w.axis, w.tip - kPast, w.bearing + w.headLength + kPast, Line::Centre, part);
}

// --- A part cut through a bore on a horizontal axis -----------------------------------

enum class Rims { Visible, Hidden, None };

struct BoreSection {
    double axis = 0, left = 0, right = 0;
    double outer = 0;                           // the walls reach axis ± outer
    double cut = 0;                             // radius where the cut faces, and their hatching, stop
    std::optional<Line> cutEdge = Line::Thick;  // the line along that edge; none where a screw's line stands there
    std::optional<double> nominal{};            // the thin line of a thread's nominal diameter, through the hatching
    Rims rims = Rims::Visible;                  // the bore's ends across the axis, behind the cutting plane
    bool chamfered = false;                     // a nut: outer corners chamfered at 30 degrees
    QColor face = Qt::white;
    double hatchAngle = 135;
    bool centreLine = true;
    std::string part{};
};

void addBoreSection(Sheet& s, const BoreSection& b)
{
    const double dy = b.chamfered ? b.outer * (1 - kChamferShare * kCos30) : 0, dx = dy * kTan30;
    // The whole silhouette takes the face colour: behind the bore lies the far half of its wall.
    // One side's outer edge, from the left face to the right one, its corners chamfered on a nut.
    auto rim = [&](double sign) {
        const double outer = b.axis + sign * b.outer;
        if (!b.chamfered)
            return QPolygonF{{QPointF(b.left, outer), QPointF(b.right, outer)}};
        return QPolygonF{{QPointF(b.left, outer - sign * dy), QPointF(b.left + dx, outer), QPointF(b.right - dx, outer),
                          QPointF(b.right, outer - sign * dy)}};
    };
    QPolygonF silhouette = rim(-1);
    for (QPointF p : rim(1) | std::views::reverse)
        silhouette << p;
    s.add(Face{{silhouette}, b.face, b.part});
    for (double sign : {-1.0, 1.0}) {
        const double inner = b.axis + sign * b.cut;
        QPolygonF wall = QPolygonF{{QPointF(b.left, inner)}} << rim(sign) << QPointF(b.right, inner);
        s.add(Hatch{wall, b.hatchAngle, 5, b.part});
        s.add(Polyline{wall, false, Line::Thick, b.part});
        if (b.cutEdge)
            level(s, inner, b.left, b.right, *b.cutEdge, b.part);
        if (b.nominal)
            level(s, b.axis + sign * *b.nominal, b.left, b.right, Line::Thin, b.part);
    }
    if (b.rims != Rims::None)
        for (double x : {b.left, b.right})
            upright(s, x, b.axis - b.cut, b.axis + b.cut, b.rims == Rims::Visible ? Line::Thick : Line::Hidden, b.part);
    if (b.centreLine)
        level(s, b.axis, b.left - kPast, b.right + kPast, Line::Centre, b.part);
}

// --- End views of a hexagon -----------------------------------------------------------

void addHexEnd(Sheet& s, QPointF centre, double radius, double rotation, std::optional<double> chamferCircle,
               std::optional<double> greyHole, const std::string& part)
{
    const QPolygonF hex = hexagon(centre, radius, rotation);
    if (greyHole)
        s.add(Face{{hex, circlePolygon(centre, *greyHole)}, kGrey, part});
    s.add(Polyline{hex, true, Line::Thick, part});
    if (chamferCircle)
        s.add(Circle{centre, *chamferCircle, Line::Thick, part});
    const QRectF box = hex.boundingRect();
    addCentreCross(s, centre, box.width() / 2 + kPast, box.height() / 2 + kPast, part);
}

// --- Page 6, 7 and 12: sections of bores ---------------------------------------------

Sheet tappedBoreSection()
{
    Sheet s{QSize(100, 177)};
    addBoreSection(s, {.axis = 88, .left = 15, .right = 85, .outer = 76, .cut = 18, .nominal = 23, .part = "part"});
    return s;
}

// A plain bore on a vertical axis: built on a horizontal one and turned, then marked.
Sheet plainBoreSection(QSize size, double axis, double from, double to, double outer, double bore, const QString& mark,
                       double markBaseline)
{
    Sheet flat{size.transposed()};
    addBoreSection(flat, {.axis = axis, .left = from, .right = to, .outer = outer, .cut = bore, .part = "part"});
    Sheet s = transposed(flat);
    s.add(Mark{QPointF(axis, markBaseline), mark, 11, "mark"});
    return s;
}

Sheet blindTappedJointSection()
{
    Sheet s{QSize(500, 170), kBlueGround};
    const double axis = 98, top = 38, bottom = 158, joint = 240, far = 480;
    const double drilled = 18, nominal = 23, clearance = 28;
    const double drillEnd = 120, threadEnd = 150;
    const double point = drillEnd - drilled * kTan30;  // a 120 degree drill point
    const std::string left = "left part", right = "right part";
    const QPolygonF cut{{QPointF(20, top), QPointF(joint, top), QPointF(joint, axis - drilled), QPointF(drillEnd, axis - drilled),
                         QPointF(point, axis), QPointF(drillEnd, axis + drilled), QPointF(joint, axis + drilled),
                         QPointF(joint, bottom), QPointF(20, bottom)}};
    // The parts are white throughout: inside the holes lies the far half of their walls.
    s.add(Face{{rectangle(20, top, joint, bottom)}, Qt::white, left});
    s.add(Face{{rectangle(joint, top, far, bottom)}, Qt::white, right});
    s.add(Hatch{cut, 135, 5, left});
    s.add(Polyline{cut, true, Line::Thick, left});
    upright(s, drillEnd, axis - drilled, axis + drilled, Line::Thick, left);  // where the drilled bore meets its point
    upright(s, joint, axis - drilled, axis + drilled, Line::Thick, left);     // the hole's rim behind the cut
    for (double sign : {-1.0, 1.0})
        level(s, axis + sign * nominal, threadEnd, joint, Line::Thin, left);
    upright(s, threadEnd, axis - nominal, axis + nominal, Line::Thick, left);  // the end of the thread
    for (double sign : {-1.0, 1.0}) {
        const QPolygonF wall = rectangle(joint, sign < 0 ? top : axis + clearance, far, sign < 0 ? axis - clearance : bottom);
        s.add(Hatch{wall, 45, 5, right});  // the neighbouring part hatched the other way
        s.add(Polyline{wall, true, Line::Thick, right});
    }
    upright(s, far, axis - clearance, axis + clearance, Line::Thick, right);
    level(s, axis, point - 8, far + 10, Line::Centre, "axis");
    return s;
}

// --- Pages 6, 8 and 12: screws in side view ------------------------------------------

Sheet hexScrewTwoViews()
{
    // First-angle: the view from the left (the tip end) stands to the right of the side view.
    Sheet s{QSize(500, 86)};
    addScrewSide(s, {.axis = 43, .tip = 30, .bearing = 290, .headLength = 20, .headRadius = 26, .crest = 15, .root = 12});
    const QPointF centre(420, 43);
    addHexEnd(s, centre, 26, 90, std::nullopt, std::nullopt, "end view");  // a vertex up, as the side view shows it
    s.add(Circle{centre, 15, Line::Thick, "end view"});
    s.add(Circle{centre, 12, Line::Thick, "end view"});  // the chamfer at the tip
    return s;
}

Sheet hexScrewThreadDrawn()
{
    Sheet s{QSize(400, 98)};
    addScrewSide(s, {.axis = 49, .tip = 36, .bearing = 360, .headLength = 26, .headRadius = 36, .crest = 20, .root = 15,
                     .threadEnd = 260});
    return s;
}

// Page 12's screw: one description, the thread switched on or off, so that the two drawings
// differ by the thread's lines only.
Sheet screwSide(bool threaded)
{
    Sheet s{QSize(234, 98)};
    ScrewSide screw{.axis = 49, .tip = 16, .bearing = 165, .headLength = 24, .headRadius = 32, .crest = 18, .root = 13,
                    .face = kGrey};
    if (threaded)
        screw.threadEnd = 112;
    addScrewSide(s, screw);
    return s;
}

// --- Pages 9 to 11: end views ---------------------------------------------------------

enum class NutThread { None, InnerThreeQuarter, OuterThreeQuarter, OuterFull };

Sheet nutEnd(NutThread thread)
{
    Sheet s{QSize(136, 118)};
    const QPointF centre(62, 58);
    const double hole = 19, inner = 14, outer = 25;
    addHexEnd(s, centre, 46, 15, kChamferShare * 46 * kCos30, hole, "nut");  // turned a little
    s.add(Circle{centre, hole, Line::Thick, "nut"});
    if (thread == NutThread::InnerThreeQuarter)
        s.add(threeQuarterCircle(centre, inner, "nut"));
    else if (thread == NutThread::OuterThreeQuarter)
        s.add(threeQuarterCircle(centre, outer, "nut"));
    else if (thread == NutThread::OuterFull)
        s.add(Circle{centre, outer, Line::Thin, "nut"});
    return s;
}

enum class ScrewThread { None, InnerThreeQuarter, OuterThreeQuarter };

Sheet screwEnd(ScrewThread thread)
{
    Sheet s{QSize(111, 90)};
    const QPointF centre(54, 42);
    const double outer = 22, inner = 17;
    addHexEnd(s, centre, 40, 0, std::nullopt, std::nullopt, "screw");  // flats at top and bottom
    if (thread == ScrewThread::OuterThreeQuarter)
        s.add(threeQuarterCircle(centre, outer, "screw"));
    else
        s.add(Circle{centre, outer, Line::Thick, "screw"});
    if (thread == ScrewThread::InnerThreeQuarter)
        s.add(threeQuarterCircle(centre, inner, "screw"));
    else
        s.add(Circle{centre, inner, Line::Thick, "screw"});
    return s;
}

// --- Page 13: a nut and a screw side by side ------------------------------------------

struct Thread {
    double crest, root;  // major and minor radii
};

Sheet pair(Thread nut, Thread screw)
{
    Sheet s{QSize(326, 177)};
    const double axis = 90;
    const double nutRadius = 0.87 * 2 * nut.crest, nutThickness = 1.6 * nut.crest;
    addBoreSection(s, {.axis = axis, .left = 16, .right = 16 + nutThickness, .outer = nutRadius, .cut = nut.root,
                       .nominal = nut.crest, .chamfered = true, .face = kGrey, .part = "nut"});
    addScrewSide(s, {.axis = axis, .tip = 110, .bearing = 245, .headLength = 1.3 * screw.crest,
                     .headRadius = 0.87 * 2 * screw.crest, .crest = screw.crest, .root = screw.root, .threadEnd = 200,
                     .face = kGrey});
    return s;
}

const Thread kMatching{26, 19};
const Thread kLargerNut{33, 26};  // its bore is the matching screw's crest
const Thread kSmallerScrew{18, 13};

// --- Page 14: a screw through a nut ---------------------------------------------------

enum class Assembly { ThickLines, ThinLines, Correct };

Sheet assembly(Assembly kind)
{
    const bool correct = kind == Assembly::Correct;
    Sheet s{correct ? QSize(326, 177) : QSize(285, 160)};
    const double axis = correct ? 90 : 80, crest = 22, root = 16;
    const double nutLeft = correct ? 60 : 40, nutRight = nutLeft + 36, nutRadius = 38;
    BoreSection nut{.axis = axis, .left = nutLeft, .right = nutRight, .outer = nutRadius, .chamfered = true,
                    .face = kGrey, .centreLine = false, .part = "nut"};
    // The shorter screw of the wrong drawings ends just past the nut, its chamfer outside and
    // the chamfer's edge a few pixels clear of the nut's face.
    ScrewSide screw{.axis = axis, .tip = correct ? 30 : nutLeft - (crest - root) - 5, .headRadius = 38, .crest = crest,
                    .root = root, .face = kGrey, .centreLine = false};
    screw.bearing = correct ? 245 : 205;
    screw.headLength = 28;
    screw.threadEnd = correct ? 180 : 150;
    if (correct) {
        // The screw's lines win: the nut's cut stops at the crest, its faces hidden behind the screw.
        nut.cut = crest;
        nut.cutEdge = std::nullopt;
        nut.rims = Rims::Hidden;
    } else {
        // The fault: the nut drawn as if alone, its hatching in to its bore over the screw's thread.
        const Line inside = kind == Assembly::ThickLines ? Line::Thick : Line::Thin;
        nut.cut = root;
        nut.cutEdge = inside;
        nut.rims = Rims::None;
        screw.sleeve = ScrewSide::Sleeve{nutLeft, nutRight, inside};
    }
    addScrewSide(s, screw);
    addBoreSection(s, nut);
    level(s, axis, screw.tip - kPast, screw.bearing + screw.headLength + kPast, Line::Centre, "axis");
    return s;
}

const std::map<std::string, std::function<Sheet()>>& builders()
{
    static const std::map<std::string, std::function<Sheet()>> all{
        {"tapped-bore-section", tappedBoreSection},
        {"plain-bore-section-AA", [] { return plainBoreSection(QSize(113, 141), 54, 10, 110, 40, 16, "A-A", 134); }},
        {"plain-bore-section-BB", [] { return plainBoreSection(QSize(128, 126), 62, 8, 92, 48, 20, "B-B", 117); }},
        {"hex-screw-two-views", hexScrewTwoViews},
        {"blind-tapped-joint-section", blindTappedJointSection},
        {"hex-screw-thread-drawn", hexScrewThreadDrawn},
        {"nut-end", [] { return nutEnd(NutThread::None); }},
        {"nut-end-inner-three-quarter", [] { return nutEnd(NutThread::InnerThreeQuarter); }},
        {"nut-end-outer-three-quarter", [] { return nutEnd(NutThread::OuterThreeQuarter); }},
        {"nut-end-outer-full", [] { return nutEnd(NutThread::OuterFull); }},
        {"screw-end", [] { return screwEnd(ScrewThread::None); }},
        {"screw-end-inner-three-quarter", [] { return screwEnd(ScrewThread::InnerThreeQuarter); }},
        {"screw-end-outer-three-quarter", [] { return screwEnd(ScrewThread::OuterThreeQuarter); }},
        {"screw-side-threaded", [] { return screwSide(true); }},
        {"screw-side-plain", [] { return screwSide(false); }},
        {"pair-matching", [] { return pair(kMatching, kMatching); }},
        {"pair-screw-larger-nut", [] { return pair(kLargerNut, kMatching); }},
        {"pair-larger-nut-smaller-screw", [] { return pair(kLargerNut, kSmallerScrew); }},
        {"assembly-thick-lines", [] { return assembly(Assembly::ThickLines); }},
        {"assembly-thin-lines", [] { return assembly(Assembly::ThinLines); }},
        {"assembly-correct", [] { return assembly(Assembly::Correct); }},
    };
    return all;
}

}  // namespace

std::vector<std::string> stems()
{
    std::vector<std::string> out;
    for (const auto& [stem, build] : builders())
        out.push_back(stem);
    return out;
}

Sheet sheet(const std::string& stem)
{
    return builders().at(stem)();
}

}  // namespace line_drawings

drawing::PictureSet lineDrawings()
{
    drawing::PictureSet set;
    for (const std::string& stem : line_drawings::stems())
        set.push_back({QString::fromStdString("threaded-elements/" + stem + ".jpg"), [stem] {
                           const drawing::iso::Sheet s = line_drawings::sheet(stem);
                           return drawing::jpeg(drawing::iso::render(s), s.size);
                       }});
    return set;
}

}  // namespace threaded_elements
