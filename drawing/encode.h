#pragma once
// Encoding drawn images into the files the programs embed.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace drawing {

// A baseline JPEG of the image, which must have exactly the expected size, with
// full colour resolution. The same image always gives the same bytes. At quality 100
// flat areas decode to their exact colour. Throws std::runtime_error on failure.
QByteArray jpeg(const QImage& image, QSize expected, int quality = 92);

}  // namespace drawing
