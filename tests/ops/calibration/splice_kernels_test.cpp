#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "ops/calibration/kernels/splice.h"

namespace {

// Channel i holds first + i: every mean names the channels it took.
std::vector<double> Ramp(int channels, double first = 0) {
    std::vector<double> values(static_cast<std::size_t>(channels));
    std::iota(values.begin(), values.end(), first);
    return values;
}

TEST(SpliceCorrection, MeansTakeGapChannelsOnEachSideOfEachJoin) {
    auto values = Ramp(2151);
    const SpliceCorrection c = SpliceCorrectSpectrum(values, 350, 1000, 1830, 5);
    ASSERT_EQ(c.Outcome, SpliceOutcome::Corrected);
    EXPECT_EQ(c.S0, 350);
    EXPECT_EQ(c.S1, 1001);
    EXPECT_EQ(c.S2, 1831);
    EXPECT_EQ(c.B1, 648);   // 646..650 = 996..1000 nm
    EXPECT_EQ(c.A1, 653);   // 651..655
    EXPECT_EQ(c.B2, 1478);  // 1476..1480
    EXPECT_EQ(c.A2, 1483);  // 1481..1485
    EXPECT_EQ(values[0], 0);
    EXPECT_DOUBLE_EQ(values[650], 650 * (653.0 / 648));
    EXPECT_EQ(values[651], 651);
    EXPECT_EQ(values[1480], 1480);
    EXPECT_DOUBLE_EQ(values[1481], 1481 * (1478.0 / 1483));
    EXPECT_DOUBLE_EQ(values[2150], 2150 * (1478.0 / 1483));
}

TEST(SpliceCorrection, AGapOfOneComparesNeighbours) {
    auto values = Ramp(2151);
    const SpliceCorrection c = SpliceCorrectSpectrum(values, 350, 1000, 1830, 1);
    EXPECT_EQ(c.B1, 650);
    EXPECT_EQ(c.A1, 651);
    EXPECT_EQ(c.B2, 1480);
    EXPECT_EQ(c.A2, 1481);
}

TEST(SpliceCorrection, FractionalSplicesRoundHalfToEven) {
    auto values = Ramp(2151);
    EXPECT_EQ(SpliceCorrectSpectrum(values, 350, 900.5, 1830, 5).S1, 902);
    values = Ramp(2151);
    EXPECT_EQ(SpliceCorrectSpectrum(values, 350, 899.5, 1830, 5).S1, 900);
}

TEST(SpliceCorrection, WindowsPastTheEndAddNothingAndStillDivideByTheGap) {
    // 350..1835 nm: the SWIR2 window 1483..1487 holds three channels.
    auto values = Ramp(1486);
    const SpliceCorrection c = SpliceCorrectSpectrum(values, 350, 1000, 1832, 5);
    ASSERT_EQ(c.Outcome, SpliceOutcome::Corrected);
    EXPECT_EQ(c.A2, (1483 + 1484 + 1485) / 5.0);
    EXPECT_DOUBLE_EQ(values[1485], 1485 * (c.B2 / c.A2));

    // A second splice on the last channel leaves no SWIR2: unscaled, written.
    values = Ramp(1486);
    const SpliceCorrection last = SpliceCorrectSpectrum(values, 350, 1000, 1835, 5);
    EXPECT_EQ(last.Outcome, SpliceOutcome::Corrected);
    EXPECT_EQ(last.A2, 0);
    EXPECT_FALSE(last.Swir2Scaled);
    EXPECT_EQ(values[1485], 1485);
}

TEST(SpliceCorrection, NoSignalBeforeTheFirstSpliceChangesNothing) {
    std::vector<double> values(2151, 1.0);
    for (int i = 646; i <= 650; ++i) {
        values[i] = 0;
    }
    const auto before = values;
    EXPECT_EQ(SpliceCorrectSpectrum(values, 350, 1000, 1830, 5).Outcome,
              SpliceOutcome::NoSignalBeforeFirstSplice);
    EXPECT_EQ(values, before);
}

TEST(SpliceCorrection, JoinsPastTheEndOfACutSpectrumLeaveTheirSegmentAsItIs) {
    // 350..999 nm: the VNIR window 996..1000 holds four channels, nothing
    // lies above either join. A1 = 0 must not wipe the VNIR segment.
    auto values = Ramp(650);
    const auto before = values;
    const SpliceCorrection cut = SpliceCorrectSpectrum(values, 350, 1000, 1830, 5);
    EXPECT_EQ(cut.Outcome, SpliceOutcome::Corrected);
    EXPECT_EQ(cut.B1, (646 + 647 + 648 + 649) / 5.0);
    EXPECT_EQ(cut.A1, 0);
    EXPECT_EQ(cut.B2, 0);
    EXPECT_EQ(cut.A2, 0);
    EXPECT_FALSE(cut.VnirScaled);
    EXPECT_FALSE(cut.Swir2Scaled);
    EXPECT_EQ(values, before);

    // Splices past the last channel of a full spectrum: the same.
    values = Ramp(2151);
    EXPECT_EQ(SpliceCorrectSpectrum(values, 350, 2501, 2600, 5).Outcome, SpliceOutcome::Corrected);
    EXPECT_EQ(values, Ramp(2151));
}

TEST(SpliceCorrection, JoinsBeforeTheFirstChannelAddNothing) {
    // The first join below the spectrum: no signal below it.
    auto values = Ramp(100, 1);
    EXPECT_EQ(SpliceCorrectSpectrum(values, 1100, 1000, 1830, 5).Outcome,
              SpliceOutcome::NoSignalBeforeFirstSplice);
    EXPECT_EQ(values, Ramp(100, 1));

    // A window that starts before the first channel sums what is there.
    values = Ramp(2151, 1);
    const SpliceCorrection partial = SpliceCorrectSpectrum(values, 998, 1000, 1830, 5);
    EXPECT_EQ(partial.B1, (1 + 2 + 3) / 5.0);  // 998..1000 nm
    EXPECT_EQ(partial.A1, (4 + 5 + 6 + 7 + 8) / 5.0);
    EXPECT_TRUE(partial.VnirScaled);
    EXPECT_DOUBLE_EQ(values[0], 1 * (30.0 / 6));
    EXPECT_EQ(values[3], 4);

    // A second join below the spectrum: A2 = 0, SWIR2 unscaled, VNIR still.
    values = Ramp(2151, 1);
    const SpliceCorrection second = SpliceCorrectSpectrum(values, 350, 1000, 0, 5);
    EXPECT_EQ(second.Outcome, SpliceOutcome::Corrected);
    EXPECT_EQ(second.A2, 0);
    EXPECT_FALSE(second.Swir2Scaled);
    EXPECT_TRUE(second.VnirScaled);
    EXPECT_EQ(values[2150], 2151);
}

TEST(SpliceCorrection, SplicesThatAreNoWavelengthAreRefusedUnchanged) {
    auto values = Ramp(2151);
    EXPECT_EQ(SpliceCorrectSpectrum(values, 350, 40000, 1830, 5).Outcome,
              SpliceOutcome::FirstSpliceOutside);
    EXPECT_EQ(SpliceCorrectSpectrum(values, 350, 1000, std::nanf(""), 5).Outcome,
              SpliceOutcome::SecondSpliceOutside);
    EXPECT_EQ(SpliceCorrectSpectrum(values, 350, 1000, -1e9f, 5).Outcome,
              SpliceOutcome::SecondSpliceOutside);
    EXPECT_EQ(values, Ramp(2151));
}

}  // namespace
