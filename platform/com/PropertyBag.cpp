#include "platform/com/PropertyBag.h"

#include "platform/com/AutomationError.h"

#include <QFile>
#include <QSaveFile>

namespace com
{

namespace
{
constexpr int ErrFileNotFound = 53;
}

Variant PropertyBag::readProperty(const QString &name, const Variant &defaultValue) const
{
    for (const auto &[key, value] : m_entries)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return defaultValue;
}

void PropertyBag::writeProperty(const QString &name, const Variant &value, const Variant &defaultValue)
{
    auto it = m_entries.begin();
    while (it != m_entries.end() && it->first.compare(name, Qt::CaseInsensitive) != 0)
        ++it;
    // Without a default the value is always written, as the platform does.
    const bool isDefault =
        !defaultValue.isEmpty() && !value.isObject() && !value.isNull() && value.equals(defaultValue);
    if (isDefault) {
        if (it != m_entries.end())
            m_entries.erase(it);
        return;
    }
    if (it != m_entries.end())
        it->second = value;
    else
        m_entries.emplace_back(name, value);
}

bool PropertyBag::contains(const QString &name) const
{
    for (const auto &entry : m_entries)
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

std::vector<QString> PropertyBag::keys() const
{
    std::vector<QString> names;
    for (const auto &entry : m_entries)
        names.push_back(entry.first);
    return names;
}

QString PropertyBag::toText() const
{
    QString text;
    for (const auto &[key, value] : m_entries)
        text += key + QLatin1String(" = ") + value.toLiteral() + QLatin1Char('\n');
    return text;
}

PropertyBag PropertyBag::fromText(const QString &text)
{
    PropertyBag bag;
    for (const QString &rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('\'')))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            raise(ErrTypeMismatch);
        bag.m_entries.emplace_back(line.left(eq).trimmed(), Variant::parseLiteral(line.mid(eq + 1)));
    }
    return bag;
}

bool PropertyBag::save(const QString &fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(toText().toUtf8());
    return file.commit();
}

PropertyBag PropertyBag::load(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        raise(ErrFileNotFound, QStringLiteral("Datei nicht gefunden"));
    return fromText(QString::fromUtf8(file.readAll()));
}

} // namespace com
