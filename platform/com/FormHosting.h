#pragma once

#include <QRect>
#include <QString>

namespace rt
{
class Form;
}

namespace com
{

class Control;
class EventHandlers;

// Puts a library control on a form as the form's saved layout describes it:
// created by programmatic identifier, named, placed in twips, initialised or
// loaded from its saved property text ("key = value" lines).
Control *addControl(rt::Form &form, const QString &progId, const QString &name, const QRect &twips,
                    const EventHandlers *handlers = nullptr, const QString &savedProperties = QString());

} // namespace com
