#pragma once

#include "platform/com/Control.h"
#include "platform/com/ControlHost.h"
#include "platform/com/Variant.h"

#include <QWidget>

namespace testsupport
{

// The Dialog control as a form holds it, named Dialog1, its properties left
// as new or loaded from bag.
inline com::Control *newDialogOn(QWidget *form, const com::PropertyBag *bag = nullptr)
{
    return com::ControlHost::createControl(QStringLiteral("Quiv_Tools.Dialog"), form,
                                           QStringLiteral("Dialog1"), nullptr, bag);
}

// A property set and read by name, as a script would.
inline void let(com::Control *control, const char *name, const com::Variant &value)
{
    control->let(QString::fromLatin1(name), value);
}
inline com::Variant get(com::Control *control, const char *name)
{
    return control->get(QString::fromLatin1(name));
}

} // namespace testsupport
