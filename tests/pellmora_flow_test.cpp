// The whole road of a Pellmora pass, driven by real clicks: start, "Débuter",
// aid pages and usage marks, "Valider", close boxes, the grader and its message.

#include "missing-view/missing_view.h"
#include "qt_printers.h"
#include "quiz_driver.h"
#include "grade_table.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <clocale>

using testing_support::QuizDriver;
using quiz::aidPage;
using quiz::exercisePage;

namespace {

constexpr int kSummary = 34;

using testing_support::range;

std::vector<int> rightOn(const std::set<int>& pages) { return testing_support::rightOn(missing_view::answerKey(), pages); }
std::vector<int> allRight() { return rightOn(range(1, 16)); }

class PellmoraFlow : public ::testing::Test {
protected:
    PellmoraFlow() : driver(missing_view::project()) { driver.start(); }
    QuizDriver driver;
};

}  // namespace

TEST_F(PellmoraFlow, StartShowsOnlyTheStartWindowWithDebuterFocused)
{
    EXPECT_TRUE(driver.visible(1));
    for (int n = 2; n <= 34; ++n)
        EXPECT_FALSE(driver.runtime().hasInstance(n)) << "Form" << n;
    QWidget* form1 = driver.runtime().startWindow().widget();
    EXPECT_EQ(form1->size(), QSize(320, 159));
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Exercices de dessin industriel"));
    EXPECT_EQ(form1->focusWidget()->objectName(), QStringLiteral("Command1"));
}

TEST_F(PellmoraFlow, TheFocusedDebuterAnswersEnterAndItsTextIsInHighlight)
{
    QWidget* form1 = driver.runtime().startWindow().widget();
    QTest::keyClick(form1->focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(driver.visible(2));
    // The instruction is drawn in the Highlight colour.
    const QImage shot = form1->grab().toImage();
    bool highlight = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < shot.width(); ++x)
            highlight = highlight || shot.pixelColor(x, y) == form1->palette().color(QPalette::Highlight);
    EXPECT_TRUE(highlight);
}

TEST_F(PellmoraFlow, DebuterCreatesTheSummaryHiddenAndShowsPageOne)
{
    driver.click(1, "Command1");
    ASSERT_TRUE(driver.runtime().hasInstance(kSummary));
    EXPECT_TRUE(driver.runtime().ensure(kSummary).loaded());
    EXPECT_FALSE(driver.visible(kSummary));
    EXPECT_TRUE(driver.ticked().empty());
    EXPECT_TRUE(driver.visible(2));
    EXPECT_TRUE(driver.visible(1));
    EXPECT_EQ(driver.runtime().ensure(2).widget()->focusWidget()->objectName(), QStringLiteral("Command1"));
    EXPECT_EQ(driver.runtime().ensure(kSummary).widget()->focusWidget()->objectName(), QStringLiteral("Check1"));
}

TEST_F(PellmoraFlow, AidButtonShowsItsPageAndTicksOnce)
{
    driver.click(1, "Command1");
    driver.click(2, "Command1");
    driver.click(2, "Command1");
    EXPECT_TRUE(driver.visible(3));
    EXPECT_EQ(driver.ticked(), std::set<int>{1});
    EXPECT_FALSE(driver.visible(kSummary));
}

TEST_F(PellmoraFlow, ValiderHidesPageAndAidPageAndShowsTheNext)
{
    driver.click(1, "Command1");
    driver.click(2, "Command1");
    driver.click(2, "Command2");  // nothing selected: leads on all the same
    EXPECT_FALSE(driver.visible(2));
    EXPECT_FALSE(driver.visible(3));
    EXPECT_TRUE(driver.visible(4));
    // Valider without the aid button still loads the aid page, hidden.
    driver.click(4, "Command2");
    EXPECT_TRUE(driver.runtime().ensure(5).loaded());
    EXPECT_FALSE(driver.visible(5));
    EXPECT_EQ(driver.ticked(), std::set<int>{1});
}

