#include "platform/help/HelpStyle.h"

#include <QColor>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace help
{

namespace
{

constexpr int MaxRules = 256;
constexpr qsizetype MaxSheetLength = 256 * 1024;
constexpr int MaxSelectorParts = 3;
constexpr int MaxFontNames = 8;

// A length as a number of pixels or points, bounded; empty when it is none.
QString length(const QString &value, double maxPoints)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,6}(?:\\.\\d{1,3})?)(px|pt)?$"));
    const QRegularExpressionMatch match = form.match(value);
    if (!match.hasMatch())
        return {};
    const QString unit = match.captured(2).isEmpty() ? QStringLiteral("px") : match.captured(2);
    const double max = unit == QLatin1String("pt") ? maxPoints : maxPoints * 4 / 3;
    return QString::number(std::clamp(match.captured(1).toDouble(), 0.0, max)) + unit;
}

QString keyword(const QString &value, std::initializer_list<const char *> known)
{
    for (const char *word : known)
        if (value == QLatin1String(word))
            return value;
    return {};
}

} // namespace

QString HelpStyle::declarations(const QString &style)
{
    QStringList kept;
    for (const QString &declaration : style.split(QLatin1Char(';'))) {
        const qsizetype colon = declaration.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QString name = declaration.left(colon).trimmed().toLower();
        const QString raw = declaration.mid(colon + 1).simplified();
        const QString value = raw.toLower();
        QString rebuilt;
        if (name == QLatin1String("color") || name == QLatin1String("background-color"))
            rebuilt = HelpStyle::color(raw);
        else if (name == QLatin1String("font-size"))
            rebuilt = length(value, 48);
        else if (name == QLatin1String("font-family"))
            for (const QString &font : fontNames(raw))
                rebuilt += (rebuilt.isEmpty() ? QStringLiteral("\"") : QStringLiteral(", \"")) + font +
                           QLatin1Char('"');
        else if (name == QLatin1String("padding") || name == QLatin1String("margin-top") ||
                 name == QLatin1String("margin-bottom") || name == QLatin1String("margin-left") ||
                 name == QLatin1String("margin-right"))
            rebuilt = length(value, 36);
        else if (name == QLatin1String("text-align"))
            rebuilt = keyword(value, {"left", "right", "center", "justify"});
        else if (name == QLatin1String("vertical-align"))
            rebuilt = keyword(value, {"top", "middle", "bottom", "baseline", "sub", "super"});
        else if (name == QLatin1String("border-collapse"))
            rebuilt = keyword(value, {"collapse", "separate"});
        if (!rebuilt.isEmpty())
            kept << name + QStringLiteral(": ") + rebuilt;
    }
    return kept.join(QStringLiteral("; "));
}

QString HelpStyle::color(const QString &value)
{
    static const QRegularExpression form(
        QStringLiteral("^(#[0-9a-fA-F]{3}|#[0-9a-fA-F]{6}|[a-zA-Z]{1,30})$"));
    if (!form.match(value.trimmed()).hasMatch() || !QColor::isValidColorName(value.trimmed()))
        return {};
    return QColor::fromString(value.trimmed()).name();
}

QStringList HelpStyle::fontNames(const QString &value)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9 _-]{1,64}$"));
    QStringList names;
    for (QString name : value.split(QLatin1Char(','))) {
        name = name.trimmed();
        if (name.size() >= 2 && (name.front() == QLatin1Char('"') || name.front() == QLatin1Char('\'')) &&
            name.back() == name.front())
            name = name.mid(1, name.size() - 2).trimmed();
        if (form.match(name).hasMatch() && names.size() < MaxFontNames)
            names << name;
    }
    return names;
}

QString HelpStyle::sheet(const QString &whole, int *selectorCount)
{
    // Comments go first, so that nothing in them counts. A help page's
    // style sheet is a few kilobytes; what lies beyond MaxSheetLength is
    // not read.
    const QStringView css = QStringView(whole).left(MaxSheetLength);
    QString text;
    text.reserve(css.size());
    for (qsizetype i = 0; i < css.size(); ++i) {
        if (css.at(i) == QLatin1Char('/') && i + 1 < css.size() && css.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = css.indexOf(QStringLiteral("*/"), i + 2);
            if (end < 0)
                break;
            i = end + 1;
            text += QLatin1Char(' ');
        } else {
            text += css.at(i);
        }
    }
    static const QRegularExpression simple(
        QStringLiteral("^[a-z][a-z0-9]{0,15}(\\.[a-zA-Z_][a-zA-Z0-9_-]{0,63})?$"
                       "|^\\.[a-zA-Z_][a-zA-Z0-9_-]{0,63}$"));
    QString rebuilt;
    int rules = 0;
    qsizetype i = 0;
    while (i < text.size() && rules < MaxRules) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), i);
        if (open < 0)
            break;
        // A block ends at the first brace that closes it; one with blocks
        // inside (an @media rule) is skipped whole.
        qsizetype close = open + 1;
        int depth = 1;
        for (; close < text.size() && depth > 0; ++close)
            depth += text.at(close) == QLatin1Char('{') ? 1 : text.at(close) == QLatin1Char('}') ? -1 : 0;
        const QString head = text.mid(i, open - i);
        const QString body = text.mid(open + 1, close - open - 2);
        i = close;
        // An at-rule without a block (@import, @charset) ends at its ';'.
        const QString selector = head.mid(head.lastIndexOf(QLatin1Char(';')) + 1).simplified();
        if (selector.startsWith(QLatin1Char('@')) || body.contains(QLatin1Char('{')))
            continue;
        QStringList selectors;
        for (const QString &one : selector.split(QLatin1Char(','))) {
            QStringList parts = one.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            for (QString &part : parts) {
                // Element names are the same in any case, class names are not.
                const qsizetype dot = part.indexOf(QLatin1Char('.'));
                part = dot < 0 ? part.toLower() : part.left(dot).toLower() + part.mid(dot);
            }
            if (!parts.isEmpty() && parts.size() <= MaxSelectorParts &&
                std::all_of(parts.begin(), parts.end(),
                            [](const QString &part) { return simple.match(part).hasMatch(); }))
                selectors << parts.join(QLatin1Char(' '));
        }
        const QString kept = declarations(body);
        if (selectors.isEmpty() || kept.isEmpty())
            continue;
        rebuilt +=
            selectors.join(QStringLiteral(", ")) + QStringLiteral(" { ") + kept + QStringLiteral(" }\n");
        ++rules;
        if (selectorCount)
            *selectorCount += int(selectors.size());
    }
    return rebuilt;
}

} // namespace help
