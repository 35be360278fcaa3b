#pragma once

#include "platform/gdi/GdiTypes.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace gdi
{

class DeviceContext;

// A picture object as the form runtime hands them around (StdPicture): a
// bitmap or an icon, with its size in pixels and in HIMETRIC (0.01 mm).
// Holds a QImage, so it works without a display.
class Picture
{
public:
    // The platform's picture types.
    enum Type : int { None = 0, Bitmap = 1, Metafile = 2, Icon = 3 };

    Picture() = default;
    explicit Picture(QImage image, Type type = Bitmap);

    // Reads BMP, PNG, JPEG, GIF or ICO from the bytes of a file; an icon file
    // gives an icon, taking the image nearest to preferredIconSize (32 x 32
    // when not given). An empty picture when the bytes are none of these.
    static Picture fromData(const QByteArray &bytes, QSize preferredIconSize = QSize());
    static Picture fromFile(const QString &path, QSize preferredIconSize = QSize());

    bool isNull() const { return m_image.isNull(); }
    Type type() const { return isNull() ? None : m_type; }
    const QImage &image() const { return m_image; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    // The size in HIMETRIC at the given screen resolution.
    int widthHimetric(int dotsPerInch = 96) const { return pixelsToHimetric(width(), dotsPerInch); }
    int heightHimetric(int dotsPerInch = 96) const { return pixelsToHimetric(height(), dotsPerInch); }

    // pixels * 2540 / dpi, rounded half away from zero as the platform's
    // MulDiv rounds; and back.
    static int pixelsToHimetric(int pixels, int dotsPerInch = 96);
    static int himetricToPixels(int himetric, int dotsPerInch = 96);

    // Draws the picture with its top-left corner at (x, y), scaled to
    // width x height when they are positive. Transparent parts of icons (and
    // of images with an alpha channel) leave the destination as it is.
    bool render(DeviceContext &dc, int x, int y, int width = 0, int height = 0) const;
    // A new bitmap object holding the picture's pixels, for handle-based code
    // (the picture's handle); the caller deletes it.
    Handle createBitmap() const;

private:
    QImage m_image;
    Type m_type = Bitmap;
};

} // namespace gdi
