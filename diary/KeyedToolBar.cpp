#include "diary/KeyedToolBar.h"

#include <QAction>

namespace kalvento {

KeyedToolBar::KeyedToolBar(QWidget *parent) : QToolBar(parent) {}

QAction *KeyedToolBar::addButton(const QString &key, const QString &toolTip)
{
    QAction *action = addAction(toolTip);
    action->setObjectName(key);
    action->setToolTip(toolTip);
    connect(action, &QAction::triggered, this, [this, key] { emit ButtonClick(key); });
    return action;
}

QAction *KeyedToolBar::button(const QString &key) const
{
    for (QAction *action : actions())
        if (action->objectName() == key)
            return action;
    return nullptr;
}

} // namespace kalvento
