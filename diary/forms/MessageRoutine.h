#pragma once

#include <QString>

namespace com
{
class AutomationObject;
}

namespace kalvento
{

// Asks or tells the user through a window's hidden Dialog control and
// returns the pressed button's code as decimal text ("6" yes, "7" no).
QString ShowMessage(com::AutomationObject &dialog1, const QString &prompt, const QString &flags,
                    const QString &title);

// The main window's variant: no pointer, captions "Okay", "Abbrechen", "Hilfe".
QString ShowMessage2(com::AutomationObject &dialog1, const QString &prompt, const QString &flags,
                     const QString &title);

} // namespace kalvento
