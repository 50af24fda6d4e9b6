// The three icons both programs share, read back as the programs read them.

#include "common/picture_names.h"
#include "common/pictures/pictures.h"
#include "decode.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <queue>
#include <set>

using icons_test::decodeIco;
using icons_test::Decoded;
using icons_test::transparent;

namespace {

const QString kProgram = QString::fromLatin1(common::picture_names::kProgramIcon);
const QString kExercise = QString::fromLatin1(common::picture_names::kExerciseIcon);
const QString kAid = QString::fromLatin1(common::picture_names::kAidIcon);
const QString kPng32 = QStringLiteral("common/program-32.png");
const QString kPng16 = QStringLiteral("common/program-16.png");
const QString kPng64 = QStringLiteral("common/program-64.png");
const QString kPng128 = QStringLiteral("common/program-128.png");

std::map<QString, QByteArray> drawAll()
{
    std::map<QString, QByteArray> files;
    for (const drawing::PictureFile& f : common::pictures())
        files[f.file] = f.bytes();
    return files;
}

const std::map<QString, QByteArray>& files()
{
    static const std::map<QString, QByteArray> drawn = drawAll();
    return drawn;
}

std::vector<Decoded> icon(const QString& file) { return decodeIco(files().at(file)); }

QImage png(const QString& file) { return QImage::fromData(files().at(file), "png").convertToFormat(QImage::Format_ARGB32); }

// The program icon at every size it is drawn: its two images, then the desktop's larger ones.
std::vector<QImage> programImages()
{
    std::vector<QImage> images;
    for (const Decoded& d : icon(kProgram))
        images.push_back(d.image);
    images.push_back(png(kPng64));
    images.push_back(png(kPng128));
    return images;
}

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kDarkRed = qRgb(128, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kLightGrey = qRgb(192, 192, 192);
const QRgb kDarkGrey = qRgb(128, 128, 128);

bool isGreen(QRgb c) { return qGreen(c) >= 128 && qRed(c) == 0 && qBlue(c) == 0; }

// Opaque colours of an image and how many pixels each covers.
std::map<QRgb, int> colours(const QImage& image)
{
    std::map<QRgb, int> count;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!transparent(image, x, y))
                ++count[image.pixel(x, y) | 0xff000000u];
    return count;
}

int count(const std::map<QRgb, int>& of, QRgb colour)
{
    const auto it = of.find(colour);
    return it == of.end() ? 0 : it->second;
}

// Clear pixels that no path of clear pixels joins to the edge: holes that a drawn loop closes.
int enclosedClearPixels(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<bool> reached(static_cast<std::size_t>(w * h), false);
    std::queue<QPoint> todo;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || reached[static_cast<std::size_t>(y * w + x)] || !transparent(image, x, y))
            return;
        reached[static_cast<std::size_t>(y * w + x)] = true;
        todo.push(QPoint(x, y));
    };
    for (int i = 0; i < w; ++i) {
        visit(i, 0);
        visit(i, h - 1);
    }
    for (int i = 0; i < h; ++i) {
        visit(0, i);
        visit(w - 1, i);
    }
    while (!todo.empty()) {
        const QPoint p = todo.front();
        todo.pop();
        visit(p.x() + 1, p.y());
        visit(p.x() - 1, p.y());
        visit(p.x(), p.y() + 1);
        visit(p.x(), p.y() - 1);
    }
    int enclosed = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (transparent(image, x, y) && !reached[static_cast<std::size_t>(y * w + x)])
                ++enclosed;
    return enclosed;
}

}  // namespace

