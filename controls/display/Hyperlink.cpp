#include "controls/display/Hyperlink.h"

#include "controls/display/MousePointer.h"
#include "controls/foundation/ControlEvents.h"
#include "controls/foundation/ResData.h"
#include "controls/foundation/frmAbout.h"
#include "controls/foundation/modquivbutton.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Timer.h"
#include "platform/runtime/Twips.h"
#include "platform/shell/OpenAddress.h"
#include "platform/sound/SoundFlags.h"
#include "platform/sound/SoundOutput.h"

#include <QDir>
#include <QHelpEvent>
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

constexpr uint32_t DefaultBackColor = 0x8000000F; // button face
constexpr uint32_t DesignLinkColor = 0xFF0000;    // Label1's colour until the first poll
constexpr uint32_t DefaultLinkColor = 0xFF0000;
constexpr uint32_t DefaultHoverColor = 0xFFFF80;
constexpr uint32_t DefaultActiveColor = 255;
constexpr uint32_t DefaultVisitedColor = 0x800080;
constexpr double LabelLeft = 10; // twips
constexpr double AutoSizeMargin = 20;
constexpr int PollInterval = 50;
constexpr int ShowNormal = 1;
const QString DefaultCaption = QStringLiteral("Hyperlink");
const QString DefaultToolTip = QStringLiteral("ToolTipText");

// A pointing hand, '#' outline and 'o' fill, drawn into a 32 x 32 icon.
constexpr const char *HandShape[] = {
    ".....##.........", "....#oo#........", "....#oo#........", "....#oo#........", "....#oo#........",
    "....#oo###......", "....#oo#oo###...", "....#oo#oo#oo##.", ".##.#oo#oo#oo#o#", "#oo##oooooooo#o#",
    "#ooo#oooooooooo#", ".#oooooooooooo#.", "..#ooooooooooo#.", "..#oooooooooo#..", "...#ooooooooo#..",
    "...#oooooooo#...", "....#ooooooo#...", "....#ooooooo#...", "....#########...",
};

// The first hand points with the right hand in white, the second with the
// left in silver: two colours of the 16-colour palette on a transparent ground.
std::shared_ptr<StdPicture> handIcon(bool mirrored, QRgb fill)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    constexpr int shapeWidth = 16;
    int y = 6;
    for (const char *row : HandShape) {
        for (int x = 0; x < shapeWidth; ++x) {
            const char c = row[x];
            if (c == '.')
                continue;
            const int column = mirrored ? 8 + shapeWidth - 1 - x : 8 + x;
            image.setPixel(column, y, c == '#' ? qRgb(0, 0, 0) : fill);
        }
        ++y;
    }
    return std::make_shared<StdPicture>(gdi::Picture(image, gdi::Picture::Icon));
}

} // namespace

// The control's Initialize: the colours it starts with (the hover colour
// differs from a newly placed control's) and the link centred vertically.
Hyperlink::Hyperlink()
    : m_label1(DefaultCaption, std::make_shared<StdFont>()), m_linkColor(DefaultLinkColor),
      m_dc(std::make_unique<gdi::DeviceContext>(&m_surface))
{
    m_label1.autoSize = true;
    m_label1.foreColor = DesignLinkColor;
    m_label1.move(LabelLeft, 10);
    m_hands[0] = handIcon(false, qRgb(255, 255, 255));
    m_hands[1] = handIcon(true, qRgb(192, 192, 192));

    m_timer = new rt::Timer(this);
    m_timer->setInterval(PollInterval);
    m_timer->setTickHandler([this] { timer_Timer(); });

    // No site yet: the lets' change notices would go nowhere, so the fields are set directly.
    m_linkColor = DefaultLinkColor;
    m_hoverColor = 0xFFFF00;
    m_activeColor = DefaultActiveColor;
    m_visitedColor = DefaultVisitedColor;

    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    centreLabel();
}

Hyperlink::~Hyperlink() = default;

const std::shared_ptr<StdPicture> &Hyperlink::handCursor(int32_t symbol) const
{
    return m_hands[symbol == lHand_NC ? 1 : 0];
}

