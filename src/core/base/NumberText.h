// SPDX-License-Identifier: MIT
#pragma once
// Numbers in data files and index texts: always "." as the decimal separator, whatever the locale.
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <optional>

namespace numtext {

// Removes every leading and trailing character of code 32 or less.
QByteArrayView trimmed(QByteArrayView text);

// A decimal number: blanks around it, an optional sign, digits with an optional "." and fraction,
// an optional exponent. Anything else (an empty text, "inf", "0x10", "1,5") is not a number.
std::optional<double> parseFloat(QByteArrayView text);

// A decimal integer: blanks around it, an optional sign, digits; it must fit 32 bits.
std::optional<int> parseInt(QByteArrayView text);

// Fixed notation with exactly `decimals` decimals, "." as separator, the decimal value rounded
// half away from zero as it is written (38.25 gives 38.3, 38.46 gives 38.5).
QByteArray formatFixed(double value, int decimals);

// Fixed notation with exactly `decimals` decimals, "." as separator, of the value first taken to
// `significant` significant digits (correctly rounded), then rounded half away from zero as
// written: with 15 digits 0.125 gives 0.13 and 0.004999999999999999 gives 0.01. A result of zero
// has no sign. Non-finite values give "NAN", "INF" or "-INF".
QByteArray formatFixedSignificant(double value, int decimals, int significant);

} // namespace numtext
