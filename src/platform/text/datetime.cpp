#include "platform/text/datetime.h"

#include "platform/text/number.h"

namespace {

std::string TwoDigits(int n) {
    return Format(n, "00");
}

}  // namespace

std::string GeneralDateText(int year, int month, int day, int hour, int minute, int second) {
    const std::string date =
        std::to_string(month) + "/" + std::to_string(day) + "/" + Format(year, "0000");
    const int clockHour = hour % 12 == 0 ? 12 : hour % 12;
    const std::string time = std::to_string(clockHour) + ":" + TwoDigits(minute) + ":" +
                             TwoDigits(second) + (hour < 12 ? " AM" : " PM");
    if (year == 1899 && month == 12 && day == 30) {
        return time;
    }
    if (hour == 0 && minute == 0 && second == 0) {
        return date;
    }
    return date + " " + time;
}

std::string MonthDayYearText(int month, int day, int year) {
    return TwoDigits(month) + "/" + TwoDigits(day) + "/" + TwoDigits(year);
}

std::string HourMinuteSecondText(int hour, int minute, int second) {
    return TwoDigits(hour) + ":" + TwoDigits(minute) + ":" + TwoDigits(second);
}

std::string YearMonthDayShortText(int year, int month, int day) {
    return TwoDigits(year % 100) + "/" + TwoDigits(month) + "/" + TwoDigits(day);
}
