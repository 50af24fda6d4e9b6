// Wherever an option button of an exercices page stands over a picture box, its caption (on
// its own opaque background, the whole of the option's rectangle) must hide nothing of the
// drawing: for every page, every option and every box it overlaps, read from the layouts
// themselves, the part stays clear of the rectangle. An image shown in several boxes is held
// to every one of them.

#include "threaded-elements/picture_names.h"
#include "threaded-elements/pictures/line_drawings.h"
#include "threaded-elements/pictures/shaded_pictures.h"
#include "threaded-elements/threaded_elements.h"

#include "drawing/iso/render.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>

namespace {

using namespace threaded_elements;
namespace sp = threaded_elements::shaded_pictures;

constexpr double kTwipsPerPixel = forms::kTwipsPerPixel;  // as a double: a place in twips need not fall on a whole pixel
constexpr double kBorder = 2;  // the sunken border of a picture box, in pixels
// The antialiased fringe of an outline may reach this far under the caption's edge.
constexpr double kFringe = 1;

QRectF twipsRect(const ControlRow& row) { return QRectF(row.a, row.b, row.c, row.d); }

// One image as a test can read it: a shaded rendering or a line drawing, by its file.
class Drawings {
public:
    Drawings()
    {
        for (auto& r : sp::renderings())
            renderings_.emplace(r.file, std::move(r));
    }

    QSize size(const QString& file) const
    {
        if (auto r = renderings_.find(file); r != renderings_.end())
            return r->second.options.size;
        return sheet(file).size;
    }

    // Where the drawing reaches into `area` (image pixels): the bounds of what lies there, with
    // what it is, or empty when the area holds ground only.
    std::pair<QRectF, std::string> reach(const QString& file, const QRectF& area) const
    {
        if (auto r = renderings_.find(file); r != renderings_.end())
            return partsIn(r->second, area);
        return inkIn(file, area);
    }

private:
    const drawing::iso::Sheet& sheet(const QString& file) const
    {
        auto [it, added] = sheets_.try_emplace(file, QSize());
        if (added) {
            const QString prefix = QStringLiteral("threaded-elements/"), suffix = QStringLiteral(".jpg");
            if (!file.startsWith(prefix) || !file.endsWith(suffix))
                throw std::runtime_error("not a picture of exercices: " + file.toStdString());
            const std::string stem = file.mid(prefix.size(), file.size() - prefix.size() - suffix.size()).toStdString();
            it->second = line_drawings::sheet(stem);  // throws for a file that is not a line drawing
            images_.emplace(file, drawing::iso::render(it->second));
        }
        return it->second;
    }

    // A shaded part is where its triangles land, as the renderer places them.
    static std::pair<QRectF, std::string> partsIn(const sp::Rendering& r, const QRectF& area)
    {
        std::vector<QVector3D> corners;
        corners.reserve(3 * r.scene.triangles.size());
        for (const auto& t : r.scene.triangles)
            corners.insert(corners.end(), {t.a, t.b, t.c});
        const std::vector<QPointF> at = drawing::shaded::projectAll(r.scene, r.camera, r.options, corners);
        QRectF reached;
        std::set<std::string> names;
        for (const sp::Part& part : r.parts)
            for (std::size_t i = part.firstTriangle; i < part.endTriangle; ++i) {
                const std::array<QPointF, 3> t{at[3 * i], at[3 * i + 1], at[3 * i + 2]};
                if (!overlaps(t, area))
                    continue;
                const QRectF bounds = QPolygonF({t[0], t[1], t[2]}).boundingRect() & area;
                reached = reached.isNull() ? bounds : reached.united(bounds);
                names.insert(part.name.toStdString());
            }
        std::string what;
        for (const std::string& name : names)
            what += (what.empty() ? "" : ", ") + name;
        return {reached, what};
    }

    // A line drawing's ink is every pixel that is not ground.
    std::pair<QRectF, std::string> inkIn(const QString& file, const QRectF& area) const
    {
        const drawing::iso::Sheet& s = sheet(file);
        const QImage& image = images_.at(file);
        QRect reached;
        for (int y = int(std::ceil(area.top())); y < int(std::floor(area.bottom())); ++y)
            for (int x = int(std::ceil(area.left())); x < int(std::floor(area.right())); ++x)
                if (image.pixel(x, y) != s.ground.rgb())
                    reached |= QRect(x, y, 1, 1);
        return {QRectF(reached), reached.isNull() ? std::string() : std::string("ink")};
    }

