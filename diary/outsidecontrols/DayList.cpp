#include "diary/outsidecontrols/DayList.h"

#include "diary/outsidecontrols/DayListModel.h"
#include "diary/outsidecontrols/FocusMark.h"

namespace kalvento
{

DayList::DayList(QWidget *parent) : FirstKeyChooses<QListView>(parent), m_model(new DayListModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                viewport()->update(); // the focus mark goes from the box to the row, or back
                emit currentRowChanged(current.isValid() ? current.row() : -1);
            });
}

void DayList::setDays(dao::TextColumn days, std::vector<int64_t> bookmarks)
{
    m_bookmarks = std::move(bookmarks);
    m_model->setDays(std::move(days));
}

int DayList::count() const
{
    return int(m_model->days().size());
}

QString DayList::text(int row) const
{
    return m_model->days().at(row);
}

bool DayList::contains(const QString &text) const
{
    return m_model->days().indexOf(text) >= 0;
}

int DayList::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void DayList::setCurrentRow(int row)
{
    setCurrentIndex(m_model->index(row));
}

void DayList::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    paintFocusWithoutCurrent(*this);
}

} // namespace kalvento
