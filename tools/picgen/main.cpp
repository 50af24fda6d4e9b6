// picgen SET FOLDER: writes every file of one picture set and FOLDER/pictures.qrc.

#include "common/pictures/pictures.h"
#include "missing-view/pictures/pictures.h"
#include "threaded-elements/pictures/pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <map>

namespace {

const std::map<QString, std::function<drawing::PictureSet()>>& sets()
{
    static const std::map<QString, std::function<drawing::PictureSet()>> all{
        {QStringLiteral("common"), common::pictures},
        {QStringLiteral("missing-view"), missing_view::pictures},
        {QStringLiteral("threaded-elements"), threaded_elements::pictures},
    };
    return all;
}

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
    if (argc != 3 || !sets().count(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: picgen SET FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QString qrc = QStringLiteral("<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n");
    for (const drawing::PictureFile& picture : sets().at(QString::fromLocal8Bit(argv[1]))()) {
        const QByteArray bytes = picture.bytes();
        if (bytes.isEmpty() || !write(folder + QLatin1Char('/') + picture.file, bytes)) {
            std::fprintf(stderr, "picgen: cannot draw or write %s\n", qPrintable(picture.file));
            return 1;
        }
        qrc += QStringLiteral("  <file>%1</file>\n").arg(picture.file);
    }
    qrc += QStringLiteral("</qresource>\n</RCC>\n");
    if (!write(folder + QStringLiteral("/pictures.qrc"), qrc.toUtf8())) {
        std::fprintf(stderr, "picgen: cannot write the .qrc\n");
        return 1;
    }
    return 0;
}
