#include "controls/display/Line3D.h"

#include "platform/com/PropertyBag.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/Twips.h"

#include <QPainter>
#include <limits>

using namespace com;
using rt::Twips;

namespace ostrevo
{

namespace
{

constexpr uint32_t DefaultBorderColor = 0x8000000C;     // what a bag without the key gives
constexpr uint32_t DefaultBorderForeColor = 0x80000014; // button highlight
constexpr int16_t DefaultBorderWidth = 1;
constexpr int TwipsPerStripPixel = 15; // BorderWidth counts pixels of 15 twips, whatever the screen
constexpr int32_t OrientationId = 0x68030000;

int16_t to16(int32_t value)
{
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        raise(ErrOverflow);
    return static_cast<int16_t>(value);
}

} // namespace

Line3D::Line3D()
{
    setBorderWidth(DefaultBorderWidth);
}

Line3D::~Line3D() = default;

// The designer's colour page serves both colours; the control needs no page of its own.
QStringList Line3D::propertyPages()
{
    return {QStringLiteral("StandardColor")};
}

void Line3D::describe(Dispatcher<Line3D> &d)
{
    const QString oleColor = QStringLiteral("OLE_COLOR");
    d.identity(TypeInfo::forClass(QStringLiteral("Line3D"), QStringLiteral("Quiv_Tools.Line3D"),
                                  QStringLiteral("{46B95BA2-A32B-4276-AEA6-415A1257C968}"),
                                  QStringLiteral("{4B7919DA-BFED-46BC-B6AB-0B58CAEE4586}"),
                                  QStringLiteral("{ED07AF38-F3A1-406E-92AF-7EE2CF2FDB95}")));
    d.propertyPages(propertyPages());

    // Kept for the interface; the separator has no about box of its own.
    d.method(QStringLiteral("ShowAboutBox"), -552, VarType::Empty, {},
             [](Line3D &, Args &) { return Variant(); });
    // The strip colours are read straight into the strips, before the line is drawn.
    d.property<uint32_t>(
         QStringLiteral("BorderColor"), 0x68030003, [](Line3D &self) { return self.m_line1.backColor; },
         [](Line3D &self, uint32_t color) { self.setStripColor(self.m_line1, color); }, oleColor)
        .notifies()
        .persist({.rank = 0,
                  .read = Variant::fromColor(DefaultBorderColor),
                  .store = [](Line3D &self, const Variant &v) { self.m_line1.backColor = v.toColor(); }});
    d.property<uint32_t>(
         QStringLiteral("BorderForeColor"), 0x68030002, [](Line3D &self) { return self.m_line2.backColor; },
         [](Line3D &self, uint32_t color) { self.setStripColor(self.m_line2, color); }, oleColor)
        .notifies()
        .persist({.rank = 1,
                  .read = Variant::fromColor(DefaultBorderForeColor),
                  .store = [](Line3D &self, const Variant &v) { self.m_line2.backColor = v.toColor(); }});
    d.property<int16_t>(
         QStringLiteral("BorderWidth"), 0x68030001, [](Line3D &self) { return self.m_borderWidth; },
         [](Line3D &self, int16_t width) { self.setBorderWidth(width); })
        .notifies()
        .persist({.rank = 3, .read = Variant::fromInteger(DefaultBorderWidth)});
    d.method(QStringLiteral("Refresh"), 0x60030004, VarType::Empty, {}, [](Line3D &self, Args &) {
        self.repaint();
        return Variant();
    });
    d.property<int32_t>(
         QStringLiteral("Orientation"), OrientationId, [](Line3D &self) { return self.m_orientation; },
         [](Line3D &self, int32_t orientation) { self.setOrientation(orientation); },
         QStringLiteral("OrientationConstants"))
        .notifies()
        .persist({.rank = 2, .read = Variant::fromLong(lAuto)});
    d.method(QStringLiteral("DrawLine"), 0x6003000A, VarType::Empty, {}, [](Line3D &self, Args &) {
        self.drawLine();
        return Variant();
    });

    d.enumeration(QStringLiteral("OrientationConstants"), {{QStringLiteral("lHorizontal"), lHorizontal},
                                                           {QStringLiteral("lVertical"), lVertical},
                                                           {QStringLiteral("lAuto"), lAuto}});
}

// --- properties ------------------------------------------------------------------

int16_t Line3D::stripThickness(int16_t borderWidth)
{
    const int16_t thickness = to16(int32_t(borderWidth) * TwipsPerStripPixel);
    to16(int32_t(thickness) * 2);
    // A control cannot be made thinner than nothing.
    if (thickness < 0)
        raiseError(ErrInvalidPropertyValue);
    return thickness;
}

// Checked before it is stored: a width that cannot be drawn would otherwise
// stay behind, be saved, and make the saved form fail to load.
void Line3D::setBorderWidth(int16_t width)
{
    stripThickness(width);
    m_borderWidth = width;
    drawLine();
}

void Line3D::setOrientation(int32_t orientation)
{
    m_orientation = std::clamp<int32_t>(orientation, lHorizontal, lAuto);
    drawLine();
}

void Line3D::setStripColor(Strip &strip, uint32_t color)
{
    strip.backColor = color;
    paintStrips();
}

// --- persistence -----------------------------------------------------------------

// The first resize chooses the orientation from the shape the user draws.
void Line3D::initProperties()
{
    m_orientation = lAuto;
    m_borderWidth = DefaultBorderWidth;
}

void Line3D::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
}

