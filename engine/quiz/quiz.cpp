#include "quiz/quiz.h"

#include "forms/widgets.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace quiz {

namespace {
std::string checkBox(int n) { return "Check" + std::to_string(n); }
std::string option(int n) { return "Option" + std::to_string(n); }
}  // namespace

Verdict verdict(Number grade)
{
    if (grade.value() < 10)
        return {0, forms::MessageStyle::Critical};
    if (grade.value() == 20)
        return {1, forms::MessageStyle::Information};
    if (grade.value() > 15)
        return {2, forms::MessageStyle::Information};
    return {3, forms::MessageStyle::Information};
}

Quiz::Quiz(forms::Runtime& runtime, const AnswerKey& key, const ResultTexts& texts)
    : rt_(runtime), key_(key), texts_(texts)
{
}

void Quiz::debuter()
{
    for (int n = 1; n <= kExercises; ++n)
        rt_.ensure(kSummaryWindow).control(checkBox(n)).setValue(0);
    rt_.ensure(exercisePage(1)).show();
}

void Quiz::queryUnload() { rt_.end(0); }

void Quiz::aidButton(int n)
{
    rt_.ensure(aidPage(n)).show();
    // The mark is set only once the page is on screen.
    rt_.ensure(kSummaryWindow).control(checkBox(n)).setValue(1);
}

void Quiz::valider(int n)
{
    rt_.ensure(exercisePage(n)).hide();
    rt_.ensure(aidPage(n)).hide();
    rt_.ensure(exercisePage(n + 1)).show();
}

void Quiz::grader()
{
    rt_.ensure(exercisePage(kExercises)).hide();
    rt_.ensure(aidPage(kExercises)).hide();

    Number grade = Number::whole(0);
    for (int n = 1; n <= kExercises; ++n) {
        const AnswerKeyEntry& entry = key_[static_cast<std::size_t>(n - 1)];
        if (rt_.ensure(exercisePage(n)).control(option(entry.correctOption)).value() == -1)
            grade = grade + Number::whole(static_cast<std::int16_t>(entry.weight));
    }
    for (int n = 1; n <= kExercises; ++n)
        if (rt_.ensure(kSummaryWindow).control(checkBox(n)).value() == 1)
            grade = grade - key_[static_cast<std::size_t>(n - 1)].penalty;

    // The summary is on screen exactly while the result is.
    rt_.ensure(kSummaryWindow).show();
    const Verdict v = verdict(grade);
    QString text = texts_.prefix + grade.toText();
    text = text + texts_.comments[static_cast<std::size_t>(v.comment)];
    rt_.messageBox(text, v.style, texts_.title, &rt_.ensure(kSummaryWindow));
    rt_.ensure(kSummaryWindow).hide();
}

std::vector<WiringRow> wiringTable()
{
    std::vector<WiringRow> rows;
    rows.push_back({1, "Command1", [](Quiz& q) { q.debuter(); }});
    rows.push_back({1, "", [](Quiz& q) { q.queryUnload(); }});
    for (int n = 1; n <= kExercises; ++n)
        rows.push_back({exercisePage(n), "Command1", [n](Quiz& q) { q.aidButton(n); }});
    for (int n = 1; n < kExercises; ++n)
        rows.push_back({exercisePage(n), "Command2", [n](Quiz& q) { q.valider(n); }});
    rows.push_back({exercisePage(kExercises), "Command2", [](Quiz& q) { q.grader(); }});
    return rows;
}

void wire(forms::Runtime& runtime, Quiz& quiz)
{
    for (auto& row : wiringTable()) {
        auto handler = [&quiz, h = row.handler] { h(quiz); };
        if (row.control.empty())
            runtime.onQueryUnload(row.window, handler);
        else
            runtime.onClick(row.window, row.control, handler);
    }
}

void prepareApplication()
{
    // One style and palette on every desktop, so that every window looks as laid out.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
        QApplication::setPalette(fusion->standardPalette());
    }
    QApplication::setQuitOnLastWindowClosed(false);  // only the start window's close ends the program
    forms::registerBundledFonts();
}

int runProgram(const Project& project, int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(project.name);
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.2"));
    QApplication::setDesktopFileName(QStringLiteral("fr.korvessa.") + project.name);
    prepareApplication();

    forms::Runtime runtime(project.layouts, project.name);
    Quiz quiz(runtime, project.answerKey, project.result);
    wire(runtime, quiz);
    runtime.run([&runtime] { runtime.start(); });
    if (runtime.ended())
        return runtime.exitStatus();
    return app.exec();
}

}  // namespace quiz
