#include <gtest/gtest.h>

#include <string>

#include "io/formats/gps_text.h"

namespace {

SpectrumHeader FieldHeader() {
    SpectrumHeader h;
    h.FormatVersion = 0x44;
    h.SaveTime.Mon = 5;
    h.SaveTime.MDay = 15;
    h.SaveTime.Year = 105;
    h.SaveTime.Hour = 14;
    h.SaveTime.Min = 3;
    h.SaveTime.Sec = 7;
    h.Gps.UtcTime = {5, 3, 14, 0};
    h.Gps.Latitude = 3957.1234;
    h.Gps.Longitude = 10516.5678;
    h.Gps.FixQuality = 1;
    h.Gps.Satellites = {8, 0, 0, 0, 0};
    h.Gps.Altitude = 1655.3;
    return h;
}

TEST(GpsText, RecordIsTheSaveTimePathAndGgaFieldsFollowedByAnEmptyLine) {
    EXPECT_EQ(GpsLogRecord(FieldHeader(), "/d/s.001"),
              "06/15/2005 14:03:07,/d/s.001,GPGGA,140305.000,3957.1234,N,10516.5678,W,1,08,,"
              "1655.3,M,,,,\r\n\r\n");

    SpectrumHeader h = FieldHeader();
    h.SaveTime = {};
    h.SaveTime.Mon = 11;
    h.SaveTime.MDay = 1;
    h.SaveTime.Year = 99;
    h.Gps.UtcTime = {3, 5, 9, 0};
    h.Gps.Latitude = -33.5;
    h.Gps.Longitude = 0;
    h.Gps.FixQuality = 2;
    h.Gps.Satellites = {12, 0, 0, 0, 0};
    h.Gps.Altitude = -12;
    EXPECT_EQ(GpsLogRecord(h, "/d/caf\xC3\xA9.001"),
              "12/01/1999 00:00:00,/d/caf\xE9.001,GPGGA,090503.000,33.5000,S,0.0000,E,2,12,,-12,"
              "M,,,,\r\n\r\n");
}

TEST(GpsText, HemispheresFollowTheSignAndZeroIsSouthAndEast) {
    SpectrumHeader h = FieldHeader();
    h.Gps.Latitude = 0;
    h.Gps.Longitude = -7.25;
    const std::string record = GpsLogRecord(h, "p");
    EXPECT_NE(record.find(",0.0000,S,7.2500,E,"), std::string::npos) << record;
    h.Gps.Latitude = 0.00004;  // above zero although it rounds to nothing
    EXPECT_NE(GpsLogRecord(h, "p").find(",0.0000,N,"), std::string::npos);
}

TEST(GpsText, OlderHeadersHoldACTimeWhoseTimeOfDayIsTaken) {
    SpectrumHeader h = FieldHeader();
    h.FormatVersion = 0x30;
    h.Gps.UtcTime = {0x19, 0x35, 0xB0, 0x42};  // 1118844185: 15 June 2005 14:03:05 UTC
    EXPECT_EQ(GpsUtcTimeField(h), "140305.000");
    h.FormatVersion = 0x43;  // 4.03, still the old layout
    EXPECT_EQ(GpsUtcTimeField(h), "140305.000");
    h.Gps.UtcTime = {0xE7, 0xCA, 0x4F, 0xBD};  // -1118844185 counts by its magnitude
    EXPECT_EQ(GpsUtcTimeField(h), "140305.000");
    h.Gps.UtcTime = {0x00, 0x00, 0x00, 0x80};  // the most negative time
    EXPECT_EQ(GpsUtcTimeField(h), "031408.000");
    h.FormatVersion = 0x50;  // 5.00 stores the clock bytes
    h.Gps.UtcTime = {59, 59, 23, 0xFF};
    EXPECT_EQ(GpsUtcTimeField(h), "235959.000");
}

}  // namespace
