// The rules that decide, from a file's header alone, whether and how the graph
// draws it, and how the y axis shows the largest value.

#include <gtest/gtest.h>

#include "views/plot_modes.h"

namespace {

SpectrumHeader Header(uint8_t dataType, uint8_t applicationCode = AppNone, int16_t foreoptic = 25) {
    SpectrumHeader header;
    header.DataType = dataType;
    header.ApplicationCode = applicationCode;
    header.ForeopticCode = foreoptic;
    return header;
}

TEST(PlotRules, NativeFilesNeedAUsableReferenceForReflectanceAndLog) {
    const auto raw = Header(Raw);
    for (int16_t format : {PlotReflectance, PlotTransmittance, PlotLog1R, PlotLog1T}) {
        EXPECT_EQ(NativePlotSource(format, DerivNone, raw, 0, 2), PlotSource::Skip) << format;
    }
    EXPECT_EQ(NativePlotSource(PlotTransmittance, DerivSecond, raw, 1, 2),
              PlotSource::ReflectanceDeriv2);
    EXPECT_EQ(NativePlotSource(PlotLog1T, DerivFirst, raw, 1, 2), PlotSource::Log1RDeriv1);
    // A derivative the mode has no routine for shows the values as read.
    EXPECT_EQ(NativePlotSource(PlotLog1R, DerivAbsolute, raw, 1, 2), PlotSource::ValuesAsRead);
    EXPECT_EQ(NativePlotSource(PlotReflectance, DerivReference, raw, 1, 2),
              PlotSource::ValuesAsRead);
}

TEST(PlotRules, AbsoluteReflectanceOnlyForFilesMarkedAbsoluteAndOnlyAsReflectance) {
    const auto absolute = Header(Raw, AppAbsoluteReflectance);
    EXPECT_EQ(NativePlotSource(PlotReflectance, DerivAbsolute, absolute, 1, 7),
              PlotSource::AbsoluteReflectance);
    EXPECT_EQ(NativePlotSource(PlotReflectance, DerivAbsolute, Header(Raw), 1, 7),
              PlotSource::Skip);
    EXPECT_EQ(NativePlotSource(PlotTransmittance, DerivAbsolute, absolute, 1, 7),
              PlotSource::ValuesAsRead);
}

TEST(PlotRules, RadiometricModesFollowTheForeoptic) {
    EXPECT_EQ(NativePlotSource(PlotRadiance, 0, Header(Radiance, 0, 179), 0, 2),
              PlotSource::Radiometric);
    EXPECT_EQ(NativePlotSource(PlotRadiance, 0, Header(Radiance, 0, 180), 0, 2), PlotSource::Skip);
    EXPECT_EQ(NativePlotSource(PlotIrradiance, 0, Header(Irradiance, 0, 180), 0, 2),
              PlotSource::Radiometric);
    EXPECT_EQ(NativePlotSource(PlotIrradiance, 0, Header(Irradiance, 0, 179), 0, 2),
              PlotSource::Skip);
    EXPECT_EQ(NativePlotSource(PlotIrradiance, 0, Header(Radiance, 0, 180), 0, 2),
              PlotSource::Skip);
}

TEST(PlotRules, CalibrationBuffersFromVersionSevenOfTheirKindOfFile) {
    EXPECT_EQ(NativePlotSource(PlotAbs, 0, Header(Reflectance, AppAbsoluteReflectance), 0, 7),
              PlotSource::CalBufferABS);
    EXPECT_EQ(NativePlotSource(PlotAbs, 0, Header(Reflectance, AppAbsoluteReflectance), 0, 6),
              PlotSource::Skip);
    EXPECT_EQ(NativePlotSource(PlotAbs, 0, Header(Reflectance), 0, 8), PlotSource::Skip);
    EXPECT_EQ(NativePlotSource(PlotBse, 0, Header(Radiance), 0, 7), PlotSource::CalBufferBSE);
    EXPECT_EQ(NativePlotSource(PlotLmp, 0, Header(Irradiance), 0, 8), PlotSource::CalBufferLMP);
    EXPECT_EQ(NativePlotSource(PlotFo, 0, Header(Raw), 0, 7), PlotSource::Skip);
    EXPECT_EQ(NativePlotSource(PlotFo, 0, Header(Radiance), 0, 6), PlotSource::Skip);
    // DN, reference and unknown modes: the raw counts.
    for (int16_t format : {int16_t{PlotDN}, int16_t{PlotReference}, int16_t{11}}) {
        EXPECT_EQ(NativePlotSource(format, 2, Header(Radiance), 0, 2), PlotSource::ValuesAsRead);
    }
}

TEST(PlotRules, VersionOneFilesOnlyInTheModeOfWhatTheyHold) {
    EXPECT_TRUE(DrawsVersion1File(PlotDN, 2, Header(QuantumIntensity)));
    EXPECT_TRUE(DrawsVersion1File(PlotDN, 0, Header(Arithmetic)));
    EXPECT_FALSE(DrawsVersion1File(PlotDN, 0, Header(Radiance)));
    EXPECT_TRUE(DrawsVersion1File(PlotTransmittance, 0, Header(Reflectance)));
    EXPECT_TRUE(DrawsVersion1File(PlotReflectance, 0, Header(Transmittance)));
    // Absolute reflectance files only under "Absolute", the others never there.
    EXPECT_FALSE(
        DrawsVersion1File(PlotReflectance, 0, Header(Reflectance, AppAbsoluteReflectance)));
    EXPECT_TRUE(DrawsVersion1File(PlotReflectance, 3, Header(Reflectance, AppAbsoluteReflectance)));
    EXPECT_FALSE(DrawsVersion1File(PlotReflectance, 3, Header(Reflectance)));
    EXPECT_FALSE(DrawsVersion1File(PlotReflectance, 1, Header(Reflectance)));
    EXPECT_TRUE(DrawsVersion1File(PlotLog1T, 0, Header(Absorbance)));
    EXPECT_FALSE(DrawsVersion1File(PlotLog1R, 1, Header(Absorbance)));
    EXPECT_TRUE(DrawsVersion1File(PlotIrradiance, 0, Header(Irradiance)));
    for (int16_t format : {PlotReference, PlotAbs, PlotBse, PlotLmp, PlotFo}) {
        EXPECT_FALSE(DrawsVersion1File(format, 0, Header(Reflectance, AppAbsoluteReflectance)));
    }
}

TEST(PlotRules, AxisTitlesOfTheModes) {
    EXPECT_EQ(YAxisTitle(PlotDN, 2, QuantumIntensity), "Quantum Intensity");
    EXPECT_EQ(YAxisTitle(PlotDN, 0, Radiance), "DN");
    EXPECT_EQ(YAxisTitle(PlotReflectance, 3, Raw), "Absolute Reflectance");
    EXPECT_EQ(YAxisTitle(PlotReflectance, -1, Raw), "Reflectance");
    EXPECT_EQ(YAxisTitle(PlotTransmittance, 1, Raw), "1st Deriv. Transmittance");
    EXPECT_EQ(YAxisTitle(PlotTransmittance, 3, Raw), "Transmittance");
    EXPECT_EQ(YAxisTitle(PlotLog1R, 2, Raw), "2nd Deriv. LOG 1/R");
    EXPECT_EQ(YAxisTitle(PlotLog1T, 3, Raw), "LOG 1/T");
    EXPECT_EQ(YAxisTitle(PlotRadiance, 2, Raw), "Radiance");
    EXPECT_EQ(YAxisTitle(PlotIrradiance, 0, Raw), "Irradiance");
    EXPECT_EQ(YAxisTitle(PlotLmp, 1, Raw), "LMP");
    EXPECT_EQ(YAxisTitle(PlotReference, -1, QuantumIntensity), "DN");
    EXPECT_EQ(YAxisTitle(42, 0, Raw), "DN");
}

TEST(PlotRules, TheExponentShowsOutsideTheReadableRange) {
    for (double plain : {1e-5, 0.5, 10000.0}) {
        const auto choice = ChooseYExponent(plain);
        EXPECT_FALSE(choice.Shown) << plain;
        EXPECT_FALSE(choice.Exponent) << plain;
    }
    EXPECT_EQ(ChooseYExponent(20000).Exponent, 4);
    EXPECT_EQ(ChooseYExponent(100000).Exponent, 5);
    // The logarithm falls short of the power by a rounding error and the
    // integer part is taken toward zero, both ways.
    EXPECT_EQ(ChooseYExponent(1e6).Exponent, 5);
    EXPECT_EQ(ChooseYExponent(1e-6).Exponent, -5);
    EXPECT_EQ(ChooseYExponent(1e-7).Exponent, -7);
    EXPECT_EQ(ChooseYExponent(5e-324).Exponent, -323);
    // No logarithm: the display switches on, the exponent is left alone.
    for (double none : {0.0, -5.0}) {
        const auto choice = ChooseYExponent(none);
        EXPECT_TRUE(choice.Shown);
        EXPECT_FALSE(choice.Exponent);
    }
}

}  // namespace
