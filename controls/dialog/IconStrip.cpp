#include "controls/dialog/IconStrip.h"

#include <QPainter>
#include <QPainterPath>

namespace ostrevo::IconStrip
{

namespace
{

// Hard edges only: a blended edge pixel would come near the green key.
void roundBadge(QPainter &p, int cell, QColor fill)
{
    p.setPen(QPen(fill.darker(160), 1));
    p.setBrush(fill);
    p.drawEllipse(QRect(cell * CellSize + 2, 2, 27, 27));
}

void critical(QPainter &p, int x)
{
    roundBadge(p, 0, QColor(200, 30, 30));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(x + 10, 10, x + 21, 21);
    p.drawLine(x + 21, 10, x + 10, 21);
}

void exclamation(QPainter &p, int x)
{
    const QPolygon triangle({QPoint(x + 15, 2), QPoint(x + 29, 28), QPoint(x + 1, 28)});
    p.setPen(QPen(QColor(120, 90, 0), 1));
    p.setBrush(QColor(250, 205, 40));
    p.drawPolygon(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(x + 14, 10, 3, 11);
    p.drawRect(x + 14, 23, 3, 3);
}

void information(QPainter &p, int x)
{
    roundBadge(p, 2, QColor(30, 80, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(x + 14, 8, 4, 4);
    p.drawRect(x + 14, 14, 4, 11);
    p.drawRect(x + 12, 14, 2, 2);
    p.drawRect(x + 12, 23, 8, 2);
}

void question(QPainter &p, int x)
{
    roundBadge(p, 3, QColor(30, 80, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(x + 11, 8, 10, 3); // top of the hook
    p.drawRect(x + 19, 10, 3, 6); // its right side
    p.drawRect(x + 15, 15, 6, 3); // turning back
    p.drawRect(x + 15, 17, 3, 4); // the stem
    p.drawRect(x + 15, 23, 3, 3); // the dot
    p.drawRect(x + 10, 10, 3, 3);
}

void user(QPainter &p, int x)
{
    p.setPen(QPen(QColor(40, 60, 110), 1));
    p.setBrush(QColor(90, 130, 200));
    p.drawEllipse(QRect(x + 10, 3, 11, 11));
    p.drawRoundedRect(QRect(x + 5, 16, 21, 13), 5, 5);
}

void security(QPainter &p, int x)
{
    QPainterPath shield;
    shield.moveTo(x + 15, 2);
    shield.lineTo(x + 27, 6);
    shield.lineTo(x + 27, 15);
    shield.quadTo(x + 26, 25, x + 15, 30);
    shield.quadTo(x + 4, 25, x + 3, 15);
    shield.lineTo(x + 3, 6);
    shield.closeSubpath();
    p.setPen(QPen(QColor(90, 70, 10), 1));
    p.setBrush(QColor(220, 170, 40));
    p.drawPath(shield);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 30, 30));
    p.drawRect(x + 14, 7, 3, 18);
    p.drawRect(x + 8, 13, 15, 3);
}

void find(QPainter &p, int x)
{
    p.setPen(QPen(QColor(60, 60, 60), 3));
    p.setBrush(QColor(200, 230, 250));
    p.drawEllipse(QRect(x + 4, 3, 16, 16));
    p.setPen(QPen(QColor(110, 70, 30), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(x + 19, 19, x + 27, 27);
}

} // namespace

QImage image()
{
    QImage strip(CellSize * CellCount, CellSize, QImage::Format_RGB32);
    strip.fill(QColor(0, 255, 0));
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, false);
    critical(p, 0);
    exclamation(p, CellSize);
    information(p, 2 * CellSize);
    question(p, 3 * CellSize);
    user(p, 4 * CellSize);
    security(p, 5 * CellSize);
    find(p, 6 * CellSize);
    return strip;
}

} // namespace ostrevo::IconStrip
