#pragma once

#include "diary/outsidecontrols/FirstKeyChooses.h"
#include "platform/dao/TextColumn.h"

#include <QListView>
#include <cstdint>
#include <vector>

namespace kalvento
{

class DayListModel;

// The main window's list box of days, with the members of a list box the
// diary uses. Every row is one line of text in the list's font, so all rows
// are as high as the first and none is measured on its own.
class DayList : public FirstKeyChooses<QListView>
{
    Q_OBJECT
public:
    explicit DayList(QWidget *parent = nullptr);

    // Fills the list anew, in the given order; nothing is selected after.
    // Each day may bring its record's bookmark, which finds that record
    // while other programs add and delete records around it.
    void setDays(dao::TextColumn days, std::vector<int64_t> bookmarks = {});
    void clear() { setDays({}); }
    int count() const;
    QString text(int row) const;
    int64_t bookmark(int row) const { return m_bookmarks.at(size_t(row)); }
    // Whether an item equals the text exactly (case-sensitive, whole text).
    bool contains(const QString &text) const;
    // -1 when no item is chosen.
    int currentRow() const;
    void setCurrentRow(int row);

signals:
    void currentRowChanged(int row);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DayListModel *m_model;
    std::vector<int64_t> m_bookmarks;
};

} // namespace kalvento
