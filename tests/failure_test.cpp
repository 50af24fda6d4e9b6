// A failing window or control operation ends the program after a report that
// names it; what the handler did before the failing step stays done.

#include "missing-view/missing_view.h"
#include "qt_printers.h"
#include "quiz_driver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <algorithm>
#include <functional>

using forms::Operation;
using testing_support::QuizDriver;

namespace {

struct Recorded {
    Operation::Kind kind;
    QString window, control;
};

// Runs `setup`, then records every operation of `act`.
std::vector<Recorded> operationsOf(const std::function<void(QuizDriver&)>& setup,
                                   const std::function<void(QuizDriver&)>& act)
{
    QuizDriver driver(missing_view::project());
    driver.start();
    setup(driver);
    std::vector<Recorded> ops;
    driver.runtime().failWhen = [&ops](const Operation& op) {
        ops.push_back({op.kind, op.window, op.control});
        return false;
    };
    act(driver);
    return ops;
}

// Runs `setup`, then `act` with its operation number k made to fail; `check` looks at the aftermath.
void failEachStep(const std::function<void(QuizDriver&)>& setup, const std::function<void(QuizDriver&)>& act,
                  const std::function<void(QuizDriver&, std::size_t k, const std::vector<Recorded>&)>& check)
{
    const std::vector<Recorded> ops = operationsOf(setup, act);
    ASSERT_FALSE(ops.empty());
    for (std::size_t k = 0; k < ops.size(); ++k) {
        SCOPED_TRACE("failing operation " + std::to_string(k) + ": " + forms::operationName(ops[k].kind).toStdString() +
                     " " + ops[k].window.toStdString() + " " + ops[k].control.toStdString());
        QuizDriver driver(missing_view::project());
        driver.start();
        setup(driver);
        const std::size_t before = driver.messages.size();
        std::size_t seen = 0;
        driver.runtime().failWhen = [&seen, k](const Operation&) { return seen++ == k; };
        act(driver);
        ASSERT_EQ(driver.endedWith, 1);
        ASSERT_GT(driver.messages.size(), before);
        const testing_support::Message& report = driver.messages.back();
        EXPECT_EQ(report.style, forms::MessageStyle::Critical);
        EXPECT_EQ(report.title, QStringLiteral("Pellmora"));
        EXPECT_TRUE(report.text.contains(forms::operationName(ops[k].kind))) << report.text.toStdString();
        QString where = ops[k].window;
        if (!ops[k].control.isEmpty())
            where += QLatin1Char('.') + ops[k].control;
        EXPECT_TRUE(report.text.contains(where)) << report.text.toStdString();
        // Nothing after the failing step ran: no further operation was asked for.
        EXPECT_EQ(seen, k + 1);
        check(driver, k, ops);
    }
}

void nothing(QuizDriver&) {}

int clearedBefore(std::size_t k, const std::vector<Recorded>& ops)
{
    int n = 0;
    for (std::size_t i = 0; i < k; ++i)
        n += ops[i].kind == Operation::Kind::SetValue;
    return n;
}

}  // namespace

TEST(Failure, DebuterKeepsTheMarksClearedBeforeTheFailingStep)
{
    // Every mark ticked by a whole pass: then "Débuter" fails at each of its steps.
    auto setup = [](QuizDriver& d) {
        d.click(1, "Command1");
        for (int n = 1; n <= 16; ++n) {
            d.click(quiz::exercisePage(n), "Command1");
            d.click(quiz::exercisePage(n), "Command2");
        }
        d.messages.clear();
    };
    failEachStep(setup, [](QuizDriver& d) { d.click(1, "Command1"); },
                 [](QuizDriver& d, std::size_t k, const std::vector<Recorded>& ops) {
                     const int cleared = clearedBefore(k, ops);
                     std::set<int> expected;
                     for (int n = cleared + 1; n <= 16; ++n)
                         expected.insert(n);
                     EXPECT_EQ(d.ticked(), expected);
                     EXPECT_FALSE(d.visible(2));
                 });
}

