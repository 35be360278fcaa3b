#include "controls/display/WindowlessLabel.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/SystemColors.h"

#include <QImage>
#include <cmath>

namespace ostrevo
{

namespace
{

// A font selected for one scope; the previous one goes back before ours is deleted.
class FontSelection
{
public:
    FontSelection(gdi::DeviceContext &dc, const com::StdFont &font)
        : m_dc(dc), m_font(gdi::createFont(font.toQFont())), m_old(dc.selectObject(m_font))
    {
    }
    ~FontSelection() { m_dc.selectObject(m_old); }
    FontSelection(const FontSelection &) = delete;
    FontSelection &operator=(const FontSelection &) = delete;

private:
    gdi::DeviceContext &m_dc;
    gdi::GdiObject m_font;
    gdi::Handle m_old;
};

int toPixels(double units, double unitsPerPixel)
{
    return static_cast<int>(std::nearbyint(units / unitsPerPixel));
}

} // namespace

WindowlessLabel::WindowlessLabel(const QString &text, std::shared_ptr<com::StdFont> labelFont)
    : caption(text), font(std::move(labelFont))
{
}

void WindowlessLabel::move(double left, double top, double width, double height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
}

double WindowlessLabel::width() const
{
    return autoSize ? textSize().width() : m_width;
}

double WindowlessLabel::height() const
{
    return autoSize ? textSize().height() : m_height;
}

QSize WindowlessLabel::textSize() const
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    gdi::DeviceContext dc(&scratch);
    const FontSelection selected(dc, *font);
    // Measured as drawn, so the access-key marks take no room.
    gdi::Rect r{0, 0, 0, 0};
    dc.drawText(r, caption, gdi::DtCalcRect | gdi::DtSingleLine | prefixFormat());
    return QSize(r.width(), r.height());
}

unsigned WindowlessLabel::prefixFormat() const
{
    return useMnemonic ? 0u : unsigned(gdi::DtNoPrefix);
}

QRect WindowlessLabel::pixelRect(double unitsPerPixelX, double unitsPerPixelY) const
{
    if (autoSize)
        return QRect(QPoint(toPixels(m_left, unitsPerPixelX), toPixels(m_top, unitsPerPixelY)), textSize());
    return QRect(toPixels(m_left, unitsPerPixelX), toPixels(m_top, unitsPerPixelY),
                 toPixels(m_width, unitsPerPixelX), toPixels(m_height, unitsPerPixelY));
}

bool WindowlessLabel::contains(const QPoint &pixel, double unitsPerPixelX, double unitsPerPixelY) const
{
    return visible && pixelRect(unitsPerPixelX, unitsPerPixelY).contains(pixel);
}

void WindowlessLabel::paint(gdi::DeviceContext &dc, double unitsPerPixelX, double unitsPerPixelY) const
{
    if (!visible)
        return;
    const QRect area = pixelRect(unitsPerPixelX, unitsPerPixelY);
    if (area.isEmpty())
        return;
    if (opaque) {
        const gdi::GdiObject brush(gdi::createSolidBrush(gdi::oleToColorRef(backColor)));
        dc.fillRect(gdi::Rect::fromQRect(area), brush);
    }
    const FontSelection selected(dc, *font);
    const int oldMode = dc.setBkMode(gdi::Transparent);
    const gdi::ColorRef oldColor =
        dc.setTextColor(enabled ? gdi::oleToColorRef(foreColor) : gdi::sysColor(gdi::ColorGrayText));
    gdi::Rect r = gdi::Rect::fromQRect(area);
    // A label of fixed size wraps its caption at blanks; an autosized one keeps one line.
    dc.drawText(r, caption, prefixFormat() | (autoSize ? gdi::DtSingleLine : gdi::DtWordBreak));
    dc.setTextColor(oldColor);
    dc.setBkMode(oldMode);
}

} // namespace ostrevo
