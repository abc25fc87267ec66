#include <gtest/gtest.h>

#include <vector>

#include "ops/calibration/kernels/radiometric.h"

namespace {

// Seven channels from 350 nm at 1 nm: with splices at 352 and 354 the
// regions are 350-352, 353-354 and 355-356.
SpectrumHeader SevenChannels(uint8_t instrumentType) {
    SpectrumHeader header;
    header.ChannelCount = 7;
    header.Channel1Wavelength = 350;
    header.WavelengthStep = 1;
    header.InstrumentType = instrumentType;
    header.Splice1Wavelength = 352;
    header.Splice2Wavelength = 354;
    header.IntegrationTime = 34;
    header.Swir1Gain = 200;
    header.Swir2Gain = 200;
    return header;
}

// Integration time 17 against 34 gives 0.5; Swir1Gain 100 against 200 gives 2;
// Swir2Gain 50 against 200 gives 4.
SpectrumHeader Calibration() {
    SpectrumHeader cal;
    cal.IntegrationTime = 17;
    cal.Swir1Gain = 100;
    cal.Swir2Gain = 50;
    return cal;
}

const std::vector<double> Ones(7, 1.0);

std::vector<double> Irradiance(const SpectrumHeader& header, uint8_t gate,
                               std::vector<double> out = std::vector<double>(7, 0.0)) {
    CalcIrradiance(out, Ones, Ones, Ones, header, Calibration(), gate);
    return out;
}

TEST(RadiometricKernels, EachDetectorRegionTakesItsOwnFactor) {
    // A channel on a splice wavelength belongs to the earlier region.
    EXPECT_EQ(Irradiance(SevenChannels(VnirSwir4), VnirSwir4),
              (std::vector<double>{0.5, 0.5, 0.5, 2, 2, 4, 4}));
    EXPECT_EQ(Irradiance(SevenChannels(VnirSwir7), VnirSwir7),
              (std::vector<double>{0.5, 0.5, 0.5, 2, 2, 4, 4}));
    // No VNIR detector: the SWIR1 factor from the first channel on.
    EXPECT_EQ(Irradiance(SevenChannels(Swir5), Swir5), (std::vector<double>{2, 2, 2, 2, 2, 4, 4}));
    // Single-detector types: one pass over every channel; gains are unused.
    for (uint8_t type : {Swir0, Vnir1, Vnir2, Vnir3, Vnir10}) {
        SpectrumHeader header = SevenChannels(type);
        header.Swir1Gain = 0;
        header.Swir2Gain = 0;
        EXPECT_EQ(Irradiance(header, type), std::vector<double>(7, 0.5)) << int(type);
    }
}

TEST(RadiometricKernels, ThePassesAreGatedByTheTypeGivenNotTheHeaders) {
    // NEDL's derived header says 3 where the files said 1: the same passes.
    EXPECT_EQ(Irradiance(SevenChannels(Vnir3), Vnir1), std::vector<double>(7, 0.5));
    // A three-region header gated as a single-detector type stops after VNIR.
    EXPECT_EQ(Irradiance(SevenChannels(VnirSwir4), Vnir1, std::vector<double>(7, -1.0)),
              (std::vector<double>{0.5, 0.5, 0.5, -1, -1, -1, -1}));
}

TEST(RadiometricKernels, RadianceDividesByTheLiteralAndMultipliesTheBaseline) {
    const SpectrumHeader header = SevenChannels(VnirSwir4);
    const std::vector<double> dn{10, 10, 10, 10, 10, 10, 10};
    const std::vector<double> response{4, 0, 4, 4, 4, 4, 4};
    const std::vector<double> lamp{3, 3, 3, 3, 3, 3, 3};
    const std::vector<double> baseline{0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
    std::vector<double> out(7, 0.0);
    CalcRadiance(out, dn, response, lamp, baseline, header, Calibration(), VnirSwir4);
    EXPECT_EQ(out[0], (10.0 / 4) * 3 * (17.0 / 34 / 3.14159) * 0.5);
    EXPECT_EQ(out[1], 0);  // a response of 0 gives 0 whatever the counts
    EXPECT_EQ(out[3], (10.0 / 4) * 3 * (2.0 / 3.14159) * 0.5);
    EXPECT_EQ(out[6], (10.0 / 4) * 3 * (4.0 / 3.14159) * 0.5);

    CalcIrradiance(out, dn, response, lamp, header, Calibration(), VnirSwir4);
    EXPECT_EQ(out[0], (10.0 / 4) * 3 * 0.5);
}

TEST(RadiometricKernels, ChannelsBeyondAnyArrayAreNotWritten) {
    const SpectrumHeader header = SevenChannels(Vnir3);
    const std::vector<double> shortLamp{1, 1, 1, 1};
    std::vector<double> out(7, -1.0);
    CalcIrradiance(out, Ones, Ones, shortLamp, header, Calibration(), Vnir3);
    EXPECT_EQ(out, (std::vector<double>{0.5, 0.5, 0.5, 0.5, -1, -1, -1}));

    // Radiance also needs the baseline.
    std::fill(out.begin(), out.end(), -1.0);
    CalcRadiance(out, Ones, Ones, Ones, std::vector<double>{1, 1}, header, Calibration(), Vnir3);
    EXPECT_EQ(out[1], 0.5 / 3.14159);
    EXPECT_EQ(out[2], -1);
}

TEST(RadiometricKernels, AWalkThatNeverReachesItsEndStopsAtTheLastChannel) {
    SpectrumHeader header = SevenChannels(VnirSwir4);
    header.WavelengthStep = 0;
    header.Splice1Wavelength = 1e30f;
    EXPECT_EQ(Irradiance(header, VnirSwir4), std::vector<double>(7, 0.5));
}

TEST(RadiometricKernels, UndefinedTypesAndFactorsLeaveOutAlone) {
    for (uint8_t type : {uint8_t{SingleGain6}, uint8_t{8}, uint8_t{9}, uint8_t{200}}) {
        EXPECT_EQ(Irradiance(SevenChannels(type), type, std::vector<double>(7, -1.0)),
                  std::vector<double>(7, -1.0));
    }
    SpectrumHeader header = SevenChannels(VnirSwir4);
    header.Swir1Gain = 0;
    EXPECT_EQ(Irradiance(header, VnirSwir4, std::vector<double>(7, -1.0)),
              (std::vector<double>{0.5, 0.5, 0.5, -1, -1, 4, 4}));
}

TEST(RadiometricKernels, ProblemNamesTheZeroFieldOfARegionThatRuns) {
    const SpectrumHeader cal = Calibration();
    auto problem = [&](const SpectrumHeader& header, const SpectrumHeader& c) {
        return RadiometricProblem(header, c, header.InstrumentType, "a.001", "ni1_1.raw");
    };
    EXPECT_EQ(problem(SevenChannels(VnirSwir4), cal), "");

    SpectrumHeader header = SevenChannels(VnirSwir4);
    header.IntegrationTime = 0;
    EXPECT_EQ(problem(header, cal), "the IntegrationTime of a.001 is 0");
    SpectrumHeader zeroCal = cal;
    zeroCal.Swir2Gain = 0;
    EXPECT_EQ(problem(SevenChannels(VnirSwir4), zeroCal), "the Swir2Gain of ni1_1.raw is 0");

    // Gains a single-detector spectrum never uses, or an integration time for
    // a spectrum without VNIR channels, do not matter.
    header = SevenChannels(Vnir2);
    header.Swir1Gain = 0;
    EXPECT_EQ(problem(header, zeroCal), "");
    header = SevenChannels(Swir5);
    header.IntegrationTime = 0;
    EXPECT_EQ(problem(header, cal), "");

    EXPECT_EQ(problem(SevenChannels(SingleGain6), cal),
              "the instrument type 6 of a.001 has no radiometric regions");
}

}  // namespace
