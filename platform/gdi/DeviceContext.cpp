#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/Raster.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/SystemColors.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <utility>

namespace gdi
{

using raster::RopMasks;
using raster::Surface;

namespace
{

// On and off lengths of the styled one-pixel pens, as the platform draws them.
struct DashPattern {
    int count;
    std::array<int, 6> lengths;
};

const DashPattern *dashPattern(int style)
{
    static const DashPattern dash{2, {18, 6}};
    static const DashPattern dot{2, {3, 3}};
    static const DashPattern dashDot{4, {9, 6, 3, 6}};
    static const DashPattern dashDotDot{6, {9, 3, 3, 3, 3, 3}};
    switch (style) {
    case PsDash:
        return &dash;
    case PsDot:
        return &dot;
    case PsDashDot:
        return &dashDot;
    case PsDashDotDot:
        return &dashDotDot;
    }
    return nullptr;
}

// Whether a styled pen paints at the given pixel of its pattern. Each
// drawing call starts the pattern afresh; it runs on across the segments of
// one outline.
bool dashOn(const DashPattern &pattern, int64_t position)
{
    int total = 0;
    for (int i = 0; i < pattern.count; ++i)
        total += pattern.lengths[static_cast<size_t>(i)];
    int at = static_cast<int>(position % total);
    for (int i = 0; i < pattern.count; ++i) {
        at -= pattern.lengths[static_cast<size_t>(i)];
        if (at < 0)
            return i % 2 == 0;
    }
    return false;
}

constexpr RopMasks Invert{0xFFFFFF, 0xFFFFFF};

bool nearerWhite(ColorRef c)
{
    const int r = redOf(c), g = greenOf(c), b = blueOf(c);
    const int toBlack = r * r + g * g + b * b;
    const int toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return toWhite < toBlack;
}

bool isDrawable(const QImage &image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return true;
    default:
        return image.isNull();
    }
}

// The rasteriser writes 32-bit pixels; another format is converted first.
void makeDrawable(QImage &image)
{
    if (!isDrawable(image))
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

// The pixels of a round pen tip of the given width around (0, 0), as row
// offsets with their span; an even width reaches one pixel further up and left.
std::vector<std::pair<int, std::pair<int, int>>> penTip(int width)
{
    std::vector<std::pair<int, std::pair<int, int>>> rows;
    const double radius = width / 2.0;
    for (int j = 0; j < width; ++j) {
        const double cy = j + 0.5 - radius;
        int x0 = width, x1 = -1;
        for (int i = 0; i < width; ++i) {
            const double cx = i + 0.5 - radius;
            if (cx * cx + cy * cy <= radius * radius) {
                x0 = std::min(x0, i);
                x1 = std::max(x1, i);
            }
        }
        if (x0 <= x1)
            rows.push_back({j - width / 2, {x0 - width / 2, x1 - width / 2 + 1}});
    }
    return rows;
}

// The pixels a blit of the given size covers: a negative size runs back from
// the start, which itself is included (x + width + 1 .. x).
QRect blitArea(int x, int y, int width, int height)
{
    const int left = width < 0 ? x + width + 1 : x;
    const int top = height < 0 ? y + height + 1 : y;
    return QRect(left, top, std::abs(width), std::abs(height));
}

bool needsSource(uint8_t code)
{
    return ((code & 0xCC) >> 2) != (code & 0x33);
}

bool needsPattern(uint8_t code)
{
    return ((code & 0xF0) >> 4) != (code & 0x0F);
}

} // namespace

// ---- Life -------------------------------------------------------------------

DeviceContext::DeviceContext(QImage *surface) : DeviceContext(surface, false) {}

DeviceContext::DeviceContext(QImage *surface, bool memory) : m_target(surface), m_memory(memory)
{
    makeDrawable(*m_target);
    m_handle = ObjectTable::instance().add(DcData{this});
    m_penHandle = getStockObject(BlackPen);
    m_pen = *penInfo(m_penHandle);
    m_brushHandle = getStockObject(WhiteBrush);
    m_brush = *brushInfo(m_brushHandle);
    m_fontHandle = getStockObject(SystemFont);
    m_font = *fontInfo(m_fontHandle);
}

DeviceContext::~DeviceContext()
{
    if (BitmapData *b = ObjectTable::instance().findAs<BitmapData>(m_bitmapHandle);
        b && b->selectedInto == this)
        b->selectedInto = nullptr;
    ObjectTable::instance().remove(m_handle);
}

std::unique_ptr<DeviceContext> DeviceContext::createCompatible(const DeviceContext *)
{
    auto bitmap = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    bitmap->fill(0xFF000000u);
    std::unique_ptr<DeviceContext> dc(new DeviceContext(bitmap.get(), true));
    dc->m_defaultBitmap = std::move(bitmap);
    dc->m_bitmapHandle = defaultBitmapHandle();
    return dc;
}

DeviceContext *DeviceContext::fromHandle(Handle dc)
{
    const DcData *data = ObjectTable::instance().findAs<DcData>(dc);
    return data ? data->dc : nullptr;
}

bool DeviceContext::isMonochrome() const
{
    if (!m_memory)
        return false;
    if (m_bitmapHandle == defaultBitmapHandle())
        return true;
    return isMonochromeBitmap(m_bitmapHandle);
}

Handle createCompatibleBitmap(const DeviceContext &dc, int width, int height)
{
    if (width <= 0 || height <= 0)
        return createBitmap(1, 1, 1, 1);
    return createBitmap(width, height, 1, dc.isMonochrome() ? 1 : 32);
}

// ---- State ------------------------------------------------------------------

Handle DeviceContext::selectObject(Handle object)
{
    ObjectTable::Object *o = ObjectTable::instance().find(object);
    if (!o)
        return 0;
    Handle previous = 0;
    if (const LogPen *pen = std::get_if<LogPen>(o)) {
        previous = m_penHandle;
        m_penHandle = object;
        m_pen = *pen;
    } else if (const LogBrush *brush = std::get_if<LogBrush>(o)) {
        previous = m_brushHandle;
        m_brushHandle = object;
        m_brush = *brush;
    } else if (const QFont *font = std::get_if<QFont>(o)) {
        previous = m_fontHandle;
        m_fontHandle = object;
        m_font = *font;
    } else if (BitmapData *bitmap = std::get_if<BitmapData>(o)) {
        if (!m_memory)
            return 0;
        const bool stockBitmap = object == defaultBitmapHandle();
        if (!stockBitmap && bitmap->selectedInto && bitmap->selectedInto != this)
            return 0;
        previous = m_bitmapHandle;
        if (BitmapData *old = ObjectTable::instance().findAs<BitmapData>(previous);
            old && previous != defaultBitmapHandle())
            old->selectedInto = nullptr;
        m_bitmapHandle = object;
        if (stockBitmap) {
            m_target = m_defaultBitmap.get();
        } else {
            bitmap->selectedInto = this;
            m_target = &bitmap->image;
        }
    } else if (std::holds_alternative<RegionData>(*o)) {
        return static_cast<Handle>(selectClipRgn(object));
    }
    return previous;
}

Handle DeviceContext::currentObject(ObjectKind kind) const
{
    switch (kind) {
    case ObjectKind::Pen:
        return m_penHandle;
    case ObjectKind::Brush:
        return m_brushHandle;
    case ObjectKind::Font:
        return m_fontHandle;
    case ObjectKind::Bitmap:
        return m_bitmapHandle;
    default:
        return 0;
    }
}

int DeviceContext::selectClipRgn(Handle region)
{
    if (region == 0) {
        m_clip.reset();
        return SimpleRegion;
    }
    if (!isRegion(region))
        return RgnError;
    m_clip = regionOf(region);
    return regionKind(*m_clip);
}

int DeviceContext::setROP2(int rop2)
{
    if (rop2 < R2Black || rop2 > R2White)
        return 0;
    return std::exchange(m_rop2, rop2);
}

int DeviceContext::setBkMode(int mode)
{
    if (mode != Transparent && mode != Opaque)
        return 0;
    return std::exchange(m_bkMode, mode);
}

ColorRef DeviceContext::setBkColor(ColorRef color)
{
    return std::exchange(m_bkColor, color & 0x00FFFFFF);
}

ColorRef DeviceContext::setTextColor(ColorRef color)
{
    return std::exchange(m_textColor, color & 0x00FFFFFF);
}

unsigned DeviceContext::setTextAlign(unsigned align)
{
    return std::exchange(m_textAlign, align);
}

QPoint DeviceContext::moveTo(int x, int y)
{
    return std::exchange(m_position, QPoint(x, y));
}

// ---- Colours ----------------------------------------------------------------

Surface DeviceContext::surface()
{
    makeDrawable(*m_target);
    return Surface(*m_target, clip());
}

uint32_t DeviceContext::monoRgb(ColorRef color) const
{
    // Black and white stay; another colour becomes the one of the two that the
    // background colour is not nearer to, and the background colour itself
    // the nearer one.
    color &= 0x00FFFFFF;
    if (color == 0 || color == 0xFFFFFF)
        return color;
    const bool bkWhite = nearerWhite(m_bkColor);
    const bool white = color == m_bkColor ? bkWhite : !bkWhite;
    return white ? 0xFFFFFF : 0;
}

uint32_t DeviceContext::deviceRgb(ColorRef color) const
{
    return isMonochrome() ? monoRgb(color) : raster::rgbFromColorRef(color);
}

ColorRef DeviceContext::penColor() const
{
    return m_penHandle == getStockObject(DcPen) ? DcPenColor : m_pen.color;
}

RopMasks DeviceContext::penMasks() const
{
    return raster::rop2Masks(m_rop2, deviceRgb(penColor()));
}

RopMasks DeviceContext::bkMasks() const
{
    return raster::rop2Masks(m_rop2, deviceRgb(m_bkColor));
}

std::optional<ColorRef> DeviceContext::brushColor(const LogBrush &brush, bool dcBrush) const
{
    if (brush.hollow)
        return std::nullopt;
    if (brush.sysColorIndex >= 0)
        return sysColor(brush.sysColorIndex);
    return dcBrush ? DcBrushColor : brush.color;
}

std::optional<RopMasks> DeviceContext::brushMasks(Handle brush, int rop2) const
{
    std::optional<ColorRef> color;
    if (brush == m_brushHandle) {
        color = brushColor(m_brush, brush == getStockObject(DcBrush));
    } else if (brush > 0 && brush <= static_cast<Handle>(SystemColors::Count)) {
        // FillRect's shorthand: a system colour index + 1 stands for its brush.
        color = sysColor(static_cast<int>(brush) - 1);
    } else if (const std::optional<LogBrush> info = brushInfo(brush)) {
        color = brushColor(*info, brush == getStockObject(DcBrush));
    } else {
        return std::nullopt;
    }
    if (!color)
        return std::nullopt;
    return raster::rop2Masks(rop2, deviceRgb(*color));
}

// ---- Lines ------------------------------------------------------------------

void DeviceContext::strokePolyline(const std::vector<QPoint> &points, bool close)
{
    if (penIsNull() || points.size() < 2)
        return;
    if (penIsWide()) {
        surface().fillRegion(wideStroke(points, close), penMasks());
        return;
    }
    Surface s = surface();
    const QRect window(0, 0, s.width(), s.height());
    const RopMasks on = penMasks();
    const DashPattern *pattern = dashPattern(m_pen.style);
    const size_t segments = close ? points.size() : points.size() - 1;
    if (!pattern) {
        for (size_t i = 0; i < segments; ++i) {
            const QPoint a = points[i];
            const QPoint b = points[(i + 1) % points.size()];
            if (a.y() == b.y() && a.x() != b.x()) {
                // A row at once: from a up to but without b, either way.
                const int64_t from = a.x() < b.x() ? a.x() : int64_t(b.x()) + 1;
                const int64_t to = a.x() < b.x() ? b.x() : int64_t(a.x()) + 1;
                s.span(a.y(), int(std::clamp<int64_t>(from, -1, s.width())),
                       int(std::clamp<int64_t>(to, -1, s.width())), on);
                continue;
            }
            raster::walkLine(a, b, window, [&](int x, int y, int64_t) { s.plot(x, y, on); });
        }
        return;
    }
    // The gaps of a styled pen take the background colour when the
    // background mode is opaque.
    const bool opaque = m_bkMode == Opaque;
    const RopMasks off = bkMasks();
    int64_t offset = 0;
    for (size_t i = 0; i < segments; ++i) {
        const QPoint a = points[i];
        const QPoint b = points[(i + 1) % points.size()];
        raster::walkLine(a, b, window, [&](int x, int y, int64_t index) {
            if (dashOn(*pattern, offset + index))
                s.plot(x, y, on);
            else if (opaque)
                s.plot(x, y, off);
        });
        offset += std::max(std::abs(int64_t(b.x()) - a.x()), std::abs(int64_t(b.y()) - a.y()));
    }
}

QRegion DeviceContext::wideStroke(const std::vector<QPoint> &points, bool close) const
{
    // Our own simple wide pen: a round tip moved along the one-pixel path, end
    // points included, which gives round ends and joins.
    const auto tip = penTip(m_pen.width);
    std::map<int, std::vector<std::pair<int, int>>> rows;
    const auto stamp = [&](int x, int y, int64_t) {
        for (const auto &[dy, span] : tip)
            rows[y + dy].emplace_back(x + span.first, x + span.second);
    };
    const int reach = m_pen.width;
    const QRect window(-reach, -reach, m_target->width() + 2 * reach, m_target->height() + 2 * reach);
    const size_t segments = close ? points.size() : points.size() - 1;
    for (size_t i = 0; i < segments; ++i)
        raster::walkLine(points[i], points[(i + 1) % points.size()], window, stamp);
    const QPoint end = points[close ? 0 : points.size() - 1];
    if (window.contains(end))
        stamp(end.x(), end.y(), 0);
    return regionFromRowSpans(std::move(rows));
}

bool DeviceContext::lineTo(int x, int y)
{
    const QPoint from = m_position;
    m_position = QPoint(x, y);
    strokePolyline({from, m_position}, false);
    return true;
}

bool DeviceContext::polyline(const std::vector<QPoint> &points)
{
    if (points.size() < 2)
        return false;
    strokePolyline(points, false);
    return true;
}

void DeviceContext::fillShape(const QRegion &inside, const std::vector<QPoint> &outline)
{
    const std::optional<RopMasks> brush = brushMasks(m_brushHandle, m_rop2);
    if (penIsWide()) {
        const QRegion stroke = wideStroke(outline, true);
        if (brush)
            surface().fillRegion(inside.subtracted(stroke), *brush);
        surface().fillRegion(stroke, penMasks());
        return;
    }
    // A one-pixel outline goes over the inside, as on the platform.
    if (brush)
        surface().fillRegion(inside, *brush);
    strokePolyline(outline, true);
}

bool DeviceContext::polygon(const std::vector<QPoint> &points)
{
    if (points.size() < 2)
        return false;
    fillShape(polygonRegion(points, PolygonFillMode), points);
    return true;
}

// ---- Shapes -----------------------------------------------------------------

std::optional<Rect> DeviceContext::shapeBox(int left, int top, int right, int bottom) const
{
    Rect r = Rect{left, top, right, bottom}.normalized();
    if (r.left == r.right || r.top == r.bottom)
        return std::nullopt;
    // An inside-frame pen keeps its whole width within the box.
    if (m_pen.style == PsInsideFrame && penIsWide()) {
        r.left += m_pen.width / 2;
        r.top += m_pen.width / 2;
        r.right -= (m_pen.width - 1) / 2;
        r.bottom -= (m_pen.width - 1) / 2;
    }
    return r;
}

bool DeviceContext::rectangle(int left, int top, int right, int bottom)
{
    const std::optional<Rect> box = shapeBox(left, top, right, bottom);
    if (!box)
        return true;
    Rect r = *box;
    // The outline runs on the last column and row inside the rectangle,
    // counter-clockwise from the top right corner.
    --r.right;
    --r.bottom;
    const std::vector<QPoint> outline{
        {r.right, r.top}, {r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}};
    if (penIsWide()) {
        fillShape(QRegion(r.left, r.top, r.right - r.left, r.bottom - r.top), outline);
        return true;
    }
    strokePolyline(outline, true);
    // Inside the one-pixel outline; without a pen the inside still ends one
    // pixel before right and bottom.
    const int penWidth = penIsNull() ? 0 : 1;
    const Rect inside{r.left + (penWidth + 1) / 2, r.top + (penWidth + 1) / 2, r.right - penWidth / 2,
                      r.bottom - penWidth / 2};
    if (const std::optional<RopMasks> brush = brushMasks(m_brushHandle, m_rop2); brush && !inside.isEmpty())
        surface().fillRect(inside.toQRect(), *brush);
    return true;
}

bool DeviceContext::roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    const std::optional<Rect> box = shapeBox(left, top, right, bottom);
    if (!box)
        return true;
    const Rect r = *box;
    const int w = std::min(r.width(), std::abs(ellipseWidth));
    const int h = std::min(r.height(), std::abs(ellipseHeight));
    if (w <= 2 || h <= 2)
        return rectangle(left, top, right, bottom);
    // Our own simple shape: the inside is the platform's round-rectangle
    // region over the whole box, the outline that region's border pixels.
    const QRegion inside = roundRectRegion(r.left, r.top, r.right, r.bottom, w, h);
    const std::optional<RopMasks> brush = brushMasks(m_brushHandle, m_rop2);
    if (penIsNull()) {
        if (brush)
            surface().fillRegion(inside, *brush);
        return true;
    }
    const int penWidth = std::max(1, m_pen.width);
    const QRegion outline = frameOf(inside, penWidth, penWidth);
    if (brush)
        surface().fillRegion(inside.subtracted(outline), *brush);
    surface().fillRegion(outline, penMasks());
    return true;
}

