#pragma once

#include <QString>

namespace testsupport {

// Registers a built library into the test's registry file by running regsvr,
// the way the README's set-up does it.
bool registerLibrary(const QString &libraryFile);
QString binaryPath(const QString &fileName);

} // namespace testsupport
