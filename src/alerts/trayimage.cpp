#include "trayimage.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace alerts {

QPixmap alertIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1b, 0x6e, 0x3c));
    p.drawEllipse(QRectF(0.03 * s, 0.03 * s, 0.94 * s, 0.94 * s));

    // The crescent: a disc less a disc moved towards the upper right.
    QPainterPath moon;
    moon.addEllipse(QRectF(0.16 * s, 0.18 * s, 0.62 * s, 0.62 * s));
    QPainterPath bite;
    bite.addEllipse(QRectF(0.33 * s, 0.10 * s, 0.56 * s, 0.56 * s));
    p.setBrush(QColor(0xf7, 0xe7, 0xa1));
    p.drawPath(moon.subtracted(bite));

    // A five-pointed star inside the crescent's opening.
    QPolygonF star;
    const QPointF centre(0.70 * s, 0.58 * s);
    const double outer = 0.14 * s, inner = 0.057 * s;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = -M_PI / 2 + i * M_PI / 5;
        star << centre + QPointF(r * std::cos(a), r * std::sin(a));
    }
    p.drawPolygon(star);
    return pixmap;
}

QIcon alertIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(alertIconPixmap(size));
    return icon;
}

} // namespace alerts
