#include "controls/button/Button.h"

#include "controls/display/MousePointer.h"
#include "controls/display/WindowHandle.h"
#include "controls/foundation/ControlEvents.h"
#include "controls/foundation/ResData.h"
#include "controls/foundation/frmAbout.h"
#include "platform/com/AutomationError.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/com/PropertyBag.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/runtime/Timer.h"
#include "platform/sound/SoundFlags.h"
#include "platform/sound/SoundOutput.h"

using namespace com;

namespace ostrevo
{

namespace
{

constexpr uint32_t ButtonFace = 0x8000000F;
constexpr uint32_t White = 0xFFFFFF;
constexpr int32_t DefaultButtonShow = 21; // btnOK
constexpr int PollInterval = 50;
constexpr int FocusDelay = 10;
constexpr int FirstSound = 101;

// The arrow marker: a small triangle pointing right, 5 x 10 pixels.
QImage arrowImage(QRgb colour)
{
    QImage image(5, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int x = 0; x < 5; ++x)
        for (int y = x; y < 10 - x; ++y)
            image.setPixel(x, y, colour);
    return image;
}

} // namespace

// The control's Initialize: the lets give it valid shades and a running
// hover poll before either property routine runs.
Button::Button()
    : m_dc(std::make_unique<gdi::DeviceContext>(&m_surface)),
      m_faceDc(std::make_unique<gdi::DeviceContext>(&m_face)), m_lbl2(QString(), std::make_shared<StdFont>()),
      m_lbl1(QString(), std::make_shared<StdFont>())
{
    m_lbl2.autoSize = true;
    m_lbl1.autoSize = true;
    m_lbl2.foreColor = 0;
    m_lbl1.foreColor = 0;
    m_arrow = arrowImage(qRgb(0, 0, 0));
    m_arrowDisabled = arrowImage(qRgb(128, 128, 128));

    m_timer = new rt::Timer(this);
    m_timer->setInterval(PollInterval);
    m_timer->setTickHandler([this] { timer_Timer(); });
    m_tmrRect = new rt::Timer(this);
    m_tmrRect->setInterval(FocusDelay);
    m_tmrRect->setEnabled(false);
    m_tmrRect->setTickHandler([this] { tmrRect_Timer(); });

    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    ignoringErrors([this] { letEnabledB(true); });
    ignoringErrors([this] { letButtonColor(ButtonFace); });
    ignoringErrors([this] { calcShades(); });
    ignoringErrors([this] { letBorderStyle(2); });
    ignoringErrors([this] { UserControl_Resize(); });
    for (int id = FirstSound; id < FirstSound + int(m_sounds.size()); ++id)
        ignoringErrors([this, id] {
            m_sounds[id - FirstSound] = LoadResData(Variant::fromInteger(int16_t(id)), Variant("WAVE"));
        });
}

Button::~Button() = default;

QStringList Button::propertyPages()
{
    return {QStringLiteral("propgButton"), QStringLiteral("StandardPicture"), QStringLiteral("StandardColor"),
            QStringLiteral("StandardFont"), QStringLiteral("Info")};
}

void Button::describe(Dispatcher<Button> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Button"), QStringLiteral("Quiv_Tools.Button"),
                                  QStringLiteral("{D4081882-92B6-4240-88E7-36A4E4C708DA}"),
                                  QStringLiteral("{11361C4A-8068-4CF4-9EF2-5D8AB70E3941}"),
                                  QStringLiteral("{6E1C2EB0-4756-4096-BC08-06D725AF7557}")));
    d.propertyPages(propertyPages());
    const VarType B = VarType::Boolean, I = VarType::Integer, L = VarType::Long;
    const QString oleColor = QStringLiteral("OLE_COLOR");
    // Bag order: PictureUp, PictureDown, PictureOver, EnabledB, OptionMode,
    // Value, IconSize, BorderStyle, Gradient, ButtonShow, TextAlignment,
    // BackColorB, ButtonColor, Caption, Font3D, FontColor, FontShadowColor,
    // ToolTip, ToolTipText, FocusRect, Font, MouseIcon, MousePointer.

    d.method(QStringLiteral("ShowAboutBox"), -552, VarType::Empty, {}, [](Button &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    d.method(QStringLiteral("NotFrmFocus"), 0x60030021, VarType::Empty,
             {{QStringLiteral("cFocus"), VarType::Variant, true}}, [](Button &self, Args &args) {
                 self.notFrmFocus(args.at(0));
                 return Variant();
             });
    d.method(QStringLiteral("DrawRectB"), 0x60030038, VarType::Empty, {{QStringLiteral("RECT"), B, true}},
             [](Button &self, Args &args) {
                 self.drawRectB(args.at(0).toBool());
                 return Variant();
             });
    d.readOnly(QStringLiteral("HDC"), 0x6803001B, L,
               [](Button &self) { return Variant::fromLong(static_cast<int32_t>(self.m_dc->handle())); });
    d.readOnly(QStringLiteral("hwnd"), 0x6803001A, L,
               [](Button &self) { return Variant::fromLong(hwndOf(self)); });
    d.readOnly(QStringLiteral("HasDC"), 0x68030019, B, [](Button &) { return Variant::fromBool(true); });
    d.property<bool>(
         QStringLiteral("ToolTip"), 0x68030018, [](Button &self) { return self.m_toolTip; },
         [](Button &self, bool on) { self.letToolTip(on); })
        .notifies()
        .persist({.rank = 17, .read = Variant::fromBool(true)});
    d.property<QString>(
         QStringLiteral("ToolTipText"), 0x68030017, [](Button &self) { return self.m_toolTipText; },
         [](Button &self, const QString &text) { self.letToolTipText(text); })
        .notifies()
        .persist({.rank = 18, .read = "Quick-Info"});
    d.objectProperty(
         QStringLiteral("MouseIcon"), 0x68030016, QStringLiteral("Picture"),
         [](Button &self) { return Variant::fromObject(self.m_mouseIcon); },
         [](Button &self, const Variant &v) { self.setMouseIcon(v); })
        .notifies()
        .persist({.rank = 21, .read = Variant::fromObject(nullptr)});
    // Loading gives the pointer straight to the control, without the let.
    d.property<int32_t>(
         QStringLiteral("MousePointer"), 0x68030015,
         [](Button &self) { return int32_t(self.m_mousePointer); },
         [](Button &self, int32_t pointer) { self.setMousePointer(pointer); },
         QStringLiteral("MousePointerConst"))
        .notifies()
        .persist({.rank = 22,
                  .read = Variant::fromInteger(0),
                  .store = [](Button &self, const Variant &v) { self.setMousePointer(v.toInteger()); },
                  .fetch = [](Button &self) { return Variant::fromInteger(self.m_mousePointer); }});
    d.property<int32_t>(
         QStringLiteral("ButtonShow"), 0x68030014, [](Button &self) { return self.m_buttonShow; },
         [](Button &self, int32_t show) { self.letButtonShow(show); }, QStringLiteral("EnumButton"))
        .persist({.rank = 9, .read = Variant::fromLong(DefaultButtonShow)});
    const std::tuple<const char *, int32_t, int, int> pictures[] = {{"PictureOver", 0x68030013, 1, 2},
                                                                    {"PictureUp", 0x68030012, 0, 0},
                                                                    {"PictureDown", 0x68030011, 2, 1}};
    for (const auto &[name, dispid, index, rank] : pictures) {
        const int slot = index;
        d.objectProperty(
             QString::fromLatin1(name), dispid, QStringLiteral("Picture"),
             [slot](Button &self) { return Variant::fromObject(self.m_pictures[slot]); },
             [slot](Button &self, const Variant &v) { self.setPicture(slot, v); })
            .notifies()
            .persist({.rank = rank, .read = Variant::fromObject(nullptr)});
    }
    // A disabled button's let ignores the value: loading stores it directly,
    // so that a saved icon size survives a disabled button.
    d.property<bool>(
         QStringLiteral("IconSize"), 0x68030010, [](Button &self) { return self.m_iconSize; },
         [](Button &self, bool on) { self.letIconSize(on); })
        .persist({.rank = 6, .read = Variant::fromBool(false), .store = [](Button &self, const Variant &v) {
                      self.m_iconSize = v.toBool();
                  }});
    d.property<bool>(
         QStringLiteral("EnabledB"), 0x6803000F, [](Button &self) { return self.m_enabledB; },
         [](Button &self, bool on) { self.letEnabledB(on); })
        .persist({.rank = 3, .read = Variant::fromBool(true)});
    d.property<bool>(
         QStringLiteral("FocusRect"), 0x6803000E, [](Button &self) { return self.m_focusRect; },
         [](Button &self, bool on) { self.m_focusRect = on; })
        .notifies()
        .persist({.rank = 19, .read = Variant::fromBool(false)});
    d.property<int32_t>(
         QStringLiteral("TextAlignment"), 0x6803000D, [](Button &self) { return self.m_textAlignment; },
         [](Button &self, int32_t alignment) { self.letTextAlignment(alignment); },
         QStringLiteral("EnumTextAlignment"))
        .persist({.rank = 10, .read = Variant::fromLong(2)});
    d.property<int32_t>(
         QStringLiteral("Font3D"), 0x6803000C, [](Button &self) { return self.m_font3D; },
         [](Button &self, int32_t look) {
             self.m_font3D = look;
             self.UserControl_Resize();
         },
         QStringLiteral("Enum3D"))
        .notifies()
        .persist({.rank = 14, .read = Variant::fromLong(0)});
    d.property<uint32_t>(
         QStringLiteral("BackColorB"), 0x6803000B, [](Button &self) { return self.m_backColorB; },
         [](Button &self, uint32_t color) {
             self.m_backColorB = color;
             self.propertyChanged(QStringLiteral("BackColorB"));
             self.DrawFrame(self.m_frameState);
         },
         oleColor)
        .persist({.rank = 11, .read = Variant::fromColor(ButtonFace)});
    d.property<uint32_t>(
         QStringLiteral("ButtonColor"), 0x6803000A, [](Button &self) { return self.m_buttonColor; },
         [](Button &self, uint32_t color) { self.letButtonColor(color); }, oleColor)
        .persist({.rank = 12, .read = Variant::fromColor(ButtonFace)});
    d.property<QString>(
         QStringLiteral("Caption"), 0x68030009, [](Button &self) { return self.m_caption; },
         [](Button &self, const QString &caption) {
             self.m_caption = caption;
             self.propertyChanged(QStringLiteral("Caption"));
             self.SetCaption();
             self.UserControl_Resize();
         })
        .persist({.rank = 13, .read = "Caption"});
    d.objectProperty(
         QStringLiteral("Font"), 0x68030008, QStringLiteral("StdFont"),
         [](Button &self) { return Variant::fromObject(self.m_lbl2.font); },
         [](Button &self, const Variant &v) { self.setFont(v); })
        .persist({.rank = 20, .read = &com::Control::ambientFontObject});
    d.property<uint32_t>(
         QStringLiteral("FontColor"), 0x68030007, [](Button &self) { return self.m_fontColor; },
         [](Button &self, uint32_t color) {
             self.m_fontColor = color;
             self.SetCaption();
         },
         oleColor)
        .notifies()
        .persist({.rank = 15, .read = Variant::fromColor(0)});
    d.property<uint32_t>(
         QStringLiteral("FontShadowColor"), 0x68030006, [](Button &self) { return self.m_fontShadowColor; },
         [](Button &self, uint32_t color) {
             self.m_fontShadowColor = color;
             self.SetCaption();
         },
         oleColor)
        .notifies()
        .persist({.rank = 16, .read = Variant::fromColor(White)});
    d.property<int32_t>(
         QStringLiteral("OptionMode"), 0x68030005, [](Button &self) { return self.m_optionMode; },
         [](Button &self, int32_t mode) { self.m_optionMode = mode; }, QStringLiteral("EnumMode"))
        .notifies()
        .persist({.rank = 4, .read = Variant::fromLong(0)});
    d.property<bool>(
         QStringLiteral("Value"), 0x68030004, [](Button &self) { return self.m_value; },
         [](Button &self, bool value) { self.letValue(value); })
        .persist({.rank = 5, .read = Variant::fromBool(false)});
    d.readOnly<int32_t>(
        QStringLiteral("Switched"), 0x68030003, [](Button &self) { return self.m_switched; },
        QStringLiteral("EnumSwitched"));
    d.property<int32_t>(
         QStringLiteral("BorderStyle"), 0x68030002, [](Button &self) { return self.m_borderStyle; },
         [](Button &self, int32_t style) { self.letBorderStyle(style); }, QStringLiteral("EnumStyle"))
        .persist({.rank = 7, .read = Variant::fromLong(2)});
    d.property<bool>(
         QStringLiteral("Gradient"), 0x68030001, [](Button &self) { return self.m_gradient; },
         [](Button &self, bool on) {
             self.m_gradient = on;
             if (self.m_borderStyle != 7 && self.m_borderStyle != 1)
                 self.PaintFace(1);
         })
        .notifies()
        .persist({.rank = 8, .read = Variant::fromBool(true)});
    d.method(QStringLiteral("Refresh"), 0x6003003E, VarType::Empty, {}, [](Button &self, Args &) {
        self.refresh();
        return Variant();
    });
    d.method(QStringLiteral("PlaySound"), 0x6003005F, VarType::Empty,
             {{QStringLiteral("ResourceId"), I, true}}, [](Button &self, Args &args) {
                 int16_t id = 0;
                 ignoringErrors([&] { id = args.at(0).toInteger(); });
                 self.playSound(id);
                 return Variant();
             });
    d.method(QStringLiteral("EndPlaySound"), 0x60030060, VarType::Empty, {}, [](Button &self, Args &) {
        self.endPlaySound();
        return Variant();
    });

    d.event(QStringLiteral("Click"), 1);
    d.event(QStringLiteral("MouseDown"), 2, mouseEventParams());
    d.event(QStringLiteral("MouseMove"), 3, mouseEventParams());
    d.event(QStringLiteral("MouseUp"), 4, mouseEventParams());
    d.event(QStringLiteral("KeyDown"), 5, keyEventParams());
    d.event(QStringLiteral("KeyPress"), 6, keyPressParams());
    d.event(QStringLiteral("KeyUp"), 7, keyEventParams());
    d.event(QStringLiteral("Group"), 8);

    d.enumeration(QStringLiteral("EnumStyle"), {{QStringLiteral("nOff"), 0},
                                                {QStringLiteral("Cool"), 1},
                                                {QStringLiteral("Flat"), 2},
                                                {QStringLiteral("nStandard"), 3},
                                                {QStringLiteral("extra"), 4},
                                                {QStringLiteral("XPStyle"), 5},
                                                {QStringLiteral("XPcool"), 6},
                                                {QStringLiteral("XPflat"), 7}});
    d.enumeration(QStringLiteral("Enum3D"), {{QStringLiteral("pTop"), 0},
                                             {QStringLiteral("pTopOver"), 1},
                                             {QStringLiteral("pDown"), 2},
                                             {QStringLiteral("pDownOver"), 3},
                                             {QStringLiteral("pStandard"), 4}});
    d.enumeration(QStringLiteral("EnumTextAlignment"), {{QStringLiteral("tOff"), 0},
                                                        {QStringLiteral("Arrow"), 1},
                                                        {QStringLiteral("tRight"), 2},
                                                        {QStringLiteral("tBottom"), 3}});
    d.enumeration(QStringLiteral("EnumMode"), {{QStringLiteral("optButton"), 0},
                                               {QStringLiteral("optSwitch"), 1},
                                               {QStringLiteral("optGroup"), 2}});
    d.enumeration(
        QStringLiteral("EnumSwitched"),
        {{QStringLiteral("bFalse"), 0}, {QStringLiteral("bLeft"), 1}, {QStringLiteral("bRight"), 2}});
    d.enumeration(QStringLiteral("MousePointerConst"),
                  mousePointerConstants(QString(), QStringLiteral("bMouseIcon")));
    static const char *const buttons[] = {"Benutzerdefiniert",
                                          "btnCancel",
                                          "btnConvert",
                                          "btnColor",
                                          "btnCopy",
                                          "btnComputer",
                                          "btnCut",
                                          "btnCDRom",
                                          "btnDVD",
                                          "btnDelete",
                                          "btnDesktop",
                                          "btnEdit",
                                          "btnFavorites",
                                          "btnFill",
                                          "btnHelp",
                                          "btnHome",
                                          "btnIE",
                                          "btnInfo",
                                          "btnMail",
                                          "btnMusic",
                                          "btnNew",
                                          "btnOK",
                                          "btnOpen",
                                          "btnPaste",
                                          "btnPrinter",
                                          "btnProperties",
                                          "btnRedo",
                                          "btnSave",
                                          "btnSave2",
                                          "btnScan",
                                          "btnSearch",
                                          "btnSecurity",
                                          "btnSpeaker",
                                          "btnStop",
                                          "btnTextEditor",
                                          "btnTools",
                                          "btnUndo",
                                          "btnRefresh",
                                          "btnUser",
                                          "btnView",
                                          "btnClock",
                                          "btnX",
                                          "CheckBox",
                                          "LEDred",
                                          "LEDgreen",
                                          "LEDyellow",
                                          "LEDblue",
                                          "btnIcon",
                                          "btnSmallIcon",
                                          "btnList",
                                          "btnReport",
                                          "pOff"};
    std::vector<std::pair<QString, int32_t>> constants;
    for (int32_t i = 0; i < int32_t(std::size(buttons)); ++i)
        constants.emplace_back(QString::fromLatin1(buttons[i]), i);
    d.enumeration(QStringLiteral("EnumButton"), std::move(constants));
}

// --- properties ------------------------------------------------------------------

void Button::letToolTip(bool on)
{
    m_toolTip = on;
    m_faceToolTip = m_toolTip ? m_toolTipText : QString();
    m_lbl2.toolTip = m_faceToolTip;
}

void Button::letToolTipText(const QString &text)
{
    m_toolTipText = text;
    if (m_toolTip)
        letToolTip(true);
}

void Button::copyToolTips()
{
    if (m_toolTip)
        letToolTip(true);
}

void Button::setMouseIcon(const Variant &picture)
{
    m_mouseIcon = StdPicture::fromPictureOrNothing(picture);
    applyMousePointer(*this, m_mousePointer, m_mouseIcon);
}

void Button::setMousePointer(int32_t pointer)
{
    m_mousePointer = checkedMousePointer(pointer);
    applyMousePointer(*this, m_mousePointer, m_mouseIcon);
}

void Button::letButtonShow(int32_t show)
{
    m_buttonShow = show;
    if (m_buttonShow != 0)
        m_largePicture = false;
    ShowState(1);
    propertyChanged(QStringLiteral("ButtonShow"));
}

// A picture box sizes itself to its picture; anything above 32 pixels a side
// is laid out as the face itself.
void Button::setPicture(int index, const Variant &picture)
{
    if (!picture.isNothing() && !StdPicture::from(picture))
        raiseError(ErrTypeMismatch);
    m_pictures[index] = StdPicture::from(picture);
    if (m_pictures[index] &&
        (m_pictures[index]->picture().width() > 32 || m_pictures[index]->picture().height() > 32))
        m_largePicture = true;
    if (index == 0 && m_buttonShow == 0)
        ShowState(shownState());
}

// The looks that hide their frame at rest leave the frame state at 0, which
// is no picture state: the up picture stands for it.
int16_t Button::shownState() const
{
    return m_frameState == 0 ? int16_t(1) : m_frameState;
}

void Button::letIconSize(bool on)
{
    if (!m_enabledB)
        return;
    m_iconSize = on;
    ShowState(shownState());
    UserControl_Resize();
    DrawFrame(m_frameState);
    PaintFace(1);
    propertyChanged(QStringLiteral("IconSize"));
}

void Button::letEnabledB(bool on)
{
    m_enabledB = on;
    propertyChanged(QStringLiteral("EnabledB"));
    DrawFrame(1);
    SetCaption();
    ShowState(1);
    if (m_borderStyle == 5 && m_enabledB)
        PaintFace(1);
    UserControl_Resize();
    if (m_enabledB)
        m_timer->setEnabled(true);
}

void Button::letTextAlignment(int32_t alignment)
{
    m_textAlignment = alignment;
    propertyChanged(QStringLiteral("TextAlignment"));
    m_arrowVisible = m_textAlignment == 1;
    if (m_textAlignment != 1)
        m_arrowDisabledVisible = false;
    SetCaption();
    UserControl_Resize();
    DrawFrame(m_frameState);
    PaintFace(1);
}

void Button::letButtonColor(uint32_t color)
{
    m_buttonColor = color;
    propertyChanged(QStringLiteral("ButtonColor"));
    setFaceBackColor(m_buttonColor);
    calcShades();
    if (m_borderStyle == 7)
        setFaceBackColor(0xF1FCFE);
    DrawFrame(m_frameState);
    if ((m_borderStyle == 5 || m_borderStyle == 6) && m_latched)
        PaintFace(2);
    else if (m_borderStyle != 1 && m_borderStyle != 6)
        PaintFace(1);
}

void Button::letBorderStyle(int32_t style)
{
    m_borderStyle = style;
    propertyChanged(QStringLiteral("BorderStyle"));
    UserControl_Resize();
    ShowState(1);
}

void Button::setFont(const Variant &font)
{
    m_lbl2.font = StdFont::fromVariant(font);
    propertyChanged(QStringLiteral("Font"));
    SetCaption();
    UserControl_Resize();
}

void Button::calcShades()
{
    m_shades = ButtonShades::from(static_cast<int32_t>(m_faceBack));
}

// The programmatic latch and unlatch of a switch or group button.
void Button::letValue(bool value)
{
    m_value = value;
    propertyChanged(QStringLiteral("Value"));
    if (!m_enabledB || m_optionMode == optButton)
        return;
    if (m_value && !m_mouseDown) {
        m_mouseDown = true;
        m_hoverRing = false;
        if (m_latched)
            return;
        m_latched = true;
        m_timer->setEnabled(false);
        UserControl_Resize();
        DrawFrame(3);
        ShowState(3);
        faceRefresh(2);
        if (m_optionMode == optGroup)
            raiseEvent(QStringLiteral("Group"));
    } else if (!m_value && m_latched) {
        m_mouseDown = false;
        m_hovered = true;
        m_pushHeld = false;
        m_timer->setEnabled(true);
        m_hoverRing = false;
        UserControl_Resize();
        DrawFrame(2);
        ShowState(2);
        faceRefresh(1);
        m_latched = false;
        m_groupClicked = false;
        m_switched = 0;
    }
}

void Button::refresh()
{
    UserControl_Resize();
    ShowState(m_pictureState);
    if (m_hasFocus && m_focusRect)
        DrawFocus();
}

// The output plays its own copy, so the sound may outlive this control.
void Button::playSound(int16_t resourceId)
{
    ignoringErrors([this, resourceId] {
        if (resourceId < FirstSound || resourceId >= FirstSound + int(m_sounds.size()))
            return;
        const QByteArray &wave = m_sounds[resourceId - FirstSound];
        if (!wave.isEmpty())
            rt::ServiceSlot<sound::SoundOutput>::current().playMemory(
                wave, sound::SndAsync | sound::SndNoDefault | sound::SndMemory);
    });
}

void Button::endPlaySound()
{
    ignoringErrors([] { rt::ServiceSlot<sound::SoundOutput>::current().playSound(QString(), 0, 0); });
}

void Button::notFrmFocus(const Variant &focus)
{
    if (!m_focusRect)
        return;
    const bool on = focus.toBool();
    if (on != m_notFrmFocus) {
        m_notFrmFocus = on;
        DrawFocus();
    }
}

void Button::drawRectB(bool on)
{
    if (m_focusRect)
        m_tmrRect->setEnabled(on);
}

// --- persistence -----------------------------------------------------------------

void Button::initProperties()
{
    letButtonShow(DefaultButtonShow);
    m_textAlignment = 2;
    m_borderStyle = 2;
    m_backColorB = ButtonFace;
    m_buttonColor = ButtonFace;
    m_font3D = 0;
    m_gradient = true;
    m_optionMode = optButton;
    m_value = false;
    m_iconSize = false;
    m_enabledB = true;
    m_fontColor = 0;
    m_fontShadowColor = White;
    m_focusRect = false;
    m_caption = QStringLiteral("Caption");
    m_switched = 0;
    m_focusColor = 0;
    m_toolTipText = QStringLiteral("Quick-Info");
    m_toolTip = true;
    setFont(ambientFontObject());
    m_frameState = 1;
}

// The ButtonShow let repaints the up state after Value latched the button:
// the latched look comes back last.
void Button::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
    if (m_latched)
        ShowState(3);
}

void Button::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

} // namespace ostrevo
