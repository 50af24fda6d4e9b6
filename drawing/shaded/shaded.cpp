#include "drawing/shaded/shaded.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace drawing::shaded {

namespace {

// Doubles throughout: the scene comes in floats, but depth comparisons and the
// fitting arithmetic are done once, carefully, so that the output never wobbles.
struct V3 {
    double x = 0, y = 0, z = 0;
};
V3 v3(QVector3D p) { return {p.x(), p.y(), p.z()}; }
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double length(V3 a) { return std::sqrt(dot(a, a)); }
V3 normalised(V3 a)
{
    const double l = length(a);
    return l > 0 ? a * (1.0 / l) : V3{};
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A point as the picture sees it: x right and y down in output pixels, and a depth
// key that grows away from the eye and is affine in screen space in both projections.
struct Screen {
    double x, y, key;
};

class View {
public:
    View(const Scene& scene, const Camera& camera, const Options& options)
    {
        if (options.size.isEmpty())
            throw std::invalid_argument("shaded::render: empty picture size");
        forward_ = normalised(v3(camera.direction));
        if (length(forward_) == 0)
            throw std::invalid_argument("shaded::render: camera direction is zero");
        right_ = normalised(cross(forward_, v3(camera.up)));
        if (length(right_) == 0)
            throw std::invalid_argument("shaded::render: camera up is along its direction");
        up_ = cross(right_, forward_);

        // The eye: far enough for the bounding sphere to fit the field of view.
        V3 lo{kInfinity, kInfinity, kInfinity}, hi{-kInfinity, -kInfinity, -kInfinity};
        forEachPoint(scene, [&](V3 p) {
            lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
            hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
        });
        empty_ = !(lo.x <= hi.x);
        const V3 centre = empty_ ? V3{} : (lo + hi) * 0.5;
        diagonal_ = empty_ ? 1.0 : std::max(length(hi - lo), 1e-9);
        perspective_ = camera.perspective;
        if (perspective_) {
            const double halfField = std::clamp(camera.fieldOfViewDegrees, 1.0, 170.0) * M_PI / 360.0;
            distance_ = diagonal_ * 0.5 / std::sin(halfField);
            eye_ = centre - forward_ * distance_;
        } else {
            distance_ = 1;
            eye_ = centre - forward_ * diagonal_;  // only the origin of depth
        }

        const double width = options.size.width(), height = options.size.height();
        if (options.framing) {
            scale_ = options.framing->pixelsPerUnit;
            const auto [px, py, key] = plane(v3(options.framing->point));
            (void)key;
            offsetX_ = options.framing->pixel.x() - scale_ * px;
            offsetY_ = options.framing->pixel.y() + scale_ * py;
            return;
        }
        double minX = kInfinity, maxX = -kInfinity, minY = kInfinity, maxY = -kInfinity;
        forEachPoint(scene, [&](V3 p) {
            const auto [px, py, key] = plane(p);
            (void)key;
            minX = std::min(minX, px), maxX = std::max(maxX, px);
            minY = std::min(minY, py), maxY = std::max(maxY, py);
        });
        const double m = options.margin * std::min(width, height);
        const QRectF box = options.fitBox.value_or(QRectF(m, m, width - 2 * m, height - 2 * m));
        if (empty_) {
            minX = maxX = minY = maxY = 0;
        }
        const double spanX = std::max(maxX - minX, 1e-12), spanY = std::max(maxY - minY, 1e-12);
        scale_ = std::min(box.width() / spanX, box.height() / spanY);
        offsetX_ = box.center().x() - scale_ * (minX + maxX) / 2;
        offsetY_ = box.center().y() + scale_ * (minY + maxY) / 2;
    }

    Screen toScreen(V3 p) const
    {
        const auto [px, py, key] = plane(p);
        return {offsetX_ + scale_ * px, offsetY_ - scale_ * py, key};
    }

    // True when the triangle's outside (counter-clockwise side) faces the eye.
    bool facesEye(V3 a, V3 normal) const
    {
        const V3 towardsScene = perspective_ ? a - eye_ : forward_;
        return dot(normal, towardsScene) < 0;
    }
    V3 towardsEye(V3 p) const { return perspective_ ? normalised(eye_ - p) : forward_ * -1.0; }
    V3 right() const { return right_; }
    V3 up() const { return up_; }
    V3 forward() const { return forward_; }
    double diagonal() const { return diagonal_; }
    double scale() const { return scale_; }

    template <class F>
    static void forEachPoint(const Scene& scene, F f)
    {
        for (const auto& t : scene.triangles) {
            f(v3(t.a)), f(v3(t.b)), f(v3(t.c));
        }
        for (const auto& e : scene.edges) {
            f(v3(e.a)), f(v3(e.b));
        }
    }

private:
    // Coordinates on the picture plane (world units at the scene's centre) and the depth key.
    std::tuple<double, double, double> plane(V3 p) const
    {
        const V3 q = p - eye_;
        const double x = dot(q, right_), y = dot(q, up_), z = dot(q, forward_);
        if (!perspective_)
            return {x, y, z};
        const double zz = std::max(z, distance_ * 1e-6);
        // distance - distance²/z: affine in screen space, and close to z - distance near the centre.
        return {x * distance_ / zz, y * distance_ / zz, distance_ - distance_ * distance_ / zz};
    }

    V3 forward_, right_, up_, eye_;
    bool perspective_ = false;
    bool empty_ = true;
    double distance_ = 1, diagonal_ = 1;
    double scale_ = 1, offsetX_ = 0, offsetY_ = 0;
};

// The supersampled picture: colour and depth per sample.
struct Samples {
    int width, height;
    std::vector<QRgb> colour;  // packed: a large perspective holds millions of samples
    std::vector<double> depth;

    Samples(int w, int h, QColor ground)
        : width(w), height(h), colour(std::size_t(w) * std::size_t(h), ground.rgb()),
          depth(std::size_t(w) * std::size_t(h), kInfinity)
    {
    }
    std::size_t at(int x, int y) const { return std::size_t(y) * std::size_t(width) + std::size_t(x); }
};

// Facets that meet at a point, for smooth normals, and facets that share a side, for outlines.
struct Topology {
    std::vector<V3> facetNormal;               // area-weighted, outward
    std::vector<std::array<int, 3>> corner;    // position ids of each triangle's corners
    std::vector<std::vector<int>> atPosition;  // triangles touching each position
    std::vector<V3> position;
};

Topology topology(const Scene& scene)
{
    Topology t;
    std::map<std::tuple<float, float, float>, int> ids;
    auto id = [&](QVector3D p) {
        const auto key = std::make_tuple(p.x(), p.y(), p.z());
        const auto [it, inserted] = ids.emplace(key, int(t.position.size()));
        if (inserted) {
            t.position.push_back(v3(p));
            t.atPosition.emplace_back();
        }
        return it->second;
    };
    for (std::size_t i = 0; i < scene.triangles.size(); ++i) {
        const auto& tri = scene.triangles[i];
        const V3 a = v3(tri.a), b = v3(tri.b), c = v3(tri.c);
        t.facetNormal.push_back(cross(b - a, c - a));
        const std::array<int, 3> ids3{id(tri.a), id(tri.b), id(tri.c)};
        t.corner.push_back(ids3);
        // Facets that cover nothing (a sweep collapsing onto a point) bend no normal.
        if (length(t.facetNormal.back()) > 0)
            for (int k : ids3)
                t.atPosition[std::size_t(k)].push_back(int(i));
    }
    return t;
}

// The normal a curved surface has at one corner of one of its facets: the facets around
// that corner that bend less than the smoothing angle from this one, averaged by area.
V3 cornerNormal(const Topology& t, int triangle, int position, double cosSmooth)
{
    const V3 own = normalised(t.facetNormal[std::size_t(triangle)]);
    V3 sum{};
    for (int other : t.atPosition[std::size_t(position)]) {
        const V3 n = t.facetNormal[std::size_t(other)];
        if (dot(normalised(n), own) >= cosSmooth)
            sum = sum + n;
    }
    const V3 result = normalised(sum);
    return length(result) > 0 ? result : own;
}

// Sides shared by a facet that faces the eye and one that does not: the outline of the
// solid as this camera sees it, curved surfaces included.
std::vector<std::pair<V3, V3>> silhouetteEdges(const Topology& t, const View& view)
{
    std::map<std::pair<int, int>, std::vector<int>> sides;
    for (std::size_t i = 0; i < t.corner.size(); ++i) {
        if (length(t.facetNormal[i]) == 0)
            continue;
        for (int k = 0; k < 3; ++k) {
            int a = t.corner[i][std::size_t(k)], b = t.corner[i][std::size_t((k + 1) % 3)];
            if (a == b)
                continue;
            if (a > b)
                std::swap(a, b);
            sides[{a, b}].push_back(int(i));
        }
    }
    std::vector<std::pair<V3, V3>> result;
    for (const auto& [side, facets] : sides) {
        bool front = false, notFront = false;
        for (int f : facets) {
            const bool faces = view.facesEye(t.position[std::size_t(side.first)], t.facetNormal[std::size_t(f)]);
            (faces ? front : notFront) = true;
        }
        if (front && notFront)
            result.emplace_back(t.position[std::size_t(side.first)], t.position[std::size_t(side.second)]);
    }
    return result;
}

double edgeFunction(double ax, double ay, double bx, double by, double px, double py)
{
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

void rasterise(Samples& s, const Scene& scene, const Topology& topo, const View& view, const Options& o,
               int ss)
{
    const double cosSmooth = std::cos(std::clamp(o.smoothAngleDegrees, 0.0, 180.0) * M_PI / 180.0);
    V3 light = normalised(v3(o.light));
    if (o.lightFromCamera) {
        const V3 l = light;
        light = normalised(view.right() * l.x + view.up() * l.y + view.forward() * -l.z);
    }
    const double ambient = std::clamp(o.ambient, 0.0, 1.0);

    for (std::size_t i = 0; i < scene.triangles.size(); ++i) {
        const Triangle& tri = scene.triangles[i];
        if (length(topo.facetNormal[i]) == 0)
            continue;
        const std::array<V3, 3> world{v3(tri.a), v3(tri.b), v3(tri.c)};
        std::array<Screen, 3> p;
        for (std::size_t k = 0; k < 3; ++k) {
            p[k] = view.toScreen(world[k]);
            p[k].x *= ss, p[k].y *= ss;
        }
        double area = edgeFunction(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
        if (std::abs(area) < 1e-12)
            continue;  // seen edge-on: covers nothing
        const bool front = view.facesEye(world[0], topo.facetNormal[i]);
        std::array<V3, 3> normal;
        for (std::size_t k = 0; k < 3; ++k) {
            normal[k] = cornerNormal(topo, int(i), topo.corner[i][k], cosSmooth);
            if (!front)
                normal[k] = normal[k] * -1.0;  // an open or cut surface seen from behind is lit on its near side
        }
        const double minX = std::min({p[0].x, p[1].x, p[2].x}), maxX = std::max({p[0].x, p[1].x, p[2].x});
        const double minY = std::min({p[0].y, p[1].y, p[2].y}), maxY = std::max({p[0].y, p[1].y, p[2].y});
        const int x0 = std::max(0, int(std::floor(minX - 0.5))), x1 = std::min(s.width - 1, int(std::ceil(maxX)));
        const int y0 = std::max(0, int(std::floor(minY - 0.5))), y1 = std::min(s.height - 1, int(std::ceil(maxY)));
        const double sign = area > 0 ? 1 : -1;
        area *= sign;
        const float base[3] = {float(tri.colour.red()), float(tri.colour.green()), float(tri.colour.blue())};
        const V3 toEye = view.towardsEye(world[0]);
        const V3 halfway = normalised(light + toEye);
        // Plain locals and the edge functions as planes in screen space: this loop is where the
        // time goes, in every build.
        const double x0s = p[0].x, y0s = p[0].y, x1s = p[1].x, y1s = p[1].y, x2s = p[2].x, y2s = p[2].y;
        const double k0 = p[0].key, k1 = p[1].key, k2 = p[2].key;
        const double a0 = -sign * (y2s - y1s), b0 = sign * (x2s - x1s), c0 = -(a0 * x1s + b0 * y1s);
        const double a1 = -sign * (y0s - y2s), b1 = sign * (x0s - x2s), c1 = -(a1 * x2s + b1 * y2s);
        const double a2 = -sign * (y1s - y0s), b2 = sign * (x1s - x0s), c2 = -(a2 * x0s + b2 * y0s);
        const double inverseArea = 1.0 / area;
        for (int y = y0; y <= y1; ++y) {
            const double py = y + 0.5;
            const double r0 = b0 * py + c0, r1 = b1 * py + c1, r2 = b2 * py + c2;
            for (int x = x0; x <= x1; ++x) {
                const double px = x + 0.5;
                const double w0 = a0 * px + r0, w1 = a1 * px + r1, w2 = a2 * px + r2;
                if (w0 < 0 || w1 < 0 || w2 < 0)
                    continue;
                const double e0 = w0 * inverseArea, e1 = w1 * inverseArea, e2 = w2 * inverseArea;
                const double key = e0 * k0 + e1 * k1 + e2 * k2;
                const std::size_t at = s.at(x, y);
                if (!(key < s.depth[at]))
                    continue;
                s.depth[at] = key;
                const V3 n = normalised(normal[0] * e0 + normal[1] * e1 + normal[2] * e2);
                const double diffuse = std::max(0.0, dot(n, light));
                const double lit = ambient + (1 - ambient) * diffuse;
                const double shine = o.specular > 0 && diffuse > 0
                                         ? o.specular * std::pow(std::max(0.0, dot(n, halfway)), o.shininess) * 255
                                         : 0.0;
                auto channel = [&](int c) { return int(std::lround(std::min(255.0, base[c] * lit + shine))); };
                s.colour[at] = qRgb(channel(0), channel(1), channel(2));
            }
        }
    }
}

// Strokes one edge where the depth buffer does not hide it. Visibility is judged at the point of
// the line nearest each sample, against the farthest surface around it, with a small bias: a line
// lying on its own faces (or on an outline) then survives, one behind another face does not.
void strokeEdge(Samples& s, const View& view, V3 a, V3 b, double halfWidth, double bias, QRgb ink, int ss)
{
    Screen p = view.toScreen(a), q = view.toScreen(b);
    p.x *= ss, p.y *= ss, q.x *= ss, q.y *= ss;
    const double dx = q.x - p.x, dy = q.y - p.y, len2 = dx * dx + dy * dy;
    const int x0 = std::max(0, int(std::floor(std::min(p.x, q.x) - halfWidth - 1)));
    const int x1 = std::min(s.width - 1, int(std::ceil(std::max(p.x, q.x) + halfWidth + 1)));
    const int y0 = std::max(0, int(std::floor(std::min(p.y, q.y) - halfWidth - 1)));
    const int y1 = std::min(s.height - 1, int(std::ceil(std::max(p.y, q.y) + halfWidth + 1)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double t = len2 > 0 ? std::clamp(((px - p.x) * dx + (py - p.y) * dy) / len2, 0.0, 1.0) : 0.0;
            const double cx = p.x + t * dx, cy = p.y + t * dy;
            if ((px - cx) * (px - cx) + (py - cy) * (py - cy) > halfWidth * halfWidth)
                continue;
            const double key = p.key + t * (q.key - p.key);
            const int sx = int(std::floor(cx)), sy = int(std::floor(cy));
            double farthest = -kInfinity;
            for (int ny = sy - 1; ny <= sy + 1; ++ny)
                for (int nx = sx - 1; nx <= sx + 1; ++nx)
                    farthest = (nx < 0 || ny < 0 || nx >= s.width || ny >= s.height)
                                   ? kInfinity
                                   : std::max(farthest, s.depth[s.at(nx, ny)]);
            if (key > farthest + bias)
                continue;
            s.colour[s.at(x, y)] = ink;
        }
    }
}

}  // namespace

QImage render(const Scene& scene, const Camera& camera, const Options& options)
{
    const View view(scene, camera, options);
    const int ss = std::clamp(options.supersample, 1, 8);
    Samples s(options.size.width() * ss, options.size.height() * ss, options.ground);
    const Topology topo = topology(scene);
    rasterise(s, scene, topo, view, options, ss);

    // Depth bias: a hair of the scene, plus what a steep face changes in depth across the
    // neighbourhood that the visibility test looks at.
    const double samplesInWorld = 1.0 / (view.scale() * ss);
    const double bias = 1e-4 * view.diagonal() + 3.0 * samplesInWorld;
    const QRgb ink = options.edgeColour.rgb();
    const double halfWidth = std::max(0.5, options.edgeWidth * ss / 2);
    for (const Edge& e : scene.edges)
        strokeEdge(s, view, v3(e.a), v3(e.b), halfWidth, bias, ink, ss);
    if (options.silhouettes)
        for (const auto& [a, b] : silhouetteEdges(topo, view))
            strokeEdge(s, view, a, b, halfWidth, bias, ink, ss);

    QImage image(options.size, QImage::Format_RGB32);
    const double n = double(ss) * ss;
    for (int y = 0; y < options.size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < options.size.width(); ++x) {
            double sum[3] = {0, 0, 0};
            for (int j = 0; j < ss; ++j)
                for (int i = 0; i < ss; ++i) {
                    const QRgb c = s.colour[s.at(x * ss + i, y * ss + j)];
                    sum[0] += qRed(c), sum[1] += qGreen(c), sum[2] += qBlue(c);
                }
            line[x] = qRgb(int(std::lround(sum[0] / n)), int(std::lround(sum[1] / n)), int(std::lround(sum[2] / n)));
        }
    }
    return image;
}

QPointF project(const Scene& scene, const Camera& camera, const Options& options, QVector3D point)
{
    const View view(scene, camera, options);
    const Screen p = view.toScreen(v3(point));
    return {p.x, p.y};
}

std::vector<QPointF> projectAll(const Scene& scene, const Camera& camera, const Options& options,
                                const std::vector<QVector3D>& points)
{
    const View view(scene, camera, options);
    std::vector<QPointF> out;
    out.reserve(points.size());
    for (QVector3D p : points) {
        const Screen q = view.toScreen(v3(p));
        out.emplace_back(q.x, q.y);
    }
    return out;
}

QRectF projectedBounds(const Scene& scene, const Camera& camera, const Options& options)
{
    const View view(scene, camera, options);
    double minX = kInfinity, maxX = -kInfinity, minY = kInfinity, maxY = -kInfinity;
    View::forEachPoint(scene, [&](V3 p) {
        const Screen q = view.toScreen(p);
        minX = std::min(minX, q.x), maxX = std::max(maxX, q.x);
        minY = std::min(minY, q.y), maxY = std::max(maxY, q.y);
    });
    if (!(minX <= maxX))
        return {};
    return QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
}

void drawAxisMarker(QImage& image, const Camera& camera, QPointF origin, double length)
{
    const V3 forward = normalised(v3(camera.direction));
    const V3 right = normalised(cross(forward, v3(camera.up)));
    if (length <= 0 || dot(right, right) == 0)
        return;
    const V3 up = cross(right, forward);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor blue(20, 60, 220);
    QPen pen(blue, std::max(1.0, length / 22));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);

    // Letters are stroked, not typeset: no font is needed and every machine draws the same marker.
    const double letter = std::max(4.0, length * 0.22);
    auto strokeLetter = [&](int axis, QPointF c) {
        const double h = letter / 2;
        QPainterPath path;
        if (axis == 0) {
            path.moveTo(c + QPointF(-h * 0.7, -h)), path.lineTo(c + QPointF(h * 0.7, h));
            path.moveTo(c + QPointF(h * 0.7, -h)), path.lineTo(c + QPointF(-h * 0.7, h));
        } else if (axis == 1) {
            path.moveTo(c + QPointF(-h * 0.7, -h)), path.lineTo(c), path.lineTo(c + QPointF(h * 0.7, -h));
            path.moveTo(c), path.lineTo(c + QPointF(0, h));
        } else {
            path.moveTo(c + QPointF(-h * 0.7, -h)), path.lineTo(c + QPointF(h * 0.7, -h));
            path.lineTo(c + QPointF(-h * 0.7, h)), path.lineTo(c + QPointF(h * 0.7, h));
        }
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    };

    const std::array<V3, 3> axes{V3{1, 0, 0}, V3{0, 1, 0}, V3{0, 0, 1}};
    for (int i = 0; i < 3; ++i) {
        const QPointF d(dot(axes[std::size_t(i)], right), -dot(axes[std::size_t(i)], up));
        const double shown = std::hypot(d.x(), d.y());
        const QPointF tip = origin + d * length;
        painter.drawLine(origin, tip);
        if (shown > 0.15) {
            // An arrowhead along the axis as it is seen, and the letter just beyond the tip.
            const QPointF u = d / shown, n(-u.y(), u.x());
            const double head = std::max(3.0, length * 0.18);
            QPainterPath arrow;
            arrow.moveTo(tip);
            arrow.lineTo(tip - u * head + n * head * 0.4);
            arrow.lineTo(tip - u * head - n * head * 0.4);
            arrow.closeSubpath();
            painter.setBrush(blue);
            painter.drawPath(arrow);
            strokeLetter(i, tip + u * (letter * 0.9));
        } else {
            strokeLetter(i, origin + QPointF(letter * 0.9, letter * 0.9));
        }
    }
}

std::optional<QPointF> axisMarkerPlace(const QImage& image, QColor ground, QRect area, const Camera& camera,
                                       double length, int clearance)
{
    // The marker's pixels, drawn once about a whole-pixel origin: moved by whole pixels it covers
    // the same pixels moved alike.
    const int reach = int(std::ceil(2 * length)) + 8;
    QImage probe(2 * reach, 2 * reach, QImage::Format_RGB32);
    probe.fill(Qt::white);
    drawAxisMarker(probe, camera, QPointF(reach, reach), length);
    std::vector<QPoint> marker;
    QRect extent;
    for (int y = 0; y < probe.height(); ++y)
        for (int x = 0; x < probe.width(); ++x)
            if (probe.pixel(x, y) != qRgb(255, 255, 255)) {
                marker.emplace_back(x - reach, y - reach);
                extent |= QRect(x - reach, y - reach, 1, 1);
            }
    area &= image.rect();
    if (marker.empty() || extent.width() > area.width() || extent.height() > area.height())
        return std::nullopt;

    // What is drawn already, grown by the clearance: along the rows, then along the columns.
    const int w = image.width(), h = image.height();
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb free = ground.rgb() | 0xff000000u;
    std::vector<char> drawn(std::size_t(w) * std::size_t(h), 0), wide(drawn.size(), 0), taken(drawn.size(), 0);
    const auto cell = [w](int x, int y) { return std::size_t(y) * std::size_t(w) + std::size_t(x); };
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < w; ++x)
            drawn[cell(x, y)] = (row[x] | 0xff000000u) != free;
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (drawn[cell(x, y)])
                for (int u = std::max(0, x - clearance); u <= std::min(w - 1, x + clearance); ++u)
                    wide[cell(u, y)] = 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (wide[cell(x, y)])
                for (int v = std::max(0, y - clearance); v <= std::min(h - 1, y + clearance); ++v)
                    taken[cell(x, v)] = 1;

    // Every origin that keeps the marker inside the area, nearest a corner first.
    struct Place {
        int distance, corner, x, y;
    };
    std::vector<Place> places;
    const int x0 = area.left() - extent.left(), x1 = area.right() - extent.right();
    const int y0 = area.top() - extent.top(), y1 = area.bottom() - extent.bottom();
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int fromLeft = x - x0, fromRight = x1 - x, fromTop = y - y0, fromBottom = y1 - y;
            const std::array<int, 4> corners{fromLeft + fromBottom, fromRight + fromBottom, fromLeft + fromTop, fromRight + fromTop};
            const auto nearest = std::min_element(corners.begin(), corners.end());
            places.push_back({*nearest, int(nearest - corners.begin()), x, y});
        }
    std::stable_sort(places.begin(), places.end(),
                     [](const Place& a, const Place& b) { return std::tie(a.distance, a.corner) < std::tie(b.distance, b.corner); });
    for (const Place& p : places) {
        const bool clear = std::none_of(marker.begin(), marker.end(), [&](QPoint m) {
            return taken[cell(p.x + m.x(), p.y + m.y())] != 0;
        });
        if (clear)
            return QPointF(p.x, p.y);
    }
    return std::nullopt;
}

}  // namespace drawing::shaded
