#include "controls/dialog/FlatButton.h"

#include "controls/dialog/AppKeyState.h"
#include "controls/dialog/MnemonicCaption.h"
#include "controls/foundation/ModMain.h"
#include "controls/foundation/modquivbutton.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdFont.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/SystemSources.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <cmath>

using namespace com;

namespace ostrevo
{

namespace
{

// A bag read that fails is skipped, so one bad key does not fail the whole button.
template <class F> std::function<void(FlatButton &, const Variant &)> skipFailing(F store)
{
    return [store](FlatButton &self, const Variant &v) {
        try {
            store(self, v);
        } catch (const AutomationError &) {
        }
    };
}

constexpr int KeyEnter = rt::KeyCodes::KeyReturn;
constexpr int KeyEscape = rt::KeyCodes::KeyEscape;
constexpr int KeyAlt = rt::KeyCodes::KeyMenu;
constexpr gdi::ColorRef FocusColour = 0xB90000;
constexpr double KeyPressSeconds = 0.1;

std::vector<ParamInfo> mouseParams()
{
    return {{QStringLiteral("Button"), VarType::Integer, true},
            {QStringLiteral("Shift"), VarType::Integer, true},
            {QStringLiteral("X"), VarType::Single, true},
            {QStringLiteral("Y"), VarType::Single, true}};
}

std::vector<ParamInfo> keyParams()
{
    return {{QStringLiteral("KeyCode"), VarType::Integer, true},
            {QStringLiteral("Shift"), VarType::Integer, true}};
}

gdi::ColorRef rgbOf(int32_t oleColour)
{
    return static_cast<gdi::ColorRef>(modquivbutton::OleColorToRGB(oleColour));
}

} // namespace

FlatButton::FlatButton(QWidget *parent)
    : Dispatched(parent), m_dc(std::make_unique<gdi::DeviceContext>(&m_surface))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_font = font();
    m_fontObject.reset(gdi::createFont(m_font));
    m_dc->selectObject(m_fontObject);
    m_dc->setBkMode(gdi::Transparent);

    const AppKeyState &keys = AppKeyState::instance();
    m_enterSeen = keys.pressCount(KeyEnter);
    m_escapeSeen = keys.pressCount(KeyEscape);

    m_tmrEvents = new rt::Timer(this);
    m_tmrEvents->setInterval(1);
    m_tmrEvents->setTickHandler([this] { tmrEvents_Timer(); });
}

FlatButton::~FlatButton()
{
    // The font goes before the device context that holds it.
    if (m_dc)
        m_dc->selectObject(gdi::getStockObject(gdi::SystemFont));
}

