#include "platform/gdi/Picture.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/ObjectTable.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cstdlib>
#include <limits>

namespace gdi
{

namespace
{

int mulDiv(int64_t value, int64_t numerator, int64_t denominator)
{
    if (denominator <= 0)
        return 0;
    const int64_t n = value * numerator;
    const int64_t q = n >= 0 ? (n + denominator / 2) / denominator : -((-n + denominator / 2) / denominator);
    return static_cast<int>(q);
}

} // namespace

Picture::Picture(QImage image, Type type) : m_image(std::move(image)), m_type(type) {}

Picture Picture::fromData(const QByteArray &bytes, QSize preferredIconSize)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format().toLower();
    if (format.isEmpty())
        return Picture();
    if (format != "ico" && format != "cur") {
        QImage image = reader.read();
        return image.isNull() ? Picture() : Picture(std::move(image), Bitmap);
    }
    // An icon file holds several images; take the one nearest in size.
    const QSize wanted = preferredIconSize.isValid() ? preferredIconSize : QSize(32, 32);
    QImage best;
    int bestDistance = std::numeric_limits<int>::max();
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull())
            continue;
        const int distance =
            std::abs(image.width() - wanted.width()) + std::abs(image.height() - wanted.height());
        if (distance < bestDistance) {
            best = image;
            bestDistance = distance;
        }
    }
    return best.isNull() ? Picture() : Picture(std::move(best), Icon);
}

Picture Picture::fromFile(const QString &path, QSize preferredIconSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Picture();
    return fromData(file.readAll(), preferredIconSize);
}

int Picture::pixelsToHimetric(int pixels, int dotsPerInch)
{
    return mulDiv(pixels, 2540, dotsPerInch);
}

int Picture::himetricToPixels(int himetric, int dotsPerInch)
{
    return mulDiv(himetric, dotsPerInch, 2540);
}

bool Picture::render(DeviceContext &dc, int x, int y, int width, int height) const
{
    return !isNull() && dc.drawImage(x, y, m_image, width, height);
}

Handle Picture::createBitmap() const
{
    return createBitmapFromImage(m_image);
}

} // namespace gdi
