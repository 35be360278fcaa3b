#pragma once

#include <QString>

namespace kalvento
{

// The form runtime's input box: the typed text, or the empty text when the
// user cancels.
QString InputBox(const QString &prompt, const QString &title, const QString &defaultText = QString());

} // namespace kalvento
