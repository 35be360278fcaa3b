#pragma once

#include <QString>

namespace testsupport
{

// Registers a built library into the test's registry file by running regsvr,
// the way the README's set-up does it.
bool registerLibrary(const QString &libraryFile);
QString binaryPath(const QString &fileName);
// The empty entry database as the build makes it. The one beside the program
// becomes the user's diary once the diary runs from the build.
QString emptyDatabase();

// Registers the control library the test runs against: the one it links when
// it links one (controls made through the registry and directly must be the
// same code), the shipped one otherwise.
#ifndef KV_CONTROL_LIBRARY
#define KV_CONTROL_LIBRARY "libostrevo.so"
#endif
inline bool registerControls()
{
    return registerLibrary(QStringLiteral(KV_CONTROL_LIBRARY));
}

} // namespace testsupport
