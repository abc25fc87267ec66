#include "io/formats/gps_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/text/codepage.h"
#include "platform/text/datetime.h"
#include "platform/text/number.h"
#include "spectrum/header_text.h"

std::string GpsUtcTimeField(const SpectrumHeader& header) {
    const auto& utc = header.Gps.UtcTime;
    if (GpsTimeIsClockBytes(header.FormatVersion)) {
        return TwoDigitText(utc[2]) + TwoDigitText(utc[1]) + TwoDigitText(utc[0]) + ".000";
    }
    // A negative time counts by its magnitude, as the header listing shows it.
    const long long ofDay = std::llabs(static_cast<long long>(GpsTimeAsCTime(utc))) % 86400;
    return TwoDigitText(ofDay / 3600) + TwoDigitText(ofDay / 60 % 60) + TwoDigitText(ofDay % 60) +
           ".000";
}

std::string GpsLogRecord(const SpectrumHeader& header, const std::string& path) {
    const TmRecord& saved = header.SaveTime;
    const GpsData& gps = header.Gps;
    std::string text = MonthDayYearText(saved.Mon + 1, saved.MDay, saved.Year + 1900);
    text += " " + HourMinuteSecondText(saved.Hour, saved.Min, saved.Sec) + ",";
    text += Utf8ToAnsi(path) + ",";
    text += "GPGGA," + GpsUtcTimeField(header) + ",";
    // The position is written as stored (ddmm.mmmm), its sign as the letter.
    // East counts negative in these headers, so a positive longitude is west.
    text += Format(std::fabs(gps.Latitude), "0.0000") + ",";
    text += std::string(gps.Latitude > 0 ? "N" : "S") + ",";
    text += Format(std::fabs(gps.Longitude), "0.0000") + ",";
    text += std::string(gps.Longitude > 0 ? "W" : "E") + ",";
    text += std::to_string(gps.FixQuality) + ",";
    text += TwoDigitText(gps.Satellites[0]) + ",";
    text += ",";  // no HDOP
    text += CStrDouble(gps.Altitude) + ",M,";
    text += ",,,\r\n\r\n";
    return text;
}
