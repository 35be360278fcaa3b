#pragma once

#include <QPoint>
#include <QSize>
#include <array>

namespace ostrevo
{

// Where the balloon sits and how its pointer runs, in pixels; W and H are
// the form's inner size. Kept apart from the form so the numbers can be
// checked on any screen without showing anything.
namespace BalloonGeometry
{

// The corner of the form that carries the pointer.
enum Corner : int { BottomRight = 1, TopRight = 2, BottomLeft = 3, TopLeft = 4 };

// The pointer tip lies this far in from the form's side edge.
constexpr int PointerInset = 42;

struct Placement {
    int corner = TopLeft;
    QPoint topLeft; // the form's top-left corner, screen pixels
};

// Half to even, as the platform rounds.
int roundPixel(double value);

// The corner by screen half (a point on a middle line counts as left or top)
// and the form's position that puts the anchor at that corner.
Placement placeAt(QPoint anchor, QSize screen, double w, double h);

// The pointer's triangles for a corner: the outer one goes into the window
// region, the inner one, in the balloon colour, covers the body's outline.
std::array<QPoint, 3> outerPointer(int corner, double w, double h);
std::array<QPoint, 3> innerPointer(int corner, double w, double h);

} // namespace BalloonGeometry
} // namespace ostrevo
