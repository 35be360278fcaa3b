#include "tests/support/Canvas.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"

namespace testsupport
{

QImage canvas(int width, int height, gdi::ColorRef fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(gdi::redOf(fill), gdi::greenOf(fill), gdi::blueOf(fill)));
    return image;
}

gdi::ColorRef at(const QImage &image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return gdi::rgb(qRed(p), qGreen(p), qBlue(p));
}

std::vector<QPoint> pixelsOf(const QImage &image, gdi::ColorRef color)
{
    std::vector<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (at(image, x, y) == color)
                found.emplace_back(x, y);
    return found;
}

std::vector<QPoint> points(const QString &text)
{
    std::vector<QPoint> result;
    for (const QString &pair : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList xy = pair.split(QLatin1Char(','));
        result.emplace_back(xy[0].toInt(), xy[1].toInt());
    }
    return result;
}

QString describe(const std::vector<QPoint> &pts)
{
    QStringList parts;
    for (const QPoint &p : pts)
        parts << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    return parts.join(QLatin1Char(' '));
}

QStringList picture(const QImage &image, const QRect &area, const std::map<gdi::ColorRef, char> &legend)
{
    QStringList result;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QString row;
        for (int x = area.left(); x <= area.right(); ++x) {
            const auto it = legend.find(at(image, x, y));
            row += QLatin1Char(it == legend.end() ? '?' : it->second);
        }
        result << row;
    }
    return result;
}

QStringList rows(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char('|'));
}

Canvas::Canvas(int width, int height, gdi::ColorRef fill)
    : m_image(canvas(width, height, fill)), m_dc(&m_image)
{
}

QString Canvas::picture(const std::map<gdi::ColorRef, char> &legend) const
{
    return testsupport::picture(m_image, m_image.rect(), legend).join(QLatin1Char('|'));
}

bool Canvas::stockBlackPenSelected() const
{
    return m_dc.currentObject(gdi::ObjectKind::Pen) == gdi::getStockObject(gdi::BlackPen);
}

QRect accessKeyUnderline(const QFont &font, const QString &text, int key, QPoint origin)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    gdi::DeviceContext dc(&scratch);
    const gdi::GdiObject selected(gdi::createFont(font));
    const gdi::Handle old = dc.selectObject(selected);
    const int left = origin.x() + dc.textExtent(text.left(key)).width();
    const QRect underline(left, origin.y() + dc.textAscent() + 1, dc.textExtent(text.mid(key, 1)).width(), 1);
    dc.selectObject(old);
    return underline;
}

} // namespace testsupport
