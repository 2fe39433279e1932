#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <gtest/gtest.h>

#include "lunar/gifwriter.h"
#include "support/testsupport.h"

using lunar::GIF;
using lunar::IndexedPicture;

namespace {

// A picture whose rows mix runs and noise, so that long rows fill the string
// table (and clear it) and short ones do not.
IndexedPicture testPicture(int width, int height)
{
    IndexedPicture pic;
    pic.width = width;
    pic.height = height;
    pic.palette = lunar::cubePalette();
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int v = (x / 7 + y) % 3 == 0 ? (seed >> 16) % 125 : (x / 13) % 125;
            pic.pixels.push_back(static_cast<std::uint8_t>(v));
        }
    return pic;
}

QImage decode(const std::string& bytes)
{
    return QImage::fromData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), "GIF");
}

// The image data's sub-block sizes, from the LZW code size byte on.
std::vector<int> subBlocks(const std::string& bytes, bool trans)
{
    std::size_t p = 13 + 768 + (trans ? 8 : 0) + 10 + 1;
    std::vector<int> sizes;
    while (p < bytes.size() && bytes[p] != 0) {
        const int n = static_cast<unsigned char>(bytes[p]);
        sizes.push_back(n);
        p += 1 + n;
    }
    return sizes;
}

} // namespace

// Qt's reader gives back every pixel's colour, for narrow, wide and odd sizes.
TEST(GifWriter, QtReadsBackTheSamePixels)
{
    struct Case {
        const char* what;
        int width, height;
    } cases[] = {
        {"one pixel wide: clear code and one pixel a row", 1, 23},
        {"long noisy rows clear the table within the row", 700, 12},
        {"a map-sized picture", 775, 483},
        {"one pixel", 1, 1},
    };
    for (const Case& c : cases) {
        const IndexedPicture pic = testPicture(c.width, c.height);
        const QImage img = decode(GIF().encode(pic, false, 0));
        ASSERT_FALSE(img.isNull()) << c.what;
        ASSERT_EQ(img.width(), c.width) << c.what;
        ASSERT_EQ(img.height(), c.height) << c.what;
        int wrong = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const int e = pic.pixels[static_cast<std::size_t>(y) * c.width + x];
                const QRgb want =
                    qRgb(pic.palette[3 * e], pic.palette[3 * e + 1], pic.palette[3 * e + 2]);
                wrong += (img.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF);
            }
        EXPECT_EQ(wrong, 0) << c.what;
    }
}

TEST(GifWriter, HeaderDescriptorsAndSubBlocks)
{
    const IndexedPicture pic = testPicture(300, 40);
    const std::string g = GIF().encode(pic, false, 0);
    EXPECT_EQ(g.substr(0, 6), "GIF87a");
    EXPECT_EQ(g.substr(6, 4), std::string("\x2C\x01\x28\x00", 4)); // 300 by 40
    EXPECT_EQ(static_cast<unsigned char>(g[10]), 0xF7);
    EXPECT_EQ(static_cast<unsigned char>(g[13 + 768]), 0x2C); // no extension block
    EXPECT_EQ(g.substr(13 + 768 + 1, 9), std::string("\0\0\0\0\x2C\x01\x28\x00\x07", 9));
    EXPECT_EQ(g[13 + 768 + 10], 8);
    const std::vector<int> sizes = subBlocks(g, false);
    ASSERT_GT(sizes.size(), 2u);
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i)
        EXPECT_EQ(sizes[i], 255) << "sub-block " << i;
    EXPECT_GE(sizes.back(), 1);
    EXPECT_LE(sizes.back(), 255);
    EXPECT_EQ(g.back(), ';');
}

