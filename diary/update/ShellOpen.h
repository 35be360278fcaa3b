#pragma once

#include <QString>

namespace kalvento
{

// Starts or opens file through the desktop shell with verb and show mode. True when the shell
// reports success; raises no error.
bool ShellOpen(const QString &file, int show, const QString &verb);

} // namespace kalvento
