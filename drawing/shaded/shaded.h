#pragma once
// The shaded renderer: triangles with a z-buffer, supersampled for smooth edges,
// each face lit by its angle to one light, thin dark lines on the visible real
// edges, on the ground colour of the picture. Deterministic: same scene, same pixels.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QVector3D>

#include <optional>
#include <vector>

namespace drawing::shaded {

struct Triangle {
    QVector3D a, b, c;  // counter-clockwise seen from outside the solid
    QColor colour;      // the base colour of its face, before lighting
};

// A real edge of the solid (between two different surfaces, or a cylinder's
// outline seen from the camera is added by the renderer): drawn where visible.
struct Edge {
    QVector3D a, b;
};

struct Scene {
    std::vector<Triangle> triangles;
    std::vector<Edge> edges;
};

struct Camera {
    QVector3D direction{-1, -1, -1};  // from the eye towards the scene
    QVector3D up{0, 0, 1};            // world direction that points up in the picture
    bool perspective = false;         // false: parallel (axonometric) projection
    double fieldOfViewDegrees = 25;   // perspective only
};

struct Options {
    QSize size;                       // the picture's exact pixel size
    QColor ground{Qt::white};
    int supersample = 4;              // samples per pixel along each axis
    double margin = 0.08;             // fraction of the smaller side left around the scene when fitting
    double edgeWidth = 1.0;           // output pixels
    QColor edgeColour{Qt::black};
    QVector3D light{-0.4f, -0.6f, 1.0f};  // direction towards the light, in world terms (see lightFromCamera)
    double ambient = 0.45;            // share of the base colour lit whatever the angle

    // Refinements, with defaults that suit most pictures.
    bool lightFromCamera = false;     // true: light is in camera terms (x right, y up, z towards the eye)
    double specular = 0;              // strength of a white highlight (metal), 0 for none
    double shininess = 24;            // the highlight's sharpness
    double smoothAngleDegrees = 25;   // neighbouring facets closer than this are shaded as one curved surface
    bool silhouettes = true;          // also draw outlines where a surface turns away from the eye

    // Where the scene goes. By default it is fitted, centred, into the picture less the margin;
    // fitBox fits it into that pixel rectangle instead; framing fixes the scale and pins one world
    // point to one pixel, so a part may run out of the picture on purpose.
    std::optional<QRectF> fitBox;
    struct Framing {
        double pixelsPerUnit;  // in perspective: at the depth of the scene's centre
        QVector3D point;
        QPointF pixel;
    };
    std::optional<Framing> framing;
};

// Fits the scene into the picture (centred, margin kept) and renders it.
QImage render(const Scene& scene, const Camera& camera, const Options& options);

// Where a world point lands in the picture that render() makes with the same arguments.
QPointF project(const Scene& scene, const Camera& camera, const Options& options, QVector3D point);
// The same for many points at once (the scene is fitted once).
std::vector<QPointF> projectAll(const Scene& scene, const Camera& camera, const Options& options,
                             const std::vector<QVector3D>& points);

// The rectangle (in picture pixels) that the scene's triangles and edges cover, as render() places them.
QRectF projectedBounds(const Scene& scene, const Camera& camera, const Options& options);

// Draws the small blue three-axis marker (x, y, z arrows as the camera sees them) at a pixel place.
void drawAxisMarker(QImage& image, const Camera& camera, QPointF origin, double length);
// Where to put the marker's origin so that all of it, letters included, lies inside `area` and at
// least `clearance` pixels from every pixel of the picture that is not `ground`: as near a corner
// of the area as there is room, the lower left first. Nothing when there is no such place.
std::optional<QPointF> axisMarkerPlace(const QImage& image, QColor ground, QRect area, const Camera& camera,
                                       double length, int clearance);

}  // namespace drawing::shaded
