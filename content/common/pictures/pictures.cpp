#include "common/pictures/pictures.h"

#include "common/picture_names.h"
#include "drawing/ico/ico.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace common {

namespace {

namespace ico = drawing::ico;

// Colours straight from the VGA palette, so quantising keeps every one of them.
const QColor kBlack(0x00, 0x00, 0x00);
const QColor kDarkRed(0x80, 0x00, 0x00);
const QColor kDarkGreen(0x00, 0x80, 0x00);
const QColor kLightGrey(0xc0, 0xc0, 0xc0);
const QColor kDarkGrey(0x80, 0x80, 0x80);
const QColor kRed(0xff, 0x00, 0x00);
const QColor kYellow(0xff, 0xff, 0x00);
const QColor kMagenta(0xff, 0x00, 0xff);
const QColor kWhite(0xff, 0xff, 0xff);

// Icons are a few pixels wide: hard edges read better there than blended ones,
// and they leave nothing between two palette colours for the quantiser to guess.
QImage canvas(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Paints `draw` antialiased on a scratch layer, then gives `colour` to every
// pixel that the drawing covers at least half. Qt's aliased ellipses lean by
// half a pixel; this keeps round shapes round and symmetric, and no pixel ends
// up a blend of two colours.
void stamp(QImage& image, const QColor& colour, const std::function<void(QPainter&)>& draw)
{
    QImage layer(image.size(), QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        draw(p);
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(layer.pixel(x, y)) >= 128)
                image.setPixel(x, y, colour.rgba());
}

// ---- The program icon: a pencil at the end of the looped line it has drawn.

struct PencilShape {
    QPointF tip;       // upper left
    double length;     // from the tip to the far end, along the diagonal
    double halfWidth;  // across the body
    double cone;       // length of the sharpened wood
    double lead;       // length of the graphite point
    double cell;       // length of one chequer cell
    double ferrule;    // metal band
    double eraser;
    QPainterPath line; // the looped stroke, ending at the tip
};

// The same shape at `factor` times its size, for the desktop's larger icons.
PencilShape scaled(const PencilShape& s, double factor)
{
    PencilShape out = s;
    out.tip = s.tip * factor;
    for (double* length : {&out.length, &out.halfWidth, &out.cone, &out.lead, &out.cell, &out.ferrule, &out.eraser})
        *length *= factor;
    out.line = QTransform::fromScale(factor, factor).map(s.line);
    return out;
}

QImage pencil(int size, const PencilShape& s)
{
    QImage image = canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // The lines grow with the picture above 32 pixels; the icon's own two images
    // keep theirs (the outline there is Qt's one-pixel cosmetic pen, width 0).
    const double grow = size / 32.0;
    const double stroke = size < 32 ? 1.0 : 2.0 * grow;
    const double outline = size > 32 ? grow : 0;

    p.setPen(QPen(kBlack, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(s.line);

    // Pencil frame: u along the pencil from the tip, v across it.
    p.setTransform(QTransform().translate(s.tip.x(), s.tip.y()).rotate(45));
    p.setPen(Qt::NoPen);
    const double w = s.halfWidth;
    const double bodyEnd = s.length - s.eraser - s.ferrule;

    p.setBrush(kWhite);  // the bare wood of the cone
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(s.cone, -w), QPointF(s.cone, w)});
    p.setBrush(kBlack);
    const double leadWidth = w * s.lead / s.cone;
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(s.lead, -leadWidth), QPointF(s.lead, leadWidth)});

    int k = 0;
    for (double u = s.cone; u < bodyEnd - 0.01; u += s.cell, ++k) {
        const double end = std::min(u + s.cell, bodyEnd);
        p.setBrush(k % 2 ? kRed : kYellow);
        p.drawRect(QRectF(u, -w, end - u, w));
        p.setBrush(k % 2 ? kYellow : kRed);
        p.drawRect(QRectF(u, 0, end - u, w));
    }
    p.setBrush(kLightGrey);
    p.drawRect(QRectF(bodyEnd, -w, s.ferrule, 2 * w));
    p.setBrush(kMagenta);
    p.drawRect(QRectF(bodyEnd + s.ferrule, -w, s.eraser, 2 * w));

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlack, outline));
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(s.cone, -w), QPointF(s.length, -w), QPointF(s.length, w),
                            QPointF(s.cone, w)});
    return image;
}

