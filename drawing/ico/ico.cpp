#include "drawing/ico/ico.h"

#include <QBuffer>
#include <QImageWriter>

#include <limits>
#include <stdexcept>
#include <string>

namespace drawing::ico {

namespace {

// Little-endian fields, as the icon format stores them.
void put8(QByteArray& out, unsigned value) { out.append(static_cast<char>(value & 0xffu)); }
void put16(QByteArray& out, unsigned value)
{
    put8(out, value);
    put8(out, value >> 8);
}
void put32(QByteArray& out, std::uint32_t value)
{
    put16(out, value & 0xffffu);
    put16(out, value >> 16);
}

// Rows of a DIB, the colour bitmap and the mask alike, are padded to 4 bytes.
int rowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

void check(const Image& image)
{
    const int w = image.size.width();
    const int h = image.size.height();
    auto fail = [&](const std::string& why) {
        throw std::invalid_argument("ico: image " + std::to_string(w) + "x" + std::to_string(h) + ": " + why);
    };
    if (w < 1 || h < 1 || w > 256 || h > 256)
        fail("sizes run from 1 to 256 pixels");
    if (image.bitsPerPixel != 4 && image.bitsPerPixel != 1)
        fail("only 4 or 1 bits per pixel");
    if (image.palette.size() != (1 << image.bitsPerPixel))
        fail("the palette must hold " + std::to_string(1 << image.bitsPerPixel) + " colours");
    const std::size_t pixels = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    if (image.index.size() != pixels || image.transparent.size() != pixels)
        fail("one index and one mask bit per pixel");
    for (std::uint8_t i : image.index)
        if (i >= image.palette.size())
            fail("index " + std::to_string(i) + " beyond the palette");
}

std::uint32_t dibBytes(const Image& image)
{
    const int h = image.size.height();
    return static_cast<std::uint32_t>(40 + 4 * image.palette.size() +
                                      (rowBytes(image.size.width(), image.bitsPerPixel) + rowBytes(image.size.width(), 1)) * h);
}

void appendDib(QByteArray& out, const Image& image)
{
    const int w = image.size.width();
    const int h = image.size.height();
    const int bpp = image.bitsPerPixel;
    const int colourRow = rowBytes(w, bpp);
    const int maskRow = rowBytes(w, 1);

    // BITMAPINFOHEADER; the height counts the colour bitmap and the mask together.
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(2 * h));
    put16(out, 1);  // planes
    put16(out, static_cast<unsigned>(bpp));
    put32(out, 0);  // no compression
    put32(out, static_cast<std::uint32_t>((colourRow + maskRow) * h));
    put32(out, 0);  // no declared density
    put32(out, 0);
    put32(out, 0);  // every palette entry used
    put32(out, 0);

    for (QRgb c : image.palette) {  // RGBQUAD: blue, green, red, reserved
        put8(out, static_cast<unsigned>(qBlue(c)));
        put8(out, static_cast<unsigned>(qGreen(c)));
        put8(out, static_cast<unsigned>(qRed(c)));
        put8(out, 0);
    }

    // Bottom row first. A transparent pixel keeps index 0 (black in both our
    // palettes): the screen is ANDed with 1 then XORed with 0, so it shows through
    // unchanged; any other index would invert or tint what lies under the icon.
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(colourRow, '\0');
        for (int x = 0; x < w; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x);
            const unsigned index = image.transparent[at] ? 0u : image.index[at];
            const int bit = x * bpp;  // leftmost pixel in the highest bits
            const int shift = 8 - bpp - bit % 8;
            row[bit / 8] = static_cast<char>(static_cast<unsigned char>(row[bit / 8]) | (index << shift));
        }
        out.append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < w; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x);
            if (image.transparent[at])
                row[x / 8] = static_cast<char>(static_cast<unsigned char>(row[x / 8]) | (0x80u >> (x % 8)));
        }
        out.append(row);
    }
}

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

}  // namespace

