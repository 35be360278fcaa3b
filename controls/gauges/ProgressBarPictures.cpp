#include "controls/gauges/ProgressBarPictures.h"

#include <QColor>
#include <initializer_list>
#include <utility>

namespace ostrevo::ProgressBarPictures
{

namespace
{

constexpr int ChunkWidth = 6;

// One colour a row; in the darkest row of the green chunks the last pixel is
// a shade darker than the others.
QImage shading(std::initializer_list<QRgb> rows, int darkRow = -1)
{
    QImage image(ChunkWidth, int(rows.size()), QImage::Format_RGB32);
    int y = 0;
    for (QRgb row : rows) {
        for (int x = 0; x < ChunkWidth; ++x)
            image.setPixel(x, y, row);
        ++y;
    }
    if (darkRow >= 0)
        image.setPixel(ChunkWidth - 1, darkRow, 0x74A66A);
    return image;
}

// A dark outline with softened corners, a light line just inside it and a
// white inside, where the chunks go from x = 3 and y = 2.
QImage frame(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0xFF, 0xFF, 0xFF));
    const QRgb outline = 0x686868, corner = 0xB4B4B4, inner = 0xDDDDDD;
    for (int x = 0; x < width; ++x) {
        image.setPixel(x, 0, outline);
        image.setPixel(x, height - 1, outline);
        if (x > 0 && x < width - 1) {
            image.setPixel(x, 1, inner);
            image.setPixel(x, height - 2, inner);
        }
    }
    for (int y = 0; y < height; ++y) {
        image.setPixel(0, y, outline);
        image.setPixel(width - 1, y, outline);
        if (y > 0 && y < height - 1) {
            image.setPixel(1, y, inner);
            image.setPixel(width - 2, y, inner);
        }
    }
    for (const auto &[x, y] : {std::pair{0, 0}, {width - 1, 0}, {0, height - 1}, {width - 1, height - 1}})
        image.setPixel(x, y, corner);
    return image;
}

} // namespace

const QImage &frameBig()
{
    static const QImage image = frame(229, 19);
    return image;
}

const QImage &frameSmall()
{
    static const QImage image = frame(208, 13);
    return image;
}

const QImage &chunk(bool big, bool blue)
{
    static const QImage green = shading({0x95B38E, 0x99C88E, 0xA4D498, 0xC3E3BA, 0xA4D498, 0x8DBC82, 0x83AE76,
                                         0x83AE76, 0x76A66A, 0x83AE76, 0x83AE76, 0x8FBC82, 0x98C88C},
                                        8);
    static const QImage blueBig =
        shading({0x0A8BB1, 0x0A97C0, 0x0CB7E9, 0x20C5F4, 0x0CB7E9, 0x0A97C0, 0x0A8BB1, 0x0A8BB1, 0x09718E,
                 0x0A8BB1, 0x0A8BB1, 0x0A97C0, 0x0CB7E9});
    static const QImage greenSmall =
        shading({0x95B38E, 0xA4D498, 0xA4D498, 0x76A66A, 0x83AE76, 0x8FBC82, 0x98C88C}, 3);
    static const QImage blueSmall =
        shading({0x0A97C0, 0x0CB7E9, 0x0CB7E9, 0x0A8BB1, 0x0A97C0, 0x0BA6D2, 0x0CB7E9});
    if (big)
        return blue ? blueBig : green;
    return blue ? blueSmall : greenSmall;
}

} // namespace ostrevo::ProgressBarPictures
