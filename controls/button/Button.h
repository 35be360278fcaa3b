#pragma once

#include "controls/button/ButtonShades.h"
#include "controls/button/ButtonSurface.h"
#include "controls/display/WindowlessLabel.h"
#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"
#include "platform/com/StdPicture.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <array>
#include <memory>

namespace gdi
{
class DeviceContext;
}

namespace rt
{
class Timer;
}

namespace ostrevo
{

// The graphic push, switch and group-option button: a face inset in a frame
// of eight looks, a stock icon or the user's own pictures, a caption with a
// relief copy, and three visual states (up, over, down). It draws in pixels
// on two persistent surfaces: its own (the frame) and the face's.
class Button : public com::Dispatched<Button, com::Control>
{
    Q_OBJECT
public:
    enum State : int16_t { StateNone = 0, StateUp = 1, StateOver = 2, StateDown = 3 };
    enum Mode : int32_t { optButton = 0, optSwitch = 1, optGroup = 2 };

    Button();
    ~Button() override;

    static void describe(com::Dispatcher<Button> &d);
    static QStringList propertyPages();

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    // What the control shows: frame surface, face, icon, caption and marker.
    QImage composed() const;

    const ButtonShades &shades() const { return m_shades; }
    uint32_t faceBackColor() const { return m_faceBack; }
    QRect faceRect() const { return m_faceRect; }
    QRect iconRect() const { return QRect(m_iconPos, m_icon.size()); }
    bool iconVisible() const { return m_iconVisible; }
    // The stock icon group and size the last state asked for (0 when none).
    int iconGroup() const { return m_iconGroup; }
    int iconPixels() const { return m_iconPixels; }
    const WindowlessLabel &captionLabel() const { return m_lbl2; }
    const WindowlessLabel &reliefLabel() const { return m_lbl1; }
    bool takesInput() const { return m_inputEnabled; }
    bool isLatched() const { return m_latched; }
    bool largePicture() const { return m_largePicture; }
    int16_t frameState() const { return m_frameState; }
    rt::Timer &pollTimer() const { return *m_timer; }
    rt::Timer &focusTimer() const { return *m_tmrRect; }

    // The handlers as the constituent controls call them.
    void PicBild1_MouseDown(int16_t button, int16_t shift, float x, float y);
    void PicBild1_MouseUp(int16_t button, int16_t shift, float x, float y);
    void PicBild1_KeyDown(int16_t keyCode, int16_t shift, bool autoRepeat = false);
    void PicBild1_KeyUp(int16_t keyCode, int16_t shift);
    void PicBild1_GotFocus();
    void PicBild1_LostFocus();
    void timer_Timer();
    void tmrRect_Timer();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Property lets that other members call.
    void letEnabledB(bool on);
    void letButtonColor(uint32_t color);
    void letBorderStyle(int32_t style);
    void letButtonShow(int32_t show);
    void letValue(bool value);
    void letIconSize(bool on);
    void letTextAlignment(int32_t alignment);
    void letToolTip(bool on);
    void letToolTipText(const QString &text);
    void setPicture(int index, const com::Variant &picture);
    void setFont(const com::Variant &font);
    void setMouseIcon(const com::Variant &picture);
    void setMousePointer(int32_t pointer);
    void refresh();
    void playSound(int16_t resourceId);
    void endPlaySound();
    void notFrmFocus(const com::Variant &focus);
    void drawRectB(bool on);

    int16_t shownState() const;
    void calcShades();
    void setFaceBackColor(uint32_t color);
    void clearFace();
    void clearSurface();

    // Painting, states and layout.
    void DrawFrame(int16_t state);
    void DrawFocus();
    void PaintFace(int16_t state);
    void ShowState(int16_t state);
    void showEmbossed(const QImage &picture, int16_t state);
    void SetCaption();
    void UserControl_Resize();
    void growTo(int width, int height);
    void faceRefresh(int16_t state);
    void copyToolTips();

    void raiseMouse(const QString &name, int16_t button, int16_t shift, float x, float y);
    QPoint elementOrigin(const QPoint &pos) const;

    // Stored property values.
    int32_t m_buttonShow = 0;
    int32_t m_textAlignment = 0;
    int32_t m_font3D = 0;
    uint32_t m_backColorB = 0;
    uint32_t m_buttonColor = 0;
    int32_t m_borderStyle = 0;
    bool m_gradient = false;
    QString m_caption;
    int32_t m_optionMode = 0;
    bool m_value = false;
    bool m_iconSize = false;
    bool m_enabledB = false;
    uint32_t m_fontColor = 0;
    uint32_t m_fontShadowColor = 0;
    bool m_focusRect = false;
    int32_t m_switched = 0;
    bool m_toolTip = false;
    QString m_toolTipText;
    int16_t m_mousePointer = 0;
    std::shared_ptr<com::StdPicture> m_mouseIcon;
    std::array<std::shared_ptr<com::StdPicture>, 3> m_pictures; // Bild1(0..2): up, over, down

    ButtonShades m_shades;
    uint32_t m_focusColor = 0;
    std::array<QByteArray, 6> m_sounds; // WAVE 101 to 106

    // Interaction and paint flags.
    bool m_latched = false;
    bool m_pushHeld = false;
    bool m_hovered = false;
    bool m_mouseDown = false;
    bool m_hoverRing = false;
    bool m_groupClicked = false;
    bool m_recheckHover = false;
    bool m_hasFocus = false;
    bool m_notFrmFocus = false;
    bool m_focusCleared = false;
    bool m_largePicture = false;
    bool m_inputEnabled = true;
    int16_t m_frameState = 0;
    int16_t m_pictureState = 0;
    QPoint m_lastCursor;
    bool m_inResize = false;

    // The face (PicBild1) and the control's own surface.
    QImage m_surface;
    std::unique_ptr<gdi::DeviceContext> m_dc;
    QImage m_face;
    std::unique_ptr<gdi::DeviceContext> m_faceDc;
    QRect m_faceRect;
    uint32_t m_faceBack = 0;
    QImage m_facePicture; // a large own picture shown as the face itself

    // imgBild, the arrow markers and the caption labels.
    QImage m_icon;
    QPoint m_iconPos;
    bool m_iconVisible = true;
    int m_iconGroup = 0;
    int m_iconPixels = 0;
    QImage m_arrow;
    QImage m_arrowDisabled;
    QPoint m_arrowPos;
    bool m_arrowVisible = false;
    bool m_arrowDisabledVisible = false;
    WindowlessLabel m_lbl2;
    WindowlessLabel m_lbl1;
    QString m_faceToolTip;

    rt::Timer *m_timer = nullptr;
    rt::Timer *m_tmrRect = nullptr;
};

} // namespace ostrevo
