#pragma once

#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Rect.h"
#include "platform/runtime/Timer.h"

#include <QImage>
#include <memory>

namespace gdi
{
class DeviceContext;
}

namespace ostrevo
{

// The library's private flat push button, placed only by the message form:
// a thin outline at rest, a raised frame under the pointer, a sunken one
// while pressed; an access key, an optional dotted focus rectangle, and Enter
// on the focused button as a click. It draws on its own persistent surface
// in pixels.
class FlatButton : public com::Dispatched<FlatButton, com::Control>
{
    Q_OBJECT
public:
    explicit FlatButton(QWidget *parent = nullptr);
    ~FlatButton() override;

    static void describe(com::Dispatcher<FlatButton> &d);

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    // The members, as the message form sets them. A caption whose "&" has no
    // key character after it keeps that "&" as text and has no access key.
    QString caption() const { return m_caption; }
    void letCaption(const QString &text);
    void setCaptionFont(const QFont &font);
    int32_t textColor() const { return m_textColor; }
    void letTextColor(int32_t colour);
    int32_t hoverColor() const { return m_hoverColor; }
    void letHoverColor(int32_t colour);
    int32_t backColor() const { return m_backColor; }
    void letBackColor(int32_t colour);
    bool useMnemonic() const { return m_useMnemonic; }
    void letUseMnemonic(bool on);
    bool isDefault() const { return m_default; }
    void letDefault(bool on);
    void letCancel(bool on);
    bool focusRect() const { return m_focusRect; }
    void letFocusRect(bool on);
    bool BackFocus() const { return m_hasFocus; }
    void sFocus();
    gdi::Handle hDC() const;

    int accessKey() const { return m_accessKey; }
    QPoint textPosition() const { return {m_textX, m_textY}; }
    bool isHover() const { return m_hover; }
    bool isPressed() const { return m_pressed; }
    const QImage &surface() const { return m_surface; }
    // One tick of the pointer and key poll, as the timer runs it.
    void tmrEvents_Timer();

protected:
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
    void assignCaption(const QString &text);
    void CenterCaption();
    void Refresh();
    void DrawFlatFrame(const gdi::Rect &r, int style, int32_t c1, int32_t c2, gdi::ColorRef c3,
                       gdi::ColorRef c4, int penStyle, int n);
    void DrawMnemonicCaption(const QString &text, int x, int y);
    void DrawFocus();
    bool IsMouseInto() const;
    void WaitSeconds(double seconds);
    bool pressedAnew(int keyCode);
    void mouseDownHandling(int16_t button, int16_t shift, float x, float y);
    void mouseMoveHandling(int16_t button, int16_t shift, float x, float y);
    void mouseUpHandling(int16_t button, int16_t shift, float x, float y);
    void raiseMouse(const QString &name, int16_t button, int16_t shift, float x, float y);
    void raiseKey(const QString &name, int16_t keyCode, int16_t shift);

    QString m_caption;
    QFont m_font;
    int32_t m_textColor = static_cast<int32_t>(0x80000012);
    int32_t m_hoverColor = static_cast<int32_t>(0x80000012);
    int32_t m_backColor = static_cast<int32_t>(0x8000000F);
    bool m_useMnemonic = true;
    bool m_default = false;
    bool m_cancel = false;
    bool m_focusRect = false;

    bool m_hover = false;
    bool m_pressed = false;
    bool m_mouseIsDown = false;
    bool m_dragIn = false;
    bool m_hasFocus = false;
    bool m_focusCleared = false;
    bool m_literalCaption = false;
    bool m_enterReachedMe = false;
    int m_accessKey = 0;
    int m_textX = 0;
    int m_textY = 0;
    // Presses already acted on, per key: one press activates once, and a key
    // already down when the button appeared (the Enter that opened the box)
    // never does.
    quint64 m_enterSeen = 0;
    quint64 m_escapeSeen = 0;
    quint64 m_accessSeen = 0;

    QImage m_surface;
    std::unique_ptr<gdi::DeviceContext> m_dc;
    gdi::GdiObject m_fontObject;
    rt::Timer *m_tmrEvents = nullptr;
};

} // namespace ostrevo
