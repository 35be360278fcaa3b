#include "controls/button/Button.h"

#include "controls/foundation/ModMain.h"
#include "controls/foundation/modquivbutton.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SystemColors.h"

#include <QPainter>

using namespace com;

namespace ostrevo
{

namespace
{

constexpr int32_t XPOutline = 0x914B00;
constexpr int32_t XPCoolOutline = 0x9BA2A4;
constexpr int32_t XPHover = 0x30B2F8;
constexpr int32_t XPHoverTop = 0x89D8FD;
constexpr int32_t XPFocus = 0xF4B306;
constexpr int32_t XPDisabledOutline = 0xBFC3C4;
constexpr int32_t XPDisabledInner = 0xEDF1F1;
constexpr int32_t ClassicInnerLight = 0xE2EFF1;
constexpr uint32_t XPFlatFace = 0xF1FCFE;
constexpr int NotXorPen = 10;

// One ring of solid one-pixel lines around the whole surface.
void border(gdi::DeviceContext &dc, int32_t kind, int32_t c1, int32_t c2 = 0, int32_t c3 = 0, int32_t c4 = 0,
            int32_t c5 = 0, int32_t c6 = 0)
{
    gdi::Handle handle = dc.handle();
    gdi::Rect r{0, 0, dc.size().width(), dc.size().height()};
    int32_t penStyle = 0, penWidth = 1;
    modquivbutton::DrawButtonBorder(handle, r, kind, c1, c2, c3, c4, c5, c6, penStyle, penWidth);
}

} // namespace

// A picture box erases what was drawn on it when it takes a back colour.
void Button::setFaceBackColor(uint32_t color)
{
    m_faceBack = color;
    clearFace();
}

void Button::clearFace()
{
    if (m_face.isNull())
        return;
    m_face.fill(gdi::oleToQColor(m_faceBack));
    if (!m_facePicture.isNull()) {
        QPainter painter(&m_face);
        painter.drawImage(0, 0, m_facePicture);
    }
    update();
}

void Button::clearSurface()
{
    if (m_surface.isNull())
        return;
    m_surface.fill(gdi::oleToQColor(m_backColorB));
    update();
}

void Button::DrawFrame(int16_t state)
{
    clearSurface();
    const ButtonShades &s = m_shades;
    const auto faceReset = [this] { setFaceBackColor(static_cast<uint32_t>(m_shades.faceRGB)); };
    gdi::DeviceContext &dc = *m_dc;
    const bool drawable = !m_surface.isNull();
    if (state == 0) {
        if (m_borderStyle == 7)
            setFaceBackColor(XPFlatFace);
        else
            faceReset();
    } else if (state >= 1 && state <= 3 && drawable) {
        const int32_t faceNow = static_cast<int32_t>(gdi::oleToColorRef(m_faceBack));
        switch (m_borderStyle) {
        case 1: // Cool: a frame only while hovered or pressed
            if (state == 1)
                faceReset();
            else if (state == 2)
                border(dc, 1, s.shadeDark, s.shadeLight);
            else
                border(dc, 1, s.shadeLight, s.shadeDark);
            break;
        case 2:
            if (state == 3)
                border(dc, 1, s.shadeLight, s.shadeDark);
            else
                border(dc, 1, s.shadeDark, s.shadeLight);
            break;
        case 3:
            if (state == 3)
                border(dc, 2, s.shadeLight, 0, m_gradient ? s.gradientBottom : faceNow, s.shadeDark);
            else
                border(dc, 2, 0, s.shadeLight, s.shadeDark, m_gradient ? s.gradientTop : ClassicInnerLight);
            break;
        case 4:
            if (state != 3)
                border(dc, 3, 0, s.shadeLight, s.shadeDark, s.shadeLight, s.shadeDark);
            else if (m_gradient)
                border(dc, 3, 0, s.shadeDark, s.gradientBottom, s.gradientTop, s.gradientBottom);
            else
                border(dc, 3, 0, s.shadeDark, faceNow, faceNow, faceNow);
            break;
        case 5:
            if (state != 3 && !m_enabledB)
                border(dc, 4, XPDisabledOutline, XPDisabledInner, XPDisabledInner, XPDisabledInner,
                       XPDisabledInner, XPDisabledInner);
            else if (state == 2 && m_hoverRing)
                border(dc, 4, XPOutline, XPHover, XPHoverTop, XPHover, XPHover, XPHover);
            else if (state == 3)
                border(dc, 4, XPOutline, s.shadeLight, s.gradientBottom, s.gradientTop, s.gradientBottom,
                       s.gradientTop);
            else
                border(dc, 4, XPOutline, s.shadeLight, s.gradientTop, s.gradientBottom, s.gradientTop,
                       s.gradientBottom);
            break;
        case 6:
            if (state == 1)
                faceReset();
            else if (state == 2)
                border(dc, 4, XPCoolOutline, s.shadeLight, s.gradientTop, s.gradientBottom, s.gradientTop,
                       s.gradientBottom);
            else
                border(dc, 4, XPCoolOutline, s.shadeLight, s.gradientBottom, s.gradientTop, s.gradientBottom,
                       s.gradientTop);
            break;
        default:
            break;
        }
    }
    if (state >= 0 && state <= 3)
        m_frameState = state;
    update();
}

void Button::DrawFocus()
{
    const bool wanted = !m_notFrmFocus && m_hasFocus;
    if (m_borderStyle == 1 || m_borderStyle == 6)
        return;
    if (m_borderStyle == 5) {
        if (m_hoverRing)
            return;
        clearSurface();
        if (!m_surface.isNull()) {
            const ButtonShades &s = m_shades;
            if (wanted)
                border(*m_dc, 4, XPOutline, XPFocus, XPFocus, XPFocus, s.gradientTop, s.gradientBottom);
            else
                border(*m_dc, 4, XPOutline, s.shadeLight, s.gradientTop, s.gradientBottom, s.gradientTop,
                       s.gradientBottom);
        }
        update();
        return;
    }
    if (wanted && !m_hoverRing && !m_mouseDown) {
        m_focusCleared = false;
        if (m_face.isNull())
            return;
        gdi::Handle handle = m_faceDc->handle();
        const int previous = m_faceDc->rop2();
        m_faceDc->setROP2(NotXorPen);
        gdi::Rect r{0, 0, m_face.width(), m_face.height()};
        int32_t colour = static_cast<int32_t>(m_focusColor);
        ModMain::DrawFocusRectangle(handle, r, colour);
        m_faceDc->setROP2(previous);
        update();
    } else if (m_focusRect && !m_focusCleared) {
        if (m_largePicture)
            ShowState(1);
        else
            PaintFace(1);
        m_focusCleared = true;
    }
}

void Button::PaintFace(int16_t state)
{
    if (m_largePicture)
        return;
    // The XP-flat look has a flat face whatever Gradient says.
    if ((!m_gradient || m_borderStyle == 7) && m_borderStyle != 5 && m_borderStyle != 6) {
        setFaceBackColor(m_borderStyle == 7 ? XPFlatFace : static_cast<uint32_t>(m_shades.faceRGB));
        return;
    }
    m_facePicture = QImage();
    setFaceBackColor(static_cast<uint32_t>(state == 1 ? m_shades.gradientTop : m_shades.gradientBottom));
    if (m_face.isNull())
        return;
    gdi::Handle handle = m_faceDc->handle();
    gdi::Rect r{0, 0, m_face.width(), m_face.height()};
    int32_t top = modquivbutton::OleColorToRGB(m_shades.gradientTop);
    int32_t bottom = modquivbutton::OleColorToRGB(m_shades.gradientBottom);
    Variant direction = Variant::fromInteger(state);
    modquivbutton::DrawGradient(handle, r, top, bottom, direction);
    update();
}

// A face refresh belongs to the XP looks only.
void Button::faceRefresh(int16_t state)
{
    if (m_borderStyle == 5 || m_borderStyle == 6)
        PaintFace(state);
}

QImage Button::composed() const
{
    if (m_surface.isNull())
        return QImage();
    QImage image = m_surface.convertToFormat(QImage::Format_ARGB32);
    {
        QPainter painter(&image);
        if (!m_face.isNull())
            painter.drawImage(m_faceRect.topLeft(), m_face);
        if (m_iconVisible && !m_icon.isNull())
            painter.drawImage(m_faceRect.topLeft() + m_iconPos, m_icon);
        if (m_arrowVisible)
            painter.drawImage(m_faceRect.topLeft() + m_arrowPos, m_arrow);
        if (m_arrowDisabledVisible)
            painter.drawImage(m_faceRect.topLeft() + m_arrowPos, m_arrowDisabled);
    }
    // The labels lie on the face: their places are face coordinates.
    QImage face = image.copy(m_faceRect);
    gdi::DeviceContext dc(&face);
    m_lbl1.paint(dc);
    m_lbl2.paint(dc);
    QPainter painter(&image);
    painter.drawImage(m_faceRect.topLeft(), face);
    return image;
}

void Button::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, composed());
}

} // namespace ostrevo
