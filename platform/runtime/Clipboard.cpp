#include "platform/runtime/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace rt
{

void Clipboard::clear()
{
    QGuiApplication::clipboard()->clear();
}

void Clipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString Clipboard::text()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

void Clipboard::setImage(const QImage &image)
{
    QGuiApplication::clipboard()->setImage(image);
}

void Clipboard::setPicture(const QImage &image, const QByteArray &encoded, const QString &mimeType)
{
    auto *data = new QMimeData;
    data->setImageData(image);
    data->setData(mimeType, encoded);
    QGuiApplication::clipboard()->setMimeData(data);
}

QByteArray Clipboard::encodedPicture()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return {};
    for (const char *type : {"image/jpeg", "image/png"})
        if (data->hasFormat(QLatin1String(type)))
            return data->data(QLatin1String(type));
    return {};
}

QImage Clipboard::image()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage() ? qvariant_cast<QImage>(data->imageData()) : QImage();
}

} // namespace rt
