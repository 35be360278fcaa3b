#include "controls/dialog/msgFrm.h"

#include "controls/dialog/AutoFrame.h"
#include "controls/dialog/BlendColor.h"
#include "controls/dialog/EventCallback.h"
#include "controls/dialog/FlatButton.h"
#include "controls/dialog/IconStrip.h"
#include "controls/dialog/InputFrame.h"
#include "controls/dialog/MessageState.h"
#include "controls/dialog/PictureRoutines.h"
#include "controls/foundation/cSounds.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/WindowRegion.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/Timer.h"
#include "platform/runtime/Twips.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace ostrevo
{

namespace
{

// Design values in twips, inside the message frame.
constexpr int DesignWidth = 5355;
constexpr int DesignHeight = 2955;
constexpr int IconLeft = 45, IconTop = 30;
constexpr int TitleLeft = 720, TitleTop = 270;
constexpr int MessageLeft = 90, MessageTop = 630;
constexpr int CheckWidth = 4470, CheckHeight = 255;
constexpr int ButtonWidth = 1230, ButtonHeight = 330;
constexpr int32_t DefaultBalloon = 0xCCFFFF;
constexpr int FocusLookMs = 100;

// A label that sizes itself to its text, without word wrap.
QLabel *autoSizeLabel(QWidget *parent, bool bold)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setMargin(0);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

void setAutoSizeText(QLabel *label, const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    label->setText(lines);
    label->adjustSize();
}

} // namespace

msgFrm::msgFrm()
{
    setObjectName(QStringLiteral("msgFrm"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    m_dc = std::make_unique<gdi::DeviceContext>(&m_surface);
    m_strip = IconStrip::image();
    m_stripDC = std::make_unique<gdi::DeviceContext>(&m_strip);

    m_f1 = new QWidget(this);
    m_f1->hide();
    m_f1->installEventFilter(this);
    m_p1 = new QLabel(m_f1);
    m_p1->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_p1->resize(IconStrip::CellSize, IconStrip::CellSize);
    m_lblTitle = autoSizeLabel(m_f1, true);
    m_lblmsg = autoSizeLabel(m_f1, false);
    m_check1 = new QCheckBox(m_f1);
    m_check1->resize(rt::Twips::toPixelsX(CheckWidth), rt::Twips::toPixelsY(CheckHeight));
    m_check1->hide();
    m_check1->installEventFilter(this);
    for (int i = 0; i < 3; ++i) {
        auto *button = new FlatButton(m_f1);
        button->setObjectName(QStringLiteral("Cmd1_%1").arg(i));
        button->resize(rt::Twips::toPixelsX(ButtonWidth), rt::Twips::toPixelsY(ButtonHeight));
        button->hide();
        m_cmd1Events[size_t(i)] = std::make_unique<EventCallback>(
            [this, i](const QString &event, com::Args &args) { Cmd1_Event(i, event, args); });
        button->setEventSink(m_cmd1Events[size_t(i)].get());
        m_cmd1[size_t(i)] = button;
    }
    m_inputFrame = new InputFrame(this);
    m_inputFrame->installEventFilter(this);
    m_inputFrame->iTxt()->installEventFilter(this);
    m_inputFrame->Check2()->installEventFilter(this);
    for (int i = 0; i < 2; ++i) {
        m_iCmdEvents[size_t(i)] = std::make_unique<EventCallback>(
            [this, i](const QString &event, com::Args &args) { iCmd_Event(i, event, args); });
        m_inputFrame->iCmd(i)->setEventSink(m_iCmdEvents[size_t(i)].get());
    }
    m_autoFrame = new AutoFrame(this);
    m_autoFrame->installEventFilter(this);
    m_autoFrame->command1()->installEventFilter(this);
    m_autoFrame->Timer1()->setTickHandler([this] { Timer1_Timer(); });
    m_tmrFocus = new rt::Timer(this);
    m_tmrFocus->setInterval(FocusLookMs);
    m_tmrFocus->setEnabled(false);
    m_tmrFocus->setTickHandler([this] { tmrFocus_Timer(); });

    setSizePixels(rt::Twips::toPixelsX(DesignWidth), rt::Twips::toPixelsY(DesignHeight));
}

msgFrm::~msgFrm()
{
    // The buttons outlive the form's own members: they must not call back.
    for (FlatButton *button : m_cmd1)
        button->setEventSink(nullptr);
    for (int i = 0; i < 2; ++i)
        m_inputFrame->iCmd(i)->setEventSink(nullptr);
}

void msgFrm::onLoad()
{
    m_tppX = static_cast<int16_t>(std::lround(rt::Twips::perPixelX()));
    m_tppY = static_cast<int16_t>(std::lround(rt::Twips::perPixelY()));
}

void msgFrm::onUnload(bool &cancel)
{
    Q_UNUSED(cancel);
    m_sounds.reset();
    m_tmrFocus->setEnabled(false);
    m_autoFrame->Timer1()->setEnabled(false);
}

int32_t msgFrm::OleColorToRGB(int32_t colour)
{
    if (colour >= 0)
        return colour;
    return static_cast<int32_t>(gdi::sysColor(static_cast<int>(static_cast<uint32_t>(colour) ^ 0x80000000u)));
}

void msgFrm::setSizePixels(int width, int height)
{
    resize(width, height);
    if (m_surface.size() != QSize(width, height)) {
        m_surface = QImage(width, height, QImage::Format_RGB32);
        m_surface.fill(gdi::toQColor(static_cast<gdi::ColorRef>(OleColorToRGB(m_balloonColour))));
    }
}

QString msgFrm::singleBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

void msgFrm::fillSurface()
{
    m_surface.fill(gdi::toQColor(static_cast<gdi::ColorRef>(OleColorToRGB(m_balloonColour))));
}

void msgFrm::paintBackground(QWidget *widget, int32_t oleColour)
{
    const auto colour = static_cast<gdi::ColorRef>(OleColorToRGB(oleColour));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, gdi::toQColor(colour));
    palette.setColor(QPalette::Button, gdi::toQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void msgFrm::placeInFrame(QWidget *control, double leftTwips, double topTwips)
{
    control->move(rt::Twips::toPixelsX(leftTwips), rt::Twips::toPixelsY(topTwips));
}

// --- the message box ---------------------------------------------------------------

int32_t msgFrm::msg_Box(const QString &Prompt, int32_t Flags, const QString &Title, const bool &Sound,
                        const bool &NoPointer, const QString &CheckboxCaption, const bool &FocusRect,
                        const QString &Btn1Caption, const QString &Btn2Caption, const QString &Btn3Caption,
                        const int32_t &Color, const float &x, const float &y, const int16_t &Intensity)
{
    int32_t result = 0;
    showModalBox(
        Intensity,
        [&](msgFrm &form) {
            form.layOutMessage(Prompt, Flags, Title, Sound, NoPointer, CheckboxCaption, FocusRect,
                               Btn1Caption, Btn2Caption, Btn3Caption, Color, x, y, Intensity);
        },
        [&](const msgFrm &form) { result = form.finalResult(); });
    messageState().InitMsg = QString::number(result);
    return result;
}

void msgFrm::showModalBox(int16_t intensity, const std::function<void(msgFrm &)> &layOut,
                          const std::function<void(const msgFrm &)> &answer)
{
    checkShadowIntensity(intensity);
    QPointer<msgFrm> form = rt::Form::create<msgFrm>();
    Unloader unloader(form);
    form->load();
    layOut(*form);
    form->showModal();
    if (form)
        answer(*form);
}

void msgFrm::layOutMessage(const QString &Prompt, int32_t Flags, const QString &Title, bool Sound,
                           bool NoPointer, const QString &CheckboxCaption, bool FocusRect,
                           const QString &Btn1Caption, const QString &Btn2Caption, const QString &Btn3Caption,
                           int32_t Color, float x, float y, int16_t Intensity)
{
    m_focusLook = FocusRect;
    m_soundOn = Sound;
    placeInFrame(m_p1, IconLeft, IconTop);
    placeInFrame(m_lblTitle, TitleLeft, TitleTop);
    placeInFrame(m_lblmsg, MessageLeft, MessageTop);
    setAutoSizeText(m_lblTitle, Title);
    setAutoSizeText(m_lblmsg, Prompt);

    m_balloonColour = Color == 0 ? DefaultBalloon : Color;
    const auto balloon = static_cast<gdi::ColorRef>(OleColorToRGB(m_balloonColour));
    m_surface.fill(gdi::toQColor(balloon));
    if (Intensity != 0)
        m_tag = QString::number(Intensity);
    for (FlatButton *button : m_cmd1) {
        button->letBackColor(m_balloonColour);
        button->letFocusRect(FocusRect);
    }

    SetupButtons(Flags, Btn1Caption, Btn2Caption, Btn3Caption);
    const int64_t messageNeed = int64_t{m_lblmsg->width()} * m_tppX + 700;
    const int64_t titleNeed = int64_t{TitleLeft} + int64_t{m_lblTitle->width()} * m_tppX + 610;
    m_formWidth = static_cast<int32_t>(std::max({int64_t{m_minFormWidth}, messageNeed, titleNeed}));
    setSizePixels(rt::Twips::toPixelsX(m_formWidth), height());

    paintBackground(m_f1, m_balloonColour);
    const double messageBottom = MessageTop + double(m_lblmsg->height()) * m_tppY;
    if (!CheckboxCaption.isEmpty()) {
        paintBackground(m_check1, m_balloonColour);
        placeInFrame(m_check1, MessageLeft, messageBottom + 70);
        m_check1->setText(CheckboxCaption);
        m_check1->show();
        m_frameHeight = (messageBottom + 900) / m_tppY;
    } else {
        m_frameHeight = (messageBottom + 600) / m_tppY;
    }
    m_f1->setGeometry(8, 30, width() - 30, static_cast<int>(std::nearbyint(m_frameHeight)));
    m_f1->show();
    setSizePixels(width(), rt::Twips::toPixelsY((m_frameHeight + 65) * m_tppY));

    DrawBalloon(NoPointer, x, y, Intensity);
    SetupButtons(Flags, Btn1Caption, Btn2Caption, Btn3Caption);
    SetDisplayIcon(Flags, 0);
    SetDefaultButton(Flags);
    if (FocusRect) {
        m_boxMode = 1;
        m_tmrFocus->setEnabled(true);
    }
}

int32_t msgFrm::finalResult() const
{
    // Closed without a button: no answer, whatever an earlier box returned.
    if (!m_chosen)
        return 0;
    return m_check1->isChecked() ? m_result + CheckboxTicked : m_result;
}

void msgFrm::SetupButtons(int32_t Flags, const QString &Btn1Caption, const QString &Btn2Caption,
                          const QString &Btn3Caption)
{
    std::array<MessageButton, 3> buttons = messageButtons(Flags, Btn1Caption, Btn2Caption, Btn3Caption);
    int places = 1;
    switch (buttonsOf(Flags)) {
    case vbOKCancel:
    case vbYesNo:
    case vbRetryCancel:
        places = 2;
        break;
    case vbAbortRetryIgnore:
    case vbYesNoCancel:
        places = 3;
        break;
    case vbCustomButtons:
        places = 0;
        for (int i = 0; i < 3; ++i)
            if (!buttons[size_t(i)].caption.isEmpty())
                places = i + 1;
        // Only a button closes the box: without any caption it gets an OK.
        if (places == 0) {
            buttons[0] = {QStringLiteral("OK"), vbOK};
            places = 1;
        }
        break;
    default:
        break;
    }

    const double frameHeightTwips = m_frameHeight * m_tppY;
    const double F = twipsX(m_f1->width());
    const double W = ButtonWidth;
    std::array<double, 3> left{};
    if (places == 1) {
        left[0] = (F - W) / 2;
    } else if (places == 2) {
        left[0] = F / 3.5 - W / 2;
        left[1] = F - left[0] - W;
    } else {
        left[0] = (F / 2 - (W + W / 2)) / 2;
        left[1] = (F - W) / 2;
        left[2] = F - W - left[0];
    }
    for (int i = 0; i < 3; ++i) {
        FlatButton *button = m_cmd1[size_t(i)];
        const MessageButton &used = buttons[size_t(i)];
        placeInFrame(button, left[size_t(i)], frameHeightTwips - ButtonHeight - 100);
        if (used.caption.isEmpty())
            continue;
        button->letCaption(used.caption);
        button->setProperty("Tag", QString::number(used.result));
        button->show();
    }
    m_minFormWidth = places == 3 ? 4500 : 3500;
}

void msgFrm::SetDefaultButton(int32_t Flags)
{
    switch (defaultButtonFieldOf(Flags)) {
    case vbDefaultButton1:
        m_defaultButton = 1;
        break;
    case vbDefaultButton2:
        m_defaultButton = 2;
        break;
    case vbDefaultButton3:
        m_defaultButton = 3;
        break;
    default:
        break;
    }
}

void msgFrm::SetDisplayIcon(int32_t Flags, int Kind)
{
    QLabel *image = m_p1;
    QLabel *title = m_lblTitle;
    QLabel *text = m_lblmsg;
    if (Kind == 1) {
        image = m_inputFrame->iPic();
        title = m_inputFrame->iTitle();
        text = m_inputFrame->iMsg();
    } else if (Kind == 2) {
        image = m_autoFrame->aPic();
        title = m_autoFrame->aTitle();
        text = m_autoFrame->aMsg();
    }
    const int cell = iconCell(Flags);
    if (cell == 0) {
        image->hide();
        title->move(text->x(), title->y());
        return;
    }
    GetStripIcon(image, cell, IconStrip::CellSize,
                 static_cast<gdi::ColorRef>(OleColorToRGB(m_balloonColour)));
    image->show();
    if (m_soundOn) {
        if (!m_sounds)
            m_sounds = std::make_unique<cSounds>();
        int32_t event = iconSound(Flags);
        m_sounds->SystemSound(event);
    }
}

void msgFrm::GetStripIcon(QLabel *Target, int Cell, int Size, gdi::ColorRef BackColor)
{
    const int w = m_strip.width();
    const int h = m_strip.height();
    // The bitmap is declared first so that it goes after the context holding it.
    gdi::GdiObject bitmap(gdi::createCompatibleBitmap(*m_stripDC, w, h));
    gdi::GdiObject brush(gdi::createSolidBrush(BackColor));
    auto memory = gdi::DeviceContext::createCompatible(m_stripDC.get());
    const gdi::Handle previous = memory->selectObject(bitmap);
    memory->fillRect(gdi::Rect{0, 0, w, h}, brush);
    gdi::ColorRef key = IconStrip::TransparentKey;
    TransparentBlit(memory->handle(), m_stripDC->handle(), gdi::Rect{0, 0, w - 1, h - 1}, 0, 0, key);
    m_iconPicture = CaptureScreenRect(memory->handle(), (Cell - 1) * Size, 0, Size, Size);
    if (m_iconPicture)
        Target->setPixmap(QPixmap::fromImage(m_iconPicture->picture().image()));
    memory->selectObject(previous);
}

// --- events -------------------------------------------------------------------------

void msgFrm::Cmd1_Event(int index, const QString &event, com::Args &args)
{
    FlatButton *button = m_cmd1[size_t(index)];
    if (buttonKeyOrMove(*button, event, args))
        return;
    if (event == QLatin1String("MouseUp")) {
        // Whichever mouse button comes up over it chooses the button.
        messageState().sButton = args.at(0).toInteger();
        m_result = button->property("Tag").toString().toInt();
        m_chosen = true;
        hide();
    }
}

bool msgFrm::buttonKeyOrMove(const FlatButton &button, const QString &event, com::Args &args)
{
    if (event == QLatin1String("KeyDown")) {
        CaptureKeyDown(args.at(0).toInteger(), args.at(1).toInteger());
    } else if (event == QLatin1String("KeyUp")) {
        CaptureKeyUp();
    } else if (event == QLatin1String("MouseMove")) {
        if (button.BackFocus() && m_focusLook)
            m_focusRepair = true;
    } else {
        return false;
    }
    return true;
}

void msgFrm::showEvent(QShowEvent *event)
{
    rt::Form::showEvent(event);
    if (!m_inputFrame->isHidden()) {
        m_inputFrame->iTxt()->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The default button takes the keyboard, or the first button shown when
    // the default place is empty.
    FlatButton *target = m_cmd1[size_t(m_defaultButton - 1)];
    if (target->isHidden()) {
        const auto shown =
            std::find_if(m_cmd1.begin(), m_cmd1.end(), [](FlatButton *b) { return !b->isHidden(); });
        target = shown == m_cmd1.end() ? nullptr : *shown;
    }
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

void msgFrm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void msgFrm::keyPressEvent(QKeyEvent *event)
{
    CaptureKeyDown(static_cast<int16_t>(rt::KeyCodes::keyCode(*event)),
                   static_cast<int16_t>(rt::KeyCodes::shiftBits(event->modifiers())));
}

void msgFrm::keyReleaseEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat())
        CaptureKeyUp();
}

void msgFrm::mousePressEvent(QMouseEvent *event)
{
    Form_MouseDown(event->buttons(), event->globalPosition().toPoint());
}

void msgFrm::mouseMoveEvent(QMouseEvent *event)
{
    Form_MouseMove(event->buttons(), event->globalPosition().toPoint());
}

void msgFrm::mouseReleaseEvent(QMouseEvent *)
{
    Form_MouseUp();
}

bool msgFrm::eventFilter(QObject *watched, QEvent *event)
{
    // Children still being made report themselves to their frames.
    if (!m_autoFrame || !m_inputFrame)
        return rt::Form::eventFilter(watched, event);
    if (watched == m_autoFrame->command1()) {
        if (command1_Event(event))
            return true;
    } else if (watched == m_check1 || watched == m_inputFrame->Check2() || watched == m_inputFrame->iTxt()) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            CaptureKeyDown(static_cast<int16_t>(rt::KeyCodes::keyCode(*key)),
                           static_cast<int16_t>(rt::KeyCodes::shiftBits(key->modifiers())));
            // Alt with a key is an access key for a button, never text.
            if (watched == m_inputFrame->iTxt() && key->modifiers() == Qt::AltModifier)
                return true;
        } else if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
            CaptureKeyUp();
        }
    } else if (watched == m_f1 || watched == m_inputFrame || watched == m_autoFrame) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            Form_MouseDown(mouse->buttons(), mouse->globalPosition().toPoint());
            return true;
        case QEvent::MouseMove:
            Form_MouseMove(mouse->buttons(), mouse->globalPosition().toPoint());
            if (watched == m_autoFrame)
                F1_2_MouseMove();
            return true;
        case QEvent::MouseButtonRelease:
            Form_MouseUp();
            return true;
        default:
            break;
        }
    }
    return rt::Form::eventFilter(watched, event);
}

