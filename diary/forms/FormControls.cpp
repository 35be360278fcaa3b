#include "diary/forms/FormControls.h"

#include "platform/com/Control.h"
#include "platform/com/FormHosting.h"
#include "platform/runtime/Twips.h"

namespace kalvento
{

com::Control *addShownControl(rt::Form &form, const QString &progId, const QString &name, const QRect &twips,
                              const QString &saved, const com::EventHandlers *handlers)
{
    com::Control *control = com::addControl(form, progId, name, twips, handlers, saved);
    control->setObjectName(name);
    control->show();
    return control;
}

com::Control *addAreaControl(rt::Form &form, QWidget *area, const QString &progId, const QString &name,
                             const QRect &twips, const QString &saved)
{
    com::Control *control = com::addControl(form, progId, name, twips, nullptr, saved);
    control->setParent(area);
    control->setGeometry(rt::Twips::toPixels(twips));
    control->setObjectName(name);
    control->show();
    return control;
}

} // namespace kalvento
