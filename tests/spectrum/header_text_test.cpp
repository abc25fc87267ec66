#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <sstream>

#include "spectrum/header_text.h"
#include "spectrum/state.h"
#include "zelutil/binding.h"

namespace {

class HeaderText : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        setenv("TZ", "UTC", 1);
        ZelUtil::vbTZSet();
    }
    void TearDown() override {
        unsetenv("TZ");
        ZelUtil::vbTZSet();
    }

    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const auto end = text.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
            if (end == std::string::npos) {
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    static std::vector<std::string> Write(const std::string& name = "C:/data/leaf.001") {
        std::ostringstream out;
        WriteHeaderText(out, name);
        return Lines(out.str());
    }
};

SpectrumHeader KnownHeader() {
    SpectrumHeader h;
    std::memcpy(h.Comment.data(), "leaf 3, sunny\r\nsecond line", 26);
    h.InstrumentNumber = 6012;
    h.CalibrationNumber = 3;
    h.ProgramVersion = 0x52;
    h.FormatVersion = 0x18;
    h.SaveTime.Mon = 2;
    h.SaveTime.MDay = 5;
    h.SaveTime.Year = 105;
    h.SaveTime.Hour = 9;
    h.SaveTime.Min = 4;
    h.SaveTime.Sec = 7;
    h.InstrumentType = VnirSwir4;
    h.IntegrationTime = 136;
    h.Channel1Wavelength = 350;
    h.WavelengthStep = 1.5f;
    h.SampleCount = 10;
    h.XMin = 350;
    h.XMax = 2500;
    h.YMin = 0;
    h.YMax = 0.75f;
    h.BitCount = 16;
    h.Flags[0] = FlagAvgFix;
    h.LampNumber = 12;
    h.Swir1Gain = 200;
    h.Swir1Offset = 2048;
    h.Swir2Gain = 100;
    h.Swir2Offset = 2047;
    h.Splice1Wavelength = 1000;
    h.Splice2Wavelength = 1830.5f;
    h.ApplicationCode = AppAbsoluteReflectance;
    std::memcpy(h.ApplicationData.First.data() + 32, "white.ref", 9);
    h.DarkSubtracted = 1;
    h.DarkCount = 25;
    h.DarkTime = 86400;
    h.DarkCorrectionValue = 100;
    h.DataType = Reflectance;
    h.ReferenceCount = 1;
    h.ReferenceTime = -1;
    h.ForeopticCode = 25;
    h.Gps.Latitude = -33.25;
    h.Gps.Longitude = 151.5;
    h.Gps.Altitude = 120.5;
    h.Gps.UtcTime = {0, 0, 0, 0};  // C time 0: format 1.08 is before 4.04
    h.Detector.SerialNumber = 4242;
    h.Detector.SignalMean = 1.5e-9f;
    h.Detector.DarkMean = 2500;
    h.Detector.ReferenceMean = 0;
    h.Detector.Status = 0x63;  // bits 5..7 = 3 -> E-7; code 3 with program 5.02 -> bits: Lost Data
    h.Detector.Averaging = 8;
    h.Detector.Temperature = 21.55f;
    h.Detector.Humidity = 40;
    return h;
}

TEST_F(HeaderText, AKnownHeaderLineByLine) {
    CurrentHeader = KnownHeader();
    const std::vector<std::string> expected = {
        "",
        "Text conversion of header file C:/data/leaf.001",
        " -----------------------------------------------------------",
        "leaf 3, sunny",
        "The instrument number was  6012/3",
        "New ZEL spectrum file: Program version = 5.02 file version = 1.08",
        "Spectrum saved: 03/05/2005 at 09:04:07",
        "VNIR integration time : 136",
        "VNIR channel 1 wavelength = 350 wavelength step = 1.5",
        "There were 10 samples per data value",
        "xmin = 350 xmax= 2500",
        "ymin= 0 ymax= 0.75",
        "The instrument digitizes spectral values to 16 bits",
        "Spectrum was AVGFIX'd ",
        "Calibration lamp was number 12",
        "SWIR1 gain was 200 offset was 2048",
        "SWIR2 gain was 100 offset was 2047",
        "Join between VNIR and SWIR1 was 1000 nm",
        "Join between SWIR1 and SWIR2 was 1830.5 nm",
        "Absolute Reflectance is Enabled",
        "The Absolute Reflectance File is white.ref",
        "VNIR dark signal subtracted",
        "25 dark measurements taken Fri Jan  2 00:00:00 1970",
        "DCC value was 100",
        "Data is compared to a white reference:",
        "1 white reference measurement",
        "There was a 25-degree FOV foreoptic attached",
        "Spectrum file is reflectance data",
        "GPS-Latitude is S-33.25",
        "GPS-Longitude is W151.5",
        "GPS-Altitude is 120.5",
        "GPS-UTC is Thu Jan  1 00:00:00 1970",
        "",
        "Tevra Detector",
        "Serial#  4242",
        "Signal (A)  1.500E-09",
        "Dark (A)  2.500E03",
        "Ref (A)  0.000E00",
        "Status  99 - Lost Data",
        "Gain  E-7",
        "Averaging  8",
        "Temp (C)  21.6",
        "Humid (%)  40.0",
        "",
    };
    const auto lines = Write();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    }
    // The record keeps the year as read; a year already stored in full shows
    // as it is.
    EXPECT_EQ(CurrentHeader.SaveTime.Year, 105);
    EXPECT_EQ(Write()[6], "Spectrum saved: 03/05/2005 at 09:04:07");
    CurrentHeader.SaveTime.Year = 2005;
    EXPECT_EQ(Write()[6], "Spectrum saved: 03/05/2005 at 09:04:07");
}

