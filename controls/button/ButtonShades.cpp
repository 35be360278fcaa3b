#include "controls/button/ButtonShades.h"

#include "controls/foundation/modquivbutton.h"

#include <QString>
#include <algorithm>

namespace ostrevo
{

namespace
{

// Two hexadecimal digits, as the scratch labels pad a one-digit text.
QString twoDigits(int channel)
{
    QString text = QString::number(channel, 16).toUpper();
    if (text.size() == 1)
        text.prepend(QLatin1Char('0'));
    return text;
}

// Built as the text "&H" BB GG RR and read back as a Long.
int32_t shade(int red, int green, int blue, int offset)
{
    auto clamp = [offset](int channel) { return std::clamp(channel + offset, 0, 255); };
    const QString text = twoDigits(clamp(blue)) + twoDigits(clamp(green)) + twoDigits(clamp(red));
    return static_cast<int32_t>(text.toUInt(nullptr, 16));
}

} // namespace

ButtonShades ButtonShades::from(int32_t faceColour)
{
    ButtonShades s;
    s.faceRGB = modquivbutton::OleColorToRGB(faceColour);
    const int blue = modquivbutton::BlueFromBin(s.faceRGB);
    const int green = modquivbutton::GreenFromBin(s.faceRGB);
    const int red = modquivbutton::RedFromBin(s.faceRGB);
    s.shadeDark = shade(red, green, blue, -100);
    s.shadeLight = shade(red, green, blue, 40);
    s.gradientTop = shade(red, green, blue, 40);
    s.faceOver = shade(red, green, blue, 10);
    s.faceDown = shade(red, green, blue, -15);
    s.gradientBottom = shade(red, green, blue, -30);
    return s;
}

} // namespace ostrevo
