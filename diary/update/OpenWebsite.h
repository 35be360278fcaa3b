#pragma once

#include <QString>

namespace kalvento
{

// Opens url with the desktop's default action, maximised. Returns the shell's result:
// above 32 on success.
int OpenWebsite(const QString &url);

} // namespace kalvento
