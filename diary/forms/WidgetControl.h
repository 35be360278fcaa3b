#pragma once

#include "diary/forms/ResizableControl.h"

#include <QPointer>
#include <QWidget>

namespace kalvento
{

// A widget seen by the form resizer: its name is the object name, a member
// of a control array carries the dynamic property "Index", a line control the
// dynamic properties "X1", "Y1", "X2", "Y2" (twips). Positions are in twips.
class WidgetControl : public ResizableControl
{
public:
    explicit WidgetControl(QWidget *widget) : m_widget(widget) {}

    QString name() const override;
    std::optional<int32_t> index() const override;
    bool isLine() const override;
    std::optional<double> value(Prop prop) const override;
    bool setValue(Prop prop, double value) override;
    bool move(double left, double top, std::optional<double> width, std::optional<double> height) override;
    // Our list boxes never snap to whole rows; nothing to switch off.
    bool setIntegralHeight(bool) override { return false; }

private:
    QPointer<QWidget> m_widget;
};

} // namespace kalvento
