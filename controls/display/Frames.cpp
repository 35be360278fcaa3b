#include "controls/display/Frames.h"

#include "controls/display/MousePointer.h"
#include "controls/display/WindowHandle.h"
#include "controls/foundation/ControlEvents.h"
#include "controls/foundation/modquivbutton.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/KeyCodes.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

using namespace com;
using rt::KeyCodes;

namespace ostrevo
{

namespace
{

constexpr uint32_t DefaultBackColor = 0x8000000F; // button face
constexpr int32_t FlatColor = 0x914B00;
constexpr int32_t XpGrey = 0x9BA2A4;

// The DrawEdge edge code of border styles 1 to 8.
int32_t edgeOf(int32_t style)
{
    static constexpr int32_t edges[] = {10, 5, 2, 4, 8, 1, 9, 6};
    return style >= 1 && style <= 8 ? edges[style - 1] : -1;
}

// The font object's member behind one of the control's font properties.
QString fontMember(const QString &property)
{
    const QString member = property.mid(4); // Bold, Italic, Name, Size, Strikethru
    return member == QLatin1String("Strikethru") ? QStringLiteral("Strikethrough") : member;
}

// A surface of the size, all in the OLE colour; null for an empty size.
QImage cleared(QSize size, uint32_t oleColor)
{
    QImage image(size, QImage::Format_RGB32);
    if (!image.isNull())
        image.fill(gdi::oleToQColor(oleColor));
    return image;
}

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

Frames::Frames()
    : m_caption(QStringLiteral("Quiv-Frames"), std::make_shared<StdFont>()),
      m_dc(std::make_unique<gdi::DeviceContext>(&m_surface))
{
    m_caption.autoSize = true;
    m_caption.opaque = true;
    m_caption.backColor = m_backColor;
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

Frames::~Frames() = default;

void Frames::describe(Dispatcher<Frames> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Frames"), QStringLiteral("Quiv_Tools.Frames"),
                                  QStringLiteral("{4983E95D-82FC-4B6F-9A46-06B1D0FBB95B}"),
                                  QStringLiteral("{0A4775E7-85CB-4080-9F69-881BCCD8C933}"),
                                  QStringLiteral("{F49E1B36-D0BC-497A-8AC3-CAF890878D06}")));
    const VarType B = VarType::Boolean, L = VarType::Long;
    const QString oleColor = QStringLiteral("OLE_COLOR");
    // Bag order: Caption, Font, TextColor, BackColorF, BorderStyle, EnabledF,
    // MouseIcon, MousePointer, the five font attributes, Alignment, AlignmentTop.
    d.objectProperty(
         QStringLiteral("Font"), 0x68030011, QStringLiteral("StdFont"),
         [](Frames &self) { return Variant::fromObject(self.m_caption.font); },
         [](Frames &self, const Variant &v) { self.setFont(v); })
        .notifies()
        .persist({.rank = 1, .read = &com::Control::ambientFontObject});
    d.property<uint32_t>(
         QStringLiteral("TextColor"), 0x68030010, [](Frames &self) { return self.m_caption.foreColor; },
         [](Frames &self, uint32_t color) {
             self.m_caption.foreColor = color;
             self.update();
         },
         oleColor)
        .notifies()
        .persist({.rank = 2, .read = Variant::fromColor(0), .store = [](Frames &self, const Variant &v) {
                      self.m_caption.foreColor = v.toColor();
                  }});
    d.property<uint32_t>(
         QStringLiteral("BackColorF"), 0x6803000F, [](Frames &self) { return self.m_backColor; },
         [](Frames &self, uint32_t color) {
             self.setBackColor(color);
             self.placeCaption();
         },
         oleColor)
        .notifies()
        // Saved twice, the control's colour and then the caption's: the caption's stays.
        .persist({.rank = 3,
                  .read = Variant::fromColor(DefaultBackColor),
                  .store = [](Frames &self, const Variant &v) { self.setBackColor(v.toColor()); },
                  .fetch = [](Frames &self) { return Variant::fromColor(self.m_caption.backColor); }});
    const std::pair<const char *, int32_t> attributes[] = {{"FontBold", 0x6803000E},
                                                           {"FontItalic", 0x6803000D},
                                                           {"FontName", 0x6803000C},
                                                           {"FontSize", 0x6803000B},
                                                           {"FontStrikethru", 0x6803000A}};
    int rank = 8;
    for (const auto &[attribute, dispid] : attributes) {
        const QString name = QString::fromLatin1(attribute);
        const QString member = fontMember(name);
        const bool isName = member == QLatin1String("Name");
        const bool isSize = member == QLatin1String("Size");
        const VarType type = isName ? VarType::String : isSize ? VarType::Single : B;
        // Read straight into the font. A bag without a size gives 0, which the
        // font refuses; it then keeps its size, so that one missing key does
        // not fail the whole form.
        auto store = [member, isSize](Frames &self, const Variant &v) {
            if (!isSize) {
                self.m_caption.font->let(member, v);
                return;
            }
            try {
                self.m_caption.font->let(member, v);
            } catch (const AutomationError &) {
            }
        };
        d.property(
             name, dispid, type, [member](Frames &self) { return self.m_caption.font->get(member); },
             [name](Frames &self, const Variant &v) { self.setFontAttribute(name, v); })
            .notifies()
            .persist({.rank = rank++,
                      .read = isName   ? Variant("")
                              : isSize ? Variant::fromSingle(0)
                                       : Variant::fromBool(false),
                      .store = store});
    }
    d.objectProperty(
         QStringLiteral("MouseIcon"), 0x68030009, QStringLiteral("Picture"),
         [](Frames &self) { return Variant::fromObject(self.m_mouseIcon); },
         [](Frames &self, const Variant &v) { self.setMouseIcon(v); })
        .notifies()
        .persist({.rank = 6, .read = Variant::fromObject(nullptr)});
    d.property<int32_t>(
         QStringLiteral("MousePointer"), 0x68030008,
         [](Frames &self) { return int32_t(self.m_mousePointer); },
         [](Frames &self, int32_t pointer) { self.setMousePointer(pointer); },
         QStringLiteral("fMousePointerConst"))
        .notifies()
        .persist({.rank = 7, .read = Variant::fromLong(0), .store = [](Frames &self, const Variant &v) {
                      self.setMousePointer(v.toLong());
                  }});
    d.property<int32_t>(
         QStringLiteral("BorderStyle"), 0x68030007, [](Frames &self) { return self.m_borderStyle; },
         [](Frames &self, int32_t style) { self.setBorderStyle(style); }, QStringLiteral("BoStyle"))
        .notifies()
        .persist({.rank = 4, .read = Variant::fromLong(8)});
    d.property<int32_t>(
         QStringLiteral("Alignment"), 0x68030006, [](Frames &self) { return self.m_alignment; },
         [](Frames &self, int32_t alignment) {
             self.m_alignment = alignment;
             self.placeCaption();
         },
         QStringLiteral("BoAli"))
        .notifies()
        .persist({.rank = 13, .read = Variant::fromLong(fLeft)});
    d.property<int32_t>(
         QStringLiteral("AlignmentTop"), 0x68030005, [](Frames &self) { return self.m_alignmentTop; },
         [](Frames &self, int32_t alignment) {
             self.m_alignmentTop = alignment;
             self.placeCaption();
         },
         QStringLiteral("BoAl"))
        .notifies()
        .persist({.rank = 14, .read = Variant::fromLong(fStandard)});
    d.property<bool>(
         QStringLiteral("EnabledF"), 0x68030004, [](Frames &self) { return self.ownEnabled(); },
         [](Frames &self, bool enabled) { self.setEnabled(enabled); })
        .notifies()
        .persist({.rank = 5, .read = Variant::fromBool(true), .store = [](Frames &self, const Variant &v) {
                      self.setEnabled(v.toBool());
                  }});
    d.readOnly(QStringLiteral("HasDC"), 0x68030003, B, [](Frames &) { return Variant::fromBool(true); });
    d.readOnly(QStringLiteral("HDC"), 0x68030002, L,
               [](Frames &self) { return Variant::fromLong(static_cast<int32_t>(self.m_dc->handle())); });
    d.readOnly(QStringLiteral("hwnd"), 0x68030001, L,
               [](Frames &self) { return Variant::fromLong(hwndOf(self)); });
    d.property<QString>(
         QStringLiteral("Caption"), 0x68030000, [](Frames &self) { return self.m_caption.caption; },
         [](Frames &self, const QString &caption) { self.setCaption(caption); })
        .notifies()
        // The stored caption already carries its spaces.
        .persist({.rank = 0, .read = "Quiv-Frame", .store = [](Frames &self, const Variant &v) {
                      self.m_caption.caption = v.toString();
                      if (self.m_caption.caption.isEmpty())
                          self.m_caption.visible = false;
                  }});

