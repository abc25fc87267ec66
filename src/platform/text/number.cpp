#include "platform/text/number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "platform/text/convert.h"

namespace {

// A finite value as a decimal: significant digits and the power of ten of the
// first one. Zero is the single digit "0".
struct Decimal {
    bool negative = false;
    std::string digits = "0";
    int exponent = 0;

    bool IsZero() const { return digits.find_first_not_of('0') == std::string::npos; }
    char DigitAt(int power) const {
        const int index = exponent - power;
        return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
    }
};

// The digits and exponent of a positive value in scientific notation with
// `decimals` digits after the point, correctly rounded by to_chars.
Decimal Scientific(double magnitude, int decimals) {
    // 766 decimals hold the exact expansion of every double.
    std::array<char, 800> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                   std::chars_format::scientific, decimals)
                         .ptr;
    Decimal d;
    d.digits.clear();
    const char* p = buffer.data();
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.') {
            d.digits += *p;
        }
    }
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, d.exponent);
    return d;
}

void AddOneAtLastDigit(Decimal& d) {
    for (auto it = d.digits.rbegin(); it != d.digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    d.digits.insert(d.digits.begin(), '1');
    d.digits.pop_back();
    ++d.exponent;
}

// Keeps the first `keep` digits, rounding half away from zero on the digit
// after them. keep <= 0 means every digit lies beyond the cut.
Decimal RoundToDigits(Decimal d, int keep) {
    if (d.IsZero() || keep >= static_cast<int>(d.digits.size())) {
        return d;
    }
    const bool up = keep >= 0 && d.digits[keep] >= '5';
    if (keep <= 0) {
        d.digits = up ? "1" : "0";
        d.exponent = up ? d.exponent + 1 : 0;
        return d;
    }
    d.digits.resize(keep);
    if (up) {
        AddOneAtLastDigit(d);
    }
    return d;
}

// The value to `count` significant digits. to_chars rounds exact halves to
// even; the program's files have them rounded away from zero (2^-22 =
// 2.384185791015625E-07 gives ...563 at 15 digits), so exact halves are
// detected and taken up. One more digit shows whether the value can be a
// half at all; only then is the exact expansion needed.
Decimal Significant(double value, int count) {
    if (value == 0) {
        return Decimal{};
    }
    const double magnitude = std::fabs(value);
    Decimal d = Scientific(magnitude, count - 1);
    if (Scientific(magnitude, count).digits.back() == '5') {
        Decimal exact = Scientific(magnitude, 766);
        if (exact.digits.find_first_not_of('0', count + 1) == std::string::npos) {
            d = RoundToDigits(exact, count);
        }
    }
    d.negative = value < 0;
    return d;
}

std::string NonFiniteText(double value) {
    if (std::isinf(value)) {
        return value < 0 ? "-1.#INF" : "1.#INF";
    }
    return std::signbit(value) ? "-1.#IND" : "1.#QNAN";
}

std::string ExponentText(int exponent, bool signAlways, int minimumDigits) {
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minimumDigits) {
        digits.insert(0, minimumDigits - digits.size(), '0');
    }
    return (exponent < 0 ? "-" : signAlways ? "+" : "") + digits;
}

// The general conversion with `precision` significant digits; plain notation
// between 1E-4 and 10^precision, where the general form switches.
std::string GeneralText(double value, int precision) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    Decimal d = Significant(value, precision);
    if (d.IsZero()) {
        return "0";
    }
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    std::string text = d.negative ? "-" : "";
    if (d.exponent >= precision || d.exponent < -4) {
        text += d.digits[0];
        if (d.digits.size() > 1) {
            text += '.' + d.digits.substr(1);
        }
        return text + 'E' + ExponentText(d.exponent, true, 2);
    }
    if (d.exponent < 0) {
        return text + "0." + std::string(-d.exponent - 1, '0') + d.digits;
    }
    for (int power = d.exponent; power >= 0; --power) {
        text += d.DigitAt(power);
    }
    if (static_cast<int>(d.digits.size()) > d.exponent + 1) {
        text += '.' + d.digits.substr(d.exponent + 1);
    }
    return text;
}

struct NumberPattern {
    int integerPlaces = 0;  // "0" and "#" before the point
    int integerZeros = 0;   // "0" before the point: digits always written
    bool point = false;
    int decimalPlaces = 0;
    int decimalZeros = 0;  // places up to the last "0" after the point
    bool exponent = false;
    char exponentMark = 'E';
    bool exponentSignAlways = false;
    int exponentZeros = 0;
};

