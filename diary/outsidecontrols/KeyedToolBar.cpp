#include "diary/outsidecontrols/KeyedToolBar.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolButton>

namespace kalvento
{

KeyedToolBar::KeyedToolBar(QWidget *parent) : QToolBar(parent)
{
    // Small symbols, so the buttons of a bar fit its designed width.
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

QAction *KeyedToolBar::addButton(const QString &key, const QString &caption, const QString &toolTip,
                                 Kind kind, int group)
{
    QAction *action = addAction(caption);
    action->setObjectName(key);
    action->setToolTip(toolTip.isEmpty() ? caption : toolTip);
    action->setCheckable(kind != Push);
    if (kind == Option)
        groupOf(group)->addAction(action);
    connect(action, &QAction::triggered, this, [this, key] { emit ButtonClick(key); });
    return action;
}

QAction *KeyedToolBar::addButton(const QString &key, const QIcon &symbol, const QString &toolTip, Kind kind,
                                 int group)
{
    QAction *action = addButton(key, toolTip, toolTip, kind, group);
    action->setIcon(symbol);
    return action;
}

QActionGroup *KeyedToolBar::groupOf(int group)
{
    const QString name = QStringLiteral("group%1").arg(group);
    if (auto *existing = findChild<QActionGroup *>(name, Qt::FindDirectChildrenOnly))
        return existing;
    auto *created = new QActionGroup(this);
    created->setObjectName(name);
    created->setExclusive(true);
    return created;
}

void KeyedToolBar::addButtonMenu(const QString &key, const QStringList &entries)
{
    QAction *action = button(key);
    if (!action)
        return;
    auto *menu = new QMenu(this);
    for (const QString &entry : entries)
        menu->addAction(entry)->setObjectName(entry);
    action->setMenu(menu);
    if (auto *tool = qobject_cast<QToolButton *>(widgetForAction(action)))
        tool->setPopupMode(QToolButton::MenuButtonPopup);
}

QAction *KeyedToolBar::button(const QString &key) const
{
    for (QAction *action : actions())
        if (!action->isSeparator() && action->objectName() == key)
            return action;
    return nullptr;
}

QStringList KeyedToolBar::keys() const
{
    QStringList result;
    for (QAction *action : actions())
        result << (action->isSeparator() ? QString() : action->objectName());
    return result;
}

} // namespace kalvento
