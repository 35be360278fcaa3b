#pragma once

#include <QString>

namespace spooler
{

// The user's default printer as CUPS keeps it (lpoptions -d), where CUPS
// is installed.
class CupsDefault
{
public:
    static bool available();
    // False when CUPS is missing or refused the name.
    static bool set(const QString &deviceName);
};

} // namespace spooler
