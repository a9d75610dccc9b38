#pragma once

#include <QString>

#include <optional>

namespace quor {

// Reads a number from a text field: all blanks removed, "." and ".0" read as
// zero, a final "." dropped, an empty text is 0. Anything else that is not a
// plain decimal number ("-", "1.2.3", "12abc") gives no value.
std::optional<double> readNumberText(const QString &text);

// The value rounded to "decimals" places, halves away from zero. Rounding works
// on the decimal text of the value at 15 significant digits, so 2.675 gives
// "2.68" and 512.5 gives "513" as the user expects, whatever the binary double is.
// A result of zero never carries a minus sign.
QString formatFixed(double value, int decimals);

// The amount format of lists and editors: "0.00" when decimals are shown, "0" otherwise.
inline QString formatAmount(double value, bool showDecimals)
{
    return formatFixed(value, showDecimals ? 2 : 0);
}

// The shortest form with up to 15 significant digits and no trailing zeros
// ("5000", "296.78", "0.3"); very large or very small values as "1E20", "1.5E-7".
QString numberText(double value);

// Rounds to the nearest whole number, a half going to the even neighbour.
int roundHalfEven(double value);

} // namespace quor
