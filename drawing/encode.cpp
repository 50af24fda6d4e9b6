#include "drawing/encode.h"

#include <QBuffer>
#include <QImageWriter>

#include <stdexcept>
#include <string>

namespace drawing {

QByteArray jpeg(const QImage& image, QSize expected, int quality)
{
    if (image.size() != expected)
        throw std::runtime_error("jpeg: image is " + std::to_string(image.width()) + "x" + std::to_string(image.height()) +
                                 ", expected " + std::to_string(expected.width()) + "x" + std::to_string(expected.height()));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(false);
    // One pixel is one screen pixel whatever density the file declares; declare 96 dpi.
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    rgb.setDotsPerMeterX(3780);
    rgb.setDotsPerMeterY(3780);
    if (!writer.write(rgb))
        throw std::runtime_error("jpeg: " + writer.errorString().toStdString());
    return bytes;
}

}  // namespace drawing
