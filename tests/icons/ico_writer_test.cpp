// The ICO writer: what it writes must decode, pixel for pixel and mask bit for
// mask bit, with Qt's reader, and carry the header fields Windows relies on.

#include "decode.h"
#include "drawing/ico/ico.h"

#include <QtEndian>
#include <gtest/gtest.h>

#include <stdexcept>

namespace ico = drawing::ico;
using icons_test::decodeIco;

namespace {

// A palette whose every colour has three different channels, so that a swap of
// red and blue or an index off by one shows.
QList<QRgb> oddPalette(int colours)
{
    QList<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.append(qRgb(16 * i + 3, 250 - 9 * i, 40 + 13 * i));
    return palette;
}

ico::Image pattern(int width, int height, int bitsPerPixel, int seed = 0)
{
    ico::Image image;
    image.size = QSize(width, height);
    image.bitsPerPixel = bitsPerPixel;
    image.palette = bitsPerPixel == 1 ? ico::blackAndWhitePalette() : oddPalette(16);
    const int colours = 1 << bitsPerPixel;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            image.index.push_back(static_cast<std::uint8_t>((7 * x + 3 * y + seed) % colours));
            image.transparent.push_back((x + 2 * y + seed) % 5 == 0);
        }
    return image;
}

std::uint32_t u32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
std::uint16_t u16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }
unsigned u8(const QByteArray& b, int at) { return static_cast<unsigned char>(b[at]); }

}  // namespace

// Odd widths split a byte between pixels; widths past 32 pixels need more than one
// word per row; 256 is written as 0 in the directory.
TEST(IcoWriter, RoundTripKeepsEveryPixelAndEveryMaskBit)
{
    struct Case { int width, height, bits; };
    for (const Case c : {Case{1, 1, 4}, Case{5, 3, 4}, Case{32, 32, 4}, Case{33, 7, 4}, Case{256, 2, 4},
                         Case{1, 1, 1}, Case{9, 2, 1}, Case{32, 32, 1}, Case{33, 5, 1}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.bits << " bits");
        const ico::Image written = pattern(c.width, c.height, c.bits);
        const auto read = decodeIco(ico::encode({written}));
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0].declared, QSize(c.width, c.height));
        EXPECT_EQ(read[0].bitCount, c.bits);
        const QImage& image = read[0].image;
        ASSERT_EQ(image.size(), QSize(c.width, c.height));
        int wrong = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                if (image.pixel(x, y) != written.pixel(x, y))
                    ++wrong;
        EXPECT_EQ(wrong, 0);
    }
}

TEST(IcoWriter, ImagesKeepTheirOrderSizesAndDepths)
{
    const std::vector<ico::Image> images{pattern(32, 32, 4, 1), pattern(16, 16, 4, 2), pattern(32, 32, 1, 3),
                                         pattern(48, 24, 4, 4)};
    const auto read = decodeIco(ico::encode(images));
    ASSERT_EQ(read.size(), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "image " << i + 1);
        EXPECT_EQ(read[i].declared, images[i].size);
        EXPECT_EQ(read[i].image.size(), images[i].size);
        EXPECT_EQ(read[i].bitCount, images[i].bitsPerPixel);
        // Each pattern is shifted by its seed, so images read in another order would differ here.
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(read[i].image.pixel(x, 1), images[i].pixel(x, 1)) << "x " << x;
    }
}

// The fields that Qt's reader does not look at but Windows does, with sizes worked
// out by hand: header 40 bytes, palette, colour rows, mask rows, each row in 4-byte words.
TEST(IcoWriter, DirectoryAndBitmapHeadersFollowTheFormat)
{
    const QByteArray bytes = ico::encode({pattern(32, 32, 4), pattern(16, 16, 4), pattern(32, 32, 1)});
    EXPECT_EQ(u16(bytes, 0), 0);
    EXPECT_EQ(u16(bytes, 2), 1);  // an icon, not a cursor
    ASSERT_EQ(u16(bytes, 4), 3);

    struct Entry { unsigned width, colours, bits; std::uint32_t size; };
    const Entry expected[] = {{32, 16, 4, 40 + 64 + 32 * 16 + 32 * 4},  // 744
                              {16, 16, 4, 40 + 64 + 16 * 8 + 16 * 4},   // 296
                              {32, 2, 1, 40 + 8 + 32 * 4 + 32 * 4}};    // 304
    std::uint32_t offset = 6 + 3 * 16;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i + 1);
        const int e = 6 + 16 * i;
        EXPECT_EQ(u8(bytes, e), expected[i].width);
        EXPECT_EQ(u8(bytes, e + 1), expected[i].width);
        EXPECT_EQ(u8(bytes, e + 2), expected[i].colours);
        EXPECT_EQ(u8(bytes, e + 3), 0u);
        EXPECT_EQ(u16(bytes, e + 4), 1);  // planes
        EXPECT_EQ(u16(bytes, e + 6), expected[i].bits);
        EXPECT_EQ(u32(bytes, e + 8), expected[i].size);
        EXPECT_EQ(u32(bytes, e + 12), offset);

        const int h = static_cast<int>(offset);
        EXPECT_EQ(u32(bytes, h), 40u);
        EXPECT_EQ(u32(bytes, h + 4), expected[i].width);
        EXPECT_EQ(u32(bytes, h + 8), 2 * expected[i].width);  // colour bitmap and mask
        EXPECT_EQ(u16(bytes, h + 12), 1);
        EXPECT_EQ(u16(bytes, h + 14), expected[i].bits);
        EXPECT_EQ(u32(bytes, h + 16), 0u);  // uncompressed
        EXPECT_EQ(u32(bytes, h + 20), expected[i].size - 40 - 4 * expected[i].colours);
        offset += expected[i].size;
    }
    EXPECT_EQ(bytes.size(), static_cast<qsizetype>(offset));
}

