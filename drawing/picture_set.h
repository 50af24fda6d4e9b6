#pragma once
// A picture set: the files one program embeds, each drawn by our own code.
// The build-time generator writes every file of a set and a .qrc listing them;
// layouts name a picture by its resource path, ":/" + file.

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace drawing {

struct PictureFile {
    QString file;                       // path inside the resources, e.g. "missing-view/V01.jpg"
    std::function<QByteArray()> bytes;  // the encoded file (JPEG or ICO)
};

using PictureSet = std::vector<PictureFile>;

inline QString resourcePath(const QString& file) { return QStringLiteral(":/") + file; }

}  // namespace drawing
