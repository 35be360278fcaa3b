#pragma once

#include "platform/com/Variant.h"

#include <QCalendarWidget>

namespace kalvento
{

// The outside month calendar: a click on a day raises DateChosen with that
// day as a date variant.
class MonthView : public QCalendarWidget
{
    Q_OBJECT
public:
    explicit MonthView(QWidget *parent = nullptr);

    // What a click on the day does.
    void choose(const QDate &day);

signals:
    void DateChosen(const com::Variant &date);
};

} // namespace kalvento
