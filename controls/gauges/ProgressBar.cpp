#include "controls/gauges/ProgressBar.h"

#include "controls/foundation/ControlEvents.h"
#include "controls/foundation/frmAbout.h"
#include "controls/foundation/modquivbutton.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/KeyCodes.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <cstring>
#include <tuple>

using namespace com;
using rt::KeyCodes;

namespace ostrevo
{

namespace
{

constexpr int32_t DefaultMax = 500000;
constexpr int32_t DefaultValue = 100;
constexpr uint32_t DefaultBarColor2 = 0xFF00;
constexpr uint32_t ReadBarColor1 = 0x8000000E; // a saved control without the key gets this
constexpr uint32_t DefaultBackColor = 0x8000000F;

} // namespace

ProgressBar::ProgressBar()
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Hosts hear of every move over the bar, not only of drags.
    setMouseTracking(true);
}

ProgressBar::~ProgressBar() = default;

QStringList ProgressBar::propertyPages()
{
    return {QStringLiteral("Settings"), QStringLiteral("StandardColor"), QStringLiteral("StandardPicture"),
            QStringLiteral("Info")};
}

void ProgressBar::describe(Dispatcher<ProgressBar> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("ProgressBar"), QStringLiteral("Quiv_Tools.ProgressBar"),
                                  QStringLiteral("{6F0E2B8C-3D51-4A77-9C1E-52B7A9D4E013}"),
                                  QStringLiteral("{A93C5E21-7B4D-4F08-8E6A-1D2C3B4A5F60}"),
                                  QStringLiteral("{2E7D9F14-C6A8-4B3E-9F05-7A1B2C3D4E5F}")));
    d.propertyPages(propertyPages());
    const VarType L = VarType::Long;
    const QString oleColor = QStringLiteral("OLE_COLOR");
    using Self = ProgressBar;

    d.method(QStringLiteral("ShowAboutBox"), 0x60030010, VarType::Empty, {}, [](Self &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    d.property<int32_t>(
         QStringLiteral("BarXPcolor"), 0x6803000F, [](Self &self) { return self.m_xpColor; },
         [](Self &self, int32_t value) {
             self.m_xpColor = value;
             self.paint();
         },
         QStringLiteral("bXPcolor"))
        .notifies()
        .persist({.rank = 10, .read = Variant::fromLong(0), .store = [](Self &self, const Variant &v) {
                      self.m_xpColor = v.toLong();
                  }});
    d.property<bool>(
         QStringLiteral("AutoRedraw"), 0x6803000E, [](Self &self) { return self.m_autoRedraw; },
         [](Self &self, bool value) { self.m_autoRedraw = value; })
        .notifies()
        .persist({.rank = 0, .read = Variant::fromBool(false), .store = [](Self &self, const Variant &v) {
                      self.m_autoRedraw = v.toBool();
                  }});
    d.property<int32_t>(
         QStringLiteral("Max"), 0x6803000D, [](Self &self) { return self.m_max; },
         [](Self &self, int32_t value) {
             self.m_max = value; // Value keeps what it was, even above the new maximum
             self.paint();
         })
        .notifies()
        .persist({.rank = 4,
                  .read = Variant::fromLong(DefaultMax),
                  .store = [](Self &self, const Variant &v) { self.m_max = v.toLong(); }});
    d.property<bool>(
         QStringLiteral("ShowText"), 0x6803000C, [](Self &self) { return self.m_showText; },
         [](Self &self, bool value) {
             self.m_showText = value;
             self.m_labelVisible = self.m_showText;
         })
        .notifies()
        .persist({.rank = 1, .read = Variant::fromBool(false), .store = [](Self &self, const Variant &v) {
                      self.m_showText = v.toBool();
                  }});
    d.property(
         QStringLiteral("Appearance"), 0x6803000B, L,
         [](Self &self) { return Variant::fromLong(self.m_appearance); },
         [](Self &self, const Variant &v) { self.setAppearance(v.toInteger()); },
         QStringLiteral("AppearanceConstants"))
        .notifies()
        .persist({.rank = 2,
                  .read = Variant::fromInteger(1),
                  .store = [](Self &self, const Variant &v) { self.setAppearance(v.toInteger()); },
                  .fetch = [](Self &self) { return Variant::fromInteger(self.m_appearance); }});
    d.property(
         QStringLiteral("BorderStyle"), 0x6803000A, L,
         [](Self &self) { return Variant::fromLong(self.m_borderStyle); },
         [](Self &self, const Variant &v) { self.setBorderStyle(v.toInteger()); },
         QStringLiteral("BorderStyleConstantsH"))
        // Read without telling the host: a stored value outside the two fails the load.
        .persist({.rank = 3,
                  .read = Variant::fromInteger(1),
                  .store =
                      [](Self &self, const Variant &v) {
                          self.m_borderStyle = v.toInteger();
                          if (self.m_borderStyle != 0 && self.m_borderStyle != 1)
                              raiseError(ErrInvalidPropertyValue);
                          self.fitSurface();
                      },
                  .fetch = [](Self &self) { return Variant::fromInteger(self.m_borderStyle); }});
    d.property<int32_t>(
         QStringLiteral("Value"), 0x68030009, [](Self &self) { return self.m_value; },
         [](Self &self, int32_t value) {
             self.m_value = std::min(value, self.m_max);
             self.paint();
         })
        .notifies()
        // Stored as it was, even above the maximum.
        .persist({.rank = 5,
                  .read = Variant::fromInteger(DefaultValue),
                  .store = [](Self &self, const Variant &v) { self.m_value = v.toLong(); }});
    d.property<int32_t>(
         QStringLiteral("Style"), 0x68030008, [](Self &self) { return self.m_style; },
         [](Self &self, int32_t value) { self.setStyle(value); }, QStringLiteral("StyleConstants"))
        .persist({.rank = 6, .read = Variant::fromInteger(Smooth), .store = [](Self &self, const Variant &v) {
                      self.m_style = v.toLong();
                  }});
    d.property<uint32_t>(
         QStringLiteral("TextColor"), 0x68030007, [](Self &self) { return self.m_textColor; },
         [](Self &self, uint32_t value) {
             self.m_textColor = value;
             self.paint();
         },
         oleColor)
        .notifies()
        .persist({.rank = 7, .read = Variant::fromLong(0), .store = [](Self &self, const Variant &v) {
                      self.m_textColor = v.toColor();
                  }});
    // BarColor1 is read with one default and written with another.
    const std::tuple<const char *, int32_t, uint32_t Self::*, int, uint32_t, uint32_t> barColors[] = {
        {"BarColor2", 0x68030006, &Self::m_barColor2, 8, DefaultBarColor2, DefaultBarColor2},
        {"BarColor1", 0x68030005, &Self::m_barColor1, 9, ReadBarColor1, 0},
    };
    for (const auto &[barName, dispid, field, rank, readDefault, writeDefault] : barColors) {
        const QString name = QString::fromLatin1(barName);
        d.property(
             name, dispid, L, [field](Self &self) { return Variant::fromColor(self.*field); },
             [field](Self &self, const Variant &v) {
                 self.*field = uint32_t(modquivbutton::OleColorToRGB(v.toLong()));
                 self.paint();
             },
             oleColor)
            .notifies()
            .persist({.rank = rank,
                      .read = Variant::fromColor(readDefault),
                      .write = Variant::fromLong(int32_t(writeDefault)),
                      .store = [field](Self &self, const Variant &v) { self.*field = v.toColor(); }});
    }
    d.property<uint32_t>(
         QStringLiteral("BackColorP"), 0x68030004, [](Self &self) { return self.m_backColor; },
         [](Self &self, uint32_t value) {
             self.m_backColor = value;
             self.paint();
         },
         oleColor)
        .notifies()
        .persist({.rank = 11,
                  .read = Variant::fromColor(DefaultBackColor),
                  .store = [](Self &self, const Variant &v) { self.m_backColor = v.toColor(); }});
    const std::tuple<const char *, int32_t, std::shared_ptr<StdPicture> Self::*> pictures[] = {
        {"PictureLandscape", 0x68030003, &Self::m_landscape},
        {"PictureStretch", 0x68030002, &Self::m_stretch},
        {"PictureTile", 0x68030001, &Self::m_tile},
    };
    int rank = 12;
    for (const auto &[pictureName, dispid, field] : pictures) {
        const QString name = QString::fromLatin1(pictureName);
        d.member(
             {name, dispid, Get | Set | Let, VarType::Object, QStringLiteral("Picture"), {}},
             [field](Self &self, Args &) { return Variant::fromObject(self.*field); },
             [name, field](Self &self, Args &, const Variant &v) { self.setPicture(field, v, name); })
            .persist({.rank = rank++, .read = Variant::fromObject(nullptr)});
    }

    d.event(QStringLiteral("KeyDown"), 1, keyEventParams());
    d.event(QStringLiteral("KeyPress"), 2, keyPressParams());
    d.event(QStringLiteral("KeyUp"), 3, keyEventParams());
    d.event(QStringLiteral("MouseMove"), 4, mouseEventParams());
    d.event(QStringLiteral("MouseUp"), 5, mouseEventParams());
    d.event(QStringLiteral("MouseDown"), 6, mouseEventParams());

    d.enumeration(QStringLiteral("StyleConstants"),
                  {{QStringLiteral("Standart"), Standart},
                   {QStringLiteral("Smooth"), Smooth},
                   {QStringLiteral("ValueDependant"), ValueDependant},
                   {QStringLiteral("SmoothDoubleColor"), SmoothDoubleColor},
                   {QStringLiteral("DoubleColor"), DoubleColor},
                   {QStringLiteral("XPStyleBig"), XPStyleBig},
                   {QStringLiteral("XPStyleSmall"), XPStyleSmall},
                   {QStringLiteral("CustomPictureLandscape"), CustomPictureLandscape},
                   {QStringLiteral("CustomPictureStrech"), CustomPictureStrech},
                   {QStringLiteral("CustomPictureTile"), CustomPictureTile}});
    d.enumeration(QStringLiteral("bXPcolor"), {{QStringLiteral("bGreen"), 0}, {QStringLiteral("bBlue"), 1}});
    d.enumeration(QStringLiteral("BorderStyleConstantsH"),
                  {{QStringLiteral("vbNoBorder"), 0}, {QStringLiteral("vbSingle"), 1}});
    d.enumeration(QStringLiteral("AppearanceConstants"),
                  {{QStringLiteral("vbFlat"), 0}, {QStringLiteral("vb3D"), 1}});
}

// --- properties ------------------------------------------------------------------

// The XP styles fix the height to their frame picture and do without a
// border; the picture styles always get a single border back.
void ProgressBar::setStyle(int32_t style)
{
    m_style = style;
    if (style == XPStyleBig || style == XPStyleSmall) {
        setBorderStyle(0);
        layOut();
    } else if (style >= CustomPictureLandscape && style <= CustomPictureTile) {
        setBorderStyle(1);
    }
    propertyChanged(QStringLiteral("Style"));
    paint();
}

// PB knows only these two values, as a picture box does.
void ProgressBar::setBorderStyle(int16_t style)
{
    if (style != 0 && style != 1)
        raiseError(ErrInvalidPropertyValue);
    m_borderStyle = style;
    fitSurface();
    propertyChanged(QStringLiteral("BorderStyle"));
    paint();
}

void ProgressBar::setAppearance(int16_t appearance)
{
    if (appearance != 0 && appearance != 1)
        raiseError(ErrInvalidPropertyValue);
    m_appearance = appearance;
    fitSurface();
    surfaceChanged();
}

void ProgressBar::setPicture(std::shared_ptr<StdPicture> ProgressBar::*field, const Variant &picture,
                             const QString &name)
{
    this->*field = StdPicture::fromPictureOrNothing(picture);
    propertyChanged(name);
}

// --- persistence -----------------------------------------------------------------

// PB's border, appearance, the surface's AutoRedraw and the pictures keep
// their design values; nothing is painted until the first resize.
void ProgressBar::initProperties()
{
    m_value = DefaultValue;
    m_max = DefaultMax;
    m_showText = false;
    m_style = Smooth;
    m_textColor = 0;
    m_barColor2 = DefaultBarColor2;
    m_barColor1 = 0;
    m_backColor = DefaultBackColor;
    m_xpColor = 0;
}

void ProgressBar::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
    paint();
}

