// exercices on the shared engine: its grade table with whole and fractional
// penalties, the stacking that its pages rely on, and every line of each aid text shown whole.

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

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>

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

// One line of a wrapped label text, in the label's pixels: the band of rows the layout gives
// it, and the columns its glyphs ink when the label paints it.
struct TextLine {
    QString text;
    int top, height;
    int inkLeft = std::numeric_limits<int>::max(), inkRight = std::numeric_limits<int>::min();
};

// The lines of a label as its text is laid out to be drawn: wrapped at word boundaries to
// its width, each line on a whole pixel below the one above, the font's leading between.
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
        lines.push_back({label.text().mid(line.textStart(), line.textLength()).trimmed(), static_cast<int>(y),
                         static_cast<int>(std::ceil(line.height()))});
        y += line.height();
    }
    layout.endLayout();
    return lines;
}

// Paints the label's text as the label does, but on a label as tall as its whole text, and
// gives each line the columns it inks. Returns the inked pixels that fall in no line's band.
int inkLines(const forms::Label& label, std::vector<TextLine>& lines)
{
    forms::Label whole(label.text(), forms::Alignment::Centre, false, nullptr);
    EXPECT_EQ(whole.textFlags(), label.textFlags());
    whole.setFont(label.font());
    whole.resize(label.width(), lines.back().top + lines.back().height + 20);
    const QImage painted = whole.grab().toImage();
    const QRgb ground = whole.palette().color(QPalette::Window).rgb();
    int stray = 0;
    for (int y = 0; y < painted.height(); ++y) {
        auto line = std::find_if(lines.begin(), lines.end(),
                                 [y](const TextLine& l) { return y >= l.top && y < l.top + l.height; });
        for (int x = 0; x < painted.width(); ++x) {
            if (painted.pixel(x, y) == ground)
                continue;
            if (line == lines.end()) {
                ++stray;
                continue;
            }
            line->inkLeft = std::min(line->inkLeft, x);
            line->inkRight = std::max(line->inkRight, x);
        }
    }
    return stray;
}

}  // namespace

// Every line of every aid text shows whole: its band of rows above the lower edge of what the
// student sees of the label (the label cut by its window's client area), its ink within the
// columns seen. The lines are those the label draws: their total height is the label's text
// height as Qt measures it with the label's flags, and the label's own painting inks nowhere
// else.
TEST(ExercicesAidTexts, EveryLineOfEveryTextShowsWholeInsideItsWindow)
{
    QuizDriver driver(threaded_elements::project());
    for (int n = 1; n <= quiz::kExercises; ++n) {
        forms::Window& window = driver.runtime().ensure(quiz::aidPage(n));
        driver.runtime().run([&window] { window.hide(); });  // loads it unseen
        QWidget* w = window.widget();
        const auto* label = w->findChild<forms::Label*>(QStringLiteral("Label1"));
        ASSERT_NE(label, nullptr) << n;
        std::vector<TextLine> lines = wrappedLines(*label);
        ASSERT_FALSE(lines.empty()) << n;
        EXPECT_EQ(lines.back().top + lines.back().height,
                  QFontMetrics(label->font()).boundingRect(label->rect(), label->textFlags(), label->text()).height())
            << n;
        EXPECT_EQ(inkLines(*label, lines), 0) << "aid page " << n << ": ink outside the lines laid out";

        // What the student sees of the label, in the label's own pixels.
        const QRect seen = label->geometry().intersected(w->rect()).translated(-label->pos());
        std::cout << "aid page " << n << " (window " << w->width() << " x " << w->height() << " px, label "
                  << label->width() << " x " << label->height() << " px at " << label->x() << ", seen columns "
                  << seen.left() << "-" << seen.right() << ", rows " << seen.top() << "-" << seen.bottom() << "):\n";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const TextLine& l = lines[i];
            std::cout << "  " << i + 1 << ". \"" << l.text.toStdString() << "\", rows " << l.top << "-"
                      << l.top + l.height - 1 << ", ink columns " << l.inkLeft << "-" << l.inkRight << ": "
                      << seen.bottom() - (l.top + l.height - 1) << " px to spare below, "
                      << std::min(l.inkLeft - seen.left(), seen.right() - l.inkRight) << " at the nearer side\n";
            ASSERT_LE(l.inkLeft, l.inkRight) << "aid page " << n << ", line " << i + 1 << " inks nothing";
            EXPECT_LE(l.top + l.height - 1, seen.bottom())
                << "aid page " << n << ", line " << i + 1 << " cut at the bottom";
            EXPECT_GE(l.inkLeft, seen.left()) << "aid page " << n << ", line " << i + 1 << " cut at the left";
            EXPECT_LE(l.inkRight, seen.right()) << "aid page " << n << ", line " << i + 1 << " cut at the right";
        }
    }
}
