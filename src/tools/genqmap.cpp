// Writes the Qibla world map picture of the Qibla map window: a plate carrée
// world, 180 W to 180 E, coloured in bands of equal Qibla bearing (20 degrees
// wide, centred on the multiples of 20) that meet at the Kaaba and at its
// antipode, with the land shaded, its coastlines, a grid every 30 degrees of
// longitude and 20 of latitude, and the bearing of each band in red along the
// top and the bottom edge. Every pixel's bearing comes from the Qibla
// window's own function, so the map and the needle never disagree.
//
// genqmap <land TopoJSON> <output PNG>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <QColor>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>
#include <QVector>

#include "qibla.h"

namespace {

constexpr int kWidth = 778;
constexpr int kHeight = 450;
constexpr int kBandWidth = 20; // degrees of bearing per band
constexpr int kBands = 360 / kBandWidth;

double xOf(double longitude)
{
    return (longitude + 180) / 360 * kWidth;
}
double yOf(double latitude)
{
    return (90 - latitude) / 180 * kHeight;
}
double longitudeOf(double x)
{
    return -180 + 360 * (x + 0.5) / kWidth;
}
double latitudeOf(double y)
{
    return 90 - 180 * (y + 0.5) / kHeight;
}

// The band of a bearing: band k holds the bearings within 10 degrees of 20 k.
int bandOf(double bearing)
{
    return static_cast<int>(std::floor((bearing + kBandWidth / 2.0) / kBandWidth)) % kBands;
}

// Pale colours around the hue circle, neighbours told apart by alternating
// lightness; land is the same hue, darker.
QColor seaColour(int band)
{
    return QColor::fromHsv(band * 360 / kBands, band % 2 ? 70 : 110, 250);
}
QColor landColour(int band)
{
    return QColor::fromHsv(band * 360 / kBands, band % 2 ? 120 : 160, 200);
}

// The land polygons of a TopoJSON topology (quantized, delta-encoded arcs).
QPainterPath landPath(const QJsonObject& topology)
{
    const QJsonObject transform = topology["transform"].toObject();
    const QJsonArray scale = transform["scale"].toArray();
    const QJsonArray translate = transform["translate"].toArray();
    const double sx = scale[0].toDouble(), sy = scale[1].toDouble();
    const double tx = translate[0].toDouble(), ty = translate[1].toDouble();

    // Arcs in degrees: longitude, latitude.
    QVector<QVector<QPointF>> arcs;
    for (const QJsonValue& arcValue : topology["arcs"].toArray()) {
        QVector<QPointF> points;
        double qx = 0, qy = 0;
        for (const QJsonValue& p : arcValue.toArray()) {
            const QJsonArray pair = p.toArray();
            qx += pair[0].toDouble();
            qy += pair[1].toDouble();
            points.append(QPointF(qx * sx + tx, qy * sy + ty));
        }
        arcs.append(points);
    }

    auto ring = [&arcs](const QJsonArray& indices) {
        QVector<QPointF> ring;
        for (const QJsonValue& v : indices) {
            const int i = v.toInt();
            const bool reversed = i < 0;
            const QVector<QPointF>& arc = arcs[reversed ? ~i : i];
            const qsizetype n = arc.size();
            // Consecutive arcs share their end point.
            for (qsizetype k = ring.isEmpty() ? 0 : 1; k < n; ++k)
                ring.append(reversed ? arc[n - 1 - k] : arc[k]);
        }
        return ring;
    };
    auto toPixels = [](const QVector<QPointF>& ring, double shift) {
        QPolygonF polygon;
        for (const QPointF& p : ring)
            polygon.append(QPointF(xOf(p.x() + shift), yOf(p.y())));
        return polygon;
    };

    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    const QJsonObject land = topology["objects"].toObject()["land"].toObject();
    for (const QJsonValue& g : land["geometries"].toArray()) {
        const QJsonObject geometry = g.toObject();
        QJsonArray polygons = geometry["arcs"].toArray();
        if (geometry["type"].toString() == QLatin1String("Polygon"))
            polygons = QJsonArray{polygons};
        for (const QJsonValue& polygon : polygons)
            for (const QJsonValue& r : polygon.toArray()) {
                QVector<QPointF> points = ring(r.toArray());
                // A ring that steps across 180 degrees and back (an island
                // astride the date line) is made continuous and drawn on both
                // sides; one that steps across once goes round a pole and
                // closes along the map's edge as it is.
                int jumps = 0;
                for (qsizetype k = 1; k < points.size(); ++k)
                    if (std::fabs(points[k].x() - points[k - 1].x()) > 180)
                        ++jumps;
                if (jumps == 0 || jumps % 2 == 1) {
                    path.addPolygon(toPixels(points, 0));
                    continue;
                }
                double offset = 0;
                for (qsizetype k = 1; k < points.size(); ++k) {
                    const double step = points[k].x() + offset - points[k - 1].x();
                    if (step > 180)
                        offset -= 360;
                    else if (step < -180)
                        offset += 360;
                    points[k].rx() += offset;
                }
                for (double shift : {-360.0, 0.0, 360.0})
                    path.addPolygon(toPixels(points, shift));
            }
    }
    return path;
}

// The coastlines: the rings' outlines, broken where a ring steps across the
// edge of the map (rings that cross 180 degrees jump from one side to the
// other, and a straight stroke would cross the whole world).
QPainterPath coastPath(const QPainterPath& land)
{
    QPainterPath coast;
    for (const QPolygonF& ring : land.toSubpathPolygons()) {
        for (qsizetype k = 0; k < ring.size(); ++k) {
            const bool jump = k == 0 || std::fabs(ring[k].x() - ring[k - 1].x()) > kWidth / 2.0;
            const bool onEdge =
                k > 0 && ((ring[k].x() <= 0.01 && ring[k - 1].x() <= 0.01) ||
                          (ring[k].x() >= kWidth - 0.01 && ring[k - 1].x() >= kWidth - 0.01) ||
                          (ring[k].y() >= kHeight - 0.5 && ring[k - 1].y() >= kHeight - 0.5));
            if (jump || onEdge)
                coast.moveTo(ring[k]);
            else
                coast.lineTo(ring[k]);
        }
    }
    return coast;
}

// The bands along one row: the red number of each band at its middle, where
// the band is wide enough to carry it.
void labelRow(QPainter& painter, const QVector<int>& bands, int top)
{
    const QFontMetrics metrics(painter.font());
    int start = 0;
    for (int x = 1; x <= kWidth; ++x) {
        if (x < kWidth && bands[x] == bands[start])
            continue;
        const QString text = QString::number(bands[start] * kBandWidth);
        const int width = metrics.horizontalAdvance(text);
        if (x - start >= width + 4)
            painter.drawText(QRect((start + x - width) / 2, top, width, metrics.height()),
                             Qt::AlignCenter, text);
        start = x;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: genqmap <land TopoJSON> <output PNG>\n");
        return 2;
    }
    // Drawing text needs the font database of a platform; none is on screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "genqmap: cannot read %s\n", argv[1]);
        return 1;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(input.readAll(), &parseError);
    if (document.isNull()) {
        std::fprintf(stderr, "genqmap: %s: %s\n", argv[1],
                     parseError.errorString().toLocal8Bit().constData());
        return 1;
    }

    QImage landMask(kWidth, kHeight, QImage::Format_Grayscale8);
    landMask.fill(0);
    const QPainterPath land = landPath(document.object());
    {
        QPainter p(&landMask);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillPath(land, Qt::white);
    }

    QImage map(kWidth, kHeight, QImage::Format_RGB32);
    QVector<int> topBands(kWidth), bottomBands(kWidth);
    for (int y = 0; y < kHeight; ++y) {
        const double latitude = latitudeOf(y);
        const uchar* mask = landMask.constScanLine(y);
        for (int x = 0; x < kWidth; ++x) {
            const qibla::Bearing b = qibla::qiblaBearing(longitudeOf(x), latitude);
            const int band = bandOf(b.degrees);
            if (y == 0)
                topBands[x] = band;
            if (y == kHeight - 1)
                bottomBands[x] = band;
            map.setPixelColor(x, y, mask[x] ? landColour(band) : seaColour(band));
        }
    }

    QPainter painter(&map);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(90, 90, 90), 0.8));
    painter.drawPath(coastPath(land));

    // The grid and its labels: longitudes along the top, latitudes on the right.
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(9);
    painter.setFont(small);
    for (int longitude = -150; longitude <= 180; longitude += 30) {
        const double x = xOf(longitude);
        painter.setPen(QPen(QColor(120, 120, 120, 150), 0.6, Qt::DashLine));
        painter.drawLine(QPointF(x, 0), QPointF(x, kHeight));
        const QString text = longitude == 0     ? QStringLiteral("0")
                             : longitude == 180 ? QStringLiteral("180E")
                             : longitude < 0    ? QString::number(-longitude) + 'W'
                                                : QString::number(longitude) + 'E';
        painter.setPen(QColor(40, 40, 40));
        // The last label ends at the right edge, clear of the latitudes.
        const double right = std::min(x - 2, kWidth - 32.0);
        painter.drawText(QRectF(right - 28, 15, 28, 12), Qt::AlignRight | Qt::AlignVCenter, text);
    }
    for (int latitude = 80; latitude >= -80; latitude -= 20) {
        const double y = yOf(latitude);
        painter.setPen(QPen(QColor(120, 120, 120, 150), 0.6, Qt::DashLine));
        painter.drawLine(QPointF(0, y), QPointF(kWidth, y));
        painter.setPen(QColor(40, 40, 40));
        painter.drawText(QRectF(kWidth - 30, y - 12, 26, 11), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(latitude));
    }

    // The Kaaba, where every band begins.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(xOf(qibla::kKaabaLongitude), yOf(qibla::kKaabaLatitude)), 2.5, 2.5);

    QFont bold(QStringLiteral("DejaVu Sans"));
    bold.setPixelSize(11);
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(QColor(200, 0, 0));
    labelRow(painter, topBands, 1);
    labelRow(painter, bottomBands, kHeight - QFontMetrics(bold).height() - 1);
    painter.end();

    if (!map.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "genqmap: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
