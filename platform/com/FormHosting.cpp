#include "platform/com/FormHosting.h"

#include "platform/com/ControlHost.h"
#include "platform/com/PropertyBag.h"
#include "platform/runtime/Form.h"

namespace com
{

Control *addControl(rt::Form &form, const QString &progId, const QString &name, const QRect &twips,
                    const EventHandlers *handlers, const QString &savedProperties)
{
    const PropertyBag bag = PropertyBag::fromText(savedProperties);
    Control *control =
        ControlHost::createControl(progId, &form, name, handlers, savedProperties.isEmpty() ? nullptr : &bag);
    form.placeControl(control, name, twips);
    return control;
}

} // namespace com
