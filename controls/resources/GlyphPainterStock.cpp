#include "controls/resources/GlyphPainter.h"

#include <QPainter>
#include <QPolygonF>
#include <QtMath>

namespace ostrevo
{

namespace
{

const QColor outline(60, 60, 70);
const QColor steel(150, 155, 165);
const QColor blue(40, 100, 200);
const QColor green(30, 150, 50);
const QColor red(200, 40, 40);
const QColor yellow(240, 200, 60);

QPainterPath star(QPointF centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2) ? inner : outer;
        const double a = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF pt = centre + QPointF(std::cos(a) * r, std::sin(a) * r);
        i ? path.lineTo(pt) : path.moveTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

QPainterPath rect(double x, double y, double w, double h)
{
    QPainterPath path;
    path.addRect(QRectF(x, y, w, h));
    return path;
}

QPainterPath ellipse(double cx, double cy, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), rx, ry);
    return path;
}

} // namespace

bool GlyphPainter::paintStock(int glyph)
{
    switch (glyph) {
    case 1: // cancel
        roundSign(red);
        line({11, 11}, {21, 21}, Qt::white, 3.5);
        line({21, 11}, {11, 21}, Qt::white, 3.5);
        return true;
    case 2: // convert
        line({5, 11}, {22, 11}, green, 3);
        arrowHead({28, 11}, 0, green);
        line({27, 21}, {10, 21}, blue, 3);
        arrowHead({4, 21}, 180, blue);
        return true;
    case 3: // colour
        p.setPen(QPen(outline, 1));
        p.setBrush(QColor(230, 40, 40, 210));
        p.drawEllipse(QPointF(11.5, 12), 7.5, 7.5);
        p.setBrush(QColor(40, 190, 60, 210));
        p.drawEllipse(QPointF(20.5, 12), 7.5, 7.5);
        p.setBrush(QColor(50, 90, 230, 210));
        p.drawEllipse(QPointF(16, 20), 7.5, 7.5);
        return true;
    case 4: // copy
        page(QRectF(4, 3, 15, 19));
        textLines(QRectF(7, 8, 8, 10), 3);
        page(QRectF(13, 10, 15, 19));
        textLines(QRectF(16, 15, 9, 11), 3);
        return true;
    case 5: // computer
        monitor(QColor(40, 90, 180));
        return true;
    case 6: // cut
        line({12, 20}, {22, 3}, steel, 2.5);
        line({20, 20}, {10, 3}, steel, 2.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(red, 2.5));
        p.drawEllipse(QPointF(10, 24), 4, 4);
        p.drawEllipse(QPointF(22, 24), 4, 4);
        return true;
    case 7: // CD
        disc(QColor(210, 215, 225), QColor(240, 240, 245));
        return true;
    case 8: // DVD
        disc(QColor(225, 195, 100), QColor(245, 235, 200));
        return true;
    case 9: // delete
        outlined(rect(7, 5, 18, 3.5), steel, outline);
        outlined(rect(13, 2.5, 6, 2.5), steel, outline, 1);
        outlined(polygon({{9, 9}, {23, 9}, {21.5, 29}, {10.5, 29}}), QColor(190, 195, 205), outline);
        for (double x : {13.0, 16.0, 19.0})
            line({x, 12}, {x, 26}, outline, 1.2);
        return true;
    case 10: // desktop
        monitor(QColor(110, 170, 240));
        outlined(polygon({{6, 20}, {12, 14}, {17, 18}, {21, 15}, {26, 20}}), QColor(60, 160, 60),
                 QColor(40, 110, 40), 1);
        return true;
    case 11: // edit
        outlined(polygon({{5, 27}, {7, 21}, {22, 6}, {26, 10}, {11, 25}}), yellow, outline);
        outlined(polygon({{22, 6}, {24, 4}, {28, 8}, {26, 10}}), QColor(230, 130, 150), outline, 1);
        outlined(polygon({{5, 27}, {7, 21}, {11, 25}}), QColor(240, 220, 180), outline, 1);
        return true;
    case 12: // favourites
        outlined(star({16, 17}, 14, 6), QColor(250, 200, 30), QColor(170, 110, 0));
        return true;
    case 13: // fill
        outlined(polygon({{5, 14}, {15, 4}, {25, 14}, {15, 24}}), QColor(200, 205, 215), outline);
        outlined(polygon({{5, 14}, {25, 14}, {15, 24}}), QColor(60, 120, 220), outline, 1);
        outlined(ellipse(27, 23, 2.5, 3.5), QColor(60, 120, 220), outline, 1);
        return true;
    case 14: { // help
        roundSign(blue);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
        QPainterPath hook;
        hook.moveTo(11.5, 12);
        hook.cubicTo(11.5, 6, 20.5, 6, 20.5, 11.5);
        hook.cubicTo(20.5, 15, 16, 15, 16, 19);
        p.drawPath(hook);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 24), 2.2, 2.2);
        return true;
    }
    case 15: // home
        outlined(rect(7, 15, 18, 14), QColor(240, 225, 190), outline);
        outlined(rect(14, 20, 5, 9), QColor(150, 90, 40), outline, 1);
        outlined(polygon({{16, 3}, {2, 16}, {30, 16}}), red, outline);
        return true;
    case 16: // internet
        roundSign(QColor(50, 130, 220));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(220, 240, 255), 1.3));
        p.drawEllipse(QPointF(16, 16), 6, 13);
        p.drawLine(QPointF(3, 16), QPointF(29, 16));
        p.drawLine(QPointF(16, 3), QPointF(16, 29));
        p.drawLine(QPointF(5, 10), QPointF(27, 10));
        p.drawLine(QPointF(5, 22), QPointF(27, 22));
        return true;
    case 17: // information
        roundSign(blue);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 9), 2.3, 2.3);
        p.drawRect(QRectF(14, 13, 4, 12));
        return true;
    case 18: // mail
        outlined(rect(3, 8, 26, 17), QColor(250, 245, 225), outline);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(outline, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({{3, 8}, {16, 18}, {29, 8}}));
        return true;
    case 19: // music
        outlined(polygon({{10, 8}, {26, 4}, {26, 8}, {10, 12}}), QColor(20, 20, 60), QColor(20, 20, 60), 1);
        line({11, 9}, {11, 24}, QColor(20, 20, 60), 2);
        line({25, 5}, {25, 20}, QColor(20, 20, 60), 2);
        outlined(ellipse(8, 24.5, 4, 3), QColor(20, 20, 60), QColor(20, 20, 60), 1);
        outlined(ellipse(22, 20.5, 4, 3), QColor(20, 20, 60), QColor(20, 20, 60), 1);
        return true;
    case 20: // new
        page(QRectF(6, 4, 18, 25));
        outlined(star({24, 8}, 7, 3), QColor(255, 220, 40), QColor(200, 140, 0), 1);
        return true;
    case 21: // OK
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(20, 140, 40), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({{5, 17}, {12.5, 24.5}, {27, 8}}));
        return true;
    case 22: // open
        outlined(polygon({{3, 7}, {11, 7}, {13, 10}, {25, 10}, {25, 27}, {3, 27}}), QColor(220, 170, 50),
                 outline);
        outlined(polygon({{3, 27}, {8, 15}, {30, 15}, {25, 27}}), QColor(250, 215, 100), outline);
        return true;
    case 23: // paste
        outlined(rect(6, 5, 20, 24), QColor(170, 120, 70), outline);
        page(QRectF(9, 10, 14, 17), false);
        textLines(QRectF(11, 13, 10, 11), 3);
        outlined(rect(12, 3, 8, 5), steel, outline, 1);
        return true;
    case 24: // printer
        outlined(rect(9, 3, 14, 11), Qt::white, outline);
        outlined(rect(3, 12, 26, 12), QColor(190, 195, 205), outline);
        outlined(rect(9, 20, 14, 9), Qt::white, outline);
        textLines(QRectF(11, 22, 10, 6), 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 200, 60));
        p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
        return true;
    case 25: // properties
        page(QRectF(5, 3, 22, 26), false);
        for (int i = 0; i < 4; ++i) {
            const double y = 7 + i * 5.5;
            p.fillRect(QRectF(8, y, 4, 4), i % 2 ? green : blue);
            line({14, y + 2}, {24, y + 2}, outline, 1.5);
        }
        return true;
    case 26: // redo
        curvedArrow(true, blue);
        return true;
    case 27: // save
        floppy(QColor(40, 70, 160));
        return true;
    case 28: // save under another name
        floppy(QColor(40, 130, 70));
        line({16, 19}, {16, 24}, red, 2.5);
        arrowHead({16, 27.5}, 90, red, 5);
        return true;
    case 29: // scan
        outlined(polygon({{3, 17}, {29, 17}, {29, 26}, {3, 26}}), QColor(190, 195, 205), outline);
        outlined(polygon({{3, 17}, {7, 9}, {29, 9}, {29, 17}}), QColor(225, 228, 235), outline);
        line({6, 21.5}, {26, 21.5}, QColor(40, 210, 80), 2);
        return true;
    case 30: // search
        line({19, 19}, {28, 28}, QColor(120, 80, 40), 5);
        outlined(ellipse(13, 13, 9, 9), QColor(200, 230, 255), outline, 2.5);
        return true;
    case 31: { // security
        QPainterPath shield;
        shield.moveTo(16, 3);
        shield.cubicTo(21, 6, 25, 6, 28, 6);
        shield.cubicTo(28, 18, 24, 25, 16, 30);
        shield.cubicTo(8, 25, 4, 18, 4, 6);
        shield.cubicTo(7, 6, 11, 6, 16, 3);
        outlined(shield, QColor(40, 120, 190), outline);
        line({16, 5}, {16, 28}, QColor(220, 235, 250), 1.5);
        line({6, 14}, {26, 14}, QColor(220, 235, 250), 1.5);
        return true;
    }
    case 32: // speaker
        outlined(polygon({{4, 12}, {10, 12}, {17, 5}, {17, 27}, {10, 20}, {4, 20}}), QColor(90, 95, 110),
                 outline);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(outline, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(14, 10, 10, 12), -50 * 16, 100 * 16);
        p.drawArc(QRectF(12, 5, 18, 22), -50 * 16, 100 * 16);
        return true;
    case 33: { // stop
        QPainterPath octagon;
        for (int i = 0; i < 8; ++i) {
            const double a = qDegreesToRadians(22.5 + i * 45.0);
            const QPointF pt(16 + std::cos(a) * 14, 16 + std::sin(a) * 14);
            i ? octagon.lineTo(pt) : octagon.moveTo(pt);
        }
        octagon.closeSubpath();
        outlined(octagon, red, QColor(120, 10, 10));
        p.fillRect(QRectF(8, 14, 16, 4), Qt::white);
        return true;
    }
    case 34: // text editor
        page(QRectF(5, 3, 22, 26));
        textLines(QRectF(8, 8, 15, 18), 5);
        return true;
    case 35: // tools
        line({6, 27}, {18, 12}, QColor(150, 100, 50), 3.5);
        outlined(polygon({{13, 9}, {19, 3}, {28, 12}, {22, 18}}), QColor(110, 115, 125), outline);
        return true;
    case 36: // undo
        curvedArrow(false, blue);
        return true;
    case 37: // refresh
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(green, 4, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
        arrowHead({24.5, 4.5}, -20, green, 8);
        return true;
    case 38: // user
        outlined(ellipse(16, 24, 11, 8), QColor(60, 110, 190), outline);
        outlined(ellipse(16, 11, 6, 6.5), QColor(245, 205, 165), outline);
        return true;
    case 39: { // view
        QPainterPath eye;
        eye.moveTo(3, 16);
        eye.quadTo(16, 3, 29, 16);
        eye.quadTo(16, 29, 3, 16);
        outlined(eye, Qt::white, outline);
        outlined(ellipse(16, 16, 5.5, 5.5), QColor(60, 130, 210), outline, 1);
        outlined(ellipse(16, 16, 2.2, 2.2), Qt::black, Qt::black, 0.5);
        return true;
    }
    case 40: // clock
        outlined(ellipse(16, 16, 13, 13), Qt::white, outline, 2);
        for (int i = 0; i < 12; i += 3) {
            const double a = qDegreesToRadians(i * 30.0);
            line({16 + std::cos(a) * 10, 16 + std::sin(a) * 10},
                 {16 + std::cos(a) * 12, 16 + std::sin(a) * 12}, outline, 1.5);
        }
        line({16, 16}, {16, 8}, outline, 2);
        line({16, 16}, {22, 16}, red, 1.5);
        return true;
    case 41: // X
        line({7, 7}, {25, 25}, QColor(170, 20, 20), 5);
        line({25, 7}, {7, 25}, QColor(170, 20, 20), 5);
        return true;
    case 91: // the library's emblem
        outlined(rect(3, 3, 26, 26), QColor(30, 130, 140), QColor(20, 80, 90), 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 4));
        p.drawEllipse(QPointF(16, 16), 7.5, 7.5);
        return true;
    default:
        return false;
    }
}

} // namespace ostrevo
