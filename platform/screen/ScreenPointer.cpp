#include "platform/screen/ScreenPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace screen {

namespace {
std::unique_ptr<ScreenPointer> &installed()
{
    static std::unique_ptr<ScreenPointer> instance;
    return instance;
}

Qt::CursorShape shapeOf(int pointer)
{
    switch (pointer) {
    case 1: return Qt::ArrowCursor;
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 15: return Qt::SizeAllCursor;
    case 99: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
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
    if (m_overridden)
        QGuiApplication::setOverrideCursor(QCursor(shapeOf(pointer)));
}

ScreenPointer &screenPointer()
{
    if (!installed())
        installed() = std::make_unique<ApplicationPointer>();
    return *installed();
}

void setScreenPointer(std::unique_ptr<ScreenPointer> replacement) { installed() = std::move(replacement); }

void resetScreenPointer() { installed().reset(); }

} // namespace screen
