#pragma once

#include <QIcon>

namespace ostrevo
{

// The folder tree's image list: 18 pictures of 16 x 16 pixels, numbered from
// 1. Images 1-9 are the drives (removable, fixed, other), 10-18 the folders
// (closed, open, selected); each kind comes in the three themes Gray, Yellow
// and xp, which differ in their colours.
class TreeImages
{
public:
    static constexpr int Count = 18;
    static constexpr int Size = 16;

    // The picture with that number; an empty icon outside 1 to 18.
    static QIcon icon(int index);
    static QImage image(int index);
};

} // namespace ostrevo
