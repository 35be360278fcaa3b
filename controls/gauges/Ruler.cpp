#include "controls/gauges/Ruler.h"

#include "controls/foundation/ControlEvents.h"
#include "controls/foundation/frmAbout.h"
#include "controls/gauges/RulerScale.h"
#include "platform/com/PropertyBag.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/Twips.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <iterator>
#include <tuple>

using namespace com;
using rt::KeyCodes;
using rt::Twips;

namespace ostrevo
{

namespace
{

constexpr int Separator = 4;
constexpr uint32_t DefaultBackColor = 0x80000018; // info background
constexpr uint32_t DefaultForeColor = 0x80000012; // button text

// The twips per unit that a mode's text holds. Text that is no number, or one
// beyond a Long, gives 0: the scale then stays blank instead of never ending.
int32_t adjustFromText(const QString &text)
{
    try {
        return Variant(text).toLong();
    } catch (const AutomationError &) {
        return 0;
    }
}

Variant defaultAdjPixel()
{
    return Variant::fromDouble(Twips::perPixelX() * 100);
}

// A drawing object selected into a device context for one scope; the one
// selected before goes back in first, then the object is deleted.
class Selection
{
public:
    Selection(gdi::DeviceContext &dc, gdi::Handle object)
        : m_dc(dc), m_object(object), m_old(dc.selectObject(object))
    {
    }
    ~Selection() { m_dc.selectObject(m_old); }
    Selection(const Selection &) = delete;
    Selection &operator=(const Selection &) = delete;

private:
    gdi::DeviceContext &m_dc;
    gdi::GdiObject m_object;
    gdi::Handle m_old;
};

} // namespace

Ruler::Ruler()
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    buildMenu();
    clearSurface();
}

Ruler::~Ruler() = default;

