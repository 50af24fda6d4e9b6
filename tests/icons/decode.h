#pragma once
// Icons read back the way the programs read them: through Qt's "ico" plugin.

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <vector>

namespace icons_test {

struct Decoded {
    QSize declared;  // the size the directory entry gives
    int bitCount;    // the depth the directory entry gives
    QImage image;    // ARGB32, the AND mask turned into alpha
};

inline std::vector<Decoded> decodeIco(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    std::vector<Decoded> images;
    const int count = reader.imageCount();
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i))
            break;
        Decoded d{reader.size(), 0, {}};
        const QImage image = reader.read();
        if (image.isNull())
            break;
        d.bitCount = image.text(QStringLiteral("_q_icoOrigDepth")).toInt();
        d.image = image.convertToFormat(QImage::Format_ARGB32);
        images.push_back(d);
    }
    return images;
}

inline bool transparent(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)) == 0; }

}  // namespace icons_test
