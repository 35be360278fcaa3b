#include "controls/tree/ScrollBox.h"

#include "controls/display/MousePointer.h"
#include "controls/foundation/ControlEvents.h"
#include "controls/foundation/frmAbout.h"
#include "platform/com/AutomationError.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace com;
using rt::KeyCodes;
using rt::Twips;

namespace ostrevo
{

namespace
{

constexpr uint32_t DefaultBackColor = 0x8000000F; // button face
constexpr uint32_t DefaultScrollColor = 0x800000;
constexpr uint32_t DefaultShadowColor = 0xE0E0E0;
constexpr uint32_t DefaultShadowForeColor = 0x808080;
constexpr int StripLeftFromRight = 400; // twips from the control's right edge
constexpr int StripWidth = 300;
constexpr int MarginBorders = 4; // the contents start this many border heights below the top

// An open and a closed hand, '#' outline and 'o' fill, drawn into 32 x 32 icons.
constexpr const char *OpenHandShape[] = {
    ".......##.......", "...##.#oo###....", "..#oo##oo#oo#...", "..#oo##oo#oo#.#.", "...#oo#oo#oo##o#",
    "...#oo#oo#oo#oo#", ".##.#ooooooo#oo#", "#oo##oooooooooo#", "#ooo#ooooooooo#.", ".#oooooooooooo#.",
    "..#ooooooooooo#.", "..#oooooooooo#..", "...#ooooooooo#..", "....#oooooooo#..", "....##########..",
};
constexpr const char *ClosedHandShape[] = {
    "....##.##.##....", "...#oo#oo#oo##..", "...#oooooooo#o#.", "..##ooooooooooo#", ".#o#ooooooooooo#",
    ".#oooooooooooo#.", "..#ooooooooooo#.", "...#ooooooooo#..", "....#oooooooo#..", "....##########..",
};

template <size_t Rows> std::shared_ptr<StdPicture> handIcon(const char *const (&shape)[Rows], int top)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (size_t row = 0; row < Rows; ++row) {
        for (int x = 0; x < 16; ++x) {
            const char c = shape[row][x];
            if (c != '.')
                image.setPixel(8 + x, top + int(row), c == '#' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    return std::make_shared<StdPicture>(gdi::Picture(image, gdi::Picture::Icon));
}

// Widget positions beyond this cannot be laid out; the platform reports them as overflow.
constexpr double PixelLimit = QWIDGETSIZE_MAX;

bool isLine(const QWidget &control)
{
    return control.property("Y1").isValid();
}

// A line's end-point coordinate; a line without it lacks the member.
double lineY(const QWidget &control, const char *name)
{
    const QVariant value = control.property(name);
    if (!value.isValid())
        raiseError(ErrMemberNotFound);
    return value.toDouble();
}

double topOf(const QWidget &control)
{
    return Twips::fromPixelsY(control.y());
}

} // namespace

// A plain coloured box: the frame strips, and the ground of the drag strip.
class ScrollBox::Box : public QWidget
{
public:
    Box(const char *name, uint32_t color, QWidget *parent) : QWidget(parent), m_color(color)
    {
        setObjectName(QString::fromLatin1(name));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    uint32_t color() const { return m_color; }
    void setColor(uint32_t color)
    {
        m_color = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), gdi::oleToQColor(m_color));
    }

private:
    uint32_t m_color;
};

// The drag strip hands its mouse and key input to the box.
class ScrollBox::DragStrip : public ScrollBox::Box
{
public:
    explicit DragStrip(ScrollBox &box) : Box("lblArea", DefaultScrollColor, &box), m_box(box)
    {
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override { m_box.stripPressed(event); }
    void mouseMoveEvent(QMouseEvent *event) override { m_box.stripMoved(event); }
    void mouseReleaseEvent(QMouseEvent *event) override { m_box.stripReleased(event); }
    void keyPressEvent(QKeyEvent *event) override { m_box.stripKeyPressed(event); }
    void keyReleaseEvent(QKeyEvent *event) override { m_box.stripKeyReleased(event); }

private:
    ScrollBox &m_box;
};

ScrollBox::ScrollBox()
    : m_lblArea(new DragStrip(*this)), m_lineTop(new Box("LineTop", DefaultShadowForeColor, this)),
      m_lineLeft(new Box("LineLeft", DefaultShadowForeColor, this)),
      m_lineRight(new Box("LineRight", DefaultShadowColor, this)),
      m_lineBottom(new Box("LineBottom", DefaultShadowColor, this)), m_openHand(handIcon(OpenHandShape, 8)),
      m_closedHand(handIcon(ClosedHandShape, 12))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setStripIcon(m_openHand);
}

ScrollBox::~ScrollBox() = default;

QStringList ScrollBox::propertyPages()
{
    return {QStringLiteral("MoveControls"), QStringLiteral("StandardColor"), QStringLiteral("Info")};
}

void ScrollBox::describe(Dispatcher<ScrollBox> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("ScrollBox"), QStringLiteral("Quiv_Tools.ScrollBox"),
                                  QStringLiteral("{3A6DBD1B-401A-4104-96E2-0B8177C10242}"),
                                  QStringLiteral("{8C177832-1189-4AD1-B588-EDD5B7315C66}"),
                                  QStringLiteral("{7F533B00-51E8-4ACD-BD79-C19F8B02F5D1}")));
    d.propertyPages(propertyPages());
    const VarType L = VarType::Long;
    const QString oleColor = QStringLiteral("OLE_COLOR");
    d.method(QStringLiteral("ShowAboutBox"), -552, VarType::Empty, {}, [](ScrollBox &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    d.property<uint32_t>(
         QStringLiteral("BackColor"), 0x68030007, [](ScrollBox &self) { return self.m_backColor; },
         [](ScrollBox &self, uint32_t value) {
             self.m_backColor = value;
             self.update();
         },
         oleColor)
        .notifies()
        .persist({.rank = 1,
                  .read = Variant::fromColor(DefaultBackColor),
                  .store = [](ScrollBox &self, const Variant &v) {
                      self.m_backColor = v.toColor();
                      self.update();
                  }});
    d.property<uint32_t>(
         QStringLiteral("ScrollColor"), 0x68030006, [](ScrollBox &self) { return self.m_lblArea->color(); },
         [](ScrollBox &self, uint32_t value) { self.m_lblArea->setColor(value); }, oleColor)
        .notifies()
        .persist({.rank = 2,
                  .read = Variant::fromColor(DefaultScrollColor),
                  .store = [](ScrollBox &self, const Variant &v) { self.m_lblArea->setColor(v.toColor()); }});
    d.property<uint32_t>(
         QStringLiteral("ShadowColor"), 0x68030005, [](ScrollBox &self) { return self.m_lineRight->color(); },
         [](ScrollBox &self, uint32_t value) {
             const uint32_t color = value;
             self.m_lineRight->setColor(color);
             self.m_lineBottom->setColor(color);
         },
         oleColor)
        .notifies()
        .persist({.rank = 3,
                  .read = Variant::fromColor(DefaultShadowColor),
                  .store = [](ScrollBox &self, const Variant &v) {
                      self.m_lineRight->setColor(v.toColor());
                      self.m_lineBottom->setColor(v.toColor());
                  }});
    d.property<uint32_t>(
         QStringLiteral("ShadowForeColor"), 0x68030004,
         [](ScrollBox &self) { return self.m_lineTop->color(); },
         [](ScrollBox &self, uint32_t value) {
             const uint32_t color = value;
             self.m_lineTop->setColor(color);
             self.m_lineLeft->setColor(color);
         },
         oleColor)
        .notifies()
        .persist({.rank = 4,
                  .read = Variant::fromColor(DefaultShadowForeColor),
                  .store = [](ScrollBox &self, const Variant &v) {
                      self.m_lineTop->setColor(v.toColor());
                      self.m_lineLeft->setColor(v.toColor());
                  }});
    d.method(QStringLiteral("MoveControls"), 0x60030014, VarType::Empty, {{QStringLiteral("Value"), L, true}},
             [](ScrollBox &self, Args &args) {
                 self.moveControls(args[0].toLong());
                 return Variant();
             });
    d.property<bool>(
        QStringLiteral("ScrollVisible"), 0x68030003,
        [](ScrollBox &self) { return !self.m_lblArea->isHidden(); },
        [](ScrollBox &self, bool value) { self.m_lblArea->setHidden(!value); });
    d.property(
        QStringLiteral("Value"), 0x68030002, VarType::String,
        [](ScrollBox &self) { return Variant(self.m_valueText); },
        [](ScrollBox &self, const Variant &v) { self.setValue(v); });
    d.property<int32_t>(
         QStringLiteral("BorderStyle"), 0x68030001, [](ScrollBox &self) { return self.m_borderStyle; },
         [](ScrollBox &self, int32_t value) { self.setBorderStyle(value); }, QStringLiteral("EnBorder"))
        .notifies()
        .persist({.rank = 0, .read = Variant::fromLong(eFlat)});

    d.event(QStringLiteral("Scroll"), 1);
    d.event(QStringLiteral("MouseDown"), 2, mouseEventParams());
    d.event(QStringLiteral("MouseMove"), 3, mouseEventParams());
    d.event(QStringLiteral("MouseUp"), 4, mouseEventParams());
    d.event(QStringLiteral("KeyDown"), 5, keyEventParams());
    d.event(QStringLiteral("KeyPress"), 6, keyPressParams());
    d.event(QStringLiteral("KeyUp"), 7, keyEventParams());

    d.enumeration(QStringLiteral("EnBorder"), {{QStringLiteral("eOff"), eOff},
                                               {QStringLiteral("eFlat"), eFlat},
                                               {QStringLiteral("eStandard"), eStandard}});
}

// --- properties ----------------------------------------------------------------

void ScrollBox::setBorderStyle(int32_t style)
{
    m_borderStyle = style;
    layout();
}

// A text that is no number fails before anything changes.
void ScrollBox::setValue(const Variant &value)
{
    dragStep(value.toSingle()); // the step leaves the new offset as the value text
}

void ScrollBox::setStripIcon(const std::shared_ptr<StdPicture> &icon)
{
    m_stripIcon = icon;
    applyMousePointer(*m_lblArea, MouseIconPointer, icon);
}

// --- persistence ---------------------------------------------------------------

void ScrollBox::initProperties()
{
    setBorderStyle(eFlat);
    propertyChanged(QStringLiteral("BorderStyle"));
}

void ScrollBox::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
}

void ScrollBox::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

// --- contents ------------------------------------------------------------------

// The host's controls inside the box: its child widgets other than its own.
QList<QWidget *> ScrollBox::contents() const
{
    QList<QWidget *> result;
    for (QObject *child : children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget->isWindow() || widget == m_lblArea || widget == m_lineTop ||
            widget == m_lineLeft || widget == m_lineRight || widget == m_lineBottom)
            continue;
        result << widget;
    }
    return result;
}