void Ruler::describe(Dispatcher<Ruler> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Ruler"), QStringLiteral("Quiv_Tools.Ruler"),
                                  QStringLiteral("{C4D31225-B793-43A1-BE21-40F04EDB8D15}"),
                                  QStringLiteral("{AE0DC263-1718-46C7-9554-177F76206EFF}"),
                                  QStringLiteral("{1703998A-CE16-435E-BAD9-F44BA21BCE7A}")));
    const VarType I = VarType::Integer;
    const QString oleColor = QStringLiteral("OLE_COLOR");
    d.method(QStringLiteral("ShowAboutBox"), -552, VarType::Empty, {}, [](Ruler &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    // Bag order: the four adjust texts, SmallZoom, Orientation, Mode, Mode2,
    // Mode3, Mode3Check, Mode4, Mode4Check, BackColorR, ForeColor. Most are
    // read through their Let, so reading tells the host as a Let does.
    const Variant no = Variant::fromBool(false);
    const std::tuple<const char *, int32_t, int, bool Ruler::*, int> entries[] = {
        {"Mode2", 0x6803000D, 5, &Ruler::m_mode2, 7},
        {"Mode3", 0x6803000C, 6, &Ruler::m_mode3, 8},
        {"Mode4", 0x6803000B, 7, &Ruler::m_mode4, 10},
    };
    for (const auto &[entryName, dispid, index, field, rank] : entries) {
        const QString name = QString::fromLatin1(entryName);
        d.property<bool>(
             name, dispid, [field](Ruler &self) { return self.*field; },
             [name, index, field](Ruler &self, bool value) {
                 self.setMenuEntry(index, self.*field, value, name);
             })
            .persist({.rank = rank, .read = no});
    }
    const std::tuple<const char *, int32_t, bool Ruler::*, int> checks[] = {
        {"Mode3Check", 0x6803000A, &Ruler::m_mode3Check, 9},
        {"Mode4Check", 0x68030009, &Ruler::m_mode4Check, 11},
    };
    for (const auto &[checkName, dispid, field, rank] : checks) {
        d.property<bool>(
             QString::fromLatin1(checkName), dispid, [field](Ruler &self) { return self.*field; },
             [field](Ruler &self, bool value) {
                 self.*field = value; // the menu shows it when it next opens
             })
            .notifies()
            .persist({.rank = rank, .read = no});
    }
    d.property<int32_t>(
         QStringLiteral("Mode"), 0x68030008, [](Ruler &self) { return self.m_mode; },
         [](Ruler &self, int32_t value) { self.setMode(value); }, QStringLiteral("RulerModeConst"))
        .persist({.rank = 6, .read = Variant::fromLong(0)});
    // Kept as text, saved against a number: the platform compares the two by value.
    // The pixel's default follows the screen, so it is asked each time.
    const std::tuple<const char *, int32_t, QString Ruler::*, BagDefault<Ruler>> texts[] = {
        {"AdjCm", 0x68030007, &Ruler::m_adjCm, Variant::fromLong(445)},
        {"AdjTwip", 0x68030006, &Ruler::m_adjTwip, Variant::fromLong(1000)},
        {"AdjInch", 0x68030005, &Ruler::m_adjInch, Variant::fromLong(1440)},
        {"AdjPixel", 0x68030004, &Ruler::m_adjPixel, [](Ruler &) { return defaultAdjPixel(); }},
    };
    int rank = 0;
    for (const auto &[textName, dispid, field, byDefault] : texts) {
        d.property<QString>(
             QString::fromLatin1(textName), dispid, [field](Ruler &self) { return self.*field; },
             [field](Ruler &self, const QString &value) {
                 self.*field = value; // takes effect at the next Mode or Adjust
             })
            .notifies()
            .persist({.rank = rank++, .read = byDefault});
    }
    d.method(QStringLiteral("Adjust"), 0x60030012, VarType::Empty, {}, [](Ruler &self, Args &) {
        self.setMode(self.m_mode);
        return Variant();
    });
    d.property<int32_t>(
         QStringLiteral("Orientation"), 0x68030003, [](Ruler &self) { return self.m_orientation; },
         [](Ruler &self, int32_t value) { self.setOrientation(value); },
         QStringLiteral("asrOrientationConstants"))
        // Read as it stands; the first resize resolves it.
        .persist({.rank = 5,
                  .read = Variant::fromLong(Automatic),
                  .store = [](Ruler &self, const Variant &v) { self.m_orientation = v.toLong(); }});
    d.property<uint32_t>(
         QStringLiteral("BackColorR"), 0x68030002, [](Ruler &self) { return self.m_backColor; },
         [](Ruler &self, uint32_t value) { self.setBackColor(value); }, oleColor)
        .notifies()
        .persist({.rank = 12,
                  .read = Variant::fromColor(DefaultBackColor),
                  .store = [](Ruler &self, const Variant &v) { self.setBackColor(v.toColor()); }});
    d.property<uint32_t>(
         QStringLiteral("ForeColor"), 0x68030001, [](Ruler &self) { return self.m_foreColor; },
         [](Ruler &self, uint32_t value) {
             self.m_foreColor = value; // for what is drawn from now on
         },
         oleColor)
        .notifies()
        .persist({.rank = 13,
                  .read = Variant::fromColor(DefaultForeColor),
                  .store = [](Ruler &self, const Variant &v) { self.m_foreColor = v.toColor(); }});
    d.property<int16_t>(
         QStringLiteral("SmallZoom"), 0x68030000, [](Ruler &self) { return self.m_smallZoom; },
         [](Ruler &self, int16_t value) { self.setSmallZoom(value); })
        .persist({.rank = 4, .read = Variant::fromInteger(1)});
    d.method(QStringLiteral("MouseMoved"), 0x60030014, VarType::Empty,
             {{QStringLiteral("x"), VarType::Single, true}}, [](Ruler &self, Args &args) {
                 self.mouseMoved(args[0].toSingle());
                 return Variant();
             });

    d.event(QStringLiteral("Click"), 1);
    d.event(QStringLiteral("RightClick"), 2);
    d.event(QStringLiteral("MenuClick"), 3, {{QStringLiteral("Index"), I}});
    d.event(QStringLiteral("KeyDown"), 4, {{QStringLiteral("KeyCode"), I}, {QStringLiteral("Shift"), I}});
    d.event(QStringLiteral("KeyPress"), 5, {{QStringLiteral("KeyAscii"), I}});
    d.event(QStringLiteral("KeyUp"), 6, {{QStringLiteral("KeyCode"), I}, {QStringLiteral("Shift"), I}});

    d.enumeration(QStringLiteral("RulerModeConst"), {{QStringLiteral("Millimeter"), 0},
                                                     {QStringLiteral("Twips"), 1},
                                                     {QStringLiteral("Inch"), 2},
                                                     {QStringLiteral("Pixel"), 3}});
    d.enumeration(QStringLiteral("asrOrientationConstants"), {{QStringLiteral("Horizontal"), Horizontal},
                                                              {QStringLiteral("Vertical"), Vertical},
                                                              {QStringLiteral("Automatic"), Automatic}});
}

// --- properties ----------------------------------------------------------------

void Ruler::setMode(int32_t mode)
{
    // The menu marks the entry of the mode's index; only the four units have one.
    if (mode < 0 || mode > 3)
        return;
    const QString *texts[] = {&m_adjCm, &m_adjTwip, &m_adjInch, &m_adjPixel};
    m_mode = mode;
    m_adjust = adjustFromText(*texts[mode]);
    clearSurface();
    drawScale();
    propertyChanged(QStringLiteral("Mode"));
}

void Ruler::setOrientation(int32_t orientation)
{
    m_orientation = orientation;
    clearSurface();
    drawScale();
    propertyChanged(QStringLiteral("Orientation"));
}

void Ruler::setSmallZoom(int16_t zoom)
{
    m_smallZoom = zoom;
    clearSurface();
    drawScale();
    propertyChanged(QStringLiteral("SmallZoom"));
}

// A new back colour wipes the surface, so the scale is drawn again on it.
void Ruler::setBackColor(uint32_t color)
{
    m_backColor = color;
    clearSurface();
    drawScale();
}

void Ruler::setMenuEntry(int index, bool &field, bool value, const QString &name)
{
    field = value;
    m_entries[Separator]->setVisible(m_mode2 || m_mode3 || m_mode4);
    m_entries[size_t(index)]->setVisible(value);
    propertyChanged(name);
}

// --- persistence ---------------------------------------------------------------

void Ruler::initProperties()
{
    m_orientation = Automatic;
    m_adjCm = QStringLiteral("445");
    m_adjTwip = QStringLiteral("1000");
    m_adjInch = QStringLiteral("1440");
    m_adjPixel = defaultAdjPixel().toString();
    m_smallZoom = 1;
    m_mode2 = m_mode3 = m_mode4 = false;
    m_mode3Check = m_mode4Check = false;
    m_mode = 0;
}

void Ruler::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
}

