#pragma once

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiTypes.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <map>
#include <vector>

// What the drawing tests share: surfaces to draw on, pixel probes and pixel
// pictures ("#" for one colour, "." for another) that compare at a glance.
namespace testsupport
{

// The plain colours the drawing tests paint and probe with.
namespace colours
{
constexpr gdi::ColorRef White = gdi::rgb(255, 255, 255);
constexpr gdi::ColorRef Black = 0;
constexpr gdi::ColorRef Grey = gdi::rgb(128, 128, 128);
constexpr gdi::ColorRef Red = gdi::rgb(255, 0, 0);
constexpr gdi::ColorRef Blue = gdi::rgb(0, 0, 255);
} // namespace colours

// An image of one colour.
QImage canvas(int width, int height, gdi::ColorRef fill);
// The colour of one pixel.
gdi::ColorRef at(const QImage &image, int x, int y);
// The pixels of one colour, row by row.
std::vector<QPoint> pixelsOf(const QImage &image, gdi::ColorRef color);
// Parses "1,2 3,4" into points.
std::vector<QPoint> points(const QString &text);
// Points as "1,2 3,4".
QString describe(const std::vector<QPoint> &pts);
// One string per row of the area, one character per pixel from the legend
// ('?' for a colour not in it).
QStringList picture(const QImage &image, const QRect &area, const std::map<gdi::ColorRef, char> &legend);
// "ab|cd" as the rows {"ab", "cd"}.
QStringList rows(const char *text);
// The access-key underline of text drawn with its top left at origin: one row
// below the baseline, as wide as the character at index key.
QRect accessKeyUnderline(const QFont &font, const QString &text, int key, QPoint origin);

// A surface of one colour with its device context, for the painter tests.
class Canvas
{
public:
    Canvas(int width, int height, gdi::ColorRef fill);
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    gdi::DeviceContext &dc() { return m_dc; }
    gdi::Handle handle() const { return m_dc.handle(); }
    const QImage &image() const { return m_image; }
    gdi::ColorRef at(int x, int y) const { return testsupport::at(m_image, x, y); }
    // The whole surface as a pixel picture, rows joined by '|'.
    QString picture(const std::map<gdi::ColorRef, char> &legend) const;
    bool stockBlackPenSelected() const;

private:
    QImage m_image;
    gdi::DeviceContext m_dc;
};

} // namespace testsupport
