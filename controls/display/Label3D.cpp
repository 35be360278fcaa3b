#include "controls/display/Label3D.h"

#include "controls/foundation/ControlEvents.h"
#include "controls/display/WindowHandle.h"
#include "controls/foundation/frmAbout.h"
#include "platform/com/PropertyBag.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/Twips.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

using namespace com;
using rt::KeyCodes;
using rt::Twips;

namespace ostrevo
{

namespace
{

constexpr uint32_t DefaultBackColor = 0x8000000F; // button face: the control's back colour when it is made
constexpr uint32_t DefaultShadowColor = 0xFFFF00;
constexpr uint32_t DefaultFocusColor = 0xFF00;

// The labels' design font.
std::shared_ptr<StdFont> designFont()
{
    auto font = std::make_shared<StdFont>();
    font->name = QStringLiteral("Arial");
    font->size = 8.25;
    font->bold = true;
    font->weight = 700;
    return font;
}

std::shared_ptr<StdFont> fontOf(const Variant &value)
{
    auto font = std::dynamic_pointer_cast<StdFont>(value.objectRef());
    if (!font)
        raiseError(ErrTypeMismatch);
    return font;
}

} // namespace

Label3D::Label3D()
    : m_lbFont(QStringLiteral("Quiv-Label"), designFont()),
      m_lbShadow(QStringLiteral("Quiv-Label"), designFont()), m_controlBackColor(DefaultBackColor),
      m_dc(std::make_unique<gdi::DeviceContext>(&m_surface))
{
    m_lbShadow.foreColor = DefaultShadowColor;
    m_lbShadow.caption = m_lbFont.caption;
    // Clicks do not move the focus by themselves; with FocusRect on a click
    // asks for it.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
}

Label3D::~Label3D() = default;

const Dispatcher<Label3D> &Label3D::dispatcher()
{
    static const Dispatcher<Label3D> table = [] {
        Dispatcher<Label3D> d(TypeInfo::forClass(QStringLiteral("Label3D"),
                                                 QStringLiteral("Quiv_Tools.Label3D"),
                                                 QStringLiteral("{1B5E9248-A195-493A-87B8-EE60018647E8}"),
                                                 QStringLiteral("{D5D00284-C187-412E-8DFF-9BAF5EBB4BAE}"),
                                                 QStringLiteral("{BC37D2AF-A5A2-4C5F-B3AA-0645C9DA6488}")));
        addMembers(d);
        return d;
    }();
    return table;
}

const TypeInfo &Label3D::staticTypeInfo()
{
    return dispatcher().typeInfo();
}

Variant Label3D::invoke(int32_t dispid, Accessor kind, Args &args)
{
    return dispatcher().invoke(*this, dispid, kind, args);
}

QStringList Label3D::propertyPages()
{
    return {QStringLiteral("TextMode"), QStringLiteral("StandardFont"), QStringLiteral("StandardColor"),
            QStringLiteral("Info")};
}

void Label3D::addMembers(Dispatcher<Label3D> &d)
{
    const VarType B = VarType::Boolean, I = VarType::Integer, L = VarType::Long, S = VarType::String;
    const QString oleColor = QStringLiteral("OLE_COLOR");
    // Every let ends by telling the host which property changed.
    auto let = [](const QString &name, std::function<void(Label3D &, const Variant &)> body) {
        return [name, body](Label3D &self, const Variant &v) {
            body(self, v);
            self.propertyChanged(name);
        };
    };

    d.method(QStringLiteral("ShowAboutBox"), 0x60030015, VarType::Empty, {}, [](Label3D &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    d.property(
        QStringLiteral("FocusRect"), 0x68030014, B,
        [](Label3D &self) { return Variant::fromBool(self.m_focusRect); },
        let(QStringLiteral("FocusRect"),
            [](Label3D &self, const Variant &v) { self.m_focusRect = v.toBool(); }));
    d.property(
        QStringLiteral("EnabledL"), 0x68030013, B,
        [](Label3D &self) { return Variant::fromBool(self.m_lbFont.enabled); },
        let(QStringLiteral("EnabledL"),
            [](Label3D &self, const Variant &v) { self.setEnabledL(v.toBool()); }));
    d.property(
        QStringLiteral("Shadow"), 0x68030012, B,
        [](Label3D &self) { return Variant::fromBool(self.m_shadow); },
        let(QStringLiteral("Shadow"), [](Label3D &self, const Variant &v) { self.setShadow(v.toBool()); }));
    d.objectProperty(
        QStringLiteral("Font"), 0x68030011, QStringLiteral("StdFont"),
        [](Label3D &self) { return Variant::fromObject(self.m_lbFont.font); },
        let(QStringLiteral("Font"), [](Label3D &self, const Variant &v) { self.setFont(v); }));
    d.method(QStringLiteral("Refresh"), 0x60030025, VarType::Empty, {}, [](Label3D &self, Args &) {
        self.repaint();
        return Variant();
    });
    d.property(
        QStringLiteral("FocusColor"), 0x68030010, L,
        [](Label3D &self) { return Variant::fromColor(self.m_focusColor); },
        let(QStringLiteral("FocusColor"),
            [](Label3D &self, const Variant &v) { self.m_focusColor = v.toColor(); }),
        oleColor);
    d.property(
        QStringLiteral("TextColor"), 0x6803000F, L,
        [](Label3D &self) { return Variant::fromColor(self.m_lbFont.foreColor); },
        let(QStringLiteral("TextColor"),
            [](Label3D &self, const Variant &v) {
                self.m_textColor = v.toColor();
                self.m_lbFont.foreColor = self.m_textColor;
                self.update();
            }),
        oleColor);
    // Not wrapped: while the background is transparent the let does nothing at all.
    d.property(
        QStringLiteral("BackColorL"), 0x6803000E, L,
        [](Label3D &self) { return Variant::fromColor(self.m_backColor); },
        [](Label3D &self, const Variant &v) { self.setBackColorL(v.toColor()); }, oleColor);
    d.property(
        QStringLiteral("ShadowColor"), 0x6803000D, L,
        [](Label3D &self) { return Variant::fromColor(self.m_lbShadow.foreColor); },
        let(QStringLiteral("ShadowColor"),
            [](Label3D &self, const Variant &v) {
                self.m_lbShadow.foreColor = v.toColor();
                self.m_shadowColor = self.m_lbShadow.foreColor;
                self.update();
            }),
        oleColor);
    d.property(
        QStringLiteral("TextMode"), 0x6803000C, I,
        [](Label3D &self) { return Variant::fromInteger(self.m_textMode); },
        let(QStringLiteral("TextMode"), [](Label3D &self, const Variant &v) {
            self.m_textMode = v.toInteger();
            self.placeShadow();
        }));
    const std::tuple<const char *, int32_t, const char *, VarType> attributes[] = {
        {"FontBold", 0x6803000B, "Bold", B},
        {"FontItalic", 0x6803000A, "Italic", B},
        {"FontName", 0x68030009, "Name", S},
        {"FontSize", 0x68030008, "Size", VarType::Single},
        {"FontStrikethru", 0x68030007, "Strikethrough", B}};
    for (const auto &[property, dispid, fontMember, type] : attributes) {
        const QString name = QString::fromLatin1(property);
        const QString member = QString::fromLatin1(fontMember);
        d.property(
            name, dispid, type, [member](Label3D &self) { return self.m_lbFont.font->get(member); },
            let(name, [member](Label3D &self, const Variant &v) { self.setFontAttribute(member, v); }));
    }
    d.readOnly(QStringLiteral("HDC"), 0x68030006, L,
               [](Label3D &self) { return Variant::fromLong(static_cast<int32_t>(self.m_dc->handle())); });
    d.readOnly(QStringLiteral("hwnd"), 0x68030005, L,
               [](Label3D &self) { return Variant::fromLong(hwndOf(self)); });
    d.readOnly(QStringLiteral("HasDC"), 0x68030004, B, [](Label3D &) { return Variant::fromBool(true); });
    d.property(
        QStringLiteral("ToolTipText"), 0x68030003, S,
        [](Label3D &self) { return Variant(self.m_toolTipText); },
        let(QStringLiteral("ToolTipText"), [](Label3D &self, const Variant &v) {
            self.m_toolTipText = v.toString();
            self.m_lbFont.toolTip = self.m_toolTipText;
        }));
    d.property(
        QStringLiteral("Caption"), 0x68030002, S,
        [](Label3D &self) { return Variant(self.m_lbFont.caption); },
        let(QStringLiteral("Caption"), [](Label3D &self, const Variant &v) {
            self.m_lbFont.caption = v.toString();
            self.m_lbShadow.caption = self.m_lbFont.caption;
            self.update();
        }));
    d.property(
        QStringLiteral("BackStyle"), 0x68030001, L,
        [](Label3D &self) { return Variant::fromLong(self.m_backStyle); },
        let(QStringLiteral("BackStyle"),
            [](Label3D &self, const Variant &v) { self.setBackStyle(v.toLong()); }),
        QStringLiteral("EnumBack"));
    d.property(
        QStringLiteral("xDist"), 0x68030000, I,
        [](Label3D &self) { return Variant::fromInteger(self.m_xDist); },
        let(QStringLiteral("xDist"), [](Label3D &self, const Variant &v) {
            self.m_xDist = v.toInteger();
            self.placeShadow();
        }));

    d.event(QStringLiteral("Click"), 1);
    d.event(QStringLiteral("DblClick"), 2);
    d.event(QStringLiteral("MouseDown"), 3, mouseEventParams());
    d.event(QStringLiteral("MouseMove"), 4, mouseEventParams());
    d.event(QStringLiteral("MouseUp"), 5, mouseEventParams());
    d.event(QStringLiteral("KeyDown"), 6, keyEventParams());
    d.event(QStringLiteral("KeyPress"), 7, keyPressParams());
    d.event(QStringLiteral("KeyUp"), 8, keyEventParams());

    d.enumeration(QStringLiteral("EnumBack"),
                  {{QStringLiteral("BgColor"), 0}, {QStringLiteral("cTRANSPARENT"), 1}});
}

// --- properties ------------------------------------------------------------------

void Label3D::setFont(const Variant &font)
{
    const std::shared_ptr<StdFont> shared = fontOf(font);
    m_lbFont.font = shared;
    m_lbShadow.font = shared;
    update();
}

// Set on the text label, then copied to the shadow label where it has a
// font object of its own.
void Label3D::setFontAttribute(const QString &member, const Variant &value)
{
    m_lbFont.font->let(member, value);
    if (m_lbShadow.font != m_lbFont.font)
        m_lbShadow.font->let(member, m_lbFont.font->get(member));
    update();
}

void Label3D::setBackColorL(uint32_t color)
{
    if (m_backStyle != 0)
        return;
    m_backColor = color;
    m_controlBackColor = color;
    m_lbShadow.backColor = color;
    fillBackground();
    propertyChanged(QStringLiteral("BackColorL"));
}

void Label3D::setBackStyle(int32_t style)
{
    m_backStyle = style;
    m_lbShadow.opaque = m_backStyle == 0;
    fillBackground();
}

// Hides the text label: the shadow label alone then shows the caption.
void Label3D::setShadow(bool on)
{
    m_shadow = on;
    m_lbFont.visible = on;
    update();
}

void Label3D::setEnabledL(bool on)
{
    m_lbFont.enabled = on;
    m_lbShadow.enabled = on;
    update();
}

std::optional<QPointF> Label3D::shadowOffset(int16_t textMode, int16_t distance)
{
    static constexpr int directions[9][2] = {{1, 1},  {0, 1},  {-1, 1}, {-1, 0}, {-1, -1},
                                             {0, -1}, {1, -1}, {1, 0},  {0, 0}};
    if (textMode < 0 || textMode > 8)
        return std::nullopt;
    const double d = distance;
    return QPointF(directions[textMode][0] * d, directions[textMode][1] * d);
}

// Both labels span the whole control; the shadow label is cut off by the
// control's edge on the side it moves to.
void Label3D::placeShadow()
{
    const double w = Twips::fromPixelsX(width());
    const double h = Twips::fromPixelsY(height());
    m_lbFont.move(0, 0, w, h);
    update();
    const std::optional<QPointF> offset = shadowOffset(m_textMode, m_xDist);
    if (!offset)
        return;
    m_lbShadow.move(offset->x(), offset->y(), w, h);
}

// --- persistence -----------------------------------------------------------------

// Only the fields: the labels keep their design settings until a property is set.
void Label3D::initProperties()
{
    m_textMode = 0;
    m_xDist = 15;
    m_backStyle = 0;
    m_toolTipText = QStringLiteral("Quick-Info");
    m_focusRect = false;
    m_shadow = true;
    m_backColor = m_controlBackColor;
    m_textColor = 0;
    m_shadowColor = DefaultShadowColor;
    m_focusColor = DefaultFocusColor;
}

void Label3D::readProperties(const PropertyBag &bag)
{
    m_lbFont.enabled = bag.readProperty(QStringLiteral("EnabledL"), Variant::fromBool(true)).toBool();
    m_lbShadow.enabled = m_lbFont.enabled;
    set(QStringLiteral("Font"),
        bag.readProperty(QStringLiteral("Font"),
                         Variant::fromObject(std::make_shared<StdFont>(ambientFont()))));
    let(QStringLiteral("Shadow"), bag.readProperty(QStringLiteral("Shadow"), Variant::fromBool(true)));
    let(QStringLiteral("TextColor"), bag.readProperty(QStringLiteral("TextColor"), Variant::fromColor(0)));
    let(QStringLiteral("BackColorL"),
        bag.readProperty(QStringLiteral("BackColorL"), Variant::fromColor(m_controlBackColor)));
    let(QStringLiteral("ShadowColor"),
        bag.readProperty(QStringLiteral("ShadowColor"), Variant::fromColor(DefaultShadowColor)));
    m_focusColor =
        bag.readProperty(QStringLiteral("FocusColor"), Variant::fromColor(DefaultFocusColor)).toColor();
    let(QStringLiteral("FocusRect"), bag.readProperty(QStringLiteral("FocusRect"), Variant::fromBool(false)));
    m_textMode = bag.readProperty(QStringLiteral("TextMode"), Variant::fromInteger(0)).toInteger();
    setFontAttribute(QStringLiteral("Bold"),
                     bag.readProperty(QStringLiteral("FontBold"), Variant::fromInteger(0)));
    setFontAttribute(QStringLiteral("Italic"),
                     bag.readProperty(QStringLiteral("FontItalic"), Variant::fromInteger(0)));
    setFontAttribute(QStringLiteral("Name"), bag.readProperty(QStringLiteral("FontName"), Variant("")));
    // A bag without a size gives 0, which the font refuses; it then keeps its
    // size, so that one missing key does not fail the whole form.
    try {
        setFontAttribute(QStringLiteral("Size"),
                         bag.readProperty(QStringLiteral("FontSize"), Variant::fromInteger(0)));
    } catch (const AutomationError &) {
    }
    setFontAttribute(QStringLiteral("Strikethrough"),
                     bag.readProperty(QStringLiteral("FontStrikethru"), Variant::fromInteger(0)));
    m_lbFont.caption = bag.readProperty(QStringLiteral("Caption"), Variant("Quiv-Label")).toString();
    m_lbShadow.caption = m_lbFont.caption;
    let(QStringLiteral("ToolTipText"),
        bag.readProperty(QStringLiteral("ToolTipText"), Variant("Quick-Info")));
    let(QStringLiteral("xDist"), bag.readProperty(QStringLiteral("xDist"), Variant::fromInteger(15)));
    let(QStringLiteral("BackStyle"), bag.readProperty(QStringLiteral("BackStyle"), Variant::fromLong(0)));
}

void Label3D::writeProperties(PropertyBag &bag)
{
    const StdFont &font = *m_lbFont.font;
    const Variant zero = Variant::fromInteger(0);
    bag.writeProperty(QStringLiteral("EnabledL"), Variant::fromBool(m_lbFont.enabled),
                      Variant::fromBool(true));
    bag.writeProperty(QStringLiteral("Font"), Variant::fromObject(m_lbFont.font),
                      Variant::fromObject(std::make_shared<StdFont>(ambientFont())));
    bag.writeProperty(QStringLiteral("Shadow"), Variant::fromBool(m_shadow), Variant::fromBool(true));
    bag.writeProperty(QStringLiteral("TextColor"), Variant::fromColor(m_textColor), Variant::fromColor(0));
    // Compared with the back colour the control starts with: its current one
    // always equals the field, and the colour would never be saved.
    bag.writeProperty(QStringLiteral("BackColorL"), Variant::fromColor(m_backColor),
                      Variant::fromColor(DefaultBackColor));
    bag.writeProperty(QStringLiteral("ShadowColor"), Variant::fromColor(m_shadowColor),
                      Variant::fromColor(DefaultShadowColor));
    bag.writeProperty(QStringLiteral("FocusColor"), Variant::fromColor(m_focusColor),
                      Variant::fromColor(DefaultFocusColor));
    bag.writeProperty(QStringLiteral("FocusRect"), Variant::fromBool(m_focusRect), Variant::fromBool(false));
    bag.writeProperty(QStringLiteral("TextMode"), Variant::fromInteger(m_textMode), zero);
    bag.writeProperty(QStringLiteral("FontBold"), Variant::fromBool(font.bold), zero);
    bag.writeProperty(QStringLiteral("FontItalic"), Variant::fromBool(font.italic), zero);
    bag.writeProperty(QStringLiteral("FontName"), Variant(font.name), Variant(""));
    bag.writeProperty(QStringLiteral("FontSize"), Variant::fromSingle(static_cast<float>(font.size)), zero);
    bag.writeProperty(QStringLiteral("FontStrikethru"), Variant::fromBool(font.strikethrough), zero);
    bag.writeProperty(QStringLiteral("Caption"), Variant(m_lbFont.caption), Variant("Quiv-Label"));
    bag.writeProperty(QStringLiteral("ToolTipText"), Variant(m_toolTipText), Variant("Quick-Info"));
    bag.writeProperty(QStringLiteral("xDist"), Variant::fromInteger(m_xDist), Variant::fromInteger(15));
    bag.writeProperty(QStringLiteral("BackStyle"), Variant::fromLong(m_backStyle), Variant::fromLong(0));
}

// --- painting --------------------------------------------------------------------

double Label3D::unitsPerPixelX() const
{
    return Twips::perPixelX();
}

double Label3D::unitsPerPixelY() const
{
    return Twips::perPixelY();
}

void Label3D::fillBackground()
{
    m_surface = QImage(size(), QImage::Format_RGB32);
    if (!m_surface.isNull()) {
        const gdi::ColorRef back = gdi::oleToColorRef(m_controlBackColor);
        m_surface.fill(QColor(gdi::redOf(back), gdi::greenOf(back), gdi::blueOf(back)));
    }
    update();
}

QImage Label3D::composed() const
{
    if (size().isEmpty())
        return QImage();
    // A transparent control lets its host show through around the text.
    QImage image = m_backStyle == 0 && !m_surface.isNull() ? m_surface.convertToFormat(QImage::Format_ARGB32)
                                                           : QImage(size(), QImage::Format_ARGB32);
    if (m_backStyle != 0 || m_surface.isNull())
        image.fill(Qt::transparent);
    gdi::DeviceContext dc(&image);
    m_lbShadow.paint(dc, unitsPerPixelX(), unitsPerPixelY());
    m_lbFont.paint(dc, unitsPerPixelX(), unitsPerPixelY());
    return image;
}

void Label3D::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, composed());
}

void Label3D::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fillBackground();
    placeShadow();
}

