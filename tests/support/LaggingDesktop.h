#pragma once

#include "platform/desktop/DesktopSource.h"

#include <QColor>
#include <QObject>
#include <QSize>

namespace testsupport
{

// A desktop that behaves like a real window system: a window appears on the
// screen as soon as it is shown, but the area a closed window leaves behind is
// repainted only when the window system is given its moment (settle()). Until
// then a capture still shows the closed window.
class LaggingDesktop : public QObject, public desktop::DesktopSource
{
public:
    explicit LaggingDesktop(QSize size = QSize(1024, 768), QColor backdrop = Qt::white);
    ~LaggingDesktop() override;

    QImage capture(const QRect &rect) const override;
    void settle() const override;

    // What the last capture returned.
    QImage lastCapture() const { return m_lastCapture; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void repaintScreen() const;

    QSize m_size;
    QColor m_backdrop;
    mutable QImage m_screen;
    mutable QImage m_lastCapture;
};

} // namespace testsupport
