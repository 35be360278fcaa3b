#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/Rect.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace gdi
{

namespace raster
{
class Surface;
struct RopMasks;
} // namespace raster

// A device context: the selected pen, brush and font, the current position,
// the raster operation and the text and background colours, drawing on an
// image. Lines, rectangles and regions go through our own rasteriser so that
// every pixel is where the platform puts it; only text uses Qt's painter, with
// antialiasing off.
//
// A device context either draws on an image that it does not own (a control's
// persistent surface, which its widget shows), or is a memory device context
// that draws on the bitmap selected into it. Each one has a handle in the
// object table while it lives, so handle-based code can pass it around, and
// counts as a live object.
class DeviceContext
{
public:
    // Draws on surface (not null), which must outlive the device context. The
    // image may be resized or reassigned in between: each drawing call takes
    // its pixels anew. An image in another format than RGB32 or ARGB32 is
    // converted to one of them before it is drawn on.
    explicit DeviceContext(QImage *surface);
    ~DeviceContext();
    DeviceContext(const DeviceContext &) = delete;
    DeviceContext &operator=(const DeviceContext &) = delete;

    // CreateCompatibleDC: a memory device context holding a 1 x 1 monochrome
    // bitmap until a bitmap is selected into it. DeleteDC is its destruction;
    // a bitmap still selected then is free again and can be deleted. The
    // reference is not needed: every device here is a true-colour one.
    static std::unique_ptr<DeviceContext> createCompatible(const DeviceContext *reference = nullptr);
    static DeviceContext *fromHandle(Handle dc);

    Handle handle() const { return m_handle; }
    bool isMemoryDC() const { return m_memory; }
    // The image drawn on: the surface, or the selected bitmap's pixels.
    const QImage &image() const { return *m_target; }
    QSize size() const { return m_target->size(); }
    // True when drawing goes to a monochrome bitmap.
    bool isMonochrome() const;

    // ---- State ---------------------------------------------------------------

    // SelectObject for pens, brushes, fonts and (memory DCs only) bitmaps:
    // returns the object of that kind selected before, 0 on failure. A region
    // is copied as the clip region (SelectClipRgn) and its kind returned.
    Handle selectObject(Handle object);
    Handle currentObject(ObjectKind kind) const;
    // SelectClipRgn: 0 removes the clip region. Returns the region kind.
    int selectClipRgn(Handle region);

    int setROP2(int rop2);
    int rop2() const { return m_rop2; }
    int setBkMode(int mode);
    int bkMode() const { return m_bkMode; }
    ColorRef setBkColor(ColorRef color);
    ColorRef bkColor() const { return m_bkColor; }
    ColorRef setTextColor(ColorRef color);
    ColorRef textColor() const { return m_textColor; }
    unsigned setTextAlign(unsigned align);
    QFont font() const { return m_font; }

    // MoveToEx: returns the previous position.
    QPoint moveTo(int x, int y);
    QPoint currentPosition() const { return m_position; }

    // ---- Pen and brush drawing (these honour the raster operation) ---------

    // LineTo: from the current position to (x, y), leaving out (x, y) itself;
    // the end point becomes the current position.
    bool lineTo(int x, int y);
    bool polyline(const std::vector<QPoint> &points);
    // Polygon: closed outline with the pen, inside filled with the brush in
    // the polygon fill mode.
    bool polygon(const std::vector<QPoint> &points);
    // Rectangle: outline with the pen on the pixels left..right - 1 and
    // top..bottom - 1, inside with the brush.
    bool rectangle(int left, int top, int right, int bottom);
    bool roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    bool ellipse(int left, int top, int right, int bottom);
    // SetPixel (in the raster operation): returns the colour set, as the
    // device holds it (black or white on a monochrome bitmap).
    ColorRef setPixel(int x, int y, ColorRef color);
    // GetPixel: ClrInvalid outside the image.
    ColorRef getPixel(int x, int y) const;
    // PaintRgn with the selected brush; FillRgn and FrameRgn with the given one.
    bool paintRgn(Handle region);
    bool fillRgn(Handle region, Handle brush);
    bool frameRgn(Handle region, Handle brush, int width, int height);
    bool invertRgn(Handle region);

    // ---- Brush drawing that ignores the raster operation -------------------

    // FillRect: left..right - 1, top..bottom - 1 (a rectangle given the wrong
    // way round runs back from left and top, as the platform's pattern blit
    // does). The brush may also be a system colour index + 1.
    bool fillRect(const Rect &rect, Handle brush);
    // FrameRect: a one-pixel border just inside the rectangle.
    bool frameRect(const Rect &rect, Handle brush);
    bool invertRect(const Rect &rect);
    // PatBlt with the selected brush as pattern.
    bool patBlt(int x, int y, int width, int height, uint32_t rop);

    // DrawEdge in the classic look, with the system colours at the time of
    // the call; the lines honour the raster operation, the BfMiddle fill does
    // not. BfAdjust makes rect the rectangle left inside the edge. Returns
    // false where the platform does (both inner or both outer kinds given
    // without BfFlat/BfMono). Diagonal edges (BfDiagonal) are not offered:
    // nothing is drawn and the result is false.
    bool drawEdge(Rect &rect, unsigned edge, unsigned flags);

    // ---- Text ------------------------------------------------------------------

    // TextOut at (x, y) in the text alignment; with Opaque the text's cell is
    // filled with the background colour first.
    bool textOut(int x, int y, const QString &text);
    // DrawText: returns the height of the text; with DtCalcRect only measures,
    // setting rect's right and bottom.
    int drawText(Rect &rect, const QString &text, unsigned format);
    // GetTextExtentPoint32: width and height of one line in the selected font.
    QSize textExtent(const QString &text) const;
    int textAscent() const;
    int textHeight() const;

    // ---- Blits and pictures ----------------------------------------------------

    // BitBlt from src (may be null for operations without a source). Blits
    // between colour and monochrome follow the platform: colour to mono makes
    // the source's background colour white and everything else black; mono to
    // colour paints black in the destination's text colour and white in its
    // background colour.
    bool bitBlt(int x, int y, int width, int height, const DeviceContext *src, int srcX, int srcY,
                uint32_t rop);
    // StretchBlt with nearest-neighbour sampling; negative sizes mirror.
    bool stretchBlt(int x, int y, int width, int height, const DeviceContext *src, int srcX, int srcY,
                    int srcWidth, int srcHeight, uint32_t rop);
    // Draws an image (a picture) at (x, y), scaled to width x height with
    // nearest-neighbour sampling when they are positive; transparent pixels
    // leave the destination as it is, partly transparent ones blend.
    bool drawImage(int x, int y, const QImage &image, int width = 0, int height = 0);

private:
    DeviceContext(QImage *surface, bool memory);

    raster::Surface surface();
    const QRegion *clip() const { return m_clip ? &*m_clip : nullptr; }
    uint32_t deviceRgb(ColorRef color) const;
    uint32_t monoRgb(ColorRef color) const;
    raster::RopMasks penMasks() const;
    raster::RopMasks bkMasks() const;
    std::optional<raster::RopMasks> brushMasks(Handle brush, int rop2) const;
    std::optional<ColorRef> brushColor(const LogBrush &brush, bool dcBrush) const;
    ColorRef penColor() const;
    bool penIsNull() const { return m_pen.style == PsNull; }
    bool penIsWide() const { return m_pen.width > 1 && !penIsNull(); }
    void strokePolyline(const std::vector<QPoint> &points, bool close);
    QRegion wideStroke(const std::vector<QPoint> &points, bool close) const;
    void fillShape(const QRegion &inside, const std::vector<QPoint> &outline);
    // The box a rectangle or round rectangle is drawn in; none when it is empty.
    std::optional<Rect> shapeBox(int left, int top, int right, int bottom) const;
    void drawTextLine(int x, int y, const QString &text, int prefixAt, const QRegion *extraClip);

    QImage *m_target;
    bool m_memory = false;
    Handle m_handle = 0;
    Handle m_penHandle = 0;
    Handle m_brushHandle = 0;
    Handle m_fontHandle = 0;
    Handle m_bitmapHandle = 0;
    LogPen m_pen;
    LogBrush m_brush;
    QFont m_font;
    std::unique_ptr<QImage> m_defaultBitmap;
    std::optional<QRegion> m_clip;
    QPoint m_position;
    int m_rop2 = R2CopyPen;
    int m_bkMode = Opaque;
    ColorRef m_bkColor = rgb(255, 255, 255);
    ColorRef m_textColor = 0;
    unsigned m_textAlign = TaLeft | TaTop;
    // Nothing sets these: the stock DC pen and brush keep the platform's
    // default colours, and polygons fill alternately.
    static constexpr int PolygonFillMode = Alternate;
    static constexpr ColorRef DcPenColor = 0;
    static constexpr ColorRef DcBrushColor = rgb(255, 255, 255);
};

// CreateCompatibleBitmap: a bitmap like the one the device context draws on:
// monochrome for a memory DC that still holds its first 1 x 1 bitmap (as on
// the platform), colour otherwise.
Handle createCompatibleBitmap(const DeviceContext &dc, int width, int height);

} // namespace gdi