bool DeviceContext::ellipse(int left, int top, int right, int bottom)
{
    return roundRect(left, top, right, bottom, right - left, bottom - top);
}

ColorRef DeviceContext::setPixel(int x, int y, ColorRef color)
{
    // SetPixel maps to black or white by nearness alone, and honours the
    // raster operation.
    color &= 0x00FFFFFF;
    const uint32_t value =
        isMonochrome() ? (nearerWhite(color) ? 0xFFFFFF : 0) : raster::rgbFromColorRef(color);
    surface().plot(x, y, raster::rop2Masks(m_rop2, value));
    return raster::colorRefFromRgb(value);
}

ColorRef DeviceContext::getPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_target->width() || y >= m_target->height())
        return ClrInvalid;
    const QRgb p = isDrawable(*m_target) ? reinterpret_cast<const QRgb *>(m_target->constScanLine(y))[x]
                                         : m_target->pixel(x, y);
    return raster::colorRefFromRgb(p & 0xFFFFFF);
}

// ---- Regions ----------------------------------------------------------------

bool DeviceContext::paintRgn(Handle region)
{
    return fillRgn(region, m_brushHandle);
}

bool DeviceContext::fillRgn(Handle region, Handle brush)
{
    if (!isRegion(region))
        return false;
    if (const std::optional<RopMasks> masks = brushMasks(brush, m_rop2))
        surface().fillRegion(regionOf(region), *masks);
    return true;
}