    // Separating axes: the rectangle's two and the triangle's three edge normals.
    static bool overlaps(const std::array<QPointF, 3>& t, const QRectF& r)
    {
        double left = t[0].x(), right = left, top = t[0].y(), bottom = top;
        for (QPointF p : t)
            left = std::min(left, p.x()), right = std::max(right, p.x()), top = std::min(top, p.y()),
            bottom = std::max(bottom, p.y());
        if (right <= r.left() || left >= r.right() || bottom <= r.top() || top >= r.bottom())
            return false;
        const std::array<QPointF, 4> corners{r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
        for (int e = 0; e < 3; ++e) {
            const QPointF a = t[e], b = t[(e + 1) % 3], c = t[(e + 2) % 3];
            const QPointF normal(b.y() - a.y(), a.x() - b.x());
            auto along = [&](QPointF p) { return (p - a).x() * normal.x() + (p - a).y() * normal.y(); };
            const double side = along(c);
            if (side == 0)
                continue;  // a degenerate triangle: its bounds decided
            bool allOut = true;
            for (QPointF p : corners)
                allOut &= along(p) * side <= 0;
            if (allOut)
                return false;
        }
        return true;
    }

    std::map<QString, sp::Rendering> renderings_;
    mutable std::map<QString, drawing::iso::Sheet> sheets_;
    mutable std::map<QString, QImage> images_;
};

const char* const kCaptions[] = {"Réponse a", "Réponse b", "Réponse c"};

TEST(UnderCaptions, NoOptionHidesAnyPartOfThePictureItStandsOver)
{
    const Drawings drawings;
    std::set<std::pair<int, std::string>> checked;  // page, box: where an option's rectangle lies on an image
    for (const ExercisePage& page : exercisePages())
        for (const ControlRow& option : page.controls) {
            if (option.kind != forms::Kind::OptionButton)
                continue;
            const QRectF onPage = twipsRect(option);
            for (const ControlRow& box : page.controls) {
                if (box.kind != forms::Kind::PictureBox || !twipsRect(box).intersects(onPage))
                    continue;
                const int number = std::stoi(std::string(box.name).substr(7));
                const QString file = QString::fromStdString(picture_names::boxFile(page.page, number));
                ASSERT_FALSE(file.isEmpty()) << "page " << page.page << " " << box.name;
                // The option in the image's pixels, and what of the image the box lets through.
                const QRectF under((option.a - box.a) / kTwipsPerPixel - kBorder,
                                   (option.b - box.b) / kTwipsPerPixel - kBorder, option.c / kTwipsPerPixel,
                                   option.d / kTwipsPerPixel);
                const QRectF shown = QRectF(0, 0, box.c / kTwipsPerPixel - 2 * kBorder, box.d / kTwipsPerPixel - 2 * kBorder) &
                                     QRectF(QPointF(0, 0), QSizeF(drawings.size(file)));
                const QRectF covered = under.adjusted(kFringe, kFringe, -kFringe, -kFringe) & shown;
                if (covered.isEmpty())
                    continue;  // the option reaches over the box's border only
                checked.insert({page.page, box.name});
                const auto [reached, what] = drawings.reach(file, covered);
                EXPECT_TRUE(reached.isNull())
                    << "page " << page.page << ": \"" << kCaptions[std::stoi(option.name + 6) - 1] << "\" over "
                    << box.name << " (" << file.toStdString() << ") hides " << what << " in x " << reached.left()
                    << ".." << reached.right() << ", y " << reached.top() << ".." << reached.bottom()
                    << " of the caption's x " << under.left() << ".." << under.right() << ", y " << under.top()
                    << ".." << under.bottom();
            }
        }
    // The loop found the boxes that the options stand on: the renderings and line drawings of
    // every page but the end views of pages 9 to 12, whose options stand above their boxes.
    std::set<int> pages;
    for (const auto& [page, box] : checked)
        pages.insert(page);
    EXPECT_EQ(pages, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 13, 14, 15, 16}));
}

}  // namespace
