#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport
{

// The diary's help file as the build packs it beside the program.
QString builtHelpPath();

// The built help file changed by SQL, as someone with SQLite at hand would;
// empty when the SQL fails.
QByteArray alteredHelpFile(const QString &sql);

} // namespace testsupport
