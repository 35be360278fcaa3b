#include "platform/richtext/Picture.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace richtext
{

namespace
{

constexpr int kBytesProperty = QTextFormat::UserProperty + 0x5201;
constexpr int kWidthProperty = QTextFormat::UserProperty + 0x5202;
constexpr int kHeightProperty = QTextFormat::UserProperty + 0x5203;
constexpr int kWordsProperty = QTextFormat::UserProperty + 0x5204;

constexpr double kTwipsPerPixel = 15.0;
// The frame of an undrawn picture is drawn this large at most and scaled to
// its display size, so a huge picture costs no huge image.
constexpr int kMaxFrameSide = 512;
constexpr double kMaxShownSide = 31680 * 10 / kTwipsPerPixel;
constexpr QSize kDefaultFrame(32, 32);

const char *formatName(Picture::Kind kind)
{
    return kind == Picture::Kind::Png ? "PNG" : "JPEG";
}

QSize headerSize(const QByteArray &encoded, Picture::Kind kind)
{
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, formatName(kind)).size();
}

bool tooLarge(QSize size)
{
    return qint64(size.width()) * size.height() > Picture::kMaxShownPixels;
}

// Decodes a PNG or JPEG small enough to show and inserts it.
bool insertDrawn(QTextCursor &cursor, const QByteArray &encoded, Picture::Kind kind, QSizeF displaySize)
{
    if (kind == Picture::Kind::None || tooLarge(headerSize(encoded, kind)))
        return false;
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formatName(kind));
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return false;

    // Equal pictures share one resource; the format carries its own bytes, so
    // a clash of names could at worst show the wrong image, never save it.
    const QString name = QStringLiteral("kvpic:%1-%2").arg(qHash(encoded), 0, 16).arg(encoded.size());
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

QImage frameImage(QSizeF shown)
{
    const double scale = std::min(1.0, kMaxFrameSide / std::max(shown.width(), shown.height()));
    const QSize size(std::max(1, int(std::lround(shown.width() * scale))),
                     std::max(1, int(std::lround(shown.height() * scale))));
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return image;
}

// The blip word (the picture's kind) among a \pict group's control words.
QByteArray blipOf(const QByteArray &pictWords)
{
    for (const QByteArray &word : pictWords.split('\\')) {
        QByteArray name = word;
        while (!name.isEmpty() &&
               (std::isdigit(static_cast<unsigned char>(name.back())) || name.back() == '-'))
            name.chop(1);
        if (name.endsWith("blip") || name.startsWith("wmetafile") || name == "macpict" ||
            name.startsWith("pmmetafile") || name.startsWith("dibitmap") || name.startsWith("wbitmap"))
            return name;
    }
    return {};
}

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
    if (insertDrawn(cursor, encoded, kind, displaySize))
        return true;
    const QSize natural = headerSize(encoded, kind);
    if (!tooLarge(natural))
        return false;
    const QSizeF shown = displaySize.isValid() ? displaySize : QSizeF(natural);
    const QByteArray words = (kind == Kind::Png ? "\\pngblip" : "\\jpegblip") + QByteArray("\\picw") +
                             QByteArray::number(natural.width()) + "\\pich" +
                             QByteArray::number(natural.height()) + "\\picwgoal" +
                             QByteArray::number(std::lround(shown.width() * kTwipsPerPixel)) + "\\pichgoal" +
                             QByteArray::number(std::lround(shown.height() * kTwipsPerPixel));
    insertUndrawn(cursor, encoded, words, natural, shown);
    return true;
}

void Picture::insertRead(QTextCursor &cursor, const QByteArray &data, const QByteArray &pictWords,
                         QSizeF displaySize)
{
    if (!cursor.document())
        return;
    const QByteArray blip = blipOf(pictWords);
    const Kind kind = kindOf(data);
    const bool drawable =
        (blip == "pngblip" && kind == Kind::Png) || (blip == "jpegblip" && kind == Kind::Jpeg);
    if (drawable && insertDrawn(cursor, data, kind, displaySize))
        return;
    insertUndrawn(cursor, data, pictWords, kind == Kind::None ? QSize() : headerSize(data, kind),
                  displaySize);
}

void Picture::insertUndrawn(QTextCursor &cursor, const QByteArray &data, const QByteArray &pictWords,
                            QSize natural, QSizeF displaySize)
{
    QSizeF shown = displaySize;
    if (shown.isEmpty())
        shown = natural.isEmpty() ? QSizeF(kDefaultFrame) : QSizeF(natural);
    shown =
        QSizeF(std::clamp(shown.width(), 1.0, kMaxShownSide), std::clamp(shown.height(), 1.0, kMaxShownSide));

    const QImage frame = frameImage(shown);
    const QString name = QStringLiteral("kvpic:frame-%1x%2").arg(frame.width()).arg(frame.height());
    QTextDocument *doc = cursor.document();
    if (!doc->resource(QTextDocument::ImageResource, QUrl(name)).isValid())
        doc->addResource(QTextDocument::ImageResource, QUrl(name), frame);

    if (natural.isEmpty())
        natural = shown.toSize();
    QTextImageFormat format;
    format.setName(name);
    format.setProperty(kBytesProperty, data);
    format.setProperty(kWordsProperty, pictWords);
    format.setProperty(kWidthProperty, natural.width());
    format.setProperty(kHeightProperty, natural.height());
    format.setWidth(shown.width());
    format.setHeight(shown.height());
    cursor.insertImage(format);
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

bool Picture::isUndrawn(const QTextFormat &format)
{
    return format.hasProperty(kWordsProperty);
}

QByteArray Picture::pictWords(const QTextFormat &format)
{
    return format.property(kWordsProperty).toByteArray();
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
