#include "quiz/quiz.h"

#include "forms/widgets.h"

#include <QApplication>
#include <QByteArray>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <vector>

namespace quiz {

namespace {
std::string checkBox(int n) { return "Check" + std::to_string(n); }
std::string option(int n) { return "Option" + std::to_string(n); }

// Without a display that answers, Qt's start-up ends in an abort, after advice to reinstall.
// While the application object is being made, Qt's messages are held back: a fatal one is
// replaced by one line naming the display that was tried, and the program ends with status 1;
// on success the held messages go out as usual.
class StartupWatch {
public:
    explicit StartupWatch(const QString& program)
    {
        program_ = program;
        previous_ = qInstallMessageHandler(&StartupWatch::handle);
    }
    ~StartupWatch()
    {
        qInstallMessageHandler(previous_);
        std::vector<Held> held;
        {
            std::lock_guard lock(mutex_);
            held.swap(held_);
        }
        for (const Held& m : held) {
            const QMessageLogContext context(m.file.isEmpty() ? nullptr : m.file.constData(), m.line,
                                             m.function.isEmpty() ? nullptr : m.function.constData(),
                                             m.category.isEmpty() ? nullptr : m.category.constData());
            qt_message_output(m.type, context, m.text);
        }
    }
    StartupWatch(const StartupWatch&) = delete;
    StartupWatch& operator=(const StartupWatch&) = delete;

private:
    struct Held {
        QtMsgType type;
        QByteArray file, function, category;
        int line;
        QString text;
    };

    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type != QtFatalMsg) {
            std::lock_guard lock(mutex_);
            held_.push_back({type, context.file, context.function, context.category, context.line, text});
            return;
        }
        std::fprintf(stderr, "%s\n", noDisplay().toLocal8Bit().constData());
        std::fflush(nullptr);
        std::_Exit(1);  // nothing is up yet that needs closing
    }

    static QString noDisplay()
    {
        const QString x = qEnvironmentVariable("DISPLAY");
        const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
        const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
        QString tried;
        if (!wayland.isEmpty())
            tried = QStringLiteral("l'affichage Wayland « %1 »").arg(wayland);
        if (!x.isEmpty())
            tried += (tried.isEmpty() ? QString() : QStringLiteral(" ni ")) + QStringLiteral("l'affichage X « %1 »").arg(x);
        QString line = tried.isEmpty()
            ? QStringLiteral("%1 : aucun affichage à ouvrir (ni DISPLAY ni WAYLAND_DISPLAY n'est défini)").arg(program_)
            : QStringLiteral("%1 : impossible d'ouvrir %2").arg(program_, tried);
        if (!platform.isEmpty())
            line += QStringLiteral(" avec la plateforme « %1 »").arg(platform);
        return line + QStringLiteral(" ; le programme s'arrête.");
    }

    static inline QString program_;
    static inline QtMessageHandler previous_ = nullptr;
    static inline std::mutex mutex_;
    static inline std::vector<Held> held_;
};

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
    std::optional<StartupWatch> watch(std::in_place, project.name);
    QApplication app(argc, argv);
    watch.reset();
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
