#include "platform/screen/ScreenPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace screen
{

namespace
{
constexpr int Hourglass = 11;

Qt::CursorShape shapeOf(int pointer)
{
    switch (pointer) {
    case 1:
        return Qt::ArrowCursor;
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case Hourglass:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 15:
        return Qt::SizeAllCursor;
    case 99:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}
} // namespace

ScreenPointer::~ScreenPointer() = default;

ApplicationPointer::~ApplicationPointer()
{
    if (m_overridden && qGuiApp)
        QGuiApplication::restoreOverrideCursor();
}

void ApplicationPointer::setPointer(int pointer)
{
    m_pointer = pointer;
    if (!qGuiApp)
        return;
    if (m_overridden)
        QGuiApplication::restoreOverrideCursor();
    m_overridden = pointer != 0;
    // The platform passes the pointer to the window system as it is set, so
    // busy work shows it without the event loop. Running events here would
    // let timers and input act in the middle of the work it marks.
    if (m_overridden)
        QGuiApplication::setOverrideCursor(QCursor(shapeOf(pointer)));
}

WaitPointer::WaitPointer() : m_before(rt::ServiceSlot<ScreenPointer>::current().pointer())
{
    rt::ServiceSlot<ScreenPointer>::current().setPointer(Hourglass);
}

WaitPointer::~WaitPointer()
{
    rt::ServiceSlot<ScreenPointer>::current().setPointer(m_before);
}

} // namespace screen

KV_SERVICE_SLOT_STORAGE(screen::ScreenPointer)

template <> std::unique_ptr<screen::ScreenPointer> rt::ServiceSlot<screen::ScreenPointer>::makeDefault()
{
    return std::make_unique<screen::ApplicationPointer>();
}
