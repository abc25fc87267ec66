#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/text/convert.h"

namespace {

TEST(CInt, RoundsHalvesToEven) {
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(12.4999999), 12);
    EXPECT_EQ(CInt(0.5000001), 1);
    EXPECT_EQ(CLng(4.5), 4);
    EXPECT_EQ(CLng(-1e9 - 0.5), -1000000000);
    EXPECT_EQ(CByte(254.5), 254);
}

TEST(CInt, OutOfRangeIsOverflowNeverWrapped) {
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768.5), -32768);  // the even neighbour is still in range
    EXPECT_THROW(CInt(32767.5), VbOverflow);
    EXPECT_THROW(CInt(-32769), VbOverflow);
    EXPECT_THROW(CInt(std::numeric_limits<double>::quiet_NaN()), VbOverflow);
    EXPECT_EQ(CLng(2147483647.4), 2147483647);
    EXPECT_THROW(CLng(2147483647.5), VbOverflow);
    EXPECT_THROW(CLng(-2147483649.0), VbOverflow);
    EXPECT_THROW(CByte(-0.6), VbOverflow);
    EXPECT_EQ(CByte(-0.5), 0);
    EXPECT_THROW(CByte(255.5), VbOverflow);
}

TEST(VbError, CarriesTheOldNumberAndDescription) {
    try {
        CInt(1e6);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Overflow");
        EXPECT_EQ(dynamic_cast<const VbError&>(e).Number(), 6);
    }
    try {
        CDbl("abc");
        FAIL();
    } catch (const VbError& e) {
        EXPECT_STREQ(e.what(), "Type mismatch");
        EXPECT_EQ(e.Number(), 13);
    }
}

TEST(CSng, OverflowOnlyBeyondTheSingleRange) {
    EXPECT_EQ(CSng(0.1), 0.1f);
    EXPECT_EQ(CSng(3.4028235e38), std::numeric_limits<float>::max());
    EXPECT_THROW(CSng(3.5e38), VbOverflow);
    EXPECT_THROW(CSng(-1e300), VbOverflow);
    EXPECT_TRUE(std::isnan(CSng(std::numeric_limits<double>::quiet_NaN())));
}

TEST(ParseDouble, AcceptsOnlyAPlainDecimalNumber) {
    EXPECT_EQ(ParseDouble("350.5"), 350.5);
    EXPECT_EQ(ParseDouble("  -0.01234\t"), -0.01234);
    EXPECT_EQ(ParseDouble("+5"), 5);
    EXPECT_EQ(ParseDouble("5."), 5);
    EXPECT_EQ(ParseDouble(".5"), 0.5);
    EXPECT_EQ(ParseDouble("1E-07"), 1e-7);
    EXPECT_EQ(ParseDouble("2.5e+3"), 2500);
    EXPECT_EQ(ParseDouble("1e-400"), 0);  // too small for a Double
    for (const char* bad : {"", "   ", ".", "-", "1,5", "1.2.3", "1e", "1e+", "e5", "0x10", "inf",
                            "nan", "1 2", "12abc", "--1", "1e400", "&H10"}) {
        EXPECT_FALSE(ParseDouble(bad).has_value()) << '"' << bad << '"';
    }
}

TEST(ParseInt32, WholeNumbersWithin32Bits) {
    EXPECT_EQ(ParseInt32(" 19 "), 19);
    EXPECT_EQ(ParseInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ParseInt32("2147483647"), std::numeric_limits<std::int32_t>::max());
    for (const char* bad : {"2147483648", "1.0", "1e3", "", "+", "7x"}) {
        EXPECT_FALSE(ParseInt32(bad).has_value()) << '"' << bad << '"';
    }
}

TEST(CDbl, ReportsTheOldErrors) {
    EXPECT_EQ(CDbl(" 1100 "), 1100);
    EXPECT_EQ(CInt(CDbl("12.5")), 12);
    EXPECT_THROW(CDbl(""), VbTypeMismatch);
    EXPECT_THROW(CDbl("1e400"), VbOverflow);
}

TEST(Val, ReadsTheLeadingNumberSkippingBlanks) {
    EXPECT_EQ(Val(" 1615 198th Street N.E."), 1615198);
    EXPECT_EQ(Val("2.5e3x"), 2500);
    EXPECT_EQ(Val("1 . 5"), 1.5);
    EXPECT_EQ(Val("\t-\n.5"), -0.5);
    EXPECT_EQ(Val("1,5"), 1);
    EXPECT_EQ(Val("1.2.3"), 1.2);
    EXPECT_EQ(Val("1e"), 1);
    EXPECT_EQ(Val("3D2"), 300);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val("-"), 0);
    EXPECT_EQ(Val("1e-999"), 0);
    EXPECT_THROW(Val("1e999"), VbOverflow);
}

}  // namespace
