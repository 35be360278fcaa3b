#include "diary/forms/FormResizer.h"

#include <QScopedValueRollback>
#include <cmath>
#include <limits>

namespace kalvento
{

namespace
{

using Prop = ResizableControl::Prop;

// Containers park hidden controls this far to the left.
constexpr int32_t ParkOffset = 75000;

int32_t rounded(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max()))
        return 0; // out of range reads like a failing property: the field stays 0
    return int32_t(r);
}

int32_t NormalizeCoord(int32_t value)
{
    return value < 0 ? value + ParkOffset : value;
}

int32_t read(const ResizableControl &control, Prop prop)
{
    const std::optional<double> v = control.value(prop);
    return v ? rounded(*v) : 0;
}

int32_t scaled(int32_t value, int percent)
{
    return int32_t(int64_t(value) * percent / 100);
}

bool parked(const ResizableControl &control, Prop prop)
{
    const std::optional<double> v = control.value(prop);
    return v && *v < 0;
}

} // namespace

FormResizer &FormResizer::instance()
{
    static FormResizer resizer;
    return resizer;
}

int FormResizer::FindFormIndex(const ResizableForm &form) const
{
    const QString name = form.name();
    for (size_t i = 0; i < m_forms.size(); ++i)
        if (m_forms[i].Name == name)
            return int(i);
    return -1;
}

int FormResizer::RegisterForm(ResizableForm &form)
{
    LayoutRecord record;
    record.Name = form.name();
    record.ScaleHeight = rounded(form.scaleHeight());
    record.ScaleWidth = rounded(form.scaleWidth());
    m_forms.push_back(record);
    const int index = int(m_forms.size()) - 1;
    for (ResizableControl *control : form.controls())
        if (FindControlIndex(*control, record.Name) == -1)
            RegisterControl(*control, record.Name);
    return index;
}

int FormResizer::FindControlIndex(const ResizableControl &control, const QString &owner) const
{
    const QString name = control.name();
    const std::optional<int32_t> index = control.index();
    for (size_t i = 0; i < m_controls.size(); ++i) {
        const LayoutRecord &r = m_controls[i];
        if (r.Owner != owner || r.Name != name)
            continue;
        // A control outside any array is found by owner and name alone.
        if (!index || r.Index == *index)
            return int(i);
    }
    return -1;
}

int FormResizer::RegisterControl(ResizableControl &control, const QString &owner)
{
    LayoutRecord r;
    r.Name = control.name();
    r.Index = control.index().value_or(0);
    r.Owner = owner;
    if (control.isLine()) {
        r.Top = read(control, Prop::Y1);
        r.Left = NormalizeCoord(read(control, Prop::X1));
        r.Height = read(control, Prop::Y2);
        r.Width = NormalizeCoord(read(control, Prop::X2));
    } else {
        r.Top = read(control, Prop::Top);
        r.Left = NormalizeCoord(read(control, Prop::Left));
        r.Height = read(control, Prop::Height);
        r.Width = read(control, Prop::Width);
    }
    control.setIntegralHeight(false);
    m_controls.push_back(r);
    return int(m_controls.size()) - 1;
}

int FormResizer::recordFor(ResizableForm &form)
{
    const int index = FindFormIndex(form);
    return index == -1 ? RegisterForm(form) : index;
}

int FormResizer::WidthPercent(ResizableForm &form)
{
    const LayoutRecord &r = m_forms[size_t(recordFor(form))];
    return int(int64_t(rounded(form.scaleWidth() * 100)) / r.ScaleWidth);
}

int FormResizer::HeightPercent(ResizableForm &form)
{
    const LayoutRecord &r = m_forms[size_t(recordFor(form))];
    return int(int64_t(rounded(form.scaleHeight() * 100)) / r.ScaleHeight);
}

void FormResizer::RescaleControl(ResizableControl &control, ResizableForm &form)
{
    const int y = HeightPercent(form);
    const int x = WidthPercent(form);
    const int index = FindControlIndex(control, form.name());
    if (index == -1)
        return; // made after its form was recorded: left where it is
    const LayoutRecord r = m_controls[size_t(index)];

    if (control.isLine()) {
        control.setValue(Prop::X1, scaled(r.Left, x) - (parked(control, Prop::X1) ? ParkOffset : 0));
        control.setValue(Prop::Y1, scaled(r.Top, y));
        control.setValue(Prop::X2, scaled(r.Width, x) - (parked(control, Prop::X2) ? ParkOffset : 0));
        control.setValue(Prop::Y2, scaled(r.Height, y));
        return;
    }
    const int32_t L = scaled(r.Left, x) - (parked(control, Prop::Left) ? ParkOffset : 0);
    const int32_t T = scaled(r.Top, y);
    const int32_t W = scaled(r.Width, x);
    const int32_t H = scaled(r.Height, y);
    // A control that refuses its height or width still takes what it accepts.
    control.move(L, T, W, H);
    control.move(L, T, W, std::nullopt);
    control.move(L, T, std::nullopt, std::nullopt);
}

void FormResizer::ResizeForm(ResizableForm &form)
{
    if (m_busy)
        return; // moving controls resizes the form again
    const QScopedValueRollback busy(m_busy, true);

    if (form.top() >= 30000)
        return;
    // A form without an inner size cannot be a reference: wait until it has one.
    if (FindFormIndex(form) == -1 && (rounded(form.scaleWidth()) == 0 || rounded(form.scaleHeight()) == 0))
        return;

    // Our forms are never MDI children, so the pass that fits an MDI child
    // round its controls never runs; only the visibility is kept.
    const bool wasVisible = form.visible();
    for (ResizableControl *control : form.controls())
        RescaleControl(*control, form);
    if (form.visible() != wasVisible)
        form.setVisible(wasVisible);
}

} // namespace kalvento
