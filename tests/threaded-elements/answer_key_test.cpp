// The answer key of exercices proved by its pictures: on every page the key's option
// stands on the picture that answers the page's question, and no other option does.
// Which box an option answers for is read from the page's layout, which file the box
// shows from its record, and what the picture shows from what it is drawn from: the
// primitives of a line drawing, the model of a shaded rendering.

#include "missing-view/models/drawings.h"
#include "missing-view/picture_names.h"
#include "sheet_geometry.h"
#include "threaded-elements/pictures/line_drawings.h"
#include "threaded-elements/pictures/pictures.h"
#include "threaded-elements/pictures/shaded_pictures.h"
#include "threaded-elements/threaded_elements.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace sheet_geometry;
using drawing::iso::Arc;
using drawing::iso::Circle;
using drawing::iso::Polyline;
using threaded_elements::shaded_pictures::Part;
using threaded_elements::shaded_pictures::Rendering;
namespace ld = threaded_elements::line_drawings;

// --- Which boxes an option answers for ------------------------------------------------

// The box an option answers for: the one it lies on, reaches over the top edge of, or stands
// just above (its lower edge at most 225 twips over the box's top), its left and right within
// the box's. On a page of rows, each under a line of its own, the option answers for every box
// of its row.
std::vector<const forms::ControlRecord*> boxesFor(const forms::Layout& layout, const forms::ControlRecord& option)
{
    const forms::Rect o = option.rect;
    std::vector<const forms::ControlRecord*> under;
    std::vector<forms::Twips> lines;
    for (const forms::ControlRecord& c : layout.controls) {
        if (c.kind == forms::Kind::Line)
            lines.push_back(c.y1);
        if (c.kind != forms::Kind::PictureBox)
            continue;
        const forms::Rect b = c.rect;
        const forms::Twips lowerEdge = o.top + o.height;
        if (o.left >= b.left && o.left + o.width <= b.left + b.width && lowerEdge >= b.top - 225 &&
            lowerEdge <= b.top + b.height)
            under.push_back(&c);
    }
    EXPECT_EQ(under.size(), 1u) << option.name << ": not over exactly one box";
    if (lines.size() < 2 || under.size() != 1)
        return under;
    std::sort(lines.begin(), lines.end());
    const auto below = std::upper_bound(lines.begin(), lines.end(), o.top);
    EXPECT_NE(below, lines.begin()) << option.name << ": no line above its row";
    const forms::Twips rowTop = below == lines.begin() ? 0 : *(below - 1);
    const forms::Twips rowEnd = below == lines.end() ? layout.window.clientHeight : *below;
    std::vector<const forms::ControlRecord*> row;
    for (const forms::ControlRecord& c : layout.controls)
        if (c.kind == forms::Kind::PictureBox && c.rect.top >= rowTop && c.rect.top < rowEnd)
            row.push_back(&c);
    EXPECT_NE(std::find(row.begin(), row.end(), under[0]), row.end()) << option.name;
    return row;
}

// --- What a box shows -------------------------------------------------------------------

const std::vector<Rendering>& renderings()
{
    static const std::vector<Rendering> all = threaded_elements::shaded_pictures::renderings();
    return all;
}

// A picture as it is drawn: a line drawing's sheet, a shaded rendering's model, or a candidate
// drawing of the missing-view program.
struct Shown {
    std::string file;
    std::optional<drawing::iso::Sheet> sheet;
    const Rendering* rendering = nullptr;
    int candidate = 0;
};

Shown shownBy(const forms::ControlRecord& box)
{
    Shown s;
    const std::string root = common::picture_names::resource("");
    EXPECT_EQ(box.picture.rfind(root, 0), 0u) << box.name;
    s.file = box.picture.substr(root.size());
    const QString file = QString::fromStdString(s.file);
    const std::string stem = QFileInfo(file).completeBaseName().toStdString();
    const std::vector<std::string> stems = ld::stems();
    if (std::find(stems.begin(), stems.end(), stem) != stems.end() &&
        s.file == "threaded-elements/" + stem + ".jpg") {
        s.sheet = ld::sheet(stem);
        return s;
    }
    for (const Rendering& r : renderings())
        if (r.file == file) {
            s.rendering = &r;
            return s;
        }
    // A candidate drawing of the other program, embedded as its very bytes.
    for (int v = 1; v <= 24; ++v)
        if (QFileInfo(QString::fromStdString(missing_view::picture_names::candidateFile(v))).fileName() ==
            QFileInfo(file).fileName()) {
            for (const drawing::PictureFile& p : threaded_elements::pictures())
                if (p.file == file) {
                    EXPECT_EQ(p.bytes(), missing_view::models::candidateJpeg(v)) << s.file;
                    s.candidate = v;
                }
            if (s.candidate)
                return s;
        }
    ADD_FAILURE() << box.name << " shows " << s.file << ", drawn by nothing known";
    return s;
}

