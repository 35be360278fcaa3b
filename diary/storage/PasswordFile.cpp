#include "diary/storage/PasswordFile.h"

#include "platform/runtime/App.h"
#include "platform/runtime/TextFile.h"

#include <QFileInfo>

namespace kalvento
{

QString PasswordFile::path()
{
    return rt::App::path() + QStringLiteral("/zorvelin.cod");
}

std::optional<QString> PasswordFile::read()
{
    if (!QFileInfo::exists(path()))
        return write(QString()) ? std::optional<QString>(QString()) : std::nullopt;
    const std::optional<QStringList> lines = rt::TextFile::readLines(path());
    if (!lines)
        return std::nullopt;
    return lines->join(QString());
}

bool PasswordFile::write(const QString &line)
{
    return rt::TextFile::writeLines(path(), {line});
}

QString PasswordFile::unusableText()
{
    return QStringLiteral("Die Passwortdatei\r\n\r\n") + path() +
           QStringLiteral("\r\n\r\nkann nicht gelesen oder geschrieben werden.");
}

QString PasswordFile::damagedText()
{
    return QStringLiteral("Die Passwortdatei\r\n\r\n") + path() +
           QStringLiteral("\r\n\r\nist beschädigt und kann nicht gelesen werden.");
}

} // namespace kalvento
