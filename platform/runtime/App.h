#pragma once

#include <QString>

namespace rt
{

// The running program: its folder, version and title, as the forms and the
// about box read them. The program sets its version and title once at start.
class App
{
public:
    // The program folder without a trailing "/": KALVENTO_HOME when set,
    // otherwise the folder of the running executable.
    static QString path();

    static int major();
    static int minor();
    static int revision();
    static void setVersion(int major, int minor, int revision);

    static QString title();
    static void setTitle(const QString &title);

    static QString helpFile();
    static void setHelpFile(const QString &helpFile);

    // Stored formats carry "\" separators; on disk we use "/".
    static QString fromStoredPath(const QString &storedPath);
};

} // namespace rt