void FlatButton::describe(Dispatcher<FlatButton> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("FlatButton"), QStringLiteral("Quiv_Tools.FlatButton")));
    const VarType L = VarType::Long, B = VarType::Boolean;
    const QString oleColor = QStringLiteral("OLE_COLOR");
    // Bag order: Font, Caption, Enabled, the three colours, UseMnemonic,
    // Default, Cancel, FocusRect. Each key is read into its field; one that
    // fails to read is skipped and what was read so far stays.
    d.property<QString>(
         QStringLiteral("Caption"), 0x6803000B, [](FlatButton &self) { return self.m_caption; },
         [](FlatButton &self, const QString &caption) { self.letCaption(caption); })
        .notifies()
        .persist({.rank = 1,
                  .read =
                      [](FlatButton &self) {
                          return Variant(self.site() ? self.site()->ambient().displayName : QString());
                      },
                  .store = skipFailing(
                      [](FlatButton &self, const Variant &v) { self.m_caption = v.toString(); })});
    d.objectProperty(
         QStringLiteral("Font"), 0x6803000A, QStringLiteral("StdFont"),
         [](FlatButton &self) { return Variant::fromObject(std::make_shared<StdFont>(self.m_font)); },
         [](FlatButton &self, const Variant &v) {
             if (auto *font = dynamic_cast<StdFont *>(v.toObject()))
                 self.setCaptionFont(font->toQFont());
         })
        .notifies()
        .persist({.rank = 0,
                  .read = &com::Control::ambientFontObject,
                  .store = skipFailing([](FlatButton &self, const Variant &v) {
                      if (auto *font = dynamic_cast<StdFont *>(v.toObject()))
                          self.setCaptionFont(font->toQFont());
                  })});
    d.bagKey(QStringLiteral("Enabled"),
             {.rank = 2,
              .read = Variant::fromBool(true),
              .store = skipFailing([](FlatButton &self, const Variant &v) { self.setEnabled(v.toBool()); }),
              .fetch = [](FlatButton &self) { return Variant::fromBool(self.isEnabled()); }});
    const std::tuple<const char *, int32_t, int32_t FlatButton::*, void (FlatButton::*)(int32_t), int>
        colours[] = {
            {"TextColor", 0x68030009, &FlatButton::m_textColor, &FlatButton::letTextColor, 3},
            {"HoverColor", 0x68030008, &FlatButton::m_hoverColor, &FlatButton::letHoverColor, 4},
            {"BackColor", 0x68030007, &FlatButton::m_backColor, &FlatButton::letBackColor, 5},
        };
    for (const auto &[name, dispid, field, letter, rank] : colours) {
        const int32_t byDefault = static_cast<int32_t>(rank == 5 ? 0x8000000F : 0x80000012);
        d.property<int32_t>(
             QString::fromLatin1(name), dispid, [field](FlatButton &self) { return self.*field; },
             [letter](FlatButton &self, int32_t colour) { (self.*letter)(colour); }, oleColor)
            .notifies()
            .persist({.rank = rank,
                      .read = Variant::fromLong(byDefault),
                      .store = skipFailing(
                          [field](FlatButton &self, const Variant &v) { self.*field = v.toLong(); })});
    }
    const std::tuple<const char *, int32_t, bool FlatButton::*, void (FlatButton::*)(bool), int, bool>
        switches[] = {
            {"UseMnemonic", 0x68030006, &FlatButton::m_useMnemonic, &FlatButton::letUseMnemonic, 6, true},
            {"Default", 0x68030005, &FlatButton::m_default, &FlatButton::letDefault, 7, false},
            {"Cancel", 0x68030004, &FlatButton::m_cancel, &FlatButton::letCancel, 8, false},
        };
    for (const auto &[name, dispid, field, letter, rank, byDefault] : switches) {
        d.property<bool>(
             QString::fromLatin1(name), dispid, [field](FlatButton &self) { return self.*field; },
             [letter](FlatButton &self, bool on) { (self.*letter)(on); })
            .notifies()
            .persist({.rank = rank,
                      .read = Variant::fromBool(byDefault),
                      .store = skipFailing(
                          [field](FlatButton &self, const Variant &v) { self.*field = v.toBool(); })});
    }
    d.readOnly(QStringLiteral("hwnd"), 0x68030003, L, [](FlatButton &self) {
        return Variant::fromLong(static_cast<int32_t>(self.internalWinId()));
    });
    d.readOnly(QStringLiteral("HDC"), 0x68030002, L,
               [](FlatButton &self) { return Variant::fromLong(static_cast<int32_t>(self.hDC())); });
    d.property<bool>(
         QStringLiteral("FocusRect"), 0x68030001, [](FlatButton &self) { return self.m_focusRect; },
         [](FlatButton &self, bool on) { self.letFocusRect(on); })
        .notifies()
        .persist({.rank = 9,
                  .read = Variant::fromBool(false),
                  .store = skipFailing(
                      [](FlatButton &self, const Variant &v) { self.m_focusRect = v.toBool(); })});
    d.readOnly(QStringLiteral("BackFocus"), 0x68030000, B,
               [](FlatButton &self) { return Variant::fromBool(self.m_hasFocus); });
    d.method(QStringLiteral("sFocus"), 0x60030019, VarType::Empty, {}, [](FlatButton &self, Args &) {
        self.sFocus();
        return Variant();
    });
    d.event(QStringLiteral("Click"), 1);
    d.event(QStringLiteral("MouseDown"), 2, mouseParams());
    d.event(QStringLiteral("MouseUp"), 3, mouseParams());
    d.event(QStringLiteral("MouseMove"), 4, mouseParams());
    d.event(QStringLiteral("KeyDown"), 5, keyParams());
    d.event(QStringLiteral("KeyPress"), 6, {{QStringLiteral("KeyAscii"), VarType::Integer, true}});
    d.event(QStringLiteral("KeyUp"), 7, keyParams());
}

