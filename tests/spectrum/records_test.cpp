#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "spectrum/records.h"

namespace {

template <typename T>
T At(const std::vector<uint8_t>& bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);  // the test machine is little-endian
    return value;
}

TEST(SpectrumHeader, FieldsSitAtTheirPackedOffsets) {
    SpectrumHeader h;
    h.Signature = {'z', 'e', '7'};
    h.Comment[0] = 'A';
    h.SaveTime.Sec = 11;
    h.SaveTime.IsDst = 1;
    h.ProgramVersion = 0x52;
    h.FormatVersion = 0x44;
    h.DarkSubtracted = 1;
    h.DarkTime = -1;
    h.DataType = Radiance;
    h.ReferenceTime = 123456789;
    h.Channel1Wavelength = 350.5f;
    h.WavelengthStep = 1.25f;
    h.ValueFormat = ValueDouble;
    h.ApplicationCode = AppAbsoluteReflectance;
    h.ChannelCount = 2151;
    h.ApplicationData.First[32] = 'w';
    h.Gps.Latitude = -33.5;
    h.Gps.FixQuality = 2;
    h.Gps.UtcTime = {1, 2, 3, 4};
    h.Gps.Satellites[0] = 9;
    h.IntegrationTime = 136;
    h.ForeopticCode = 180;
    h.CalibrationNumber = 7;
    h.InstrumentNumber = 6012;
    h.YMax = 2.5f;
    h.BitCount = 16;
    h.Flags = {4, 8, 0, 0};
    h.DarkCount = 25;
    h.SampleCount = 10;
    h.InstrumentType = VnirSwir4;
    h.LampNumber = 77;
    h.Swir2Offset = -3;
    h.Splice2Wavelength = 1800;
    h.Detector.SerialNumber = 4242;
    h.Detector.Status = 0x63;
    h.Detector.Temperature = 21.5f;
    h.Reserved3[4] = 0xEE;

    const auto bytes = HeaderBytes(h);
    ASSERT_EQ(bytes.size(), 484u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "ze7");
    EXPECT_EQ(bytes[3], 'A');
    EXPECT_EQ(At<int16_t>(bytes, 160), 11);
    EXPECT_EQ(At<int16_t>(bytes, 176), 1);
    EXPECT_EQ(bytes[178], 0x52);
    EXPECT_EQ(bytes[179], 0x44);
    EXPECT_EQ(bytes[181], 1);
    EXPECT_EQ(At<int32_t>(bytes, 182), -1);
    EXPECT_EQ(bytes[186], Radiance);
    EXPECT_EQ(At<int32_t>(bytes, 187), 123456789);
    EXPECT_EQ(At<float>(bytes, 191), 350.5f);
    EXPECT_EQ(At<float>(bytes, 195), 1.25f);
    EXPECT_EQ(bytes[199], ValueDouble);
    EXPECT_EQ(bytes[203], AppAbsoluteReflectance);
    EXPECT_EQ(At<int16_t>(bytes, 204), 2151);
    EXPECT_EQ(bytes[206 + 32], 'w');
    EXPECT_EQ(At<double>(bytes, 334 + 16), -33.5);
    EXPECT_EQ(At<int16_t>(bytes, 334 + 40), 2);
    EXPECT_EQ(bytes[334 + 43 + 2], 3);
    EXPECT_EQ(bytes[334 + 49], 9);
    EXPECT_EQ(At<int32_t>(bytes, 390), 136);
    EXPECT_EQ(At<int16_t>(bytes, 394), 180);
    EXPECT_EQ(At<int16_t>(bytes, 398), 7);
    EXPECT_EQ(At<int16_t>(bytes, 400), 6012);
    EXPECT_EQ(At<float>(bytes, 406), 2.5f);
    EXPECT_EQ(At<int16_t>(bytes, 418), 16);
    EXPECT_EQ(bytes[421], 4);
    EXPECT_EQ(bytes[422], 8);
    EXPECT_EQ(At<int16_t>(bytes, 425), 25);
    EXPECT_EQ(At<int16_t>(bytes, 429), 10);
    EXPECT_EQ(bytes[431], VnirSwir4);
    EXPECT_EQ(At<int32_t>(bytes, 432), 77);
    EXPECT_EQ(At<int16_t>(bytes, 442), -3);
    EXPECT_EQ(At<float>(bytes, 448), 1800.0f);
    EXPECT_EQ(At<int32_t>(bytes, 452), 4242);
    EXPECT_EQ(At<int16_t>(bytes, 452 + 16), 0x63);
    EXPECT_EQ(At<float>(bytes, 452 + 23), 21.5f);
    EXPECT_EQ(bytes[483], 0xEE);
}

