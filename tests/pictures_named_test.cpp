// Every window and box that shows a picture or an icon names one that the program
// embeds and that decodes: a picture that is missing is a fault, never a blank.

#include "missing-view/missing_view.h"
#include "threaded-elements/threaded_elements.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include <map>

namespace {

// How many pixels thick the long level lines of a picture are: measured down from the top of
// every run of ink at least 20 pixels long, each weight with the number of lines showing it.
std::map<int, int> levelLineWeights(const QString& path)
{
    const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
    const auto ink = [&](int x, int y) {
        const QRgb c = image.pixel(x, y);
        return qRed(c) + qGreen(c) + qBlue(c) < 3 * 128;
    };
    std::map<int, int> weights;
    for (int y = 1; y + 1 < image.height(); ++y)
        for (int x = 0; x < image.width();) {
            int end = x;
            while (end < image.width() && ink(end, y))
                ++end;
            // the top row of a line, a third of the way along (clear of a centre line across its middle)
            const int middle = x + (end - x) / 3;
            if (end - x >= 20 && !ink(middle, y - 1)) {
                int weight = 0;
                while (y + weight < image.height() && ink(middle, y + weight))
                    ++weight;
                ++weights[weight];
            }
            x = end + 1;
        }
    return weights;
}

void expectDecodes(const std::string& path, const std::string& where)
{
    ASSERT_FALSE(path.empty()) << where << " names no picture";
    QImageReader reader(QString::fromStdString(path));
    EXPECT_FALSE(reader.read().isNull()) << where << ": " << path << " does not decode";
}

void checkProgram(const quiz::Project& project, bool windowPictures)
{
    for (int n = 1; n <= quiz::kWindows; ++n) {
        const forms::Layout& l = project.layouts[static_cast<std::size_t>(n - 1)];
        const std::string name = project.name.toStdString() + " " + l.window.name;
        const bool page = n >= 2 && n <= 33;
        if (windowPictures && page)
            expectDecodes(l.window.picture, name);
        const bool noIcon = n == 34 || (windowPictures && n == 15);
        if (noIcon)
            EXPECT_TRUE(l.window.icon.empty()) << name;
        else
            expectDecodes(l.window.icon, name + " icon");
        for (const auto& c : l.controls)
            if (c.kind == forms::Kind::PictureBox)
                expectDecodes(c.picture, name + "." + c.name);
    }
}

}  // namespace

TEST(PicturesNamed, Pellmora) { checkProgram(missing_view::project(), true); }

TEST(PicturesNamed, Exercices) { checkProgram(threaded_elements::project(), false); }

TEST(PicturesNamed, TheSharedCandidateIsTheSameFileInBothPrograms)
{
    QFile pellmora(QStringLiteral(":/missing-view/V18.jpg"));
    QFile exercices(QStringLiteral(":/threaded-elements/V18.jpg"));
    ASSERT_TRUE(pellmora.open(QIODevice::ReadOnly));
    ASSERT_TRUE(exercices.open(QIODevice::ReadOnly));
    EXPECT_EQ(pellmora.readAll(), exercices.readAll());
}

// On page 8 of exercices the shared candidate stands beside two drawings of that program: its
// visible edges have the weight of their thick lines.
TEST(PicturesNamed, TheSharedCandidateHasTheEdgeWeightOfItsNeighbours)
{
    const std::map<int, int> shared = levelLineWeights(QStringLiteral(":/threaded-elements/V18.jpg"));
    ASSERT_FALSE(shared.empty());
    EXPECT_EQ(shared.size(), 1u) << "one weight for every edge";
    for (const char* neighbour : {":/threaded-elements/hex-screw-thread-drawn.jpg", ":/threaded-elements/hex-screw-two-views.jpg"}) {
        const std::map<int, int> theirs = levelLineWeights(QString::fromLatin1(neighbour));
        ASSERT_FALSE(theirs.empty()) << neighbour;
        EXPECT_EQ(shared.rbegin()->first, theirs.rbegin()->first) << neighbour << ": the thick lines";
    }
}