void msgFrm::Form_MouseDown(Qt::MouseButtons buttons, QPoint globalPos)
{
    // The self-closing message stays where it was put.
    if (buttons != Qt::LeftButton || isAutoMessage())
        return;
    // While it moves the balloon is its body alone: pointer and shadow would
    // stay behind on the old place.
    gdi::GdiObject body(n_GetMainRect());
    if (gdi::setWindowRegion(this, body))
        body.release();
    const gdi::Handle previous = m_dc->selectObject(gdi::getStockObject(gdi::BlackPen));
    const int w = width();
    const int h = height();
    m_dc->moveTo(5, 20);
    m_dc->lineTo(w - 5, 20);
    m_dc->moveTo(5, h - 25);
    m_dc->lineTo(w - 5, h - 25);
    m_dc->selectObject(previous);
    update();
    m_dragging = true;
    m_dragOffset = globalPos - pos();
}

void msgFrm::Form_MouseMove(Qt::MouseButtons buttons, QPoint globalPos)
{
    if (m_dragging && (buttons & Qt::LeftButton))
        move(globalPos - m_dragOffset);
    if (m_focusRepair && m_focusLook) {
        m_tmrFocus->setEnabled(true);
        m_focusRepair = false;
    }
}

void msgFrm::Form_MouseUp()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    n_RefreshShadow(static_cast<int16_t>(m_tag.toInt()));
}

void msgFrm::tmrFocus_Timer()
{
    if (m_boxMode == 1) {
        for (FlatButton *button : m_cmd1)
            if (button->BackFocus())
                button->sFocus();
    } else if (m_boxMode == 2) {
        for (int i = 0; i < 2; ++i)
            if (m_inputFrame->iCmd(i)->BackFocus())
                m_inputFrame->iCmd(i)->sFocus();
    }
    m_tmrFocus->setEnabled(false);
}

} // namespace ostrevo
