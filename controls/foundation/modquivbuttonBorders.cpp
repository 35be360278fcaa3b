#include "controls/foundation/StepPen.h"
#include "controls/foundation/modquivbutton.h"

#include <cstdint>

namespace ostrevo::modquivbutton
{

namespace
{

gdi::ColorRef rgbOf(int32_t colour)
{
    return static_cast<gdi::ColorRef>(colour);
}

// The callers' colours are overwritten with their RGB values.
void toRgb(int32_t &c1, int32_t &c2, int32_t &c3, int32_t &c4, int32_t &c5, int32_t &c6)
{
    for (int32_t *c : {&c1, &c2, &c3, &c4, &c5, &c6})
        *c = OleColorToRGB(*c);
}

// for i = 1 to W, with W and the coordinates in wider arithmetic so that only
// a coordinate that leaves the 32-bit range is an overflow.
template <typename Draw> void rings(int64_t w, Draw &&draw)
{
    for (int64_t i = 1; i <= w; ++i)
        draw(i);
}

} // namespace

void DrawBorder3D(gdi::Handle &hDC, gdi::Rect &r, int32_t &DrawFlag, int32_t &Colour1, int32_t &Colour2,
                  int32_t &Colour3, int32_t &Colour4, int32_t &Colour5, int32_t &Colour6, int32_t &PenStyle,
                  int32_t &PenWidth, int32_t &Reserved1, int32_t &Reserved2)
{
    Q_UNUSED(Reserved1);
    Q_UNUSED(Reserved2);
    toRgb(Colour1, Colour2, Colour3, Colour4, Colour5, Colour6);
    StepPen pen(hDC, PenStyle, PenWidth, rgbOf(Colour2));
    if (DrawFlag != 1)
        return;
    const int64_t L = r.left, T = r.top, R = r.right, B = r.bottom, W = PenWidth;

    // The C4 ring: its lines stop short of the corners, which come out rounded.
    pen.next(rgbOf(Colour4));
    rings(W, [&](int64_t i) {
        pen.line(L + i + 1, T + i - 1, R - i - 1, T + i - 1);
        pen.line(L + i - 1, T + i + 1, L + i - 1, B - i - 1);
    });
    pen.next(rgbOf(Colour4));
    rings(W, [&](int64_t i) {
        pen.line(L + i + 1, B - i, R - i - 1, B - i);
        pen.line(R - i, T + i + 1, R - i, B - i - 1);
    });
    pen.next(rgbOf(Colour4));
    rings(W, [&](int64_t i) {
        pen.line(L + i, T + i, R - i, T + i);
        pen.line(L + i, T + i + 1, L + i, B - i);
    });
    pen.next(rgbOf(Colour4));
    rings(W, [&](int64_t i) {
        pen.line(L + i + 1, B - i - 1, R - i, B - i - 1);
        pen.line(R - i - 1, T + i + 1, R - i - 1, B - i - 1);
    });

    // The shading inside it.
    pen.next(rgbOf(Colour2));
    rings(W, [&](int64_t i) { pen.line(L + i, T + i + 1, L + i, B - i - 1); });
    pen.next(rgbOf(Colour6));
    rings(W, [&](int64_t i) { pen.line(L + i + 1, T + i, R - i - 1, T + i); });
    pen.next(rgbOf(Colour2));
    rings(W, [&](int64_t i) { pen.line(R - i - 1, T + i + 1, R - i - 1, B - i - 1); });
    pen.next(rgbOf(Colour5));
    rings(W, [&](int64_t i) { pen.line(L + i + 1, B - i - 1, R - i - 1, B - i - 1); });
    pen.next(rgbOf(Colour1));
    rings(W, [&](int64_t i) { pen.line(L + i + 1, T + i + 1, R - i - 1, T + i + 1); });
    pen.next(rgbOf(Colour1));
    rings(W, [&](int64_t i) { pen.line(L + i + 1, B - i - 2, R - i - 1, B - i - 2); });
    pen.next(rgbOf(Colour3));
    rings(W, [&](int64_t i) { pen.line(L + i + 2, T + i + 1, R - i - 2, T + i + 1); });
    pen.next(rgbOf(Colour3));
    rings(W, [&](int64_t i) { pen.line(L + i + 2, B - i - 2, R - i - 2, B - i - 2); });
}

void DrawButtonBorder(gdi::Handle &hDC, gdi::Rect &r, int32_t &Look, int32_t &Colour1, int32_t &Colour2,
                      int32_t &Colour3, int32_t &Colour4, int32_t &Colour5, int32_t &Colour6,
                      int32_t &PenStyle, int32_t &PenWidth)
{
    toRgb(Colour1, Colour2, Colour3, Colour4, Colour5, Colour6);
    StepPen pen(hDC, PenStyle, PenWidth, rgbOf(Colour2));
    const int64_t L = r.left, T = r.top, R = r.right, B = r.bottom, W = PenWidth;

    const auto topLeft = [&](int64_t i) {
        pen.line(L + i - 1, T + i - 1, R - i, T + i - 1);
        pen.line(L + i - 1, T + i - 1, L + i - 1, B - i);
    };
    // The bottom row reaching under the right column, which stops on it.
    const auto bottomRightClosed = [&](int64_t i) {
        pen.line(L + i - 1, B - i, R - i + 1, B - i);
        pen.line(R - i, T + i - 1, R - i, B - i);
    };

    switch (Look) {
    case 1:
        pen.next(rgbOf(Colour2));
        rings(W, topLeft);
        pen.next(rgbOf(Colour1));
        rings(W, [&](int64_t i) {
            pen.line(L + i - 1, B - i, R - i, B - i);
            pen.line(R - i, T + i - 1, R - i, B - i + 1);
        });
        break;
    case 2:
        pen.next(rgbOf(Colour2));
        rings(W, topLeft);
        pen.next(rgbOf(Colour1));
        rings(W, bottomRightClosed);
        pen.next(rgbOf(Colour4));
        pen.line(L + W, T + W, R - W, T + W);
        pen.line(L + W, T + W, L + W, B - W);
        pen.next(rgbOf(Colour3));
        pen.line(L + W, B - W - 1, R - W - 1, B - W - 1);
        pen.line(R - W - 1, T + W, R - W - 1, B - W);
        break;
    case 3:
        pen.next(rgbOf(Colour1));
        rings(W, topLeft);
        rings(W, bottomRightClosed);
        pen.next(rgbOf(Colour2));
        rings(W, [&](int64_t i) {
            pen.line(L + i, T + i, R - i, T + i);
            pen.line(L + i, T + i + 1, L + i, B - i);
        });
        pen.next(rgbOf(Colour3));
        rings(W, [&](int64_t i) {
            pen.line(L + i + 1, B - i - 1, R - i, B - i - 1);
            pen.line(R - i - 1, T + i + 1, R - i - 1, B - i - 1);
        });
        pen.next(rgbOf(Colour4));
        pen.line(L + W + 1, T + W + 1, R - W - 1, T + W + 1);
        pen.line(L + W + 1, T + W + 1, L + W + 1, B - W - 1);
        pen.next(rgbOf(Colour5));
        pen.line(L + W + 2, B - W - 2, R - W - 1, B - W - 2);
        pen.line(R - W - 2, T + W + 2, R - W - 2, B - W - 2);
        break;
    case 4:
        // The outline with cut corners, then the corner pixels inside it.
        pen.next(rgbOf(Colour1));
        rings(W, [&](int64_t i) {
            pen.line(L + i + 1, T + i - 1, R - i - 1, T + i - 1);
            pen.line(L + i + 1, B - i, R - i - 1, B - i);
        });
        pen.next(rgbOf(Colour1));
        rings(W, [&](int64_t i) {
            pen.line(L + i - 1, T + i + 1, L + i - 1, B - i - 1);
            pen.line(R - i, T + i + 1, R - i, B - i - 1);
        });
        pen.next(rgbOf(Colour1));
        rings(W, [&](int64_t i) {
            pen.line(L + i, T + i, R - i, T + i);
            pen.line(L + i, T + i + 1, L + i, B - i);
        });
        rings(W, [&](int64_t i) {
            pen.line(L + i + 1, B - i - 1, R - i, B - i - 1);
            pen.line(R - i - 1, T + i + 1, R - i - 1, B - i - 1);
        });
        pen.next(rgbOf(Colour3));
        rings(W, [&](int64_t i) { pen.line(L + i + 1, T + i, R - i - 1, T + i); });
        pen.next(rgbOf(Colour2));
        rings(W, [&](int64_t i) {
            pen.line(L + i, T + i + 1, L + i, B - i - 1);
            pen.line(R - i - 1, T + i + 1, R - i - 1, B - i - 1);
        });
        pen.next(rgbOf(Colour4));
        rings(W, [&](int64_t i) { pen.line(L + i + 1, B - i - 1, R - i - 1, B - i - 1); });
        // Always two lines each, whatever the width.
        pen.next(rgbOf(Colour5));
        for (int64_t i = W; i <= W + 1; ++i)
            pen.line(L + i, T + i + 1, R - i - 1, T + i + 1);
        pen.next(rgbOf(Colour6));
        for (int64_t i = W; i <= W + 1; ++i)
            pen.line(L + i + 1, B - i - 2, R - i - 1, B - i - 2);
        break;
    default:
        break;
    }
}

} // namespace ostrevo::modquivbutton