TEST(SpectrumHeader, AnyBytesReadAndWrittenComeBackUnchanged) {
    std::mt19937 random(3);
    for (int round = 0; round < 20; ++round) {
        std::vector<uint8_t> bytes(484);
        for (auto& b : bytes) {
            b = static_cast<uint8_t>(random());
        }
        EXPECT_EQ(HeaderBytes(HeaderFromBytes(bytes.data())), bytes);
    }
}

TEST(CalibrationHeader, TwentyNineBytesAndNameCutAtZero) {
    CalibrationHeader c;
    c.CalibrationType = CalLmp;
    const char name[] = "lamp123.ill";
    std::memcpy(c.CalibrationName.data(), name, sizeof name - 1);
    c.CalIntegrationTime = 17;
    c.CalSwir2Gain = -2;
    std::vector<uint8_t> bytes;
    spectrum::ByteWriter out(bytes);
    WriteRecord(out, c);
    ASSERT_EQ(bytes.size(), 29u);
    EXPECT_EQ(bytes[0], CalLmp);
    EXPECT_EQ(At<int32_t>(bytes, 21), 17);
    EXPECT_EQ(At<int16_t>(bytes, 27), -2);
    spectrum::ByteReader in(bytes.data(), bytes.size());
    CalibrationHeader back;
    ReadRecord(in, back);
    EXPECT_EQ(back.NameText(), "lamp123.ill");
}

TEST(ExtensionRecords, ReadAndWriteAreExactInverses) {
    ExtensionHeader header;
    header.Value1 = 3;
    header.Strings[4].Bytes = {'a', 'b'};
    header.Value2 = -1;
    header.Entries.Dimensions = {{2, 0}};
    header.Entries.Elements.resize(2);
    header.Entries.Elements[1].First.Bytes = {'x'};
    header.Entries.Elements[1].Data[91] = 0x7F;
    ExtensionArrays arrays;
    arrays.Lead = {1, 2, 3, 4};
    arrays.Strings.Dimensions = {{1, 1}, {2, 0}};  // two dimensions: 1 x 2 elements
    arrays.Strings.Elements.resize(2);
    arrays.Strings.Elements[0].Bytes = {'q', 'r', 's'};
    arrays.Values.Dimensions = {};

    std::vector<uint8_t> bytes;
    spectrum::ByteWriter out(bytes);
    WriteRecord(out, header);
    WriteRecord(out, arrays);
    spectrum::ByteReader in(bytes.data(), bytes.size());
    ExtensionHeader header2;
    ExtensionArrays arrays2;
    ReadRecord(in, header2);
    ReadRecord(in, arrays2);
    EXPECT_TRUE(in.AtEnd());
    std::vector<uint8_t> again;
    spectrum::ByteWriter out2(again);
    WriteRecord(out2, header2);
    WriteRecord(out2, arrays2);
    EXPECT_EQ(again, bytes);
    EXPECT_EQ(arrays2.Strings.Elements[0].Text(), "qrs");
}

TEST(ExtensionRecords, CountsTheFileCannotHoldAreRefusedBeforeAllocating) {
    auto refuse = [](std::vector<uint8_t> bytes) {
        spectrum::ByteReader in(bytes.data(), bytes.size());
        ExtensionArrays arrays;
        EXPECT_THROW(ReadRecord(in, arrays), spectrum::FileFormatError);
    };
    // Lead, then a dimension count and dimensions asking for billions of strings.
    refuse({0, 0, 0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0});
    // Two dimensions whose product overflows.
    refuse(
        {0, 0, 0, 0, 2, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0});
    // A negative dimension count and a negative element count.
    refuse({0, 0, 0, 0, 0xFF, 0xFF});
    refuse({0, 0, 0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0});
    // More elements than any instrument writes, even when the bytes are there.
    std::vector<uint8_t> many{0, 0, 0, 0, 0, 0, 1, 0, 0x70, 0x11, 0x01, 0, 0, 0, 0, 0};
    many.resize(many.size() + 70000 * 4);
    refuse(many);
    // A string longer than what is left.
    refuse({0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 'a'});
}

}  // namespace
