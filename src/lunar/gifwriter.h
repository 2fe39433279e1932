// The system's own GIF writer: one image with a 256-colour global colour
// table and, on request, one transparent colour. Plain C++: the pixels come
// in as colour-table indexes, so a window hands it an image and the build's
// picture generator its own drawing.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lunar {

// A picture of colour-table indexes, rows top to bottom.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;        // width * height indexes
    std::array<std::uint8_t, 768> palette{}; // 256 entries of red, green, blue
};

// The 125-colour cube (levels 0, 64, 128, 192, 255 of blue, green and red;
// entry 25 b + 5 g + r) followed by black, and the entry nearest to a colour.
std::array<std::uint8_t, 768> cubePalette();
std::uint8_t cubeIndex(int red, int green, int blue);

// An indexed picture of 0xRRGGBB pixels (rows top to bottom): with the
// picture's own colours as the table when there are no more than 256 of them
// (a map of a few flat colours keeps them exactly), else the colour cube.
IndexedPicture indexedFromRgb(int width, int height, const std::vector<std::uint32_t>& rgb);

class GIF {
public:
    // Raised after every tenth row with 100 row / height rounded (half to even).
    std::function<void(int Percents)> Progress;

    // Writes `pic` to sFileName, replacing any file of that name atomically.
    // UseTrans: GIF89a with the transparent colour TransColor (red + 256 green +
    // 65536 blue; the first table entry of that colour, else entry 0), else
    // GIF87a. False when a save of this object is running already, when the
    // picture is empty, larger than 65535 pixels either way or inconsistent,
    // or when the file cannot be written (error then says why).
    bool SaveGIF(const IndexedPicture& pic, const std::string& sFileName, bool UseTrans,
                 std::uint32_t TransColor, std::string* error = nullptr);

    // The bytes of the file SaveGIF writes; empty for a picture it refuses.
    std::string encode(const IndexedPicture& pic, bool UseTrans, std::uint32_t TransColor);

private:
    bool busy_ = false;
};

} // namespace lunar
