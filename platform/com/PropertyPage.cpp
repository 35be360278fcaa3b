#include "platform/com/PropertyPage.h"

namespace com
{

PropertyPage::PropertyPage(QWidget *parent) : QWidget(parent) {}

PropertyPage::~PropertyPage() = default;

void PropertyPage::setSelectedControls(std::vector<AutomationObject *> controls)
{
    m_selected = std::move(controls);
    selectionChanged();
}

void PropertyPage::setChanged(bool changed)
{
    if (m_changed == changed)
        return;
    m_changed = changed;
    emit changedChanged(changed);
}

void PropertyPage::apply()
{
    applyChanges();
    setChanged(false);
}

} // namespace com
