#include "platform/help/HelpPictures.h"

#include "platform/help/HelpFile.h"

#include <QBuffer>
#include <QImageReader>

namespace help
{

namespace
{

// The decoder a picture's first bytes call for; empty for any other kind.
QByteArray formatOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (bytes.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return "gif";
    if (bytes.startsWith("BM"))
        return "bmp";
    return {};
}

} // namespace

void HelpPictures::setFile(const HelpFile *file)
{
    m_file = file;
    newPage();
}

void HelpPictures::newPage()
{
    m_pictures.clear();
    m_pixels = 0;
}

QPixmap HelpPictures::standIn()
{
    QPixmap empty(1, 1);
    empty.fill(Qt::transparent);
    return empty;
}

QPixmap HelpPictures::picture(const QString &name)
{
    if (!m_file || !m_file->hasPage(name))
        return standIn();
    const auto known = m_pictures.constFind(name);
    if (known != m_pictures.constEnd())
        return *known;
    QImage image = decode(m_file->content(name));
    const QPixmap shown = image.isNull() ? standIn() : QPixmap::fromImage(std::move(image));
    m_pictures.insert(name, shown);
    return shown;
}

QImage HelpPictures::decode(const QByteArray &bytes)
{
    const QByteArray format = formatOf(bytes);
    if (format.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxSide || size.height() > MaxSide)
        return {};
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > MaxPicturePixels || m_pixels + pixels > MaxPagePixels)
        return {};
    // The decoder's own bound, should a file's later parts claim more than
    // its header: 8 bytes a pixel at most (16 bits a channel), in MiB.
    reader.setAllocationLimit(int(pixels * 8 / (1024 * 1024)) + 1);
    QImage image = reader.read();
    if (!image.isNull())
        m_pixels += pixels;
    return image;
}

} // namespace help
