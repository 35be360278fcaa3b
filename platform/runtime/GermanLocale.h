#pragma once

#include <QDate>
#include <QString>

namespace rt
{

// The diary speaks German whatever the machine's locale: its stored day texts
// are compared as text, so one diary must never mix languages.
class GermanLocale
{
public:
    // Makes German the program's default locale and loads Qt's own German
    // texts, so the standard dialogs' buttons read "Ja", "Abbrechen", ...
    // Call once the application object exists. False when the translations
    // are not installed; the locale is set all the same.
    static bool install();

    static QLocale locale();
    // "Mittwoch, 9. Dezember 2026"
    static QString longDate(const QDate &day);
    // "09.12.2026"
    static QString shortDate(const QDate &day);

    // Every size a message names, in MB of 2^20 bytes: "999,1 MB". A size
    // asked for rounds up and one on offer down, so that a message never
    // names the same figure for both.
    enum class Round { Down, Up };
    static QString megabytes(qint64 bytes, Round round);
};

} // namespace rt
