#pragma once

#include <QImage>
#include <QSize>

namespace ostrevo
{

// The library's icon resources: groups 1 to 51 (normal), 101 to 150
// (hovered), 201 to 250 (pressed) and 91. Each group is drawn at whatever
// size is asked for, so the sizes the controls use (32, 16, 14, 11) all come
// out sharp.
class StockIcons
{
public:
    static bool exists(int group);
    // The group's image, w x h pixels with transparency; a null image for a
    // group that does not exist or an empty size.
    static QImage render(int group, QSize size);
};

} // namespace ostrevo
