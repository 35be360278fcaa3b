#include "tests/support/TestMain.h"

#include "diary/program/ProgramIdentity.h"
#include "platform/runtime/Twips.h"

#include <QLocale>
#include <QTemporaryDir>
#include <cstdlib>

namespace testsupport
{

void prepareTestEnvironment()
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // A registry of the test's own, so nothing touches the user's.
    static QTemporaryDir registryDir;
    setenv("OSTREVO_REGISTRY", qPrintable(registryDir.filePath(QStringLiteral("registry"))), 1);
    // Stored settings of the test's own, and twips fixed before any screen exists.
    setenv("KALVENTO_SETTINGS", qPrintable(registryDir.filePath(QStringLiteral("settings.ini"))), 1);
    rt::Twips::setPerPixel(15, 15);
    // The diary's program folder and settings follow the variables tests set.
    rt::App::configure(kalvento::programIdentity());
}

} // namespace testsupport
