#pragma once

#include <QToolBar>

class QActionGroup;

namespace kalvento
{

// The outside tool bar: each button carries a key, and a click raises
// ButtonClick with that key. Pressed states are the buttons' own.
class KeyedToolBar : public QToolBar
{
    Q_OBJECT
public:
    enum Kind { Push, Toggle, Option };

    explicit KeyedToolBar(QWidget *parent = nullptr);

    // Option buttons of one group exclude each other; toggles stand alone.
    QAction *addButton(const QString &key, const QString &caption, const QString &toolTip = QString(),
                       Kind kind = Push, int group = 0);
    // A button showing only its symbol; the tool tip names it.
    QAction *addButton(const QString &key, const QIcon &symbol, const QString &toolTip, Kind kind = Push,
                       int group = 0);
    // A drop-down part under the button; its entries raise no ButtonClick.
    void addButtonMenu(const QString &key, const QStringList &entries);
    QAction *button(const QString &key) const;
    // The keys of the buttons, left to right; a separator is "".
    QStringList keys() const;

signals:
    void ButtonClick(const QString &key);

private:
    QActionGroup *groupOf(int group);
};

} // namespace kalvento
