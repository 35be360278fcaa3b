#include "platform/runtime/Settings.h"

#include "platform/runtime/App.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace rt
{

namespace
{

QString matching(const QStringList &names, const QString &wanted)
{
    for (const QString &name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    }
    return wanted;
}

// The stored spelling of groups/.../key, where one exists under another case.
QString resolve(QSettings &settings, const QStringList &groups, const QString &key)
{
    QStringList path;
    int entered = 0;
    for (const QString &group : groups) {
        const QString name = matching(settings.childGroups(), group);
        settings.beginGroup(name);
        ++entered;
        path.append(name);
    }
    if (!key.isEmpty())
        path.append(matching(settings.childKeys(), key));
    for (; entered > 0; --entered)
        settings.endGroup();
    return path.join(QLatin1Char('/'));
}

bool written(QSettings &settings)
{
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace

QString Settings::filePath()
{
    const ApplicationIdentity &identity = App::identity();
    if (!identity.settingsVariable.isEmpty()) {
        const QString configured = qEnvironmentVariable(identity.settingsVariable.toLocal8Bit().constData());
        if (!configured.isEmpty())
            return configured;
    }
    const QString folder =
        identity.settingsFolder.isEmpty() ? QCoreApplication::applicationName() : identity.settingsFolder;
    QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    if (!folder.isEmpty())
        config.setPath(config.filePath(folder));
    return config.filePath(QStringLiteral("settings.ini"));
}

QString Settings::getSetting(const QString &appName, const QString &section, const QString &key,
                             const QString &defaultValue)
{
    if (appName.isEmpty() || section.isEmpty() || key.isEmpty())
        return defaultValue;
    QSettings settings(filePath(), QSettings::IniFormat);
    const QString path = resolve(settings, {appName, section}, key);
    const QVariant value = settings.value(path);
    return value.isValid() ? value.toString() : defaultValue;
}

bool Settings::saveSetting(const QString &appName, const QString &section, const QString &key,
                           const QString &value)
{
    if (appName.isEmpty() || section.isEmpty() || key.isEmpty())
        return false;
    QSettings settings(filePath(), QSettings::IniFormat);
    if (!settings.isWritable())
        return false;
    settings.setValue(resolve(settings, {appName, section}, key), value);
    return written(settings);
}

bool Settings::deleteSetting(const QString &appName, const QString &section, const QString &key)
{
    if (appName.isEmpty() || (section.isEmpty() && !key.isEmpty()))
        return false;
    QSettings settings(filePath(), QSettings::IniFormat);
    QStringList groups{appName};
    if (!section.isEmpty())
        groups.append(section);
    const QString path = resolve(settings, groups, key);
    bool present = false;
    if (key.isEmpty()) {
        settings.beginGroup(path);
        present = !settings.allKeys().isEmpty();
        settings.endGroup();
    } else {
        present = settings.contains(path);
    }
    if (!present || !settings.isWritable())
        return false;
    settings.remove(path);
    return written(settings);
}

} // namespace rt
