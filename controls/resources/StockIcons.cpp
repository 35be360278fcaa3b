#include "controls/resources/StockIcons.h"

#include "controls/resources/GlyphPainter.h"

#include <QPainter>

namespace ostrevo
{

namespace
{

constexpr int emblem = 91;
constexpr int noIcon = 51; // pOff: a group that shows nothing

// State pictures carry their own looks for the hovered and pressed groups.
bool isStatePicture(int glyph)
{
    return glyph >= 42 && glyph <= 46;
}

// Hovered: a quarter of the way towards white.
void lighten(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = row[x];
            row[x] = qRgba(qRed(c) + (255 - qRed(c)) / 4, qGreen(c) + (255 - qGreen(c)) / 4,
                           qBlue(c) + (255 - qBlue(c)) / 4, qAlpha(c));
        }
    }
}

// Pressed: a little darker and pushed one step down and right.
QImage pressed(const QImage &image)
{
    const int step = std::max(1, image.width() / 32);
    QImage out(image.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    for (int y = 0; y + step < image.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y + step));
        for (int x = 0; x + step < image.width(); ++x) {
            const QRgb c = from[x];
            to[x + step] = qRgba(qRed(c) * 7 / 8, qGreen(c) * 7 / 8, qBlue(c) * 7 / 8, qAlpha(c));
        }
    }
    return out;
}

} // namespace

bool StockIcons::exists(int group)
{
    return (group >= 1 && group <= 51) || group == emblem || (group >= 101 && group <= 150) ||
           (group >= 201 && group <= 250);
}

QImage StockIcons::render(int group, QSize size)
{
    if (!exists(group) || size.isEmpty())
        return QImage();
    const int glyph = group % 100;
    const int variant = group == emblem ? 0 : group / 100;

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (glyph != noIcon) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size.width() / 32.0, size.height() / 32.0);
        GlyphPainter glyphs(painter);
        if (isStatePicture(glyph) || (glyph >= 47 && glyph <= 50))
            glyphs.paintState(glyph, variant);
        else
            glyphs.paintStock(glyph);
    }
    image.convertTo(QImage::Format_ARGB32);
    if (isStatePicture(glyph))
        return image;
    if (variant == 1)
        lighten(image);
    else if (variant == 2)
        image = pressed(image);
    return image;
}

} // namespace ostrevo