void Ruler::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

// --- drawing -------------------------------------------------------------------

void Ruler::clearSurface()
{
    if (m_surface.size() != size())
        m_surface = size().isEmpty() ? QImage() : QImage(size(), QImage::Format_RGB32);
    m_surface.fill(gdi::oleToQColor(m_backColor));
    m_marker.reset();
    update();
}

void Ruler::drawScale()
{
    if (m_surface.isNull())
        return;
    gdi::DeviceContext dc(&m_surface);
    const gdi::ColorRef fore = gdi::oleToColorRef(m_foreColor);
    const Selection pen(dc, gdi::createPen(gdi::PsSolid, 1, fore));
    const Selection font(dc, gdi::createFont(this->font()));
    dc.setBkMode(gdi::Transparent);
    dc.setTextColor(fore);
    RulerScale::draw(dc, m_adjust, m_smallZoom, m_orientation != Horizontal,
                     Twips::fromPixelsX(m_surface.width()), Twips::fromPixelsY(m_surface.height()));
    update();
}

// Inverting, so that drawing the same line again takes it away.
void Ruler::drawMarker(float position)
{
    if (m_surface.isNull())
        return;
    gdi::DeviceContext dc(&m_surface);
    const Selection pen(dc, gdi::createPen(gdi::PsSolid, 1, gdi::oleToColorRef(m_foreColor)));
    dc.setROP2(gdi::R2Not);
    if (m_orientation != Horizontal) {
        const int y = Twips::toPixelsY(position);
        dc.moveTo(0, y);
        dc.lineTo(m_surface.width(), y);
    } else {
        const int x = Twips::toPixelsX(position);
        dc.moveTo(x, 0);
        dc.lineTo(x, m_surface.height());
    }
}