// Every byte of a 2x2 image: rows bottom first and padded to a word, the left
// pixel in the high nibble, the mask's left pixel in the high bit, and a masked
// pixel written as index 0 whatever its index, so that it leaves the screen as it is.
TEST(IcoWriter, TinyImageBytesAreLaidOutBottomUpWithMaskedPixelsAtIndexZero)
{
    ico::Image image;
    image.size = QSize(2, 2);
    image.bitsPerPixel = 4;
    image.palette = ico::vgaPalette();
    image.index = {1, 5, 3, 4};
    image.transparent = {false, true, false, false};
    const QByteArray bytes = ico::encode({image});
    const int bits = 6 + 16 + 40 + 64;
    ASSERT_EQ(bytes.size(), bits + 8 + 8);
    EXPECT_EQ(bytes.mid(bits), QByteArray::fromHex("34000000" "10000000" "00000000" "40000000"));
    EXPECT_EQ(bytes.mid(6 + 16 + 40, 8), QByteArray::fromHex("00000000" "00008000"));  // black, dark red: B G R 0
}

TEST(IcoWriter, RejectsWhatTheFormatCannotHold)
{
    auto with = [](auto change) {
        ico::Image image = pattern(4, 4, 4);
        change(image);
        return std::vector<ico::Image>{image};
    };
    const std::vector<std::vector<ico::Image>> bad{
        {},
        with([](ico::Image& i) { i.bitsPerPixel = 8; }),
        with([](ico::Image& i) { i.palette.removeLast(); }),
        with([](ico::Image& i) { i.index[5] = 16; }),
        with([](ico::Image& i) { i.transparent.pop_back(); }),
        {pattern(257, 1, 4)},
        {pattern(0, 4, 4)},
        {pattern(4, 4, 4), with([](ico::Image& i) { i.bitsPerPixel = 1; })[0]},  // a 16-colour palette at 1 bit
    };
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_THROW(ico::encode(bad[i]), std::invalid_argument) << "case " << i;
}

TEST(Quantise, TakesTheNearestPaletteColourAndMasksWhatIsMostlyClear)
{
    struct Case { QRgb in; int bits; int index; bool transparent; };
    const Case cases[] = {
        {qRgba(255, 0, 0, 255), 4, 9, false},       // palette colours stay themselves
        {qRgba(0x80, 0x80, 0, 255), 4, 3, false},
        {qRgba(0, 0x80, 0x80, 255), 4, 6, false},
        {qRgba(240, 20, 10, 255), 4, 9, false},     // near colours join them
        {qRgba(200, 200, 190, 255), 4, 7, false},
        {qRgba(110, 100, 120, 255), 4, 8, false},
        {qRgba(255, 255, 255, 128), 4, 15, false},  // half clear still counts as drawn
        {qRgba(255, 255, 255, 127), 4, 0, true},
        {qRgba(0, 0, 0, 0), 4, 0, true},
        {qRgba(100, 100, 100, 255), 1, 0, false},
        {qRgba(160, 160, 160, 255), 1, 1, false},
        {qRgba(255, 0, 0, 255), 1, 0, false},
        {qRgba(255, 255, 255, 100), 1, 0, true},
    };
    QImage drawn(static_cast<int>(std::size(cases)), 1, QImage::Format_ARGB32);
    for (int x = 0; x < drawn.width(); ++x)
        drawn.setPixel(x, 0, cases[x].in);
    for (int bits : {4, 1}) {
        const ico::Image image = ico::quantise(drawn, bits);
        EXPECT_EQ(image.palette.size(), 1 << bits);
        for (int x = 0; x < drawn.width(); ++x) {
            if (cases[x].bits != bits)
                continue;
            SCOPED_TRACE(testing::Message() << "case " << x);
            EXPECT_EQ(image.transparent[static_cast<std::size_t>(x)], cases[x].transparent);
            EXPECT_EQ(image.index[static_cast<std::size_t>(x)], cases[x].index);
        }
    }
}

// A premultiplied drawing of 55% red is red, not the dark red its stored channels suggest.
TEST(Quantise, ReadsPremultipliedDrawingsByTheirTrueColour)
{
    QImage drawn(1, 1, QImage::Format_ARGB32_Premultiplied);
    drawn.setPixel(0, 0, qPremultiply(qRgba(255, 0, 0, 140)));
    const ico::Image image = ico::quantise(drawn, 4);
    EXPECT_FALSE(image.transparent[0]);
    EXPECT_EQ(image.index[0], 9);
}

TEST(IcoPng, DecodesToTheSameImage)
{
    const ico::Image image = pattern(16, 16, 4, 7);
    const QImage read = QImage::fromData(ico::png(image), "png").convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(read.size(), image.size);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(read.pixel(x, y), image.pixel(x, y)) << x << "," << y;
}