void ProgressBar::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

// --- layout and display ------------------------------------------------------------

int ProgressBar::borderWidth() const
{
    if (m_borderStyle == 0)
        return 0;
    return m_appearance == 1 ? 2 : 1;
}

// PB covers the whole control; the XP styles give it the frame picture's height.
void ProgressBar::layOut()
{
    const bool outer = !m_layingOut;
    m_layingOut = true;
    try {
        if (m_style == XPStyleBig || m_style == XPStyleSmall) {
            const int frameHeight = m_style == XPStyleBig ? 19 : 13;
            if (height() != frameHeight)
                resize(width(), frameHeight);
            m_xpFrameDrawn = false;
        }
        fitSurface();
        cls();
        paint();
    } catch (...) {
        m_layingOut = !outer;
        throw;
    }
    m_layingOut = !outer;
}

// The drawing area inside PB's border; what was drawn stays where it fits.
void ProgressBar::fitSurface()
{
    const int border = borderWidth();
    const QSize inner(std::max(0, width() - 2 * border), std::max(0, height() - 2 * border));
    if (m_surface.size() == inner)
        return;
    QImage next;
    if (!inner.isEmpty()) {
        next = QImage(inner, QImage::Format_RGB32);
        next.fill(gdi::oleToQColor(m_pbBackColor));
        const int rows = std::min(inner.height(), m_surface.height());
        const int bytes = std::min(inner.width(), m_surface.width()) * 4;
        for (int y = 0; y < rows; ++y)
            std::memcpy(next.scanLine(y), m_surface.constScanLine(y), size_t(bytes));
    }
    m_surface = next;
    surfaceChanged();
}