bool Label3D::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const WindowlessLabel *label = labelAt(help->pos());
        if (label && !label->toolTip.isEmpty())
            QToolTip::showText(help->globalPos(), label->toolTip, this);
        else
            QToolTip::hideText();
        return true;
    }
    return Control::event(event);
}

// --- input -----------------------------------------------------------------------

// The text label lies in front; where it is hidden the shadow label takes the mouse.
const WindowlessLabel *Label3D::labelAt(const QPoint &pos) const
{
    if (m_lbFont.contains(pos, unitsPerPixelX(), unitsPerPixelY()))
        return &m_lbFont;
    if (m_lbShadow.contains(pos, unitsPerPixelX(), unitsPerPixelY()))
        return &m_lbShadow;
    return nullptr;
}

// The label's own arguments: the position in twips from its top-left corner.
void Label3D::raiseMouse(const QString &name, QMouseEvent *event, const WindowlessLabel &label, bool move)
{
    const QPointF pos = event->position();
    Args args = mouseEventArgs(*event, move, static_cast<float>(pos.x() * unitsPerPixelX() - label.left()),
                               static_cast<float>(pos.y() * unitsPerPixelY() - label.top()));
    raiseEvent(name, args);
}

void Label3D::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() == event->button())
        m_pressed = labelAt(event->position().toPoint());
    if (m_pressed)
        raiseMouse(QStringLiteral("MouseDown"), event, *m_pressed, false);
}

