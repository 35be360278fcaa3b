#include "controls/dialog/PictureRoutines.h"

#include "platform/com/AutomationError.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"

namespace ostrevo
{

namespace
{

int16_t sixteenBit(int64_t value)
{
    if (value < INT16_MIN || value > INT16_MAX)
        com::raise(com::ErrOverflow);
    return static_cast<int16_t>(value);
}

// A memory device context with a bitmap selected; the bitmap outlives the
// context (members go in reverse order), so it is free again when deleted.
struct MemoryBitmap {
    gdi::GdiObject bitmap;
    std::unique_ptr<gdi::DeviceContext> dc;
    gdi::Handle previous = 0;

    MemoryBitmap(const gdi::DeviceContext *reference, gdi::Handle newBitmap)
        : bitmap(newBitmap), dc(gdi::DeviceContext::createCompatible(reference))
    {
        previous = dc->selectObject(bitmap);
    }
    ~MemoryBitmap()
    {
        if (previous)
            dc->selectObject(previous);
        dc.reset();
    }
    MemoryBitmap(const MemoryBitmap &) = delete;
    MemoryBitmap &operator=(const MemoryBitmap &) = delete;
};

} // namespace

std::shared_ptr<com::StdPicture> CaptureScreenRect(gdi::Handle source, int32_t left, int32_t top,
                                                   int32_t width, int32_t height)
{
    const gdi::DeviceContext *src = gdi::DeviceContext::fromHandle(source);
    gdi::GdiObject bitmap(src ? gdi::createCompatibleBitmap(*src, width, height) : 0);
    if (src && bitmap) {
        auto memory = gdi::DeviceContext::createCompatible(src);
        const gdi::Handle previous = memory->selectObject(bitmap);
        memory->bitBlt(0, 0, width, height, src, left, top, gdi::SrcCopy);
        memory->selectObject(previous);
    }
    return CreateBitmapPicture(bitmap.release(), 0);
}

std::shared_ptr<com::StdPicture> CreateBitmapPicture(gdi::Handle bitmap, gdi::Handle palette)
{
    Q_UNUSED(palette);
    const QImage *image = gdi::bitmapImage(bitmap);
    if (!image)
        return nullptr;
    return std::make_shared<com::StdPicture>(gdi::Picture(*image), bitmap);
}

void TransparentBlit(gdi::Handle destination, gdi::Handle source, const gdi::Rect &rect, int32_t x, int32_t y,
                     gdi::ColorRef &transparent)
{
    const int w = sixteenBit(int64_t{rect.right} - rect.left + 1);
    const int h = sixteenBit(int64_t{rect.bottom} - rect.top + 1);
    gdi::DeviceContext *dst = gdi::DeviceContext::fromHandle(destination);
    gdi::DeviceContext *src = gdi::DeviceContext::fromHandle(source);
    if (!dst || !src)
        return;

    MemoryBitmap mask(dst, gdi::createBitmap(w, h, 1, 1));
    MemoryBitmap inverseMask(dst, gdi::createBitmap(w, h, 1, 1));
    MemoryBitmap result(dst, gdi::createCompatibleBitmap(*dst, w, h));
    MemoryBitmap sourceCopy(dst, gdi::createCompatibleBitmap(*dst, w, h));

    // Colour to monochrome: the background colour turns white, all else black.
    const gdi::ColorRef previousBk = src->setBkColor(transparent);
    mask.dc->bitBlt(0, 0, w, h, src, rect.left, rect.top, gdi::SrcCopy);
    transparent = src->setBkColor(previousBk);
    inverseMask.dc->bitBlt(0, 0, w, h, mask.dc.get(), 0, 0, gdi::NotSrcCopy);

    result.dc->bitBlt(0, 0, w, h, dst, x, y, gdi::SrcCopy);
    result.dc->bitBlt(0, 0, w, h, mask.dc.get(), 0, 0, gdi::SrcAnd);
    sourceCopy.dc->bitBlt(0, 0, w, h, src, rect.left, rect.top, gdi::SrcCopy);
    sourceCopy.dc->bitBlt(0, 0, w, h, inverseMask.dc.get(), 0, 0, gdi::SrcAnd);
    result.dc->bitBlt(0, 0, w, h, sourceCopy.dc.get(), 0, 0, gdi::SrcInvert);
    dst->bitBlt(x, y, w, h, result.dc.get(), 0, 0, gdi::SrcCopy);
}

} // namespace ostrevo