const QList<QRgb>& vgaPalette()
{
    static const QList<QRgb> palette{
        qRgb(0x00, 0x00, 0x00), qRgb(0x80, 0x00, 0x00), qRgb(0x00, 0x80, 0x00), qRgb(0x80, 0x80, 0x00),
        qRgb(0x00, 0x00, 0x80), qRgb(0x80, 0x00, 0x80), qRgb(0x00, 0x80, 0x80), qRgb(0xc0, 0xc0, 0xc0),
        qRgb(0x80, 0x80, 0x80), qRgb(0xff, 0x00, 0x00), qRgb(0x00, 0xff, 0x00), qRgb(0xff, 0xff, 0x00),
        qRgb(0x00, 0x00, 0xff), qRgb(0xff, 0x00, 0xff), qRgb(0x00, 0xff, 0xff), qRgb(0xff, 0xff, 0xff)};
    return palette;
}

const QList<QRgb>& blackAndWhitePalette()
{
    static const QList<QRgb> palette{qRgb(0, 0, 0), qRgb(0xff, 0xff, 0xff)};
    return palette;
}

QRgb Image::pixel(int x, int y) const
{
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width()) + static_cast<std::size_t>(x);
    return transparent.at(at) ? qRgba(0, 0, 0, 0) : palette.at(index.at(at)) | 0xff000000u;
}

Image quantise(const QImage& drawn, const QList<QRgb>& palette, int bitsPerPixel)
{
    // Straight (not premultiplied) colours, so a half-covered edge keeps its hue.
    const QImage argb = drawn.convertToFormat(QImage::Format_ARGB32);
    Image image;
    image.size = argb.size();
    image.bitsPerPixel = bitsPerPixel;
    image.palette = palette;
    const std::size_t pixels = static_cast<std::size_t>(argb.width()) * static_cast<std::size_t>(argb.height());
    image.index.reserve(pixels);
    image.transparent.reserve(pixels);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb c = line[x];
            if (qAlpha(c) < 128) {
                image.index.push_back(0);
                image.transparent.push_back(true);
                continue;
            }
            // The first of equally near colours, so the result never depends on anything but the input.
            int best = 0;
            int bestDistance = std::numeric_limits<int>::max();
            for (int i = 0; i < palette.size(); ++i) {
                const int d = distance(c, palette[i]);
                if (d < bestDistance) {
                    best = i;
                    bestDistance = d;
                }
            }
            image.index.push_back(static_cast<std::uint8_t>(best));
            image.transparent.push_back(false);
        }
    }
    check(image);
    return image;
}

Image quantise(const QImage& drawn, int bitsPerPixel)
{
    return quantise(drawn, bitsPerPixel == 1 ? blackAndWhitePalette() : vgaPalette(), bitsPerPixel);
}

QImage toQImage(const Image& image)
{
    check(image);
    QImage picture(image.size, QImage::Format_ARGB32);
    for (int y = 0; y < image.size.height(); ++y)
        for (int x = 0; x < image.size.width(); ++x)
            picture.setPixel(x, y, image.pixel(x, y));
    return picture;
}

QByteArray encode(const std::vector<Image>& images)
{
    if (images.empty() || images.size() > 0xffff)
        throw std::invalid_argument("ico: an icon holds 1 to 65535 images");
    for (const Image& image : images)
        check(image);

    QByteArray out;
    put16(out, 0);  // ICONDIR: reserved, type 1 (icon), count
    put16(out, 1);
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const Image& image : images) {  // ICONDIRENTRY; 256 is written as 0
        put8(out, static_cast<unsigned>(image.size.width() & 0xff));
        put8(out, static_cast<unsigned>(image.size.height() & 0xff));
        put8(out, static_cast<unsigned>(image.palette.size()));  // 16 or 2
        put8(out, 0);
        put16(out, 1);  // planes
        put16(out, static_cast<unsigned>(image.bitsPerPixel));
        put32(out, dibBytes(image));
        put32(out, offset);
        offset += dibBytes(image);
    }
    for (const Image& image : images)
        appendDib(out, image);
    return out;
}

QByteArray png(const Image& image)
{
    QImage picture = toQImage(image);
    picture.setDotsPerMeterX(3780);  // 96 dpi: one pixel is one screen pixel
    picture.setDotsPerMeterY(3780);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture))
        throw std::runtime_error("png: " + writer.errorString().toStdString());
    return bytes;
}

}  // namespace drawing::ico
