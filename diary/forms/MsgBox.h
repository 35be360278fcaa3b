#pragma once

#include <QString>

namespace kalvento
{

// The form runtime's plain message box. Buttons, icon and default button come
// as the platform's flags (4 yes/no, 16/32/48/64 icons, 256 second button as
// default); the result is the platform's code (1 OK, 2 cancel, 6 yes, 7 no).
// A carriage return in the prompt breaks the line.
int MsgBox(const QString &prompt, int flags, const QString &title);

} // namespace kalvento
