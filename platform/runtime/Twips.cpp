#include "platform/runtime/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <limits>
#include <optional>

namespace rt
{

namespace
{

constexpr double TwipsPerInch = 1440.0;
// What a classic desktop at 96 dpi gives; used when there is no screen.
constexpr double FallbackPerPixel = 15.0;

struct Injected {
    double x;
    double y;
};

std::optional<Injected> &injected()
{
    static std::optional<Injected> value;
    return value;
}

double fromScreen(bool horizontal)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return FallbackPerPixel;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return FallbackPerPixel;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? TwipsPerInch / dpi : FallbackPerPixel;
}

int roundToInt(double value)
{
    const double rounded = std::nearbyint(value);
    // Clamped so that absurd inputs cannot overflow the conversion.
    if (!(rounded > std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (rounded >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

} // namespace

double Twips::perPixelX()
{
    return injected() ? injected()->x : fromScreen(true);
}
double Twips::perPixelY()
{
    return injected() ? injected()->y : fromScreen(false);
}

bool Twips::setPerPixel(double x, double y)
{
    if (!(x > 0) || !(y > 0) || !std::isfinite(x) || !std::isfinite(y))
        return false;
    injected() = Injected{x, y};
    return true;
}

void Twips::resetPerPixel()
{
    injected().reset();
}

int Twips::toPixelsX(double twips)
{
    return roundToInt(twips / perPixelX());
}
int Twips::toPixelsY(double twips)
{
    return roundToInt(twips / perPixelY());
}
int Twips::fromPixelsX(int pixels)
{
    return roundToInt(pixels * perPixelX());
}
int Twips::fromPixelsY(int pixels)
{
    return roundToInt(pixels * perPixelY());
}

QRect Twips::toPixels(const QRect &twips)
{
    return QRect(toPixelsX(twips.x()), toPixelsY(twips.y()), toPixelsX(twips.width()),
                 toPixelsY(twips.height()));
}

QRect Twips::fromPixels(const QRect &pixels)
{
    return QRect(fromPixelsX(pixels.x()), fromPixelsY(pixels.y()), fromPixelsX(pixels.width()),
                 fromPixelsY(pixels.height()));
}

QSize Twips::toPixels(const QSize &twips)
{
    return QSize(toPixelsX(twips.width()), toPixelsY(twips.height()));
}

QSize Twips::fromPixels(const QSize &pixels)
{
    return QSize(fromPixelsX(pixels.width()), fromPixelsY(pixels.height()));
}

} // namespace rt