    d.event(QStringLiteral("Click"), 1);
    d.event(QStringLiteral("DblClick"), 2);
    d.event(QStringLiteral("MouseDown"), 3, mouseEventParams());
    d.event(QStringLiteral("MouseMove"), 4, mouseEventParams());
    d.event(QStringLiteral("MouseUp"), 5, mouseEventParams());
    d.event(QStringLiteral("KeyDown"), 6, keyEventParams());
    d.event(QStringLiteral("KeyPress"), 7, keyPressParams());
    d.event(QStringLiteral("KeyUp"), 8, keyEventParams());
    d.event(QStringLiteral("Focus"), 9, {{QStringLiteral("bFocus"), B, true}});

    d.enumeration(QStringLiteral("BoStyle"), {{QStringLiteral("Off_Frame"), 0},
                                              {QStringLiteral("Standard_Down"), 1},
                                              {QStringLiteral("Standard_Up"), 2},
                                              {QStringLiteral("Bright_Down"), 3},
                                              {QStringLiteral("Bright_Up"), 4},
                                              {QStringLiteral("Dark_Down"), 5},
                                              {QStringLiteral("Dark_UP"), 6},
                                              {QStringLiteral("Dark_Frame"), 7},
                                              {QStringLiteral("Standard_Frame"), 8},
                                              {QStringLiteral("Flat_Frame"), 9},
                                              {QStringLiteral("XP_Frame"), 10}});
    d.enumeration(
        QStringLiteral("BoAli"),
        {{QStringLiteral("fLeft"), 0}, {QStringLiteral("fCenter"), 1}, {QStringLiteral("fRight"), 2}});
    d.enumeration(QStringLiteral("BoAl"), {{QStringLiteral("fStandard"), 0},
                                           {QStringLiteral("fUnderBorder"), 1},
                                           {QStringLiteral("fOverBorder"), 2}});
    d.enumeration(QStringLiteral("fMousePointerConst"),
                  mousePointerConstants(QStringLiteral("f"), QStringLiteral("fMouseIcon")));
}

// --- properties ------------------------------------------------------------------

// Neither re-places the caption nor repaints the border: with a centred or
// right caption the label keeps its left until the next re-placement.
void Frames::setCaption(const QString &value)
{
    if (!value.isEmpty()) {
        m_caption.visible = true;
        m_caption.caption = QLatin1Char(' ') + value + QLatin1Char(' ');
    } else {
        m_caption.caption.clear();
        m_caption.visible = false;
    }
    update();
}

void Frames::setFont(const Variant &font)
{
    m_caption.font = StdFont::fromVariant(font);
    placeCaption();
}

void Frames::setBackColor(uint32_t color)
{
    m_backColor = color;
    m_caption.backColor = color;
}

void Frames::setMouseIcon(const Variant &picture)
{
    m_mouseIcon = StdPicture::fromPictureOrNothing(picture);
    m_mousePointer = MouseIconPointer;
    applyMousePointer(*this, m_mousePointer, m_mouseIcon);
}

void Frames::setMousePointer(int32_t pointer)
{
    m_mousePointer = checkedMousePointer(pointer);
    applyMousePointer(*this, m_mousePointer, m_mouseIcon);
}

// Styles outside the table are kept but draw with the previous edge code.
void Frames::setBorderStyle(int32_t style)
{
    m_borderStyle = style;
    if (const int32_t edge = edgeOf(style); edge >= 0)
        m_edge = edge;
    drawFrame();
}

void Frames::setFontAttribute(const QString &attribute, const Variant &value)
{
    m_caption.font->let(fontMember(attribute), value);
    update();
}

bool Frames::ownEnabled() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

// --- persistence -----------------------------------------------------------------

void Frames::initProperties()
{
    m_borderStyle = 8;
    m_alignment = fLeft;
    m_alignmentTop = fStandard;
}

void Frames::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
}

