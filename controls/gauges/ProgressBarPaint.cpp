// The painting of ProgressBar: one paint routine for the ten styles and the
// percentage text, all drawn on PB in its pixels.
#include "controls/gauges/ProgressBar.h"

#include "controls/gauges/ProgressBarPictures.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SystemColors.h"

#include <QCoreApplication>
#include <cmath>

using namespace com;

namespace ostrevo
{

namespace
{

constexpr int ErrInvalidPicture = 481;
constexpr int ChunkWidth = 6;
constexpr uint32_t White = 0xFFFFFF;

// Far enough outside any surface to change no pixel, near enough to stay a
// whole number.
constexpr double CoordinateLimit = 1 << 24;

int pixel(double coordinate)
{
    return int(std::nearbyint(std::clamp(coordinate, -CoordinateLimit, CoordinateLimit)));
}

// RGB of three channels: above 255 counts as 255; a negative channel (or
// one beyond a 16-bit number) is no colour, and the statement that wanted
// it is skipped.
std::optional<uint32_t> rgbOf(double r, double g, double b)
{
    for (double c : {r, g, b})
        if (c < 0 || c > 32767)
            return std::nullopt;
    return gdi::rgb(int(std::min(r, 255.0)), int(std::min(g, 255.0)), int(std::min(b, 255.0)));
}

struct Channels {
    int r, g, b;
};

Channels channelsOf(uint32_t colour)
{
    return {ProgressBar::ColorRed(colour), ProgressBar::ColorGreen(colour), ProgressBar::ColorBlue(colour)};
}

const QImage *imageOf(const std::shared_ptr<StdPicture> &picture)
{
    if (!picture || picture->picture().isNull())
        return nullptr;
    return &picture->picture().image();
}

} // namespace

// --- colour channels -----------------------------------------------------------------

uint32_t ProgressBar::TranslateSysColor(uint32_t colour)
{
    if ((colour >> 24) == 0x80)
        return gdi::sysColor(int(colour & 0xFF));
    return colour;
}

uint8_t ProgressBar::ColorRed(uint32_t colour)
{
    return uint8_t(TranslateSysColor(colour) & 0xFF);
}
uint8_t ProgressBar::ColorGreen(uint32_t colour)
{
    return uint8_t((TranslateSysColor(colour) >> 8) & 0xFF);
}
uint8_t ProgressBar::ColorBlue(uint32_t colour)
{
    return uint8_t((TranslateSysColor(colour) >> 16) & 0xFF);
}

// --- PB's drawing primitives -----------------------------------------------------------

void ProgressBar::cls()
{
    if (m_surface.isNull())
        return;
    m_surface.fill(gdi::oleToQColor(m_pbBackColor));
    surfaceChanged();
}

// A filled box from one corner to the other, both included, as the surface's
// Line draws it.
void ProgressBar::fillBox(double x1, double y1, double x2, double y2, uint32_t oleColor)
{
    if (m_surface.isNull())
        return;
    const int left = pixel(std::min(x1, x2)), right = pixel(std::max(x1, x2));
    const int top = pixel(std::min(y1, y2)), bottom = pixel(std::max(y1, y2));
    gdi::DeviceContext dc(&m_surface);
    gdi::GdiObject brush(gdi::createSolidBrush(gdi::oleToColorRef(oleColor)));
    dc.fillRect(gdi::Rect{left, top, right + 1, bottom + 1}, brush.get());
    surfaceChanged();
}

// The picture (or the source part of it) stretched into the destination box.
void ProgressBar::copyPicture(const QImage &picture, double x, double y, double width, double height,
                              std::optional<QRectF> source)
{
    const int w = pixel(width), h = pixel(height);
    if (m_surface.isNull() || w <= 0 || h <= 0)
        return;
    QImage part = picture;
    if (source) {
        const QRect from(pixel(source->x()), pixel(source->y()), pixel(source->width()),
                         pixel(source->height()));
        if (from.isEmpty())
            return;
        part = picture.copy(from);
    }
    gdi::DeviceContext dc(&m_surface);
    dc.drawImage(pixel(x), pixel(y), part, w, h);
    surfaceChanged();
}

void ProgressBar::printText(const QString &text, double x, double y)
{
    if (m_surface.isNull())
        return;
    gdi::DeviceContext dc(&m_surface);
    gdi::GdiObject font(gdi::createFont(this->font()));
    const gdi::Handle old = dc.selectObject(font.get());
    dc.setBkMode(gdi::Transparent);
    dc.setTextColor(gdi::oleToColorRef(m_pbForeColor));
    dc.textOut(pixel(x), pixel(y), text);
    dc.selectObject(old);
    surfaceChanged();
}

// Inside a paint request the surface is shown right after the paint; asking
// for another one there would paint again and again.
void ProgressBar::surfaceChanged()
{
    if (!m_inPaintRequest)
        update();
}

// --- the paint ---------------------------------------------------------------------------

void ProgressBar::paint()
{
    const bool xp = m_style == XPStyleBig || m_style == XPStyleSmall;
    // The XP frame is painted once; a new back colour would disturb it.
    if (!xp)
        m_pbBackColor = m_backColor;
    m_pbForeColor = m_textColor;
    const std::optional<double> ratio = m_max != 0 ? std::optional(double(m_value) / m_max) : std::nullopt;
    if (!paintStyle(ratio))
        return;
    paintText(ratio);
    if (!xp)
        m_xpFrameDrawn = false;
}

// False when the style ended the paint: no text then. Without a quotient
// (Max 0) the surface is cleared; only SmoothDoubleColor goes on, with a
// bar of no length.
bool ProgressBar::paintStyle(std::optional<double> ratio)
{
    if (m_style == SmoothDoubleColor)
        return paintSmoothDoubleColor(ratio);
    if (m_style < Standart || m_style > CustomPictureTile)
        return true;
    if (!ratio) {
        cls();
        return false;
    }
    switch (m_style) {
    case Standart:
        return paintBlocks(*ratio, false);
    case Smooth:
        paintSmooth(*ratio);
        return true;
    case ValueDependant:
        paintValueDependant(*ratio);
        return true;
    case DoubleColor:
        return paintBlocks(*ratio, true);
    case XPStyleBig:
    case XPStyleSmall:
        paintXP(*ratio);
        return true;
    default:
        break;
    }
    const Outcome outcome = paintPicture(*ratio);
    if (outcome == Outcome::MissingPicture)
        setStyle(SmoothDoubleColor); // records the change and paints in that style
    return outcome == Outcome::Finished;
}

// Standart: blocks 13 pixels wide, one every 15 pixels. DoubleColor: the same
// blocks in a gradient from BarColor1, with a gap of two. Both clear only
// when the bar shrinks.
bool ProgressBar::paintBlocks(double ratio, bool gradient)
{
    const double w = width(), h = height();
    if (ratio < m_lastRatio)
        cls();
    m_lastRatio = ratio;
    int x = 0;
    // Blocks starting right of the surface change nothing; stopping there
    // keeps an overrunning bar (Value far above Max) from drawing for ever.
    if (!gradient) {
        const double end = std::min(std::floor(w * ratio), w);
        while (x < end) {
            fillBox(x, 0, x + 13, h, m_barColor1);
            fillBox(x + 13, 0, x + 14, h, m_backColor);
            x += 15;
        }
    } else {
        if (ratio == 0)
            return false;
        const Channels c1 = channelsOf(m_barColor1), c2 = channelsOf(m_barColor2);
        const double last = std::floor(w * m_value / m_max);
        const double steps = last / 15;
        // A division that fails leaves its step at 0.
        const double sr = steps != 0 ? (c2.r - c1.r) / steps : 0;
        const double sg = steps != 0 ? (c2.g - c1.g) / steps : 0;
        const double sb = steps != 0 ? (c2.b - c1.b) / steps : 0;
        const double end = std::min(last, w);
        for (; x <= end; x += 15) {
            const std::optional<uint32_t> colour =
                rgbOf(std::nearbyint(sr * x / 15 + c1.r), std::nearbyint(sg * x / 15 + c1.g),
                      std::nearbyint(sb * x / 15 + c1.b));
            if (colour)
                fillBox(x, 0, x + 13, h, *colour);
        }
    }
    // The band around the centre, where the text goes; past it one column.
    if (x <= w / 2)
        fillBox(x, 0, w - x, h, m_backColor);
    else
        fillBox(x, 0, x, h, m_backColor);
    return true;
}

void ProgressBar::paintSmooth(double ratio)
{
    cls();
    const double end = std::floor(ratio * width());
    if (end < -32768 || end > 32767) // the bar's end is a 16-bit number
        raiseError(ErrOverflow);
    fillBox(0, 0, end, height(), m_barColor1);
}

// One colour for the whole bar, mixed from BarColor1 towards BarColor2 by the percentage.
void ProgressBar::paintValueDependant(double ratio)
{
    const Channels c1 = channelsOf(m_barColor1), c2 = channelsOf(m_barColor2);
    const double pct = ratio * 100;
    cls();
    if (const auto mix =
            rgbOf(std::floor(pct * (c2.r - c1.r) / 100 + c1.r), std::floor(pct * (c2.g - c1.g) / 100 + c1.g),
                  std::floor(pct * (c2.b - c1.b) / 100 + c1.b)))
        m_pbForeColor = *mix;
    fillBox(0, 0, pct * width() / 100, height(), m_pbForeColor);
}

// Overlapping strips five pixels wide, one a pixel, from BarColor1 to BarColor2.
bool ProgressBar::paintSmoothDoubleColor(std::optional<double> ratio)
{
    cls();
    if (m_value == 0)
        return false;
    const Channels c1 = channelsOf(m_barColor1), c2 = channelsOf(m_barColor2);
    const double w = width();
    // Without a quotient the bar has no length, and no step can be worked out.
    const double fill = ratio ? std::floor(w * m_value / m_max) : 0;
    const float sr = fill != 0 ? float(c2.r - c1.r) / float(fill) : 0.f;
    const float sg = fill != 0 ? float(c2.g - c1.g) / float(fill) : 0.f;
    const float sb = fill != 0 ? float(c2.b - c1.b) / float(fill) : 0.f;
    const double end = std::min(fill, w);
    for (int x = 0; x <= end; ++x) {
        const float fx = float(x);
        const std::optional<uint32_t> colour =
            rgbOf(std::nearbyint(sr * fx + float(c1.r)), std::nearbyint(sg * fx + float(c1.g)),
                  std::nearbyint(sb * fx + float(c1.b)));
        if (colour)
            fillBox(x, 0, x + 5, height(), *colour);
    }
    // The text needs the quotient too; the paint goes on without it.
    if (!ratio)
        m_xpFrameDrawn = false;
    return ratio.has_value();
}

// The frame picture once, then the chunks from slot 0, then white from the
// first empty slot to the right end of the frame's inside.
void ProgressBar::paintXP(double ratio)
{
    const bool big = m_style == XPStyleBig;
    const QImage &frame = big ? ProgressBarPictures::frameBig() : ProgressBarPictures::frameSmall();
    const int frameHeight = frame.height();
    const double sw = m_surface.width(), sh = m_surface.height();
    if (!m_xpFrameDrawn) {
        copyPicture(frame, 0, 0, sw, sh);
        m_xpFrameDrawn = true;
    }
    double slot = 1;
    if (std::floor(ratio * sw) != 0 && m_value != 0) {
        const QImage &chunk = ProgressBarPictures::chunk(big, m_xpColor != 0);
        const double lastFitting = std::floor((sw - 5) / (ChunkWidth + 1)) - 1;
        const double last = std::floor(ratio * lastFitting);
        for (slot = 0; slot <= last; ++slot) {
            const double x = (ChunkWidth + 1) * slot + 3;
            if (x >= sw)
                break; // right of the surface: nothing more to see
            copyPicture(chunk, x, 2, ChunkWidth, frameHeight - 4);
            // Host handlers may run here and change the bar; this paint
            // still finishes its own chunks. Not inside a paint request,
            // where pending paints would nest into this one.
            if (!m_inPaintRequest)
                QCoreApplication::processEvents();
        }
    }
    if (ratio != 1)
        fillBox((ChunkWidth + 1) * slot + 3, 2, m_surface.width() - 5, frameHeight - 3, White);
}

ProgressBar::Outcome ProgressBar::paintPicture(double ratio)
{
    const double sw = m_surface.width(), sh = m_surface.height();
    if (m_style == CustomPictureLandscape || m_style == CustomPictureStrech) {
        const bool landscape = m_style == CustomPictureLandscape;
        const double fill = landscape ? ratio * sw : std::floor(ratio * sw);
        if (fill == 0) {
            cls();
            return Outcome::Ended;
        }
        const QImage *picture = imageOf(landscape ? m_landscape : m_stretch);
        if (!picture)
            return Outcome::MissingPicture;
        if (landscape) {
            // Unscaled in width: as much of the picture as the bar is long.
            const double part = std::min(fill, double(picture->width()));
            copyPicture(*picture, 0, 0, part, sh, QRectF(0, 0, part, picture->height()));
        } else {
            copyPicture(*picture, 0, 0, fill, sh);
        }
        fillBox(fill, 0, sw, sh, m_backColor);
        return Outcome::Finished;
    }
    // Tiles of the picture's own width. Without a picture the tile image has
    // no width; only a bar that needs a tile then finds the picture missing.
    const QImage *picture = imageOf(m_tile);
    const double w = picture ? picture->width() : 0;
    const double tiles = std::floor(ratio * (sw / (w + 1)));
    if (!picture) {
        if (tiles >= 1)
            return Outcome::MissingPicture;
        fillBox(0, 0, sw, sh, m_backColor);
        return Outcome::Finished;
    }
    const double visible = std::floor(sw / w) + 1; // tiles past these lie right of the surface
    const double drawn = std::min(tiles, visible);
    for (int i = 1; i <= drawn; ++i) {
        copyPicture(*picture, w * (i - 1), 0, w, sh);
        fillBox(w * i, 0, w * i + 1, sh, m_backColor);
    }
    fillBox(w * drawn, 0, sw, sh, m_backColor);
    return Outcome::Finished;
}

// The percentage in lblVal's caption, printed in the middle of PB when
// ShowText is on.
void ProgressBar::paintText(std::optional<double> ratio)
{
    if (!ratio)
        return;
    // + 0.0 so that a negative zero reads 0.
    m_caption = QString::number(std::floor(*ratio * 100) + 0.0, 'f', 0) + QLatin1Char('%');
    QSize extent;
    {
        QImage probe(1, 1, QImage::Format_RGB32);
        gdi::DeviceContext dc(&probe);
        gdi::GdiObject font(gdi::createFont(this->font()));
        const gdi::Handle old = dc.selectObject(font.get());
        extent = dc.textExtent(m_caption);
        dc.selectObject(old);
    }
    const double x = width() / 2.0 - extent.width() / 2.0;
    const double y = height() / 2.0 - extent.height() / 2.0;
    m_pbForeColor = m_textColor;
    if (m_showText)
        printText(m_caption, x, y);
}

} // namespace ostrevo