// --- Shaded renderings: their parts, the features those carry, their geometry ----------

const Part* partNamed(const Rendering& r, const char* name)
{
    for (const Part& p : r.parts)
        if (p.name == QLatin1String(name))
            return &p;
    return nullptr;
}

// Whether the named part carries the feature: a piece of its own triangles.
bool carries(const Rendering& r, const char* part, const char* feature)
{
    const Part* p = partNamed(r, part);
    if (!p)
        return false;
    return std::any_of(r.features.begin(), r.features.end(), [&](const Part& f) {
        return f.name == QLatin1String(feature) && f.firstTriangle >= p->firstTriangle &&
               f.endTriangle <= p->endTriangle && f.endTriangle > f.firstTriangle;
    });
}

std::vector<QVector3D> vertices(const Rendering& r, const Part& p)
{
    std::vector<QVector3D> out;
    for (std::size_t i = p.firstTriangle; i < p.endTriangle; ++i) {
        const auto& t = r.scene.triangles[i];
        out.insert(out.end(), {t.a, t.b, t.c});
    }
    return out;
}

struct Box3 {
    QVector3D low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
    void add(QVector3D p)
    {
        for (int i = 0; i < 3; ++i)
            low[i] = std::min(low[i], p[i]), high[i] = std::max(high[i], p[i]);
    }
    bool contains(QVector3D p) const
    {
        for (int i = 0; i < 3; ++i)
            if (p[i] < low[i] || p[i] > high[i])
                return false;
        return true;
    }
};

Box3 boxOf(const std::vector<QVector3D>& points)
{
    Box3 b;
    for (QVector3D p : points)
        b.add(p);
    return b;
}

// A screw: a head on a shank that carries an external thread.
bool isScrew(const Rendering& r) { return partNamed(r, "head") && carries(r, "shank", "external thread"); }

bool isSocketHeadCapScrew(const Rendering& r) { return isScrew(r) && carries(r, "head", "hexagon socket"); }

bool isTappedNut(const Rendering& r) { return carries(r, "nut", "internal thread"); }

bool isNutAlone(const Rendering& r) { return r.parts.size() == 1 && isTappedNut(r); }

bool hasExternalThread(const Rendering& r)
{
    return std::any_of(r.features.begin(), r.features.end(),
                       [](const Part& f) { return f.name == QLatin1String("external thread"); });
}

// A bolt: a screw with a tapped nut on its shank.
bool isBolt(const Rendering& r)
{
    if (!isScrew(r) || !isTappedNut(r))
        return false;
    const std::vector<QVector3D> nut = vertices(r, *partNamed(r, "nut"));
    QVector3D centre;
    for (QVector3D p : nut)
        centre += p / float(nut.size());
    return boxOf(vertices(r, *partNamed(r, "shank"))).contains(centre);
}

// A bar bent into a Z with a boss round the hole of its lower flange: over that flange
// (where its underside lies) the bar stands at more heights than the flange's two faces.
bool hasBoss(const Rendering& r)
{
    const Part* bar = partNamed(r, "bar");
    if (!bar)
        return false;
    const std::vector<QVector3D> points = vertices(r, *bar);
    const Box3 all = boxOf(points);
    Box3 footprint;
    for (QVector3D p : points)
        if (p.z() < all.low.z() + 1e-3f)
            footprint.add(p);
    std::set<long> heights;
    for (QVector3D p : points)
        if (p.x() > footprint.low.x() + 1 && p.x() < footprint.high.x() - 1 && p.y() > footprint.low.y() + 1 &&
            p.y() < footprint.high.y() - 1)
            heights.insert(std::lround(p.z() * 100));
    return heights.size() > 2;
}

