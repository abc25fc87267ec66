#include "platform/text/convert.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// Exact for every double: x - floor(x) is always representable, so the tie
// test sees the true fraction. Independent of the floating-point rounding
// mode, which a plugin or a library could have changed.
double RoundHalfEven(double x) {
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction > 0.5) {
        return below + 1;
    }
    if (fraction < 0.5) {
        return below;
    }
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

double RoundedInRange(double value, double low, double high) {
    if (std::isnan(value)) {
        throw VbOverflow();
    }
    const double rounded = RoundHalfEven(value);
    if (rounded < low || rounded > high) {
        throw VbOverflow();
    }
    return rounded;
}

enum class ReadResult { Number, NotANumber, TooLarge };

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads a decimal number that has already been checked to consist of an
// optional "-", digits with at most one ".", and an optional exponent "e"
// with sign and digits. from_chars does the correctly rounded conversion; it
// reports both overflow and underflow as out of range, and only the first is
// an error here.
ReadResult ConvertChecked(const std::string& number, double& value) {
    double parsed = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), parsed);
    if (ec == std::errc() && end == number.data() + number.size()) {
        value = parsed;
        return ReadResult::Number;
    }
    if (ec != std::errc::result_out_of_range) {
        return ReadResult::NotANumber;
    }
    // Decimal exponent of the first significant digit decides which side of
    // the range the number fell off.
    long long magnitude = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    std::size_t i = number[0] == '-' ? 1 : 0;
    for (; i < number.size() && number[i] != 'e'; ++i) {
        if (number[i] == '.') {
            seenPoint = true;
        } else if (!seenSignificant) {
            seenSignificant = number[i] != '0';
            magnitude -= seenPoint ? 1 : 0;
        } else if (!seenPoint) {
            ++magnitude;
        }
    }
    long long exponent = 0;
    bool negativeExponent = false;
    for (++i; i < number.size(); ++i) {
        if (number[i] == '-') {
            negativeExponent = true;
        } else if (IsDigit(number[i]) && exponent < 1'000'000) {
            exponent = exponent * 10 + (number[i] - '0');
        }
    }
    magnitude += negativeExponent ? -exponent : exponent;
    if (magnitude < 0) {
        value = number[0] == '-' ? -0.0 : 0.0;
        return ReadResult::Number;
    }
    return ReadResult::TooLarge;
}

// The strict grammar of ParseDouble; the accepted number is handed on in the
// form from_chars takes (no "+", lower-case exponent mark).
ReadResult ReadStrict(std::string_view text, bool allowFraction, double& value) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    std::string number;
    std::size_t i = first;
    if (i < last && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            number += '-';
        }
        ++i;
    }
    int mantissaDigits = 0;
    bool seenPoint = false;
    for (; i < last; ++i) {
        if (IsDigit(text[i])) {
            ++mantissaDigits;
        } else if (text[i] == '.' && allowFraction && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number += text[i];
    }
    if (mantissaDigits == 0) {
        return ReadResult::NotANumber;
    }
    if (i < last && allowFraction && (text[i] == 'e' || text[i] == 'E')) {
        number += 'e';
        ++i;
        if (i < last && (text[i] == '+' || text[i] == '-')) {
            number += text[i++];
        }
        int exponentDigits = 0;
        for (; i < last && IsDigit(text[i]); ++i, ++exponentDigits) {
            number += text[i];
        }
        if (exponentDigits == 0) {
            return ReadResult::NotANumber;
        }
    }
    if (i != last) {
        return ReadResult::NotANumber;
    }
    return ConvertChecked(number, value);
}

}  // namespace

std::int16_t CInt(double value) {
    return static_cast<std::int16_t>(RoundedInRange(value, -32768.0, 32767.0));
}

std::int32_t CLng(double value) {
    return static_cast<std::int32_t>(RoundedInRange(value, -2147483648.0, 2147483647.0));
}

std::uint8_t CByte(double value) {
    return static_cast<std::uint8_t>(RoundedInRange(value, 0.0, 255.0));
}

namespace {

// Up to half a Single step above the largest Single still rounds down to it;
// from the limit on the result would be infinite.
constexpr double LargestSingle = std::numeric_limits<float>::max();
constexpr double SingleLimit = LargestSingle + 0x1p103;

}  // namespace

float CSng(double value) {
    if (std::fabs(value) >= SingleLimit) {
        throw VbOverflow();
    }
    return static_cast<float>(value);
}

float CSngOrInfinity(double value) {
    // The plain conversion of a value beyond the Single range is not defined,
    // so such a value is given the Single it rounds to here.
    if (std::isfinite(value) && std::fabs(value) > LargestSingle) {
        const double bounded = std::fabs(value) < SingleLimit
                                   ? LargestSingle
                                   : std::numeric_limits<double>::infinity();
        return static_cast<float>(std::copysign(bounded, value));
    }
    return static_cast<float>(value);
}

double CDbl(std::string_view text) {
    double value = 0;
    switch (ReadStrict(text, true, value)) {
        case ReadResult::Number:
            return value;
        case ReadResult::TooLarge:
            throw VbOverflow();
        case ReadResult::NotANumber:
            break;
    }
    throw VbTypeMismatch();
}

std::optional<double> ParseDouble(std::string_view text) {
    double value = 0;
    if (ReadStrict(text, true, value) != ReadResult::Number) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    double value = 0;
    if (ReadStrict(text, false, value) != ReadResult::Number || value < -2147483648.0 ||
        value > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

double Val(std::string_view text) {
    // Collect the usable characters with the skipped ones left out, then stop
    // at the first character that cannot continue the number.
    std::string number;
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && (IsBlank(text[i]) || text[i] == '\n')) {
            ++i;
        }
    };
    auto take = [&](bool (*accepts)(char)) {
        int count = 0;
        for (skip(); i < text.size() && accepts(text[i]); skip()) {
            number += text[i++];
            ++count;
        }
        return count;
    };
    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            number += '-';
        }
        ++i;
    }
    int digits = take(IsDigit);
    skip();
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        digits += take(IsDigit);
    }
    if (digits == 0) {
        return 0;
    }
    skip();
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string mantissa = number;
        number += 'e';
        ++i;
        skip();
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            number += text[i++];
        }
        if (take(IsDigit) == 0) {
            number = mantissa;
        }
    }
    double value = 0;
    if (ConvertChecked(number, value) == ReadResult::TooLarge) {
        throw VbOverflow();
    }
    return value;
}
