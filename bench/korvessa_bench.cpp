// korvessa-bench: how fast Pellmora starts and answers clicks, and how much memory
// it takes, each against a bare Qt window program run the same way in the same run.
//
//   korvessa-bench [runs]     (default 5 runs of each; offscreen unless DISPLAY is set)
//
// Each run is a fresh process of this program in child mode. The parent times
// the start (spawn to the first paint of the start window); the child times each
// click to the next window painted, a whole pass to the grade, and its peak RSS.

#include "missing-view/missing_view.h"
#include "quiz/quiz.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QWidget>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// Paint events seen per widget, to wait for a window to be painted.
class PaintWatch : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++painted[o];
        return false;
    }
    std::map<QObject*, int> painted;
};

void waitPainted(PaintWatch& watch, QWidget* w)
{
    const int before = watch.painted[w];
    while (watch.painted[w] == before)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

double ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

void report(const char* key, double value)
{
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
}

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A press and a release in the middle of the button, delivered as a mouse would be,
// without Qt Test (a build without the tests has no need of it).
void click(QWidget* button)
{
    const QPointF at = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &release);
}

int childPellmora(int argc, char** argv)
{
    QApplication app(argc, argv);
    quiz::prepareApplication();
    PaintWatch watch;
    app.installEventFilter(&watch);
    const quiz::Project project = missing_view::project();
    forms::Runtime runtime(project.layouts, project.name);
    quiz::Quiz quiz(runtime, project.answerKey, project.result);
    quiz::wire(runtime, quiz);
    runtime.messageBoxHook = [](const QString&, forms::MessageStyle, const QString&) {};  // no wait on the student
    runtime.start();
    QWidget* form1 = runtime.startWindow().widget();
    waitPainted(watch, form1);
    report("painted", 0);

    QElapsedTimer t;
    t.start();
    click(form1->findChild<QWidget*>("Command1"));
    waitPainted(watch, runtime.ensure(2).widget());
    report("debuter", ms(t));

    double worst = 0, sum = 0;
    for (int n = 1; n < 16; ++n) {
        t.restart();
        click(runtime.ensure(quiz::exercisePage(n)).widget()->findChild<QWidget*>("Command2"));
        waitPainted(watch, runtime.ensure(quiz::exercisePage(n + 1)).widget());
        worst = std::max(worst, ms(t));
        sum += ms(t);
    }
    report("valider_mean", sum / 15);
    report("valider_worst", worst);
    click(runtime.ensure(32).widget()->findChild<QWidget*>("Command2"));  // grade the first pass

    // A whole second pass, pages already loaded, to the grade.
    t.restart();
    click(form1->findChild<QWidget*>("Command1"));
    for (int n = 1; n <= 16; ++n) {
        QWidget* page = runtime.ensure(quiz::exercisePage(n)).widget();
        waitPainted(watch, page);
        click(page->findChild<QWidget*>("Command2"));
    }
    report("pass", ms(t));
    report("rss_kib", double(peakRssKiB()));
    return 0;
}

int childBare(int argc, char** argv)
{
    QApplication app(argc, argv);
    quiz::prepareApplication();
    PaintWatch watch;
    app.installEventFilter(&watch);
    QWidget first;
    first.setFixedSize(320, 159);
    auto* button = new QPushButton(QStringLiteral("Go"), &first);
    first.show();
    waitPainted(watch, &first);
    report("painted", 0);

    std::vector<std::unique_ptr<QWidget>> windows;
    auto next = [&] {
        auto w = std::make_unique<QWidget>();
        w->setFixedSize(614, 566);
        w->show();
        windows.push_back(std::move(w));
    };
    QObject::connect(button, &QPushButton::clicked, next);
    QElapsedTimer t;
    t.start();
    click(button);
    waitPainted(watch, windows.back().get());
    report("debuter", ms(t));
    double worst = 0, sum = 0;
    for (int n = 1; n < 16; ++n) {
        t.restart();
        windows.back()->hide();
        click(button);
        waitPainted(watch, windows.back().get());
        worst = std::max(worst, ms(t));
        sum += ms(t);
    }
    report("valider_mean", sum / 15);
    report("valider_worst", worst);
    report("pass", 0);
    report("rss_kib", double(peakRssKiB()));
    return 0;
}

// Runs one child; returns its figures, with "start" = spawn to its first paint.
std::map<std::string, double> runChild(const char* self, const char* kind)
{
    int fds[2];
    if (pipe(fds) != 0)
        std::exit(1);
    const auto spawned = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        execl(self, self, "--child", kind, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::map<std::string, double> figures;
    FILE* in = fdopen(fds[0], "r");
    char key[64];
    double value;
    while (std::fscanf(in, "%63s %lf", key, &value) == 2) {
        if (std::strcmp(key, "painted") == 0)
            figures["start"] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - spawned).count();
        else
            figures[key] = value;
    }
    fclose(in);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "korvessa-bench: the %s child failed\n", kind);
        std::exit(1);
    }
    return figures;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return std::strcmp(argv[2], "bare") == 0 ? childBare(argc, argv) : childPellmora(argc, argv);
    if (!std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::map<std::string, std::vector<double>> pellmora, bare;
    for (int i = 0; i < runs; ++i) {
        // Alternate which goes first, so that neither always finds the caches warm.
        for (const char* kind : i % 2 ? std::vector<const char*>{"pellmora", "bare"} : std::vector<const char*>{"bare", "pellmora"})
            for (auto& [k, v] : runChild(argv[0], kind))
                (std::strcmp(kind, "bare") == 0 ? bare : pellmora)[k].push_back(v);
    }
    std::printf("median of %d runs (platform %s)\n", runs, std::getenv("DISPLAY") ? "xcb" : "offscreen");
    std::printf("%-34s %10s %10s %7s  %s\n", "measure", "Pellmora", "bare Qt", "ratio", "goal");
    auto row = [&](const char* name, const char* key, const char* goal, bool ratio) {
        const double p = median(pellmora[key]), b = median(bare[key]);
        std::printf("%-34s %10.2f %10.2f %7s  %s\n", name, p, b, ratio ? QByteArray::number(p / b, 'f', 2).constData() : "-", goal);
    };
    row("start to Form1 painted (ms)", "start", "ratio <= 1.25", true);
    row("Débuter to Form2 painted (ms)", "debuter", "<= 16 ms", false);
    row("Valider to next page, mean (ms)", "valider_mean", "<= 16 ms", false);
    row("Valider to next page, worst (ms)", "valider_worst", "<= 16 ms", false);
    row("whole second pass and grade (ms)", "pass", "-", false);
    row("peak resident memory (KiB)", "rss_kib", "ratio <= 1.5", true);
    return 0;
}