TEST(SharedIcons, ThePictureSetHoldsTheThreeIconsAndTheDesktopPngs)
{
    std::set<QString> names;
    for (const auto& [name, bytes] : files()) {
        names.insert(name);
        EXPECT_FALSE(bytes.isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(names, (std::set<QString>{kProgram, kExercise, kAid, kPng32, kPng16, kPng64, kPng128}));
}

TEST(SharedIcons, DecodeWithTheirImagesSizesAndDepths)
{
    struct Expected { QString file; std::vector<std::pair<int, int>> images; };  // size, bits
    for (const Expected& e : {Expected{kProgram, {{32, 4}, {16, 4}}}, Expected{kExercise, {{32, 4}, {32, 1}, {32, 4}}},
                              Expected{kAid, {{32, 4}, {16, 4}}}}) {
        SCOPED_TRACE(e.file.toStdString());
        const auto read = icon(e.file);
        ASSERT_EQ(read.size(), e.images.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            const QSize size(e.images[i].first, e.images[i].first);
            EXPECT_EQ(read[i].declared, size) << "image " << i + 1;
            EXPECT_EQ(read[i].image.size(), size) << "image " << i + 1;
            EXPECT_EQ(read[i].bitCount, e.images[i].second) << "image " << i + 1;
        }
    }
}

// A clear ground around a subject that fills a fair part of the image.
TEST(SharedIcons, EveryImageHasAClearGroundAndASubject)
{
    for (const QString& file : {kProgram, kExercise, kAid}) {
        const auto read = icon(file);
        for (std::size_t i = 0; i < read.size(); ++i) {
            SCOPED_TRACE(testing::Message() << file.toStdString() << " image " << i + 1);
            const QImage& image = read[i].image;
            const int last = image.width() - 1;
            EXPECT_TRUE(transparent(image, 0, 0));
            EXPECT_TRUE(transparent(image, last, 0));
            EXPECT_TRUE(transparent(image, 0, last));
            EXPECT_TRUE(transparent(image, last, last));
            int opaque = 0;
            for (const auto& [colour, n] : colours(image))
                opaque += n;
            EXPECT_GT(opaque, image.width() * image.height() / 5);
        }
    }
}

TEST(SharedIcons, DifferFromOneAnother)
{
    const QString all[] = {kProgram, kExercise, kAid};
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b) {
            SCOPED_TRACE((all[a] + QStringLiteral(" / ") + all[b]).toStdString());
            EXPECT_NE(files().at(all[a]), files().at(all[b]));
            EXPECT_NE(icon(all[a]).at(0).image, icon(all[b]).at(0).image);
        }
}

// Drawing twice gives the same bytes, and the programs embed exactly those bytes.
TEST(SharedIcons, SameBytesEveryTimeAndAsEmbedded)
{
    const std::map<QString, QByteArray> again = drawAll();
    for (const auto& [name, bytes] : files()) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(again.at(name), bytes);
        QFile embedded(drawing::resourcePath(name));
        ASSERT_TRUE(embedded.open(QIODevice::ReadOnly));
        EXPECT_EQ(embedded.readAll(), bytes);
    }
}

TEST(SharedIcons, DesktopPngsAreTheProgramIconImages)
{
    const auto read = icon(kProgram);
    ASSERT_EQ(read.size(), 2u);
    const std::pair<QString, const QImage*> pngs[] = {{kPng32, &read[0].image}, {kPng16, &read[1].image}};
    for (const auto& [file, expected] : pngs) {
        SCOPED_TRACE(file.toStdString());
        const QImage drawn = png(file);
        ASSERT_EQ(drawn.size(), expected->size());
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const bool clear = transparent(*expected, x, y);
                ASSERT_EQ(transparent(drawn, x, y), clear) << x << "," << y;
                if (!clear) {
                    ASSERT_EQ(drawn.pixel(x, y), expected->pixel(x, y)) << x << "," << y;
                }
            }
    }
}

// The desktop's 64 and 128 pixel icons are the 32-pixel pencil drawn again at their
// size: seen pixel by pixel at the 32's scale they match it, yet they are not its
// pixels enlarged into blocks.
TEST(SharedIcons, LargeDesktopPngsAreThePencilDrawnAtTheirSize)
{
    const QImage small = icon(kProgram).at(0).image;
    auto at = [](const QImage& image, int x, int y) { return transparent(image, x, y) ? 0u : image.pixel(x, y) | 0xff000000u; };
    for (const QString& file : {kPng64, kPng128}) {
        SCOPED_TRACE(file.toStdString());
        const QImage big = png(file);
        const int k = file == kPng64 ? 2 : 4;
        ASSERT_EQ(big.size(), QSize(32 * k, 32 * k));
        int same = 0;
        int mixedBlocks = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                // The big pixel that covers the middle of this small pixel.
                same += at(big, x * k + k / 2, y * k + k / 2) == at(small, x, y);
                bool mixed = false;
                for (int j = 0; j < k; ++j)
                    for (int i = 0; i < k; ++i)
                        mixed = mixed || at(big, x * k + i, y * k + j) != at(big, x * k, y * k);
                mixedBlocks += mixed;
            }
        EXPECT_GE(same, 32 * 32 * 9 / 10) << "the same pencil as the 32-pixel image";
        EXPECT_GE(mixedBlocks, 32 * 32 / 20) << "drawn at its size, not enlarged";
    }
}