bool DeviceContext::frameRgn(Handle region, Handle brush, int width, int height)
{
    if (!isRegion(region))
        return false;
    if (const std::optional<RopMasks> masks = brushMasks(brush, m_rop2))
        surface().fillRegion(frameOf(regionOf(region), width, height), *masks);
    return true;
}

bool DeviceContext::invertRgn(Handle region)
{
    if (!isRegion(region))
        return false;
    surface().fillRegion(regionOf(region), Invert);
    return true;
}

// ---- Brush drawing without raster operation ----------------------------------

bool DeviceContext::fillRect(const Rect &rect, Handle brush)
{
    const std::optional<RopMasks> masks = brushMasks(brush, R2CopyPen);
    if (!masks)
        return brush == m_brushHandle || brushInfo(brush).has_value();
    // FillRect is a pattern blit of right - left by bottom - top pixels.
    surface().fillRect(blitArea(rect.left, rect.top, rect.width(), rect.height()), *masks);
    return true;
}

bool DeviceContext::frameRect(const Rect &rect, Handle brush)
{
    const std::optional<RopMasks> masks = brushMasks(brush, R2CopyPen);
    if (!masks || rect.isEmpty())
        return masks.has_value();
    Surface s = surface();
    s.fillRect(QRect(rect.left, rect.top, rect.width(), 1), *masks);
    s.fillRect(QRect(rect.left, rect.bottom - 1, rect.width(), 1), *masks);
    s.fillRect(QRect(rect.left, rect.top, 1, rect.height()), *masks);
    s.fillRect(QRect(rect.right - 1, rect.top, 1, rect.height()), *masks);
    return true;
}

