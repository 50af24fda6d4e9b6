// Pellmora's windows on a real X server under the openbox window manager, as a student sees
// them: what the windows ask of the window manager, where their frames stand, and minimised
// windows brought back by the program. Each test starts its own Xvfb and openbox; the tests
// are skipped where either is missing.

#include "missing-view/missing_view.h"
#include "qt_printers.h"
#include "quiz_driver.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using testing_support::QuizDriver;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << '(' << p.x() << ", " << p.y() << ')'; }
QT_END_NAMESPACE

namespace {

// Starts a program with its output discarded; it goes when this process goes.
pid_t spawn(const std::vector<std::string>& args, const std::string& display, int keepFd = -1)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    for (int fd = 3; fd < 256; ++fd)
        if (fd != keepFd)
            close(fd);
    if (!display.empty())
        setenv("DISPLAY", display.c_str(), 1);
    unsetenv("SESSION_MANAGER");
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// A 1600 x 1200 X server of its own, on a display number it picks itself, with openbox managing it.
class XSession {
public:
    XSession()
    {
        for (const char* tool : {"Xvfb", "openbox", "xprop", "xdotool"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
                why_ = std::string(tool) + " is not installed (scripts/install-deps.sh tests installs it)";
                installed_ = false;
                return;
            }
        int fds[2];
        if (pipe(fds) != 0) {
            why_ = "no pipe";
            return;
        }
        xvfb_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1600x1200x24", "-nolisten", "tcp"},
                      {}, fds[1]);
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty()) {
            why_ = "Xvfb did not start";
            return;
        }
        display_ = ":" + number;

        char dir[] = "/tmp/korvessa-desktop-XXXXXX";
        if (!mkdtemp(dir)) {
            why_ = "no temporary folder";
            return;
        }
        const std::string ready = std::string(dir) + "/ready";
        openbox_ = spawn({"openbox", "--startup", "touch " + ready}, display_);
        struct stat st {};
        for (int i = 0; i < 1000 && stat(ready.c_str(), &st) != 0; ++i)
            usleep(10000);
        if (stat(ready.c_str(), &st) != 0)
            why_ = "openbox did not start";
        unlink(ready.c_str());
        rmdir(dir);
    }
    ~XSession()
    {
        stop(openbox_);
        stop(xvfb_);
    }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ready() const { return why_.empty(); }
    // Not ready for want of a tool: the tests are skipped. Installed but failing: they fail.
    bool installed() const { return installed_; }
    const std::string& why() const { return why_; }
    const std::string& display() const { return display_; }

private:
    pid_t xvfb_ = -1, openbox_ = -1;
    std::string display_, why_;
    bool installed_ = true;
};

std::string unavailable;  // why the tests cannot run here; empty when they can
bool brokenSession = false;  // the tools are there but the X session did not start

// What xprop prints for one property of a window.
QString xprop(const QWidget* w, const char* property)
{
    QProcess p;
    p.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(w->winId()), QString::fromLatin1(property)});
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

bool iconic(const QWidget* w) { return xprop(w, "WM_STATE").contains(QStringLiteral("Iconic")); }
bool shownByTheWindowManager(const QWidget* w)
{
    return xprop(w, "WM_STATE").contains(QStringLiteral("Normal")) &&
           !xprop(w, "_NET_WM_STATE").contains(QStringLiteral("_NET_WM_STATE_HIDDEN"));
}

bool framed(const QWidget* w) { return w->frameGeometry() != w->geometry(); }

// Waits until a window just shown stands framed on screen and the program has seen it so.
void settle(QWidget* w)
{
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->windowHandle()->isExposed() && shownByTheWindowManager(w) && framed(w); }));
    QTest::qWait(300);
}

// What the title bar's minimise button does: asks the window manager to iconify the window.
// The window is first let settle on screen: Qt asks for a newly mapped window to be activated,
// which would take it out of the iconic state again.
void minimiseAsTheStudent(QWidget* w)
{
    settle(w);
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), QString::number(w->winId())});
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->isMinimized() && iconic(w); })) << "the window manager did not minimise it";
}

// The student's drag of a window by its title bar, through the window manager.
void dragByTheTitleBar(QWidget* w, QPoint by)
{
    const QRect frame = w->frameGeometry();
    const QPoint from = frame.topLeft() + QPoint(frame.width() / 2, (w->geometry().top() - frame.top()) / 2);
    const QPoint to = from + by;
    auto number = [](int v) { return QString::number(v); };
    // Slow enough for the window manager to see a press, a drag and a release.
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), number(from.x()), number(from.y()), QStringLiteral("sleep"), QStringLiteral("0.1"),
                       QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("sleep"), QStringLiteral("0.1"),
                       QStringLiteral("mousemove"), number((from.x() + to.x()) / 2), number((from.y() + to.y()) / 2),
                       QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mousemove"), number(to.x()), number(to.y()),
                       QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mouseup"), QStringLiteral("1")});
    const QPoint target = frame.topLeft() + by;
    static_cast<void>(QTest::qWaitFor([&] { return w->frameGeometry().topLeft() == target; }));  // checked by the caller
}

// Twice the centre, so that an odd frame size stays exact.
QPoint doubleCentre(const QRect& r) { return {2 * r.x() + r.width(), 2 * r.y() + r.height()}; }

bool frameCentred(const QWidget* w)
{
    const QPoint d = doubleCentre(w->frameGeometry()) - doubleCentre(w->screen()->availableGeometry());
    return framed(w) && std::abs(d.x()) <= 2 && std::abs(d.y()) <= 2;
}

