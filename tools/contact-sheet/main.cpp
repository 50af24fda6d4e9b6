// contact-sheet FOLDER: every embedded picture alone, and every window of both
// programs as the student sees it (grabbed offscreen at actual size), as PNG files.

#include "missing-view/missing_view.h"
#include "quiz/quiz.h"
#ifdef KORVESSA_WITH_EXERCICES
#include "threaded-elements/threaded_elements.h"
#endif

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QImageReader>
#include <QWidget>

#include <cstdio>

namespace {

int writePictures(const QString& folder)
{
    int count = 0;
    for (const char* set : {":/common", ":/missing-view", ":/threaded-elements"}) {
        QDirIterator it(QString::fromLatin1(set), QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QImageReader reader(path);
            int index = 0;
            for (QImage image = reader.read(); !image.isNull(); image = reader.read(), ++index) {
                QString name = path.mid(2);
                name.replace(QLatin1Char('/'), QLatin1Char('_'));
                if (reader.imageCount() > 1)
                    name += QStringLiteral("-%1").arg(index + 1);
                image.save(folder + QStringLiteral("/pictures/") + name + QStringLiteral(".png"));
                ++count;
                if (!reader.jumpToNextImage())
                    break;
            }
        }
    }
    return count;
}

int writeWindows(const quiz::Project& project, const QString& folder)
{
    forms::Runtime runtime(project.layouts, project.name);
    runtime.endHook = [](int) {};
    runtime.messageBoxHook = [](const QString&, forms::MessageStyle, const QString&) {};
    int count = 0;
    for (int n = 1; n <= quiz::kWindows; ++n) {
        forms::Window& w = n == 1 ? runtime.startWindow() : runtime.ensure(n);
        runtime.run([&w] { w.show(); });
        if (!w.loaded())
            continue;
        w.widget()->grab().save(QStringLiteral("%1/windows/%2-%3.png").arg(folder, project.name, w.name()));
        runtime.run([&w] { w.hide(); });
        ++count;
    }
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quiz::prepareApplication();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("contact-sheet");
    QDir().mkpath(folder + QStringLiteral("/pictures"));
    QDir().mkpath(folder + QStringLiteral("/windows"));
    const int pictures = writePictures(folder);
    int windows = writeWindows(missing_view::project(), folder);
#ifdef KORVESSA_WITH_EXERCICES
    windows += writeWindows(threaded_elements::project(), folder);
#endif
    std::printf("%d pictures and %d windows written to %s\n", pictures, windows, qPrintable(folder));
    return 0;
}