bool DeviceContext::invertRect(const Rect &rect)
{
    surface().fillRect(blitArea(rect.left, rect.top, rect.width(), rect.height()), Invert);
    return true;
}

bool DeviceContext::patBlt(int x, int y, int width, int height, uint32_t rop)
{
    if (needsSource(static_cast<uint8_t>(rop >> 16)))
        return false;
    return bitBlt(x, y, width, height, nullptr, 0, 0, rop);
}

// ---- Edges ------------------------------------------------------------------

namespace
{

// The classic edge colours, indexed by edge & 15: system colour indices, -1
// for no line. A single inner kind is drawn where the outer line would be.
constexpr int Hl = Color3DHighlight, Lt = Color3DLight, Sh = Color3DShadow, Dk = Color3DDkShadow,
              Fc = Color3DFace, Wn = ColorWindow, Wf = ColorWindowFrame, No = -1;
using EdgeTable = std::array<int, 16>;
constexpr EdgeTable TopLeftInner{No, No, No, No, No, Hl, Hl, No, No, Dk, Dk, No, No, No, No, No};
constexpr EdgeTable TopLeftOuter{No, Lt, Sh, No, Hl, Lt, Sh, No, Dk, Lt, Sh, No, No, Lt, Sh, No};
constexpr EdgeTable BottomRightInner{No, No, No, No, No, Sh, Sh, No, No, Lt, Lt, No, No, No, No, No};
constexpr EdgeTable BottomRightOuter{No, Dk, Hl, No, Sh, Dk, Hl, No, Lt, Dk, Hl, No, No, Dk, Hl, No};
constexpr EdgeTable TopLeftInnerSoft{No, No, No, No, No, Lt, Lt, No, No, Sh, Sh, No, No, No, No, No};
constexpr EdgeTable TopLeftOuterSoft{No, Hl, Dk, No, Lt, Hl, Dk, No, Sh, Hl, Dk, No, No, Hl, Dk, No};
constexpr EdgeTable OuterMono{No, Wf, Wf, Wf, Wn, Wf, Wf, Wf, Wn, Wf, Wf, Wf, Wn, Wf, Wf, Wf};
constexpr EdgeTable InnerMono{No, No, No, No, No, Wn, Wn, Wn, No, Wn, Wn, Wn, No, Wn, Wn, Wn};
constexpr EdgeTable OuterFlat{No, Sh, Sh, Sh, Fc, Sh, Sh, Sh, Fc, Sh, Sh, Sh, Fc, Sh, Sh, Sh};
constexpr EdgeTable InnerFlat{No, No, No, No, No, Fc, Fc, Fc, No, Fc, Fc, Fc, No, Fc, Fc, Fc};

} // namespace

