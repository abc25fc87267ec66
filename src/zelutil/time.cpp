// The C runtime's time services, for callers that cannot reach them directly.
// Every export copies the runtime's result out at once, under one lock, so the
// time-zone refresh never interleaves with a conversion.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

#include "zelutil/zelutil.h"

namespace {

std::mutex TimeLock;

constexpr const char* DayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

extern "C" {

int32_t CTimeToVBTime(const int32_t* T, char* Buffer) {
    if (Buffer == nullptr) {
        return 0;
    }
    Buffer[0] = '\0';
    // Times before 1970 have no text on the platform the file format comes
    // from; callers make a negative time positive before they ask.
    if (T == nullptr || *T < 0) {
        return 0;
    }
    const std::time_t t = *T;
    std::tm local{};
    {
        std::lock_guard<std::mutex> lock(TimeLock);
        if (localtime_r(&t, &local) == nullptr) {
            return 0;
        }
    }
    if (local.tm_wday < 0 || local.tm_wday > 6 || local.tm_mon < 0 || local.tm_mon > 11 ||
        local.tm_year + 1900 > 9999 || local.tm_year + 1900 < 1000) {
        return 0;
    }
    // Written by hand rather than through asctime/strftime so that the English
    // names hold whatever the process locale is.
    char text[32];
    const int written =
        std::snprintf(text, sizeof text, "%s %s%3d %02d:%02d:%02d %d\n", DayNames[local.tm_wday],
                      MonthNames[local.tm_mon], local.tm_mday, local.tm_hour, local.tm_min,
                      local.tm_sec, local.tm_year + 1900);
    if (written != 25) {
        return 0;
    }
    std::memcpy(Buffer, text, 26);
    return 0;
}

int32_t NowToCTime(void) {
    return static_cast<int32_t>(std::time(nullptr));
}

void vbTZSet(void) {
    std::lock_guard<std::mutex> lock(TimeLock);
    tzset();
}

int32_t vbGettm(int32_t* Tm) {
    if (Tm == nullptr) {
        return 0;
    }
    for (int i = 0; i < 9; ++i) {
        Tm[i] = 0;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    {
        std::lock_guard<std::mutex> lock(TimeLock);
        if (localtime_r(&now, &local) == nullptr) {
            return 0;
        }
    }
    const int fields[9] = {local.tm_sec,  local.tm_min,  local.tm_hour, local.tm_mday, local.tm_mon,
                           local.tm_year, local.tm_wday, local.tm_yday, local.tm_isdst};
    for (int i = 0; i < 9; ++i) {
        Tm[i] = fields[i];
    }
    return 0;
}

int32_t vbUTCToCTime(int32_t Hour, int32_t Minute, int32_t Second) {
    const std::time_t now = std::time(nullptr);
    std::tm broken{};
    std::lock_guard<std::mutex> lock(TimeLock);
    if (gmtime_r(&now, &broken) == nullptr) {
        return -1;
    }
    // One hour less than asked: this export has always answered that way and
    // code written against it counts on the offset.
    if (Hour == INT32_MIN) {
        return -1;
    }
    broken.tm_hour = Hour - 1;
    broken.tm_min = Minute;
    broken.tm_sec = Second;
    broken.tm_isdst = 0;
    const std::time_t result = std::mktime(&broken);
    if (result == static_cast<std::time_t>(-1) || result > INT32_MAX || result < INT32_MIN) {
        return -1;
    }
    return static_cast<int32_t>(result);
}

}  // extern "C"
