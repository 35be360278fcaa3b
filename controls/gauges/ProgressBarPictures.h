#pragma once

#include <QImage>

namespace ostrevo
{

// The pictures of the two XP styles: a frame with a white inside and the
// green and blue chunks, vertical shadings six pixels wide.
namespace ProgressBarPictures
{

const QImage &frameBig();   // 229 x 19
const QImage &frameSmall(); // 208 x 13
const QImage &chunk(bool big, bool blue);

} // namespace ProgressBarPictures
} // namespace ostrevo
