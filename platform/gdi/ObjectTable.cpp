#include "platform/gdi/ObjectTable.h"

#include "platform/gdi/SystemColors.h"

#include <QFontDatabase>

namespace gdi
{

namespace
{

// Stock handles carry the high bit, so they never meet a created handle; the
// system-colour brushes follow the numbered stock objects.
constexpr Handle StockBase = 0x80000000u;
constexpr Handle SysBrushBase = StockBase + 0x100;
constexpr int DefaultBitmap = 21;

QFont stockFont(int index)
{
    const bool fixed = index == OemFixedFont || index == AnsiFixedFont || index == SystemFixedFont;
    QFont font = fixed ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont();
    font.setPointSize(8);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

std::optional<ObjectTable::Object> makeStock(int index)
{
    switch (index) {
    case WhiteBrush:
        return LogBrush{false, rgb(255, 255, 255), -1};
    case LtGrayBrush:
        return LogBrush{false, rgb(192, 192, 192), -1};
    case GrayBrush:
        return LogBrush{false, rgb(128, 128, 128), -1};
    case DkGrayBrush:
        return LogBrush{false, rgb(64, 64, 64), -1};
    case BlackBrush:
        return LogBrush{false, rgb(0, 0, 0), -1};
    case NullBrush:
        return LogBrush{true, 0, -1};
    case WhitePen:
        return LogPen{PsSolid, 1, rgb(255, 255, 255)};
    case BlackPen:
        return LogPen{PsSolid, 1, 0};
    case NullPen:
        return LogPen{PsNull, 1, 0};
    case OemFixedFont:
    case AnsiFixedFont:
    case AnsiVarFont:
    case SystemFont:
    case DeviceDefaultFont:
    case SystemFixedFont:
    case DefaultGuiFont:
        return stockFont(index);
    // The device context paints these in its own DC pen and brush colours.
    case DcBrush:
        return LogBrush{false, rgb(255, 255, 255), -1};
    case DcPen:
        return LogPen{PsSolid, 1, 0};
    case DefaultBitmap: {
        BitmapData data;
        data.monochrome = true;
        data.image = QImage(1, 1, QImage::Format_RGB32);
        data.image.fill(0xFF000000u);
        return data;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

ObjectTable &ObjectTable::instance()
{
    static ObjectTable table;
    return table;
}

Handle ObjectTable::add(Object object)
{
    const Handle handle = m_next++;
    m_objects.emplace(handle, std::make_unique<Object>(std::move(object)));
    return handle;
}

ObjectTable::Object *ObjectTable::find(Handle handle)
{
    if (handle & StockBase)
        return findStock(handle);
    const auto it = m_objects.find(handle);
    return it == m_objects.end() ? nullptr : it->second.get();
}

ObjectTable::Object *ObjectTable::findStock(Handle handle)
{
    const auto it = m_stock.find(handle);
    if (it != m_stock.end())
        return it->second.get();
    std::optional<Object> made;
    if (handle >= SysBrushBase) {
        const int index = static_cast<int>(handle - SysBrushBase);
        if (SystemColors::isValidIndex(index))
            made = LogBrush{false, 0, index};
    } else {
        made = makeStock(static_cast<int>(handle - StockBase));
    }
    if (!made)
        return nullptr;
    return m_stock.emplace(handle, std::make_unique<Object>(std::move(*made))).first->second.get();
}

bool ObjectTable::remove(Handle handle)
{
    return m_objects.erase(handle) > 0;
}

ObjectKind ObjectTable::kindOf(const Object &object)
{
    switch (object.index()) {
    case 0:
        return ObjectKind::Pen;
    case 1:
        return ObjectKind::Brush;
    case 2:
        return ObjectKind::Font;
    case 3:
        return ObjectKind::Bitmap;
    case 4:
        return ObjectKind::Region;
    case 5:
        return ObjectKind::DeviceContext;
    }
    return ObjectKind::None;
}

Handle createPen(int style, int width, ColorRef color)
{
    if (style < PsSolid || style > PsInsideFrame)
        return 0;
    return ObjectTable::instance().add(LogPen{style, width < 1 ? 1 : width, color & 0x00FFFFFF});
}

Handle createSolidBrush(ColorRef color)
{
    return ObjectTable::instance().add(LogBrush{false, color & 0x00FFFFFF, -1});
}

Handle createFont(const QFont &font)
{
    QFont f = font;
    f.setStyleStrategy(QFont::NoAntialias);
    return ObjectTable::instance().add(f);
}

Handle createBitmap(int width, int height, int planes, int bitsPerPixel)
{
    if (width < 0 || height < 0 || planes != 1)
        return 0;
    BitmapData data;
    data.monochrome = bitsPerPixel == 1;
    data.image = QImage(width, height, QImage::Format_RGB32);
    data.image.fill(0xFF000000u);
    return ObjectTable::instance().add(std::move(data));
}

Handle createBitmapFromImage(const QImage &image)
{
    if (image.isNull())
        return 0;
    BitmapData data;
    // Alpha stays, so an icon keeps its transparent parts; blits ignore it.
    data.image =
        image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    return ObjectTable::instance().add(std::move(data));
}

bool deleteObject(Handle object)
{
    if (isStockObject(object))
        return true;
    ObjectTable &table = ObjectTable::instance();
    ObjectTable::Object *o = table.find(object);
    if (!o || std::holds_alternative<DcData>(*o))
        return false;
    if (const auto *bitmap = std::get_if<BitmapData>(o); bitmap && bitmap->selectedInto)
        return false;
    return table.remove(object);
}

Handle getStockObject(int index)
{
    if (index < 0 || index > DcPen)
        return 0;
    const Handle handle = StockBase + static_cast<Handle>(index);
    return ObjectTable::instance().find(handle) ? handle : 0;
}

Handle getSysColorBrush(int index)
{
    if (!SystemColors::isValidIndex(index))
        return 0;
    return SysBrushBase + static_cast<Handle>(index);
}

Handle defaultBitmapHandle()
{
    return StockBase + DefaultBitmap;
}

bool isStockObject(Handle object)
{
    return (object & StockBase) && ObjectTable::instance().find(object);
}

ObjectKind objectKind(Handle object)
{
    const ObjectTable::Object *o = ObjectTable::instance().find(object);
    return o ? ObjectTable::kindOf(*o) : ObjectKind::None;
}

std::optional<LogPen> penInfo(Handle pen)
{
    const LogPen *p = ObjectTable::instance().findAs<LogPen>(pen);
    return p ? std::optional<LogPen>(*p) : std::nullopt;
}

std::optional<LogBrush> brushInfo(Handle brush)
{
    const LogBrush *b = ObjectTable::instance().findAs<LogBrush>(brush);
    return b ? std::optional<LogBrush>(*b) : std::nullopt;
}

std::optional<QFont> fontInfo(Handle font)
{
    const QFont *f = ObjectTable::instance().findAs<QFont>(font);
    return f ? std::optional<QFont>(*f) : std::nullopt;
}

const QImage *bitmapImage(Handle bitmap)
{
    const BitmapData *b = ObjectTable::instance().findAs<BitmapData>(bitmap);
    return b ? &b->image : nullptr;
}

bool isMonochromeBitmap(Handle bitmap)
{
    const BitmapData *b = ObjectTable::instance().findAs<BitmapData>(bitmap);
    return b && b->monochrome;
}

int liveObjectCount()
{
    return ObjectTable::instance().liveCount();
}

} // namespace gdi
