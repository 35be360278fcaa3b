#include "platform/dao/DaoError.h"

namespace dao
{

void raiseDaoError(int number, const QString &detail)
{
    QString text;
    switch (number) {
    case ErrUpdateWithoutEdit:
        text = QStringLiteral("Update oder CancelUpdate ohne AddNew oder Edit.");
        break;
    case ErrNoCurrentRecord:
        text = QStringLiteral("Kein aktueller Datensatz.");
        break;
    case ErrRecordDeleted:
        text = QStringLiteral("Der Datensatz ist nicht mehr vorhanden.");
        break;
    case ErrFileNotFound:
        text = QStringLiteral("Datei '%1' nicht gefunden.").arg(detail);
        break;
    case ErrItemNotFound:
        text = QStringLiteral("Element '%1' in dieser Auflistung nicht gefunden.").arg(detail);
        break;
    case ErrNotADatabase:
        text = QStringLiteral("Nicht erkanntes Datenbankformat '%1'.").arg(detail);
        break;
    case ErrObjectClosed:
        text = QStringLiteral("Objekt ist ungültig oder nicht mehr festgelegt.");
        break;
    case ErrCannotOpenTable:
        text = QStringLiteral("Die Tabelle '%1' wurde nicht gefunden.").arg(detail);
        break;
    case ErrLocked:
        text = QStringLiteral("Die Datenbank '%1' ist von einem anderen Benutzer gesperrt.").arg(detail);
        break;
    case ErrReadOnly:
        text = QStringLiteral("Aktualisieren nicht möglich. Datenbank oder Objekt ist schreibgeschützt.");
        break;
    default:
        text = QStringLiteral("Die Datenbank meldet einen Fehler: %1").arg(detail);
        break;
    }
    throw com::AutomationError(number, text);
}

} // namespace dao
