#include "controls/resources/GlyphPainter.h"

#include <QPainter>
#include <QPolygonF>
#include <QtMath>

namespace ostrevo
{

namespace
{

const QColor outline(60, 60, 70);

QColor dimmed(QColor c)
{
    return QColor(c.red() * 35 / 100, c.green() * 35 / 100, c.blue() * 35 / 100);
}

} // namespace

void GlyphPainter::outlined(const QPainterPath &path, QColor fill, QColor lineColor, double width)
{
    p.setBrush(fill);
    p.setPen(QPen(lineColor, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void GlyphPainter::line(QPointF from, QPointF to, QColor color, double width)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
}

void GlyphPainter::arrowHead(QPointF tip, double angleDegrees, QColor color, double size)
{
    // angle: the direction the arrow points to, 0 = right, 90 = down
    const double a = qDegreesToRadians(angleDegrees);
    const QPointF back(-std::cos(a) * size, -std::sin(a) * size);
    const QPointF side(-std::sin(a) * size * 0.6, std::cos(a) * size * 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(QPolygonF({tip, tip + back + side, tip + back - side}));
}

void GlyphPainter::page(const QRectF &r, bool folded)
{
    QPainterPath path;
    const double fold = folded ? 6 : 0;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    outlined(path, Qt::white, outline);
    if (folded) {
        QPainterPath corner;
        corner.moveTo(r.right() - fold, r.top());
        corner.lineTo(r.right() - fold, r.top() + fold);
        corner.lineTo(r.right(), r.top() + fold);
        outlined(corner, QColor(220, 220, 225), outline, 1);
    }
}

void GlyphPainter::textLines(const QRectF &r, int count)
{
    const double step = r.height() / count;
    for (int i = 0; i < count; ++i) {
        const double y = r.top() + step * (i + 0.5);
        const double right = (i == count - 1) ? r.left() + r.width() * 0.6 : r.right();
        line({r.left(), y}, {right, y}, QColor(90, 110, 160), 1.5);
    }
}

void GlyphPainter::disc(QColor face, QColor ring)
{
    QPainterPath path;
    path.addEllipse(QPointF(16, 16), 13, 13);
    QPainterPath hole;
    hole.addEllipse(QPointF(16, 16), 2.5, 2.5);
    outlined(path.subtracted(hole), face, outline, 1.2);
    QPainterPath hub;
    hub.addEllipse(QPointF(16, 16), 6, 6);
    outlined(hub.subtracted(hole), ring, outline, 1);
    // the shine of the surface
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(7, 7, 18, 18), 100 * 16, 60 * 16);
}

void GlyphPainter::monitor(QColor screen)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(3, 4, 26, 19), 2, 2);
    outlined(body, QColor(200, 200, 205), outline);
    QPainterPath glass;
    glass.addRect(QRectF(6, 7, 20, 13));
    outlined(glass, screen, QColor(40, 40, 60), 1);
    QPainterPath stand;
    stand.addRect(QRectF(13, 23, 6, 3));
    stand.addRect(QRectF(8, 26, 16, 3));
    outlined(stand, QColor(170, 170, 175), outline, 1);
}

void GlyphPainter::floppy(QColor body)
{
    QPainterPath shell;
    shell.moveTo(4, 4);
    shell.lineTo(25, 4);
    shell.lineTo(28, 7);
    shell.lineTo(28, 28);
    shell.lineTo(4, 28);
    shell.closeSubpath();
    outlined(shell, body, outline);
    QPainterPath shutter;
    shutter.addRect(QRectF(10, 4, 12, 8));
    outlined(shutter, QColor(200, 200, 210), outline, 1);
    p.fillRect(QRectF(18, 5.5, 2.5, 5), QColor(80, 80, 90));
    QPainterPath label;
    label.addRect(QRectF(8, 17, 16, 11));
    outlined(label, Qt::white, outline, 1);
}

void GlyphPainter::curvedArrow(bool clockwise, QColor color)
{
    // an arc over the top, ending in a head that points down
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, 4, Qt::SolidLine, Qt::FlatCap));
    const QRectF box(6, 8, 20, 20);
    p.drawArc(box, 20 * 16, 140 * 16);
    if (clockwise)
        arrowHead(QPointF(26, 24), 100, color, 8);
    else
        arrowHead(QPointF(6, 24), 80, color, 8);
}

void GlyphPainter::roundSign(QColor face)
{
    QPainterPath circle;
    circle.addEllipse(QPointF(16, 16), 13, 13);
    outlined(circle, face, face.darker(170));
}

bool GlyphPainter::paintState(int glyph, int variant)
{
    switch (glyph) {
    case 42: { // check box
        QPainterPath box;
        box.addRect(QRectF(5, 5, 22, 22));
        outlined(box, Qt::white, outline, 2.5);
        if (variant == 1) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(20, 130, 40), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({{9, 16}, {14, 21}, {23, 10}}));
        } else if (variant == 2) {
            line({10, 10}, {22, 22}, QColor(190, 30, 30), 4.5);
            line({22, 10}, {10, 22}, QColor(190, 30, 30), 4.5);
        }
        return true;
    }
    case 43:
    case 44:
    case 45:
    case 46: { // LEDs: dark until pressed
        static const QColor colors[] = {QColor(240, 30, 30), QColor(30, 220, 50), QColor(250, 220, 20),
                                        QColor(40, 110, 250)};
        const QColor lit = colors[glyph - 43];
        const bool on = variant == 2;
        QPainterPath lens;
        lens.addEllipse(QPointF(16, 16), 12, 12);
        outlined(lens, on ? lit : dimmed(lit), QColor(40, 40, 40), 2.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, on ? 230 : 110));
        p.drawEllipse(QPointF(12, 11), 4, 3.5);
        return true;
    }
    case 47: // large icons
        for (int i = 0; i < 4; ++i) {
            QPainterPath tile;
            tile.addRect(QRectF(4 + (i % 2) * 13, 4 + (i / 2) * 13, 11, 11));
            outlined(tile, QColor(90, 140, 220), outline, 1.5);
        }
        return true;
    case 48: // small icons
        for (int i = 0; i < 6; ++i) {
            const double x = 3 + (i % 2) * 14, y = 5 + (i / 2) * 9;
            p.fillRect(QRectF(x, y, 5, 5), QColor(90, 140, 220));
            line({x + 7, y + 2.5}, {x + 12, y + 2.5}, outline, 1.5);
        }
        return true;
    case 49: // list
        for (int i = 0; i < 5; ++i) {
            const double y = 4 + i * 5.5;
            p.fillRect(QRectF(4, y, 4, 4), QColor(90, 140, 220));
            line({11, y + 2}, {28, y + 2}, outline, 1.5);
        }
        return true;
    case 50: // details
        p.fillRect(QRectF(3, 4, 26, 5), QColor(170, 170, 180));
        for (int i = 0; i < 4; ++i) {
            const double y = 12.5 + i * 4.5;
            line({4, y}, {12, y}, outline, 1.5);
            line({15, y}, {28, y}, QColor(120, 120, 130), 1.5);
        }
        line({13.5, 4}, {13.5, 29}, QColor(120, 120, 130), 1);
        return true;
    default:
        return false;
    }
}

} // namespace ostrevo
