#pragma once

#include <QString>
#include <cstdint>

namespace kalvento::shellexe_1
{

// Starts or opens a file through the shell with the verb ("open") and show
// command (1: a normal window). True when the shell reports success; never
// raises, whatever the shell does.
bool ShellOpen(const QString &file, int32_t showCommand, const QString &verb);

} // namespace kalvento::shellexe_1
