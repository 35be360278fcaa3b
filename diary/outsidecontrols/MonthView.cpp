#include "diary/outsidecontrols/MonthView.h"

namespace kalvento
{

MonthView::MonthView(QWidget *parent) : QCalendarWidget(parent)
{
    connect(this, &QCalendarWidget::clicked, this, &MonthView::choose);
}

void MonthView::choose(const QDate &day)
{
    setSelectedDate(day);
    emit DateChosen(com::Variant::fromDate(QDateTime(day, QTime(0, 0))));
}

} // namespace kalvento
