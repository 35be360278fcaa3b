#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace ostrevo
{

// Draws the library's icon glyphs on a 32 x 32 grid; the painter is scaled to
// the size asked for, so every size comes from the same drawing.
class GlyphPainter
{
public:
    explicit GlyphPainter(QPainter &painter) : p(painter) {}

    // The stock glyphs of the buttons (1 to 41) and the library's emblem (91);
    // false for any other number.
    bool paintStock(int glyph);
    // The state pictures and view glyphs (42 to 50). variant 0 is the normal
    // group, 1 the hovered, 2 the pressed one: a check box is ticked in 1 and
    // crossed in 2, an LED is lit in 2. False for any other number.
    bool paintState(int glyph, int variant);

private:
    void outlined(const QPainterPath &path, QColor fill, QColor line, double width = 1.5);
    void line(QPointF from, QPointF to, QColor color, double width);
    void arrowHead(QPointF tip, double angleDegrees, QColor color, double size = 7);
    void page(const QRectF &r, bool folded = true);
    void textLines(const QRectF &r, int count);
    void disc(QColor face, QColor ring);
    void monitor(QColor screen);
    void floppy(QColor body);
    void curvedArrow(bool clockwise, QColor color);
    void roundSign(QColor face);

    QPainter &p;
};

} // namespace ostrevo
