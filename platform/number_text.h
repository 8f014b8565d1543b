#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

// Display patterns such as "##0.00", "##.#0", "####.#0", "0.000", "#0.000", "#0", "###0.0",
// "##0.0": the value is rounded (halves away from zero) to as many decimals as the pattern has
// placeholders after the point; every decimal place shows a digit; before the point a '0'
// placeholder always shows a digit and a '#' only a significant one; the integer part always
// shows all its digits; a minus sign precedes a negative value that does not round to zero.
// A float is taken at its own precision (7 significant digits), a double at 15.
// A value that is not finite (an interval with no velocity) gives the empty text, here and in
// the two functions below.
QString format_number(double value, std::string_view pattern);
QString format_number(float value, std::string_view pattern);

// The general number format of a single-precision value: up to 7 significant digits, no
// trailing zeros, "0.5" below one, exponent form ("1.5E-05", "1.234568E+07") when the decimal
// exponent is below -4 or 7 and above.
QString general_number(float value);

// The number rule of the CSV cells: the general format with a leading blank for zero and
// positive values, a minus sign otherwise, and no zero before the point (" .5", "-.25").
QString csv_number(float value);

// A text box read as a number: the whole text (blanks around it allowed, full-width digits
// accepted) must be a decimal number, else nothing.
std::optional<double> parse_decimal(const QString& text);

// A text box read as a 16-bit whole number: the nearest one, halves to even; nothing when the
// text is not a number or the value is outside -32768 .. 32767.
std::optional<std::int16_t> parse_int16(const QString& text);

// The nearest 16-bit integer, halves to even; nothing when out of range or not finite.
std::optional<std::int16_t> round_to_int16(double value);

// The leading decimal number of a text (blanks before it skipped); 0 when there is none.
double leading_number(std::string_view text);
