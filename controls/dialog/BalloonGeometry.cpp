#include "controls/dialog/BalloonGeometry.h"

#include <cmath>

namespace ostrevo::BalloonGeometry
{

int roundPixel(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

Placement placeAt(QPoint anchor, QSize screen, double w, double h)
{
    const bool right = anchor.x() > screen.width() / 2.0;
    const bool bottom = anchor.y() > screen.height() / 2.0;
    const int left = right ? roundPixel(anchor.x() + PointerInset - w) : anchor.x() - PointerInset;
    const int top = bottom ? roundPixel(anchor.y() - h) : anchor.y();
    const int corner = right ? (bottom ? BottomRight : TopRight) : (bottom ? BottomLeft : TopLeft);
    return {corner, QPoint(left, top)};
}

std::array<QPoint, 3> outerPointer(int corner, double w, double h)
{
    const auto W = [w](int d) { return roundPixel(w - d); };
    const auto H = [h](int d) { return roundPixel(h - d); };
    switch (corner) {
    case BottomRight:
        return {QPoint(W(61), H(34)), QPoint(W(36), H(34)), QPoint(W(36), H(9))};
    case TopRight:
        return {QPoint(W(58), 20), QPoint(W(38), 20), QPoint(W(38), 0)};
    case BottomLeft:
        return {QPoint(41, H(34)), QPoint(66, H(34)), QPoint(41, H(9))};
    default:
        return {QPoint(40, 20), QPoint(60, 20), QPoint(40, 0)};
    }
}

std::array<QPoint, 3> innerPointer(int corner, double w, double h)
{
    const auto W = [w](int d) { return roundPixel(w - d); };
    const auto H = [h](int d) { return roundPixel(h - d); };
    switch (corner) {
    case BottomRight:
        return {QPoint(W(62), H(35)), QPoint(W(37), H(35)), QPoint(W(37), H(11))};
    case TopRight:
        return {QPoint(W(59), 22), QPoint(W(39), 22), QPoint(W(39), 2)};
    case BottomLeft:
        return {QPoint(42, H(35)), QPoint(66, H(35)), QPoint(42, H(11))};
    default:
        return {QPoint(41, 21), QPoint(59, 21), QPoint(41, 3)};
    }
}

} // namespace ostrevo::BalloonGeometry
