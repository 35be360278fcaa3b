// The balloon's window region, pointer, placement and shadow.
#include "controls/dialog/BalloonGeometry.h"
#include "controls/dialog/BlendColor.h"
#include "controls/dialog/msgFrm.h"
#include "platform/com/AutomationError.h"
#include "platform/desktop/DesktopSource.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/WindowRegion.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Twips.h"

#include <cmath>

namespace ostrevo
{

namespace
{

constexpr gdi::ColorRef BodyRim = gdi::rgb(70, 70, 70);
constexpr int ShadowRings = 18;

int32_t product32(int64_t a, int64_t b)
{
    const int64_t p = a * b;
    if (p < INT32_MIN || p > INT32_MAX)
        com::raise(com::ErrOverflow);
    return static_cast<int32_t>(p);
}

std::vector<QPoint> points(const std::array<QPoint, 3> &triangle)
{
    return {triangle.begin(), triangle.end()};
}

// Hands the region to the window; the window owns it from then on.
void giveToWindow(QWidget *window, gdi::GdiObject &region)
{
    if (gdi::setWindowRegion(window, region, true))
        region.release();
}

} // namespace

QSize msgFrm::GetScreenSize()
{
    return rt::SystemSources::screen().size();
}

void msgFrm::DrawBalloon(bool NoPointer, float x, float y, int16_t Intensity)
{
    gdi::GdiObject shadow;
    gdi::GdiObject body;
    gdi::GdiObject pointer;
    if (NoPointer) {
        const QSize screen = GetScreenSize();
        const double top = (double(screen.height()) * m_tppY - double(height()) * m_tppY) / 2;
        const double left = (double(screen.width()) * m_tppX - double(width()) * m_tppX) / 2;
        move(rt::Twips::toPixelsX(left), rt::Twips::toPixelsY(top));
        shadow.reset(n_GetShadowRect(Intensity));
        body.reset(n_GetMainRect());
        pointer.reset(gdi::createRectRgn(0, 0, 0, 0));
    } else {
        const int16_t corner = GetPointerStyle(x, y);
        shadow.reset(n_GetShadowRect(Intensity));
        body.reset(n_GetMainRect());
        pointer.reset(n_SetPointer(corner));
    }
    gdi::combineRgn(body, body, shadow, gdi::RgnOr);
    gdi::combineRgn(body, body, pointer, gdi::RgnOr);
    giveToWindow(this, body);
    update();
}

void msgFrm::n_RefreshShadow(int16_t Intensity)
{
    // Once moved, the balloon no longer points anywhere.
    gdi::GdiObject shadow(n_GetShadowRect(Intensity));
    gdi::GdiObject body(n_GetMainRect());
    gdi::combineRgn(body, body, shadow, gdi::RgnOr);
    giveToWindow(this, body);
    update();
}

gdi::Handle msgFrm::n_GetMainRect()
{
    const int W = width();
    const int H = height();
    gdi::GdiObject region(gdi::createRoundRectRgn(0, 20, W - 14, H - 32, 20, 20));
    gdi::GdiObject rim(gdi::createSolidBrush(BodyRim));
    m_dc->frameRgn(region, rim, W, H);
    gdi::GdiObject face(gdi::createSolidBrush(static_cast<gdi::ColorRef>(OleColorToRGB(m_balloonColour))));
    const gdi::Handle previous = m_dc->selectObject(face);
    m_dc->roundRect(0, 20, W - 15, H - 33, 24, 24);
    m_dc->selectObject(previous);
    return region.release();
}

int16_t msgFrm::GetPointerStyle(float x, float y)
{
    QPoint anchor;
    if (x == 0 || y == 0)
        anchor = rt::SystemSources::cursor().position();
    else
        anchor = QPoint(BalloonGeometry::roundPixel(x), BalloonGeometry::roundPixel(y));
    const BalloonGeometry::Placement placement =
        BalloonGeometry::placeAt(anchor, GetScreenSize(), width(), height());
    const int32_t topTwips = product32(m_tppY, placement.topLeft.y());
    const int32_t leftTwips = product32(m_tppX, placement.topLeft.x());
    move(rt::Twips::toPixelsX(leftTwips), rt::Twips::toPixelsY(topTwips));
    return static_cast<int16_t>(placement.corner);
}

gdi::Handle msgFrm::n_SetPointer(int16_t corner)
{
    const int W = width();
    const int H = height();
    gdi::GdiObject outer(
        gdi::createPolygonRgn(points(BalloonGeometry::outerPointer(corner, W, H)), gdi::Alternate));
    gdi::GdiObject black(gdi::createSolidBrush(0));
    m_dc->frameRgn(outer, black, W, H);
    gdi::GdiObject inner(
        gdi::createPolygonRgn(points(BalloonGeometry::innerPointer(corner, W, H)), gdi::Alternate));
    gdi::GdiObject face(gdi::createSolidBrush(static_cast<gdi::ColorRef>(OleColorToRGB(m_balloonColour))));
    m_dc->frameRgn(inner, face, W, H);
    return outer.release();
}

gdi::Handle msgFrm::n_GetShadowRect(int16_t Intensity)
{
    // Checked before the first pixel, so no half-painted shadow stays behind.
    checkShadowIntensity(Intensity);
    const QRect window(pos(), size());
    const int Wd = window.width();
    const int Hd = window.height();
    // What lies under the form's place; it is not shown yet (or only its body).
    // A balloon that closed just before (the second of two questions) must
    // have been painted over first, or its ghost lands in this shadow.
    rt::ServiceSlot<desktop::DesktopSource>::current().settle();
    const QImage desk = rt::ServiceSlot<desktop::DesktopSource>::current().capture(window);
    const auto deskPixel = [&desk](int x, int y) -> int32_t {
        if (!desk.valid(x, y))
            return 0;
        const QRgb p = desk.pixel(x, y);
        return static_cast<int32_t>(gdi::rgb(qRed(p), qGreen(p), qBlue(p)));
    };
    const int32_t black = 0;
    int16_t weight = 0;
    for (int i = ShadowRings - 1; i >= 0; --i) {
        if ((i + 1) % 2 == 0)
            weight = static_cast<int16_t>(weight + 20);
        for (int x = 5 + i; x <= Wd - 5 - i; ++x) {
            const int y = Hd - 23 - i;
            const int32_t shade = BlendColor(deskPixel(x, y), black, weight, Intensity);
            m_dc->setPixel(x, y, static_cast<gdi::ColorRef>(shade));
        }
        for (int y = 23 + i; y <= Hd - 23 - i; ++y) {
            const int x = Wd - 5 - i;
            const int32_t shade = BlendColor(deskPixel(x, y), black, weight, Intensity);
            m_dc->setPixel(x, y, static_cast<gdi::ColorRef>(shade));
        }
    }
    return gdi::createRoundRectRgn(11, 29, Wd - 5, Hd - 23, 45, 35);
}

} // namespace ostrevo
