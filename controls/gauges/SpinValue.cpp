#include "controls/gauges/SpinValue.h"

#include "platform/com/AutomationError.h"
#include "platform/com/Variant.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace ostrevo::spinvalue
{

double leadingNumber(const QString &text)
{
    QString number;
    int i = 0;
    if (i < text.size() && text.at(i) == QLatin1Char('-'))
        number += text.at(i++);
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            number += c;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
}

int32_t saveAsLong(const QString &amount, int32_t decimals)
{
    const QString s = amount.trimmed();
    if (s.isEmpty())
        return 0;
    if (decimals < 0)
        com::raise(com::ErrInvalidCall);
    QString text = s;
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text[comma] = QLatin1Char('.');
    const double factor = std::pow(10.0, decimals);
    const double y = std::floor(factor * leadingNumber(text) + 0.5);
    if (!std::isfinite(y) || y < std::numeric_limits<int32_t>::min() ||
        y > std::numeric_limits<int32_t>::max())
        com::raise(com::ErrOverflow);
    return static_cast<int32_t>(y);
}

QString singleText(float value)
{
    QString text = com::Variant::fromSingle(value).toString();
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

float wholeFromHundredths(int32_t hundredths)
{
    return static_cast<float>(std::round(hundredths / 100.0));
}

QString timeText(float hour, float minute)
{
    const auto twoDigits = [](float part) {
        return QStringLiteral("%1").arg(static_cast<long long>(std::nearbyint(part)), 2, 10,
                                        QLatin1Char('0'));
    };
    return twoDigits(hour) + QLatin1Char(':') + twoDigits(minute);
}

} // namespace ostrevo::spinvalue
