#pragma once
// Reading a line drawing's own geometry: where its axes lie, at which distances from
// them its lines of each type run, where its hatching stops. Shared by the tests of the
// drawings and by the test that proves the exercices answer key by its pictures.

#include "drawing/iso/sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string>

namespace sheet_geometry {

using drawing::iso::Hatch;
using drawing::iso::Line;
using drawing::iso::Segment;
using drawing::iso::Sheet;

inline bool isLevel(const Segment& s) { return s.a.y() == s.b.y() && s.a.x() != s.b.x(); }
inline bool isUpright(const Segment& s) { return s.a.x() == s.b.x() && s.a.y() != s.b.y(); }
inline double left(const Segment& s) { return std::min(s.a.x(), s.b.x()); }
inline double right(const Segment& s) { return std::max(s.a.x(), s.b.x()); }
inline double top(const Segment& s) { return std::min(s.a.y(), s.b.y()); }
inline double bottom(const Segment& s) { return std::max(s.a.y(), s.b.y()); }

// The y of the horizontal centre line of a part (of any part for an empty name), if it has one.
inline std::optional<double> levelAxis(const Sheet& sheet, const std::string& part = {})
{
    for (const Segment& s : sheet.all<Segment>(part))
        if (s.line == Line::Centre && isLevel(s))
            return s.a.y();
    return std::nullopt;
}

// The same, where the part must have one.
inline double axisOf(const Sheet& sheet, const std::string& part)
{
    if (const std::optional<double> axis = levelAxis(sheet, part))
        return *axis;
    ADD_FAILURE() << "no axis for " << part;
    return 0;
}

// The distances from the axis of a part's lines along it, of one line type, optionally
// only those that overlap [from, to] in x.
inline std::set<double> radii(const Sheet& sheet, const std::string& part, Line line, double axis, double from = -1e9,
                              double to = 1e9)
{
    std::set<double> found;
    for (const Segment& s : sheet.all<Segment>(part))
        if (s.line == line && isLevel(s) && right(s) > from && left(s) < to)
            found.insert(std::abs(s.a.y() - axis));
    return found;
}

// A screw's crest: its thick lines nearest the axis along the middle of its root line (the
// head's face edges may lie nearer the axis, but not over the shank); none without a root line.
inline std::optional<double> crestRadius(const Sheet& sheet, double axis, const std::string& part = "screw")
{
    double from = 1e9, to = -1e9;
    for (const Segment& s : sheet.all<Segment>(part))
        if (s.line == Line::Thin && isLevel(s))
            from = std::min(from, left(s)), to = std::max(to, right(s));
    if (from > to)
        return std::nullopt;
    const double middle = (from + to) / 2;
    const std::set<double> found = radii(sheet, part, Line::Thick, axis, middle, middle + 1);
    if (found.empty())
        return std::nullopt;
    return *found.begin();
}

// The same, where the screw must have one.
inline double crestOf(const Sheet& sheet, double axis)
{
    const std::optional<double> crest = crestRadius(sheet, axis);
    EXPECT_TRUE(crest.has_value());
    return crest.value_or(0);
}

// The radius where a part's hatching stops nearest the axis.
inline double hatchInner(const Sheet& sheet, const std::string& part, double axis)
{
    double inner = 1e9;
    for (const Hatch& h : sheet.all<Hatch>(part))
        for (QPointF p : h.outline)
            inner = std::min(inner, std::abs(p.y() - axis));
    return inner;
}

inline QRectF hatchBox(const Sheet& sheet, const std::string& part)
{
    QRectF box;
    for (const Hatch& h : sheet.all<Hatch>(part))
        box = box.isNull() ? h.outline.boundingRect() : box.united(h.outline.boundingRect());
    return box;
}

}  // namespace sheet_geometry
