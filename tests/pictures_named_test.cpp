// Every window and box that shows a picture or an icon names one that the program
// embeds and that decodes: a picture that is missing is a fault, never a blank.

#include "missing-view/missing_view.h"
#include "threaded-elements/threaded_elements.h"

#include <QFile>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

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
