#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

class QTextCursor;
class QTextFormat;

namespace richtext {

// A picture in the text keeps the bytes it came with (PNG or JPEG), so saving
// writes them back unchanged; the decoded image is only for showing it.
class Picture {
public:
    enum class Kind { None, Png, Jpeg };

    static Kind kindOf(const QByteArray &encoded);

    // Inserts an encoded picture at the cursor. Bytes that do not decode as a
    // PNG or JPEG insert nothing and return false. A display size in pixels
    // that differs from the picture's own is kept.
    static bool insert(QTextCursor &cursor, const QByteArray &encoded, QSizeF displaySize = {});
    // A picture that comes without a file form (the clipboard, a bitmap) is
    // stored as PNG.
    static bool insertImage(QTextCursor &cursor, const QImage &image);

    static bool isPicture(const QTextFormat &format);
    static QByteArray encoded(const QTextFormat &format);
    // Pixel size of the stored picture and the size it is shown at.
    static QSize naturalSize(const QTextFormat &format);
    static QSizeF displaySize(const QTextFormat &format);
};

} // namespace richtext
