#include "controls/foundation/ModResIcons.h"

#include "controls/resources/StockIcons.h"
#include "platform/gdi/ObjectTable.h"

namespace ostrevo
{

namespace
{

constexpr int fullSize = 32;
// Larger requests are refused rather than drawn: a stray number must not
// make the library allocate gigabytes.
constexpr int largestSize = 1024;

// The numeric resource id a value names, or 0. Numeric ids are 16 bits wide;
// a name "#n" stands for the number n, as the platform reads resource names.
int resourceId(const com::Variant &id)
{
    int64_t number = 0;
    switch (id.type()) {
    case com::VarType::Integer:
    case com::VarType::Long:
        number = id.toLong();
        break;
    case com::VarType::String: {
        const QString name = id.toString();
        if (!name.startsWith(QLatin1Char('#')))
            return 0;
        bool ok = false;
        number = name.mid(1).toLongLong(&ok);
        if (!ok || !name.at(1).isDigit())
            return 0;
        break;
    }
    default:
        return 0;
    }
    return number >= 1 && number <= 0xFFFF ? static_cast<int>(number) : 0;
}

// LoadImage for the library's icons: a new icon handle, or 0.
gdi::Handle loadIcon(int group, int width, int height)
{
    if (width == 0)
        width = fullSize;
    if (height == 0)
        height = fullSize;
    if (width < 0 || height < 0 || width > largestSize || height > largestSize)
        return 0;
    const QImage image = StockIcons::render(group, QSize(width, height));
    return image.isNull() ? 0 : gdi::createBitmapFromImage(image);
}

} // namespace

std::shared_ptr<com::StdPicture> LoadResIcon(com::Variant id, int32_t size, int32_t /*flags*/, int32_t width,
                                             int32_t height)
{
    if (size != -1) {
        width = size;
        height = size;
    }
    const int group = resourceId(id);
    const gdi::Handle icon = group ? loadIcon(group, width, height) : 0;
    return IconToPicture(static_cast<int32_t>(icon), picTypeIcon);
}

std::shared_ptr<com::StdPicture> IconToPicture(int32_t handle, int32_t pictureType)
{
    if (handle == 0)
        return nullptr;
    if (pictureType != picTypeIcon && pictureType != picTypeBitmap)
        return nullptr;
    const auto h = static_cast<gdi::Handle>(handle);
    const QImage *image = gdi::bitmapImage(h);
    if (!image || image->isNull())
        return nullptr;
    const auto type = pictureType == picTypeIcon ? gdi::Picture::Icon : gdi::Picture::Bitmap;
    return std::make_shared<com::StdPicture>(gdi::Picture(*image, type), h);
}

} // namespace ostrevo