// A blind hole: a part the screw goes into that is closed on the screw's axis.
bool usesBlindHole(const Rendering& r)
{
    if (!isScrew(r))
        return false;
    const Box3 shank = boxOf(vertices(r, *partNamed(r, "shank")));
    const QVector3D extent = shank.high - shank.low, middle = (shank.high + shank.low) / 2;
    const int along = extent.x() >= extent.y() && extent.x() >= extent.z() ? 0 : extent.y() >= extent.z() ? 1 : 2;
    for (const Part& p : r.parts) {
        if (p.name == QLatin1String("head") || p.name == QLatin1String("shank"))
            continue;
        for (QVector3D v : vertices(r, p)) {
            bool onAxis = true;
            for (int i = 0; i < 3; ++i)
                onAxis &= i == along || std::abs(v[i] - middle[i]) < 0.05f;
            if (onAxis)
                return true;
        }
    }
    return false;
}

// --- Line drawings: the rules of their page, read on their primitives -------------------

// The sheet turned so that its axis runs level, for a section drawn on an upright axis.
drawing::iso::Sheet levelled(const drawing::iso::Sheet& sheet)
{
    if (levelAxis(sheet))
        return sheet;
    for (const Segment& s : sheet.all<Segment>())
        if (s.line == Line::Centre && isUpright(s))
            return drawing::iso::transposed(sheet);
    return sheet;
}

std::set<std::string> hatchedParts(const drawing::iso::Sheet& sheet)
{
    std::set<std::string> parts;
    for (const Hatch& h : sheet.all<Hatch>())
        parts.insert(h.part);
    return parts;
}

// A tapped bore in section: the walls hatched up to the thick line of the bore, a thin line
// through the hatching.
bool showsTappedBore(const drawing::iso::Sheet& drawn)
{
    const drawing::iso::Sheet sheet = levelled(drawn);
    const std::optional<double> axis = levelAxis(sheet);
    if (!axis)
        return false;
    for (const std::string& part : hatchedParts(sheet)) {
        const double cut = hatchInner(sheet, part, *axis);
        const double wall = std::max(std::abs(hatchBox(sheet, part).top() - *axis),
                                     std::abs(hatchBox(sheet, part).bottom() - *axis));
        const std::set<double> thin = radii(sheet, part, Line::Thin, *axis);
        if (radii(sheet, part, Line::Thick, *axis) == std::set<double>{cut} && thin.size() == 1 &&
            *thin.begin() > cut && *thin.begin() < wall)
            return true;
    }
    return false;
}

// A tapped blind hole in section: the cut's outline closes on the axis in the drill's point,
// the hatching fills that outline up to the drilled bore, the thread's thin lines lie outside
// the bore and stop short of the point.
bool showsBlindTappedHole(const drawing::iso::Sheet& drawn)
{
    const drawing::iso::Sheet sheet = levelled(drawn);
    const std::optional<double> axis = levelAxis(sheet);
    if (!axis)
        return false;
    for (const std::string& part : hatchedParts(sheet))
        for (const Polyline& outline : sheet.all<Polyline>(part)) {
            const QPolygonF& p = outline.points;
            for (int i = 1; i + 1 < p.size(); ++i) {
                if (p[i].y() != *axis)
                    continue;
                const double drilled = std::abs(p[i - 1].y() - *axis);
                const std::set<double> thin = radii(sheet, part, Line::Thin, *axis);
                double from = 1e9, to = -1e9;
                for (const Segment& s : sheet.all<Segment>(part))
                    if (s.line == Line::Thin)
                        from = std::min(from, left(s)), to = std::max(to, right(s));
                const std::vector<Hatch> hatching = sheet.all<Hatch>(part);
                const bool filled = std::any_of(hatching.begin(), hatching.end(),
                                                [&](const Hatch& h) { return h.outline == p; });
                if (filled && thin.size() == 1 && *thin.begin() > drilled && (p[i].x() < from || p[i].x() > to))
                    return true;
            }
        }
    return false;
}

// A screw's thread in side view: thin root lines inside the thick crest lines, ending at a
// thick line across the shank from crest to crest.
bool showsScrewThread(const drawing::iso::Sheet& sheet)
{
    std::set<std::string> parts;
    for (const Segment& s : sheet.all<Segment>())
        if (s.line == Line::Centre && isLevel(s))
            parts.insert(s.part);
    for (const std::string& part : parts) {
        const double axis = *levelAxis(sheet, part);
        const std::set<double> thin = radii(sheet, part, Line::Thin, axis);
        const std::optional<double> crest = crestRadius(sheet, axis, part);
        if (thin.size() != 1 || !crest || *thin.begin() >= *crest)
            continue;
        double threadEnd = -1e9;
        for (const Segment& s : sheet.all<Segment>(part))
            if (s.line == Line::Thin)
                threadEnd = std::max(threadEnd, right(s));
        for (const Segment& s : sheet.all<Segment>(part))
            if (s.line == Line::Thick && isUpright(s) && s.a.x() == threadEnd &&
                std::abs(top(s) - (axis - *crest)) < 1e-9 && std::abs(bottom(s) - (axis + *crest)) < 1e-9)
                return true;
    }
    return false;
}