// --- persistence -------------------------------------------------------------

void FlatButton::initProperties()
{
    setCaptionFont(ambientFont());
    letCaption(site() ? site()->ambient().displayName : QString());
    setEnabled(true);
    letTextColor(static_cast<int32_t>(0x80000012));
    letHoverColor(static_cast<int32_t>(0x80000012));
    letBackColor(static_cast<int32_t>(0x8000000F));
    letUseMnemonic(true);
    letDefault(false);
    letCancel(false);
    m_focusRect = false;
}

void FlatButton::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
    assignCaption(m_caption);
    CenterCaption();
    Refresh();
}

void FlatButton::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

// --- properties ----------------------------------------------------------------

void FlatButton::assignCaption(const QString &text)
{
    const MnemonicCaption assigned = MnemonicCaption::assign(text, m_useMnemonic);
    m_caption = assigned.text;
    m_literalCaption = assigned.literal;
    if (!m_useMnemonic || !text.contains(u'&'))
        return;
    if (assigned.accessKey != m_accessKey)
        m_accessSeen = AppKeyState::instance().pressCount(assigned.accessKey);
    m_accessKey = assigned.accessKey;
}

void FlatButton::letCaption(const QString &text)
{
    assignCaption(text);
    CenterCaption();
    Refresh();
}

void FlatButton::setCaptionFont(const QFont &font)
{
    m_font = font;
    // The new font is selected before the old one goes.
    gdi::GdiObject created(gdi::createFont(m_font));
    m_dc->selectObject(created);
    m_fontObject = std::move(created);
    CenterCaption();
    Refresh();
}

void FlatButton::letTextColor(int32_t colour)
{
    m_textColor = colour;
    Refresh();
}

void FlatButton::letHoverColor(int32_t colour)
{
    m_hoverColor = colour;
    Refresh();
}

void FlatButton::letBackColor(int32_t colour)
{
    m_backColor = colour;
    Refresh();
}

void FlatButton::letUseMnemonic(bool on)
{
    m_useMnemonic = on;
    Refresh();
}

void FlatButton::letDefault(bool on)
{
    m_default = on;
}

void FlatButton::letCancel(bool on)
{
    m_cancel = on;
}

void FlatButton::letFocusRect(bool on)
{
    m_focusRect = on;
    if (m_hasFocus)
        DrawFocus();
}

void FlatButton::sFocus()
{
    m_hasFocus = true;
    DrawFocus();
}

gdi::Handle FlatButton::hDC() const
{
    return m_dc->handle();
}

// --- drawing -------------------------------------------------------------------

void FlatButton::CenterCaption()
{
    QString shown = m_caption;
    shown.remove(u'&');
    const QSize extent = m_dc->textExtent(shown);
    m_textX = (width() - extent.width()) / 2;
    m_textY = (height() - extent.height()) / 2;
}

