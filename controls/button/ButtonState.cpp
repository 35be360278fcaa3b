#include "controls/button/Button.h"

#include "controls/button/ButtonSurface.h"
#include "controls/foundation/ModResIcons.h"
#include "controls/foundation/modquivbutton.h"
#include "platform/runtime/Timer.h"

using namespace com;

namespace ostrevo
{

namespace
{

constexpr uint32_t XPFlatFace = 0xF1FCFE;
constexpr uint32_t XPDisabledFace = 0xEDF1F1;
constexpr int LoadColour = 2;

QImage imageOf(const std::shared_ptr<StdPicture> &picture)
{
    return picture ? picture->picture().image() : QImage();
}

// The stock icon group and its size for a state; 0 where there is none.
std::pair<int, int> stockIcon(int32_t show, int16_t state, bool large, int32_t switched)
{
    const int offset = state == 1 ? 0 : state == 2 ? 100 : state == 3 ? 200 : -show;
    if (show == 42) {
        if (state == 3)
            return {switched == 2 ? 242 : 142, 14};
        return {state == 1 || state == 2 ? 42 : 0, 14};
    }
    if (show >= 43 && show <= 46)
        return {state == 3 ? show + 200 : state == 1 || state == 2 ? show : 0, 11};
    return {show + offset, large && show <= 40 ? 32 : 16};
}

} // namespace

void Button::ShowState(int16_t state)
{
    if (state >= 1 && state <= 3)
        m_pictureState = state;
    const int offset = state == 1 ? 0 : state == 2 ? 100 : state == 3 ? 200 : 0;
    const int number = m_buttonShow + offset;

    if (m_borderStyle != 5 && m_borderStyle != 6 && (!m_gradient || m_borderStyle == 7)) {
        if (state == 1)
            setFaceBackColor(m_borderStyle == 7 ? XPFlatFace : static_cast<uint32_t>(m_shades.faceRGB));
        else if ((state == 2 || state == 3) && m_buttonShow >= 42 && m_buttonShow <= 46)
            setFaceBackColor(static_cast<uint32_t>(m_shades.faceRGB));
        else if (state == 2)
            setFaceBackColor(static_cast<uint32_t>(m_shades.faceOver));
        else if (state == 3)
            setFaceBackColor(static_cast<uint32_t>(m_shades.faceDown));
    }

    m_iconGroup = 0;
    m_iconPixels = 0;
    // A disabled button takes no input and stops its poll whatever it shows.
    const auto disableInput = [this] {
        m_inputEnabled = false;
        m_lbl2.enabled = false;
        m_timer->setEnabled(false);
    };
    if (m_buttonShow == 51) {
        m_iconVisible = false;
        if (!m_enabledB) {
            disableInput();
        } else {
            m_inputEnabled = true;
            m_lbl2.enabled = true;
        }
        update();
        return;
    }
    m_icon = QImage();
    m_iconVisible = true;

    const bool stock = m_buttonShow >= 1 && m_buttonShow <= 50;
    if (m_enabledB) {
        if (m_buttonShow == 0) {
            const int index = state - 1;
            const QImage own = index >= 0 && index < 3 ? imageOf(m_pictures[index]) : QImage();
            if (!m_largePicture) {
                m_icon = own;
            } else {
                m_iconVisible = false;
                m_facePicture = own;
                if (!own.isNull()) {
                    growTo(own.width() + 2, own.height() + 2);
                    m_faceRect.setSize(own.size());
                }
                UserControl_Resize();
                clearFace();
            }
        } else if (stock) {
            const auto [group, pixels] = stockIcon(m_buttonShow, state, m_iconSize, m_switched);
            m_iconGroup = group;
            m_iconPixels = pixels;
            m_icon = imageOf(LoadResIcon(Variant::fromInteger(int16_t(group)), pixels, LoadColour, 0, 0));
        }
        m_inputEnabled = true;
        m_lbl2.enabled = true;
        update();
        return;
    }

    if (stock) {
        const int pixels = m_iconSize && m_buttonShow <= 40 ? 32 : m_buttonShow > 42 ? 14 : 16;
        m_iconGroup = number;
        m_iconPixels = pixels;
        showEmbossed(imageOf(LoadResIcon(Variant::fromInteger(int16_t(number)), pixels, LoadColour, 0, 0)),
                     state);
    } else if (m_buttonShow == 0) {
        // Own pictures look disabled the same way as the stock icons.
        const int index = state - 1;
        const QImage own = index >= 0 && index < 3 ? imageOf(m_pictures[index]) : QImage();
        if (m_largePicture) {
            m_iconVisible = false;
        } else {
            showEmbossed(own, state);
        }
    }
    disableInput();
    update();
}

// The disabled look: a relief of the picture on the face colour.
void Button::showEmbossed(const QImage &picture, int16_t)
{
    ButtonSurface source;
    ButtonSurface target;
    source.setPicture(picture, 0x8000000F);
    uint32_t base = m_faceBack;
    if (m_borderStyle == 5) {
        m_facePicture = QImage();
        base = XPDisabledFace;
        setFaceBackColor(XPDisabledFace);
    }
    target.reset(source.image().size(), base);
    if (picture.isNull())
        return;
    bool embossed = true;
    try {
        Variant baseColour = Variant::fromLong(modquivbutton::OleColorToRGB(static_cast<int32_t>(base)));
        modquivbutton::EmbossPicture(source, target, baseColour);
    } catch (const com::AutomationError &) {
        embossed = false; // a picture beyond the filter's size stays empty
    }
    if (embossed && (m_borderStyle == 5 || m_borderStyle == 6 || !m_gradient))
        m_icon = target.image();
}

} // namespace ostrevo