enum class Around { Inside, Outside };

// A thread seen end on: one thin three-quarter circle, open in its upper left quarter, inside
// or outside the smallest thick circle about the same centre.
bool showsThreeQuarterCircle(const drawing::iso::Sheet& sheet, Around where)
{
    const std::vector<Arc> arcs = sheet.all<Arc>();
    std::vector<double> thick;
    for (const Circle& c : sheet.all<Circle>()) {
        if (c.line != Line::Thick)
            return false;  // a thin full circle is not the convention
        if (!arcs.empty() && c.centre == arcs[0].centre)
            thick.push_back(c.radius);
    }
    if (arcs.size() != 1 || thick.empty())
        return false;
    const Arc& arc = arcs[0];
    if (arc.line != Line::Thin || std::abs(arc.spanDegrees) != 270 || drawing::iso::arcCovers(arc, 225))
        return false;
    const double hole = *std::min_element(thick.begin(), thick.end());
    return where == Around::Inside ? arc.radius < hole : arc.radius > hole;
}

// A nut and a screw that go together: the nut's thin lines level with the screw's thick
// ones, its thick lines level with the screw's thin ones.
bool showsMatchingPair(const drawing::iso::Sheet& sheet)
{
    const std::optional<double> nutAxis = levelAxis(sheet, "nut"), screwAxis = levelAxis(sheet, "screw");
    if (!nutAxis || !screwAxis || *nutAxis != *screwAxis)
        return false;
    const std::set<double> nutThick = radii(sheet, "nut", Line::Thick, *nutAxis);
    const std::set<double> nutThin = radii(sheet, "nut", Line::Thin, *nutAxis);
    const std::set<double> screwThin = radii(sheet, "screw", Line::Thin, *screwAxis);
    const std::optional<double> screwThick = crestRadius(sheet, *screwAxis);
    return nutThick.size() == 1 && nutThin.size() == 1 && screwThin.size() == 1 && screwThick &&
           *nutThin.begin() == *screwThick && *nutThick.begin() == *screwThin.begin();
}

// A screw in a nut drawn by the rule: the screw's crest and root lines run on unbroken through
// the nut, whose hatching stops at the crest and draws no line of its own there.
bool showsScrewLinesThroughTheNut(const drawing::iso::Sheet& sheet)
{
    const std::optional<double> axis = levelAxis(sheet);
    const QRectF nut = hatchBox(sheet, "nut");
    if (!axis || nut.isNull())
        return false;
    const double outside = nut.right() + 5;
    const std::set<double> crests = radii(sheet, "screw", Line::Thick, *axis, outside, outside + 1);
    const std::set<double> roots = radii(sheet, "screw", Line::Thin, *axis, outside, outside + 1);
    if (crests.empty() || roots.size() != 1)
        return false;
    const double crest = *crests.begin(), root = *roots.begin();
    for (double sign : {-1.0, 1.0})
        for (auto [radius, type] : {std::pair{crest, Line::Thick}, std::pair{root, Line::Thin}}) {
            bool through = false;
            for (const Segment& s : sheet.all<Segment>("screw"))
                through |= isLevel(s) && s.line == type && s.a.y() == *axis + sign * radius &&
                           left(s) <= nut.left() - 2 && right(s) >= nut.right() + 2;
            if (!through)
                return false;
        }
    for (const Segment& s : sheet.all<Segment>("nut"))
        if (isLevel(s) && right(s) > nut.left() + 1 && left(s) < nut.right() - 1) {
            const double r = std::abs(s.a.y() - *axis);
            if (std::abs(r - crest) < 1e-9 || std::abs(r - root) < 1e-9)
                return false;
        }
    return hatchInner(sheet, "nut", *axis) == crest;
}

// --- Page 15: a row of parts to assemble --------------------------------------------------

// Two parts to clamp, a tapped part, a screw, and bearing surfaces for both (bosses or washers).
bool assemblesCorrectly(const std::vector<Shown>& row)
{
    int bars = 0, bearings = 0, screws = 0, tapped = 0;
    for (const Shown& s : row) {
        if (!s.rendering)
            return false;
        const Rendering& r = *s.rendering;
        bars += partNamed(r, "bar") != nullptr;
        bearings += hasBoss(r) || partNamed(r, "washer") != nullptr;
        screws += isScrew(r);
        tapped += isTappedNut(r);
    }
    return bars == 2 && bearings >= 2 && screws == 1 && tapped == 1;
}

