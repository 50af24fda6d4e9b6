// The programs themselves, run as a student or a packager would start them.

#include "qt_printers.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

// An X display number that nothing serves on this machine.
QString unservedDisplay()
{
    for (int n = 99;; ++n)
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) && !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            return QStringLiteral(":%1").arg(n);
}

struct Ended {
    int status;
    QString out, err;
};

// Starts a program with no platform chosen for it, so that it looks for a display as on a desktop.
Ended start(const QString& program, const QString& display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"})
        env.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KORVESSA_PROGRAMS_DIR "/") + program, {});
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "the program crashed or aborted";
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

TEST(Programs, WithoutADisplaySayWhichOneInOneLineAndEndWithStatus1)
{
    const QString display = unservedDisplay();
    struct Row {
        const char* program;
        QString display;  // empty: DISPLAY unset
        QString line;
    };
    const Row rows[] = {
        {"Pellmora", {}, QStringLiteral("Pellmora : aucun affichage à ouvrir (ni DISPLAY ni WAYLAND_DISPLAY n'est défini) ; le programme s'arrête.\n")},
        {"Pellmora", display, QStringLiteral("Pellmora : impossible d'ouvrir l'affichage X « %1 » ; le programme s'arrête.\n").arg(display)},
        {"exercices", display, QStringLiteral("exercices : impossible d'ouvrir l'affichage X « %1 » ; le programme s'arrête.\n").arg(display)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.program) + " DISPLAY=" + row.display.toStdString());
        const Ended run = start(QString::fromLatin1(row.program), row.display);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, row.line);  // no advice from Qt, nothing else
        EXPECT_TRUE(run.out.isEmpty());
    }
}
