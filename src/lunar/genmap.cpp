// Writes map.gif, the world map under the crescent-visibility circles, from
// the Natural Earth land polygons (TopoJSON): pale land on a pale sea, a grid
// every 30 degrees of longitude and 20 of latitude with labels along the top
// and the right edge, and a white band below for the window's labels.
// Usage: genmap <land-50m.json> <map.gif>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "gifwriter.h"
#include "vismapgeometry.h"

namespace {

constexpr int kWidth = 775, kHeight = 483;
enum Colour : std::uint8_t { White, Sea, Land, Grid, Text, Coast };

struct Point {
    double x, y;
};

// 3 by 5 digits and the few letters the labels use, one row a number, the
// highest bit on the left.
int glyphRow(char c, int row)
{
    static const char* const digits[10][5] = {
        {"111", "101", "101", "101", "111"}, {"010", "110", "010", "010", "111"},
        {"111", "001", "111", "100", "111"}, {"111", "001", "111", "001", "111"},
        {"101", "101", "111", "001", "001"}, {"111", "100", "111", "001", "111"},
        {"111", "100", "111", "101", "111"}, {"111", "001", "010", "010", "010"},
        {"111", "101", "111", "101", "111"}, {"111", "101", "111", "001", "111"}};
    static const char* const E[5] = {"111", "100", "110", "100", "111"};
    static const char* const W[5] = {"101", "101", "101", "111", "101"};
    static const char* const N[5] = {"101", "111", "111", "111", "101"};
    static const char* const S[5] = {"111", "100", "111", "001", "111"};
    const char* const* g = nullptr;
    if (c >= '0' && c <= '9')
        g = digits[c - '0'];
    else if (c == 'E')
        g = E;
    else if (c == 'W')
        g = W;
    else if (c == 'N')
        g = N;
    else if (c == 'S')
        g = S;
    if (!g)
        return 0;
    int bits = 0;
    for (int i = 0; i < 3; ++i)
        bits = bits * 2 + (g[row][i] == '1');
    return bits;
}

class Canvas {
public:
    Canvas() : pixels(static_cast<std::size_t>(kWidth) * kHeight, White) {}
    void set(int x, int y, std::uint8_t c)
    {
        if (x >= 0 && y >= 0 && x < kWidth && y < kHeight)
            pixels[static_cast<std::size_t>(y) * kWidth + x] = c;
    }
    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * kWidth + x]; }
    // Text of the little font, 4 pixels a character, top left at (x, y).
    void text(int x, int y, const std::string& s)
    {
        for (std::size_t i = 0; i < s.size(); ++i)
            for (int row = 0; row < 5; ++row) {
                const int bits = glyphRow(s[i], row);
                for (int col = 0; col < 3; ++col)
                    if (bits & (4 >> col))
                        set(x + 4 * static_cast<int>(i) + col, y + row, Text);
            }
    }
    std::vector<std::uint8_t> pixels;
};

// Even-odd fill, ring by ring into a parity mask, so that lakes stay open.
// A ring stitched across the antimeridian is unwrapped into one piece and
// drawn once more a world's width to either side; a ring that goes round a
// pole is closed along that pole's edge of the map.
void toggleRing(std::vector<std::uint8_t>& parity, std::vector<Point> ring, int top, int bottom)
{
    double offset = 0;
    for (std::size_t i = 1; i < ring.size(); ++i) {
        const double jump = ring[i].x + offset - ring[i - 1].x;
        if (jump > 180)
            offset -= 360;
        else if (jump < -180)
            offset += 360;
        ring[i].x += offset;
    }
    if (offset != 0) {
        double meanLat = 0;
        for (const Point& p : ring)
            meanLat += p.y;
        const double pole = meanLat < 0 ? -90 : 90;
        const Point first = ring.front(), last = ring.back();
        ring.push_back({last.x, pole});
        ring.push_back({first.x, pole});
        ring.push_back(first);
    }
    for (Point& p : ring)
        p = {lunar::mapX(p.x), lunar::mapY(p.y)};
    const double world = lunar::mapX(180) - lunar::mapX(-180);
    for (int shift = -1; shift <= 1; ++shift)
        for (int y = top; y < bottom; ++y) {
            const double sy = y + 0.5;
            std::vector<double> xs;
            for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
                const Point a = ring[i], b = ring[i + 1];
                if ((a.y <= sy) != (b.y <= sy))
                    xs.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x) + shift * world);
            }
            std::sort(xs.begin(), xs.end());
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                const int x0 = std::max(0, static_cast<int>(std::ceil(xs[i] - 0.5)));
                const int x1 = std::min(kWidth - 1, static_cast<int>(std::floor(xs[i + 1] - 0.5)));
                for (int x = x0; x <= x1; ++x)
                    parity[static_cast<std::size_t>(y) * kWidth + x] ^= 1;
            }
        }
}

