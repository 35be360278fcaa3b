#include "controls/display/Label3D.h"

#include "controls/display/WindowHandle.h"
#include "controls/foundation/ControlEvents.h"
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

QStringList Label3D::propertyPages()
{
    return {QStringLiteral("TextMode"), QStringLiteral("StandardFont"), QStringLiteral("StandardColor"),
            QStringLiteral("Info")};
}

void Label3D::describe(Dispatcher<Label3D> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Label3D"), QStringLiteral("Quiv_Tools.Label3D"),
                                  QStringLiteral("{1B5E9248-A195-493A-87B8-EE60018647E8}"),
                                  QStringLiteral("{D5D00284-C187-412E-8DFF-9BAF5EBB4BAE}"),
                                  QStringLiteral("{BC37D2AF-A5A2-4C5F-B3AA-0645C9DA6488}")));
    d.propertyPages(propertyPages());
    const VarType B = VarType::Boolean, L = VarType::Long, S = VarType::String;
    const QString oleColor = QStringLiteral("OLE_COLOR");
    // Bag order: EnabledL, Font, Shadow, TextColor, BackColorL, ShadowColor,
    // FocusColor, FocusRect, TextMode, the five font attributes, Caption,
    // ToolTipText, xDist, BackStyle.

    d.method(QStringLiteral("ShowAboutBox"), 0x60030015, VarType::Empty, {}, [](Label3D &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    d.property<bool>(
         QStringLiteral("FocusRect"), 0x68030014, [](Label3D &self) { return self.m_focusRect; },
         [](Label3D &self, bool on) { self.m_focusRect = on; })
        .notifies()
        .persist({.rank = 7, .read = Variant::fromBool(false)});
    d.property<bool>(
         QStringLiteral("EnabledL"), 0x68030013, [](Label3D &self) { return self.m_lbFont.enabled; },
         [](Label3D &self, bool enabled) { self.setEnabledL(enabled); })
        .notifies()
        .persist({.rank = 0, .read = Variant::fromBool(true), .store = [](Label3D &self, const Variant &v) {
                      self.m_lbFont.enabled = v.toBool();
                      self.m_lbShadow.enabled = self.m_lbFont.enabled;
                  }});
    d.property<bool>(
         QStringLiteral("Shadow"), 0x68030012, [](Label3D &self) { return self.m_shadow; },
         [](Label3D &self, bool on) { self.setShadow(on); })
        .notifies()
        .persist({.rank = 2, .read = Variant::fromBool(true)});
    d.objectProperty(
         QStringLiteral("Font"), 0x68030011, QStringLiteral("StdFont"),
         [](Label3D &self) { return Variant::fromObject(self.m_lbFont.font); },
         [](Label3D &self, const Variant &v) { self.setFont(v); })
        .notifies()
        .persist({.rank = 1, .read = &com::Control::ambientFontObject});
    d.method(QStringLiteral("Refresh"), 0x60030025, VarType::Empty, {}, [](Label3D &self, Args &) {
        self.repaint();
        return Variant();
    });
    d.property<uint32_t>(
         QStringLiteral("FocusColor"), 0x68030010, [](Label3D &self) { return self.m_focusColor; },
         [](Label3D &self, uint32_t color) { self.m_focusColor = color; }, oleColor)
        .notifies()
        .persist({.rank = 6,
                  .read = Variant::fromColor(DefaultFocusColor),
                  .store = [](Label3D &self, const Variant &v) { self.m_focusColor = v.toColor(); }});
    // The caption shows the focus colour while focused; the bag keeps the text colour.
    d.property<uint32_t>(
         QStringLiteral("TextColor"), 0x6803000F, [](Label3D &self) { return self.m_lbFont.foreColor; },
         [](Label3D &self, uint32_t color) {
             self.m_textColor = color;
             self.m_lbFont.foreColor = self.m_textColor;
             self.update();
         },
         oleColor)
        .notifies()
        .persist({.rank = 3, .read = Variant::fromColor(0), .fetch = [](Label3D &self) {
                      return Variant::fromColor(self.m_textColor);
                  }});
    // Tells the host itself: while the background is transparent the let does nothing at all.
    // Saved against the colour a new control starts with: the current one always
    // equals the field, and the colour would never be saved.
    d.property<uint32_t>(
         QStringLiteral("BackColorL"), 0x6803000E, [](Label3D &self) { return self.m_backColor; },
         [](Label3D &self, uint32_t color) { self.setBackColorL(color); }, oleColor)
        .persist({.rank = 4,
                  .read = [](Label3D &self) { return Variant::fromColor(self.m_controlBackColor); },
                  .write = Variant::fromColor(DefaultBackColor)});
    d.property<uint32_t>(
         QStringLiteral("ShadowColor"), 0x6803000D, [](Label3D &self) { return self.m_lbShadow.foreColor; },
         [](Label3D &self, uint32_t color) {
             self.m_lbShadow.foreColor = color;
             self.m_shadowColor = self.m_lbShadow.foreColor;
             self.update();
         },
         oleColor)
        .notifies()
        .persist({.rank = 5, .read = Variant::fromColor(DefaultShadowColor), .fetch = [](Label3D &self) {
                      return Variant::fromColor(self.m_shadowColor);
                  }});
    d.property<int16_t>(
         QStringLiteral("TextMode"), 0x6803000C, [](Label3D &self) { return self.m_textMode; },
         [](Label3D &self, int16_t mode) {
             self.m_textMode = mode;
             self.placeShadow();
         })
        .notifies()
        .persist({.rank = 8, .read = Variant::fromInteger(0), .store = [](Label3D &self, const Variant &v) {
                      self.m_textMode = v.toInteger();
                  }});
    const std::tuple<const char *, int32_t, const char *, VarType> attributes[] = {
        {"FontBold", 0x6803000B, "Bold", B},
        {"FontItalic", 0x6803000A, "Italic", B},
        {"FontName", 0x68030009, "Name", S},
        {"FontSize", 0x68030008, "Size", VarType::Single},
        {"FontStrikethru", 0x68030007, "Strikethrough", B}};
    int rank = 9;
    for (const auto &[property, dispid, fontMember, type] : attributes) {
        const QString name = QString::fromLatin1(property);
        const QString member = QString::fromLatin1(fontMember);
        const bool isSize = member == QLatin1String("Size");
        // A bag without a size gives 0, which the font refuses; it then keeps
        // its size, so that one missing key does not fail the whole form.
        auto store = [member, isSize](Label3D &self, const Variant &v) {
            if (!isSize) {
                self.setFontAttribute(member, v);
                return;
            }
            try {
                self.setFontAttribute(member, v);
            } catch (const AutomationError &) {
            }
        };
        d.property(
             name, dispid, type, [member](Label3D &self) { return self.m_lbFont.font->get(member); },
             [member](Label3D &self, const Variant &v) { self.setFontAttribute(member, v); })
            .notifies()
            .persist(
                {.rank = rank++, .read = type == S ? Variant("") : Variant::fromInteger(0), .store = store});
    }
    d.readOnly(QStringLiteral("HDC"), 0x68030006, L,
               [](Label3D &self) { return Variant::fromLong(static_cast<int32_t>(self.m_dc->handle())); });
    d.readOnly(QStringLiteral("hwnd"), 0x68030005, L,
               [](Label3D &self) { return Variant::fromLong(hwndOf(self)); });
    d.readOnly(QStringLiteral("HasDC"), 0x68030004, B, [](Label3D &) { return Variant::fromBool(true); });
    d.property<QString>(
         QStringLiteral("ToolTipText"), 0x68030003, [](Label3D &self) { return self.m_toolTipText; },
         [](Label3D &self, const QString &text) {
             self.m_toolTipText = text;
             self.m_lbFont.toolTip = self.m_toolTipText;
         })
        .notifies()
        .persist({.rank = 15, .read = "Quick-Info"});
    d.property<QString>(
         QStringLiteral("Caption"), 0x68030002, [](Label3D &self) { return self.m_lbFont.caption; },
         [](Label3D &self, const QString &caption) {
             self.m_lbFont.caption = caption;
             self.m_lbShadow.caption = self.m_lbFont.caption;
             self.update();
         })
        .notifies()
        .persist({.rank = 14, .read = "Quiv-Label", .store = [](Label3D &self, const Variant &v) {
                      self.m_lbFont.caption = v.toString();
                      self.m_lbShadow.caption = self.m_lbFont.caption;
                  }});
    d.property<int32_t>(
         QStringLiteral("BackStyle"), 0x68030001, [](Label3D &self) { return self.m_backStyle; },
         [](Label3D &self, int32_t style) { self.setBackStyle(style); }, QStringLiteral("EnumBack"))
        .notifies()
        .persist({.rank = 17, .read = Variant::fromLong(0)});
    d.property<int16_t>(
         QStringLiteral("xDist"), 0x68030000, [](Label3D &self) { return self.m_xDist; },
         [](Label3D &self, int16_t distance) {
             self.m_xDist = distance;
             self.placeShadow();
         })
        .notifies()
        .persist({.rank = 16, .read = Variant::fromInteger(15)});

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
    const std::shared_ptr<StdFont> shared = StdFont::fromVariant(font);
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
    readDeclared(bag);
}

void Label3D::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
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
        m_surface.fill(gdi::oleToQColor(m_controlBackColor));
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
