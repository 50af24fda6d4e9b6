#pragma once
// Windows icons (ICO) of palette images: 16 colours at 4 bits per pixel or two
// at 1 bit, each pixel opaque or transparent through the icon's AND mask.
// Icons are drawn in full colour and quantised to their palette here.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>

#include <cstdint>
#include <vector>

namespace drawing::ico {

// The 16 colours of the standard VGA palette, in the Windows order, black first.
const QList<QRgb>& vgaPalette();
// Black then white, for 1-bit images.
const QList<QRgb>& blackAndWhitePalette();

// One image of an icon.
struct Image {
    QSize size;
    int bitsPerPixel = 4;            // 4 or 1
    QList<QRgb> palette;             // exactly 1 << bitsPerPixel colours
    std::vector<std::uint8_t> index; // palette index per pixel, top row first
    std::vector<bool> transparent;   // per pixel, same order: set in the AND mask

    // The pixel as a screen shows it: its palette colour, or fully transparent.
    QRgb pixel(int x, int y) const;
};

// Each pixel of `drawn` (any format) takes the nearest colour of the palette;
// a pixel of alpha below 128 becomes transparent with index 0.
Image quantise(const QImage& drawn, const QList<QRgb>& palette, int bitsPerPixel);
// The same with the VGA palette at 4 bits or black and white at 1 bit.
Image quantise(const QImage& drawn, int bitsPerPixel);

// The image as an ARGB32 picture, transparent pixels as transparent black.
QImage toQImage(const Image& image);

// The ICO file holding the images in their order. The same images always give
// the same bytes. Throws std::invalid_argument on an image the format cannot hold.
QByteArray encode(const std::vector<Image>& images);

// A PNG file of one image, for places that want the icon as a plain picture.
QByteArray png(const Image& image);

}  // namespace drawing::ico
