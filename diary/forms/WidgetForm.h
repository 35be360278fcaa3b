#pragma once

#include "diary/forms/ResizableForm.h"
#include "diary/forms/WidgetControl.h"

#include <QPointer>
#include <memory>

namespace rt
{
class Form;
}

namespace kalvento
{

// A form seen by the form resizer. Its controls are the widgets directly on
// its inner area (the form itself, or the area under its menu bar), taken
// once when this view is made.
class WidgetForm : public ResizableForm
{
public:
    WidgetForm(rt::Form &form, QWidget *innerArea = nullptr);

    QString name() const override;
    double top() const override;
    double scaleWidth() const override;
    double scaleHeight() const override;
    bool visible() const override;
    void setVisible(bool visible) override;
    std::vector<ResizableControl *> controls() override;

private:
    QPointer<rt::Form> m_form;
    QPointer<QWidget> m_area;
    std::vector<std::unique_ptr<WidgetControl>> m_controls;
};

// Rescales the form's controls to its current inner size.
void ResizeForm(rt::Form &form, QWidget *innerArea = nullptr);

} // namespace kalvento
