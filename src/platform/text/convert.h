// Conversions between numbers and between text and numbers, with the old
// program's rounding and its run-time errors.
//
// The C* conversions round halves to the even neighbour, as stored files and
// typed values have always been rounded (12.5 -> 12, 13.5 -> 14), and report a result that does not
// fit as VbOverflow instead of wrapping it. Text is read with "." as the only
// decimal sign: values typed by the user and values stored in files read the
// same whatever the desktop's language.

#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

// A run-time error with its classic error number, so that a
// message can show the same description ("Overflow", "Type mismatch").
class VbError : public std::runtime_error {
public:
    VbError(int number, const char* description)
        : std::runtime_error(description), number_(number) {}
    int Number() const { return number_; }

private:
    int number_;
};

class VbOverflow : public VbError {
public:
    VbOverflow() : VbError(6, "Overflow") {}
};

class VbTypeMismatch : public VbError {
public:
    VbTypeMismatch() : VbError(13, "Type mismatch") {}
};

// Whole numbers, halves to even; NaN and anything outside the type's range
// after rounding throw VbOverflow.
std::int16_t CInt(double value);
std::int32_t CLng(double value);
std::uint8_t CByte(double value);

// Nearest Single; a magnitude beyond the Single range throws VbOverflow.
// NaN stays NaN.
float CSng(double value);
// Nearest Single without the error: a magnitude CSng rejects becomes an
// infinity of its sign, which the number texts write in their own form.
float CSngOrInfinity(double value);

// The whole text as one number (see ParseDouble); throws VbTypeMismatch for
// anything else and VbOverflow for a number beyond the Double range. Callers
// port "CInt(text)" as CInt(CDbl(text)).
double CDbl(std::string_view text);

// Strict reading of a number: blanks (spaces, tabs) around it, an optional
// sign, digits with at most one ".", an optional exponent "E" or "e" with an
// optional sign. Anything else, the empty text, hexadecimal, "inf", "nan" and
// a thousands separator give nullopt, and so does a magnitude beyond the
// Double range. A magnitude too small for a Double reads as 0.
std::optional<double> ParseDouble(std::string_view text);

// As ParseDouble, but digits only (no ".", no exponent), within 32 bits.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// The lenient reading of Val: blanks, tabs and line feeds
// are skipped wherever they stand, the longest leading number is taken and
// the rest ignored; 0 when the text starts with no number. " 1615 198th St"
// gives 1615198, "2.5e3x" 2500, "1,5" 1. A number beyond the Double range
// throws VbOverflow. The "&H" and "&O" prefixes are not read (they give 0).
double Val(std::string_view text);
