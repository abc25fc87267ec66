#include <gtest/gtest.h>

#include <cstring>

#include "spectrum/stamps.h"

namespace {

SpectrumHeader VersionSevenHeader() {
    SpectrumHeader h;
    h.Signature = {'z', 'e', '7'};
    h.ValueFormat = ValueDouble;
    h.FormatVersion = 0x72;
    h.DataType = Radiance;
    h.ChannelCount = 2151;
    h.Channel1Wavelength = 350;
    h.WavelengthStep = 1;
    h.InstrumentType = Vnir1;
    h.Gps.Latitude = 12.5;
    h.Reserved3 = {1, 2, 3, 4, 5};
    return h;
}

TEST(Stamps, SignatureStampTouchesOnlyItsThreeFields) {
    SpectrumHeader h = VersionSevenHeader();
    SetFileSignature(1, h);
    EXPECT_EQ(std::string(h.Signature.begin(), h.Signature.end()), "ZEL");
    EXPECT_EQ(h.ValueFormat, ValueSingle);
    EXPECT_EQ(h.FormatVersion, 16);
    SpectrumHeader expected = VersionSevenHeader();
    expected.Signature = h.Signature;
    expected.ValueFormat = ValueSingle;
    expected.FormatVersion = 16;
    EXPECT_EQ(HeaderBytes(h), HeaderBytes(expected));
}

TEST(Stamps, ClearingApplicationDataKeepsTheReferenceName) {
    SpectrumHeader h;
    h.ApplicationCode = AppAbsoluteReflectance;
    std::memcpy(h.ApplicationData.First.data() + 32, "white.ref", 9);
    h.ApplicationData.Second.fill(0xAB);
    ClearApplicationData(h);
    EXPECT_EQ(h.ApplicationCode, AppNone);
    EXPECT_EQ(std::memcmp(h.ApplicationData.First.data() + 32, "white.ref", 9), 0);
    for (uint8_t b : h.ApplicationData.Second) {
        EXPECT_EQ(b, 0);
    }
}

TEST(Stamps, DerivedHeadersCopyEverythingAndApplyTheInstrumentRule) {
    const SpectrumHeader source = VersionSevenHeader();
    SpectrumHeader dest;
    MakeRadianceHeader(dest, source);
    EXPECT_EQ(dest.InstrumentType, Vnir3);
    EXPECT_EQ(dest.DataType, Radiance);
    EXPECT_EQ(dest.Gps.Latitude, 12.5);
    EXPECT_EQ(dest.Reserved3, source.Reserved3);
    EXPECT_EQ(dest.Signature, source.Signature);

    SpectrumHeader four = source;
    four.InstrumentType = VnirSwir4;
    MakeIrradianceHeader(dest, four);
    EXPECT_EQ(dest.InstrumentType, VnirSwir4);
    EXPECT_EQ(dest.DataType, Irradiance);

    SpectrumHeader zero = source;
    zero.InstrumentType = Swir0;
    MakeInterpolatedHeader(dest, zero, 350.0, 1.0, 2151);
    EXPECT_EQ(dest.InstrumentType, Vnir3);
    EXPECT_EQ(dest.Channel1Wavelength, 350.0f);
    EXPECT_EQ(dest.WavelengthStep, 1.0f);
    EXPECT_EQ(dest.ChannelCount, 2151);
    EXPECT_EQ(dest.ValueFormat, ValueSingle);
    EXPECT_EQ(dest.DataType, Radiance);
    EXPECT_EQ(std::string(dest.Signature.begin(), dest.Signature.end()), "ze7");
    // Start and step are held as Singles.
    MakeInterpolatedHeader(dest, source, 0.1, 1.0 / 3.0, 10);
    EXPECT_EQ(dest.Channel1Wavelength, 0.1f);
    EXPECT_EQ(dest.WavelengthStep, static_cast<float>(1.0 / 3.0));

    SpectrumHeader two = source;
    two.Signature = {'z', 'e', 'l'};
    MakeQiHeader(dest, two, 700);
    EXPECT_EQ(std::string(dest.Signature.begin(), dest.Signature.end()), "zel");
    EXPECT_EQ(dest.ValueFormat, ValueSingle);
    EXPECT_EQ(dest.DataType, QuantumIntensity);
    EXPECT_EQ(dest.ChannelCount, 700);
}

}  // namespace
