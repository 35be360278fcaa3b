#pragma once

#include <QString>

namespace rt
{

// Who the running program is. The program tells the runtime once at start;
// empty fields keep the runtime's neutral defaults.
struct ApplicationIdentity {
    QString title;
    // An environment variable that may point the program folder elsewhere
    // (tests, portable use).
    QString homeVariable;
    // An environment variable that may name the stored settings file.
    QString settingsVariable;
    // The settings file's folder under the user's configuration folder;
    // the application's name when empty.
    QString settingsFolder;
};

// The running program: its folder, version and title, as the forms and the
// about box read them. The program sets its identity and version once at start.
class App
{
public:
    static void configure(const ApplicationIdentity &identity);
    static const ApplicationIdentity &identity();

    // The program folder without a trailing "/": the folder the identity's
    // home variable names when set, otherwise that of the running executable.
    static QString path();

    static int major();
    static int minor();
    static int revision();
    static void setVersion(int major, int minor, int revision);

    // The identity's title, or the application's name without one.
    static QString title();

    static QString helpFile();
    static void setHelpFile(const QString &helpFile);

    // Stored formats carry "\" separators; on disk we use "/".
    static QString fromStoredPath(const QString &storedPath);
};

} // namespace rt
