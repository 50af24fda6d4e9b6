#include "drawing/views/views.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace drawing::views {

Direction direction(Side side)
{
    switch (side) {
    case Side::Front: return {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};
    case Side::Top: return {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
    case Side::Bottom: return {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}};
    case Side::Left: return {{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}};
    case Side::Right: return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    case Side::Back: return {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}};
    }
    return {};
}

Direction direction(Vec3 toViewer, Vec3 worldUp)
{
    const Vec3 d = normalised(toViewer);
    const Vec3 right = normalised(cross(worldUp, d));
    return {d, right, cross(d, right)};
}

QRectF LineSet::bounds() const
{
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (const Polyline& l : lines)
        for (const QPointF& p : l) {
            x0 = std::min(x0, p.x());
            y0 = std::min(y0, p.y());
            x1 = std::max(x1, p.x());
            y1 = std::max(y1, p.y());
        }
    return x1 < x0 ? QRectF() : QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

double LineSet::length() const
{
    double total = 0;
    for (const Polyline& l : lines)
        for (std::size_t i = 1; i < l.size(); ++i)
            total += QLineF(l[i - 1], l[i]).length();
    return total;
}

namespace {

// A curve on which lines are looked for, with its parameter range.
struct Curve {
    std::function<Vec3(double)> at;
    std::function<Vec3(double)> tangent;
    double t0 = 0, t1 = 1;
    bool closed = false;
    double length = 1;
};

using Test = std::function<bool(Vec3 point, Vec3 tangent)>;

// The stretches of the curve where the test holds, their ends found by bisection.
std::vector<Polyline3> runs(const Curve& c, double step, const Test& test)
{
    const int n = std::max(2, int(std::ceil(c.length / step)));
    // Sample k sits at param(k); a closed curve is periodic, so its sample n is its sample 0.
    const auto param = [&](int k) { return c.t0 + (c.t1 - c.t0) * k / n; };
    const int count = c.closed ? n : n + 1;
    std::vector<char> on(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        on[std::size_t(k)] = test(c.at(param(k)), c.tangent(param(k)));
    const auto flag = [&](int k) { return on[std::size_t(c.closed ? (k % count + count) % count : k)] != 0; };
    const auto refine = [&](double inside, double outside) {
        for (int i = 0; i < 30; ++i) {
            const double mid = (inside + outside) / 2;
            (test(c.at(mid), c.tangent(mid)) ? inside : outside) = mid;
        }
        return inside;
    };

    std::vector<Polyline3> out;
    if (std::all_of(on.begin(), on.end(), [](char v) { return v != 0; })) {
        Polyline3 all;
        for (int k = 0; k <= n; ++k)
            all.push_back(c.at(param(k)));
        out.push_back(std::move(all));
        return out;
    }
    // A closed curve is walked from a sample where the test fails, so that no run is cut in two.
    int first = 0;
    if (c.closed)
        while (flag(first))
            ++first;
    const int last = c.closed ? first + count : n;
    for (int k = first; k <= last; ++k) {
        if (!flag(k) || (k > first && flag(k - 1)))
            continue;
        int end = k;
        while (end + 1 <= last && flag(end + 1))
            ++end;
        Polyline3 line;
        if (k > first)
            line.push_back(c.at(refine(param(k), param(k - 1))));
        for (int j = k; j <= end; ++j)
            line.push_back(c.at(param(j)));
        if (end < last)
            line.push_back(c.at(refine(param(end), param(end + 1))));
        if (line.size() >= 2)
            out.push_back(std::move(line));
        k = end;
    }
    return out;
}

Curve lineCurve(Vec3 p0, Vec3 u, double t0, double t1)
{
    Curve c;
    c.at = [=](double t) { return p0 + u * t; };
    c.tangent = [=](double) { return u; };
    c.t0 = t0;
    c.t1 = t1;
    c.length = (t1 - t0) * length(u);
    return c;
}

// The stretch of p0 + t·u (u a unit vector) inside the box, or an empty range.
std::pair<double, double> clipToBox(Vec3 p0, Vec3 u, const Box3& b)
{
    double lo = -1e300, hi = 1e300;
    const double p[3] = {p0.x, p0.y, p0.z}, d[3] = {u.x, u.y, u.z};
    const double l[3] = {b.lo.x, b.lo.y, b.lo.z}, h[3] = {b.hi.x, b.hi.y, b.hi.z};
    for (int i = 0; i < 3; ++i) {
        if (std::abs(d[i]) < 1e-12) {
            if (p[i] < l[i] || p[i] > h[i])
                return {0, 0};
            continue;
        }
        double t0 = (l[i] - p[i]) / d[i], t1 = (h[i] - p[i]) / d[i];
        if (t0 > t1)
            std::swap(t0, t1);
        lo = std::max(lo, t0);
        hi = std::min(hi, t1);
    }
    return lo < hi ? std::pair{lo, hi} : std::pair{0.0, 0.0};
}

Vec3 anyPerpendicular(Vec3 n)
{
    const Vec3 helper = std::abs(n.x) < 0.6 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    return normalised(cross(helper, n));
}

// A polyline as a curve, by arc length.
Curve polylineCurve(const Polyline3& line)
{
    auto cumulative = std::make_shared<std::vector<double>>(1, 0.0);
    for (std::size_t i = 1; i < line.size(); ++i)
        cumulative->push_back(cumulative->back() + length(line[i] - line[i - 1]));
    auto points = std::make_shared<Polyline3>(line);
    const auto segment = [cumulative](double s) {
        const auto it = std::upper_bound(cumulative->begin(), cumulative->end(), s);
        std::size_t i = std::size_t(std::max<std::ptrdiff_t>(1, it - cumulative->begin()));
        return std::min(i, cumulative->size() - 1);
    };
    Curve c;
    c.at = [=](double s) {
        const std::size_t i = segment(s);
        const double a = (*cumulative)[i - 1], b = (*cumulative)[i];
        const double f = b > a ? std::clamp((s - a) / (b - a), 0.0, 1.0) : 0;
        return (*points)[i - 1] + ((*points)[i] - (*points)[i - 1]) * f;
    };
    c.tangent = [=](double s) {
        const std::size_t i = segment(s);
        return normalised((*points)[i] - (*points)[i - 1]);
    };
    c.t0 = 0;
    c.t1 = cumulative->back();
    c.length = c.t1;
    return c;
}

Polyline project(const Polyline3& line, const Direction& d)
{
    Polyline out;
    for (const Vec3& p : line)
        out.emplace_back(dot(p, d.right), dot(p, d.up));
    return out;
}

void simplify(const Polyline& in, std::size_t from, std::size_t to, double tolerance, Polyline& out)
{
    const QPointF a = in[from], b = in[to];
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    double worst = -1;
    std::size_t at = from;
    for (std::size_t i = from + 1; i < to; ++i) {
        // the distance to the segment, not to its line, so that a line doubling back is kept
        const QPointF ap = in[i] - a;
        const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / len2, 0.0, 1.0) : 0.0;
        const QPointF off = ap - ab * t;
        const double d = std::hypot(off.x(), off.y());
        if (d > worst) {
            worst = d;
            at = i;
        }
    }
    if (worst > tolerance) {
        simplify(in, from, at, tolerance, out);
        simplify(in, at, to, tolerance, out);
    } else {
        out.push_back(b);
    }
}

}  // namespace

Polyline simplified(const Polyline& line, double tolerance)
{
    if (line.size() < 3)
        return line;
    Polyline out{line.front()};
    simplify(line, 0, line.size() - 1, tolerance, out);
    return out;
}

Model::Model(Solid solid, std::vector<CentreLine> centreLines, double step)
    : solid_(std::move(solid)), centreLines_(std::move(centreLines)), bounds_(solid_.bounds())
{
    size_ = std::max(bounds_.diagonal(), 1e-9);
    step_ = step > 0 ? step : size_ / 2000;
    const Vec3 pad = Vec3{1, 1, 1} * (1e-3 * size_);
    const Box3 search{bounds_.lo - pad, bounds_.hi + pad};
    const double onSurface = 1e-6 * size_;
    const double radius = 5e-4 * size_;
    constexpr int kRing = 72;

    // A point is on a real edge when the solid around it is neither empty, full, nor a half-space.
    const Test isEdge = [&](Vec3 p, Vec3 tangent) {
        if (std::abs(solid_.field(p)) > onSurface)
            return false;
        const Vec3 t = normalised(tangent);
        const Vec3 e1 = anyPerpendicular(t), e2 = cross(t, e1);
        int count = 0, changes = 0;
        bool first = false, previous = false;
        for (int i = 0; i < kRing; ++i) {
            const double a = 2 * std::numbers::pi * i / kRing;
            const bool in = solid_.inside(p + e1 * (radius * std::cos(a)) + e2 * (radius * std::sin(a)));
            count += in;
            if (i == 0)
                first = in;
            else if (in != previous)
                ++changes;
            previous = in;
        }
        if (previous != first)
            ++changes;
        if (count == 0 || count == kRing)
            return false;
        return !(changes == 2 && std::abs(count - kRing / 2) <= 2);
    };

    std::vector<Curve> curves;
    std::vector<std::pair<Vec3, Vec3>> lines;  // point and unit direction, to skip repeats
    const auto addLine = [&](Vec3 p0, Vec3 u) {
        for (const auto& [q, v] : lines)
            if (std::abs(std::abs(dot(u, v)) - 1) < 1e-9 && length(cross(p0 - q, v)) < 1e-7 * size_)
                return;
        lines.emplace_back(p0, u);
        const auto [t0, t1] = clipToBox(p0, u, search);
        if (t1 > t0)
            curves.push_back(lineCurve(p0, u, t0, t1));
    };

    const std::vector<Plane> planes = solid_.planes();
    for (std::size_t i = 0; i < planes.size(); ++i)
        for (std::size_t j = i + 1; j < planes.size(); ++j) {
            const Vec3 n1 = planes[i].normal, n2 = planes[j].normal;
            const Vec3 u = cross(n1, n2);
            const double uu = dot(u, u);
            if (uu < 1e-12)
                continue;
            const Vec3 p0 = (cross(n2, u) * planes[i].offset + cross(u, n1) * planes[j].offset) * (1 / uu);
            addLine(p0, normalised(u));
        }

    for (const Cylinder& cyl : solid_.cylinders()) {
        const Vec3 e1 = anyPerpendicular(cyl.axis), e2 = cross(cyl.axis, e1);
        for (const Plane& pl : planes) {
            const double na = dot(pl.normal, cyl.axis);
            if (std::abs(na) < 1e-9) {
                // parallel to the axis: the lines where it crosses the surface
                const double d = pl.distance(cyl.base);
                if (std::abs(d) >= cyl.radius)
                    continue;
                const Vec3 across = normalised(cross(pl.normal, cyl.axis));
                const double h = std::sqrt(cyl.radius * cyl.radius - d * d);
                for (double sign : {-1.0, 1.0})
                    addLine(cyl.base - pl.normal * d + across * (sign * h), cyl.axis);
                continue;
            }
            // a circle or an ellipse, by the angle about the axis
            Curve c;
            c.at = [=](double a) {
                const Vec3 rim = cyl.base + e1 * (cyl.radius * std::cos(a)) + e2 * (cyl.radius * std::sin(a));
                return rim + cyl.axis * (-pl.distance(rim) / na);
            };
            c.tangent = [=](double a) {
                const Vec3 dr = e1 * (-cyl.radius * std::sin(a)) + e2 * (cyl.radius * std::cos(a));
                return dr + cyl.axis * (-dot(pl.normal, dr) / na);
            };
            c.t0 = 0;
            c.t1 = 2 * std::numbers::pi;
            c.closed = true;
            c.length = 2 * std::numbers::pi * cyl.radius / std::abs(na);
            // only the part of it near the solid matters
            const Vec3 centre = c.at(0) * 0.5 + c.at(std::numbers::pi) * 0.5;
            if (centre.x < search.lo.x - c.length || centre.x > search.hi.x + c.length || centre.y < search.lo.y - c.length ||
                centre.y > search.hi.y + c.length || centre.z < search.lo.z - c.length || centre.z > search.hi.z + c.length)
                continue;
            curves.push_back(std::move(c));
        }
    }

    for (const Curve& c : curves)
        for (Polyline3& run : runs(c, step_, isEdge))
            edges_.push_back(std::move(run));
}

bool Model::visibleFrom(Vec3 p, Vec3 toViewer) const
{
    // Hidden when the way to the viewer runs through the inside of the solid, beyond a hair.
    const Intervals inside = solid_.below(p, toViewer, 2 * size_, -1e-5 * size_);
    return std::none_of(inside.begin(), inside.end(), [&](const auto& i) { return i.second - i.first > 1e-4 * size_; });
}

std::vector<Polyline3> Model::outlines(Vec3 toViewer) const
{
    std::vector<Polyline3> out;
    const double onSurface = 1e-6 * size_;
    const double radius = 5e-4 * size_;
    for (const Cylinder& cyl : solid_.cylinders()) {
        const Vec3 side = cross(cyl.axis, toViewer);
        if (length(side) < 1e-9)
            continue;  // seen end-on: its outline is its rim
        const Vec3 u = normalised(side);
        for (double sign : {-1.0, 1.0}) {
            const Vec3 outward = u * sign;
            const Vec3 p0 = cyl.base + outward * cyl.radius;
            const Curve c = lineCurve(p0, cyl.axis, 0, cyl.length);
            // On the solid's boundary, with the solid filling one side of the surface there.
            const Test onOutline = [&](Vec3 p, Vec3) {
                if (std::abs(solid_.field(p)) > onSurface)
                    return false;
                const Vec3 e2 = cross(cyl.axis, outward);
                Vec3 mean{};
                int count = 0;
                for (int i = 0; i < 36; ++i) {
                    const double a = 2 * std::numbers::pi * i / 36;
                    const Vec3 r = outward * std::cos(a) + e2 * std::sin(a);
                    if (solid_.inside(p + r * radius)) {
                        mean = mean + r;
                        ++count;
                    }
                }
                return count > 0 && count < 36 && std::abs(dot(normalised(mean), outward)) > 0.7 &&
                       visibleFrom(p, toViewer);
            };
            for (Polyline3& run : runs(c, step_, onOutline))
                out.push_back(std::move(run));
        }
    }
    return out;
}

std::vector<Polyline3> Model::visibleLines(Vec3 toViewer) const
{
    const Vec3 d = normalised(toViewer);
    const Test seen = [&](Vec3 p, Vec3) { return visibleFrom(p, d); };
    std::vector<Polyline3> out;
    for (const Polyline3& edge : edges_)
        for (Polyline3& run : runs(polylineCurve(edge), step_, seen))
            out.push_back(std::move(run));
    for (Polyline3& outline : outlines(d))
        out.push_back(std::move(outline));
    // drop crumbs
    std::erase_if(out, [&](const Polyline3& l) {
        double total = 0;
        for (std::size_t i = 1; i < l.size(); ++i)
            total += length(l[i] - l[i - 1]);
        return total < 2 * step_;
    });
    return out;
}

LineSet Model::visible(const Direction& d) const
{
    LineSet set;
    for (const Polyline3& line : visibleLines(d.toViewer)) {
        Polyline flat = simplified(project(line, d), 1e-4 * size_);
        LineSet one;
        one.lines.push_back(flat);
        // an edge that points at the viewer shows as a point: nothing to draw
        if (one.length() >= step_)
            set.lines.push_back(std::move(flat));
    }
    return set;
}

View Model::view(Side side) const
{
    const Direction d = direction(side);
    View v{visible(d), {}};
    for (const CentreLine& c : centreLines_) {
        if (!(c.sides & sideBit(side)))
            continue;
        const QLineF l(dot(c.a, d.right), dot(c.a, d.up), dot(c.b, d.right), dot(c.b, d.up));
        if (l.length() > 1e-6 * size_)
            v.centreLines.push_back(l);
    }
    return v;
}

}  // namespace drawing::views