// A line from `from` to `to` that turns once in a full loop on its way: a
// prolate cycloid along the course, the loop bulging to the course's right.
// `turn` is how much faster the line turns than it advances (above 1 it loops);
// `lean` scales the bulge.
QPainterPath loopedLine(QPointF from, QPointF to, double turn, double lean)
{
    const QPointF course = to - from;
    const double length = std::hypot(course.x(), course.y());
    const QPointF along = course / length;
    const QPointF right(-along.y(), along.x());
    const double pi = std::acos(-1.0);
    const double advance = length / (2 * pi);
    const double radius = advance * turn;
    QPainterPath path(from);
    const int steps = 120;
    for (int i = 1; i <= steps; ++i) {
        const double t = -pi + 2 * pi * i / steps;
        const double s = advance * (t + pi) - radius * std::sin(t);
        const double across = lean * radius * (1 + std::cos(t)) / 2;
        path.lineTo(from + along * s + right * across);
    }
    return path;
}

// The shape of the 32-pixel image; the desktop's larger icons scale it.
PencilShape pencil32()
{
    PencilShape big;
    big.tip = QPointF(8, 7);
    big.length = 27;
    big.halfWidth = 3.5;
    big.cone = 6;
    big.lead = 2;
    big.cell = 3.5;
    big.ferrule = 3;
    big.eraser = 2.5;
    big.line = loopedLine(QPointF(1.5, 30.5), QPointF(5.5, 15), 3.2, 0.75);
    big.line.cubicTo(QPointF(6, 12), QPointF(6.5, 9.5), big.tip);
    return big;
}

std::vector<ico::Image> programIcon()
{
    PencilShape small;
    small.tip = QPointF(5, 3.5);
    small.length = 12.5;
    small.halfWidth = 2.2;
    small.cone = 3.5;
    small.lead = 1.2;
    small.cell = 2.2;
    small.ferrule = 1.5;
    small.eraser = 1.3;
    small.line = loopedLine(QPointF(0.5, 14.5), QPointF(3, 8), 3.5, 1.5);
    small.line.cubicTo(QPointF(3.3, 6), QPointF(3.6, 4.5), small.tip);

    return {ico::quantise(pencil(32, pencil32()), 4), ico::quantise(pencil(16, small), 4)};
}

// The program icon for the desktop at `size` pixels (64, 128): the 32-pixel shape
// drawn again at that size, in the same colours, not its pixels enlarged.
ico::Image largeProgramIcon(int size) { return ico::quantise(pencil(size, scaled(pencil32(), size / 32.0)), 4); }

// ---- The exercise icon: a question mark on a round badge with a black rim.

QImage badge(const QColor& disc, const QColor& mark)
{
    QImage image = canvas(32);
    stamp(image, kBlack, [](QPainter& p) { p.drawEllipse(QRectF(0, 0, 32, 32)); });
    stamp(image, disc, [](QPainter& p) { p.drawEllipse(QRectF(2, 2, 28, 28)); });
    // A hook over a short stem, then the dot: drawn, not set in a font, so that
    // every machine draws the same mark.
    stamp(image, mark, [](QPainter& p) {
        QPainterPath hook;
        hook.arcMoveTo(QRectF(10.5, 5.5, 11, 11), 165);
        hook.arcTo(QRectF(10.5, 5.5, 11, 11), 165, -230);
        hook.lineTo(16, 18.5);
        hook.lineTo(16, 21);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPath(hook);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRect(QRectF(14, 23, 4, 4));
    });
    return image;
}

std::vector<ico::Image> exerciseIcon()
{
    return {ico::quantise(badge(kWhite, kRed), 4), ico::quantise(badge(kWhite, kBlack), 1),
            ico::quantise(badge(kDarkGreen, kWhite), 4)};
}

