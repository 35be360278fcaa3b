#include "platform/com/AutomationError.h"

namespace com
{

AutomationError::AutomationError(int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

AutomationError::AutomationError(int number) : AutomationError(number, standardText(number)) {}

AutomationError::~AutomationError() = default;

QString AutomationError::describe(const std::exception &error, Number number)
{
    const auto *automation = dynamic_cast<const AutomationError *>(&error);
    if (!automation)
        return QString::fromLocal8Bit(error.what());
    if (number == Number::Left)
        return automation->description();
    return QStringLiteral("%1 (Fehler %2)").arg(automation->description()).arg(automation->number());
}

QString AutomationError::standardText(int number)
{
    switch (number) {
    case ErrInvalidCall:
        return QStringLiteral("Unzulässiger Prozeduraufruf oder ungültiges Argument");
    case ErrOverflow:
        return QStringLiteral("Überlauf");
    case ErrSubscript:
        return QStringLiteral("Index außerhalb des gültigen Bereichs");
    case ErrTypeMismatch:
        return QStringLiteral("Typen unverträglich");
    case ErrObjectRequired:
        return QStringLiteral("Objekt erforderlich");
    case ErrInvalidPropertyValue:
        return QStringLiteral("Unzulässiger Eigenschaftswert");
    case ErrPropertyReadOnly:
        return QStringLiteral("Eigenschaft kann nicht festgelegt werden");
    case ErrPropertyWriteOnly:
        return QStringLiteral("Eigenschaft ist lesegeschützt");
    case ErrDesignTimeOnly:
        return QStringLiteral("Eigenschaft kann zur Entwurfszeit nicht festgelegt werden");
    case ErrMemberNotFound:
        return QStringLiteral("Objekt unterstützt diese Eigenschaft oder Methode nicht");
    case ErrArgumentNotOptional:
        return QStringLiteral("Argument ist nicht optional");
    case ErrNotImplemented:
        return QStringLiteral("Diese Methode ist noch nicht verfügbar");
    case ErrCancel:
        return QStringLiteral("Abbrechen wurde gewählt.");
    default:
        return QStringLiteral("Anwendungs- oder objektdefinierter Fehler");
    }
}

void raise(int number)
{
    throw AutomationError(number);
}
void raise(int number, const QString &description)
{
    throw AutomationError(number, description);
}
void raiseError(int number)
{
    throw AutomationError(number);
}
void raiseError(int number, const QString &description)
{
    throw AutomationError(number, description);
}

} // namespace com
