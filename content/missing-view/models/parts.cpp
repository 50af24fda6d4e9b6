#include "missing-view/models/parts.h"

#include "missing-view/models/tables.h"

#include <array>
#include <memory>
#include <stdexcept>

namespace missing_view::models {

using namespace drawing::views;

namespace {

constexpr Tone kCut = Tone::Machined;
constexpr double kOver = 8;  // how far centre lines run past the outline, in model units

// Parts are modelled about 100 units across: x to the right, y to the back, z up.
Solid block(double w = 100, double d = 100, double h = 100) { return Solid::box({0, 0, 0}, {w, d, h}); }
// Material cleared right through the part from front to back, over x0..x1 and z0..z1.
Solid through(double x0, double x1, double z0, double z1) { return Solid::box({x0, -1, z0}, {x1, 101, z1}, kCut); }
Solid throughY(const std::vector<QPointF>& xz) { return Solid::prismY(xz, -1, 101, kCut); }
// The plane along y through the x-z points a and b, its outside to the right of a to b.
Plane side(QPointF a, QPointF b) { return Plane::through({a.x(), 0, a.y()}, {b.y() - a.y(), 0, -(b.x() - a.x())}); }

Solid along(double radius, double y0, double y1, Tone tone = Tone::Stock)
{
    return Solid::cylinder({{0, y0, 0}, {0, 1, 0}, radius, y1 - y0}, tone);
}

// The axis of a bar along y and the cross on its end, seen only from the front and the back.
std::vector<CentreLine> axisAlongY(double y0, double y1, double left, double right, double down, double up)
{
    return {{{0, y0 - kOver, 0}, {0, y1 + kOver, 0}},
            {{left - kOver, 0, 0}, {right + kOver, 0, 0}, kAlongY},
            {{0, 0, down - kOver}, {0, 0, up + kOver}, kAlongY}};
}

Model makePart(int page)
{
    switch (page) {
    case 1:  // a block whose right side slopes down to the bottom right corner
        return Model(block().cut(side({100, 0}, {50, 100})));
    case 2:  // an upright with a short upper arm and a long base, the slot at mid-height
        return Model(block() - through(25, 101, 100.0 / 3, 200.0 / 3) - through(50, 101, 200.0 / 3, 101));
    case 3:  // a slot open to the right leaving two equal arms
        return Model(block() - through(50, 101, 20, 80));
    case 4:  // a V notch in the right side, its apex past the middle
        return Model(block() - throughY({{40, 50}, {110, 15}, {110, 85}}));
    case 5:  // a triangular prism, its ridge at mid-height on the right
        return Model(block().cut(side({0, 0}, {100, 50})).cut(side({100, 50}, {0, 100})));
    case 6:  // a V-shaped piece: vertical left side, right side sloping in, a V groove from both top corners
        return Model(block().cut(side({50, 0}, {100, 100})) -
                     throughY({{50, 100.0 / 3}, {107.5, 110}, {-7.5, 110}}));
    case 7:  // a V groove along the top, both sides vertical
        return Model(block() - throughY({{50, 40}, {108 + 1.0 / 3, 110}, {-8 - 1.0 / 3, 110}}));
    case 8:  // a cube with a cube of half its side cut out of its top front right corner
        return Model(block() - Solid::box({50, -1, 50}, {101, 50, 101}, kCut));
    case 9:  // a wedge with a square post rising through its slope to the wedge's height
        return Model(block().cut(side({100, 0}, {0, 100})) | Solid::box({20, 20, 0}, {80, 80, 100}, kCut));
    case 10: {  // a wedge pierced by a vertical hole that opens on its slope, a circle seen square to it
        const Solid wedge = block().cut(side({100, 0}, {0, 100}));
        const double r = 20, top = 100 - (50 - r);
        return Model(wedge - Solid::cylinder({{50, 50, -5}, {0, 0, 1}, r, 110}, kCut),
                     {{{50, 50, -kOver}, {50, 50, top + kOver}},
                      {{50 - r - kOver, 50, 50}, {50 + r + kOver, 50, 50}},
                      {{50, 50 - r - kOver, 50}, {50, 50 + r + kOver, 50}}});
    }
    case 11:  // a bar along y cut by a vertical plane from its front left to its back right
        return Model(along(50, 0, 100).cut(Plane::through({-50, 0, 0}, {1, -1, 0})), axisAlongY(0, 100, -50, 50, -50, 50));
    case 12:  // a half cylinder lying on its curved face
        return Model(along(45, 0, 110).cut(Plane::through({0, 0, 0}, {0, 0, 1})), axisAlongY(0, 110, -45, 45, -45, 0));
    case 13:  // a cylinder with its upper right quarter cut away
        return Model(along(50, 0, 100) - Solid::box({0, -1, 0}, {60, 101, 60}, kCut), axisAlongY(0, 100, -50, 50, -50, 50));
    case 14:  // a quarter cylinder: flat bottom and flat right side
        return Model(along(60, 0, 130).cut(Plane::through({0, 0, 0}, {1, 0, 0})).cut(Plane::through({0, 0, 0}, {0, 0, -1})),
                     axisAlongY(0, 130, -60, 0, 0, 60));
    case 15:  // a short thin cylinder standing out of the front of a larger one
        return Model(along(50, 35, 90) | along(25, 0, 55, kCut), axisAlongY(0, 90, -50, 50, -50, 50));
    case 16: {  // a tube cut at 45 degrees from its front bottom to its back top
        const Solid tube = along(50, 0, 100) - along(30, -1, 101, kCut);
        std::vector<CentreLine> axes = axisAlongY(0, 100, -50, 50, -50, 50);
        axes[1] = {{-50 - kOver, 50, 0}, {50 + kOver, 50, 0}};  // also the cross on the circles seen from above
        axes[2].a.y = axes[2].b.y = 50;
        return Model(tube.cut(Plane::through({0, 50, 0}, {0, -1, 1})), axes);
    }
    }
    throw std::out_of_range("no such page");
}

// The solids of the drawings that are never the missing view.
Model makeDistractor(int v)
{
    switch (v) {
    case 2:  // upright, its upper half set back: a line across at mid-height
        return Model(Solid::box({0, 0, 0}, {80, 60, 100}) - Solid::box({-1, -1, 50}, {81, 30, 101}, kCut));
    case 4:  // a cube
        return Model(block());
    case 5:  // three equal steps falling to the right
        return Model(block() - through(100.0 / 3, 101, 200.0 / 3, 101) - through(200.0 / 3, 101, 100.0 / 3, 101));
    case 7:  // a wedge, its slope falling to the right
        return Model(Solid::prismY({{0, 0}, {92, 0}, {0, 100}}, 0, 80));
    case 13:  // a block with a step cut out of its top left corner
        return Model(block(113, 80, 100) - Solid::box({-1, -1, 60}, {113.0 / 4, 81, 101}, kCut));
    case 14:  // a wide block, its right half set back: a line down the middle
        return Model(block(105, 60, 83) - Solid::box({52.5, -1, -1}, {106, 30, 84}, kCut));
    case 18:  // an upright cylinder
        return Model(Solid::cylinder({{0, 0, 0}, {0, 0, 1}, 40, 100}), {{{0, 0, -kOver}, {0, 0, 100 + kOver}}});
    case 21:  // a prism under a pointed gable
        return Model(Solid::prismY({{0, 0}, {92, 0}, {92, 60}, {46, 100}, {0, 60}}, 0, 80));
    }
    throw std::out_of_range("not a drawing of its own");
}

}  // namespace

const Model& part(int page)
{
    static std::array<std::unique_ptr<Model>, 16> parts;
    auto& slot = parts.at(std::size_t(page - 1));
    if (!slot)
        slot = std::make_unique<Model>(makePart(page));
    return *slot;
}

const Model& candidateModel(int v)
{
    if (const int page = rightPage(v))
        return part(page);
    static std::array<std::unique_ptr<Model>, 24> own;
    auto& slot = own.at(std::size_t(v - 1));
    if (!slot)
        slot = std::make_unique<Model>(makeDistractor(v));
    return *slot;
}

}  // namespace missing_view::models
