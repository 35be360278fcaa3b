#include "controls/foundation/ResData.h"

#include "platform/com/AutomationError.h"

#include <QFile>

namespace ostrevo
{

namespace
{

constexpr int ErrResourceNotFound = 326;

[[noreturn]] void notFound(const com::Variant &id)
{
    com::raise(ErrResourceNotFound,
               QStringLiteral("Ressource mit Bezeichner '%1' nicht gefunden").arg(id.display()));
}

} // namespace

QByteArray LoadResData(const com::Variant &id, const com::Variant &type)
{
    if (type.type() != com::VarType::String ||
        type.toString().compare(QLatin1String("WAVE"), Qt::CaseInsensitive) != 0)
        notFound(id);

    int number = 0;
    if (id.type() == com::VarType::String) {
        const QString name = id.toString();
        bool ok = false;
        number = name.startsWith(QLatin1Char('#')) ? name.mid(1).toInt(&ok) : 0;
        if (!ok)
            notFound(id);
    } else {
        number = id.toLong(); // error 13 for a value that is no number, as the runtime has it
    }

    QFile file(QStringLiteral(":/ostrevo/wave/%1").arg(number));
    if (number < 1 || !file.open(QIODevice::ReadOnly))
        notFound(id);
    return file.readAll();
}

} // namespace ostrevo
