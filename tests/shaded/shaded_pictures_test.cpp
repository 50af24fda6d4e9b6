// The shaded renderings of the threaded-element pages: one file per image, each at its exact
// size on its ground, every part inside what its boxes show, the cut-off parts only where the
// pages cut them, and the same bytes every time.

#include "drawing/shaded/mesh.h"
#include "threaded-elements/picture_names.h"
#include "threaded-elements/pictures/pictures.h"
#include "threaded-elements/pictures/shaded_pictures.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <map>
#include <set>

namespace {

using namespace threaded_elements;
using shaded_pictures::Rendering;

const std::vector<Rendering>& all()
{
    static const std::vector<Rendering> renderings = shaded_pictures::renderings();
    return renderings;
}

const Rendering& byStem(const std::string& stem)
{
    for (const auto& r : all())
        if (r.file == QString::fromStdString("threaded-elements/" + stem + ".jpg"))
            return r;
    throw std::runtime_error("no rendering " + stem);
}

// Where the triangles of one named part (or of all, for an empty name) land in the picture.
std::vector<QPointF> landing(const Rendering& r, const QString& part = {})
{
    std::vector<QVector3D> points;
    for (const auto& p : r.parts)
        if (part.isEmpty() || p.name == part)
            for (std::size_t i = p.firstTriangle; i < p.endTriangle; ++i) {
                const auto& t = r.scene.triangles[i];
                points.insert(points.end(), {t.a, t.b, t.c});
            }
    return drawing::shaded::projectAll(r.scene, r.camera, r.options, points);
}

QRectF boundsOf(const std::vector<QPointF>& points)
{
    double left = points.front().x(), right = left, top = points.front().y(), bottom = top;
    for (QPointF p : points) {
        left = std::min(left, p.x()), right = std::max(right, p.x());
        top = std::min(top, p.y()), bottom = std::max(bottom, p.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// Every box that shows a rendering, on the pages of shaded renderings.
std::set<QString> renderedBoxFiles()
{
    std::set<QString> files;
    auto add = [&](int page, int box) {
        const std::string f = picture_names::boxFile(page, box);
        if (!f.empty())
            files.insert(QString::fromStdString(f));
    };
    for (int page : {1, 2, 3, 4, 5, 15, 16})
        for (int box = 1; box <= 12; ++box)
            add(page, box);
    add(7, 2);
    return files;
}

TEST(ShadedPictures, OneFileForEveryBoxThatShowsARenderingAndNoOther)
{
    std::set<QString> listed;
    for (const auto& p : shadedPictures())
        EXPECT_TRUE(listed.insert(p.file).second) << p.file.toStdString() << " twice";
    EXPECT_EQ(listed, renderedBoxFiles());
    EXPECT_EQ(all().size(), listed.size());
}

// What each picture must hold: its size and ground, and the part of it that every box showing
// it displays whole (from the top-left); outside that, only ground.
struct Expectation {
    const char* stem;
    QSize size;
    QColor ground;
    QSize shownWhole;  // empty: the picture has a part cut off on purpose (see its own test)
};

const QColor kWhite(Qt::white);

class EachPicture : public ::testing::TestWithParam<Expectation> {};

TEST_P(EachPicture, HasItsSizeAndGroundAndKeepsItsPartsInsideWhatIsShown)
{
    const Expectation& e = GetParam();
    const Rendering& r = byStem(e.stem);
    EXPECT_EQ(r.options.size, e.size);
    EXPECT_EQ(r.options.ground.rgb(), e.ground.rgb());

    const QImage image = shaded_pictures::draw(r);
    ASSERT_EQ(image.size(), e.size);
    EXPECT_EQ(image.pixel(0, 0), e.ground.rgb());
    EXPECT_EQ(image.pixel(e.size.width() - 1, 0), e.ground.rgb());
    // Every part is a closed solid: no gap to see through, no face turned inside out.
    EXPECT_EQ(drawing::shaded::openSides(r.scene), 0);
    if (e.shownWhole.isEmpty())
        return;
    // Geometry first: every vertex of the model lands inside the part the boxes show ...
    const QRectF shown(QPointF(0, 0), QSizeF(e.shownWhole));
    const QRectF b = boundsOf(landing(r));
    EXPECT_TRUE(shown.adjusted(1, 1, -1, -1).contains(b)) << b.left() << " " << b.top() << " " << b.right() << " " << b.bottom();
    // ... so what the boxes cut off is ground, pixel for pixel.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (x >= e.shownWhole.width() || y >= e.shownWhole.height()) {
                ASSERT_EQ(image.pixel(x, y), e.ground.rgb()) << x << "," << y;
            }
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, EachPicture,
    ::testing::Values(
        Expectation{"cap-screw", {221, 180}, shaded_pictures::kBlueGround, {221, 180}},
        Expectation{"cap-nut", {139, 158}, shaded_pictures::kBlueGround, {133, 141}},
        Expectation{"screw-with-nut", {300, 126}, shaded_pictures::kBlueGround, {300, 125}},
        Expectation{"hex-screw", {230, 168}, shaded_pictures::kBlueGround, {229, 165}},
        Expectation{"hex-nut", {170, 159}, shaded_pictures::kBlueGround, {170, 157}},
        Expectation{"plain-nut", {170, 153}, shaded_pictures::kDarkBlueGround, {170, 153}},
        Expectation{"twist-drill", {370, 54}, kWhite, {370, 54}},
        Expectation{"threaded-bar", {400, 70}, kWhite, {397, 70}},
        Expectation{"z-bar-boss-right", {150, 163}, shaded_pictures::kBlueGround, {149, 157}},
        Expectation{"z-bar-plain-left", {150, 156}, shaded_pictures::kBlueGround, {149, 156}},
        Expectation{"z-bar-boss-left", {150, 164}, shaded_pictures::kBlueGround, {149, 157}},
        Expectation{"small-cap-screw", {100, 81}, shaded_pictures::kBlueGround, {100, 81}},
        Expectation{"small-hex-nut", {70, 66}, shaded_pictures::kBlueGround, {69, 66}},
        Expectation{"washer", {50, 50}, shaded_pictures::kBlueGround, {50, 50}},
        Expectation{"joint-bolt", {300, 136}, shaded_pictures::kBlueGround, {300, 133}},
        Expectation{"joint-blind-hole", {300, 136}, shaded_pictures::kBlueGround, {}},
        Expectation{"joint-through-hole", {300, 118}, shaded_pictures::kBlueGround, {300, 117}},
        Expectation{"shank-in-frame", {365, 137}, kWhite, {}}),
    [](const auto& row) {
        std::string name = row.param.stem;
        std::erase(name, '-');
        return name;
    });

struct Cut {
    const char* stem;
    int shownRows;  // rows of the box that cuts it
};

class ScrewCutAtTheTip : public ::testing::TestWithParam<Cut> {};

TEST_P(ScrewCutAtTheTip, LosesTheEndOfItsShankOnlyAndKeepsItsHeadClearOfTheOption)
{
    // The box shows the head whole and cuts the shank's end off, as the page says.
    const Rendering& r = byStem(GetParam().stem);
    const QRectF head = boundsOf(landing(r, QStringLiteral("head")));
    const QRectF shank = boundsOf(landing(r, QStringLiteral("shank")));
    EXPECT_LT(head.bottom(), GetParam().shownRows - 1);
    EXPECT_GT(shank.bottom(), GetParam().shownRows);
    EXPECT_LT(shank.bottom(), r.options.size.height() - 1);
    EXPECT_GT(head.left(), 1);
}

INSTANTIATE_TEST_SUITE_P(Screws, ScrewCutAtTheTip,
                         ::testing::Values(Cut{"cap-screw", 165}, Cut{"small-cap-screw", 77}),
                         [](const auto& row) {
                             std::string name = row.param.stem;
                             std::erase(name, '-');
                             return name;
                         });

TEST(ShadedPictures, ScrewHeadsStayBelowTheOptionThatStandsOnThem)
{
    // On pages 1 to 5 the option lies on the picture's top rows (down to row 31): the head that
    // tells the screws apart is drawn below it.
    for (const char* stem : {"cap-screw", "hex-screw"})
        EXPECT_GE(boundsOf(landing(byStem(stem), QStringLiteral("head"))).top(), 31) << stem;
}

TEST(ShadedPictures, BlindHoleJointLosesAtMostTheFarPartsLowerLeftCorner)
{
    const Rendering& r = byStem("joint-blind-hole");
    const int shownRows = 125;
    for (const auto& part : r.parts) {
        const auto points = landing(r, part.name);
        for (QPointF p : points)
            if (p.y() >= shownRows - 1) {
                EXPECT_EQ(part.name, QStringLiteral("far part"));
                EXPECT_LT(p.x(), r.options.size.width() / 4.0);
            }
    }
    const QRectF b = boundsOf(landing(r));
    EXPECT_LT(b.bottom(), r.options.size.height() - 1);
}

TEST(ShadedPictures, ShankRunsOutOfItsFrameWhoseLowerLineTheBoxCutsOff)
{
    const Rendering& r = byStem("shank-in-frame");
    const int shownRows = 117;
    ASSERT_FALSE(r.frame.isEmpty());
    EXPECT_GE(r.frame.bottom(), shownRows);
    EXPECT_LT(r.frame.bottom(), r.options.size.height());
    const QRectF shank = boundsOf(landing(r, QStringLiteral("shank")));
    EXPECT_GT(shank.right(), r.options.size.width());  // runs on out at the right
    EXPECT_GT(shank.left(), r.frame.left() + 2);         // the cone point whole, inside the frame
    EXPECT_GT(shank.top(), r.frame.top() + 2);
    EXPECT_LT(shank.bottom(), shownRows - 2);
    // Outside the frame the picture is white.
    const QImage image = shaded_pictures::draw(r);
    for (int y = 0; y < image.height(); ++y)
        EXPECT_EQ(image.pixel(image.width() - 1, y), QColor(Qt::white).rgb());
}

TEST(ShadedPictures, JpegsHaveTheirExactSizeTheirGroundAndTheSameBytesEveryTime)
{
    std::map<QString, QSize> sizes;
    for (const auto& r : all())
        sizes[r.file] = r.options.size;
    for (const auto& p : shadedPictures()) {
        const QByteArray bytes = p.bytes();
        const QImage decoded = QImage::fromData(bytes, "JPG");
        ASSERT_FALSE(decoded.isNull()) << p.file.toStdString();
        EXPECT_EQ(decoded.size(), sizes[p.file]) << p.file.toStdString();
        EXPECT_EQ(p.bytes(), bytes) << p.file.toStdString();
    }
}

}  // namespace