TEST_F(PellmoraFlow, OptionsExcludeEachOtherAndSurviveHiding)
{
    driver.click(1, "Command1");
    driver.select(1, 2);
    driver.select(1, 3);
    driver.click(2, "Command2");
    driver.click(1, "Command1");  // page 1 again, its choice kept
    QWidget* page = driver.runtime().ensure(2).widget();
    EXPECT_FALSE(page->findChild<QAbstractButton*>("Option2")->isChecked());
    EXPECT_TRUE(page->findChild<QAbstractButton*>("Option3")->isChecked());
}

TEST_F(PellmoraFlow, DebuterInTheMiddleOfAPassClearsMarksOnly)
{
    driver.click(1, "Command1");
    driver.select(1, 1);
    driver.click(2, "Command1");
    driver.click(2, "Command2");
    driver.click(4, "Command1");  // aid page 2, on screen
    driver.click(1, "Command1");
    EXPECT_TRUE(driver.ticked().empty());
    EXPECT_TRUE(driver.visible(4));  // page 2 stays and keeps working
    EXPECT_TRUE(driver.visible(5));
    EXPECT_TRUE(driver.visible(2));
    EXPECT_TRUE(driver.runtime().ensure(2).widget()->findChild<QAbstractButton*>("Option1")->isChecked());
    driver.click(4, "Command2");
    EXPECT_TRUE(driver.visible(6));
    EXPECT_TRUE(driver.visible(2));
}

TEST_F(PellmoraFlow, CloseBoxUnloadsAPageThatComesBackCleared)
{
    driver.click(1, "Command1");
    driver.select(1, 1);
    driver.close(2);
    EXPECT_TRUE(driver.runtime().hasInstance(2));
    EXPECT_FALSE(driver.runtime().ensure(2).loaded());
    EXPECT_FALSE(driver.endedWith);
    driver.click(1, "Command1");
    QWidget* page = driver.runtime().ensure(2).widget();
    for (const char* option : {"Option1", "Option2", "Option3"})
        EXPECT_FALSE(page->findChild<QAbstractButton*>(option)->isChecked());
}

TEST_F(PellmoraFlow, ALateCloseRequestLeavesAReloadedPageAlone)
{
    driver.click(1, "Command1");
    QPointer<QWidget> old = driver.runtime().ensure(2).widget();
    old->close();
    QCloseEvent again;  // a second request, say a double click on the close box
    QApplication::sendEvent(old, &again);
    EXPECT_FALSE(driver.runtime().ensure(2).loaded());
    // Page 1 loaded afresh while the old widget is still on its way out.
    driver.runtime().run([this] { driver.runtime().ensure(2).show(); });
    ASSERT_TRUE(old);
    QCloseEvent late;
    QApplication::sendEvent(old, &late);
    EXPECT_TRUE(driver.runtime().ensure(2).loaded());
    EXPECT_TRUE(driver.visible(2));
    driver.processEvents();
    EXPECT_FALSE(old);
    EXPECT_TRUE(driver.visible(2));
}

TEST_F(PellmoraFlow, ClosedAidPageKeepsItsMarkAndValiderReloadsItHidden)
{
    driver.click(1, "Command1");
    driver.click(2, "Command1");
    driver.close(3);
    EXPECT_FALSE(driver.runtime().ensure(3).loaded());
    EXPECT_EQ(driver.ticked(), std::set<int>{1});
    driver.click(2, "Command2");
    EXPECT_TRUE(driver.runtime().ensure(3).loaded());
    EXPECT_FALSE(driver.visible(3));
    EXPECT_TRUE(driver.visible(4));
}

TEST_F(PellmoraFlow, ClosingTheStartWindowEndsTheProgram)
{
    driver.click(1, "Command1");
    driver.click(2, "Command1");
    driver.close(1);
    EXPECT_EQ(driver.endedWith, 0);
    EXPECT_TRUE(driver.messages.empty());
}

