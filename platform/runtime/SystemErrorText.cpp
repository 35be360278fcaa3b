#include "platform/runtime/SystemErrorText.h"

#include <cerrno>
#include <sqlite3.h>

namespace rt
{

QString SystemErrorText::fromErrno(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
    case EFBIG:
        return QStringLiteral("Die Datei ist zu groß.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Zugriff verweigert.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case ENOENT:
        return QStringLiteral("Die Datei oder der Ordner ist nicht vorhanden.");
    case ENOTDIR:
        return QStringLiteral("Ein Teil des Pfades ist kein Ordner.");
    case EISDIR:
        return QStringLiteral("Der Pfad ist ein Ordner, keine Datei.");
    case EEXIST:
        return QStringLiteral("Die Datei ist bereits vorhanden.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Dateiname ist zu lang.");
    case ELOOP:
        return QStringLiteral("Der Pfad enthält zu viele Verknüpfungen.");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler beim Zugriff auf den Datenträger.");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Die Datei wird gerade benutzt.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Es sind zu viele Dateien geöffnet.");
    case ENOMEM:
        return QStringLiteral("Nicht genügend Arbeitsspeicher.");
    case EXDEV:
        return QStringLiteral("Die Datei kann nicht auf einen anderen Datenträger verschoben werden.");
    case EINVAL:
        return QStringLiteral("Ungültiges Argument.");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("Das Gerät ist nicht bereit.");
    case 0:
        return QStringLiteral("Unbekannter Fehler.");
    default:
        return QStringLiteral("Systemfehler %1.").arg(error);
    }
}

QString SystemErrorText::fromSqlite(int resultCode)
{
    switch (resultCode & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
        return QStringLiteral("Kein Fehler.");
    case SQLITE_FULL:
        return QStringLiteral("Die Datenbank oder der Datenträger ist voll.");
    case SQLITE_IOERR:
        return QStringLiteral("Ein-/Ausgabefehler beim Zugriff auf die Datenbank.");
    case SQLITE_CORRUPT:
        return QStringLiteral("Die Datenbank ist beschädigt.");
    case SQLITE_NOTADB:
        return QStringLiteral("Die Datei ist keine Datenbank.");
    case SQLITE_READONLY:
        return QStringLiteral("Die Datenbank ist schreibgeschützt.");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("Zugriff verweigert.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Die Datenbank ist von einem anderen Programm gesperrt.");
    case SQLITE_NOMEM:
        return QStringLiteral("Nicht genügend Arbeitsspeicher.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("Die Datenbankdatei kann nicht geöffnet werden.");
    case SQLITE_INTERRUPT:
        return QStringLiteral("Der Vorgang wurde abgebrochen.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("Eine Bedingung der Datenbank lässt den Eintrag nicht zu.");
    case SQLITE_TOOBIG:
        return QStringLiteral("Der Eintrag ist zu groß.");
    case SQLITE_NOLFS:
        return QStringLiteral("Das System kann so große Dateien nicht verwalten.");
    case SQLITE_PROTOCOL:
        return QStringLiteral("Die Sperre der Datenbank ist gestört.");
    case SQLITE_SCHEMA:
        return QStringLiteral("Der Aufbau der Datenbank hat sich geändert.");
    case SQLITE_MISMATCH:
    case SQLITE_RANGE:
    case SQLITE_FORMAT:
        return QStringLiteral("Die Datenbank hat ein unerwartetes Format.");
    case SQLITE_ABORT:
        return QStringLiteral("Der Vorgang wurde abgebrochen.");
    default:
        return QStringLiteral("Die Datenbank meldet einen Fehler (Code %1).").arg(resultCode);
    }
}

} // namespace rt
