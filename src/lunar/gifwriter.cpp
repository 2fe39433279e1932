#include "gifwriter.h"

#include <cmath>
#include <unordered_map>

#include "platform/filewriter.h"

namespace lunar {

namespace {

constexpr int kClearCode = 256;
constexpr int kEndCode = 257;
constexpr int kFirstString = 258;
// Strings 258..510: a clear code before the table would need code 512 keeps
// every code within the fixed width of 9 bits.
constexpr int kMaxStrings = 253;
constexpr int kCodeBits = 9;

// LZW codes packed from the least significant bit, in sub-blocks of up to
// 255 bytes, each written out as soon as a 256th byte is needed.
class CodeStream {
public:
    explicit CodeStream(std::string& out) : out_(out) {}

    void write(int code)
    {
        for (int i = 0; i < kCodeBits; ++i) {
            if (bitPos_ == 8) {
                if (block_.size() == 255) {
                    flushBlock();
                }
                block_.push_back(0);
                bitPos_ = 0;
            }
            if (code & (1 << i))
                block_.back() = static_cast<char>(block_.back() | (1 << bitPos_));
            ++bitPos_;
        }
    }

    void finish()
    {
        if (!block_.empty())
            flushBlock();
        out_.push_back('\0');
    }

private:
    void flushBlock()
    {
        out_.push_back(static_cast<char>(block_.size()));
        out_ += block_;
        block_.clear();
    }

    std::string& out_;
    std::string block_;
    int bitPos_ = 8;
};

void put16(std::string& out, int v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

// Marks the object busy for one save, however the save ends.
struct BusyScope {
    explicit BusyScope(bool& b) : busy(b) { busy = true; }
    ~BusyScope() { busy = false; }
    bool& busy;
};

int nearestLevel(int v)
{
    static const int levels[5] = {0, 64, 128, 192, 255};
    int best = 0;
    for (int i = 1; i < 5; ++i)
        if (std::abs(levels[i] - v) < std::abs(levels[best] - v))
            best = i;
    return best;
}

} // namespace

std::array<std::uint8_t, 768> cubePalette()
{
    static const int levels[5] = {0, 64, 128, 192, 255};
    std::array<std::uint8_t, 768> p{};
    for (int b = 0; b < 5; ++b)
        for (int g = 0; g < 5; ++g)
            for (int r = 0; r < 5; ++r) {
                const int e = 25 * b + 5 * g + r;
                p[3 * e] = static_cast<std::uint8_t>(levels[r]);
                p[3 * e + 1] = static_cast<std::uint8_t>(levels[g]);
                p[3 * e + 2] = static_cast<std::uint8_t>(levels[b]);
            }
    return p;
}

std::uint8_t cubeIndex(int red, int green, int blue)
{
    return static_cast<std::uint8_t>(25 * nearestLevel(blue) + 5 * nearestLevel(green) +
                                     nearestLevel(red));
}

IndexedPicture indexedFromRgb(int width, int height, const std::vector<std::uint32_t>& rgb)
{
    IndexedPicture pic;
    pic.width = width;
    pic.height = height;
    pic.pixels.resize(rgb.size());
    std::unordered_map<std::uint32_t, std::uint8_t> table;
    for (std::uint32_t c : rgb) {
        c &= 0xFFFFFF;
        if (table.count(c))
            continue;
        if (table.size() == 256) {
            table.clear();
            break;
        }
        const auto e = static_cast<std::uint8_t>(table.size());
        table[c] = e;
        pic.palette[3 * e] = static_cast<std::uint8_t>(c >> 16);
        pic.palette[3 * e + 1] = static_cast<std::uint8_t>(c >> 8);
        pic.palette[3 * e + 2] = static_cast<std::uint8_t>(c);
    }
    if (table.empty() && !rgb.empty()) {
        pic.palette = cubePalette();
        for (std::size_t i = 0; i < rgb.size(); ++i)
            pic.pixels[i] = cubeIndex((rgb[i] >> 16) & 0xFF, (rgb[i] >> 8) & 0xFF, rgb[i] & 0xFF);
        return pic;
    }
    for (std::size_t i = 0; i < rgb.size(); ++i)
        pic.pixels[i] = table[rgb[i] & 0xFFFFFF];
    return pic;
}

std::string GIF::encode(const IndexedPicture& pic, bool UseTrans, std::uint32_t TransColor)
{
    // The descriptors hold 16-bit sizes; an empty picture has no rows to code.
    if (pic.width <= 0 || pic.height <= 0 || pic.width > 65535 || pic.height > 65535 ||
        pic.pixels.size() != static_cast<std::size_t>(pic.width) * pic.height)
        return {};

    std::string out;
    out += UseTrans ? "GIF89a" : "GIF87a";
    put16(out, pic.width);
    put16(out, pic.height);
    out.push_back(static_cast<char>(0xF7)); // global table, 8-bit colour, 256 entries
    out.push_back('\0');                    // background index
    out.push_back('\0');                    // aspect ratio
    for (std::uint8_t b : pic.palette)
        out.push_back(static_cast<char>(b));

    if (UseTrans) {
        int trans = 0;
        for (int e = 0; e < 256; ++e) {
            const std::uint32_t c = pic.palette[3 * e] + 256u * pic.palette[3 * e + 1] +
                                    65536u * pic.palette[3 * e + 2];
            if (c == TransColor) {
                trans = e;
                break;
            }
        }
        out += "\x21\xF9\x04\x09";
        put16(out, 0);
        out.push_back(static_cast<char>(trans));
        out.push_back('\0');
    }

    out.push_back(0x2C);
    put16(out, 0);
    put16(out, 0);
    put16(out, pic.width);
    put16(out, pic.height);
    out.push_back(0x07);
    out.push_back(8); // LZW minimum code size

    CodeStream codes(out);
    // A string is known by its prefix's code and its last pixel.
    std::unordered_map<std::uint32_t, int> strings;
    strings.reserve(512);
    for (int row = 0; row < pic.height; ++row) {
        const std::uint8_t* px = pic.pixels.data() + static_cast<std::size_t>(row) * pic.width;
        codes.write(kClearCode);
        strings.clear();
        int w = px[0];
        for (int x = 1; x < pic.width; ++x) {
            const int k = px[x];
            const std::uint32_t key = (static_cast<std::uint32_t>(w) << 8) | k;
            const auto found = strings.find(key);
            if (found != strings.end()) {
                w = found->second;
                continue;
            }
            if (static_cast<int>(strings.size()) == kMaxStrings) {
                codes.write(w);
                codes.write(kClearCode);
                strings.clear();
            } else {
                strings.emplace(key, kFirstString + static_cast<int>(strings.size()));
                codes.write(w);
            }
            w = k;
        }
        codes.write(w);
        if ((row + 1) % 10 == 0 && Progress)
            Progress(static_cast<int>(std::nearbyint(100.0 * (row + 1) / pic.height)));
    }
    codes.write(kEndCode);
    codes.finish();
    out.push_back(0x3B);
    return out;
}

bool GIF::SaveGIF(const IndexedPicture& pic, const std::string& sFileName, bool UseTrans,
                  std::uint32_t TransColor, std::string* error)
{
    if (busy_)
        return false;
    BusyScope busy(busy_);
    const std::string bytes = encode(pic, UseTrans, TransColor);
    if (bytes.empty()) {
        if (error)
            *error = "the picture is empty or too large for a GIF file";
        return false;
    }
    std::string why;
    if (!platform::fileWriter().replaceFile(sFileName, bytes, why)) {
        if (error)
            *error = why;
        return false;
    }
    return true;
}

} // namespace lunar
