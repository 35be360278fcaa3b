#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

class QTextCursor;
class QTextFormat;

namespace richtext
{

// A picture in the text keeps the bytes it came with, so saving writes them
// back unchanged; the decoded image is only for showing it.
//
// A picture we cannot or will not draw (a metafile, an unknown kind, damaged
// data, or one too large to decode) is shown as a frame of its size, one
// image shared by all, and keeps the control words it was read with besides
// its bytes, so that it is written back as it came.
class Picture
{
public:
    enum class Kind { None, Png, Jpeg };

    // Pictures with more pixels are not decoded for showing.
    static constexpr qint64 kMaxShownPixels = 4096LL * 4096;
    // A picture is shown at most this wide and high (about two pages), its
    // sides in proportion: a larger display size would make one picture
    // taller than the layout copes with.
    static constexpr double kMaxDisplaySide = 2000;

    // What the pictures of one entry may cost as it is read: the pixels
    // decoded for showing (128 MB at four bytes each), the pixels of the
    // pictures decoded (the time it takes: four of 4096 x 4096) and the
    // height they are shown at. Pictures beyond are kept undrawn.
    struct Budget {
        qint64 pixels = 32LL * 1024 * 1024;
        qint64 sourcePixels = 64LL * 1024 * 1024;
        double height = 200'000;
        // Whether a picture was shown other than its words say.
        bool heldBack = false;
    };

    static Kind kindOf(const QByteArray &encoded);

    // Inserts an encoded picture at the cursor. Bytes that are no PNG or
    // JPEG insert nothing and return false; one too large to draw, or that
    // does not decode, is kept undrawn. A display size in pixels that differs
    // from the picture's own is kept.
    static bool insert(QTextCursor &cursor, const QByteArray &encoded, QSizeF displaySize = {});
    // Inserts a picture as read from RTF: `pictWords` are the \pict group's
    // control words (kind, sizes, scaling) as they stood. It is drawn when it
    // is a PNG or JPEG that decodes within the budget, else kept undrawn at
    // `displaySize`; either is fitted into kMaxDisplaySide.
    static void insertRead(QTextCursor &cursor, const QByteArray &data, const QByteArray &pictWords,
                           QSizeF displaySize, Budget &budget);
    // A picture that comes without a file form (the clipboard, a bitmap) is
    // stored as PNG.
    static bool insertImage(QTextCursor &cursor, const QImage &image);

    static bool isPicture(const QTextFormat &format);
    static QByteArray encoded(const QTextFormat &format);
    // Whether it is shown as a frame only, and the control words it is then
    // written back with (there may be none).
    static bool isUndrawn(const QTextFormat &format);
    static QByteArray pictWords(const QTextFormat &format);
    // Pixel size of the stored picture and the size it is shown at.
    static QSize naturalSize(const QTextFormat &format);
    static QSizeF displaySize(const QTextFormat &format);

private:
    static void insertUndrawn(QTextCursor &cursor, const QByteArray &data, const QByteArray &pictWords,
                              QSize natural, QSizeF displaySize);
    // `natural` is the size its header gives.
    static bool insertDrawn(QTextCursor &cursor, const QByteArray &encoded, Kind kind, QSize natural,
                            QSizeF displaySize, Budget *budget);
};

} // namespace richtext
