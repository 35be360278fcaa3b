#pragma once

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace help
{

class HelpFile;

// The pictures of the help page on show, decoded from the help file's bytes
// within a budget: a picture's size is read before it is decoded, and one
// larger than MaxPicturePixels, or beyond MaxPagePixels on one page, stands
// as an empty picture. Only PNG, JPEG, GIF and BMP are decoded; anything else
// (SVG, which may name files) stands as the empty picture too. Each picture
// is converted once into what the screen draws: the text engine would
// convert a decoded one again at every use on every repaint.
class HelpPictures
{
public:
    static constexpr qint64 MaxPicturePixels = 4'000'000;
    static constexpr qint64 MaxPagePixels = 16'000'000;
    static constexpr int MaxSide = 8192;

    // The file the pictures come from; the caller keeps it alive while set.
    void setFile(const HelpFile *file);
    // Lets the last page's pictures go and starts a new budget.
    void newPage();
    // The picture the file holds by `name`, or the empty one.
    QPixmap picture(const QString &name);
    // What stands for a picture that is missing or not decoded.
    static QPixmap standIn();

private:
    // The picture decoded; null where it is not.
    QImage decode(const QByteArray &bytes);

    const HelpFile *m_file = nullptr;
    QHash<QString, QPixmap> m_pictures;
    qint64 m_pixels = 0;
};

} // namespace help
