#pragma once

#include <QLatin1Char>
#include <QLatin1String>
#include <QString>

namespace dao
{

// A table, column or index name as it stands in a statement.
inline QString quotedName(const QString &identifier)
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace dao
