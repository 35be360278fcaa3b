#pragma once

#include "platform/com/EventHandlers.h"

#include <QObject>
#include <QRect>
#include <QString>

namespace rt
{
class Form;
}

namespace com
{
class Control;
}

namespace kalvento
{

// A form's event handlers, kept by a child made after every control: the
// children go in order, so no control outlives the handlers it may call.
class HandlerHolder : public QObject
{
public:
    com::EventHandlers handlers;
};

// A library control put on the form as its saved layout describes it, its
// object named like it and shown.
com::Control *addShownControl(rt::Form &form, const QString &progId, const QString &name, const QRect &twips,
                              const QString &saved = QString(), const com::EventHandlers *handlers = nullptr);
// The same in the inner area of a window with menus, the layout's place taken
// within that area.
com::Control *addAreaControl(rt::Form &form, QWidget *area, const QString &progId, const QString &name,
                             const QRect &twips, const QString &saved = QString());

} // namespace kalvento
