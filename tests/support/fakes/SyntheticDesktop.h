#pragma once

#include "platform/desktop/DesktopSource.h"

#include <QColor>
#include <QSize>

namespace desktop
{

// A desktop the test paints: image holds the screen from (0, 0); whatever
// lies outside it reads as outside.
class SyntheticDesktop : public DesktopSource
{
public:
    explicit SyntheticDesktop(QSize size = QSize(1024, 768), QColor fill = Qt::white,
                              QColor outside = Qt::black);
    explicit SyntheticDesktop(QImage image, QColor outside = Qt::black);

    QImage capture(const QRect &rect) const override;
    QImage &image() { return m_image; }
    // How often capture() was asked, and for what.
    int captureCount() const { return m_captures; }
    QRect lastRect() const { return m_lastRect; }

private:
    QImage m_image;
    QColor m_outside;
    mutable int m_captures = 0;
    mutable QRect m_lastRect;
};

} // namespace desktop