bool DeviceContext::drawEdge(Rect &rect, unsigned edge, unsigned flags)
{
    const size_t kind = edge & (BdrInner | BdrOuter);
    const bool result =
        !(((edge & BdrInner) == BdrInner || (edge & BdrOuter) == BdrOuter) && !(flags & (BfFlat | BfMono)));
    if (flags & BfDiagonal)
        return false;
    int ltInner, ltOuter, rbInner, rbOuter;
    if (flags & BfMono) {
        ltInner = rbInner = InnerMono[kind];
        ltOuter = rbOuter = OuterMono[kind];
    } else if (flags & BfFlat) {
        ltInner = rbInner = InnerFlat[kind];
        ltOuter = rbOuter = OuterFlat[kind];
    } else if (flags & BfSoft) {
        ltInner = TopLeftInnerSoft[kind];
        ltOuter = TopLeftOuterSoft[kind];
        rbInner = BottomRightInner[kind];
        rbOuter = BottomRightOuter[kind];
    } else {
        ltInner = TopLeftInner[kind];
        ltOuter = TopLeftOuter[kind];
        rbInner = BottomRightInner[kind];
        rbOuter = BottomRightOuter[kind];
    }
    // Where two sides meet, the inner lines stop short of the corner.
    const int lt = (flags & BfTopLeft) == BfTopLeft;
    const int lb = (flags & BfBottomLeft) == BfBottomLeft;
    const int rt = (flags & BfTopRight) == BfTopRight;
    const int rb = (flags & BfBottomRight) == BfBottomRight;
    const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;

    // Each line as LineTo draws it with a one-pixel solid pen of the colour,
    // in the current raster operation; the DC's own pen stays selected.
    Surface s = surface();
    const auto line = [&](int colorIndex, QPoint from, QPoint to) {
        if (colorIndex < 0)
            return;
        const RopMasks masks = raster::rop2Masks(m_rop2, deviceRgb(sysColor(colorIndex)));
        raster::walkLine(from, to, QRect(0, 0, s.width(), s.height()),
                         [&](int x, int y, int64_t) { s.plot(x, y, masks); });
    };
    if (flags & BfTop)
        line(ltOuter, {l, t}, {r, t});
    if (flags & BfLeft)
        line(ltOuter, {l, t}, {l, b});
    if (flags & BfBottom)
        line(rbOuter, {r - 1, b - 1}, {l - 1, b - 1});
    if (flags & BfRight)
        line(rbOuter, {r - 1, b - 1}, {r - 1, t - 1});
    if (flags & BfTop)
        line(ltInner, {l + lt, t + 1}, {r - rt, t + 1});
    if (flags & BfLeft)
        line(ltInner, {l + 1, t + lt}, {l + 1, b - lb});
    if (flags & BfBottom)
        line(rbInner, {r - 1 - rb, b - 2}, {l - 1 + lb, b - 2});
    if (flags & BfRight)
        line(rbInner, {r - 2, b - 1 - rb}, {r - 2, t - 1 + rt});

    if (((flags & BfMiddle) && result) || (flags & BfAdjust)) {
        const int lines = (InnerMono[kind] != No ? 1 : 0) + (OuterMono[kind] != No ? 1 : 0);
        Rect inner = rect;
        if (flags & BfLeft)
            inner.left += lines;
        if (flags & BfRight)
            inner.right -= lines;
        if (flags & BfTop)
            inner.top += lines;
        if (flags & BfBottom)
            inner.bottom -= lines;
        if ((flags & BfMiddle) && result)
            fillRect(inner, getSysColorBrush((flags & BfMono) ? ColorWindow : Color3DFace));
        if (flags & BfAdjust)
            rect = inner;
    }
    return result;
}

