// Dates and times as text, from plain numbers (calendar month 1 to 12, full
// year). The separators are fixed characters, never the desktop's, so files
// and reports read the same everywhere.

#pragma once

#include <string>

// The general date of a moment, as a US desktop showed it:
// "M/D/YYYY h:mm:ss AM" with a 12-hour clock, e.g. "12/8/2026 7:29:03 PM".
// As there, midnight exactly shows the date alone ("12/9/2026"), and the
// zero date 12/30/1899 shows the time alone.
std::string GeneralDateText(int year, int month, int day, int hour, int minute, int second);

// "MM/DD/YYYY": every part at least two digits ("01/31/2005").
std::string MonthDayYearText(int month, int day, int year);

// "hh:mm:ss" on a 24-hour clock, each part at least two digits ("14:05:09").
std::string HourMinuteSecondText(int hour, int minute, int second);

// "yy/mm/dd" with the year's last two digits ("05/06/15" for 15 June 2005).
std::string YearMonthDayShortText(int year, int month, int day);