void FlatButton::Refresh()
{
    if (m_surface.size() != size()) {
        m_surface = QImage(size(), QImage::Format_RGB32);
    }
    const gdi::ColorRef face = rgbOf(m_backColor);
    m_surface.fill(gdi::toQColor(face));
    if (!userMode())
        m_hover = false;
    m_dc->setTextColor(rgbOf(m_hover ? m_hoverColor : m_textColor));

    const gdi::Rect r{0, 0, width(), height()};
    int x = m_textX;
    int y = m_textY;
    if (m_pressed) {
        DrawFlatFrame(r, 2, 0x868686, 0xD6E7E7, face, 0xFFFFFF, gdi::PsSolid, 1);
        ++x;
        ++y;
    } else if (m_hover) {
        DrawFlatFrame(r, 2, 0xD6E7E7, 0x868686, 0xFFFFFF, face, gdi::PsSolid, 1);
    } else {
        DrawFlatFrame(r, 1, 0xC0C0C0, 0, 0xFF, face, gdi::PsSolid, 1);
    }
    if (m_useMnemonic && m_caption.contains(u'&') && !m_literalCaption)
        DrawMnemonicCaption(m_caption, x, y);
    else
        m_dc->textOut(x, y, m_caption);
    update();
}

void FlatButton::DrawFlatFrame(const gdi::Rect &r, int style, int32_t c1, int32_t c2, gdi::ColorRef c3,
                               gdi::ColorRef c4, int penStyle, int n)
{
    const gdi::ColorRef first = rgbOf(c1);
    const gdi::ColorRef second = rgbOf(c2);
    gdi::GdiObject pen(gdi::createPen(penStyle, n, second));
    m_dc->selectObject(pen);
    const auto usePen = [&](gdi::ColorRef colour) {
        gdi::GdiObject next(gdi::createPen(penStyle, 1, colour));
        m_dc->selectObject(next);
        pen = std::move(next);
    };
    const auto line = [this](int x1, int y1, int x2, int y2) {
        m_dc->moveTo(x1, y1);
        m_dc->lineTo(x2, y2);
    };
    const int L = r.left, T = r.top, Rt = r.right, B = r.bottom;
    for (int i = 1; i <= n; ++i) {
        if (style == 1) {
            usePen(first);
            line(L + i + 1, T + i - 1, Rt - i - 1, T + i - 1);
            line(L + i - 1, T + i + 1, L + i - 1, B - i - 1);
            usePen(first);
            line(L + i + 1, B - i, Rt - i - 1, B - i);
            line(Rt - i, T + i + 1, Rt - i, B - i - 1);
            usePen(first);
            line(L + i, T + i, L + i, B - i);
            line(Rt - i - 1, T + i, Rt - i - 1, B - i);
            usePen(c4);
            line(L + i, T + i + 1, L + i, B - i - 1);
            line(Rt - i - 1, T + i + 1, Rt - i - 1, B - i - 1);
        } else if (style == 2) {
            usePen(first);
            line(L + i + 1, T + i - 1, Rt - i - 1, T + i - 1);
            line(L + i - 1, T + i + 1, L + i - 1, B - i - 1);
            usePen(second);
            line(L + i + 1, B - i, Rt - i - 1, B - i);
            line(Rt - i, T + i + 1, Rt - i, B - i - 1);
            usePen(first);
            line(L + i, T + i, L + i, B - i);
            usePen(second);
            line(Rt - i - 1, T + i, Rt - i - 1, B - i);
            usePen(c3);
            line(L + i, T + i + 1, L + i, B - i - 1);
            line(L + i + 1, T + i, Rt - i - 1, T + i);
            usePen(c4);
            line(Rt - i - 1, T + i + 1, Rt - i - 1, B - i - 1);
            line(L + i + 1, B - i - 1, Rt - i - 1, B - i - 1);
        }
    }
    m_dc->selectObject(gdi::getStockObject(gdi::BlackPen));
}

void FlatButton::DrawMnemonicCaption(const QString &text, int x, int y)
{
    const qsizetype marker = text.indexOf(u'&');
    const QString before = text.left(marker);
    const QString after = text.mid(marker + 1).section(u'&', 0, 0);
    const QString key = after.left(1);
    const QString rest = after.mid(1);

    QFont underlined = m_font;
    underlined.setUnderline(true);
    gdi::GdiObject underlinedFont(gdi::createFont(underlined));
    const int beforeWidth = m_dc->textExtent(before).width();
    m_dc->textOut(x, y, before);
    m_dc->selectObject(underlinedFont);
    const int keyWidth = m_dc->textExtent(key).width();
    m_dc->textOut(x + beforeWidth, y, key);
    m_dc->selectObject(m_fontObject);
    m_dc->textOut(x + beforeWidth + keyWidth, y, rest);
}