// A line moves both end points; any other control keeps its left and moves its top.
void ScrollBox::shift(QWidget &control, double distance)
{
    if (isLine(control)) {
        const double y1 = lineY(control, "Y1") + distance;
        const double y2 = lineY(control, "Y2") + distance;
        control.setProperty("Y1", y1);
        control.setProperty("Y2", y2);
        return;
    }
    const double top = topOf(control) + distance;
    if (!(std::fabs(top / Twips::perPixelY()) <= PixelLimit))
        raiseError(ErrOverflow);
    control.move(control.x(), Twips::toPixelsY(top));
}

void ScrollBox::moveControls(double distance)
{
    for (QWidget *control : contents())
        shift(*control, distance);
}

void ScrollBox::layout()
{
    setStripIcon(m_openHand);
    const double perX = Twips::perPixelX(), perY = Twips::perPixelY();
    switch (m_borderStyle) {
    case eOff:
        m_borderWidth = m_borderHeight = 0;
        break;
    case eFlat:
        m_borderWidth = int16_t(std::nearbyint(perX));
        m_borderHeight = int16_t(std::nearbyint(perY));
        break;
    default:
        m_borderWidth = int16_t(std::nearbyint(2 * perX));
        m_borderHeight = int16_t(std::nearbyint(2 * perY));
        break;
    }
    const int w = Twips::fromPixelsX(width()), h = Twips::fromPixelsY(height());
    const int bw = m_borderWidth, bh = m_borderHeight;
    // A box narrower than its frame gets empty strips rather than negative ones.
    auto place = [](QWidget *widget, int left, int top, int width, int height) {
        widget->setGeometry(Twips::toPixelsX(left), Twips::toPixelsY(top),
                            std::max(0, Twips::toPixelsX(width)), std::max(0, Twips::toPixelsY(height)));
    };
    place(m_lblArea, w - StripLeftFromRight, 0, StripWidth, h);
    for (QWidget *strip : {m_lineTop, m_lineLeft, m_lineRight, m_lineBottom})
        strip->setHidden(m_borderStyle == eOff);
    place(m_lineTop, 0, 0, w - bw, bh);
    place(m_lineLeft, 0, 0, bw, h);
    place(m_lineRight, w - bw, 0, bw, h);
    place(m_lineBottom, 0, h - bh, w - bw, bh);
    measureExtent();
}

