#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <algorithm>
#include <cstdint>

// The rasteriser under the device context: spans, pixels and one-pixel lines
// written straight into an image's scan lines, with the platform's raster
// operations. Colours here are 0xRRGGBB, the order of the image's pixels.
namespace gdi::raster
{

// A binary raster operation applied with one colour: dst = (dst & andMask) ^ xorMask.
struct RopMasks {
    uint32_t andMask = 0;
    uint32_t xorMask = 0;

    uint32_t apply(uint32_t dst) const { return (dst & andMask) ^ xorMask; }
    bool leavesUnchanged() const { return andMask == 0xFFFFFF && xorMask == 0; }
};

// The masks of SetROP2 code rop (1..16) for the colour rgb.
RopMasks rop2Masks(int rop2, uint32_t rgb);
// A ternary raster operation: the result bits of pattern p, source s and destination d.
uint32_t rop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d);

inline uint32_t rgbFromColorRef(uint32_t c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline uint32_t colorRefFromRgb(uint32_t p)
{
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// One drawing pass over an image, clipped to the image and, when given, to a
// clip region (an empty one lets nothing through). The image must be RGB32, ARGB32 or ARGB32 premultiplied;
// everything drawn is opaque.
class Surface
{
public:
    Surface(QImage &image, const QRegion *clip);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Pixels x0 .. x1 - 1 of row y.
    void span(int y, int x0, int x1, RopMasks masks);
    void fillRect(const QRect &rect, RopMasks masks);
    void fillRegion(const QRegion &region, RopMasks masks);
    void plot(int x, int y, RopMasks masks);
    // 0xRRGGBB of a pixel inside the image.
    uint32_t pixel(int x, int y) const { return row(y)[x] & 0xFFFFFF; }
    void setPixel(int x, int y, uint32_t rgb) { row(y)[x] = 0xFF000000u | rgb; }
    uint32_t *row(int y) const { return reinterpret_cast<uint32_t *>(m_bits + y * m_bytesPerLine); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    bool visible(int x, int y) const;

private:
    void rawSpan(int y, int x0, int x1, RopMasks masks);

    uchar *m_bits;
    qsizetype m_bytesPerLine;
    int m_width;
    int m_height;
    const QRegion *m_clip;
};

// Calls visit(x, y, index) for the pixels of the one-pixel line from a to b
// in the order they are drawn, leaving out b: the platform's LineTo, with its
// choice of pixel where the ideal line passes exactly between two. index
// counts the pixels from a. Only the stretch of the line whose major
// coordinate lies inside window is walked, so far-off end points cost nothing.
template <typename Visit> void walkLine(QPoint a, QPoint b, const QRect &window, Visit &&visit)
{
    const int64_t dx = int64_t(b.x()) - a.x();
    const int64_t dy = int64_t(b.y()) - a.y();
    const int64_t adx = dx < 0 ? -dx : dx;
    const int64_t ady = dy < 0 ? -dy : dy;
    // Where the ideal line runs exactly between two pixels, the platform takes
    // the minor step early in some octants (bias) and late in the others; so a
    // line and its reverse may differ by a pixel, on the platform as here.
    int64_t bias;
    if (dy > 0)
        bias = dx <= 0 && -dx <= dy;
    else if (dx < 0)
        bias = 1;
    else
        bias = dx > -dy;
    const int64_t xStep = dx > 0 ? 1 : -1;
    const int64_t yStep = dy > 0 ? 1 : -1;
    const bool xMajor = adx > ady;
    const int64_t major = xMajor ? adx : ady;
    const int64_t minor = xMajor ? ady : adx;
    const int64_t majorStart = xMajor ? a.x() : a.y();
    const int64_t majorStep = xMajor ? xStep : yStep;
    const int64_t minorStart = xMajor ? a.y() : a.x();
    const int64_t minorStep = xMajor ? yStep : xStep;
    const int64_t low = xMajor ? window.left() : window.top();
    const int64_t high = xMajor ? window.left() + window.width() : window.top() + window.height();

    // The pixels whose major coordinate falls in [low, high).
    int64_t first = 0, last = major; // index range [first, last)
    if (majorStep > 0) {
        first = std::max<int64_t>(first, low - majorStart);
        last = std::min<int64_t>(last, high - majorStart);
    } else {
        first = std::max<int64_t>(first, majorStart - high + 1);
        last = std::min<int64_t>(last, majorStart - low + 1);
    }
    if (first >= last)
        return;
    // The minor steps taken before pixel i: ceil((2i * minor - major + bias) / (2 * major)).
    // The products can pass 64 bits for end points far outside.
    using Wide = __int128;
    const Wide num = Wide(2) * first * minor - major + bias;
    const Wide den = Wide(2) * major;
    const Wide steps128 = num >= 0 ? (num + den - 1) / den : -((-num) / den);
    const int64_t steps = int64_t(steps128);
    int64_t err = int64_t(Wide(2) * minor - major + Wide(2) * first * minor - den * steps128);
    int64_t m = majorStart + first * majorStep;
    int64_t n = minorStart + steps * minorStep;
    for (int64_t i = first; i < last; ++i) {
        if (xMajor)
            visit(int(m), int(n), i);
        else
            visit(int(n), int(m), i);
        if (err + bias > 0) {
            n += minorStep;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        m += majorStep;
    }
}

} // namespace gdi::raster
