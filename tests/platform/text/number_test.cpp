#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "platform/text/number.h"

namespace {

TEST(CStrDouble, FifteenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(CStrDouble(0), "0");
    EXPECT_EQ(CStrDouble(-0.0), "0");
    EXPECT_EQ(CStrDouble(400), "400");
    EXPECT_EQ(CStrDouble(350.5), "350.5");
    EXPECT_EQ(CStrDouble(-33.5), "-33.5");
    EXPECT_EQ(CStrDouble(0.5), "0.5");
    EXPECT_EQ(CStrDouble(0.1 + 0.2), "0.3");
    EXPECT_EQ(CStrDouble(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(CStrDouble(0.1f), "0.100000001490116");
    // A whole-numbered JCAMP ordinate: 65535 over the Single 1E-6 widened.
    EXPECT_EQ(CStrDouble(std::trunc(65535 / static_cast<double>(1e-6f))), "65535000165");
}

TEST(CStrDouble, SwitchesToExponentBelow1EMinus4AndFrom1E15) {
    EXPECT_EQ(CStrDouble(0.0001), "0.0001");
    EXPECT_EQ(CStrDouble(0.00012345), "0.00012345");
    EXPECT_EQ(CStrDouble(0.00001), "1E-05");
    EXPECT_EQ(CStrDouble(0.000099999), "9.9999E-05");
    EXPECT_EQ(CStrDouble(-0.000015), "-1.5E-05");
    EXPECT_EQ(CStrDouble(123456789012345), "123456789012345");
    EXPECT_EQ(CStrDouble(999999999999999.4), "999999999999999");
    EXPECT_EQ(CStrDouble(999999999999999.9), "1E+15");  // rounding decides, not the raw value
    EXPECT_EQ(CStrDouble(1e15), "1E+15");
    EXPECT_EQ(CStrDouble(1.5e20), "1.5E+20");
    EXPECT_EQ(CStrDouble(1e100), "1E+100");
    EXPECT_EQ(CStrDouble(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
}

TEST(CStrDouble, ExactHalvesRoundAwayFromZero) {
    EXPECT_EQ(CStrDouble(std::ldexp(1.0, -22)), "2.38418579101563E-07");  // ...5625 exactly
    EXPECT_EQ(CStrDouble(1234567890123445.0), "1.23456789012345E+15");
    EXPECT_EQ(CStrDouble(-1234567890123445.0), "-1.23456789012345E+15");
    EXPECT_EQ(CStrDouble(1234567890123444.0), "1.23456789012344E+15");
}

TEST(CStrDouble, NonFiniteValues) {
    EXPECT_EQ(CStrDouble(std::numeric_limits<double>::infinity()), "1.#INF");
    EXPECT_EQ(CStrDouble(-std::numeric_limits<double>::infinity()), "-1.#INF");
    EXPECT_EQ(CStrDouble(std::numeric_limits<double>::quiet_NaN()), "1.#QNAN");
}

TEST(CStrSingle, SevenSignificantDigitsAndItsOwnBounds) {
    EXPECT_EQ(CStrSingle(0.1f), "0.1");
    EXPECT_EQ(CStrSingle(350.5f), "350.5");
    EXPECT_EQ(CStrSingle(1.0f / 3), "0.3333333");
    EXPECT_EQ(CStrSingle(0.0001f), "0.0001");
    EXPECT_EQ(CStrSingle(1e-6f), "1E-06");  // the JCAMP Y factor
    EXPECT_EQ(CStrSingle(1234567.0f), "1234567");
    EXPECT_EQ(CStrSingle(1e7f), "1E+07");
    EXPECT_EQ(CStrSingle(12345678.0f), "1.234568E+07");
}

TEST(Str, BlankInPlaceOfThePlusSign) {
    EXPECT_EQ(Str(470), " 470");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(-3), "-3");
    EXPECT_EQ(Str(0.5), " .5");
    EXPECT_EQ(Str(-0.25), "-.25");
}

struct FormatCase {
    double value;
    const char* pattern;
    const char* text;
};

TEST(Format, PatternsOfTheProgram) {
    const FormatCase cases[] = {
        {5, "00", "05"},
        {2005, "00", "2005"},
        {0, "00", "00"},
        {-5, "00", "-05"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {3.5, "0", "4"},
        {0.4, "0", "0"},
        {-0.4, "0", "0"},
        {20000, "0.0", "20000.0"},
        {13.25, "0.0", "13.3"},
        {1.005, "0.00", "1.01"},
        {1, "0.00", "1.00"},
        {-1.005, "0.00", "-1.01"},
        {3957.1234, "0.0000", "3957.1234"},
        {0.015625, "0.00000", "0.01563"},
        {-0.01234, "0.00000", "-0.01234"},
        {4, "###0.00", "4.00"},
        {12345.678, "###0.00", "12345.68"},
        {0.004, "###0.00", "0.00"},
        {-0.004, "###0.00", "0.00"},
        {0.995, "###0.00", "1.00"},
        {1.5, "##0.0000", "1.5000"},
        {100, "##0.0000", "100.0000"},
        {-1.5, "##0.0000", "-1.5000"},
        {0.5, "#.00", ".50"},
        {1e20, "0.0", "100000000000000000000.0"},
        {1.5, "0.0#", "1.5"},
        {1.234, "0.0#", "1.23"},
        {5, "#.##", "5."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
    }
}

TEST(Format, ExponentPatterns) {
    const FormatCase cases[] = {
        {1.5e-9, "0.000E-00", "1.500E-09"}, {2500, "0.000E-00", "2.500E03"},
        {0, "0.000E-00", "0.000E00"},       {-0.00012345, "0.000E-00", "-1.235E-04"},
        {9.9996, "0.000E-00", "1.000E01"},  {1e100, "0.000E-00", "1.000E100"},
        {2500, "0.000E+00", "2.500E+03"},   {12345, "00.00e+00", "12.35e+03"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
    }
}

TEST(Format, WithoutPatternIsTheGeneralText) {
    EXPECT_EQ(Format(0.00001), "1E-05");
    EXPECT_EQ(Format(1655.3, ""), "1655.3");
}

TEST(Format, TextThatReadsAsANumberIsFormattedOtherTextStays) {
    EXPECT_EQ(Format("12.5", "##0.0000"), "12.5000");
    EXPECT_EQ(Format(" 2E-3 ", "###0.00"), "0.00");
    EXPECT_EQ(Format("LamStart < 350", "###0.00"), "LamStart < 350");
    EXPECT_EQ(Format("", "##0.0000"), "");
}

TEST(Format, UnsupportedPatternIsAProgrammingError) {
    for (const char* pattern : {"0,000", "0%", "0.0.0", ".", "0E", "0.0E-", "x"}) {
        EXPECT_THROW(Format(1.0, pattern), std::invalid_argument) << pattern;
    }
}

// A comma-decimal desktop locale must not leak into data files.
TEST(NumberText, IndependentOfTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* installed = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            installed = name;
            break;
        }
    }
    if (installed == nullptr) {
        GTEST_SKIP() << "no comma-decimal locale installed";
    }
    const std::string general = CStrDouble(1655.3) + CStrSingle(0.1f) + Str(0.5);
    const std::string formatted = Format(3957.1234, "0.0000") + Format(1.5e-9, "0.000E-00");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(general, "1655.30.1 .5");
    EXPECT_EQ(formatted, "3957.12341.500E-09");
}

}  // namespace

TEST(Format, SinglesRoundFromTheirOwnSevenDigits) {
    EXPECT_EQ(Format(21.55f, "0.0"), "21.6");
    EXPECT_EQ(Format(static_cast<double>(21.55f), "0.0"), "21.5");
    EXPECT_EQ(Format(1.5e-9f, "0.000E-00"), "1.500E-09");
    EXPECT_EQ(Format(0.1f, ""), "0.1");
}
