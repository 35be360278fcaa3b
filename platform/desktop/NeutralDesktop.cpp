#include "platform/desktop/NeutralDesktop.h"

namespace desktop
{

QImage NeutralDesktop::capture(const QRect &rect) const
{
    QImage image(rect.size().expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    image.fill(m_colour);
    return image;
}

} // namespace desktop
