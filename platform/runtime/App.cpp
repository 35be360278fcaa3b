#include "platform/runtime/App.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace rt
{

namespace
{

struct AppState {
    int major = 1;
    int minor = 0;
    int revision = 0;
    ApplicationIdentity identity;
    QString helpFile;
};

AppState &state()
{
    static AppState instance;
    return instance;
}

QString executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application object exists (static set-up, tests' main).
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

} // namespace

void App::configure(const ApplicationIdentity &identity)
{
    state().identity = identity;
}

const ApplicationIdentity &App::identity()
{
    return state().identity;
}

QString App::path()
{
    const QString &variable = state().identity.homeVariable;
    const QString home =
        variable.isEmpty() ? QString() : qEnvironmentVariable(variable.toLocal8Bit().constData());
    const QString folder = home.isEmpty() ? executableFolder() : QDir(home).absolutePath();
    // cleanPath drops a trailing "/" except for the root itself.
    return QDir::cleanPath(folder);
}

int App::major()
{
    return state().major;
}
int App::minor()
{
    return state().minor;
}
int App::revision()
{
    return state().revision;
}

void App::setVersion(int major, int minor, int revision)
{
    state().major = major;
    state().minor = minor;
    state().revision = revision;
}

QString App::title()
{
    const QString &title = state().identity.title;
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

QString App::helpFile()
{
    return state().helpFile;
}
void App::setHelpFile(const QString &helpFile)
{
    state().helpFile = helpFile;
}

QString App::fromStoredPath(const QString &storedPath)
{
    QString path = storedPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

} // namespace rt
