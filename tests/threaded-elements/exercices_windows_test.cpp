// The windows of exercices as the student meets them: on every exercise page what
// is in front where controls overlap and what a click there does; the aid page that
// each aid button opens; the usage summary shown with the result.

#include "exercices_pages.h"
#include "qt_printers.h"
#include "quiz_driver.h"
#include "threaded-elements/threaded_elements.h"

#include "forms/widgets.h"

#include <QAbstractButton>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>
#include <string>

using exercices_testing::page;
using testing_support::QuizDriver;

namespace {

QString optionName(int k) { return QStringLiteral("Option%1").arg(k); }

// The options that reach one pixel row onto a box stored before them: there the box
// is in front on the option's lowest row.
bool lowestRowUnderABox(int page, const QString& option)
{
    return (page == 11 && option == QLatin1String("Option3")) ||
           (page == 12 && (option == QLatin1String("Option1") || option == QLatin1String("Option3")));
}

// A point of the widget where it is in front, the centre if it is there.
std::optional<QPoint> wherePicked(QWidget* window, QWidget* widget)
{
    const QRect g = widget->geometry();
    if (window->childAt(g.center()) == widget)
        return g.center();
    for (int y = g.top(); y <= g.bottom(); y += 4)
        for (int x = g.left(); x <= g.right(); x += 4)
            if (window->childAt(x, y) == widget)
                return QPoint(x, y);
    return std::nullopt;
}

}  // namespace

class ExercicesEveryPage : public ::testing::TestWithParam<int> {
protected:
    ExercicesEveryPage() : driver(threaded_elements::project())
    {
        driver.start();
        window = page(driver, GetParam());
    }

    QAbstractButton* option(int k) const { return window->findChild<QAbstractButton*>(optionName(k)); }
    QWidget* named(const char* name) const { return window->findChild<QWidget*>(QString::fromLatin1(name)); }
    std::vector<int> selected() const
    {
        std::vector<int> on;
        for (int k = 1; k <= 3; ++k)
            if (option(k)->isChecked())
                on.push_back(k);
        return on;
    }
    void clickAt(QPoint at) { QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at); }

    QuizDriver driver;
    QWidget* window = nullptr;
};

TEST_P(ExercicesEveryPage, OptionsAreInFrontOverTheirWholeHeightButWhereABoxStoredFirstTakesTheLowestRow)
{
    for (int k = 1; k <= 3; ++k) {
        QAbstractButton* o = option(k);
        ASSERT_NE(o, nullptr) << k;
        const QRect g = o->geometry();
        std::string wrong;
        for (int x : {g.left() + 2, g.center().x(), g.right() - 2})
            for (int y = g.top(); y <= g.bottom(); ++y) {
                QWidget* at = window->childAt(x, y);
                const bool underBox = y == g.bottom() && lowestRowUnderABox(GetParam(), o->objectName());
                const bool right = underBox ? qobject_cast<forms::PictureBox*>(at) != nullptr : at == o;
                if (!right)
                    wrong += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
            }
        EXPECT_EQ(wrong, "") << o->objectName().toStdString() << ": wrong widget in front at";
    }
}

TEST_P(ExercicesEveryPage, ValiderCoversTheLowestRowOfTheAidButton)
{
    QWidget* aide = named("Command1");
    QWidget* valider = named("Command2");
    const int x = aide->geometry().center().x();
    EXPECT_EQ(window->childAt(x, aide->geometry().bottom()), valider);
    EXPECT_EQ(window->childAt(x, aide->geometry().bottom() - 1), aide);
}

TEST_P(ExercicesEveryPage, AClickOnAPictureSelectsNothing)
{
    int boxes = 0;
    for (auto* box : window->findChildren<forms::PictureBox*>()) {
        const std::optional<QPoint> at = wherePicked(window, box);
        ASSERT_TRUE(at) << box->objectName().toStdString() << " is nowhere in front";
        clickAt(*at);
        EXPECT_EQ(selected(), std::vector<int>{}) << "after a click on " << box->objectName().toStdString();
        ++boxes;
    }
    EXPECT_GE(boxes, 3);
}

