#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <ctime>
#include <string>

#include "zelutil/zelutil.h"

namespace {

class ZoneScope {
public:
    explicit ZoneScope(const char* zone) {
        const char* old = getenv("TZ");
        hadOld_ = old != nullptr;
        if (hadOld_) {
            old_ = old;
        }
        setenv("TZ", zone, 1);
        vbTZSet();
    }
    ~ZoneScope() {
        if (hadOld_) {
            setenv("TZ", old_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        vbTZSet();
    }

private:
    bool hadOld_;
    std::string old_;
};

std::string TextOf(int32_t t) {
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(CTimeToVBTime(&t, buffer), 0);
    return std::string(buffer, std::strlen(buffer));
}

TEST(CTimeToVBTime, EpochInUtcIsTheTwentySixByteText) {
    ZoneScope utc("UTC");
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    int32_t t = 0;
    EXPECT_EQ(CTimeToVBTime(&t, buffer), 0);
    EXPECT_EQ(std::string(buffer, 26), std::string("Thu Jan  1 00:00:00 1970\n\0", 26));
    EXPECT_EQ(buffer[26], 'x');  // nothing written past the zero byte
    EXPECT_EQ(TextOf(2000000000), "Wed May 18 03:33:20 2033\n");
}

TEST(CTimeToVBTime, FollowsTheZoneAfterARefresh) {
    ZoneScope utc("UTC");
    EXPECT_EQ(TextOf(0), "Thu Jan  1 00:00:00 1970\n");
    setenv("TZ", "EST5", 1);
    vbTZSet();
    EXPECT_EQ(TextOf(18000), "Thu Jan  1 00:00:00 1970\n");
}

TEST(CTimeToVBTime, TimeWithoutTextLeavesAnEmptyText) {
    ZoneScope utc("UTC");
    EXPECT_EQ(TextOf(-1), "");
    EXPECT_EQ(TextOf(INT32_MIN), "");
    EXPECT_EQ(CTimeToVBTime(nullptr, nullptr), 0);
}

TEST(vbGettm, FillsNineFieldsInTmOrder) {
    ZoneScope utc("UTC");
    int32_t tm[10];
    tm[9] = 12345;
    const std::time_t before = std::time(nullptr);
    EXPECT_EQ(vbGettm(tm), 0);
    std::tm expected{};
    gmtime_r(&before, &expected);
    EXPECT_EQ(tm[5], expected.tm_year);
    EXPECT_EQ(tm[4], expected.tm_mon);
    EXPECT_EQ(tm[3], expected.tm_mday);
    EXPECT_GE(tm[0], 0);
    EXPECT_LE(tm[0], 60);
    EXPECT_EQ(tm[8], 0);
    EXPECT_EQ(tm[9], 12345);
}

TEST(vbUTCToCTime, GivesTodayOneHourEarlierThanAsked) {
    ZoneScope utc("UTC");
    const std::time_t now = std::time(nullptr);
    const int32_t t = vbUTCToCTime(13, 0, 0);
    std::tm today{}, result{};
    gmtime_r(&now, &today);
    const std::time_t tt = t;
    gmtime_r(&tt, &result);
    EXPECT_EQ(result.tm_year, today.tm_year);
    EXPECT_EQ(result.tm_yday, today.tm_yday);
    EXPECT_EQ(result.tm_hour, 12);
    EXPECT_EQ(result.tm_min, 0);
    EXPECT_EQ(result.tm_sec, 0);
    // Out-of-range fields roll over: hour 0 is 23 o'clock the day before.
    EXPECT_EQ(vbUTCToCTime(0, 0, 0), vbUTCToCTime(1, 0, 0) - 3600);
    EXPECT_EQ(vbUTCToCTime(5, 75, 0), vbUTCToCTime(6, 15, 0));
    EXPECT_EQ(vbUTCToCTime(INT32_MIN, 0, 0), -1);
}

TEST(NowToCTime, IsTheClock) {
    const int32_t now = NowToCTime();
    EXPECT_LE(std::abs(now - static_cast<int32_t>(std::time(nullptr))), 2);
}

}  // namespace
