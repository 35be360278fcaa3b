#pragma once

#include "platform/desktop/DesktopSource.h"

#include <QColor>

namespace desktop
{

// A backdrop of one colour, for sessions that cannot see other windows.
class NeutralDesktop : public DesktopSource
{
public:
    explicit NeutralDesktop(QColor colour = QColor(192, 192, 192)) : m_colour(colour) {}
    QImage capture(const QRect &rect) const override;

private:
    QColor m_colour;
};

} // namespace desktop
