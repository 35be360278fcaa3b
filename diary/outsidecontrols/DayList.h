#pragma once

#include "platform/dao/TextColumn.h"

#include <QListView>

namespace kalvento
{

class DayListModel;

// The main window's list box of days, with the members of a list box the
// diary uses. Every row is one line of text in the list's font, so all rows
// are as high as the first and none is measured on its own.
class DayList : public QListView
{
    Q_OBJECT
public:
    explicit DayList(QWidget *parent = nullptr);

    // Fills the list anew, in the given order; nothing is selected after.
    void setDays(dao::TextColumn days);
    void clear() { setDays({}); }
    int count() const;
    QString text(int row) const;
    // Whether an item equals the text exactly (case-sensitive, whole text).
    bool contains(const QString &text) const;
    // -1 when no item is chosen.
    int currentRow() const;
    void setCurrentRow(int row);

signals:
    void currentRowChanged(int row);

protected:
    void focusInEvent(QFocusEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void paintEvent(QPaintEvent *event) override;

private:
    DayListModel *m_model;
    bool m_takingFocus = false;
};

} // namespace kalvento