void Line3D::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

// --- sizing and painting ---------------------------------------------------------

// Sizes the control to the two strips across the line and the line length
// along it, then lays the strips over the whole control.
void Line3D::drawLine()
{
    const int16_t thickness = stripThickness(m_borderWidth);
    const int across = thickness * 2;
    if (m_orientation == lVertical) {
        resize(Twips::toPixelsX(across), Twips::toPixelsY(m_lineLength));
        const int length = Twips::fromPixelsY(height());
        m_line1.twips = QRect(0, 0, thickness, length);
        m_line2.twips = QRect(thickness, 0, thickness, length);
    } else {
        resize(Twips::toPixelsX(m_lineLength), Twips::toPixelsY(across));
        const int length = Twips::fromPixelsX(width());
        m_line1.twips = QRect(0, 0, length, thickness);
        m_line2.twips = QRect(0, thickness, length, thickness);
    }
    paintStrips();
}

void Line3D::paintStrips()
{
    m_surface = QImage(size(), QImage::Format_RGB32);
    update();
    if (m_surface.isNull())
        return;
    // The strips cover the control once it is sized; until then its own back colour shows.
    const gdi::ColorRef back = gdi::sysColor(gdi::ColorBtnFace);
    m_surface.fill(gdi::toQColor(back));
    gdi::DeviceContext dc(&m_surface);
    for (const Strip *strip : {&m_line1, &m_line2}) {
        const QRect r = Twips::toPixels(strip->twips);
        const gdi::GdiObject brush(gdi::createSolidBrush(gdi::oleToColorRef(strip->backColor)));
        dc.fillRect(gdi::Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}, brush);
    }
}

void Line3D::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void Line3D::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Twips along the line as the host sized it. A line longer than the
    // 16-bit field holds is cut to the longest one: there is no caller here
    // to hand an overflow to.
    const auto lengthAlong = [this](bool vertical) {
        const int twips = vertical ? Twips::fromPixelsY(height()) : Twips::fromPixelsX(width());
        return static_cast<int16_t>(std::min<int>(twips, std::numeric_limits<int16_t>::max()));
    };
    if (m_orientation == lAuto) {
        // Chosen once and kept. The length is taken first, so that the line
        // drawn by the choice is as long as the shape the host gave.
        const bool vertical = Twips::fromPixelsX(width()) <= Twips::fromPixelsY(height());
        m_lineLength = lengthAlong(vertical);
        Args chosen{Variant::fromLong(vertical ? lVertical : lHorizontal)};
        invoke(OrientationId, Let, chosen);
    }
    m_lineLength = lengthAlong(m_orientation != lHorizontal);
    drawLine();
}

} // namespace ostrevo
