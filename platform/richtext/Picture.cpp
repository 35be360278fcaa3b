#include "platform/richtext/Picture.h"

#include <QBuffer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace richtext {

namespace {

constexpr int kBytesProperty = QTextFormat::UserProperty + 0x5201;
constexpr int kWidthProperty = QTextFormat::UserProperty + 0x5202;
constexpr int kHeightProperty = QTextFormat::UserProperty + 0x5203;

} // namespace

Picture::Kind Picture::kindOf(const QByteArray &encoded)
{
    if (encoded.startsWith("\x89PNG\r\n\x1a\n"))
        return Kind::Png;
    if (encoded.startsWith("\xff\xd8\xff"))
        return Kind::Jpeg;
    return Kind::None;
}

bool Picture::insert(QTextCursor &cursor, const QByteArray &encoded, QSizeF displaySize)
{
    const Kind kind = kindOf(encoded);
    if (kind == Kind::None || !cursor.document())
        return false;
    QImage image;
    if (!image.loadFromData(encoded, kind == Kind::Png ? "PNG" : "JPEG") || image.isNull())
        return false;

    // Equal pictures share one resource; the format carries its own bytes, so
    // a clash of names could at worst show the wrong image, never save it.
    const QString name = QStringLiteral("kvpic:%1-%2")
                             .arg(qHash(encoded), 0, 16)
                             .arg(encoded.size());
    QTextDocument *doc = cursor.document();
    if (!doc->resource(QTextDocument::ImageResource, QUrl(name)).isValid())
        doc->addResource(QTextDocument::ImageResource, QUrl(name), image);

    QTextImageFormat format;
    format.setName(name);
    format.setProperty(kBytesProperty, encoded);
    format.setProperty(kWidthProperty, image.width());
    format.setProperty(kHeightProperty, image.height());
    if (displaySize.isValid() && displaySize != QSizeF(image.size())) {
        format.setWidth(displaySize.width());
        format.setHeight(displaySize.height());
    }
    cursor.insertImage(format);
    return true;
}

bool Picture::insertImage(QTextCursor &cursor, const QImage &image)
{
    if (image.isNull())
        return false;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return false;
    return insert(cursor, png);
}

bool Picture::isPicture(const QTextFormat &format)
{
    return format.isImageFormat() && format.hasProperty(kBytesProperty);
}

QByteArray Picture::encoded(const QTextFormat &format)
{
    return format.property(kBytesProperty).toByteArray();
}

QSize Picture::naturalSize(const QTextFormat &format)
{
    return QSize(format.intProperty(kWidthProperty), format.intProperty(kHeightProperty));
}

QSizeF Picture::displaySize(const QTextFormat &format)
{
    const QTextImageFormat image = format.toImageFormat();
    const QSize natural = naturalSize(format);
    return QSizeF(image.hasProperty(QTextFormat::ImageWidth) ? image.width() : natural.width(),
                  image.hasProperty(QTextFormat::ImageHeight) ? image.height() : natural.height());
}

} // namespace richtext