// ---- Blits ------------------------------------------------------------------

bool DeviceContext::bitBlt(int x, int y, int width, int height, const DeviceContext *src, int srcX, int srcY,
                           uint32_t rop)
{
    return stretchBlt(x, y, width, height, src, srcX, srcY, width, height, rop);
}

bool DeviceContext::stretchBlt(int x, int y, int width, int height, const DeviceContext *src, int srcX,
                               int srcY, int srcWidth, int srcHeight, uint32_t rop)
{
    const uint8_t code = static_cast<uint8_t>(rop >> 16);
    const bool withSource = needsSource(code);
    if (withSource && !src)
        return false;
    if (width == 0 || height == 0 || (withSource && (srcWidth == 0 || srcHeight == 0)))
        return true;

    uint32_t pattern = 0;
    if (needsPattern(code)) {
        const std::optional<RopMasks> brush = brushMasks(m_brushHandle, R2CopyPen);
        if (!brush)
            return true;
        pattern = brush->xorMask;
    }

    // Mirroring: a negative size on one side only flips the picture.
    const bool flipX = (width < 0) != (srcWidth < 0);
    const bool flipY = (height < 0) != (srcHeight < 0);
    const QRect dst = blitArea(x, y, width, height);
    const QRect srcArea = blitArea(srcX, srcY, srcWidth, srcHeight);
    const int dx0 = dst.left(), dw = dst.width(), dy0 = dst.top(), dh = dst.height();
    const int sx0 = srcArea.left(), sw = srcArea.width(), sy0 = srcArea.top(), sh = srcArea.height();

    // A copy of the source when it is the destination itself, so that
    // overlapping blits read the pixels as they were.
    QImage sourceCopy;
    const QImage *source = nullptr;
    uint32_t srcBk = 0, dstText = 0, dstBk = 0;
    bool toMono = false, fromMono = false;
    if (withSource) {
        source = &src->image();
        if (!isDrawable(*source)) {
            sourceCopy = source->convertToFormat(QImage::Format_ARGB32);
            source = &sourceCopy;
        } else if (source == m_target) {
            // Shares the pixels until the first write below detaches ours.
            sourceCopy = *source;
            source = &sourceCopy;
        }
        fromMono = src->isMonochrome() && !isMonochrome();
        toMono = !src->isMonochrome() && isMonochrome();
        srcBk = raster::rgbFromColorRef(src->bkColor());
        dstText = raster::rgbFromColorRef(m_textColor);
        dstBk = raster::rgbFromColorRef(m_bkColor);
    }

    Surface s = surface();
    // Only the part of the destination inside the image is visited.
    const int jEnd = std::min(dh, s.height() - dy0), iEnd = std::min(dw, s.width() - dx0);
    for (int j = std::max(0, -dy0); j < jEnd; ++j) {
        const int dy = dy0 + j;
        int sy = 0;
        const uint32_t *srcRow = nullptr;
        if (withSource) {
            const int k = static_cast<int>((2LL * j + 1) * sh / (2LL * dh));
            sy = sy0 + (flipY ? sh - 1 - k : k);
            if (sy < 0 || sy >= source->height())
                continue;
            srcRow = reinterpret_cast<const uint32_t *>(source->constScanLine(sy));
        }
        uint32_t *dstRow = s.row(dy);
        for (int i = std::max(0, -dx0); i < iEnd; ++i) {
            const int dx = dx0 + i;
            if (!s.visible(dx, dy))
                continue;
            uint32_t sp = 0;
            if (withSource) {
                const int k = static_cast<int>((2LL * i + 1) * sw / (2LL * dw));
                const int sx = sx0 + (flipX ? sw - 1 - k : k);
                if (sx < 0 || sx >= source->width())
                    continue;
                sp = srcRow[sx] & 0xFFFFFF;
                if (fromMono)
                    sp = sp ? dstBk : dstText;
                else if (toMono)
                    sp = sp == srcBk ? 0xFFFFFF : 0;
            }
            dstRow[dx] = 0xFF000000u | raster::rop3(code, pattern, sp, dstRow[dx] & 0xFFFFFF);
        }
    }
    return true;
}