void Frames::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

// --- placing and painting --------------------------------------------------------

gdi::Rect Frames::borderRect(int labelHeight, int32_t alignmentTop, int scaleWidth, int scaleHeight)
{
    double top = 0;
    switch (alignmentTop) {
    case fStandard:
        top = labelHeight / 2.0;
        break;
    case fUnderBorder:
        top = 0;
        break;
    case fOverBorder:
        top = labelHeight;
        break;
    default:
        top = 0;
        break;
    }
    return {0, roundHalfEven(top), scaleWidth, scaleHeight};
}

double Frames::captionLeft(int32_t alignment, int scaleWidth, double labelWidth)
{
    if (alignment == fLeft)
        return 7;
    if (alignment == fCenter)
        return scaleWidth / 2.0 - labelWidth / 2;
    return scaleWidth - labelWidth - 7;
}

// The Resize handler: places the caption and repaints the border.
void Frames::placeCaption()
{
    const double top = m_alignmentTop == fUnderBorder ? 2 : 0;
    m_caption.move(captionLeft(m_alignment, width(), m_caption.width()), top);
    drawFrame();
}

void Frames::drawFrame()
{
    m_surface = cleared(size(), m_backColor);
    update();
    if (m_surface.isNull())
        return;
    gdi::Rect r = borderRect(m_caption.textSize().height(), m_alignmentTop, width(), height());
    gdi::Handle hdc = m_dc->handle();
    int32_t penStyle = 0, penWidth = 1;
    switch (m_borderStyle) {
    case XP_Frame: {
        int32_t flag = 1, c1 = XpGrey, c2 = XpGrey, c3 = static_cast<int32_t>(m_backColor), c4 = XpGrey,
                c5 = XpGrey, c6 = XpGrey, trailing1 = 0, trailing2 = 1;
        modquivbutton::DrawBorder3D(hdc, r, flag, c1, c2, c3, c4, c5, c6, penStyle, penWidth, trailing1,
                                    trailing2);
        break;
    }
    case Flat_Frame: {
        int32_t look = 1, c1 = FlatColor, c2 = FlatColor, c3 = 0, c4 = 0, c5 = 0, c6 = 0;
        modquivbutton::DrawButtonBorder(hdc, r, look, c1, c2, c3, c4, c5, c6, penStyle, penWidth);
        break;
    }
    case Off_Frame: {
        int32_t flag = 0, c1 = 0, c2 = 0, c3 = 0, c4 = 0, c5 = 0, c6 = 0, trailing1 = 0, trailing2 = 1;
        modquivbutton::DrawBorder3D(hdc, r, flag, c1, c2, c3, c4, c5, c6, penStyle, penWidth, trailing1,
                                    trailing2);
        break;
    }
    default:
        m_dc->drawEdge(r, static_cast<unsigned>(m_edge), gdi::BfRect);
        break;
    }
}

