#include "tests/support/LaggingDesktop.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace testsupport
{

LaggingDesktop::LaggingDesktop(QSize size, QColor backdrop) : m_size(size), m_backdrop(backdrop)
{
    repaintScreen();
    qApp->installEventFilter(this);
}

LaggingDesktop::~LaggingDesktop()
{
    qApp->removeEventFilter(this);
}

QImage LaggingDesktop::capture(const QRect &rect) const
{
    m_lastCapture = m_screen.copy(rect);
    return m_lastCapture;
}

void LaggingDesktop::settle() const
{
    repaintScreen();
}

bool LaggingDesktop::eventFilter(QObject *watched, QEvent *event)
{
    // A window being shown is on the screen at once; one being hidden stays
    // there until the next repaint.
    if (event->type() == QEvent::Show) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->isWindow())
            repaintScreen();
    }
    return QObject::eventFilter(watched, event);
}

void LaggingDesktop::repaintScreen() const
{
    m_screen = QImage(m_size, QImage::Format_RGB32);
    m_screen.fill(m_backdrop);
    QPainter painter(&m_screen);
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            painter.drawPixmap(window->geometry().topLeft(), window->grab());
}

} // namespace testsupport
