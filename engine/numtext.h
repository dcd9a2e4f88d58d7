// Conversions between numbers and the texts of the program's boxes.
//
// Every box is read with the same forgiving leading-number parse and every computed double is
// written with the same general format, so that what a student sees can be read back unchanged.
// Both directions are independent of the process locale: "." is always the decimal point.
#pragma once

#include <string>
#include <string_view>

namespace enkin {

// The number at the start of `text`, as a double.
//
// Blanks, tabs and line feeds are ignored wherever they stand ("1 2.5" is 12.5). An optional sign,
// digits with "." as the decimal point and an optional exponent introduced by E or D are taken;
// "&H" and "&O" introduce hexadecimal and octal whole numbers. Reading stops at the first character
// that cannot continue the number, and a text without a number yields 0. The result is always
// finite: a number beyond the double range becomes the largest finite double of its sign, and one
// too small to represent becomes 0.
double parseLeadingNumber(std::string_view text);

// General format: rounded to 15 significant digits, no trailing zeros, "0" for zero (also -0), a
// leading "0" before the point, plain decimal for magnitudes in [1e-4, 1e15), otherwise mantissa,
// "E", sign and at least two exponent digits ("1E-05", "1.5E+15"). Non-finite values, which the
// program never shows, come out as "inf", "-inf" or "nan".
std::string formatGeneral(double value);

// The same digits with a sign position in front: a blank before zero and positive numbers, "-"
// before negative ones. Used for the columns of the saved-data table.
std::string formatSigned(double value);

// 17 significant digits with "." ("0.097999999999999324"), which read back as the same double:
// for files and tables meant for other programs. Empty when not finite.
std::string formatExact(double value);

// Int: the greatest whole number not above `value`, so that readouts are cut, never rounded up.
double intFloor(double value);

// Int(scale * value) / scale: `value` cut down to as many decimals as `scale` has zeros.
double cutDecimals(double value, double scale);

} // namespace enkin
