#include "controls/tree/TreeImages.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <array>

namespace ostrevo
{

namespace
{

struct Theme {
    QRgb outline;
    QRgb body;  // the folder's colour
    QRgb light; // its lit front and top edge
    QRgb drive; // a drive's case
    QRgb face;  // a drive's front
    QRgb lamp;
};

// Gray, Yellow, xp.
constexpr std::array<Theme, 3> Themes{{
    {0xFF404040, 0xFFA0A0A0, 0xFFD4D4D4, 0xFFC0C0C0, 0xFF808080, 0xFF606060},
    {0xFF806000, 0xFFE8C040, 0xFFFFE890, 0xFFD0C8B0, 0xFF807860, 0xFF00C000},
    {0xFF2850A0, 0xFFF0D070, 0xFFFFF4C0, 0xFFD8E4F8, 0xFF3C64B4, 0xFF40D040},
}};

// Integer rectangles only: the pictures are pixel art, not antialiased.
class Pixels
{
public:
    explicit Pixels(QImage &image) : m_painter(&image) {}
    void fill(int x, int y, int w, int h, QRgb color)
    {
        m_painter.fillRect(x, y, w, h, QColor::fromRgba(color));
    }
    // A box with a one-pixel rim.
    void box(int x, int y, int w, int h, QRgb rim, QRgb inside)
    {
        fill(x, y, w, h, rim);
        fill(x + 1, y + 1, w - 2, h - 2, inside);
    }

private:
    QPainter m_painter;
};

void drawFolder(Pixels &p, const Theme &t, int state)
{
    p.box(1, 2, 6, 3, t.outline, t.body); // the tab
    p.box(1, 4, 14, 10, t.outline, t.body);
    p.fill(2, 5, 12, 1, t.light);
    if (state == 1) {
        // Open: the front leans forward, lighter than the back.
        for (int row = 0; row < 6; ++row)
            p.fill(3 + (5 - row) / 2, 7 + row, 11, 1, row == 0 ? t.outline : t.light);
        p.fill(2, 13, 13, 1, t.outline);
    } else if (state == 2) {
        // Selected: a sheet stands out of the closed folder.
        p.box(4, 1, 8, 6, t.outline, 0xFFFFFFFF);
        p.fill(5, 3, 6, 1, t.face);
        p.fill(1, 7, 14, 1, t.outline);
    }
}

void drawDrive(Pixels &p, const Theme &t, int kind)
{
    if (kind == 0) {
        // Removable: a disk with its shutter and label.
        p.box(2, 2, 12, 12, t.outline, t.face);
        p.box(5, 2, 6, 5, t.outline, t.drive);
        p.box(4, 9, 8, 5, t.outline, 0xFFFFFFFF);
        return;
    }
    p.box(1, 5, 14, 7, t.outline, t.drive);
    p.fill(2, 9, 12, 2, t.face);
    p.fill(11, 9, 2, 1, t.lamp);
    if (kind == 2) {
        // Any other drive: one hanging from a cable.
        p.fill(7, 12, 2, 2, t.outline);
        p.fill(3, 14, 10, 1, t.outline);
    }
}

} // namespace

QImage TreeImages::image(int index)
{
    if (index < 1 || index > Count)
        return {};
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    Pixels pixels(image);
    const int n = index - 1;
    if (n < 9)
        drawDrive(pixels, Themes[size_t(n % 3)], n / 3);
    else
        drawFolder(pixels, Themes[size_t((n - 9) / 3)], (n - 9) % 3);
    return image;
}

QIcon TreeImages::icon(int index)
{
    const QImage picture = image(index);
    return picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
}

} // namespace ostrevo
