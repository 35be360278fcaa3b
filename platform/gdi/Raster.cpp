#include "platform/gdi/Raster.h"

#include <algorithm>

namespace gdi::raster
{

namespace
{

constexpr uint32_t Rgb = 0xFFFFFF;

uint32_t all(bool bit)
{
    return bit ? Rgb : 0;
}

} // namespace

RopMasks rop2Masks(int rop2, uint32_t rgb)
{
    if (rop2 < 1 || rop2 > 16)
        rop2 = 13;
    // Code - 1 is the truth table of the operation: bit (2 * pen + dst).
    const unsigned table = static_cast<unsigned>(rop2 - 1);
    const auto f = [table](int pen, int dst) { return ((table >> (2 * pen + dst)) & 1) != 0; };
    // Per bit: result = (dst & a) ^ x with x = f(pen, 0) and a = f(pen, 1) ^ f(pen, 0).
    const uint32_t pen = rgb & Rgb;
    const uint32_t notPen = ~rgb & Rgb;
    RopMasks m;
    m.xorMask = (pen & all(f(1, 0))) | (notPen & all(f(0, 0)));
    m.andMask = (pen & all(f(1, 1) != f(1, 0))) | (notPen & all(f(0, 1) != f(0, 0)));
    return m;
}

uint32_t rop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d)
{
    switch (code) {
    case 0xCC:
        return s & Rgb;
    case 0xF0:
        return p & Rgb;
    case 0x88:
        return s & d & Rgb;
    case 0xEE:
        return (s | d) & Rgb;
    case 0x66:
        return (s ^ d) & Rgb;
    case 0x55:
        return ~d & Rgb;
    case 0x00:
        return 0;
    case 0xFF:
        return Rgb;
    }
    // Bit (4 * pattern + 2 * source + destination) of the code is the result.
    uint32_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((code >> i) & 1))
            continue;
        const uint32_t pt = (i & 4) ? p : ~p;
        const uint32_t st = (i & 2) ? s : ~s;
        const uint32_t dt = (i & 1) ? d : ~d;
        result |= pt & st & dt;
    }
    return result & Rgb;
}

Surface::Surface(QImage &image, const QRegion *clip)
    : m_bits(image.bits()), m_bytesPerLine(image.bytesPerLine()), m_width(image.width()),
      m_height(image.height()), m_clip(clip)
{
}

bool Surface::visible(int x, int y) const
{
    return contains(x, y) && (!m_clip || m_clip->contains(QPoint(x, y)));
}

void Surface::rawSpan(int y, int x0, int x1, RopMasks masks)
{
    uint32_t *p = row(y);
    if (masks.andMask == 0) {
        const uint32_t value = 0xFF000000u | masks.xorMask;
        std::fill(p + x0, p + x1, value);
        return;
    }
    for (int x = x0; x < x1; ++x)
        p[x] = 0xFF000000u | masks.apply(p[x] & Rgb);
}

void Surface::span(int y, int x0, int x1, RopMasks masks)
{
    if (y < 0 || y >= m_height)
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_width);
    if (x0 >= x1 || masks.leavesUnchanged())
        return;
    if (!m_clip) {
        rawSpan(y, x0, x1, masks);
        return;
    }
    for (const QRect &r : *m_clip) {
        if (y < r.top() || y > r.bottom())
            continue;
        const int a = std::max(x0, r.left());
        const int b = std::min(x1, r.left() + r.width());
        if (a < b)
            rawSpan(y, a, b, masks);
    }
}

void Surface::fillRect(const QRect &rect, RopMasks masks)
{
    const QRect r = rect.intersected(QRect(0, 0, m_width, m_height));
    for (int y = r.top(); y < r.top() + r.height(); ++y)
        span(y, r.left(), r.left() + r.width(), masks);
}

void Surface::fillRegion(const QRegion &region, RopMasks masks)
{
    for (const QRect &r : region)
        fillRect(r, masks);
}

void Surface::plot(int x, int y, RopMasks masks)
{
    if (!visible(x, y))
        return;
    uint32_t &p = row(y)[x];
    p = 0xFF000000u | masks.apply(p & Rgb);
}

} // namespace gdi::raster