// The functions and decorations a window asks of the window manager, and its size limits.
void expectFixedWithoutMinimiseOrMaximise(const QWidget* w, const char* which)
{
    SCOPED_TRACE(which);
    const QString motif = xprop(w, "_MOTIF_WM_HINTS");
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("= (0x[0-9a-f]+), (0x[0-9a-f]+), (0x[0-9a-f]+)")).match(motif);
    ASSERT_TRUE(m.hasMatch()) << motif.toStdString();
    const uint flags = m.captured(1).toUInt(nullptr, 16), functions = m.captured(2).toUInt(nullptr, 16),
               decorations = m.captured(3).toUInt(nullptr, 16);
    EXPECT_EQ(flags & 0x3u, 0x3u);                     // both functions and decorations given
    EXPECT_EQ(functions & (0x1u | 0x8u | 0x10u), 0u);  // neither "all", minimise nor maximise
    EXPECT_NE(functions & 0x20u, 0u);                  // close
    EXPECT_EQ(decorations & (0x1u | 0x20u | 0x40u), 0u);
    const QString hints = xprop(w, "WM_NORMAL_HINTS");
    const QString size = QStringLiteral("%1 by %2").arg(w->width()).arg(w->height());
    EXPECT_TRUE(hints.contains(QStringLiteral("minimum size: ") + size)) << hints.toStdString();
    EXPECT_TRUE(hints.contains(QStringLiteral("maximum size: ") + size)) << hints.toStdString();
    // What openbox then allows: no resizing or maximising (it offers minimising whatever is asked).
    const QString allowed = xprop(w, "_NET_WM_ALLOWED_ACTIONS");
    EXPECT_FALSE(allowed.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE"))) << allowed.toStdString();
    EXPECT_FALSE(allowed.contains(QStringLiteral("_NET_WM_ACTION_RESIZE"))) << allowed.toStdString();
}

class Desktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (brokenSession)
            FAIL() << unavailable;
        if (!unavailable.empty())
            GTEST_SKIP() << unavailable;
        driver.emplace(missing_view::project());
        driver->start();
    }
    void TearDown() override { driver.reset(); }

    QWidget* widget(int n) { return n == 1 ? driver->runtime().startWindow().widget() : driver->runtime().ensure(n).widget(); }

    std::optional<QuizDriver> driver;
};

}  // namespace

TEST_F(Desktop, EveryKindOfWindowIsFixedAndCentredByItsFrame)
{
    auto check = [this](int n, const char* which) {
        QWidget* w = widget(n);
        EXPECT_TRUE(QTest::qWaitFor([w] { return frameCentred(w); }))
            << which << ": frame " << w->frameGeometry().x() << "," << w->frameGeometry().y() << " "
            << w->frameGeometry().width() << "x" << w->frameGeometry().height();
        expectFixedWithoutMinimiseOrMaximise(w, which);
    };
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1600, 1200));
    check(1, "start window");
    driver->click(1, "Command1");
    check(2, "exercise page");
    driver->click(2, "Command1");
    check(3, "aid page");

    // The summary, a tool window, is on screen while the result is up.
    auto record = driver->runtime().messageBoxHook;
    driver->runtime().messageBoxHook = [&](const QString& text, forms::MessageStyle style, const QString& title) {
        check(quiz::kSummaryWindow, "usage summary");
        record(text, style, title);
    };
    driver->pass(std::vector<int>(16, 1));
    ASSERT_EQ(driver->messages.size(), 1u);

    // Dragged by its title bar, hidden and shown again: where the student left it, not centred again.
    driver->click(1, "Command1");
    QWidget* page = widget(2);
    settle(page);
    const QPoint moved = page->frameGeometry().topLeft() + QPoint(40, 30);
    dragByTheTitleBar(page, QPoint(40, 30));
    ASSERT_EQ(page->frameGeometry().topLeft(), moved) << "not dragged";
    driver->click(2, "Command2");
    driver->click(1, "Command1");
    settle(page);
    EXPECT_EQ(page->frameGeometry().topLeft(), moved);
}

TEST_F(Desktop, AWindowMinimisedByTheStudentComesBackWhenTheProgramShowsIt)
{
    driver->click(1, "Command1");
    driver->click(2, "Command1");
    QWidget* aid = widget(3);
    minimiseAsTheStudent(aid);
    driver->click(2, "Command1");  // the aid page asked for again
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownByTheWindowManager(aid); })) << "aid page left iconic";
    EXPECT_FALSE(aid->isMinimized());

    QWidget* page = widget(2);
    minimiseAsTheStudent(page);
    driver->click(1, "Command1");  // "Débuter"
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownByTheWindowManager(page); })) << "page 1 left iconic";
    EXPECT_FALSE(page->isMinimized());

    // The summary minimised while the result is up; at the next grading it is on screen again.
    std::vector<bool> summaryOnScreen;
    auto record = driver->runtime().messageBoxHook;
    driver->runtime().messageBoxHook = [&](const QString& text, forms::MessageStyle style, const QString& title) {
        QWidget* summary = widget(quiz::kSummaryWindow);
        summaryOnScreen.push_back(QTest::qWaitFor([&] { return shownByTheWindowManager(summary); }));
        minimiseAsTheStudent(summary);
        record(text, style, title);
    };
    driver->pass(std::vector<int>(16, 1));
    driver->pass(std::vector<int>(16, 1));
    EXPECT_EQ(summaryOnScreen, (std::vector<bool>{true, true}));
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    XSession session;
    if (!session.ready()) {
        unavailable = session.why();
        brokenSession = session.installed();
        return RUN_ALL_TESTS();
    }
    qputenv("DISPLAY", QByteArray::fromStdString(session.display()));
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("WAYLAND_DISPLAY");
    QApplication app(argc, argv);  // goes before the X server it is connected to
    quiz::prepareApplication();
    return RUN_ALL_TESTS();
}