void Hyperlink::describe(Dispatcher<Hyperlink> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Hyperlink"), QStringLiteral("Quiv_Tools.Hyperlink"),
                                  QStringLiteral("{6F0C2A71-3B8E-4D52-9A17-5E2C84B1D0F3}"),
                                  QStringLiteral("{A3D94E26-71C5-4B0A-8E63-2F9B15C7D480}"),
                                  QStringLiteral("{C85B1F03-9E24-4A7D-B6C1-70D3E82A5F19}")));
    const VarType B = VarType::Boolean, I = VarType::Integer;
    const QString oleColor = QStringLiteral("OLE_COLOR");
    // Every let and set ends by telling the host which property changed.
    // Bag: read in one order and written in another; "Picture" and
    // "ForeColor" are keys of their own, and the link colour is read first
    // into the label, as the label's colour and the stored link colour.
    // The four colours the label takes in turn: stored only, the label takes
    // them at its next change of state.
    auto colour = [&](const QString &name, int32_t dispid, uint32_t Hyperlink::*field, uint32_t byDefault,
                      int rank, int writeRank, bool intoLabel = false) {
        d.property<uint32_t>(
             name, dispid, [field](Hyperlink &self) { return self.*field; },
             [field](Hyperlink &self, uint32_t color) { self.*field = color; }, oleColor)
            .notifies()
            .persist({.rank = rank,
                      .read = Variant::fromColor(byDefault),
                      .store =
                          [field, intoLabel](Hyperlink &self, const Variant &v) {
                              if (intoLabel)
                                  self.setLinkColour(v.toColor());
                              self.*field = v.toColor();
                          },
                      .writeRank = writeRank});
    };

    d.method(QStringLiteral("ShowAboutBox"), -552, VarType::Empty, {}, [](Hyperlink &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    d.objectProperty(
         QStringLiteral("Font"), -512, QStringLiteral("StdFont"),
         [](Hyperlink &self) { return Variant::fromObject(self.m_label1.font); },
         [](Hyperlink &self, const Variant &v) { self.setFont(v); })
        .notifies()
        .persist({.rank = 0,
                  .read = &com::Control::ambientFontObject,
                  .store = [](Hyperlink &self, const Variant &v) { self.setFont(v); }});
    d.property<QString>(
         QStringLiteral("Caption"), 0x68030011, [](Hyperlink &self) { return self.m_label1.caption; },
         [](Hyperlink &self, const QString &value) { self.setCaption(value); })
        .notifies()
        .persist({.rank = 1, .read = Variant(DefaultCaption), .store = [](Hyperlink &self, const Variant &v) {
                      self.setCaption(v.toString());
                  }});
    d.property(
         QStringLiteral("FontUnderline"), 0x68030010, B,
         [](Hyperlink &self) { return Variant::fromBool(self.m_label1.font->underline); },
         [](Hyperlink &self, const Variant &v) {
             self.m_label1.font->let(QStringLiteral("Underline"), v);
             self.update();
         })
        .notifies()
        .persist(
            {.rank = 2, .read = Variant::fromBool(false), .store = [](Hyperlink &self, const Variant &v) {
                 self.m_label1.font->let(QStringLiteral("Underline"), v);
             }});
    d.property(
         QStringLiteral("FontSize"), 0x6803000F, VarType::Single,
         [](Hyperlink &self) { return self.m_label1.font->get(QStringLiteral("Size")); },
         [](Hyperlink &self, const Variant &v) {
             self.m_label1.font->let(QStringLiteral("Size"), v);
             self.update();
         })
        .notifies()
        .persist({.rank = 3,
                  .read = Variant::fromSingle(8.25f),
                  .write = Variant::fromSingle(0),
                  .store = [](Hyperlink &self, const Variant &v) {
                      self.m_label1.font->let(QStringLiteral("Size"), v);
                  }});
    d.bagKey(QStringLiteral("Picture"),
             {.rank = 4,
              .read = Variant::fromObject(nullptr),
              .store = [](Hyperlink &self, const Variant &v) { self.m_picture = StdPicture::from(v); },
              .fetch = [](Hyperlink &self) { return Variant::fromObject(self.m_picture); }});
    // Written for the designer's sake, never read back.
    d.bagKey(QStringLiteral("ForeColor"),
             {.rank = 100,
              .read = Variant::fromColor(DesignLinkColor),
              .store = [](Hyperlink &, const Variant &) {},
              .fetch = [](Hyperlink &self) { return Variant::fromColor(self.m_label1.foreColor); },
              .writeRank = 6});
    d.property(
         QStringLiteral("Style"), 0x6803000E, I,
         [](Hyperlink &self) { return Variant::fromInteger(static_cast<int16_t>(self.m_backStyle)); },
         [](Hyperlink &self, const Variant &v) { self.setBackStyle(v.toLong()); })
        .notifies()
        .persist({.rank = 5, .read = Variant::fromInteger(1), .store = [](Hyperlink &self, const Variant &v) {
                      self.setBackStyle(v.toLong());
                  }});
    d.objectProperty(
         QStringLiteral("MouseIcon"), 0x6803000D, QStringLiteral("Picture"),
         [](Hyperlink &self) { return Variant::fromObject(self.m_mouseIcon); },
         [](Hyperlink &self, const Variant &v) { self.setMouseIcon(v); })
        .notifies()
        .persist({.rank = 17, .read = Variant::fromObject(nullptr), .writeRank = 18});
    d.property<int32_t>(
         QStringLiteral("MousePointer"), 0x6803000C, [](Hyperlink &self) { return self.m_mousePointer; },
         [](Hyperlink &self, int32_t value) { self.setMousePointer(value); },
         QStringLiteral("hMousePointerConst"))
        .notifies()
        .persist({.rank = 18,
                  .read = Variant::fromInteger(0),
                  .store = [](Hyperlink &self, const Variant &v) { self.setMousePointer(v.toLong()); },
                  .fetch =
                      [](Hyperlink &self) {
                          return Variant::fromInteger(static_cast<int16_t>(self.m_mousePointer));
                      },
                  .writeRank = 19});
    d.property<int32_t>(
         QStringLiteral("MouseSymbol"), 0x6803000B, [](Hyperlink &self) { return self.m_mouseSymbol; },
         [](Hyperlink &self, int32_t value) { self.setMouseSymbol(value); }, QStringLiteral("MouSymbol"))
        .notifies()
        .persist({.rank = 19,
                  .read = Variant::fromLong(lOff),
                  .store = [](Hyperlink &self, const Variant &v) { self.m_mouseSymbol = v.toLong(); },
                  .writeRank = 20});
    d.property<QString>(
         QStringLiteral("ToolTipTxt"), 0x6803000A, [](Hyperlink &self) { return self.m_toolTipTxt; },
         [](Hyperlink &self, const QString &value) {
             self.m_toolTipTxt = value;
             self.m_label1.toolTip = self.m_toolTipTxt;
         })
        .notifies()
        .persist({.rank = 16,
                  .read = Variant(DefaultToolTip),
                  .store = [](Hyperlink &self, const Variant &v) { self.m_toolTipTxt = v.toString(); },
                  .writeRank = 17});
    d.method(QStringLiteral("Refresh"), 0x6003001D, VarType::Empty, {}, [](Hyperlink &self, Args &) {
        self.refresh();
        return Variant();
    });
    d.property<bool>(
         QStringLiteral("Clicked"), 0x68030009, [](Hyperlink &self) { return self.m_clicked; },
         [](Hyperlink &self, bool value) { self.setClicked(value); })
        .notifies()
        .persist({.rank = 7,
                  .read = Variant::fromBool(false),
                  .store = [](Hyperlink &self, const Variant &v) { self.m_clicked = v.toBool(); }});
    d.property<QString>(
         QStringLiteral("Url"), 0x68030008, [](Hyperlink &self) { return self.m_url; },
         [](Hyperlink &self, const QString &value) { self.m_url = value; })
        .notifies()
        .persist({.rank = 8, .read = "", .store = [](Hyperlink &self, const Variant &v) {
                      self.m_url = v.toString();
                  }});
    d.property<uint32_t>(
         QStringLiteral("BackColorH"), 0x68030007, [](Hyperlink &self) { return self.m_backColorH; },
         [](Hyperlink &self, uint32_t value) { self.setBackColorH(value); }, oleColor)
        .notifies()
        .persist({.rank = 9, .read = Variant::fromColor(DefaultBackColor)});
    colour(QStringLiteral("LinkColor"), 0x68030006, &Hyperlink::m_linkColor, DefaultLinkColor, 6, 10, true);
    colour(QStringLiteral("HoverColor"), 0x68030005, &Hyperlink::m_hoverColor, DefaultHoverColor, 10, 11);
    colour(QStringLiteral("ActiveColor"), 0x68030004, &Hyperlink::m_activeColor, DefaultActiveColor, 11, 12);
    colour(QStringLiteral("VisitedColor"), 0x68030003, &Hyperlink::m_visitedColor, DefaultVisitedColor, 12,
           13);
    d.property(
         QStringLiteral("BorderStyle"), 0x68030002, I,
         [](Hyperlink &self) { return Variant::fromInteger(static_cast<int16_t>(self.m_borderStyle)); },
         [](Hyperlink &self, const Variant &v) { self.setBorderStyle(v.toLong()); })
        .notifies()
        .persist({.rank = 13,
                  .read = Variant::fromInteger(0),
                  .store = [](Hyperlink &self, const Variant &v) { self.setBorderStyle(v.toLong()); },
                  .writeRank = 14});
    d.property(
         QStringLiteral("Alignment"), 0x68030001, I,
         [](Hyperlink &self) { return Variant::fromInteger(static_cast<int16_t>(self.m_alignment)); },
         [](Hyperlink &self, const Variant &v) { self.setAlignment(v.toLong()); })
        .notifies()
        .persist({.rank = 14,
                  .read = Variant::fromInteger(0),
                  .store = [](Hyperlink &self, const Variant &v) { self.setAlignment(v.toLong()); },
                  .writeRank = 15});
    d.property<bool>(
         QStringLiteral("AutoSizeH"), 0x68030000, [](Hyperlink &self) { return self.m_autoSizeH; },
         [](Hyperlink &self, bool value) { self.m_autoSizeH = value; })
        .notifies()
        .persist({.rank = 15,
                  .read = Variant::fromBool(true),
                  .store = [](Hyperlink &self, const Variant &v) { self.m_autoSizeH = v.toBool(); },
                  .writeRank = 16});
    d.method(QStringLiteral("PlaySound"), 0x60030026, VarType::Empty,
             {{QStringLiteral("ResourceId"), I, true}}, [](Hyperlink &self, Args &args) {
                 self.playSound(args[0].toInteger());
                 return Variant();
             });
    d.method(QStringLiteral("EndPlaySound"), 0x60030027, VarType::Empty, {}, [](Hyperlink &self, Args &) {
        self.endPlaySound();
        return Variant();
    });

    d.event(QStringLiteral("Hover"), 1, mouseEventParams());
    d.event(QStringLiteral("Click"), 2);

    d.enumeration(QStringLiteral("MouSymbol"), {{QStringLiteral("lOff"), lOff},
                                                {QStringLiteral("lHand_IE"), lHand_IE},
                                                {QStringLiteral("lHand_NC"), lHand_NC}});
    d.enumeration(QStringLiteral("hMousePointerConst"),
                  mousePointerConstants(QStringLiteral("h"), QStringLiteral("hMouseIcon")));
}

// --- properties ------------------------------------------------------------------

// The label's change of text: with AutoSizeH the control wraps the text with
// 20 twips to spare each way.
void Hyperlink::setCaption(const QString &text)
{
    m_label1.caption = text;
    update();
    if (!m_autoSizeH)
        return;
    const double w = m_label1.width() * Twips::perPixelX() + AutoSizeMargin;
    const double h = m_label1.height() * Twips::perPixelY() + AutoSizeMargin;
    resize(Twips::toPixelsX(w), Twips::toPixelsY(h));
    centreLabel(); // a hidden control hears of its new size only when shown
}

void Hyperlink::setFont(const Variant &font)
{
    m_label1.font = StdFont::fromVariant(font);
    update();
}

void Hyperlink::setMouseIcon(const Variant &picture)
{
    m_mouseIcon = StdPicture::fromPictureOrNothing(picture);
    showPointer(m_pointerOnLabel);
}

void Hyperlink::setMousePointer(int32_t pointer)
{
    m_mousePointer = checkedMousePointer(pointer); // the label refuses it
    showPointer(m_pointerOnLabel);
}

void Hyperlink::setMouseSymbol(int32_t symbol)
{
    m_mouseSymbol = symbol;
    switch (m_mouseSymbol) {
    case lHand_IE:
    case lHand_NC:
        m_mousePointer = MouseIconPointer;
        m_mouseIcon = handCursor(m_mouseSymbol);
        break;
    case lOff:
        m_mousePointer = 1; // arrow
        break;
    default:
        return;
    }
    showPointer(m_pointerOnLabel);
}

// Only a running link can have been clicked.
void Hyperlink::setClicked(bool clicked)
{
    if (!userMode())
        raiseError(ErrDesignTimeOnly);
    m_clicked = clicked;
}

void Hyperlink::setBackColorH(uint32_t color)
{
    m_backColorH = color;
    m_backColor = color;
    drawSurface();
}

void Hyperlink::setBackStyle(int32_t style)
{
    if (style != 0 && style != 1)
        raiseError(ErrInvalidPropertyValue);
    m_backStyle = style;
    update();
}

void Hyperlink::setBorderStyle(int32_t style)
{
    if (style != 0 && style != 1)
        raiseError(ErrInvalidPropertyValue);
    m_borderStyle = style;
    update();
}

// The label sizes itself to its text, so its alignment shows only in the stored value.
void Hyperlink::setAlignment(int32_t alignment)
{
    if (alignment < 0 || alignment > 2)
        raiseError(ErrInvalidPropertyValue);
    m_alignment = alignment;
}

void Hyperlink::setLinkColour(uint32_t color)
{
    m_label1.foreColor = color;
    update();
}

// Recolours first: at design time the let of Clicked then fails.
void Hyperlink::refresh()
{
    setLinkColour(m_linkColor);
    let(QStringLiteral("Clicked"), Variant::fromBool(false));
}

void Hyperlink::playSound(int16_t resourceId)
{
    com::ignoringErrors([resourceId] {
        const QByteArray wave = LoadResData(Variant::fromInteger(resourceId), Variant("WAVE"));
        // The output keeps its own copy of the data for as long as it plays.
        if (!wave.isEmpty())
            rt::ServiceSlot<sound::SoundOutput>::current().playMemory(
                wave, sound::SndAsync | sound::SndNoDefault | sound::SndMemory);
    });
}

void Hyperlink::endPlaySound()
{
    rt::ServiceSlot<sound::SoundOutput>::current().playSound(QString(), 0, 0);
}

// --- hover poll ------------------------------------------------------------------

// Acts only when the cursor has moved since the previous tick, and leaves a
// clicked link's colour alone.
void Hyperlink::timer_Timer()
{
    const QPoint cursor = rt::SystemSources::cursor().position();
    if (cursor != m_lastCursor && !m_clicked) {
        if (modquivbutton::IsMouseInto(this)) {
            setLinkColour(m_hoverColor);
            m_label1.toolTip = m_toolTipTxt;
        } else {
            setLinkColour(m_linkColor);
        }
    }
    m_lastCursor = cursor;
}

// --- persistence -----------------------------------------------------------------

// The fields only: the label keeps its design colour until the first poll.
void Hyperlink::initProperties()
{
    m_clicked = false;
    m_url.clear();
    m_toolTipTxt = DefaultToolTip;
    m_autoSizeH = true;
    m_backColorH = DefaultBackColor;
    m_linkColor = DefaultLinkColor;
    m_hoverColor = DefaultHoverColor;
    m_visitedColor = DefaultVisitedColor;
    m_mouseSymbol = lOff;
}

// AutoSizeH is read after Caption, so loading never resizes the control. The
// mouse symbol is not applied again: the stored icon and pointer carry it.
void Hyperlink::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
    drawSurface();
}

