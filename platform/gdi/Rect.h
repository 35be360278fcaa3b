#pragma once

#include <QRect>

namespace gdi
{

// The platform's RECT: right and bottom lie just outside the rectangle, unlike
// QRect, whose right() and bottom() are the last pixel inside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    // With left/right and top/bottom put in order, as the drawing functions take them.
    constexpr Rect normalized() const
    {
        return {left < right ? left : right, top < bottom ? top : bottom, left < right ? right : left,
                top < bottom ? bottom : top};
    }
    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    static Rect fromQRect(const QRect &r)
    {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }

    friend constexpr bool operator==(const Rect &, const Rect &) = default;
};

} // namespace gdi
