#include "platform/kernel/OsRelease.h"

#include <QFile>
#include <QMap>

namespace kernel
{

namespace
{

QString &releasePath()
{
    static QString path;
    return path;
}

// A value as the file writes it: bare, or in single or double quotes with
// backslash escapes.
QString unquoted(QString value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.mid(1, value.size() - 2);
        QString plain;
        for (qsizetype i = 0; i < value.size(); ++i) {
            if (value.at(i) == u'\\' && i + 1 < value.size())
                ++i;
            plain += value.at(i);
        }
        return plain;
    }
    return value;
}

} // namespace

QString systemName()
{
    QFile file(releasePath().isEmpty() ? QStringLiteral("/etc/os-release") : releasePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("Linux");
    QMap<QString, QString> fields;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const qsizetype equals = line.indexOf(u'=');
        if (line.startsWith(u'#') || equals <= 0)
            continue;
        fields.insert(line.left(equals), unquoted(line.mid(equals + 1)));
    }
    for (const char *key : {"PRETTY_NAME", "NAME"})
        if (const QString name = fields.value(QString::fromLatin1(key)); !name.isEmpty())
            return name;
    return QStringLiteral("Linux");
}

void setOsReleasePath(const QString &path)
{
    releasePath() = path;
}

} // namespace kernel
