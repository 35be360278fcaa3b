#pragma once

#include "platform/com/AutomationObject.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

namespace com
{

class EventHandlers;

// What the host tells its controls about itself.
struct AmbientProperties {
    bool userMode = true; // false while the form is being designed
    QFont font;
    uint32_t backColor = 0x8000000F; // button face
    uint32_t foreColor = 0x80000012; // button text
    QString displayName;
};

// A control's place on its host form: its name, the ambient properties, the
// form's event handlers and the record of changed properties.
class ControlSite : public EventSink
{
public:
    ControlSite(QString name, const EventHandlers *handlers);

    QString name() const { return m_name; }
    AmbientProperties &ambient() { return m_ambient; }
    const AmbientProperties &ambient() const { return m_ambient; }

    void propertyChanged(const QString &property);
    QStringList changedProperties() const { return m_changed; }
    void clearChangedProperties() { m_changed.clear(); }

    // Events reach the form's handler named control_event.
    void onEvent(const EventInfo &event, Args &args) override;
    // Every raised event is also reported here (tests, the test container).
    void setEventObserver(std::function<void(const EventInfo &, Args &)> observer);

private:
    QString m_name;
    const EventHandlers *m_handlers;
    AmbientProperties m_ambient;
    QStringList m_changed;
    std::function<void(const EventInfo &, Args &)> m_observer;
};

} // namespace com
