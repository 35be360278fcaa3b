#pragma once

#include "platform/com/StdFont.h"

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <cstdint>
#include <memory>

namespace gdi
{
class DeviceContext;
}

namespace ostrevo
{

// A label without a window of its own: its container keeps it, paints it
// over its own surface and hit-tests it. Its place is in the container's
// units (pixels or twips); the container says how many make a pixel.
class WindowlessLabel
{
public:
    WindowlessLabel(const QString &caption, std::shared_ptr<com::StdFont> font);

    QString caption;
    std::shared_ptr<com::StdFont> font; // never null; may be shared with the host
    uint32_t foreColor = 0x80000012;    // button text
    uint32_t backColor = 0x8000000F;    // button face
    bool opaque = false;
    bool visible = true;
    bool enabled = true;
    // An autosized label is as large as its one line of text, in pixels.
    bool autoSize = false;
    // As the platform's label: "&x" shows x with the access-key underline and
    // "&&" one "&"; without it every "&" is text.
    bool useMnemonic = true;
    QString toolTip;

    void move(double left, double top)
    {
        m_left = left;
        m_top = top;
    }
    void move(double left, double top, double width, double height);
    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const;
    double height() const;

    // The caption's one line as shown, in the label's font, in pixels.
    QSize textSize() const;
    QRect pixelRect(double unitsPerPixelX = 1, double unitsPerPixelY = 1) const;
    bool contains(const QPoint &pixel, double unitsPerPixelX = 1, double unitsPerPixelY = 1) const;

    // Paints the label where it lies (nothing while it is hidden); leaves the
    // device context's objects as it found them.
    void paint(gdi::DeviceContext &dc, double unitsPerPixelX = 1, double unitsPerPixelY = 1) const;

private:
    unsigned prefixFormat() const; // the text format's part for the "&" marks

    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
};

} // namespace ostrevo