// The contents start again at the top: the topmost control comes to rest
// four border heights below the top edge.
void ScrollBox::alignContents()
{
    layout();
    m_offset = 0;
    double topmost = Twips::fromPixelsY(height());
    const QList<QWidget *> controls = contents();
    for (QWidget *control : controls) {
        const double top =
            isLine(*control) ? std::min(lineY(*control, "Y1"), lineY(*control, "Y2")) : topOf(*control);
        topmost = std::min(topmost, top);
    }
    const double distance = MarginBorders * m_borderHeight - topmost;
    for (QWidget *control : controls)
        shift(*control, distance);
    // What the layout measured before the contents moved up is no room to
    // scroll into: the extent is what the aligned contents reach.
    m_contentsExtent = 0;
    measureExtent();
}

// What the contents reach never shrinks: it grows with what is visible below
// it. The box's own height is only a floor under the extent, so that a box
// made smaller (as every box is when its host first places it) does not keep
// its old height as room to scroll into.
void ScrollBox::measureExtent()
{
    for (QWidget *strip : {m_lineTop, m_lineLeft, m_lineRight, m_lineBottom})
        strip->raise();
    const float margin = float(MarginBorders * m_borderHeight);
    auto reach = [this, margin](double bottom) {
        const float candidate = float(bottom) - m_offset + margin;
        if (candidate > m_contentsExtent)
            m_contentsExtent = candidate;
    };
    for (QWidget *control : contents()) {
        if (control->isHidden())
            continue;
        if (isLine(*control)) {
            reach(lineY(*control, "Y1"));
            reach(lineY(*control, "Y2"));
        } else {
            reach(topOf(*control) + Twips::fromPixelsY(control->height()));
        }
    }
    m_extent = std::max(m_contentsExtent, float(Twips::fromPixelsY(height())));
}

