#include "quiz_driver.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QTest>

#include <stdexcept>

namespace testing_support {

QuizDriver::QuizDriver(quiz::Project project)
    : project_(std::move(project)),
      runtime_(project_.layouts, project_.name),
      quiz_(runtime_, project_.answerKey, project_.result)
{
    quiz::wire(runtime_, quiz_);
    runtime_.messageBoxHook = [this](const QString& text, forms::MessageStyle style, const QString& title) {
        Message m{text, style, title, visible(quiz::kSummaryWindow), ticked(), {}};
        for (int n = 1; n <= quiz::kWindows; ++n)
            if (visible(n))
                m.visible.insert(n);
        messages.push_back(m);
    };
    runtime_.endHook = [this](int status) { endedWith = status; };
}

QuizDriver::~QuizDriver() { processEvents(); }

void QuizDriver::start()
{
    runtime_.run([this] { runtime_.start(); });
}

void QuizDriver::click(int window, const char* control)
{
    QWidget* form = window == 1 ? runtime_.startWindow().widget() : runtime_.ensure(window).widget();
    if (!form || !form->isVisible())
        throw std::logic_error("click on a window that is not on screen");
    auto* widget = form->findChild<QWidget*>(QString::fromLatin1(control));
    if (!widget)
        throw std::logic_error("no such control");
    // Through the window, so that the click lands on whatever is drawn in front there.
    const QPoint at = widget->mapTo(form, QPoint(6, widget->height() / 2));
    if (form->childAt(at) != widget)
        throw std::logic_error("the control is covered where it is clicked");
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at);
}

void QuizDriver::select(int page, int option)
{
    const QByteArray name = "Option" + QByteArray::number(option);
    click(quiz::exercisePage(page), name.constData());
}

void QuizDriver::close(int window)
{
    QWidget* form = window == 1 ? runtime_.startWindow().widget() : runtime_.ensure(window).widget();
    if (form)
        form->close();
    processEvents();
}

void QuizDriver::processEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void QuizDriver::pass(const std::vector<int>& choices, const std::set<int>& aids)
{
    click(1, "Command1");
    for (int n = 1; n <= quiz::kExercises; ++n) {
        const int choice = n <= static_cast<int>(choices.size()) ? choices[static_cast<std::size_t>(n - 1)] : 0;
        if (choice)
            select(n, choice);
        if (aids.count(n))
            click(quiz::exercisePage(n), "Command1");
        click(quiz::exercisePage(n), "Command2");
    }
}

bool QuizDriver::visible(int window)
{
    if (window == 1)
        return runtime_.startWindow().visible();
    return runtime_.hasInstance(window) && runtime_.ensure(window).visible();
}

std::set<int> QuizDriver::ticked()
{
    std::set<int> marks;
    if (!runtime_.hasInstance(quiz::kSummaryWindow) || !runtime_.ensure(quiz::kSummaryWindow).loaded())
        return marks;
    QWidget* summary = runtime_.ensure(quiz::kSummaryWindow).widget();
    for (int n = 1; n <= quiz::kExercises; ++n)
        if (auto* box = summary->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(n)); box && box->isChecked())
            marks.insert(n);
    return marks;
}

}  // namespace testing_support