std::string label(int v, char plus, char minus)
{
    if (v == 0)
        return "0";
    return std::to_string(std::abs(v)) + (v > 0 ? plus : minus);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: genmap <land-50m.json> <map.gif>\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "genmap: cannot read %s\n", argv[1]);
        return 1;
    }
    const QJsonObject topo = QJsonDocument::fromJson(in.readAll()).object();
    const QJsonArray scale = topo["transform"].toObject()["scale"].toArray();
    const QJsonArray translate = topo["transform"].toObject()["translate"].toArray();
    const QJsonArray arcsJson = topo["arcs"].toArray();
    if (scale.size() != 2 || arcsJson.isEmpty()) {
        std::fprintf(stderr, "genmap: %s is not a quantized TopoJSON topology\n", argv[1]);
        return 1;
    }

    // Arcs: delta-coded quantized positions, turned into picture pixels.
    std::vector<std::vector<Point>> arcs;
    for (const QJsonValue& arcValue : arcsJson) {
        std::vector<Point> arc;
        double qx = 0, qy = 0;
        for (const QJsonValue& p : arcValue.toArray()) {
            qx += p.toArray()[0].toDouble();
            qy += p.toArray()[1].toDouble();
            const double lon = qx * scale[0].toDouble() + translate[0].toDouble();
            const double lat = qy * scale[1].toDouble() + translate[1].toDouble();
            arc.push_back({lon, lat});
        }
        arcs.push_back(std::move(arc));
    }
    auto ringOf = [&](const QJsonArray& indexes) {
        std::vector<Point> ring;
        for (const QJsonValue& v : indexes) {
            const int i = v.toInt();
            std::vector<Point> arc = arcs.at(static_cast<std::size_t>(i < 0 ? ~i : i));
            if (i < 0)
                std::reverse(arc.begin(), arc.end());
            // Consecutive arcs share their joining point.
            ring.insert(ring.end(), arc.begin() + (ring.empty() ? 0 : 1), arc.end());
        }
        return ring;
    };

    std::vector<std::vector<Point>> rings;
    for (const QJsonValue& object : topo["objects"].toObject())
        for (const QJsonValue& geometry : object.toObject()["geometries"].toArray()) {
            const QJsonObject g = geometry.toObject();
            if (g["type"].toString() == "Polygon")
                for (const QJsonValue& r : g["arcs"].toArray())
                    rings.push_back(ringOf(r.toArray()));
            else if (g["type"].toString() == "MultiPolygon")
                for (const QJsonValue& polygon : g["arcs"].toArray())
                    for (const QJsonValue& r : polygon.toArray())
                        rings.push_back(ringOf(r.toArray()));
        }

    Canvas canvas;
    const int left = static_cast<int>(std::lround(lunar::mapX(-180)));
    const int right = static_cast<int>(std::lround(lunar::mapX(180)));
    const int top = static_cast<int>(std::lround(lunar::mapY(90)));
    const int bottom = static_cast<int>(std::lround(lunar::mapY(-90)));
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            canvas.set(x, y, Sea);
    std::vector<std::uint8_t> parity(canvas.pixels.size(), 0);
    for (const auto& ring : rings)
        toggleRing(parity, ring, top, bottom + 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (parity[static_cast<std::size_t>(y) * kWidth + x])
                canvas.set(x, y, Land);
    // Coasts one shade darker, where land meets sea.
    std::vector<std::uint8_t> copy = canvas.pixels;
    for (int y = top + 1; y < bottom; ++y)
        for (int x = left + 1; x < right; ++x)
            if (copy[static_cast<std::size_t>(y) * kWidth + x] == Land &&
                (copy[static_cast<std::size_t>(y) * kWidth + x - 1] == Sea ||
                 copy[static_cast<std::size_t>(y) * kWidth + x + 1] == Sea ||
                 copy[static_cast<std::size_t>(y - 1) * kWidth + x] == Sea ||
                 copy[static_cast<std::size_t>(y + 1) * kWidth + x] == Sea))
                canvas.set(x, y, Coast);

    for (int lon = -180; lon <= 180; lon += 30) {
        const int x = static_cast<int>(std::lround(lunar::mapX(lon)));
        for (int y = top; y <= bottom; ++y)
            canvas.set(x, y, Grid);
        const std::string t = label(lon, 'E', 'W');
        const int w = 4 * static_cast<int>(t.size());
        canvas.text(std::clamp(x - w / 2, 1, kWidth - w), top - 9, t);
    }
    for (int lat = -80; lat <= 80; lat += 20) {
        const int y = static_cast<int>(std::lround(lunar::mapY(lat)));
        for (int x = left; x <= right; ++x)
            canvas.set(x, y, Grid);
        canvas.text(right + 4, y - 2, label(lat, 'N', 'S'));
    }
    for (int x = left; x <= right; ++x) {
        canvas.set(x, top, Grid);
        canvas.set(x, bottom, Grid);
    }

    lunar::IndexedPicture pic;
    pic.width = kWidth;
    pic.height = kHeight;
    pic.pixels = canvas.pixels;
    const std::uint8_t colours[6][3] = {{255, 255, 255}, {226, 238, 248}, {244, 240, 226},
                                        {176, 186, 198}, {40, 48, 64},    {200, 190, 160}};
    for (int e = 0; e < 6; ++e)
        for (int c = 0; c < 3; ++c)
            pic.palette[3 * e + c] = colours[e][c];
    const std::string bytes = lunar::GIF().encode(pic, false, 0);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "genmap: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
