#pragma once

#include <QString>

namespace rt
{

// The per-user stored settings, kept by program name, section and key as the
// platform keeps them, in an INI file: settings.ini in the identity's settings
// folder under ~/.config, or the file its settings variable names. Names are
// matched without regard to case, as the platform matches them.
class Settings
{
public:
    static QString filePath();

    static QString getSetting(const QString &appName, const QString &section, const QString &key,
                              const QString &defaultValue = {});
    // False when the value could not be stored.
    static bool saveSetting(const QString &appName, const QString &section, const QString &key,
                            const QString &value);
    // An empty key removes the whole section, an empty section the whole
    // program's settings. False when there was nothing to remove or the file
    // could not be written.
    static bool deleteSetting(const QString &appName, const QString &section = {}, const QString &key = {});
};

} // namespace rt
