// exercices on the shared engine: its grade table with whole and fractional
// penalties, the stacking that its pages rely on, and how much of each aid text shows.

#include "exercices_pages.h"
#include "missing-view/missing_view.h"
#include "qt_printers.h"
#include "quiz_driver.h"
#include "grade_table.h"
#include "threaded-elements/threaded_elements.h"

#include "forms/widgets.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

using exercices_testing::page;
using testing_support::QuizDriver;

namespace {

using testing_support::range;

// Right on the given exercises, a wrong option elsewhere.
std::vector<int> rightOn(const std::set<int>& exercises)
{
    return testing_support::rightOn(threaded_elements::answerKey(), exercises);
}

std::set<int> join(std::set<int> a, const std::set<int>& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

using testing_support::kAbove15;
using testing_support::kBelow10;
using testing_support::kMiddle;
using testing_support::kPerfect;

}  // namespace

using testing_support::GradeRow;

class ExercicesGrades : public ::testing::TestWithParam<GradeRow> {};

TEST_P(ExercicesGrades, PassGivesItsResultMessage) { testing_support::expectResult(threaded_elements::project(), GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Table, ExercicesGrades,
    ::testing::Values(
        GradeRow{"allRight", rightOn(range(1, 16)), {}, "20", kPerfect},
        GradeRow{"aid13IsWhole", rightOn(range(1, 16)), {13}, "19", kAbove15},
        GradeRow{"aid1", rightOn(range(1, 16)), {1}, "19,25", kAbove15},
        GradeRow{"aids13to16", rightOn(range(1, 16)), range(13, 16), "16", kAbove15},
        GradeRow{"aids1to4", rightOn(range(1, 16)), range(1, 4), "17", kAbove15},
        GradeRow{"allAids", rightOn(range(1, 16)), range(1, 16), "7", kBelow10},
        GradeRow{"only1to12", rightOn(range(1, 12)), {}, "12", kMiddle},
        GradeRow{"only1to12Aids1to3", rightOn(range(1, 12)), range(1, 3), "9,75", kBelow10},
        GradeRow{"twoOf13to16Aid14", rightOn(join(range(1, 12), {13, 14})), {14}, "15", kMiddle},
        GradeRow{"twoOf13to16Aid2", rightOn(join(range(1, 12), {13, 14})), {2}, "15,25", kAbove15},
        GradeRow{"only13to16", rightOn(range(13, 16)), {}, "8", kBelow10},
        GradeRow{"option1Everywhere", std::vector<int>(16, 1), {}, "7", kBelow10},
        GradeRow{"option2Everywhere", std::vector<int>(16, 2), {}, "8", kBelow10},
        GradeRow{"option3Everywhere", std::vector<int>(16, 3), {}, "5", kBelow10},
        GradeRow{"nothingSelected", std::vector<int>(16, 0), {}, "0", kBelow10},
        GradeRow{"noneRightAllAids", rightOn({}), range(1, 16), "-13", kBelow10}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Exercices, TheSameSelectionsScoreDifferentlyInTheTwoPrograms)
{
    QuizDriver exercices(threaded_elements::project());
    QuizDriver pellmora(missing_view::project());
    for (QuizDriver* d : {&exercices, &pellmora}) {
        d->start();
        d->pass(std::vector<int>(16, 1));
        ASSERT_EQ(d->messages.size(), 1u);
    }
    EXPECT_TRUE(exercices.messages[0].text.startsWith(QStringLiteral("Note : 7/20")));
    EXPECT_TRUE(pellmora.messages[0].text.startsWith(QStringLiteral("Note : 8/20")));
    // The same windows in the same order, but for their texts.
    EXPECT_EQ(exercices.messages[0].visible, pellmora.messages[0].visible);
}

class ExercicesPage : public ::testing::Test {
protected:
    ExercicesPage() : driver(threaded_elements::project()) { driver.start(); }
    QuizDriver driver;
};

TEST_F(ExercicesPage, BoxesStoredBeforeTheirOptionsCoverTheOptionsLowestRow)
{
    struct Case {
        int page;
        const char* option;
        const char* box;
    };
    for (const Case& c : {Case{11, "Option3", "Picture2"}, Case{12, "Option1", "Picture3"}, Case{12, "Option3", "Picture2"}}) {
        QuizDriver d(threaded_elements::project());
        d.start();
        QWidget* w = page(d, c.page);
        QWidget* option = w->findChild<QWidget*>(c.option);
        QWidget* box = w->findChild<QWidget*>(c.box);
        const int lowest = option->geometry().bottom();
        ASSERT_EQ(box->geometry().top(), lowest) << c.page << c.option;
        EXPECT_EQ(w->childAt(option->x() + 30, lowest), box) << c.page << c.option;
        EXPECT_EQ(w->childAt(option->x() + 30, lowest - 1), option) << c.page << c.option;
    }
}

TEST_F(ExercicesPage, AnOptionStoredBeforeItsBoxIsInFrontAndTakesTheClick)
{
    QWidget* w = page(driver, 2);  // "Réponse a" lies on Picture3
    QWidget* option = w->findChild<QWidget*>("Option1");
    EXPECT_EQ(w->childAt(option->geometry().center()), option);
    driver.select(2, 1);
    EXPECT_TRUE(static_cast<QAbstractButton*>(option)->isChecked());
}

TEST_F(ExercicesPage, LinesCrossingTheQuestionAreDrawnInFrontOfIt)
{
    for (int n : {9, 10, 15, 16}) {
        QuizDriver d(threaded_elements::project());
        d.start();
        QWidget* w = page(d, n);
        QWidget* line = w->findChild<QWidget*>("Line1");
        QWidget* question = w->findChild<QWidget*>("Label1");
        ASSERT_TRUE(question->geometry().intersects(line->geometry())) << n;
        const QImage shot = w->grab().toImage();
        // Whole: every pixel of the line where it crosses the question's rectangle.
        const QRect across = question->geometry().intersected(line->geometry());
        int hidden = 0;
        for (int x = across.left(); x <= across.right(); ++x)
            hidden += shot.pixelColor(x, line->y()) != w->palette().color(QPalette::WindowText);
        EXPECT_EQ(hidden, 0) << "page " << n << ": pixels of the line hidden by the question";
    }
}

TEST_F(ExercicesPage, PageSevenAsksItsQuestionInLabel2AndItsButtonsCoverIt)
{
    QWidget* w = page(driver, 7);
    EXPECT_EQ(w->findChild<QWidget*>("Label1"), nullptr);
    QWidget* question = w->findChild<QWidget*>("Label2");
    ASSERT_NE(question, nullptr);
    QWidget* command1 = w->findChild<QWidget*>("Command1");
    EXPECT_EQ(w->childAt(command1->x(), command1->y() + 5), command1);
    EXPECT_TRUE(question->geometry().contains(command1->x(), command1->y() + 5));
}

namespace {

// One line of a wrapped label text, in the label's pixels.
struct TextLine {
    QString text;
    int top, height;
    int left, width;
};

// The lines of a label as it draws them: wrapped at word boundaries to its width, each
// centred, one under the other from its top.
std::vector<TextLine> wrappedLines(const forms::Label& label)
{
    QTextLayout layout(label.text(), label.font());
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const QFontMetricsF metrics(label.font());
    std::vector<TextLine> lines;
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label.width());
        y = std::ceil(y + metrics.leading());
        const int width = static_cast<int>(std::ceil(line.naturalTextWidth()));
        lines.push_back({label.text().mid(line.textStart(), line.textLength()).trimmed(), static_cast<int>(y),
                         static_cast<int>(std::ceil(line.height())), (label.width() - width) / 2, width});
        y += line.height();
    }
    layout.endLayout();
    return lines;
}

}  // namespace

// How much of each aid text the student sees: the label's text laid out with its font
// and width, cut by the label's height and by the window's lower and right edges.
TEST(ExercicesAidTexts, EveryTextShowsAtLeastItsFirstLineWhole)
{
    QuizDriver driver(threaded_elements::project());
    for (int n = 1; n <= quiz::kExercises; ++n) {
        forms::Window& window = driver.runtime().ensure(quiz::aidPage(n));
        driver.runtime().run([&window] { window.hide(); });  // loads it unseen
        QWidget* w = window.widget();
        const auto* label = w->findChild<forms::Label*>(QStringLiteral("Label1"));
        ASSERT_NE(label, nullptr) << n;
        const QRect shown = label->geometry().intersected(w->rect());
        const std::vector<TextLine> lines = wrappedLines(*label);
        ASSERT_FALSE(lines.empty()) << n;
        // The same lines as the label paints.
        EXPECT_EQ(lines.back().top + lines.back().height,
                  QFontMetrics(label->font()).boundingRect(label->rect(), label->textFlags(), label->text()).height())
            << n;

        std::cout << "aid page " << n << " (window " << w->width() << " x " << w->height() << " px, label "
                  << label->width() << " x " << label->height() << " px at " << label->x() << "), "
                  << lines.size() << " line(s):\n";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const TextLine& l = lines[i];
            const int bottomShown = shown.bottom() - label->y() + 1;  // label rows in view
            const int rightShown = shown.right() - label->x() + 1;    // label columns in view
            std::cout << "  " << i + 1 << ". \"" << l.text.toStdString() << "\", rows " << l.top << "-"
                      << l.top + l.height - 1 << ", columns " << l.left << "-" << l.left + l.width - 1 << ": ";
            if (l.top + l.height <= bottomShown)
                std::cout << "whole height";
            else if (l.top < bottomShown)
                std::cout << "cut at the lower edge, top " << bottomShown - l.top << " of " << l.height << " px show";
            else
                std::cout << "below the lower edge, not seen";
            if (l.left + l.width > rightShown)
                std::cout << "; its last " << l.left + l.width - rightShown << " px beyond the right edge";
            std::cout << "\n";
        }
        EXPECT_LE(lines[0].top + lines[0].height, shown.height()) << "aid page " << n << ": first line cut";
        EXPECT_LE(lines[0].left + lines[0].width, shown.width()) << "aid page " << n << ": first line cut";
    }
}