// The previous line is remembered by whether it was drawn, not by its
// position, so that a line at the edge (0 or less) is taken away too.
void Ruler::mouseMoved(float x)
{
    drawMarker(x);
    if (m_marker)
        drawMarker(*m_marker);
    m_marker = x;
    update();
}

void Ruler::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_surface.isNull())
        return;
    painter.drawImage(0, 0, m_surface);
}

void Ruler::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    clearSurface();
    // The automatic choice is made once and replaced by the concrete value.
    if (m_orientation == Automatic)
        setOrientation(Twips::fromPixelsX(width()) <= Twips::fromPixelsY(height()) ? Vertical : Horizontal);
    drawScale();
}

// --- input -----------------------------------------------------------------------

void Ruler::mouseReleaseEvent(QMouseEvent *event)
{
    const int button = KeyCodes::mouseButton(event->button());
    if (button == KeyCodes::LeftButton) {
        raiseEvent(QStringLiteral("Click"));
    } else if (button == KeyCodes::RightButton) {
        raiseEvent(QStringLiteral("RightClick"));
        showMenu(event->globalPosition().toPoint());
    }
}

void Ruler::keyPressEvent(QKeyEvent *event)
{
    const int keyCode = KeyCodes::keyCode(*event);
    if (keyCode != 0) {
        Args args = keyEventArgs(*event);
        raiseEvent(QStringLiteral("KeyDown"), args);
    }
    const int ascii = KeyCodes::keyAscii(*event);
    if (ascii != 0) {
        Args args{Variant::fromInteger(int16_t(ascii))};
        raiseEvent(QStringLiteral("KeyPress"), args);
    }
}

void Ruler::keyReleaseEvent(QKeyEvent *event)
{
    // A held key repeats its KeyDown only, as on the platform.
    const int keyCode = KeyCodes::keyCode(*event);
    if (event->isAutoRepeat() || keyCode == 0)
        return;
    Args args = keyEventArgs(*event);
    raiseEvent(QStringLiteral("KeyUp"), args);
}

// --- context menu ----------------------------------------------------------------

void Ruler::buildMenu()
{
    m_menu = new QMenu(QStringLiteral("Kontext"), this);
    m_menu->setObjectName(QStringLiteral("mnuMenu"));
    const char *captions[] = {"Centimeter", "Twip * 1000", "Inch",     "Pixel * 100",
                              "-",          "Ausblenden",  "Fixieren", "Hilfslinien"};
    for (int i = 0; i < int(m_entries.size()); ++i) {
        QAction *entry = m_menu->addAction(QString::fromLatin1(captions[i]));
        entry->setObjectName(QStringLiteral("mnuMode%1").arg(i));
        entry->setSeparator(i == Separator);
        entry->setCheckable(i != Separator);
        // The host's entries stay hidden until it asks for them.
        entry->setVisible(i < Separator);
        connect(entry, &QAction::triggered, this, [this, i] { mnuMode_Click(i); });
        m_entries[size_t(i)] = entry;
    }
}

void Ruler::showMenu(const QPoint &globalPos)
{
    for (QAction *entry : m_entries)
        entry->setChecked(false);
    m_entries[size_t(m_mode)]->setChecked(true);
    m_entries[6]->setChecked(m_mode3Check);
    m_entries[7]->setChecked(m_mode4Check);
    m_menu->popup(globalPos);
}

void Ruler::mnuMode_Click(int index)
{
    if (index <= 3)
        setMode(index);
    Args args{Variant::fromInteger(int16_t(index))};
    raiseEvent(QStringLiteral("MenuClick"), args);
}

} // namespace ostrevo
