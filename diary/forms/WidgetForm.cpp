#include "diary/forms/WidgetForm.h"

#include "diary/forms/FormResizer.h"
#include "platform/runtime/Form.h"
#include "platform/runtime/Twips.h"

namespace kalvento
{

WidgetForm::WidgetForm(rt::Form &form, QWidget *innerArea)
    : m_form(&form), m_area(innerArea ? innerArea : &form)
{
    for (QWidget *child : m_area->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && !child->objectName().isEmpty())
            m_controls.push_back(std::make_unique<WidgetControl>(child));
}

QString WidgetForm::name() const
{
    return m_form ? m_form->objectName() : QString();
}

double WidgetForm::top() const
{
    return m_form ? rt::Twips::fromPixelsY(m_form->frameGeometry().y()) : 0;
}

double WidgetForm::scaleWidth() const
{
    return m_area ? rt::Twips::fromPixelsX(m_area->width()) : 0;
}

double WidgetForm::scaleHeight() const
{
    return m_area ? rt::Twips::fromPixelsY(m_area->height()) : 0;
}

bool WidgetForm::visible() const
{
    return m_form && m_form->isVisible();
}

void WidgetForm::setVisible(bool visible)
{
    if (m_form)
        m_form->setVisible(visible);
}

std::vector<ResizableControl *> WidgetForm::controls()
{
    std::vector<ResizableControl *> controls;
    for (const auto &control : m_controls)
        controls.push_back(control.get());
    return controls;
}

void ResizeForm(rt::Form &form, QWidget *innerArea)
{
    WidgetForm view(form, innerArea);
    FormResizer::instance().ResizeForm(view);
}

} // namespace kalvento
