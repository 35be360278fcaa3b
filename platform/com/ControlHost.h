#pragma once

#include "platform/com/AutomationObject.h"
#include "platform/com/Control.h"

#include <QString>
#include <memory>

class QWidget;

namespace com
{

class EventHandlers;
class PropertyBag;

// Creates objects by programmatic identifier or CLSID: finds the class in the
// component registry, loads its library and asks the library's class factory.
// The program never links the libraries it hosts.
class ControlHost
{
public:
    // Error 429 when the class is not registered or its library will not load.
    static std::unique_ptr<AutomationObject> createObject(const QString &progIdOrClsid);

    // Creates a control on `parent` (which owns it), sites it under `name` and
    // either initialises it or reads its saved properties from `bag`.
    static Control *createControl(const QString &progId, QWidget *parent, const QString &name,
                                  const EventHandlers *handlers = nullptr, const PropertyBag *bag = nullptr,
                                  bool userMode = true);

    // The object as a control, still owned by the caller; error 429 when it is none.
    static std::unique_ptr<Control> asControl(std::unique_ptr<AutomationObject> object,
                                              const QString &progId);

    // The control's current properties, as its host saves them.
    static PropertyBag saveControl(Control &control);
};

} // namespace com
