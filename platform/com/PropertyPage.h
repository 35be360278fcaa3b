#pragma once

#include "platform/com/AutomationObject.h"

#include <QWidget>
#include <vector>

namespace com
{

// A property page: it edits the controls selected in the designer by
// property name. The host hands it the selection, it reports that something
// changed, and the host asks it to apply.
class PropertyPage : public QWidget, public AutomationObject
{
    Q_OBJECT
public:
    explicit PropertyPage(QWidget *parent = nullptr);
    ~PropertyPage() override;

    // Zero-based; the host keeps the controls alive while the page is shown.
    const std::vector<AutomationObject *> &selectedControls() const { return m_selected; }
    void setSelectedControls(std::vector<AutomationObject *> controls);

    bool changed() const { return m_changed; }
    void setChanged(bool changed);

    // Writes the page's values into the selected controls, then clears Changed.
    void apply();

protected:
    virtual void selectionChanged() {}
    virtual void applyChanges() {}

signals:
    void changedChanged(bool changed);

private:
    std::vector<AutomationObject *> m_selected;
    bool m_changed = false;
};

} // namespace com
