#include "platform/shell/IconFile.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace shell
{

QList<QImage> iconsOfFile(const QString &path, QSize size)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QList<QImage> icons;
    if (suffix == QLatin1String("svg")) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return icons;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        icons << image;
        return icons;
    }
    if (suffix != QLatin1String("ico") && suffix != QLatin1String("png"))
        return icons;
    QImageReader reader(path, suffix.toLatin1());
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        icons << image;
    } while (reader.jumpToNextImage());
    return icons;
}

} // namespace shell
