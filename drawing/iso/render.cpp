#include "drawing/iso/render.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cmath>

namespace drawing::iso {

namespace {

// A line of odd width is crisp centred on a pixel, one of even width on a pixel edge.
double snap(double v, double width)
{
    return std::lround(width) % 2 == 1 ? std::floor(v) + 0.5 : std::round(v);
}

QPointF snap(QPointF p, double width)
{
    return {snap(p.x(), width), snap(p.y(), width)};
}

bool isThick(Line line) { return line == Line::Thick; }

class Painter {
public:
    explicit Painter(const Sheet& sheet) : sheet_(sheet), image_(sheet.size, QImage::Format_RGB32), p_()
    {
        image_.fill(sheet.ground);
        p_.begin(&image_);
        p_.setRenderHint(QPainter::Antialiasing, true);
    }

    QImage finish()
    {
        p_.end();
        return image_;
    }

    void faces()
    {
        p_.setPen(Qt::NoPen);
        for (const Face& face : sheet_.all<Face>()) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            for (const QPolygonF& ring : face.rings) {
                path.addPolygon(ring);
                path.closeSubpath();
            }
            p_.fillPath(path, face.colour);
        }
    }

    void hatches()
    {
        p_.setPen(pen(sheet_.weights.thin, Qt::FlatCap));
        for (const Hatch& hatch : sheet_.all<Hatch>())
            for (const QLineF& line : hatchLines(hatch))
                p_.drawLine(line);
    }

    // The lines of one weight class: the thin ones (thin, centre, hidden) or the thick ones.
    void lines(bool thick)
    {
        p_.setBrush(Qt::NoBrush);
        for (const Primitive& item : sheet_.items) {
            if (const auto* s = std::get_if<Segment>(&item); s && isThick(s->line) == thick)
                segment(*s);
            else if (const auto* c = std::get_if<Circle>(&item); c && isThick(c->line) == thick) {
                p_.setPen(pen(sheet_.weights.width(c->line), Qt::FlatCap));
                p_.drawEllipse(c->centre, c->radius, c->radius);
            } else if (const auto* a = std::get_if<Arc>(&item); a && isThick(a->line) == thick) {
                p_.setPen(pen(sheet_.weights.width(a->line), Qt::FlatCap));
                const QRectF box(a->centre - QPointF(a->radius, a->radius), QSizeF(2 * a->radius, 2 * a->radius));
                // Qt counts angles anticlockwise in sixteenths of a degree; ours run clockwise on screen.
                p_.drawArc(box, static_cast<int>(std::lround(-a->startDegrees * 16)),
                           static_cast<int>(std::lround(-a->spanDegrees * 16)));
            } else if (const auto* l = std::get_if<Polyline>(&item); l && isThick(l->line) == thick) {
                const double w = sheet_.weights.width(l->line);
                p_.setPen(pen(w, Qt::SquareCap));
                QPolygonF points;
                for (QPointF point : l->points)
                    points << snap(point, w);
                if (l->closed)
                    p_.drawPolygon(points);
                else
                    p_.drawPolyline(points);
            }
        }
    }

    void marks()
    {
        for (const Mark& mark : sheet_.all<Mark>()) {
            QPen markPen = pen(std::max(sheet_.weights.thin, mark.height / 10), Qt::RoundCap);
            markPen.setJoinStyle(Qt::RoundJoin);
            p_.setPen(markPen);
            for (const QPolygonF& stroke : markStrokes(mark))
                p_.drawPolyline(stroke);
        }
    }

private:
    static QPen pen(double width, Qt::PenCapStyle cap)
    {
        QPen pen(Qt::black, width, Qt::SolidLine, cap, Qt::MiterJoin);
        return pen;
    }

    void segment(const Segment& s)
    {
        const double w = sheet_.weights.width(s.line);
        const bool continuous = s.line == Line::Thick || s.line == Line::Thin;
        // Continuous lines get square ends so that they close the corners they meet.
        p_.setPen(pen(w, continuous ? Qt::SquareCap : Qt::FlatCap));
        const bool level = s.a.y() == s.b.y(), upright = s.a.x() == s.b.x();
        for (QLineF piece : strokes(s)) {
            if (continuous) {
                piece = QLineF(snap(piece.p1(), w), snap(piece.p2(), w));
            } else if (level) {
                // Dash ends on whole pixels keep the dots dark instead of smeared over three pixels.
                const double y = snap(piece.p1().y(), w);
                piece = QLineF(std::round(piece.p1().x()), y, std::round(piece.p2().x()), y);
            } else if (upright) {
                const double x = snap(piece.p1().x(), w);
                piece = QLineF(x, std::round(piece.p1().y()), x, std::round(piece.p2().y()));
            }
            p_.drawLine(piece);
        }
    }

    const Sheet& sheet_;
    QImage image_;
    QPainter p_;
};

}  // namespace

QImage render(const Sheet& sheet)
{
    Painter painter(sheet);
    painter.faces();
    painter.hatches();
    painter.lines(false);
    painter.lines(true);
    painter.marks();
    return painter.finish();
}

}  // namespace drawing::iso