void Hyperlink::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

// --- placing and painting --------------------------------------------------------

void Hyperlink::centreLabel()
{
    const double controlHeight = Twips::fromPixelsY(height());
    const double labelHeight = m_label1.height() * Twips::perPixelY();
    m_label1.move(m_label1.left(), controlHeight / 2 - labelHeight / 2);
    update();
}

// The back colour with the picture at its top-left corner.
void Hyperlink::drawSurface()
{
    m_surface = QImage(size(), QImage::Format_RGB32);
    update();
    if (m_surface.isNull())
        return;
    m_surface.fill(gdi::oleToQColor(m_backColor));
    if (m_picture)
        m_picture->picture().render(*m_dc, 0, 0);
}

QImage Hyperlink::composed() const
{
    if (size().isEmpty())
        return QImage();
    // A transparent control shows its host around the text.
    QImage image = m_backStyle == 1 && m_surface.size() == size()
                       ? m_surface.convertToFormat(QImage::Format_ARGB32)
                       : QImage(size(), QImage::Format_ARGB32);
    if (m_backStyle != 1 || m_surface.size() != size())
        image.fill(Qt::transparent);
    gdi::DeviceContext dc(&image);
    if (m_borderStyle == 1) {
        gdi::Rect r{0, 0, width(), height()};
        dc.drawEdge(r, gdi::EdgeSunken, gdi::BfRect);
    }
    m_label1.paint(dc, Twips::perPixelX(), Twips::perPixelY());
    return image;
}

