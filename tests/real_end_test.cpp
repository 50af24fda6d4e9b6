// The real message box and the real end of the program, with neither test seam in place:
// the box is modal to the whole program and dismissed as a student would, and the event
// loop returns the program's exit status.

#include "grade_table.h"
#include "missing-view/missing_view.h"
#include "qt_printers.h"
#include "quiz_driver.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

using testing_support::QuizDriver;

namespace {

struct Box {
    QString title, text;
    QMessageBox::Icon icon;
    Qt::WindowModality modality;
    bool summaryShown;
    bool startWindowBlocked;  // a click on "Débuter" while the box is up does nothing
};

enum class Dismiss { Return, CloseBox };

// The program's own run: the event loop from QApplication::exec(), `act` once it runs. Every box
// that comes up is minimised, must come back by itself, and is then recorded and dismissed. A loop
// that does not end fails instead of hanging.
int runProgram(QuizDriver& driver, Dismiss dismiss, const std::function<void()>& act, std::vector<Box>& boxes)
{
    driver.runtime().messageBoxHook = nullptr;
    driver.runtime().endHook = nullptr;
    QTimer watch;
    QPointer<QMessageBox> minimised;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->isMinimized())
            return;
        if (minimised != box) {  // each box is first minimised, as a window manager lets the student do
            minimised = box;
            box->showMinimized();
            return;
        }
        const bool pageBefore = driver.visible(2);
        driver.click(1, "Command1");
        boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->windowModality(),
                         driver.visible(quiz::kSummaryWindow), driver.visible(2) == pageBefore});
        if (dismiss == Dismiss::Return)
            QTest::keyClick(box, Qt::Key_Return);
        else
            box->windowHandle()->close();  // as the window manager's close box asks
    });
    watch.start(10);
    QTimer::singleShot(0, act);
    QTimer::singleShot(20000, &watch, [] { QCoreApplication::exit(99); });  // gone with this run
    return QApplication::exec();
}

}  // namespace

TEST(RealEnd, AFailingHandlerShowsTheCriticalReportThenTheProgramEndsWithStatus1)
{
    for (Dismiss dismiss : {Dismiss::Return, Dismiss::CloseBox}) {
        SCOPED_TRACE(dismiss == Dismiss::Return ? "dismissed by Return" : "dismissed by its close box");
        QuizDriver driver(missing_view::project());
        driver.start();
        driver.runtime().failWhen = [](const forms::Operation& op) {
            return op.kind == forms::Operation::Kind::Show && op.window == QLatin1String("Form2");
        };
        std::vector<Box> boxes;
        const int status = runProgram(driver, dismiss, [&] { driver.click(1, "Command1"); }, boxes);
        EXPECT_EQ(status, 1);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].title, QStringLiteral("Pellmora"));
        EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("Show"))) << boxes[0].text.toStdString();
        EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("Form2"))) << boxes[0].text.toStdString();
        EXPECT_EQ(boxes[0].icon, QMessageBox::Critical);
        EXPECT_EQ(boxes[0].modality, Qt::ApplicationModal);
        EXPECT_TRUE(driver.runtime().ended());
        EXPECT_FALSE(driver.visible(1));  // every window goes with the program
    }
}

TEST(RealEnd, TheResultBoxHoldsTheGraderUntilDismissedAndClosingTheStartWindowEndsWithStatus0)
{
    QuizDriver driver(missing_view::project());
    driver.start();
    std::vector<Box> boxes;
    bool summaryAfter = true;
    const int status = runProgram(driver, Dismiss::Return, [&] {
        driver.pass(testing_support::rightOn(missing_view::answerKey(), testing_support::range(1, 16)));
        summaryAfter = driver.visible(quiz::kSummaryWindow);
        driver.close(1);
    }, boxes);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, QStringLiteral("Résultat"));
    EXPECT_EQ(boxes[0].text, testing_support::resultText("20", testing_support::kPerfect));
    EXPECT_EQ(boxes[0].icon, QMessageBox::Information);
    EXPECT_EQ(boxes[0].modality, Qt::ApplicationModal);
    EXPECT_TRUE(boxes[0].summaryShown);
    EXPECT_TRUE(boxes[0].startWindowBlocked);
    EXPECT_FALSE(summaryAfter);  // hidden once the box was dismissed
    EXPECT_FALSE(driver.visible(2));
}
