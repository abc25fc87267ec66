// Numbers as text, the way the program's files have always held them: the general conversion
// (CStr, Str) and its Format patterns. The decimal sign is always "." and
// nothing here depends on the process locale, because these texts go into
// data files that must not change meaning with the desktop's language.

#pragma once

#include <string>
#include <string_view>
#include <type_traits>

// General text of a Double: the value rounded to 15 significant digits, then
// written without trailing zeros or a trailing ".", "0" for zero (also -0),
// "-" before negatives. Plain notation when 1E-4 <= |rounded| < 1E15,
// otherwise exponent notation with the shortest mantissa, a signed exponent
// and at least two exponent digits:
//   0.0001 -> "0.0001", 0.00001 -> "1E-05", 123456789012345 -> itself,
//   1E15 -> "1E+15", 1.5E20 -> "1.5E+20", 1E100 -> "1E+100".
// Infinities and NaN, which no calculation should produce, give
// "1.#INF", "-1.#INF" and "1.#QNAN" / "-1.#IND".
std::string CStrDouble(double value);

// General text of a Single: as CStrDouble with 7 significant digits and plain
// notation when 1E-4 <= |rounded| < 1E7 (1E7 -> "1E+07", 1E-6 -> "1E-06").
std::string CStrSingle(float value);

// The old Str: the Double general text with a blank in front of values that
// are not negative, and without the "0" before a leading "." (0.5 -> " .5",
// -0.25 -> "-.25", 470 -> " 470").
std::string Str(double value);

// Format without a pattern: the general text of a Double.
std::string Format(double value);

// Format with a number pattern. Supported: digit placeholders "0" (always
// written) and "#" (written only when significant), at most one ".", and an
// exponent part "E-", "E+", "e-" or "e+" followed by "0" placeholders
// ("E-" writes the sign only for negative exponents). Examples: "00",
// "0.0000", "###0.00", "##0.0000", "0.000E-00". An empty pattern is the same
// as no pattern. Any other pattern is a programming error and throws
// std::invalid_argument.
//
// Rounding works on decimal digits, not on the binary value: the value is
// first taken to 15 significant digits (its general text), and that decimal is
// rounded half away from zero to the pattern's places. So 1.005 (stored as
// 1.00499999999999989...) gives "1.01" with "0.00", 0.015625 gives "0.01563"
// with "0.00000", 2.5 and -2.5 give "3" and "-3" with "0".
//
// A negative value whose written digits are all zero is written without its
// minus sign (-0.004 with "0.00" is "0.00"), so a file never holds "-0.00".
std::string Format(double value, std::string_view pattern);

// Format of a Single: the same, from the value taken to the 7 significant
// digits a Single holds, so a reading stored as 21.55 gives "21.6" with "0.0"
// although its binary value lies just below.
std::string Format(float value, std::string_view pattern);

// Format of a whole number: exact, as a Double holds every value the files use.
template <typename T>
requires std::is_integral_v<T> std::string Format(T value, std::string_view pattern) {
    return Format(static_cast<double>(value), pattern);
}

// Format of a text: a text that reads as a number (ParseDouble) is formatted
// as that number; any other text, the empty one included, comes back as it is.
std::string Format(std::string_view text, std::string_view pattern);
