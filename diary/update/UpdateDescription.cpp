#include "diary/update/UpdateDescription.h"

#include <QList>
#include <QStringList>

#include <algorithm>

namespace kalvento
{

namespace
{

std::optional<QList<qulonglong>> versionParts(const QString &version)
{
    QList<qulonglong> parts;
    for (const QString &part : version.split(QLatin1Char('.'))) {
        // Only plain digits: toULongLong would take a sign or blanks as well.
        if (part.isEmpty() ||
            !std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            return std::nullopt;
        bool ok = false;
        parts << part.toULongLong(&ok);
        if (!ok)
            return std::nullopt;
    }
    return parts;
}

} // namespace

UpdateDescription UpdateDescription::fromText(const QString &text)
{
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    // A text ending in CR LF leaves an empty piece after its last line; it is no line.
    const qsizetype count = text.endsWith(QStringLiteral("\r\n")) ? lines.size() - 1 : lines.size();
    UpdateDescription description;
    if (count < LineCount)
        return description;
    for (int i = 0; i < LineCount; ++i)
        description.lines[i] = lines.at(i);
    return description;
}

std::optional<int> compareVersions(const QString &a, const QString &b)
{
    const auto left = versionParts(a);
    const auto right = versionParts(b);
    if (!left || !right)
        return std::nullopt;
    const qsizetype count = std::max(left->size(), right->size());
    for (qsizetype i = 0; i < count; ++i) {
        const qulonglong l = left->value(i, 0);
        const qulonglong r = right->value(i, 0);
        if (l != r)
            return l < r ? -1 : 1;
    }
    return 0;
}

} // namespace kalvento
