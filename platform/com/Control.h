#pragma once

#include "platform/com/AutomationObject.h"
#include "platform/com/ControlSite.h"

#include <QWidget>
#include <memory>

namespace com
{

class PropertyBag;

// The base of every user control: a widget that is reached late-bound,
// keeps its design-time properties in its host's property bag and raises its
// events to the host's handlers through its site.
class Control : public QWidget, public AutomationObject
{
    Q_OBJECT
public:
    explicit Control(QWidget *parent = nullptr);
    ~Control() override;

    // A new control gets its design-time defaults; a saved one reads them back.
    virtual void initProperties() {}
    virtual void readProperties(const PropertyBag &bag) { Q_UNUSED(bag); }
    virtual void writeProperties(PropertyBag &bag) { Q_UNUSED(bag); }

    void setSite(std::unique_ptr<ControlSite> site);
    ControlSite *site() const { return m_site.get(); }
    QString controlName() const;

    bool userMode() const; // ambient: true when running, false in the designer
    QFont ambientFont() const;
    // A new font object of the ambient font: what a control's Font property
    // starts with and is saved against.
    Variant ambientFontObject() const;

    // Tells the host that a persisted property changed.
    void propertyChanged(const QString &name);

private:
    std::unique_ptr<ControlSite> m_site;
};

} // namespace com
