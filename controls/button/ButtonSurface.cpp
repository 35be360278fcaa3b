#include "controls/button/ButtonSurface.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SystemColors.h"

#include <QPainter>

namespace ostrevo
{

namespace
{

} // namespace

ButtonSurface::ButtonSurface() = default;
ButtonSurface::~ButtonSurface() = default;

void ButtonSurface::reset(QSize size, uint32_t backColor)
{
    m_dc.reset();
    m_image = QImage(size, QImage::Format_RGB32);
    if (!m_image.isNull())
        m_image.fill(gdi::oleToQColor(backColor));
}

void ButtonSurface::setPicture(const QImage &picture, uint32_t backColor)
{
    reset(picture.size(), backColor);
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    painter.drawImage(0, 0, picture);
}

float ButtonSurface::scaleWidth() const
{
    return m_scaleMode == ScalePixels ? float(m_image.width()) : float(m_image.width() * 15);
}

float ButtonSurface::scaleHeight() const
{
    return m_scaleMode == ScalePixels ? float(m_image.height()) : float(m_image.height() * 15);
}

gdi::Handle ButtonSurface::hDC()
{
    if (!m_dc)
        m_dc = std::make_unique<gdi::DeviceContext>(&m_image);
    return m_dc->handle();
}

} // namespace ostrevo
