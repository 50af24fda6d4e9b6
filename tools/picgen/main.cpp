// picgen-<set> FOLDER: writes every file of one picture set and FOLDER/pictures.qrc.

#include "drawing/picture_set.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <set>

drawing::PictureSet pictureSetToDraw();  // the set this generator is built for

namespace {

bool write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);  // fonts and painting need it
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QString qrc = QStringLiteral("<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n");
    std::set<QString> written;
    try {
        for (const drawing::PictureFile& picture : pictureSetToDraw()) {
            if (!written.insert(picture.file).second) {
                std::fprintf(stderr, "picgen: %s is listed twice\n", qPrintable(picture.file));
                return 1;
            }
            const QByteArray bytes = picture.bytes();
            if (bytes.isEmpty() || !write(folder + QLatin1Char('/') + picture.file, bytes)) {
                std::fprintf(stderr, "picgen: cannot draw or write %s\n", qPrintable(picture.file));
                return 1;
            }
            qrc += QStringLiteral("  <file>%1</file>\n").arg(picture.file);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "picgen: %s\n", e.what());
        return 1;
    }
    qrc += QStringLiteral("</qresource>\n</RCC>\n");
    if (!write(folder + QStringLiteral("/pictures.qrc"), qrc.toUtf8())) {
        std::fprintf(stderr, "picgen: cannot write the .qrc\n");
        return 1;
    }
    return 0;
}