// One step of a drag to pointer position y (twips). Moves of less than a
// pixel are left for later; the contents never leave the range from the top
// (offset 0) to bottom-aligned (offset H - E).
void ScrollBox::dragStep(float y)
{
    if (m_dragRef < 0)
        m_dragRef = y;
    const float oldOffset = m_offset;
    if (std::fabs(m_dragRef - y) >= float(Twips::perPixelY())) {
        const float h = float(Twips::fromPixelsY(height()));
        const float lowest = h - m_extent;
        const float n = m_offset - m_dragRef + y;
        double distance;
        if (n <= 0 && n >= lowest)
            distance = y - m_dragRef;
        else if (n > 0)
            distance = -m_offset;
        else
            distance = lowest - m_offset;
        moveControls(distance);
        m_offset = m_offset - m_dragRef + y;
        if (m_offset > 0)
            m_offset = 0;
        if (lowest > m_offset)
            m_offset = lowest;
        m_dragRef = y;
        if (m_offset != oldOffset)
            measureExtent();
    }
    m_valueText = Variant::fromSingle(m_offset).toString();
}

// --- drawing and events ----------------------------------------------------------

void ScrollBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), gdi::oleToQColor(m_backColor));
}

void ScrollBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A failure of the contents or of the host's handler must not leave the event handler.
    com::ignoringErrors([this] { layout(); });
}

void ScrollBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        com::ignoringErrors([this] { alignContents(); });
}

// The host's handlers and the contents run unguarded: their errors go on to
// whoever delivered the input.
void ScrollBox::stripPressed(QMouseEvent *event)
{
    if (KeyCodes::mouseButton(event->button()) != KeyCodes::LeftButton)
        return;
    const QPointF pos = event->position();
    const float x = float(pos.x() * Twips::perPixelX()), y = float(pos.y() * Twips::perPixelY());
    m_dragRef = y;
    setStripIcon(m_closedHand);
    raiseEvent(QStringLiteral("MouseDown"), mouseEventArgs(*event, false, x, y));
}

void ScrollBox::stripMoved(QMouseEvent *event)
{
    const QPointF pos = event->position();
    const float x = float(pos.x() * Twips::perPixelX()), y = float(pos.y() * Twips::perPixelY());
    Args args = mouseEventArgs(*event, true, x, y);
    if (KeyCodes::mouseButtons(event->buttons()) == KeyCodes::LeftButton)
        dragStep(y);
    else
        m_valueText = Variant::fromSingle(m_offset).toString();
    raiseEvent(QStringLiteral("Scroll"));
    raiseEvent(QStringLiteral("MouseMove"), args);
}

void ScrollBox::stripReleased(QMouseEvent *event)
{
    const QPointF pos = event->position();
    const float x = float(pos.x() * Twips::perPixelX()), y = float(pos.y() * Twips::perPixelY());
    m_dragRef = -1;
    setStripIcon(m_openHand);
    raiseEvent(QStringLiteral("MouseUp"), mouseEventArgs(*event, false, x, y));
}

void ScrollBox::stripKeyPressed(QKeyEvent *event)
{
    if (KeyCodes::keyCode(*event) != 0)
        raiseEvent(QStringLiteral("KeyDown"), keyEventArgs(*event));
    const int ascii = KeyCodes::keyAscii(*event);
    if (ascii != 0)
        raiseEvent(QStringLiteral("KeyPress"), Args{Variant::fromInteger(int16_t(ascii))});
}

void ScrollBox::stripKeyReleased(QKeyEvent *event)
{
    // A held key repeats its KeyDown only.
    if (event->isAutoRepeat() || KeyCodes::keyCode(*event) == 0)
        return;
    raiseEvent(QStringLiteral("KeyUp"), keyEventArgs(*event));
}

} // namespace ostrevo