NumberPattern ParsePattern(std::string_view pattern) {
    NumberPattern p;
    std::size_t i = 0;
    for (; i < pattern.size() && (pattern[i] == '0' || pattern[i] == '#'); ++i) {
        ++p.integerPlaces;
        p.integerZeros += pattern[i] == '0' ? 1 : 0;
    }
    if (i < pattern.size() && pattern[i] == '.') {
        p.point = true;
        for (++i; i < pattern.size() && (pattern[i] == '0' || pattern[i] == '#'); ++i) {
            ++p.decimalPlaces;
            if (pattern[i] == '0') {
                p.decimalZeros = p.decimalPlaces;
            }
        }
    }
    if (i + 1 < pattern.size() && (pattern[i] == 'E' || pattern[i] == 'e') &&
        (pattern[i + 1] == '+' || pattern[i + 1] == '-')) {
        p.exponent = true;
        p.exponentMark = pattern[i];
        p.exponentSignAlways = pattern[i + 1] == '+';
        for (i += 2; i < pattern.size() && pattern[i] == '0'; ++i) {
            ++p.exponentZeros;
        }
    }
    if (i != pattern.size() || p.integerPlaces + p.decimalPlaces == 0 ||
        (p.exponent && p.exponentZeros == 0)) {
        throw std::invalid_argument("unsupported number pattern: " + std::string(pattern));
    }
    return p;
}

// Optional places after the point drop their trailing zeros.
void TrimOptionalDecimals(std::string& fraction, const NumberPattern& p) {
    while (static_cast<int>(fraction.size()) > p.decimalZeros && fraction.back() == '0') {
        fraction.pop_back();
    }
}

std::string Assemble(bool negative, const std::string& integer, std::string fraction,
                     const NumberPattern& p) {
    TrimOptionalDecimals(fraction, p);
    const bool allZero = (integer + fraction).find_first_not_of('0') == std::string::npos;
    return (negative && !allZero ? "-" : "") + integer + (p.point ? "." + fraction : "");
}

std::string FixedText(const Decimal& value, const NumberPattern& p) {
    const Decimal d = RoundToDigits(value, value.exponent + p.decimalPlaces + 1);
    std::string integer;
    if (!d.IsZero()) {
        for (int power = d.exponent; power >= 0; --power) {
            integer += d.DigitAt(power);
        }
    }
    if (static_cast<int>(integer.size()) < p.integerZeros) {
        integer.insert(0, p.integerZeros - integer.size(), '0');
    }
    std::string fraction;
    for (int power = -1; power >= -p.decimalPlaces; --power) {
        fraction += d.DigitAt(power);
    }
    return Assemble(d.negative, integer, fraction, p);
}

// The mantissa has as many integer digits as the pattern has places before
// the point, and the exponent follows from it (12345 with "00.00E+00" is
// 12.35E+03).
std::string ExponentFormText(const Decimal& value, const NumberPattern& p) {
    const Decimal d = RoundToDigits(value, p.integerPlaces + p.decimalPlaces);
    const int shown = d.IsZero() ? 0 : d.exponent - p.integerPlaces + 1;
    std::string integer;
    std::string fraction;
    for (int place = 0; place < p.integerPlaces + p.decimalPlaces; ++place) {
        const char digit = place < static_cast<int>(d.digits.size()) ? d.digits[place] : '0';
        (place < p.integerPlaces ? integer : fraction) += digit;
    }
    return Assemble(d.negative, integer, fraction, p) + p.exponentMark +
           ExponentText(shown, p.exponentSignAlways, p.exponentZeros);
}

}  // namespace

std::string CStrDouble(double value) {
    return GeneralText(value, 15);
}

std::string CStrSingle(float value) {
    return GeneralText(value, 7);
}

std::string Str(double value) {
    const std::string text = CStrDouble(value);
    if (text.starts_with("-0.")) {
        return "-" + text.substr(2);
    }
    if (text.starts_with("0.")) {
        return " " + text.substr(1);
    }
    return text.starts_with('-') ? text : " " + text;
}

std::string Format(double value) {
    return CStrDouble(value);
}

namespace {
std::string FormatDigits(double value, std::string_view pattern, int precision) {
    if (pattern.empty()) {
        return GeneralText(value, precision);
    }
    const NumberPattern p = ParsePattern(pattern);
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    const Decimal d = Significant(value, precision);
    return p.exponent ? ExponentFormText(d, p) : FixedText(d, p);
}
}  // namespace

std::string Format(double value, std::string_view pattern) {
    return FormatDigits(value, pattern, 15);
}

std::string Format(float value, std::string_view pattern) {
    return FormatDigits(value, pattern, 7);
}

std::string Format(std::string_view text, std::string_view pattern) {
    const auto value = ParseDouble(text);
    return value ? Format(*value, pattern) : std::string(text);
}
