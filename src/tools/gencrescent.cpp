// Writes the telescope tool's 144 crescent orientation pictures: a young
// crescent on a dark sky, 72 x 72 pixels, its bright limb at 0, 10, .. 350
// degrees from the top of the picture (the zenith) towards the left (smaller
// azimuth, for an observer facing the Moon), each also mirrored left-right
// ("h"), top-bottom ("v") and both ("hv"). Usage: gencrescent <folder>.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

#include "lunar/gifwriter.h"

namespace {

constexpr int kSize = 72;            // the picture box of the telescope window
constexpr double kRadius = 30;       // the Moon's disk, pixels
constexpr double kTerminator = 0.55; // terminator ellipse's half-axis / radius: a thin crescent
constexpr int kSamples = 4;          // per pixel and axis, for smooth edges
constexpr double kPi = 3.14159265358979323846;

const QColor kSky(8, 12, 32);
const QColor kEarthshine(48, 52, 66);
const QColor kSunlit(255, 244, 200);

QColor mix(const QColor& a, const QColor& b, double share)
{
    const auto channel = [share](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * share));
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

QImage crescent(int angle, bool flipH, bool flipV)
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    const double t = angle * kPi / 180;
    // Unit vector towards the bright limb, x to the right, y upwards.
    const double lx = -std::sin(t), ly = std::cos(t);
    const double c = kSize / 2.0;
    for (int py = 0; py < kSize; ++py) {
        for (int px = 0; px < kSize; ++px) {
            int disk = 0, lit = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    double x = (px + (sx + 0.5) / kSamples - c) / kRadius;
                    double y = (c - (py + (sy + 0.5) / kSamples)) / kRadius;
                    if (flipH)
                        x = -x;
                    if (flipV)
                        y = -y;
                    const double u = x * lx + y * ly;  // along the bright direction
                    const double w = -x * ly + y * lx; // across it
                    if (u * u + w * w > 1)
                        continue;
                    ++disk;
                    if (u >= kTerminator * std::sqrt(1 - w * w))
                        ++lit;
                }
            }
            const double all = kSamples * kSamples;
            QColor colour = mix(kSky, kEarthshine, (disk - lit) / all);
            colour = mix(colour, kSunlit, lit / all);
            image.setPixelColor(px, py, colour);
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gencrescent <folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (int angle = 0; angle < 360; angle += 10) {
        const std::string step = angle == 0 ? "00" : std::to_string(angle);
        for (int flips = 0; flips < 4; ++flips) {
            const bool h = flips & 1, v = flips & 2;
            const std::string name = step + (h ? "h" : "") + (v ? "v" : "") + ".gif";
            const std::filesystem::path file = folder / name;
            // The picture mixes three colours in steps of 1/16, well under the
            // 256 a GIF table holds, so its colours are kept exactly.
            const QImage image = crescent(angle, h, v);
            std::vector<std::uint32_t> rgb;
            rgb.reserve(kSize * kSize);
            for (int py = 0; py < kSize; ++py)
                for (int px = 0; px < kSize; ++px)
                    rgb.push_back(image.pixel(px, py) & 0xFFFFFF);
            std::string error;
            lunar::GIF gif;
            if (!gif.SaveGIF(lunar::indexedFromRgb(kSize, kSize, rgb), file.string(), false, 0,
                             &error)) {
                std::fprintf(stderr, "gencrescent: cannot write %s: %s\n", file.c_str(),
                             error.c_str());
                return 1;
            }
        }
    }
    return 0;
}