QImage Frames::composed() const
{
    QImage image = m_surface;
    if (image.isNull()) {
        if (size().isEmpty())
            return image;
        image = cleared(size(), m_backColor); // not painted yet
    }
    gdi::DeviceContext dc(&image);
    m_caption.paint(dc);
    return image;
}

void Frames::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, composed());
}

void Frames::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeCaption();
}

// --- input -----------------------------------------------------------------------

bool Frames::overCaption(const QPoint &pos) const
{
    return m_caption.contains(pos);
}

void Frames::raiseMouse(const QString &name, QMouseEvent *event, bool move)
{
    const QPointF pos = event->position();
    Args args = mouseEventArgs(*event, move, static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    raiseEvent(name, args);
}

// The caption label takes the mouse where it lies, and its events are not
// handled: the frame raises nothing for them.
void Frames::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() == event->button())
        m_pressOnCaption = overCaption(event->position().toPoint());
    if (!m_pressOnCaption)
        raiseMouse(QStringLiteral("MouseDown"), event, false);
}

void Frames::mouseMoveEvent(QMouseEvent *event)
{
    const bool onCaption = event->buttons() ? m_pressOnCaption : overCaption(event->position().toPoint());
    if (!onCaption)
        raiseMouse(QStringLiteral("MouseMove"), event, true);
}

void Frames::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressOnCaption)
        return;
    raiseMouse(QStringLiteral("MouseUp"), event, false);
    if (KeyCodes::mouseButton(event->button()) == KeyCodes::LeftButton &&
        rect().contains(event->position().toPoint()))
        raiseEvent(QStringLiteral("Click"));
}

void Frames::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_pressOnCaption = overCaption(event->position().toPoint());
    if (!m_pressOnCaption && KeyCodes::mouseButton(event->button()) == KeyCodes::LeftButton)
        raiseEvent(QStringLiteral("DblClick"));
}

void Frames::keyPressEvent(QKeyEvent *event)
{
    if (const int keyCode = KeyCodes::keyCode(*event)) {
        Args args = keyEventArgs(*event);
        raiseEvent(QStringLiteral("KeyDown"), args);
    }
    if (const int ascii = KeyCodes::keyAscii(*event)) {
        Args args{Variant::fromInteger(int16_t(ascii))};
        raiseEvent(QStringLiteral("KeyPress"), args);
    }
}

void Frames::keyReleaseEvent(QKeyEvent *event)
{
    // A held key repeats its KeyDown only.
    const int keyCode = KeyCodes::keyCode(*event);
    if (event->isAutoRepeat() || keyCode == 0)
        return;
    Args args = keyEventArgs(*event);
    raiseEvent(QStringLiteral("KeyUp"), args);
}

void Frames::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    Args args{Variant::fromBool(true)};
    raiseEvent(QStringLiteral("Focus"), args);
}

void Frames::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    Args args{Variant::fromBool(false)};
    raiseEvent(QStringLiteral("Focus"), args);
}

} // namespace ostrevo