QImage ProgressBar::composed() const
{
    if (size().isEmpty())
        return QImage();
    QImage image(size(), QImage::Format_RGB32);
    const int border = borderWidth();
    {
        gdi::DeviceContext dc(&image);
        gdi::Rect all{0, 0, width(), height()};
        if (m_appearance == 1 && border) {
            dc.drawEdge(all, gdi::EdgeSunken, gdi::BfRect);
        } else if (border) {
            gdi::GdiObject brush(gdi::createSolidBrush(gdi::sysColor(gdi::ColorWindowFrame)));
            dc.frameRect(all, brush.get());
        }
    }
    if (!m_surface.isNull()) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(border, border, m_surface);
    }
    return image;
}

// A paint request paints, as every let that repaints does; a failure has
// no caller to go to, and the bar then shows what it managed to draw.
void ProgressBar::paintEvent(QPaintEvent *)
{
    {
        const QScopedValueRollback inRequest(m_inPaintRequest, true);
        com::ignoringErrors([this] { paint(); });
    }
    QPainter painter(this);
    const QImage image = composed();
    if (!image.isNull())
        painter.drawImage(0, 0, image);
}

void ProgressBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_layingOut)
        return; // the layout that resized the control goes on with the new size
    // A resize has no caller to hand a paint's failure to; the bar then shows
    // what it managed to draw.
    com::ignoringErrors([this] { layOut(); });
}

