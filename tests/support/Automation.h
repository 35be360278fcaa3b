#pragma once

#include "platform/com/AutomationError.h"
#include "platform/com/Control.h"
#include "platform/com/ControlHost.h"
#include "platform/com/ControlSite.h"
#include "platform/com/EventHandlers.h"

#include <QSize>
#include <QStringList>
#include <functional>

namespace testsupport
{

// The automation error number an action raises; 0 when it raises none.
inline int errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const com::AutomationError &error) {
        return error.number();
    }
    return 0;
}

// Records each event the control raises as "Name(arg, ...)"; `then` runs
// after each one, for a test that looks at the world at that moment.
inline void recordEvents(com::Control *control, QStringList &events, std::function<void()> then = {})
{
    control->site()->setEventObserver(
        [&events, then = std::move(then)](const com::EventInfo &event, com::Args &args) {
            QStringList shown;
            for (const com::Variant &arg : args)
                shown << arg.display();
            events << QStringLiteral("%1(%2)").arg(event.name, shown.join(QStringLiteral(", ")));
            if (then)
                then();
        });
}

// A control as a form loads it, each event it raises recorded as
// "Name(arg, ...)" before the form's handlers (if any) see it; a valid size
// places it, which resizes it.
inline com::Control *createRecorded(const QString &progId, QWidget *form, const QString &name,
                                    QStringList &events, QSize size = {},
                                    const com::PropertyBag *bag = nullptr,
                                    const com::EventHandlers *handlers = nullptr)
{
    com::Control *control = com::ControlHost::createControl(progId, form, name, handlers, bag);
    recordEvents(control, events);
    if (size.isValid()) {
        control->resize(size);
        control->show();
    }
    return control;
}

} // namespace testsupport
