#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "ops/calibration/kernels/parabolic.h"

namespace {

// A spectrum from First nm in 1-nm channels with flat steps: Vnir up to the
// first splice, Swir1 up to the second, Swir2 after it.
struct Steps {
    SpectrumHeader header;
    std::vector<double> values;

    Steps(float first, int channels, float splice1, float splice2, double vnir, double swir1,
          double swir2) {
        header.Channel1Wavelength = first;
        header.WavelengthStep = 1;
        header.ChannelCount = static_cast<int16_t>(channels);
        header.Splice1Wavelength = splice1;
        header.Splice2Wavelength = splice2;
        for (int i = 0; i < channels; ++i) {
            const double w = first + i;
            values.push_back(w <= splice1 ? vnir : w <= splice2 ? swir1 : swir2);
        }
    }
};

TEST(DetectorSet, FollowsTheInstrumentTable) {
    EXPECT_EQ(GetDetectorSet(350, 1050), 1);
    EXPECT_EQ(GetDetectorSet(350, 1051), 0);
    EXPECT_EQ(GetDetectorSet(350, 1800), 5);
    EXPECT_EQ(GetDetectorSet(350, 1830), 5);
    EXPECT_EQ(GetDetectorSet(350, 1831), 0);
    EXPECT_EQ(GetDetectorSet(350, 2500), 13);
    EXPECT_EQ(GetDetectorSet(1000, 1830), 4);
    EXPECT_EQ(GetDetectorSet(1000, 2500), 12);
    EXPECT_EQ(GetDetectorSet(1000, 2400), 0);
    EXPECT_EQ(GetDetectorSet(400, 900), 13);
    EXPECT_EQ(GetDetectorSet(1800, 2500), 8);
    EXPECT_EQ(GetDetectorSet(1800, 1), 8);
}

TEST(MeanOfRange, AveragesTheWindowAndRefusesOneOutside) {
    const std::vector<double> values{1, 2, 3, 4, 5};
    EXPECT_EQ(MeanOfRange(values, 1, 3), 3);
    EXPECT_EQ(MeanOfRange(values, 2, 3), 4);
    EXPECT_THROW(MeanOfRange(values, 3, 3), std::out_of_range);
    EXPECT_THROW(MeanOfRange(values, -1, 3), std::out_of_range);
    EXPECT_THROW(MeanOfRange(values, 0, 0), std::out_of_range);
}

TEST(ParabolicCorrectSpectrum, BendsOnlyTheJoinsTheDetectorSetHas) {
    // 350..1050 nm: VNIR only.
    Steps vnir(350, 701, 1000, 1830, 1, 2, 4);
    const auto untouched = vnir.values;
    EXPECT_EQ(ParabolicCorrectSpectrum(vnir.values, vnir.header), -1);
    EXPECT_EQ(vnir.values, untouched);

    // 350..1830 nm: the VNIR join is bent, and still -1.
    Steps five(350, 1481, 1000, 1830, 1, 2, 4);
    EXPECT_EQ(ParabolicCorrectSpectrum(five.values, five.header), -1);
    EXPECT_EQ(five.values[324], 1);  // 674 nm
    EXPECT_EQ(five.values[325], 1);  // the vertex
    // k = (2 - 1) / (325^2 x 1); at 800 nm the factor is 1 + k x 125^2.
    EXPECT_DOUBLE_EQ(five.values[450], 1 + 125.0 * 125 / (325.0 * 325));
    EXPECT_DOUBLE_EQ(five.values[650], 2);  // the join meets the SWIR1 mean
    EXPECT_EQ(five.values[651], 2);

    // 350..2500 nm: both joins; the result is the upper index.
    Steps all(350, 2151, 1000, 1830, 1, 2, 4);
    EXPECT_EQ(ParabolicCorrectSpectrum(all.values, all.header), 2150);
    EXPECT_DOUBLE_EQ(all.values[650], 2);
    EXPECT_EQ(all.values[1480], 2);
    // k2 = (2 - 4) / (145^2 x 4); at 1831 nm the factor is 1 + k2 x 144^2.
    EXPECT_DOUBLE_EQ(all.values[1481], 4 * (1 - 2.0 * 144 * 144 / (145.0 * 145 * 4)));
    EXPECT_EQ(all.values[1625], 4);  // the vertex
    EXPECT_EQ(all.values[1626], 4);

    // 1000..2500 nm: no VNIR to bend, the SWIR2 join is.
    Steps twelve(1000, 1501, 990, 1830, 1, 2, 4);
    EXPECT_EQ(ParabolicCorrectSpectrum(twelve.values, twelve.header), -1);
    EXPECT_EQ(twelve.values[0], 2);
    EXPECT_DOUBLE_EQ(twelve.values[831], all.values[1481]);
}

TEST(ParabolicCorrectSpectrum, ZeroAtAJoinDividesByOne) {
    Steps all(350, 2151, 1000, 1830, 1, 2, 4);
    all.values[650] = 0;
    all.values[1481] = all.values[1482] = all.values[1483] = 0;
    EXPECT_EQ(ParabolicCorrectSpectrum(all.values, all.header), 2150);
    // k = 2 / 325^2: the vertex stays, the zero stays zero.
    EXPECT_DOUBLE_EQ(all.values[450], 1 + 2.0 * 125 * 125 / (325.0 * 325));
    EXPECT_EQ(all.values[650], 0);
    // k2 = (2 - 0) / (145^2 x 1).
    EXPECT_DOUBLE_EQ(all.values[1484], 4 * (1 + 2.0 * 141 * 141 / (145.0 * 145)));
}

TEST(ParabolicCorrectSpectrum, SplicesOrVerticesOutsideTheSpectrumChangeNothing) {
    // A start after the fixed VNIR vertex: the vertex lies outside.
    Steps late(700, 1801, 1000, 1830, 1, 2, 4);
    auto before = late.values;
    EXPECT_EQ(ParabolicCorrectSpectrum(late.values, late.header), -1);
    EXPECT_EQ(late.values, before);

    // A first splice past the end of a 400-nm-start spectrum (set 13 by start).
    Steps shortOne(400, 500, 1000, 1830, 1, 2, 4);
    before = shortOne.values;
    EXPECT_EQ(ParabolicCorrectSpectrum(shortOne.values, shortOne.header), -1);
    EXPECT_EQ(shortOne.values, before);

    // A second splice one channel after the start: its SWIR1 mean would read
    // before it, so neither join is bent.
    Steps early(350, 2151, 1000, 351, 1, 2, 4);
    before = early.values;
    EXPECT_EQ(ParabolicCorrectSpectrum(early.values, early.header), -1);
    EXPECT_EQ(early.values, before);

    // Fewer values than the header says: the SWIR2 join is not among them.
    Steps cut(350, 2151, 1000, 1830, 1, 2, 4);
    cut.values.resize(1000);
    before = cut.values;
    EXPECT_EQ(ParabolicCorrectSpectrum(cut.values, cut.header), -1);
    EXPECT_EQ(cut.values, before);
}

TEST(ParabolicCorrectSpectrum, JoinsAtOrBeyondTheirVerticesBendNothing) {
    Steps all(350, 2151, 675, 1975, 1, 2, 4);
    const auto before = all.values;
    EXPECT_EQ(ParabolicCorrectSpectrum(all.values, all.header), 2150);
    EXPECT_EQ(all.values, before);
}

TEST(ParabolicBend, AHalfWayVertexMultipliesEveryChannelOnce) {
    Steps all(350, 2151, 1000, 1830, 1, 2, 4);
    const ParabolicBend plan = PlanVnirBend(all.values.size(), 350, 1000, 675.5);
    ASSERT_TRUE(plan.Inside);
    EXPECT_EQ(plan.First, 326);  // 325.5 to even
    EXPECT_EQ(plan.Steps, 325);  // 675.5 .. 999.5 nm
    const BendResult result = ApplyParabolicBend(all.values, plan);
    ASSERT_EQ(result.Outcome, BendOutcome::Bent);
    const double k = 1.0 / (324.5 * 324.5);
    for (int i = 326; i <= 650; ++i) {
        const double w = 675.5 + (i - 326);
        ASSERT_DOUBLE_EQ(all.values[i], 1 + k * (w - 675.5) * (w - 675.5)) << i;
    }
    EXPECT_EQ(all.values[325], 1);
    EXPECT_EQ(result.Before, 1);
    EXPECT_DOUBLE_EQ(result.After, all.values[650]);
}

TEST(ParabolicBend, TheSwir2BendAlwaysTakesItsFirstStep) {
    Steps all(350, 2151, 1000, 1830, 1, 2, 4);
    // A vertex half a nanometre after the splice: only 1831 nm is bent.
    const ParabolicBend plan = PlanSwir2Bend(all.values.size(), 350, 1830, 1830.5);
    ASSERT_TRUE(plan.Inside);
    EXPECT_EQ(plan.Steps, 1);
    const BendResult result = ApplyParabolicBend(all.values, plan);
    const double k2 = (2.0 - 4) / (0.5 * 0.5 * 4);
    EXPECT_DOUBLE_EQ(all.values[1481], 4 * (1 + k2 * 0.25));
    EXPECT_EQ(all.values[1482], 4);
    EXPECT_EQ(result.Before, 4);
    EXPECT_DOUBLE_EQ(ParabolicReadout(result), (all.values[1481] - 4) / 400);
}

TEST(ParabolicBend, ZeroAtTheJoinOrOnTheSwir2SideIsReportedUnchanged) {
    Steps all(350, 2151, 1000, 1830, 1, 2, 4);
    all.values[650] = 0;
    const auto before = all.values;
    const BendResult vnir = ApplyParabolicBend(all.values, PlanVnirBend(2151, 350, 1000, 675));
    EXPECT_EQ(vnir.Outcome, BendOutcome::ZeroAtJoin);
    EXPECT_EQ(all.values, before);
    // The join is SWIR1-side non-zero, but the SWIR2 mean it divides by is 0.
    all.values[1481] = 1;
    all.values[1482] = -2;
    all.values[1483] = 1;
    const auto swir2Before = all.values;
    const BendResult swir2 = ApplyParabolicBend(all.values, PlanSwir2Bend(2151, 350, 1830, 1975));
    EXPECT_EQ(swir2.Outcome, BendOutcome::ZeroAtJoin);
    EXPECT_EQ(all.values, swir2Before);
    EXPECT_EQ(ParabolicReadout({BendOutcome::Bent, 0, 5}), 0);
}

TEST(ParabolicBend, VerticesPastTheValuesAreOutside) {
    EXPECT_FALSE(PlanSwir2Bend(2151, 350, 1830, 2501).Inside);
    EXPECT_TRUE(PlanSwir2Bend(2151, 350, 1830, 2500).Inside);
    EXPECT_FALSE(VnirJoinInside(2151, 350, 349));
    EXPECT_FALSE(VnirJoinInside(2151, 350, 2498));
    EXPECT_TRUE(VnirJoinInside(2151, 350, 2497));
    EXPECT_FALSE(Swir2JoinInside(2151, 350, 351));
    EXPECT_TRUE(Swir2JoinInside(2151, 350, 352));
}

}  // namespace
