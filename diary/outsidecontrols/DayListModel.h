#pragma once

#include "platform/dao/TextColumn.h"

#include <QAbstractListModel>

namespace kalvento
{

// The texts of the main window's list of days, held once: the view asks only
// for the rows it shows, so a diary of 100,000 days costs no item objects.
class DayListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setDays(dao::TextColumn days);
    const dao::TextColumn &days() const { return m_days; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    dao::TextColumn m_days;
};

} // namespace kalvento
