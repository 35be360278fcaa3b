#pragma once

#include "platform/com/AutomationObject.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/runtime/Form.h"

#include <QImage>
#include <QPoint>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;

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

class AutoFrame;
class EventCallback;
class FlatButton;
class InputFrame;
class cSounds;

// The library's balloon message form: no title bar, a rounded body with a
// pointer at one corner aiming at a screen point, a soft shadow painted from
// the desktop behind it, an icon, a title, the message, an optional check box
// and up to three flat buttons; or a text box with two buttons; or no
// buttons and a close image. Every message gets a box of its own, so a
// self-closing message still up never shares its window with a later box.
class msgFrm : public rt::Form
{
    Q_OBJECT
public:
    msgFrm();
    ~msgFrm() override;

    // Shows a modal balloon and returns the chosen button's code, plus 100
    // when the check box was ticked; 0 when the box was closed otherwise.
    // Raises error 6 for a shadow intensity outside -20 to 75 before anything
    // is shown.
    static int32_t msg_Box(const QString &Prompt, int32_t Flags, const QString &Title, const bool &Sound,
                           const bool &NoPointer, const QString &CheckboxCaption, const bool &FocusRect,
                           const QString &Btn1Caption, const QString &Btn2Caption, const QString &Btn3Caption,
                           const int32_t &Color, const float &x, const float &y, const int16_t &Intensity);

    // Everything msg_Box does before it shows the box.
    void layOutMessage(const QString &Prompt, int32_t Flags, const QString &Title, bool Sound, bool NoPointer,
                       const QString &CheckboxCaption, bool FocusRect, const QString &Btn1Caption,
                       const QString &Btn2Caption, const QString &Btn3Caption, int32_t Color, float x,
                       float y, int16_t Intensity);
    // The result once the box is hidden: the code, with the check box added.
    int32_t finalResult() const;

    // Shows a modal balloon with a text box preset with InitMsg and returns
    // the accepted text, "_" appended when the check box was ticked; "" when
    // cancelled or closed otherwise. Raises error 6 for a shadow intensity
    // outside -20 to 75 before anything is shown.
    static QString input_box(const QString &Prompt, int32_t Flags, const QString &Title,
                             const QString &InitMsg, const bool &Sound, const bool &NoPointer,
                             const QString &CheckboxCaption, const bool &FocusRect,
                             const QString &Btn1Caption, const QString &Btn2Caption, const int32_t &Color,
                             const float &x, const float &y, const int16_t &Intensity);
    void layOutInput(const QString &Prompt, int32_t Flags, const QString &Title, const QString &InitMsg,
                     bool Sound, bool NoPointer, const QString &CheckboxCaption, bool FocusRect,
                     const QString &Btn1Caption, const QString &Btn2Caption, int32_t Color, float x, float y,
                     int16_t Intensity);
    QString inputResult() const;

    // Shows a topmost balloon without buttons and returns 0 at once; the
    // balloon closes itself after mTime seconds (never for 0 or less) or
    // through its close image.
    static int16_t MsgAuto_box(const QString &Prompt, int32_t Flags, const QString &Title, int16_t mTime,
                               const bool &Sound, const bool &NoPointer, const int32_t &Color, const float &x,
                               const float &y, const int16_t &Intensity);
    void layOutAuto(const QString &Prompt, int32_t Flags, const QString &Title, bool Sound, bool NoPointer,
                    int32_t Color, float x, float y, int16_t Intensity);
    void startAutoClose(int16_t mTime);

    // The balloon's shape, placement and shadow, in the form's pixels.
    void DrawBalloon(bool NoPointer, float x, float y, int16_t Intensity);
    void n_RefreshShadow(int16_t Intensity);
    gdi::Handle n_GetMainRect();
    int16_t GetPointerStyle(float x, float y);
    gdi::Handle n_SetPointer(int16_t corner);
    gdi::Handle n_GetShadowRect(int16_t Intensity);
    static QSize GetScreenSize();
    static int32_t OleColorToRGB(int32_t colour);

    void setBalloonColour(int32_t colour) { m_balloonColour = colour; }
    int32_t balloonColour() const { return m_balloonColour; }
    // Sizes the window and its persistent surface (pixels).
    void setSizePixels(int width, int height);
    const QImage &surface() const { return m_surface; }

