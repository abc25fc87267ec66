// The program's loader finds the library by name and forwards every export.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <cstring>

#include "zelutil/binding.h"

namespace {

TEST(ZelUtilBinding, EveryExportIsReachedByName) {
    const double xa[] = {1, 2, 3, 4, 5};
    const double ya[] = {1, 8, 27, 64, 125};
    double y = 0;
    EXPECT_EQ(ZelUtil::InterpolateValue(y, xa, ya, 5, 2.5), 1);
    EXPECT_DOUBLE_EQ(y, 15.625);
    EXPECT_EQ(ZelUtil::vbSelect(3, 5, ya), 27);
    EXPECT_EQ(ZelUtil::vbCeiling(-1.5), -1);
    EXPECT_EQ(ZelUtil::vbFloor(-1.5), -2);

    setenv("TZ", "UTC", 1);
    ZelUtil::vbTZSet();
    char buffer[1024];
    std::memset(buffer, ' ', sizeof buffer);
    int32_t t = 0;
    EXPECT_EQ(ZelUtil::CTimeToVBTime(t, buffer), 0);
    EXPECT_STREQ(buffer, "Thu Jan  1 00:00:00 1970\n");
    int32_t tm[9];
    EXPECT_EQ(ZelUtil::vbGettm(tm), 0);
    EXPECT_GT(ZelUtil::NowToCTime(), 1700000000);
    EXPECT_NE(ZelUtil::vbUTCToCTime(13, 0, 0), -1);
    unsetenv("TZ");
    ZelUtil::vbTZSet();
}

}  // namespace