TEST_F(HeaderText, InstrumentFiveHasOnlySwirLines) {
    CurrentHeader = KnownHeader();
    CurrentHeader.InstrumentType = Swir5;
    CurrentHeader.ApplicationCode = 255;
    CurrentHeader.SampleCount = 1;
    CurrentHeader.YMax = 0;  // no bounds lines
    const auto lines = Write();
    auto has = [&lines](const std::string& prefix) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    EXPECT_FALSE(has("Integration time") || has("VNIR integration"));
    EXPECT_FALSE(has("Channel 1 wavelength") || has("VNIR channel 1"));
    EXPECT_TRUE(has("SWIR1 gain was 200"));
    EXPECT_TRUE(has("SWIR2 gain was 100"));
    EXPECT_FALSE(has("Join between VNIR"));
    EXPECT_TRUE(std::find(lines.begin(), lines.end(),
                          "Join between SWIR1 and SWIR2 was 1830.5nm") != lines.end());
    EXPECT_FALSE(has("VNIR dark"));
    EXPECT_FALSE(has("Absolute Reflectance") || has("**"));
    EXPECT_FALSE(has("xmin"));
    EXPECT_TRUE(has("There was one sample per data value"));
}

TEST_F(HeaderText, DataKindSentences) {
    CurrentHeader = KnownHeader();
    // The line after the foreoptic's.
    auto kind = [] {
        const auto lines = Write();
        const auto foreoptic =
            std::find(lines.begin(), lines.end(), "There was a 25-degree FOV foreoptic attached");
        return foreoptic + 1 < lines.end() ? *(foreoptic + 1) : std::string();
    };
    CurrentHeader.DataType = Radiance;
    EXPECT_EQ(kind(), "Spectrum file is radiance data");
    CurrentHeader.DataType = Irradiance;
    EXPECT_EQ(kind(), "Spectrum file is irradiance data");
    CurrentHeader.DataType = QuantumIntensity;
    EXPECT_EQ(kind(), "Spectrum file is Quantum Integration (QI) data");
    CurrentHeader.DataType = Unknown;
    EXPECT_EQ(kind(), "GPS-Latitude is S-33.25");  // no data-kind line
    // The flag describes a file of Doubles only: left set by an earlier one,
    // it does not make a version-1 file raw data.
    HasEmbeddedReference = true;
    CurrentHeader.DataType = Radiance;
    FileVersion = 1;
    EXPECT_EQ(kind(), "Spectrum file is radiance data");
    FileVersion = 7;
    EXPECT_EQ(kind(), "Spectrum file is raw data with embedded reference");
}

TEST_F(HeaderText, StatusByProgramVersion) {
    CurrentHeader.ProgramVersion = 0x60;
    EXPECT_EQ(GetStatusText(3), "3 - Lost Data");
    EXPECT_EQ(GetStatusText(0x24), "36 - Good");
    EXPECT_EQ(GetStatusText(9), "9 - ");
    EXPECT_EQ(GetStatusText(6), "6 - Ranging");
    CurrentHeader.ProgramVersion = 0x50;  // exactly 5.0 is still the bit set
    EXPECT_EQ(GetStatusText(1), "1 - Good");
    CurrentHeader.ProgramVersion = 0x40;
    EXPECT_EQ(GetStatusText(3), "3 - Lost Data");
    EXPECT_EQ(GetStatusText(9), "9 - Over Limit");
    EXPECT_EQ(GetStatusText(4), "4 - Under Limit");
    EXPECT_EQ(GetStatusText(0), "0 - Good");
}

TEST_F(HeaderText, ExponentAndTimes) {
    EXPECT_EQ(FormatExponentText(0), "E-4");
    EXPECT_EQ(FormatExponentText(0xE0), "E-11");
    EXPECT_EQ(FormatExponentText(0x3F), "E-5");
    EXPECT_EQ(CTimeToText(0), "Thu Jan  1 00:00:00 1970");
    EXPECT_EQ(CTimeToText(-86400), "Fri Jan  2 00:00:00 1970");  // the magnitude counts
    EXPECT_EQ(CTimeToText(INT32_MIN), "Time Coversion Error");

    CurrentHeader.FormatVersion = 0x44;  // 4.04: hours, minutes, seconds
    CurrentHeader.Gps.UtcTime = {7, 30, 14, 99};
    EXPECT_EQ(GetGpsTimeText(), "14:30:07");
    CurrentHeader.FormatVersion = 0x38;                    // 3.08: one C time
    CurrentHeader.Gps.UtcTime = {0x80, 0x51, 0x01, 0x00};  // 86400
    EXPECT_EQ(GetGpsTimeText(), "Fri Jan  2 00:00:00 1970");
}

TEST_F(HeaderText, CommentEndsAtTheLineBreakAndKeepsZeroBytes) {
    SpectrumHeader h;
    std::memcpy(h.Comment.data(), "ab\0cd\nef", 8);
    EXPECT_EQ(CommentText(h), std::string("ab\0cd", 5));
    h.Comment.fill('x');
    EXPECT_EQ(CommentText(h).size(), 156u);
}

}  // namespace
