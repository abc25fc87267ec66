#include <gtest/gtest.h>

#include "platform/text/datetime.h"

namespace {

TEST(GeneralDateText, TwelveHourClockWithoutPadding) {
    EXPECT_EQ(GeneralDateText(2026, 12, 8, 19, 29, 3), "12/8/2026 7:29:03 PM");
    EXPECT_EQ(GeneralDateText(2005, 1, 31, 0, 5, 0), "1/31/2005 12:05:00 AM");
    EXPECT_EQ(GeneralDateText(2005, 1, 31, 12, 0, 0), "1/31/2005 12:00:00 PM");
    EXPECT_EQ(GeneralDateText(2005, 1, 31, 11, 59, 59), "1/31/2005 11:59:59 AM");
}

TEST(GeneralDateText, MidnightShowsTheDateAndTheZeroDateTheTime) {
    EXPECT_EQ(GeneralDateText(2026, 12, 9, 0, 0, 0), "12/9/2026");
    EXPECT_EQ(GeneralDateText(1899, 12, 30, 14, 3, 7), "2:03:07 PM");
}

TEST(FixedDateTexts, TwoDigitPartsAndFixedSeparators) {
    EXPECT_EQ(MonthDayYearText(1, 31, 2005), "01/31/2005");
    EXPECT_EQ(MonthDayYearText(12, 5, 2005), "12/05/2005");
    EXPECT_EQ(HourMinuteSecondText(14, 5, 9), "14:05:09");
    EXPECT_EQ(HourMinuteSecondText(0, 0, 0), "00:00:00");
    EXPECT_EQ(YearMonthDayShortText(2005, 6, 15), "05/06/15");
    EXPECT_EQ(YearMonthDayShortText(2000, 12, 1), "00/12/01");
}

}  // namespace
