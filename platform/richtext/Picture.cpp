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
// The document finds a format among its own by a hash that leaves byte
// arrays out: pictures differing only in their bytes would all be compared
// with each other, a read of thousands taking minutes. This number tells them
// apart.
constexpr int kKeyProperty = QTextFormat::UserProperty + 0x5205;

constexpr double kTwipsPerPixel = 15.0;
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

// The size scaled down, sides in proportion, until both fit a page.
QSizeF fitOnPage(QSizeF shown)
{
    const double scale =
        std::min(1.0, Picture::kMaxDisplaySide / std::max({shown.width(), shown.height(), 1.0}));
    return scale < 1.0 ? QSizeF(std::max(1.0, shown.width() * scale), std::max(1.0, shown.height() * scale))
                       : shown;
}

// Every undrawn picture shows the same small image, stretched to its size:
// a stand-in costs nothing however many and however large they are.
QString standIn(QTextDocument *doc)
{
    const QString name = QStringLiteral("kvpic:frame");
    if (!doc->resource(QTextDocument::ImageResource, QUrl(name)).isValid()) {
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(QColor(0x80, 0x80, 0x80));
        QPainter(&image).fillRect(2, 2, 60, 60, QColor(0xF0, 0xF0, 0xF0));
        doc->addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    return name;
}

void setBytes(QTextImageFormat &format, const QByteArray &encoded, const QByteArray *pictWords)
{
    format.setProperty(kBytesProperty, encoded);
    size_t key = qHash(encoded);
    if (pictWords) {
        format.setProperty(kWordsProperty, *pictWords);
        key = qHashMulti(key, *pictWords);
    }
    format.setProperty(kKeyProperty, static_cast<int>(key));
}

} // namespace

// Decodes a PNG or JPEG small enough to show and inserts it. With a budget,
// it is decoded no larger than it is shown, and only while the budget lasts.
bool Picture::insertDrawn(QTextCursor &cursor, const QByteArray &encoded, Kind kind, QSize natural,
                          QSizeF displaySize, Budget *budget)
{
    if (kind == Kind::None || natural.isEmpty() || tooLarge(natural))
        return false;
    QSize decoded = natural;
    if (budget && !displaySize.isEmpty() && displaySize.width() < natural.width() &&
        displaySize.height() < natural.height())
        decoded = QSize(std::max(1, int(std::ceil(displaySize.width()))),
                        std::max(1, int(std::ceil(displaySize.height()))));
    // Equal pictures share one resource; the format carries its own bytes, so
    // a clash of names could at worst show the wrong image, never save it.
    const QString name = QStringLiteral("kvpic:%1-%2-%3x%4")
                             .arg(qHash(encoded), 0, 16)
                             .arg(encoded.size())
                             .arg(decoded.width())
                             .arg(decoded.height());
    QTextDocument *doc = cursor.document();
    if (!doc->resource(QTextDocument::ImageResource, QUrl(name)).isValid()) {
        const qint64 pixels = qint64(decoded.width()) * decoded.height();
        const qint64 sourcePixels = qint64(natural.width()) * natural.height();
        if (budget && (pixels > budget->pixels || sourcePixels > budget->sourcePixels)) {
            budget->heldBack = true;
            return false;
        }
        QBuffer buffer;
        buffer.setData(encoded);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, formatName(kind));
        if (decoded != natural)
            reader.setScaledSize(decoded);
        QImage image;
        if (!reader.read(&image) || image.isNull())
            return false;
        // The budget counts four bytes a pixel, as a screen shows them; a
        // 16-bit PNG decodes at eight.
        if (image.depth() > 32)
            image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                    : QImage::Format_RGB32);
        if (budget) {
            budget->pixels -= pixels;
            budget->sourcePixels -= sourcePixels;
        }
        doc->addResource(QTextDocument::ImageResource, QUrl(name), image);
    }

    QTextImageFormat format;
    format.setName(name);
    setBytes(format, encoded, nullptr);
    format.setProperty(kWidthProperty, natural.width());
    format.setProperty(kHeightProperty, natural.height());
    if (!displaySize.isEmpty() && displaySize != QSizeF(natural)) {
        format.setWidth(displaySize.width());
        format.setHeight(displaySize.height());
    }
    cursor.insertImage(format);
    return true;
}

namespace
{

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
    const QSize natural = headerSize(encoded, kind);
    if (insertDrawn(cursor, encoded, kind, natural, displaySize, nullptr))
        return true;
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
                         QSizeF displaySize, Budget &budget)
{
    if (!cursor.document())
        return;
    const QByteArray blip = blipOf(pictWords);
    const Kind kind = kindOf(data);
    const QSize natural = kind == Kind::None ? QSize() : headerSize(data, kind);
    QSizeF shown = displaySize;
    if (shown.isEmpty())
        shown = natural.isEmpty() ? QSizeF(kDefaultFrame) : QSizeF(natural);
    const QSizeF fitted = fitOnPage(shown);
    bool drawable = (blip == "pngblip" && kind == Kind::Png) || (blip == "jpegblip" && kind == Kind::Jpeg);
    if (fitted != shown || fitted.height() > budget.height) {
        budget.heldBack = true;
        shown = fitted.height() > budget.height ? QSizeF(kDefaultFrame) : fitted;
        drawable = drawable && shown == fitted;
    }
    budget.height -= shown.height();
    if (drawable && insertDrawn(cursor, data, kind, natural, shown, &budget))
        return;
    insertUndrawn(cursor, data, pictWords, natural, shown);
}

void Picture::insertUndrawn(QTextCursor &cursor, const QByteArray &data, const QByteArray &pictWords,
                            QSize natural, QSizeF displaySize)
{
    QSizeF shown = displaySize;
    if (shown.isEmpty())
        shown = natural.isEmpty() ? QSizeF(kDefaultFrame) : QSizeF(natural);
    shown =
        QSizeF(std::clamp(shown.width(), 1.0, kMaxShownSide), std::clamp(shown.height(), 1.0, kMaxShownSide));

    if (natural.isEmpty())
        natural = shown.toSize();
    QTextImageFormat format;
    format.setName(standIn(cursor.document()));
    setBytes(format, data, &pictWords);
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