// Each row of a one-pixel-wide picture is the clear code and its pixel: 18
// bits a row, then the end code.
TEST(GifWriter, OnePixelWideRowsAreClearAndPixel)
{
    IndexedPicture pic;
    pic.width = 1;
    pic.height = 2;
    pic.pixels = {5, 3};
    const std::string g = GIF().encode(pic, false, 0);
    const std::vector<int> sizes = subBlocks(g, false);
    ASSERT_EQ(sizes.size(), 1u);
    ASSERT_EQ(sizes[0], 6); // 5 codes of 9 bits = 45 bits
    const std::size_t data = 13 + 768 + 10 + 2;
    std::uint64_t bits = 0;
    for (int i = 0; i < 6; ++i)
        bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(g[data + i])) << (8 * i);
    const int want[5] = {256, 5, 256, 3, 257};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ((bits >> (9 * i)) & 0x1FF, static_cast<std::uint64_t>(want[i])) << "code " << i;
}

TEST(GifWriter, TransparentColour)
{
    IndexedPicture pic = testPicture(10, 10);
    pic.pixels[0] = 124; // white in the colour cube
    struct Case {
        const char* what;
        std::uint32_t colour;
        int index;
    } cases[] = {
        {"white is the cube's entry 124", 0xFFFFFF, 124},
        {"a colour not in the table gives entry 0", 0x123456, 0},
    };
    for (const Case& c : cases) {
        const std::string g = GIF().encode(pic, true, c.colour);
        EXPECT_EQ(g.substr(0, 6), "GIF89a") << c.what;
        EXPECT_EQ(g.substr(13 + 768, 4), "\x21\xF9\x04\x09") << c.what;
        EXPECT_EQ(static_cast<unsigned char>(g[13 + 768 + 6]), c.index) << c.what;
    }
    const QImage img = decode(GIF().encode(pic, true, 0xFFFFFF));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(img.pixel(1, 0)), 255);
}

TEST(GifWriter, PictureColoursKeptExactlyUpTo256)
{
    std::vector<std::uint32_t> few = {0x00CDCD, 0xEE0000, 0xFFC125, 0x00CDCD};
    const IndexedPicture exact = lunar::indexedFromRgb(2, 2, few);
    EXPECT_EQ(exact.pixels, (std::vector<std::uint8_t>{0, 1, 2, 0}));
    EXPECT_EQ(exact.palette[3 * 2], 0xFF);
    EXPECT_EQ(exact.palette[3 * 2 + 1], 0xC1);
    EXPECT_EQ(exact.palette[3 * 2 + 2], 0x25);

    std::vector<std::uint32_t> many;
    for (std::uint32_t i = 0; i < 300; ++i)
        many.push_back(i * 0x010203);
    const IndexedPicture cube = lunar::indexedFromRgb(300, 1, many);
    EXPECT_EQ(cube.palette, lunar::cubePalette());
    EXPECT_EQ(cube.pixels[0], 0);
    EXPECT_EQ(lunar::cubeIndex(255, 255, 255), 124);
    EXPECT_EQ(lunar::cubeIndex(238, 0, 0), 4);
}

class GifFile : public testsupport::ProgramFolderTest {};

TEST_F(GifFile, SaveWritesRefusesAndReportsFailure)
{
    const IndexedPicture pic = testPicture(50, 30);
    GIF gif;
    std::vector<int> progress;
    bool nested = true;
    const std::string path = file("out.gif").string();
    gif.Progress = [&](int p) {
        progress.push_back(p);
        // A save started from the progress hand-over is refused.
        nested = gif.SaveGIF(pic, file("nested.gif").string(), false, 0);
    };
    put("out.gif", "old");
    ASSERT_TRUE(gif.SaveGIF(pic, path, false, 0));
    EXPECT_FALSE(nested);
    EXPECT_FALSE(std::filesystem::exists(file("nested.gif")));
    EXPECT_EQ(progress, (std::vector<int>{33, 67, 100}));
    EXPECT_EQ(get("out.gif"), GIF().encode(pic, false, 0));

    // A file that cannot be written is a failure, and the object stays usable.
    std::string error;
    EXPECT_FALSE(gif.SaveGIF(pic, file("no/such/folder/x.gif").string(), false, 0, &error));
    EXPECT_FALSE(error.empty());
    IndexedPicture empty;
    EXPECT_FALSE(gif.SaveGIF(empty, path, false, 0));
    EXPECT_TRUE(gif.SaveGIF(pic, file("again.gif").string(), false, 0));
}
