#pragma once

#include <QImage>
#include <QString>

namespace rt
{

// The form runtime's clipboard: text (format 1) and pictures.
class Clipboard
{
public:
    static void clear();
    static void setText(const QString &text);
    // The clipboard's text, or "" when it holds none.
    static QString text();
    static void setImage(const QImage &image);
    // A picture together with its file's bytes of this type ("image/jpeg"),
    // so whoever pastes it can keep them.
    static void setPicture(const QImage &image, const QByteArray &encoded, const QString &mimeType);
    // The bytes of a JPEG or PNG picture on the clipboard; empty when none.
    static QByteArray encodedPicture();
    // A null image when the clipboard holds no picture.
    static QImage image();
};

} // namespace rt