void FlatButton::DrawFocus()
{
    if (m_hasFocus && !m_dragIn && !m_mouseIsDown) {
        m_focusCleared = false;
        gdi::Handle dc = hDC();
        gdi::Rect r{1, 1, width() - 1, height() - 1};
        int32_t colour = static_cast<int32_t>(FocusColour);
        const int previous = m_dc->setROP2(gdi::R2NotXorPen);
        ModMain::DrawFocusRectangle(dc, r, colour);
        m_dc->setROP2(previous);
        update();
    } else if (m_focusRect && !m_focusCleared) {
        Refresh();
        m_focusCleared = true;
    }
}

void FlatButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void FlatButton::resizeEvent(QResizeEvent *event)
{
    Control::resizeEvent(event);
    CenterCaption();
    Refresh();
}

// --- pointer and keys ------------------------------------------------------------

bool FlatButton::IsMouseInto() const
{
    const QPoint cursor = rt::SystemSources::cursor().position();
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    const int left = origin.x(), top = origin.y();
    const int right = left + width(), bottom = top + height();
    // The left and top edges count as outside.
    return cursor.x() > left && cursor.x() < right && cursor.y() > top && cursor.y() < bottom;
}

void FlatButton::WaitSeconds(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000)), &loop, &QEventLoop::quit);
    loop.exec();
}

bool FlatButton::pressedAnew(int keyCode)
{
    const AppKeyState &keys = AppKeyState::instance();
    quint64 &seen = keyCode == KeyEnter ? m_enterSeen : keyCode == KeyEscape ? m_escapeSeen : m_accessSeen;
    if (!keys.isDown(keyCode) || keys.pressCount(keyCode) == seen)
        return false;
    seen = keys.pressCount(keyCode);
    return true;
}

void FlatButton::tmrEvents_Timer()
{
    if (!userMode()) {
        m_tmrEvents->setEnabled(false);
        return;
    }
    const bool inside = IsMouseInto();
    if (inside && !m_hover) {
        m_hover = true;
        Refresh();
    } else if (!inside && m_hover) {
        m_hover = false;
        m_pressed = false;
        Refresh();
    }

    const AppKeyState &keys = AppKeyState::instance();
    bool due = false;
    if (m_cancel && pressedAnew(KeyEscape))
        due = true;
    if (!due && m_useMnemonic && m_accessKey != 0 && keys.isDown(KeyAlt) && pressedAnew(m_accessKey))
        due = true;
    if (!due && m_default && pressedAnew(KeyEnter))
        due = true;
    if (!due)
        return;
    QPointer<FlatButton> self(this);
    mouseDownHandling(1, 0, 1.0f, 1.0f);
    if (!self)
        return;
    WaitSeconds(KeyPressSeconds);
    if (self)
        mouseUpHandling(1, 0, 1.0f, 1.0f);
}

void FlatButton::raiseMouse(const QString &name, int16_t button, int16_t shift, float x, float y)
{
    Args args{Variant::fromInteger(button), Variant::fromInteger(shift), Variant::fromSingle(x),
              Variant::fromSingle(y)};
    raiseEvent(name, args);
}

void FlatButton::raiseKey(const QString &name, int16_t keyCode, int16_t shift)
{
    Args args{Variant::fromInteger(keyCode), Variant::fromInteger(shift)};
    raiseEvent(name, args);
}

