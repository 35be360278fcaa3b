#include "tests/support/fakes/SyntheticDesktop.h"

#include <QPainter>

namespace desktop
{

SyntheticDesktop::SyntheticDesktop(QSize size, QColor fill, QColor outside)
    : m_image(size, QImage::Format_RGB32), m_outside(outside)
{
    m_image.fill(fill);
}

SyntheticDesktop::SyntheticDesktop(QImage image, QColor outside)
    : m_image(image.convertToFormat(QImage::Format_RGB32)), m_outside(outside)
{
}

QImage SyntheticDesktop::capture(const QRect &rect) const
{
    ++m_captures;
    m_lastRect = rect;
    QImage part(rect.size().expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    part.fill(m_outside);
    QPainter painter(&part);
    painter.drawImage(QPoint(0, 0), m_image, rect);
    return part;
}

} // namespace desktop
