#include "diary/outsidecontrols/DayListModel.h"

namespace kalvento
{

void DayListModel::setDays(dao::TextColumn days)
{
    beginResetModel();
    m_days = std::move(days);
    endResetModel();
}

int DayListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_days.size());
}

QVariant DayListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_days.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_days.at(index.row());
    return {};
}

} // namespace kalvento
