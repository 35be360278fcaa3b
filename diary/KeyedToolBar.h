#pragma once

#include <QToolBar>

namespace kalvento {

// The outside tool bar: each button carries a key, and a click raises
// ButtonClick with that key.
class KeyedToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit KeyedToolBar(QWidget *parent = nullptr);

    QAction *addButton(const QString &key, const QString &toolTip);
    QAction *button(const QString &key) const;

signals:
    void ButtonClick(const QString &key);
};

} // namespace kalvento
