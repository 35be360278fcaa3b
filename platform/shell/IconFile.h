#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace shell
{

// The icons a file holds: every image of an .ico file, the one picture of a
// .png or .svg file (an .svg drawn at size); none for anything else.
QList<QImage> iconsOfFile(const QString &path, QSize size);

} // namespace shell
