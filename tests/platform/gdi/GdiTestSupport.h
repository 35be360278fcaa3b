#pragma once

#include "platform/gdi/GdiTypes.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <map>
#include <vector>

// Small helpers the drawing tests share: canvases, pixel probes and pixel
// pictures ("#" for one colour, "." for another) that compare at a glance.
namespace gditest
{

inline QImage canvas(int width, int height, gdi::ColorRef fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(gdi::redOf(fill), gdi::greenOf(fill), gdi::blueOf(fill)));
    return image;
}

inline gdi::ColorRef at(const QImage &image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return gdi::rgb(qRed(p), qGreen(p), qBlue(p));
}

// The pixels of one colour, row by row.
inline std::vector<QPoint> pixelsOf(const QImage &image, gdi::ColorRef color)
{
    std::vector<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (at(image, x, y) == color)
                points.emplace_back(x, y);
    return points;
}

// Parses "1,2 3,4" into points.
inline std::vector<QPoint> points(const QString &text)
{
    std::vector<QPoint> result;
    for (const QString &pair : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList xy = pair.split(QLatin1Char(','));
        result.emplace_back(xy[0].toInt(), xy[1].toInt());
    }
    return result;
}

inline QString describe(const std::vector<QPoint> &pts)
{
    QStringList parts;
    for (const QPoint &p : pts)
        parts << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    return parts.join(QLatin1Char(' '));
}

// One string per row of the area, one character per pixel from the legend
// ('?' for a colour not in it).
inline QStringList picture(const QImage &image, const QRect &area,
                           const std::map<gdi::ColorRef, char> &legend)
{
    QStringList rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QString row;
        for (int x = area.left(); x <= area.right(); ++x) {
            const auto it = legend.find(at(image, x, y));
            row += QLatin1Char(it == legend.end() ? '?' : it->second);
        }
        rows << row;
    }
    return rows;
}

inline QStringList rows(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char('|'));
}

} // namespace gditest