TEST_P(ExercicesEveryPage, EachOptionTakesItsClickAndClearsTheOthers)
{
    for (int k : {1, 2, 3, 1}) {
        driver.select(GetParam(), k);
        EXPECT_EQ(selected(), std::vector<int>{k});
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ExercicesEveryPage, ::testing::Range(1, 17),
                         [](const auto& c) { return "page" + std::to_string(c.param); });

// The question's right edge runs under the two buttons: by 15 twips on page 7, by 135 on
// page 15. Every column of that strip shows the buttons.
struct ButtonsOverQuestion {
    int page;
    const char* question;
    int columns;
};

class ExercicesButtonsOverTheQuestion : public ::testing::TestWithParam<ButtonsOverQuestion> {};

TEST_P(ExercicesButtonsOverTheQuestion, TheButtonsAreDrawnOverTheQuestionsRightEdge)
{
    const ButtonsOverQuestion& c = GetParam();
    QuizDriver driver(threaded_elements::project());
    driver.start();
    QWidget* w = page(driver, c.page);
    QWidget* question = w->findChild<QWidget*>(QString::fromLatin1(c.question));
    ASSERT_NE(question, nullptr);
    for (const char* name : {"Command1", "Command2"}) {
        QWidget* button = w->findChild<QWidget*>(QString::fromLatin1(name));
        const QRect strip = question->geometry().intersected(button->geometry());
        EXPECT_EQ(strip.width(), c.columns) << name;
        for (int x = strip.left(); x <= strip.right(); ++x)
            EXPECT_EQ(w->childAt(x, button->geometry().center().y()), button) << name << " column " << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ExercicesButtonsOverTheQuestion,
                         ::testing::Values(ButtonsOverQuestion{7, "Label2", 1}, ButtonsOverQuestion{15, "Label1", 9}),
                         [](const auto& c) { return "page" + std::to_string(c.param.page); });

TEST(ExercicesAidPages, EachAidButtonOpensItsOwnAidPageAndValiderHidesIt)
{
    QuizDriver driver(threaded_elements::project());
    driver.start();
    driver.click(1, "Command1");
    for (int n = 1; n <= quiz::kExercises; ++n) {
        driver.click(quiz::exercisePage(n), "Command1");
        ASSERT_TRUE(driver.visible(quiz::aidPage(n))) << n;
        QWidget* aid = driver.runtime().ensure(quiz::aidPage(n)).widget();
        EXPECT_EQ(aid->windowTitle(), QStringLiteral("Aide exercice %1").arg(n));
        EXPECT_EQ(driver.ticked().count(n), 1u) << n;
        driver.click(quiz::exercisePage(n), "Command2");
        EXPECT_FALSE(driver.visible(quiz::aidPage(n))) << n;
    }
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_EQ(driver.messages[0].ticked.size(), 16u);
}

TEST(ExercicesAidPages, TheSummaryShowsTheMarksCountedWhileTheResultIsUp)
{
    QuizDriver driver(threaded_elements::project());
    driver.start();
    driver.pass(std::vector<int>(16, 0), {2, 13});
    ASSERT_EQ(driver.messages.size(), 1u);
    const auto& m = driver.messages[0];
    EXPECT_TRUE(m.summaryShown);
    EXPECT_EQ(m.ticked, (std::set<int>{2, 13}));
    EXPECT_EQ(driver.runtime().ensure(quiz::kSummaryWindow).widget()->windowTitle(),
              QStringLiteral("Utilisation des aides"));
    EXPECT_FALSE(driver.visible(quiz::kSummaryWindow));  // hidden again once the message is closed
    // No answer, two aid pages: 0 - 0.75 - 1.
    EXPECT_TRUE(m.text.startsWith(QStringLiteral("Note : -1") + quiz::systemDecimalSeparator() + QStringLiteral("75/20")))
        << m.text.toStdString();
}