    FlatButton *Cmd1(int index) const { return m_cmd1.at(static_cast<size_t>(index)); }
    QCheckBox *Check1() const { return m_check1; }
    QLabel *LblTitle() const { return m_lblTitle; }
    QLabel *lblmsg() const { return m_lblmsg; }
    QLabel *P1() const { return m_p1; }
    QWidget *F1() const { return m_f1; }
    InputFrame *inputFrame() const { return m_inputFrame; }
    AutoFrame *autoFrame() const { return m_autoFrame; }
    rt::Timer *tmrFocus() const { return m_tmrFocus; }
    int defaultButton() const { return m_defaultButton; }
    int formWidthTwips() const { return m_formWidth; }
    std::shared_ptr<com::StdPicture> iconPicture() const { return m_iconPicture; }
    QString tag() const { return m_tag; }

protected:
    void onLoad() override;
    void onUnload(bool &cancel) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A modal box of its own for one message, unloaded on every way out;
    // answer reads the closed box, unless it is gone already.
    static void showModalBox(int16_t intensity, const std::function<void(msgFrm &)> &layOut,
                             const std::function<void(const msgFrm &)> &answer);

    // Unloads a message form on every way out of the routine that made it.
    class Unloader
    {
    public:
        explicit Unloader(QPointer<msgFrm> &form) : m_form(form) {}
        ~Unloader()
        {
            if (m_form && m_armed)
                m_form->unload();
        }
        Unloader(const Unloader &) = delete;
        Unloader &operator=(const Unloader &) = delete;
        // The form lives on by itself from here.
        void dismiss() { m_armed = false; }

    private:
        QPointer<msgFrm> &m_form;
        bool m_armed = true;
    };

    void SetupButtons(int32_t Flags, const QString &Btn1Caption, const QString &Btn2Caption,
                      const QString &Btn3Caption);
    void SetDefaultButton(int32_t Flags);
    void SetDisplayIcon(int32_t Flags, int Kind);
    void GetStripIcon(QLabel *Target, int Cell, int Size, gdi::ColorRef BackColor);
    void Cmd1_Event(int index, const QString &event, com::Args &args);
    // Keys and pointer moves over any of the box's buttons; false for what
    // the button's own handler decides.
    bool buttonKeyOrMove(const FlatButton &button, const QString &event, com::Args &args);
    void Form_MouseDown(Qt::MouseButtons buttons, QPoint globalPos);
    void Form_MouseMove(Qt::MouseButtons buttons, QPoint globalPos);
    void Form_MouseUp();
    void tmrFocus_Timer();
    void iCmd_Event(int index, const QString &event, com::Args &args);
    void Timer1_Timer();
    bool command1_Event(QEvent *event);
    void F1_2_MouseMove();
    bool isAutoMessage() const;
    void placeInFrame(QWidget *control, double leftTwips, double topTwips);
    void paintBackground(QWidget *widget, int32_t oleColour);
    static QString singleBreaks(QString text); // CR LF and CR as one line break each
    void fillSurface();                        // the balloon colour all over, before the shape is drawn
    double twipsX(int pixels) const { return double(pixels) * m_tppX; }
    double twipsY(int pixels) const { return double(pixels) * m_tppY; }

    QImage m_surface;
    std::unique_ptr<gdi::DeviceContext> m_dc;
    QImage m_strip; // the hidden picture box holding the icon strip
    std::unique_ptr<gdi::DeviceContext> m_stripDC;

    QWidget *m_f1 = nullptr;
    QLabel *m_p1 = nullptr;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblmsg = nullptr;
    QCheckBox *m_check1 = nullptr;
    std::array<FlatButton *, 3> m_cmd1{};
    std::array<std::unique_ptr<EventCallback>, 3> m_cmd1Events;
    InputFrame *m_inputFrame = nullptr;
    std::array<std::unique_ptr<EventCallback>, 2> m_iCmdEvents;
    AutoFrame *m_autoFrame = nullptr;
    rt::Timer *m_tmrFocus = nullptr;
    std::unique_ptr<cSounds> m_sounds;
    std::shared_ptr<com::StdPicture> m_iconPicture;

    int32_t m_result = 0;
    bool m_chosen = false;
    bool m_inputAccepted = false; // only OK with a text accepts; anything else cancels
    qint64 m_closeAt = 0;         // tick count at which the self-closing message ends
    int m_defaultButton = 1;
    int32_t m_balloonColour = 0xCCFFFF;
    int16_t m_tppX = 15;
    int16_t m_tppY = 15;
    int32_t m_formWidth = 0; // twips; 32 bits, so a long line cannot overflow it
    int32_t m_minFormWidth = 0;
    double m_frameHeight = 0; // pixels
    int m_boxMode = 0;
    bool m_focusRepair = false;
    bool m_focusLook = false;
    bool m_soundOn = false;
    QString m_tag;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

} // namespace ostrevo