// --- The pages -----------------------------------------------------------------------------

using Answers = std::function<bool(const std::vector<Shown>&)>;

Answers rendered(bool (*shows)(const Rendering&))
{
    return [shows](const std::vector<Shown>& v) { return v.size() == 1 && v[0].rendering && shows(*v[0].rendering); };
}

// A plan is a line drawing; a shaded rendering or a candidate drawing of the other program
// (visible edges at one weight, no thin lines) draws no thread by the convention.
Answers drawn(std::function<bool(const drawing::iso::Sheet&)> shows)
{
    return [shows](const std::vector<Shown>& v) { return v.size() == 1 && v[0].sheet && shows(*v[0].sheet); };
}

struct PageProof {
    int page;
    const char* answer;  // what the right picture shows
    Answers answers;
};

const PageProof kPages[] = {
    {1, "the socket head cap screw", rendered(isSocketHeadCapScrew)},
    {2, "a nut, its bore threaded, alone", rendered(isNutAlone)},
    {3, "a screw with a nut on its shank: a bolt", rendered(isBolt)},
    {4, "a nut with a threaded bore", rendered(isTappedNut)},
    {5, "a part with an external thread", rendered(hasExternalThread)},
    {6, "a tapped bore in section", drawn(showsTappedBore)},
    {7, "a tapped blind hole in section", drawn(showsBlindTappedHole)},
    {8, "a screw in side view with its thread drawn", drawn(showsScrewThread)},
    {9, "a thin three-quarter circle outside the thick circle of the nut's hole",
     drawn([](const auto& s) { return showsThreeQuarterCircle(s, Around::Outside); })},
    {10, "a thin three-quarter circle inside the screw's full thick circle",
     drawn([](const auto& s) { return showsThreeQuarterCircle(s, Around::Inside); })},
    {11, "a thin three-quarter circle larger than the full thick one: a nut",
     drawn([](const auto& s) { return showsThreeQuarterCircle(s, Around::Outside); })},
    {12, "a screw with its thread drawn", drawn(showsScrewThread)},
    {13, "a nut and a screw whose lines match", drawn(showsMatchingPair)},
    {14, "a screw whose lines run on through the nut", drawn(showsScrewLinesThroughTheNut)},
    {15, "two bossed bars, a screw and a nut", assemblesCorrectly},
    {16, "a screw in a blind hole", rendered(usesBlindHole)},
};

void PrintTo(const PageProof& c, std::ostream* os) { *os << "page " << c.page << ", " << c.answer; }

class AnswerKeyProof : public ::testing::TestWithParam<PageProof> {};

TEST_P(AnswerKeyProof, TheKeysOptionAloneStandsOnWhatAnswersTheQuestion)
{
    const PageProof& c = GetParam();
    const auto& page = threaded_elements::exercisePages()[std::size_t(c.page - 1)];
    ASSERT_EQ(page.page, c.page);
    const forms::Layout layout = threaded_elements::exerciseLayout(page);
    const int key = threaded_elements::answerKey()[std::size_t(c.page - 1)].correctOption;
    std::set<const forms::ControlRecord*> taken;
    for (int k = 1; k <= 3; ++k) {
        const forms::ControlRecord* option = forms::findControl(layout, "Option" + std::to_string(k));
        ASSERT_NE(option, nullptr) << k;
        std::vector<Shown> shown;
        std::string files;
        for (const forms::ControlRecord* box : boxesFor(layout, *option)) {
            EXPECT_TRUE(taken.insert(box).second) << box->name << " answered for twice";
            shown.push_back(shownBy(*box));
            files += " " + box->name + " (" + shown.back().file + ")";
        }
        ASSERT_FALSE(shown.empty()) << option->name;
        const bool answers = c.answers(shown);
        if (k == key)
            EXPECT_TRUE(answers) << "page " << c.page << ": the key's \"" << option->caption << "\" stands on" << files
                                 << ", which is not " << c.answer;
        else
            EXPECT_FALSE(answers) << "page " << c.page << ": \"" << option->caption << "\", not the key's, stands on"
                                  << files << ", which is also " << c.answer;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, AnswerKeyProof, ::testing::ValuesIn(kPages),
                         [](const auto& c) { return "page" + std::to_string(c.param.page); });

}  // namespace
