#pragma once

#include <QString>
#include <cstdint>

namespace ostrevo::spinvalue
{

// The number a text starts with: an optional minus sign, digits and one "."
// decimal point, up to the first other character; 0 when there is none.
double leadingNumber(const QString &text);

// A decimal text with a comma or a point as a whole number in units of
// 10^-decimals, halves rounded up. Error 5 for negative decimals, 6 when the
// result leaves the 32-bit range.
int32_t saveAsLong(const QString &amount, int32_t decimals = 0);

// A Single as the platform writes it, with the user's decimal separator.
QString singleText(float value);

// A result in hundredths as a whole number; a half rounds away from zero.
float wholeFromHundredths(int32_t hundredths);

// Hours and minutes as "hh:mm"; each part rounded half to even first.
QString timeText(float hour, float minute);

} // namespace ostrevo::spinvalue