void FlatButton::mouseDownHandling(int16_t button, int16_t shift, float x, float y)
{
    m_mouseIsDown = true;
    m_dragIn = false;
    QPointer<FlatButton> self(this);
    raiseMouse(QStringLiteral("MouseDown"), button, shift, x, y);
    if (self && button != 0) {
        m_pressed = true;
        Refresh();
    }
}

void FlatButton::mouseMoveHandling(int16_t button, int16_t shift, float x, float y)
{
    if (button != 0) {
        if (IsMouseInto()) {
            m_pressed = true;
            if (!m_mouseIsDown)
                m_dragIn = true;
        } else {
            m_dragIn = false;
        }
        if (m_focusRect)
            DrawFocus();
    }
    raiseMouse(QStringLiteral("MouseMove"), button, shift, x, y);
}

void FlatButton::mouseUpHandling(int16_t button, int16_t shift, float x, float y)
{
    m_mouseIsDown = false;
    m_dragIn = false;
    QPointer<FlatButton> self(this);
    raiseMouse(QStringLiteral("MouseUp"), button, shift, x, y);
    if (!self)
        return;
    const bool wasPressed = m_pressed;
    m_pressed = false;
    Refresh();
    if (wasPressed)
        raiseEvent(QStringLiteral("Click"));
}

void FlatButton::mousePressEvent(QMouseEvent *event)
{
    mouseDownHandling(static_cast<int16_t>(rt::KeyCodes::mouseButton(event->button())),
                      static_cast<int16_t>(rt::KeyCodes::shiftBits(event->modifiers())),
                      static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void FlatButton::mouseMoveEvent(QMouseEvent *event)
{
    mouseMoveHandling(static_cast<int16_t>(rt::KeyCodes::mouseButtons(event->buttons())),
                      static_cast<int16_t>(rt::KeyCodes::shiftBits(event->modifiers())),
                      static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void FlatButton::mouseReleaseEvent(QMouseEvent *event)
{
    mouseUpHandling(static_cast<int16_t>(rt::KeyCodes::mouseButton(event->button())),
                    static_cast<int16_t>(rt::KeyCodes::shiftBits(event->modifiers())),
                    static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void FlatButton::keyPressEvent(QKeyEvent *event)
{
    const auto code = static_cast<int16_t>(rt::KeyCodes::keyCode(*event));
    const auto shift = static_cast<int16_t>(rt::KeyCodes::shiftBits(event->modifiers()));
    QPointer<FlatButton> self(this);
    if (code == KeyEnter && !event->isAutoRepeat()) {
        m_enterReachedMe = true;
        mouseDownHandling(1, 0, 0.0f, 0.0f);
    }
    if (self)
        raiseKey(QStringLiteral("KeyDown"), code, shift);
    const int ascii = rt::KeyCodes::keyAscii(*event);
    if (self && ascii != 0) {
        Args args{Variant::fromInteger(static_cast<int16_t>(ascii))};
        raiseEvent(QStringLiteral("KeyPress"), args);
    }
}

void FlatButton::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    const auto code = static_cast<int16_t>(rt::KeyCodes::keyCode(*event));
    const auto shift = static_cast<int16_t>(rt::KeyCodes::shiftBits(event->modifiers()));
    QPointer<FlatButton> self(this);
    // Only an Enter that went down on this button may choose it on its way up.
    if (code == KeyEnter && m_enterReachedMe) {
        m_enterReachedMe = false;
        mouseUpHandling(1, 0, 0.0f, 0.0f);
    }
    if (self)
        raiseKey(QStringLiteral("KeyUp"), code, shift);
}

void FlatButton::focusInEvent(QFocusEvent *event)
{
    Control::focusInEvent(event);
    if (m_focusRect) {
        m_hasFocus = true;
        if (!m_mouseIsDown)
            DrawFocus();
    }
}

void FlatButton::focusOutEvent(QFocusEvent *event)
{
    Control::focusOutEvent(event);
    m_enterReachedMe = false;
    if (m_focusRect) {
        m_hasFocus = false;
        DrawFocus();
    }
}

} // namespace ostrevo
