#include "controls/button/Button.h"

#include <QResizeEvent>
#include <cmath>

namespace ostrevo
{

namespace
{

constexpr uint32_t DisabledText = 0x808080;

int pixel(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

void Button::SetCaption()
{
    if (m_textAlignment == 0 || m_textAlignment == 1) {
        m_lbl1.caption.clear();
        m_lbl2.caption.clear();
        m_lbl1.visible = false;
        m_lbl2.visible = false;
        update();
        return;
    }
    m_lbl2.visible = true;
    m_lbl1.visible = true;
    m_lbl2.caption = m_caption;
    m_lbl1.caption = m_caption;
    m_lbl2.foreColor = m_enabledB ? m_fontColor : DisabledText;
    m_lbl1.foreColor = m_enabledB ? m_fontShadowColor : static_cast<uint32_t>(m_shades.shadeLight);
    // The caption's font is the Font property itself; the relief copies it.
    if (m_lbl1.font != m_lbl2.font) {
        m_lbl1.font->name = m_lbl2.font->name;
        m_lbl1.font->size = m_lbl2.font->size;
        m_lbl1.font->bold = m_lbl2.font->bold;
        m_lbl1.font->weight = m_lbl2.font->weight;
        m_lbl1.font->italic = m_lbl2.font->italic;
        m_lbl1.font->strikethrough = m_lbl2.font->strikethrough;
        m_lbl1.font->underline = m_lbl2.font->underline;
    }
    update();
}

// The host sends a resize while the size changes; where it does not (the
// control is not shown yet, or the size did not change) the layout runs here.
void Button::growTo(int width, int height)
{
    if (QSize(width, height) == size())
        return;
    resize(width, height);
    if (!isVisible())
        UserControl_Resize();
}

void Button::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

void Button::UserControl_Resize()
{
    const int scaleW = width();
    const int iconW = m_icon.isNull() ? 0 : m_icon.width();
    const int iconH = m_icon.isNull() ? 0 : m_icon.height();
    const QSize caption = m_lbl2.visible ? m_lbl2.textSize() : QSize(0, 0);
    const int lw = m_lbl2.caption.isEmpty() ? 0 : caption.width();
    const int lh = m_lbl2.caption.isEmpty() ? 0 : caption.height();

    // 1. Never smaller than icon and caption.
    if (m_iconVisible && m_borderStyle != 0) {
        if (m_textAlignment == 0 || m_textAlignment == 1) {
            if (scaleW < iconW + 2)
                growTo(iconW + 2, height());
            if (height() < iconH + 2)
                growTo(width(), iconH + 2);
        } else if (m_textAlignment == 2) {
            if (scaleW < lw + iconW + 3)
                growTo(lw + iconW + 3, height());
            if (height() < iconH + 2)
                growTo(width(), iconH + 2);
        } else if (m_textAlignment == 3) {
            if (scaleW < lw + 2)
                growTo(lw + 2, height());
            if (height() < lh + iconH + 3)
                growTo(width(), lh + iconH + 13);
        }
    } else {
        if (scaleW < lw + 2)
            growTo(lw + 2, height());
        if (height() < lh + 2)
            growTo(width(), lh + 2);
    }

    // 2. The face inside the frame.
    const int w = width();
    const int h = height();
    if (m_surface.size() != size()) {
        m_surface = QImage(size(), QImage::Format_RGB32);
        clearSurface();
    }
    QRect face;
    switch (m_borderStyle) {
    case 1:
    case 2:
    case 7:
        face = QRect(1, 1, w - 2, h - 2);
        break;
    case 3:
        face = QRect(2, 2, w - 4, h - 4);
        break;
    case 4:
        face = QRect(3, 3, w - 6, h - 6);
        break;
    case 5:
    case 6:
        face = QRect(2, 3, w - 4, h - 6);
        break;
    default:
        face = QRect(0, 0, w, h);
        m_iconPos = QPoint(0, 0);
        break;
    }
    if (m_largePicture && !m_facePicture.isNull() && m_iconVisible == false && m_buttonShow == 0)
        face.setSize(m_facePicture.size());
    face.setWidth(std::max(face.width(), 0));
    face.setHeight(std::max(face.height(), 0));
    m_faceRect = face;
    if (m_face.size() != face.size()) {
        m_face = face.isEmpty() ? QImage() : QImage(face.size(), QImage::Format_RGB32);
        clearFace();
    }

    // 3. The caption on the face.
    const double pw = face.width(), ph = face.height();
    if (m_textAlignment == 0 || m_textAlignment == 1) {
        m_lbl2.visible = false;
        m_lbl1.visible = false;
    } else {
        double left = 0, top = 0;
        if (m_textAlignment == 2) {
            top = ph / 2 - lh / 2.0;
            if (m_buttonShow == 51 || m_buttonShow == 0)
                left = pw / 2 - lw / 2.0;
            else
                left = pw / 2 + iconW / 2.0 - lw / 2.0;
        } else if (m_textAlignment == 3) {
            left = pw / 2 - lw / 2.0;
            top = ph - lh - 3;
        }
        if (m_mouseDown && m_borderStyle != 5 && m_borderStyle != 6 && m_borderStyle != 7 &&
            !(m_buttonShow >= 42 && m_buttonShow <= 44)) {
            left += 1;
            top += 1;
        }
        if (m_textAlignment == 2 || m_textAlignment == 3) {
            m_lbl2.visible = true;
            m_lbl2.move(left, top);
            // 4. The relief copy beside it.
            int dx = 0;
            if (!isEnabled())
                dx = 1;
            else if (m_font3D == 0)
                dx = -1;
            else if (m_font3D == 2)
                dx = 1;
            else if (m_font3D == 1)
                dx = m_hoverRing || m_mouseDown ? -1 : 0;
            else if (m_font3D == 3)
                dx = m_hoverRing || m_mouseDown ? 1 : 0;
            m_lbl1.visible = true;
            m_lbl1.move(m_lbl2.left() + dx, m_lbl2.top() + dx);
        }
    }

    // 5. The icon, centred with the caption as one group.
    const double l1w = m_lbl1.caption.isEmpty() ? 0 : m_lbl1.textSize().width();
    if (m_iconVisible) {
        if (m_textAlignment != 3) {
            const int top = pixel(ph / 2 - iconH / 2.0);
            const int left = m_borderStyle != 0 ? pixel(pw / 2 - (iconW / 2.0 + l1w / 2)) : m_iconPos.x();
            m_iconPos = QPoint(left, top);
        } else {
            m_iconPos = QPoint(pixel(pw / 2 - iconW / 2.0), pixel((ph - (iconH + lh)) / 2));
        }
    }

    // 6. The arrow marker right of the icon.
    if (m_textAlignment != 1) {
        m_arrowVisible = false;
        m_arrowDisabledVisible = false;
    } else if (m_enabledB) {
        m_arrowDisabledVisible = false;
        m_arrowVisible = true;
        m_arrowPos = QPoint(m_iconPos.x() + iconW + 1,
                            pixel(m_iconPos.y() + iconH / 2.0 - m_arrow.height() / 2.0 + 1));
    } else {
        m_arrowVisible = false;
        m_arrowDisabledVisible = true;
    }

    // 7. The present look again.
    if (m_enabledB && !m_mouseDown) {
        if ((m_gradient || m_borderStyle == 5) && m_borderStyle != 7 && m_borderStyle != 1)
            PaintFace(1);
        if (m_borderStyle != 1 && m_borderStyle != 6) {
            DrawFrame(1);
        } else {
            setFaceBackColor(static_cast<uint32_t>(m_shades.faceRGB));
            DrawFrame(0);
        }
    } else if (m_enabledB) {
        DrawFrame(3);
        if (m_borderStyle == 5 || m_borderStyle == 6)
            PaintFace(2);
        else if (m_gradient)
            PaintFace(1);
    }
    update();
}

} // namespace ostrevo
