#pragma once

#include "platform/gdi/GdiTypes.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QSize>
#include <memory>
#include <optional>
#include <unordered_map>
#include <variant>

namespace gdi
{

class DeviceContext;

// What a pen handle stands for (GetObject on a pen).
struct LogPen {
    int style = PsSolid;
    int width = 1;
    ColorRef color = 0;
};

// What a brush handle stands for. A system-colour brush follows the system
// colour table at the moment it paints.
struct LogBrush {
    bool hollow = false;
    ColorRef color = 0;
    int sysColorIndex = -1;
};

// ---- The handle functions the controls call -------------------------------

// CreatePen. Styles PsSolid .. PsInsideFrame; width 0 means one pixel.
Handle createPen(int style, int width, ColorRef color);
Handle createSolidBrush(ColorRef color);
// CreateFont: the font is drawn without antialiasing, like the platform's
// bitmap fonts, so that pixels stay predictable.
Handle createFont(const QFont &font);
// CreateBitmap: one bit per pixel gives a monochrome bitmap, anything else a
// colour one. The bits start black.
Handle createBitmap(int width, int height, int planes = 1, int bitsPerPixel = 32);
// A colour bitmap holding a copy of the image (pictures, icons); an alpha
// channel stays for drawing pictures, blits ignore it as the platform's do.
Handle createBitmapFromImage(const QImage &image);

// DeleteObject: false for an unknown handle and for a bitmap that is still
// selected into a device context. Stock objects are never deleted (true).
bool deleteObject(Handle object);

// GetStockObject with the platform's numbers; 0 for a number without object.
Handle getStockObject(int index);
// GetSysColorBrush: a stock brush painting in the current system colour.
Handle getSysColorBrush(int index);
bool isStockObject(Handle object);

ObjectKind objectKind(Handle object);
std::optional<LogPen> penInfo(Handle pen);
std::optional<LogBrush> brushInfo(Handle brush);
std::optional<QFont> fontInfo(Handle font);
// The pixels of a bitmap (null for anything else); monochrome bitmaps hold
// only black and white.
const QImage *bitmapImage(Handle bitmap);
bool isMonochromeBitmap(Handle bitmap);

// Objects created and not yet deleted, device contexts included, stock
// objects not: tests prove with it that nothing leaks.
int liveObjectCount();

// ---- Inside the drawing layer ----------------------------------------------

// The 1 x 1 monochrome bitmap a memory device context holds before a bitmap
// is selected into it; SelectObject returns it the first time.
Handle defaultBitmapHandle();

struct BitmapData {
    QImage image;
    bool monochrome = false;
    DeviceContext *selectedInto = nullptr;
};

struct RegionData {
    QRegion region;
};

struct DcData {
    DeviceContext *dc = nullptr;
};

// One table for all drawing objects of the process, as the platform keeps one
// per process. Stock objects live beside it and are found by the same lookup.
// Used from the user-interface thread only.
class ObjectTable
{
public:
    using Object = std::variant<LogPen, LogBrush, QFont, BitmapData, RegionData, DcData>;

    static ObjectTable &instance();

    Handle add(Object object);
    // The object behind a handle, stock objects included; null when unknown.
    Object *find(Handle handle);
    template <typename T> T *findAs(Handle handle)
    {
        Object *o = find(handle);
        return o ? std::get_if<T>(o) : nullptr;
    }
    bool remove(Handle handle);
    int liveCount() const { return static_cast<int>(m_objects.size()); }

    static ObjectKind kindOf(const Object &object);

private:
    ObjectTable() = default;
    Object *findStock(Handle handle);

    std::unordered_map<Handle, std::unique_ptr<Object>> m_objects;
    Handle m_next = 0x1000;
    std::unordered_map<Handle, std::unique_ptr<Object>> m_stock;
};

} // namespace gdi