// ---- The aid icon: a closed red book standing, seen from the front and a little
// from above and the right, so that the page edges show on top and at the side.

struct BookShape {
    QRectF cover;    // the front board
    QPointF depth;   // from the front board to the back one, receding up and right
    double spine;    // the darker band along the spine
    int leaves;      // lines drawn across each page face
    bool backBoard;  // whether the back board's edge shows beyond the leaves
};

QImage book(int size, const BookShape& s)
{
    QImage image = canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRectF& c = s.cover;
    const QPointF d = s.depth;

    const QPolygonF top{c.topLeft(), c.topLeft() + d, c.topRight() + d, c.topRight()};
    const QPolygonF side{c.topRight(), c.topRight() + d, c.bottomRight() + d, c.bottomRight()};
    p.setPen(Qt::NoPen);
    p.setBrush(kLightGrey);
    p.drawPolygon(top);
    p.drawPolygon(side);
    // Each leaf edge runs parallel to the boards.
    p.setPen(QPen(kDarkGrey, 0));
    for (int i = 1; i <= s.leaves; ++i) {
        const QPointF at = d * (double(i) / (s.leaves + 1));
        p.drawLine(c.topLeft() + at + QPointF(s.spine, 0), c.topRight() + at);
        p.drawLine(c.topRight() + at, c.bottomRight() + at - QPointF(0, 1));
    }
    // The spine's top end, as dark as the spine.
    p.setPen(Qt::NoPen);
    p.setBrush(kDarkRed);
    p.drawPolygon(QPolygonF{c.topLeft(), c.topLeft() + d, c.topLeft() + d + QPointF(s.spine, 0),
                            c.topLeft() + QPointF(s.spine, 0)});

    p.setBrush(kRed);
    p.drawRect(c);
    p.setBrush(kDarkRed);
    p.drawRect(QRectF(c.left(), c.top(), s.spine, c.height()));

    p.setPen(QPen(kBlack, 0));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF{c.topLeft(), c.topLeft() + d, c.topRight() + d, c.bottomRight() + d, c.bottomRight(),
                            c.bottomLeft()});
    p.drawPolyline(QPolygonF{c.topLeft(), c.topRight(), c.bottomRight()});
    p.drawLine(c.topRight(), c.topRight() + d);
    // The back board, seen only by its edge beyond the leaves, inside the outline.
    // At 16 pixels it would leave no room for the leaves.
    if (!s.backBoard)
        return image;
    p.setPen(QPen(kRed, 0));
    p.drawPolyline(QPolygonF{c.topLeft() + d + QPointF(1 + s.spine, 1), c.topRight() + d + QPointF(-1, 1),
                             c.bottomRight() + d + QPointF(-1, -1)});
    return image;
}

std::vector<ico::Image> aidIcon()
{
    return {ico::quantise(book(32, {QRectF(3, 8, 20, 23), QPointF(7, -5), 3, 2, true}), 4),
            ico::quantise(book(16, {QRectF(1, 5, 10, 10), QPointF(4, -3), 2, 1, false}), 4)};
}

}  // namespace

drawing::PictureSet pictures()
{
    return {
        {QString::fromLatin1(picture_names::kProgramIcon), [] { return ico::encode(programIcon()); }},
        {QStringLiteral("common/program-32.png"), [] { return ico::png(programIcon().at(0)); }},
        {QStringLiteral("common/program-16.png"), [] { return ico::png(programIcon().at(1)); }},
        {QStringLiteral("common/program-64.png"), [] { return ico::png(largeProgramIcon(64)); }},
        {QStringLiteral("common/program-128.png"), [] { return ico::png(largeProgramIcon(128)); }},
        {QString::fromLatin1(picture_names::kExerciseIcon), [] { return ico::encode(exerciseIcon()); }},
        {QString::fromLatin1(picture_names::kAidIcon), [] { return ico::encode(aidIcon()); }},
    };
}

}  // namespace common
