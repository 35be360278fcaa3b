#pragma once

#include <QString>

namespace kernel
{

// The running system's name as its os-release file gives it (PRETTY_NAME,
// else NAME); "Linux" when the file is missing or names nothing.
QString systemName();
// Tests point the reader at a file of their own; an empty path restores
// /etc/os-release.
void setOsReleasePath(const QString &path);

} // namespace kernel