bool DeviceContext::drawImage(int x, int y, const QImage &image, int width, int height)
{
    if (image.isNull())
        return false;
    const QImage pixels =
        image.format() == QImage::Format_ARGB32 ? image : image.convertToFormat(QImage::Format_ARGB32);
    const int dw = width > 0 ? width : pixels.width();
    const int dh = height > 0 ? height : pixels.height();
    const bool mono = isMonochrome();
    Surface s = surface();
    const int jEnd = std::min(dh, s.height() - y), iEnd = std::min(dw, s.width() - x);
    for (int j = std::max(0, -y); j < jEnd; ++j) {
        const int dy = y + j;
        const int sy = static_cast<int>((2LL * j + 1) * pixels.height() / (2LL * dh));
        const QRgb *srcRow = reinterpret_cast<const QRgb *>(pixels.constScanLine(sy));
        uint32_t *dstRow = s.row(dy);
        for (int i = std::max(0, -x); i < iEnd; ++i) {
            const int dx = x + i;
            if (!s.visible(dx, dy))
                continue;
            const QRgb p = srcRow[(2LL * i + 1) * pixels.width() / (2LL * dw)];
            const int a = qAlpha(p);
            if (a == 0)
                continue;
            uint32_t value = p & 0xFFFFFF;
            if (a < 255) {
                const uint32_t d = dstRow[dx];
                const auto mix = [a](int sc, int dc) { return (sc * a + dc * (255 - a) + 127) / 255; };
                value = static_cast<uint32_t>(mix(qRed(p), qRed(d)) << 16 | mix(qGreen(p), qGreen(d)) << 8 |
                                              mix(qBlue(p), qBlue(d)));
            }
            if (mono)
                value = nearerWhite(raster::colorRefFromRgb(value)) ? 0xFFFFFF : 0;
            dstRow[dx] = 0xFF000000u | value;
        }
    }
    return true;
}

} // namespace gdi
