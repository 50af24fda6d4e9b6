#pragma once
// The shaded renderings of the threaded-element pages: screws, nuts, bars and joints,
// each drawn from a model. Exposed so that tests can check what lies where.

#include "drawing/shaded/shaded.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <vector>

namespace threaded_elements::shaded_pictures {

const QColor kBlueGround(112, 160, 216);   // the mid sky blue behind most parts
const QColor kDarkBlueGround(52, 88, 158);  // behind the nut with a smooth bore

// A named piece of a rendering's scene: triangles [firstTriangle, endTriangle).
struct Part {
    QString name;
    std::size_t firstTriangle, endTriangle;
};

struct Rendering {
    QString file;  // inside the resources, as the page layouts name it
    drawing::shaded::Scene scene;
    drawing::shaded::Camera camera;
    drawing::shaded::Options options;  // options.size is the image's exact size
    std::vector<Part> parts;
    // What tells one fixing from another, each within one of the parts: its "external thread"
    // or "internal thread", a cap screw's "hexagon socket".
    std::vector<Part> features;
    QRectF frame;  // a thin frame drawn round this rectangle, the picture white outside it; empty: none
};

std::vector<Rendering> renderings();
QImage draw(const Rendering& rendering);

}  // namespace threaded_elements::shaded_pictures