// A window manager may offer a minimise button whatever the windows ask for: a window the
// student minimised must not stay iconic when the program shows it again.
TEST_F(PellmoraFlow, AMinimisedWindowComesBackWhenShown)
{
    auto minimised = [this](int n) { return driver.runtime().ensure(n).widget()->isMinimized(); };
    driver.click(1, "Command1");
    driver.click(2, "Command1");
    driver.runtime().ensure(3).widget()->showMinimized();
    driver.click(1, "Command1");  // marks cleared
    driver.click(2, "Command1");  // aid page 1 asked for again
    EXPECT_FALSE(minimised(3));
    EXPECT_TRUE(driver.visible(3));
    EXPECT_EQ(driver.ticked(), std::set<int>{1});

    driver.runtime().ensure(2).widget()->showMinimized();
    driver.click(1, "Command1");  // "Débuter" shows page 1 again
    EXPECT_FALSE(minimised(2));
    EXPECT_TRUE(driver.visible(2));

    // The summary minimised while the result is up, then hidden by the grader, comes back
    // restored at the next grading.
    std::vector<bool> summaryMinimised;
    auto record = driver.runtime().messageBoxHook;
    driver.runtime().messageBoxHook = [&](const QString& text, forms::MessageStyle style, const QString& title) {
        QWidget* summary = driver.runtime().ensure(kSummary).widget();
        summaryMinimised.push_back(summary->isMinimized());
        summary->showMinimized();
        record(text, style, title);
    };
    driver.pass(allRight());
    driver.pass(allRight());
    ASSERT_EQ(driver.messages.size(), 2u);
    EXPECT_EQ(summaryMinimised, (std::vector<bool>{false, false}));
    EXPECT_TRUE(driver.messages[1].summaryShown);
    EXPECT_FALSE(driver.visible(kSummary));
}

TEST_F(PellmoraFlow, TheGraderShowsTheSummaryWithTheResultThenHidesIt)
{
    driver.pass(allRight(), {3, 7});
    ASSERT_EQ(driver.messages.size(), 1u);
    const auto& m = driver.messages[0];
    EXPECT_TRUE(m.summaryShown);
    EXPECT_EQ(m.ticked, (std::set<int>{3, 7}));
    EXPECT_EQ(m.visible, (std::set<int>{1, kSummary}));
    EXPECT_EQ(m.title, QStringLiteral("Résultat"));
    EXPECT_FALSE(driver.visible(kSummary));
    EXPECT_FALSE(driver.visible(32));
    EXPECT_FALSE(driver.visible(33));
    EXPECT_EQ(driver.ticked(), (std::set<int>{3, 7}));  // the grader clears nothing
}

TEST_F(PellmoraFlow, AidPagesOpenedBeforeDebuterCostNothing)
{
    driver.click(1, "Command1");
    driver.click(2, "Command1");
    driver.pass(allRight());
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_TRUE(driver.messages[0].text.startsWith(QStringLiteral("Note : 20/20")));
}

TEST_F(PellmoraFlow, AClosedAnsweredPageScoresNothingAtGrading)
{
    driver.click(1, "Command1");
    driver.select(1, 1);               // right on page 1
    driver.click(1, "Command1");       // page 1 stays on screen
    driver.close(2);                   // and is closed with its answer
    driver.click(1, "Command1");       // shown again, empty
    driver.click(2, "Command2");
    std::vector<int> choices = allRight();
    for (int n = 2; n <= 16; ++n) {
        driver.select(n, choices[static_cast<std::size_t>(n - 1)]);
        driver.click(exercisePage(n), "Command2");
    }
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_TRUE(driver.messages[0].text.startsWith(QStringLiteral("Note : 19/20"))) << driver.messages[0].text.toStdString();
}

TEST_F(PellmoraFlow, TwoChainsGradeTwiceWithTheSameMarks)
{
    driver.click(1, "Command1");
    driver.click(2, "Command1");               // mark 1
    driver.click(2, "Command2");               // page 2 on screen
    driver.click(1, "Command1");               // marks cleared; page 1 again beside page 2
    driver.click(2, "Command1");               // mark 1 again
    for (int n = 2; n <= 16; ++n)
        driver.click(exercisePage(n), "Command2");  // the chain from page 2 reaches the grader first
    ASSERT_TRUE(driver.visible(2));
    for (int n = 1; n <= 16; ++n)
        driver.click(exercisePage(n), "Command2");  // then the chain from page 1
    ASSERT_EQ(driver.messages.size(), 2u);
    EXPECT_EQ(driver.messages[0].ticked, std::set<int>{1});
    EXPECT_EQ(driver.messages[1].ticked, std::set<int>{1});
}

// --- The grade table, printed under French settings ---------------------

using testing_support::GradeRow;

