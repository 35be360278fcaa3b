#include "controls/dialog/AppKeyState.h"

#include "platform/runtime/KeyCodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace ostrevo
{

AppKeyState &AppKeyState::instance()
{
    // Parented to the application, so it goes with it.
    static QPointer<AppKeyState> state;
    if (!state) {
        state = new AppKeyState();
        state->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(state);
    }
    return *state;
}

AppKeyState::AppKeyState() = default;

bool AppKeyState::isDown(int keyCode) const
{
    const auto key = m_keys.find(keyCode);
    return key != m_keys.end() && key->second.down;
}

quint64 AppKeyState::pressCount(int keyCode) const
{
    const auto key = m_keys.find(keyCode);
    return key == m_keys.end() ? 0 : key->second.presses;
}

void AppKeyState::releaseAll()
{
    for (auto &key : m_keys)
        key.second.down = false;
}

void AppKeyState::keyDown(int keyCode)
{
    Key &key = m_keys[keyCode];
    // A key event travels up the parents and passes here once per widget:
    // only the change from up to down is a press.
    if (!key.down)
        ++key.presses;
    key.down = true;
}

void AppKeyState::keyUp(int keyCode)
{
    m_keys[keyCode].down = false;
}

bool AppKeyState::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int code = rt::KeyCodes::keyCode(*key);
        if (code != 0 && !key->isAutoRepeat()) {
            if (event->type() == QEvent::KeyPress)
                keyDown(code);
            else
                keyUp(code);
        }
        break;
    }
    case QEvent::ApplicationDeactivate:
        releaseAll();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ostrevo