// A pencil from the lower right to the upper left, yellow and red, at the end of a
// black line that closes a loop in the free corner at the lower left.
TEST(ProgramIcon, ChequeredPencilAlongTheDiagonalAtTheEndOfALoopedLine)
{
    for (const QImage& image : programImages()) {
        const int n = image.width();
        SCOPED_TRACE(testing::Message() << n << "x" << n);
        const auto used = colours(image);
        EXPECT_GE(count(used, kYellow), n / 2);
        EXPECT_GE(count(used, kRed), n / 2);
        int bodyFar = 0;  // yellow or red pixels far from the diagonal
        int yellowRedBorders = 0;
        int strokeInFreeCorner = 0;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                if (transparent(image, x, y))
                    continue;
                const QRgb c = image.pixel(x, y) | 0xff000000u;
                if ((c == kYellow || c == kRed) && std::abs(x - y) > n / 4)
                    ++bodyFar;
                if (c == kYellow && x + 1 < n && !transparent(image, x + 1, y) && (image.pixel(x + 1, y) | 0xff000000u) == kRed)
                    ++yellowRedBorders;
                if (c == kBlack && x < n / 2 && y > n / 2)
                    ++strokeInFreeCorner;
            }
        EXPECT_EQ(bodyFar, 0);
        EXPECT_GE(yellowRedBorders, 3) << "the body is chequered, not in two bands";
        EXPECT_GE(strokeInFreeCorner, n / 2);
        EXPECT_GE(enclosedClearPixels(image), 1) << "the line loops";
        // The upper left holds the tip: of the opaque pixels nearest the top left corner, none is the body's.
        const int tip = [&] {
            for (int s = 0; s < 2 * n; ++s)
                for (int x = 0; x <= s; ++x)
                    if (x < n && s - x < n && !transparent(image, x, s - x))
                        return s;
            return -1;
        }();
        ASSERT_GE(tip, 0);
        for (int x = 0; x <= tip + 1; ++x)
            if (x < n && tip + 1 - x < n && !transparent(image, x, tip + 1 - x)) {
                const QRgb c = image.pixel(x, tip + 1 - x) | 0xff000000u;
                EXPECT_TRUE(c != kYellow && c != kRed) << x << "," << tip + 1 - x;
            }

    }
}

// Pixel centres farther than the badge's radius are clear, those well inside it
// drawn; the outermost ring of the badge is black.
TEST(ExerciseIcon, BadgeIsARoundDiscWithABlackRim)
{
    for (const Decoded& d : icon(kExercise)) {
        const QImage& image = d.image;
        SCOPED_TRACE(testing::Message() << d.bitCount << " bits");
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const double r = std::hypot(x + 0.5 - 16, y + 0.5 - 16);
                if (r > 16.3) {
                    EXPECT_TRUE(transparent(image, x, y)) << x << "," << y;
                } else if (r < 15.7) {
                    EXPECT_FALSE(transparent(image, x, y)) << x << "," << y;
                }
                if (r > 14.3 && !transparent(image, x, y)) {
                    EXPECT_EQ(image.pixel(x, y) | 0xff000000u, kBlack) << x << "," << y;
                }
            }
    }
}

// Red on white, black on white, white on green: the same question mark in all three.
TEST(ExerciseIcon, SameQuestionMarkInThreeColourings)
{
    const auto read = icon(kExercise);
    ASSERT_EQ(read.size(), 3u);
    struct Colouring { QRgb mark; std::function<bool(QRgb)> disc; };
    const Colouring colourings[] = {{kRed, [](QRgb c) { return c == kWhite; }},
                                    {kBlack, [](QRgb c) { return c == kWhite; }},
                                    {kWhite, isGreen}};
    std::vector<std::vector<bool>> marks;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(testing::Message() << "image " << i + 1);
        const QImage& image = read[static_cast<std::size_t>(i)].image;
        std::vector<bool> mark;
        int disc = 0;
        int other = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const double r = std::hypot(x + 0.5 - 16, y + 0.5 - 16);
                const QRgb c = image.pixel(x, y) | 0xff000000u;
                const bool inside = r < 13.5;  // within the rim
                mark.push_back(inside && c == colourings[i].mark);
                if (transparent(image, x, y) || c == kBlack || c == colourings[i].mark)
                    continue;
                if (colourings[i].disc(c))
                    ++disc;
                else
                    ++other;
            }
        EXPECT_EQ(other, 0) << "colours beside rim, disc and mark";
        EXPECT_GT(disc, 300);
        const int markPixels = static_cast<int>(std::count(mark.begin(), mark.end(), true));
        EXPECT_GT(markPixels, 60);
        EXPECT_LT(markPixels, 200);
        marks.push_back(mark);
    }
    EXPECT_EQ(marks[0], marks[1]);
    EXPECT_EQ(marks[0], marks[2]);
}

TEST(AidIcon, RedBookWithGreyPageEdges)
{
    for (const Decoded& d : icon(kAid)) {
        const int n = d.image.width();
        SCOPED_TRACE(testing::Message() << n << "x" << n);
        const auto used = colours(d.image);
        int opaque = 0;
        for (const auto& [colour, pixels] : used)
            opaque += pixels;
        const int red = count(used, kRed) + count(used, kDarkRed);
        const int grey = count(used, kLightGrey) + count(used, kDarkGrey);
        EXPECT_GT(red, opaque / 3);
        EXPECT_GT(red, grey);
        EXPECT_GE(grey, n * 2);
        EXPECT_EQ(red + grey + count(used, kBlack), opaque) << "only the cover, the pages and the outline";
        EXPECT_GT(count(used, kLightGrey), 0);
        EXPECT_GT(count(used, kDarkGrey), 0) << "the leaves show as lines";
    }
}