class PellmoraGrades : public ::testing::TestWithParam<GradeRow> {};

TEST_P(PellmoraGrades, PassGivesItsResultMessage) { testing_support::expectResult(missing_view::project(), GetParam()); }

namespace {
using testing_support::kAbove15;
using testing_support::kBelow10;
using testing_support::kMiddle;
using testing_support::kPerfect;
std::set<int> allBut(int n)
{
    std::set<int> s = range(1, 16);
    s.erase(n);
    return s;
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Table, PellmoraGrades,
    ::testing::Values(
        GradeRow{"allRight", allRight(), {}, "20", kPerfect},
        GradeRow{"aid1", allRight(), {1}, "19,25", kAbove15},
        GradeRow{"aids14to16", allRight(), range(14, 16), "15,5", kAbove15},
        GradeRow{"aids13to16", allRight(), range(13, 16), "14,75", kMiddle},
        GradeRow{"aids1to4FractionalWhole", allRight(), range(1, 4), "17", kAbove15},
        GradeRow{"only1to8", rightOn(range(1, 8)), {}, "8", kBelow10},
        GradeRow{"only9to12", rightOn(range(9, 12)), {}, "8", kBelow10},
        GradeRow{"only1to10", rightOn(range(1, 10)), {}, "12", kMiddle},
        GradeRow{"nothingSelected", std::vector<int>(16, 0), {}, "0", kBelow10},
        GradeRow{"noneRightAllAids", rightOn({}), range(1, 16), "-14,25", kBelow10},
        GradeRow{"exactly15", rightOn(allBut(9)), {14, 15}, "15", kMiddle},
        GradeRow{"just15Point25", rightOn(allBut(1)), range(1, 5), "15,25", kAbove15},
        GradeRow{"exactly10", rightOn(range(1, 9)), {}, "10", kMiddle},
        GradeRow{"just9Point75", rightOn(range(1, 10)), range(1, 3), "9,75", kBelow10},
        GradeRow{"exercise14RightWithItsAid", rightOn({14}), {14}, "-0,5", kBelow10}),
    [](const auto& row) { return std::string(row.param.name); });

// Run by ctest under French, English and Pashto regional settings (see tests/CMakeLists.txt),
// with the C library's locale really set to them, as QApplication does from the environment.
TEST(RegionalSettings, TheGradeTakesTheUserDecimalSeparator)
{
    const QByteArray expected = qgetenv("KORVESSA_EXPECTED_GRADE");
    if (expected.isEmpty())
        GTEST_SKIP() << "run with LC_ALL set and KORVESSA_EXPECTED_GRADE";
    const QByteArray locale = qgetenv("LC_ALL");
    ASSERT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), locale.toStdString())
        << "the C library did not take " << locale.toStdString() << ": is it installed? (scripts/install-deps.sh)";
    QuizDriver driver(missing_view::project());
    driver.start();
    driver.pass(allRight(), {1});
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_TRUE(driver.messages[0].text.startsWith(QStringLiteral("Note : ") + QString::fromUtf8(expected) + QStringLiteral("/20")))
        << driver.messages[0].text.toStdString();
}

TEST_F(PellmoraFlow, WindowsCarryTheirIcons)
{
    driver.click(1, "Command1");
    for (int n = 1; n <= 7; ++n) {
        driver.click(exercisePage(n), "Command1");
        driver.click(exercisePage(n), "Command2");
    }
    auto icon = [&](int n) { return (n == 1 ? driver.runtime().startWindow() : driver.runtime().ensure(n)).widget()->windowIcon(); };
    EXPECT_FALSE(icon(1).isNull());
    EXPECT_FALSE(icon(3).isNull());
    EXPECT_TRUE(icon(15).isNull());  // aid page 7 has none
    EXPECT_TRUE(icon(34).isNull());
    // Of the exercise icon's three 32 x 32 images, the first (red mark on white) stands.
    const QImage badge = icon(2).pixmap(32, 32).toImage();
    bool red = false;
    for (int y = 0; y < badge.height(); ++y)
        for (int x = 0; x < badge.width(); ++x)
            red = red || (badge.pixelColor(x, y).red() > 200 && badge.pixelColor(x, y).green() < 60);
    EXPECT_TRUE(red);
}
