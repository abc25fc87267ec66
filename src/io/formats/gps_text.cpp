#include "io/formats/gps_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/text/codepage.h"
#include "platform/text/datetime.h"
#include "platform/text/number.h"

namespace {

std::string Two(long long value) {
    return Format(value, "00");
}

// The version byte holds major * 16 + minor; minor counts hundredths.
bool StoresClockBytes(uint8_t formatVersion) {
    return (formatVersion / 16) * 100 + (formatVersion & 15) >= 404;
}

}  // namespace

std::string GpsUtcTimeField(const SpectrumHeader& header) {
    const auto& utc = header.Gps.UtcTime;
    if (StoresClockBytes(header.FormatVersion)) {
        return Two(utc[2]) + Two(utc[1]) + Two(utc[0]) + ".000";
    }
    // The four bytes as one little-endian C time, like every other field; a
    // negative time counts by its magnitude, as the header listing shows it.
    const auto time = static_cast<int32_t>(
        static_cast<uint32_t>(utc[0]) | (static_cast<uint32_t>(utc[1]) << 8) |
        (static_cast<uint32_t>(utc[2]) << 16) | (static_cast<uint32_t>(utc[3]) << 24));
    const long long ofDay = std::llabs(static_cast<long long>(time)) % 86400;
    return Two(ofDay / 3600) + Two(ofDay / 60 % 60) + Two(ofDay % 60) + ".000";
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
    text += Two(gps.Satellites[0]) + ",";
    text += ",";  // no HDOP
    text += CStrDouble(gps.Altitude) + ",M,";
    text += ",,,\r\n\r\n";
    return text;
}