TEST(Failure, DebuterOnAFreshStartCanFailCreatingTheSummary)
{
    const auto ops = operationsOf(nothing, [](QuizDriver& d) { d.click(1, "Command1"); });
    ASSERT_EQ(ops.front().kind, Operation::Kind::Create);
    EXPECT_EQ(ops.front().window, QStringLiteral("Form34"));
    failEachStep(nothing, [](QuizDriver& d) { d.click(1, "Command1"); },
                 [](QuizDriver& d, std::size_t, const std::vector<Recorded>&) { EXPECT_FALSE(d.visible(2)); });
}

TEST(Failure, AidButtonSetsNoMarkWhenItsPageFailsToShow)
{
    auto setup = [](QuizDriver& d) { d.click(1, "Command1"); };
    failEachStep(setup, [](QuizDriver& d) { d.click(2, "Command1"); },
                 [](QuizDriver& d, std::size_t k, const std::vector<Recorded>& ops) {
                     const bool shown = std::any_of(ops.begin(), ops.begin() + static_cast<long>(k),
                                                    [](const Recorded& r) { return r.kind == Operation::Kind::Show; });
                     EXPECT_EQ(d.visible(3), shown);
                     EXPECT_TRUE(d.ticked().empty());  // the mark is the last step
                 });
}

TEST(Failure, ValiderLeavesHiddenWhatItHidBeforeFailing)
{
    auto setup = [](QuizDriver& d) {
        d.click(1, "Command1");
        d.click(2, "Command1");
    };
    failEachStep(setup, [](QuizDriver& d) { d.click(2, "Command2"); },
                 [](QuizDriver& d, std::size_t k, const std::vector<Recorded>& ops) {
                     auto hiddenBefore = [&](const char* window) {
                         for (std::size_t i = 0; i < k; ++i)
                             if (ops[i].kind == Operation::Kind::Hide && ops[i].window == QLatin1String(window))
                                 return true;
                         return false;
                     };
                     EXPECT_EQ(d.visible(2), !hiddenBefore("Form2"));
                     EXPECT_EQ(d.visible(3), !hiddenBefore("Form3"));
                     EXPECT_FALSE(d.visible(4));
                 });
}

TEST(Failure, GraderStopsAtTheFailingStep)
{
    auto setup = [](QuizDriver& d) {
        d.click(1, "Command1");
        for (int n = 1; n <= 15; ++n)
            d.click(quiz::exercisePage(n), "Command2");
    };
    failEachStep(setup, [](QuizDriver& d) { d.click(32, "Command2"); },
                 [](QuizDriver& d, std::size_t k, const std::vector<Recorded>& ops) {
                     // The result is shown only when every step up to the summary's show has passed.
                     std::size_t showSummary = 0;
                     for (std::size_t i = 0; i < ops.size(); ++i)
                         if (ops[i].kind == Operation::Kind::Show && ops[i].window == QLatin1String("Form34"))
                             showSummary = i;
                     const bool resultShown = k > showSummary;
                     EXPECT_EQ(d.messages.size(), resultShown ? 2u : 1u);
                     EXPECT_EQ(d.visible(34), resultShown);  // the failing hide leaves the summary up
                 });
}

TEST(Failure, APictureThatDoesNotDecodeFailsTheLoadOfItsWindow)
{
    const QString broken = QDir::temp().filePath(QStringLiteral("korvessa-broken.jpg"));
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xFF\xD8\xFF\xE0 not a picture");
    }
    quiz::Project project = missing_view::project();
    project.layouts[2].window.picture = broken.toStdString();  // aid page 1
    QuizDriver driver(std::move(project));
    driver.start();
    driver.click(1, "Command1");
    driver.click(2, "Command1");
    ASSERT_EQ(driver.endedWith, 1);
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_TRUE(driver.messages[0].text.contains(QStringLiteral("Load"))) << driver.messages[0].text.toStdString();
    EXPECT_TRUE(driver.messages[0].text.contains(QStringLiteral("Form3")));
    EXPECT_TRUE(driver.messages[0].text.contains(broken));
    EXPECT_FALSE(driver.runtime().ensure(3).loaded());
    EXPECT_TRUE(driver.ticked().empty());
}