void Label3D::mouseMoveEvent(QMouseEvent *event)
{
    const WindowlessLabel *label = event->buttons() ? m_pressed : labelAt(event->position().toPoint());
    if (label)
        raiseMouse(QStringLiteral("MouseMove"), event, *label, true);
}

void Label3D::mouseReleaseEvent(QMouseEvent *event)
{
    const WindowlessLabel *label = m_pressed;
    if (!event->buttons())
        m_pressed = nullptr;
    if (!label)
        return;
    raiseMouse(QStringLiteral("MouseUp"), event, *label, false);
    if (KeyCodes::mouseButton(event->button()) != KeyCodes::LeftButton ||
        !rect().contains(event->position().toPoint()))
        return;
    raiseEvent(QStringLiteral("Click"));
    // Taking the focus may fail (a hidden or disabled control); that is no error.
    if (m_focusRect)
        setFocus(Qt::MouseFocusReason);
}

void Label3D::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_pressed = labelAt(event->position().toPoint());
    if (m_pressed && KeyCodes::mouseButton(event->button()) == KeyCodes::LeftButton)
        raiseEvent(QStringLiteral("DblClick"));
}

void Label3D::keyPressEvent(QKeyEvent *event)
{
    const int keyCode = KeyCodes::keyCode(*event);
    if (m_focusRect && keyCode != 0 && keyCode != KeyCodes::KeyReturn) {
        Args args = keyEventArgs(*event);
        raiseEvent(QStringLiteral("KeyDown"), args);
    }
    if (const int ascii = KeyCodes::keyAscii(*event)) {
        Args args{Variant::fromInteger(int16_t(ascii))};
        raiseEvent(QStringLiteral("KeyPress"), args);
    }
}

void Label3D::keyReleaseEvent(QKeyEvent *event)
{
    const int keyCode = KeyCodes::keyCode(*event);
    if (event->isAutoRepeat() || keyCode == 0 || !m_focusRect)
        return;
    if (keyCode == KeyCodes::KeyReturn) {
        raiseEvent(QStringLiteral("Click"));
        return;
    }
    Args args = keyEventArgs(*event);
    raiseEvent(QStringLiteral("KeyUp"), args);
}

void Label3D::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (m_focusRect) {
        m_lbShadow.foreColor = m_focusColor;
        update();
    }
}

void Label3D::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (m_focusRect) {
        m_lbShadow.foreColor = m_shadowColor;
        update();
    }
}

} // namespace ostrevo
