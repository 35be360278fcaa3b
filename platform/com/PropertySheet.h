#pragma once

#include "platform/com/AutomationObject.h"

#include <QDialog>
#include <vector>

class QPushButton;
class QTabWidget;

namespace com
{

class PropertyPage;

// The host's frame around a control's property pages: one tab a page, in the
// order the control names them, with OK, Cancel and Apply. Each page gets the
// selection once; Apply and OK write every page that reports a change.
class PropertySheet : public QDialog
{
    Q_OBJECT
public:
    // The pages of the first control's class, created through the registry.
    // Error 429 when a page cannot be created; error 5 when the class has none.
    explicit PropertySheet(std::vector<AutomationObject *> selection, QWidget *parent = nullptr);
    ~PropertySheet() override;

    QTabWidget *tabs() const { return m_tabs; }
    std::vector<PropertyPage *> pages() const;
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *applyButton() const { return m_apply; }

    // The pages a library does not serve: the platform's own colour, font and
    // picture pages, which this host does not offer.
    static bool isPlatformPage(const QString &name);

private:
    bool applyPages(); // false when a page's control refused a value
    void updateApply();

    QTabWidget *m_tabs;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_apply = nullptr;
};

} // namespace com
