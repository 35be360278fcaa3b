#pragma once

#include <QRect>
#include <QSize>

namespace rt
{

// Forms are laid out in twips (1440 to the inch). The number of twips per
// pixel comes from the primary screen's logical DPI unless a test or the
// program fixes it; a fixed value needs no screen, so it may be set before
// the application object exists.
class Twips
{
public:
    static double perPixelX();
    static double perPixelY();
    // Returns false and changes nothing for values that are not positive.
    static bool setPerPixel(double x, double y);
    static void resetPerPixel();

    // Rounding is half to even, as the platform rounds.
    static int toPixelsX(double twips);
    static int toPixelsY(double twips);
    static int fromPixelsX(int pixels);
    static int fromPixelsY(int pixels);

    // Left, top, width and height are each converted on their own, as a
    // control's Left, Top, Width and Height are.
    static QRect toPixels(const QRect &twips);
    static QRect fromPixels(const QRect &pixels);
    static QSize toPixels(const QSize &twips);
    static QSize fromPixels(const QSize &pixels);
};

} // namespace rt
