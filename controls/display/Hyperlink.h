#pragma once

#include "controls/display/WindowlessLabel.h"
#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"

#include <QImage>
#include <QPoint>
#include <memory>

namespace com
{
class StdPicture;
}
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

// A text link: a click raises Click and opens Url through the shell. A 50 ms
// poll of the cursor gives the link its hover colour while the cursor is over
// the control; once clicked it shows its active colour, and its visited
// colour when the focus leaves, until Refresh. Can also play the library's
// WAVE resources. Works in twips.
class Hyperlink : public com::Dispatched<Hyperlink, com::Control>
{
    Q_OBJECT
public:
    enum MouSymbol : int32_t { lOff = 0, lHand_IE = 1, lHand_NC = 2 };

    Hyperlink();
    ~Hyperlink() override;

    static void describe(com::Dispatcher<Hyperlink> &d);

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    // One tick of the hover poll, as the timer runs it.
    void timer_Timer();
    rt::Timer &pollTimer() const { return *m_timer; }

    const WindowlessLabel &linkLabel() const { return m_label1; }
    // The two hand cursors the MouseSymbol values 1 and 2 choose.
    const std::shared_ptr<com::StdPicture> &handCursor(int32_t symbol) const;
    // What the control shows: its surface (unless transparent) with the link over it.
    QImage composed() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Where the button now held went down: the link, its second click, or the surface.
    enum class PressTarget { None, Label, LabelDouble, Surface };

    void setCaption(const QString &text);
    void setFont(const com::Variant &font);
    void setMouseIcon(const com::Variant &picture);
    void setMousePointer(int32_t pointer);
    void setMouseSymbol(int32_t symbol);
    void setClicked(bool clicked);
    void setBackColorH(uint32_t color);
    void setBackStyle(int32_t style);
    void setBorderStyle(int32_t style);
    void setAlignment(int32_t alignment);
    void setLinkColour(uint32_t color);
    void refresh();
    void playSound(int16_t resourceId);
    void endPlaySound();

    void centreLabel();
    void drawSurface();
    bool overLabel(const QPoint &pos) const;
    void showPointer(bool onLabel);
    void openLink();

    WindowlessLabel m_label1;
    int16_t m_mousePointer = 0; // Label1's
    std::shared_ptr<com::StdPicture> m_mouseIcon;
    int32_t m_alignment = 0;
    std::shared_ptr<com::StdPicture> m_hands[2]; // Label2's MouseIcon and DragIcon
    rt::Timer *m_timer = nullptr;

    uint32_t m_backColorH = 0x8000000F;
    uint32_t m_visitedColor = 0;
    uint32_t m_activeColor = 0;
    uint32_t m_hoverColor = 0;
    uint32_t m_linkColor = 0;
    bool m_clicked = false;
    bool m_autoSizeH = false;
    QString m_url;
    QString m_toolTipTxt;
    int32_t m_mouseSymbol = lOff;
    QPoint m_lastCursor; // at the previous poll

    // The control surface.
    uint32_t m_backColor = 0x8000000F;
    int32_t m_backStyle = 1;
    int32_t m_borderStyle = 0;
    std::shared_ptr<com::StdPicture> m_picture;
    PressTarget m_pressed = PressTarget::None;
    bool m_pointerOnLabel = false;

    QImage m_surface;
    std::unique_ptr<gdi::DeviceContext> m_dc; // the control's own device context on its surface
};

} // namespace ostrevo
