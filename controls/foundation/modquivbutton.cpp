#include "controls/foundation/modquivbutton.h"

#include "platform/com/AutomationError.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/SystemSources.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace ostrevo::modquivbutton
{

namespace
{

// The window's screen rectangle with right and bottom just outside it, as
// GetWindowRect gives it.
QRect windowRect(const QWidget &window)
{
    if (window.isWindow())
        return window.frameGeometry();
    return QRect(window.mapToGlobal(QPoint(0, 0)), window.size());
}

// Digits from..from+7 (1-based) of the colour's 32-digit text, as a number.
int16_t channelFromBin(int32_t colour, int from)
{
    // A copy, so that DecToBin's absolute value does not reach the caller.
    double value = colour;
    int16_t length = 32;
    QString digits = DecToBin(value, length).mid(from - 1, 8);
    return static_cast<int16_t>(BinToDec(digits));
}

} // namespace

bool IsMouseInto(const QWidget *hWnd)
{
    if (!hWnd)
        return false;
    const QPoint cursor = rt::SystemSources::cursor().position();
    const QRect r = windowRect(*hWnd);
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    return r.left() <= cursor.x() && cursor.x() <= right && r.top() <= cursor.y() && cursor.y() <= bottom;
}

int32_t OleColorToRGB(int32_t colour)
{
    if (colour >= 0)
        return colour;
    const int index = static_cast<int>(static_cast<uint32_t>(colour) & 0x7FFFFFFFu);
    return static_cast<int32_t>(gdi::sysColor(index));
}

int16_t GetRed(int32_t colour)
{
    return static_cast<int16_t>(colour & 255);
}
int16_t GetGreen(int32_t colour)
{
    return static_cast<int16_t>((colour / 256) & 255);
}
int16_t GetBlue(int32_t colour)
{
    return static_cast<int16_t>((colour / 65536) & 255);
}

int16_t RedFromBin(int32_t &colour)
{
    return channelFromBin(colour, 25);
}
int16_t GreenFromBin(int32_t &colour)
{
    return channelFromBin(colour, 17);
}
int16_t BlueFromBin(int32_t &colour)
{
    return channelFromBin(colour, 9);
}

QString DecToBin(double &value, int16_t &length)
{
    value = std::fabs(value);
    // The smallest n with 2^n > value. Where no power of two of a double is
    // greater (infinity, not a number) the platform's power overflows.
    int n = 0;
    double power = 1.0;
    while (!(power > value)) {
        power *= 2.0;
        if (std::isinf(power))
            com::raiseError(com::ErrOverflow);
        ++n;
    }
    QString text;
    text.reserve(std::max<int>(n, length));
    double rest = value;
    for (int b = n - 1; b >= 0; --b) {
        const double bit = std::ldexp(1.0, b);
        rest -= bit;
        if (rest >= 0) {
            text += QLatin1Char('1');
        } else {
            rest += bit;
            text += QLatin1Char('0');
        }
    }
    if (text.isEmpty())
        text = QStringLiteral("0");
    if (length != 0) {
        const int fill = length - static_cast<int>(text.size());
        if (fill < 0)
            com::raiseError(com::ErrInvalidCall);
        text.prepend(QString(fill, QLatin1Char('0')));
    }
    return text;
}

double BinToDec(QString &text)
{
    const int n = static_cast<int>(text.size());
    double sum = 0;
    for (int p = 1; p <= n; ++p) {
        const int exponent = n - p;
        if (exponent > 1023)
            com::raiseError(com::ErrOverflow);
        // A character counts with its numeric value; one that is no digit as 0.
        const QChar c = text.at(p - 1);
        const int digit = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : 0;
        sum += digit * std::ldexp(1.0, exponent);
        if (std::isinf(sum))
            com::raiseError(com::ErrOverflow);
    }
    return sum;
}

} // namespace ostrevo::modquivbutton
