#include "platform/comdlg/ErrorTexts.h"

#include <QHash>

namespace comdlg
{

QString errorText(uint32_t code)
{
    static const QHash<uint32_t, QString> texts = {
        {32755, QStringLiteral("Der Dialog wurde abgebrochen.")},
        {0xFFFF, QStringLiteral("Der Dialog konnte nicht angezeigt werden.")},
        {1, QStringLiteral("Die Größe der Dialogbeschreibung ist ungültig.")},
        {2, QStringLiteral("Der Dialog konnte nicht vorbereitet werden.")},
        {3, QStringLiteral("Die Vorlage des Dialogs fehlt.")},
        {4, QStringLiteral("Das Programmmodul des Dialogs fehlt.")},
        {5, QStringLiteral("Ein Text des Dialogs konnte nicht geladen werden.")},
        {6, QStringLiteral("Eine Ressource des Dialogs wurde nicht gefunden.")},
        {7, QStringLiteral("Eine Ressource des Dialogs konnte nicht geladen werden.")},
        {8, QStringLiteral("Eine Ressource des Dialogs konnte nicht gesperrt werden.")},
        {9, QStringLiteral("Für den Dialog ist nicht genug Speicher frei.")},
        {10, QStringLiteral("Der Speicher des Dialogs konnte nicht gesperrt werden.")},
        {11, QStringLiteral("Die Hook-Prozedur des Dialogs fehlt.")},
        {0x1001, QStringLiteral("Die Druckeinrichtung ist fehlgeschlagen.")},
        {0x1002, QStringLiteral("Die Druckerangaben konnten nicht gelesen werden.")},
        {0x1003, QStringLiteral("Der Standarddrucker konnte nicht ermittelt werden.")},
        {0x1004, QStringLiteral("Der Druckertreiber konnte nicht geladen werden.")},
        {0x1005, QStringLiteral("Die Druckereinstellungen konnten nicht gelesen werden.")},
        {0x1006, QStringLiteral("Der Drucker konnte nicht vorbereitet werden.")},
        {0x1007, QStringLiteral("Es ist kein Drucker eingerichtet.")},
        {0x1008, QStringLiteral("Es ist kein Standarddrucker festgelegt.")},
        {0x1009, QStringLiteral("Druckername und Druckereinstellungen passen nicht zusammen.")},
        {0x100A, QStringLiteral("Der Gerätekontext des Druckers konnte nicht erstellt werden.")},
        {0x100B, QStringLiteral("Der Drucker wurde nicht gefunden.")},
        {0x100C, QStringLiteral("Der gewählte Drucker ist nicht der Standarddrucker.")},
        {0x2001, QStringLiteral("Es sind keine Schriftarten installiert.")},
        {0x2002, QStringLiteral("Die kleinste Schriftgröße ist größer als die größte.")},
        {0x3001, QStringLiteral("Das Listenfeld des Dateidialogs konnte nicht eingerichtet werden.")},
        {0x3002, QStringLiteral("Der Dateiname ist ungültig.")},
        {0x3003, QStringLiteral("Der Puffer für die Dateinamen ist zu klein.")},
    };
    return texts.value(code);
}

} // namespace comdlg