void Hyperlink::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, composed());
}

void Hyperlink::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    drawSurface();
    centreLabel();
}

bool Hyperlink::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (overLabel(help->pos()) && !m_label1.toolTip.isEmpty())
            QToolTip::showText(help->globalPos(), m_label1.toolTip, this);
        else
            QToolTip::hideText();
        return true;
    }
    return Control::event(event);
}

// --- input -----------------------------------------------------------------------

bool Hyperlink::overLabel(const QPoint &pos) const
{
    return m_label1.contains(pos, Twips::perPixelX(), Twips::perPixelY());
}

// The label's pointer over the label; the control's own (the default) elsewhere.
void Hyperlink::showPointer(bool onLabel)
{
    m_pointerOnLabel = onLabel;
    if (onLabel)
        applyMousePointer(*this, m_mousePointer, m_mouseIcon);
    else
        unsetCursor();
}

void Hyperlink::openLink()
{
    // The root folder as the working folder, so that nothing opened holds on to ours.
    shell::openAddress(window(), QString(), m_url, QDir::rootPath(), ShowNormal);
}

void Hyperlink::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() == event->button())
        m_pressed = overLabel(event->position().toPoint()) ? PressTarget::Label : PressTarget::Surface;
}

// The label's moves raise Hover, with the position in twips from the label's corner.
void Hyperlink::mouseMoveEvent(QMouseEvent *event)
{
    const bool onLabel = overLabel(event->position().toPoint());
    showPointer(onLabel);
    const bool labelsMove =
        event->buttons() ? m_pressed == PressTarget::Label || m_pressed == PressTarget::LabelDouble : onLabel;
    if (!labelsMove)
        return;
    const QPointF pos = event->position();
    Args args =
        mouseEventArgs(*event, true, static_cast<float>(pos.x() * Twips::perPixelX() - m_label1.left()),
                       static_cast<float>(pos.y() * Twips::perPixelY() - m_label1.top()));
    raiseEvent(QStringLiteral("Hover"), args);
}

void Hyperlink::mouseReleaseEvent(QMouseEvent *event)
{
    const PressTarget pressed = m_pressed;
    if (!event->buttons())
        m_pressed = PressTarget::None;
    if (pressed == PressTarget::Surface) {
        setLinkColour(m_visitedColor);
        return;
    }
    if (pressed != PressTarget::Label || KeyCodes::mouseButton(event->button()) != KeyCodes::LeftButton ||
        !overLabel(event->position().toPoint()))
        return;
    raiseEvent(QStringLiteral("Click"));
    openLink();
    // An error must not leave the mouse handler; in the designer the let
    // refuses, and the link stays as it was.
    try {
        let(QStringLiteral("Clicked"), Variant::fromBool(true));
    } catch (const AutomationError &) {
        return;
    }
    setLinkColour(m_activeColor);
}

// The second click of a double click is no click of the label.
void Hyperlink::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    if (m_pressed == PressTarget::Label)
        m_pressed = PressTarget::LabelDouble;
}

void Hyperlink::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (m_clicked)
        setLinkColour(m_activeColor);
}

void Hyperlink::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (m_clicked)
        setLinkColour(m_visitedColor);
}

} // namespace ostrevo
