#include "controls/foundation/PictureBox.h"
#include "controls/foundation/modquivbutton.h"

#include "platform/com/AutomationError.h"
#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace ostrevo::modquivbutton
{

namespace
{

struct Channels {
    int16_t red = 0;
    int16_t green = 0;
    int16_t blue = 0;
};

// Indices 0 to 500 each way.
constexpr int BufferSide = 501;

// The filter's pixel buffer: one per user-interface thread, made on first use.
std::vector<Channels> &pixelBuffer()
{
    thread_local std::vector<Channels> buffer(static_cast<size_t>(BufferSide) * BufferSide);
    return buffer;
}

Channels &entry(int x, int y)
{
    return pixelBuffer()[static_cast<size_t>(y) * BufferSide + static_cast<size_t>(x)];
}

// ScaleWidth or ScaleHeight as a 16-bit Integer, rounded half to even.
int toInteger(float value)
{
    const double rounded = std::nearbyint(static_cast<double>(value));
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        com::raiseError(com::ErrOverflow);
    return static_cast<int>(rounded);
}

// The picture's pixel-scale size; a picture with pixels past index 500 does
// not fit the buffer (error 9, before anything is read or painted).
QSize pixelSize(PictureBox &picture)
{
    picture.setScaleMode(PictureBox::ScalePixels);
    const int w = toInteger(picture.scaleWidth());
    const int h = toInteger(picture.scaleHeight());
    if (w >= 1 && h >= 1 && (w > BufferSide || h > BufferSide))
        com::raiseError(com::ErrSubscript);
    return {w, h};
}

int embossed(int16_t here, int16_t diagonal, int base)
{
    return std::min(255, std::abs(here - diagonal + base));
}

} // namespace

void ReadPixels(PictureBox &picture)
{
    const QSize size = pixelSize(picture);
    const gdi::DeviceContext *dc = gdi::DeviceContext::fromHandle(picture.hDC());
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            // A pixel that cannot be read comes back as CLR_INVALID (-1).
            const int32_t c = static_cast<int32_t>(dc ? dc->getPixel(x, y) : gdi::ClrInvalid);
            Channels &p = entry(x, y);
            p.red = static_cast<int16_t>(c % 256);
            p.green = static_cast<int16_t>(((c & 0xFF00) / 256) % 256);
            p.blue = static_cast<int16_t>((c & 0xFF0000) / 65536);
        }
    }
}

void EmbossPicture(PictureBox &source, PictureBox &target, com::Variant &base)
{
    const int32_t baseColour = base.toLong();
    const int br = GetRed(baseColour), bg = GetGreen(baseColour), bb = GetBlue(baseColour);

    ReadPixels(source);
    target.setScaleMode(PictureBox::ScalePixels);
    const QSize size = pixelSize(source);
    gdi::DeviceContext *dc = gdi::DeviceContext::fromHandle(target.hDC());
    if (!dc)
        return;
    for (int y = 1; y <= size.height() - 2; ++y) {
        for (int x = 1; x <= size.width() - 2; ++x) {
            const Channels &p = entry(x, y);
            const Channels &q = entry(x + 1, y + 1);
            dc->setPixel(x, y,
                         gdi::rgb(embossed(p.red, q.red, br), embossed(p.green, q.green, bg),
                                  embossed(p.blue, q.blue, bb)));
        }
    }
}

} // namespace ostrevo::modquivbutton