// --- input -----------------------------------------------------------------------

// Positions are PB's own (inside its border) plus PB's place, (0, 0).
void ProgressBar::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = event->position() - QPointF(borderWidth(), borderWidth());
    Args args = mouseEventArgs(*event, false, float(pos.x()), float(pos.y()));
    raiseEvent(QStringLiteral("MouseDown"), args);
}

void ProgressBar::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position() - QPointF(borderWidth(), borderWidth());
    Args args = mouseEventArgs(*event, true, float(pos.x()), float(pos.y()));
    raiseEvent(QStringLiteral("MouseMove"), args);
}

void ProgressBar::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF pos = event->position() - QPointF(borderWidth(), borderWidth());
    Args args = mouseEventArgs(*event, false, float(pos.x()), float(pos.y()));
    raiseEvent(QStringLiteral("MouseUp"), args);
}

void ProgressBar::keyPressEvent(QKeyEvent *event)
{
    if (KeyCodes::keyCode(*event) != 0) {
        Args args = keyEventArgs(*event);
        raiseEvent(QStringLiteral("KeyDown"), args);
    }
    if (const int ascii = KeyCodes::keyAscii(*event)) {
        Args args{Variant::fromInteger(int16_t(ascii))};
        raiseEvent(QStringLiteral("KeyPress"), args);
    }
}

void ProgressBar::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat() || KeyCodes::keyCode(*event) == 0)
        return;
    Args args = keyEventArgs(*event);
    raiseEvent(QStringLiteral("KeyUp"), args);
}

} // namespace ostrevo
