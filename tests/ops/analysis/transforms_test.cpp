#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "frame/settings.h"
#include "ops/analysis/kernels/transforms.h"
#include "ops/analysis/spectral_transforms.h"
#include "spectrum/state.h"
#include "support/scripted_ui.h"

namespace {

std::vector<double> Squares(int count) {
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(static_cast<double>(i) * i);
    }
    return values;
}

std::vector<double> Difference(const std::vector<double>& source, int16_t gap) {
    std::vector<double> target;
    GapDifference(source, gap, target);
    return target;
}

TEST(Log1RRule, MarkerNonPositiveAndOrdinaryReflectances) {
    EXPECT_EQ(Log1RKeepingMarker(1.0), 0.0);
    EXPECT_DOUBLE_EQ(Log1RKeepingMarker(0.1), 1.0);
    EXPECT_DOUBLE_EQ(Log1RKeepingMarker(0.01), 2.0);
    EXPECT_DOUBLE_EQ(Log1RKeepingMarker(0.5), std::log10(2.0));
    EXPECT_EQ(Log1RKeepingMarker(0.0), 10.0);
    EXPECT_EQ(Log1RKeepingMarker(-0.5), 10.0);
    EXPECT_EQ(Log1RKeepingMarker(-9999.0), -9999.0);
    EXPECT_EQ(Log1RKeepingMarker(std::numeric_limits<double>::quiet_NaN()), 10.0);

    std::vector<double> target{7, 7, 7, 7, 7};
    Log1R({1.0, -9999.0}, target);
    EXPECT_EQ(target, (std::vector<double>{0.0, -9999.0}));
}

TEST(GapDifference, QuadraticGivesExactCentredDifferencesWithZeroEnds) {
    // (i+1)^2 - (i-1)^2 = 4i, over the divisor 2.
    std::vector<double> expected{0, 2, 4, 6, 8, 10, 12, 14, 16, 0};
    EXPECT_EQ(Difference(Squares(10), 3), expected);

    const auto first = Difference(Squares(10), 5);
    EXPECT_EQ(first, (std::vector<double>{0, 0, 4, 6, 8, 10, 12, 14, 0, 0}));
    EXPECT_EQ(Difference(first, 5), (std::vector<double>{0, 0, 2, 2.5, 2, 2, -2, -2.5, 0, 0}));

    EXPECT_EQ(Difference(std::vector<double>(20, 0.37), 7), std::vector<double>(20, 0.0));
}

TEST(GapDifference, WidestGapLeavesZeroEndsThatTheSecondPassDrawsOn) {
    std::vector<double> line;
    for (int i = 0; i < 100; ++i) {
        line.push_back(i);
    }
    const auto first = Difference(line, 65);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(first[i], i >= 32 && i <= 67 ? 1.0 : 0.0) << i;
    }
    const auto second = Difference(first, 65);
    for (int i = 0; i < 100; ++i) {
        const double expected = i >= 32 && i <= 35   ? 1.0 / 64
                                : i >= 64 && i <= 67 ? -1.0 / 64
                                                     : 0.0;
        EXPECT_EQ(second[i], expected) << i;
    }
}

TEST(GapDifference, SpectrumShorterThanTheWindowIsAllZero) {
    EXPECT_EQ(Difference({1, 2, 3, 4}, 5), std::vector<double>(4, 0.0));
    EXPECT_EQ(Difference({1, 2, 4, 8, 16}, 5), (std::vector<double>{0, 0, 3.75, 0, 0}));
    EXPECT_TRUE(Difference({}, 5).empty());
}

TEST(GapDifference, GapsBelowThreeAreTakenAsSevenAndEvenGapsKeepTheirRule) {
    const auto squares = Squares(12);
    const auto seven = Difference(squares, 7);
    for (int16_t gap : {int16_t{2}, int16_t{1}, int16_t{0}, int16_t{-3}, int16_t{-32768}}) {
        EXPECT_EQ(Difference(squares, gap), seven) << gap;
    }
    // Gap 4: h = 2, divisor 3.
    EXPECT_EQ(Difference(Squares(6), 4), (std::vector<double>{0, 0, 16.0 / 3, 24.0 / 3, 0, 0}));
}

TEST(GapDifference, MissingValueMarkerEntersAsANumber) {
    std::vector<double> values(11, 1.0);
    values[5] = -9999;
    const auto t = Difference(values, 5);
    EXPECT_EQ(t[3], -10000.0 / 4);
    EXPECT_EQ(t[7], 10000.0 / 4);
    EXPECT_EQ(t[5], 0.0);
}

class SpectralTransforms : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        ResetSettingsState();
        DerivativeGap = 3;
    }
    ScriptedUi ui;
};

TEST_F(SpectralTransforms, EveryStageOfTheLogChainStaysInItsArray) {
    SpectrumData = {10, 1, 100, 1000, 10};
    ReferenceData = {100, 100, 100, 100, 100};
    ASSERT_TRUE(ComputeLog1RDeriv2());
    EXPECT_EQ(ReflectanceData, (std::vector<double>{0.1, 0.01, 1, 10, 0.1}));
    ASSERT_EQ(Log1RData.size(), 5u);
    const std::vector<double> logs{1, 2, 0, -1, 1};
    for (std::size_t i = 0; i < logs.size(); ++i) {
        EXPECT_NEAR(Log1RData[i], logs[i], 1e-12) << i;
    }
    EXPECT_EQ(FirstDerivData, Difference(Log1RData, 3));
    EXPECT_EQ(SecondDerivData, Difference(FirstDerivData, 3));
    EXPECT_EQ(DisplayData, SecondDerivData);
}

TEST_F(SpectralTransforms, ReflectanceChainAndTheDisplayOfEachStage) {
    SpectrumData = Squares(8);
    ReferenceData.assign(8, 2.0);
    ASSERT_TRUE(ComputeReflectanceDeriv1());
    EXPECT_EQ(FirstDerivData, (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 0}));
    EXPECT_EQ(DisplayData, FirstDerivData);

    ASSERT_TRUE(ComputeLog1R());
    EXPECT_EQ(DisplayData, Log1RData);
    EXPECT_EQ(Log1RData[0], 10.0);  // reflectance 0

    ASSERT_TRUE(ComputeReflectanceDeriv2());
    EXPECT_EQ(SecondDerivData, (std::vector<double>{0, 1, 1, 1, 1, 1, -2.5, 0}));
    EXPECT_EQ(DisplayData.size(), SpectrumData.size());
}

TEST_F(SpectralTransforms, AStoredGapBelowThreeDoesNotBreakTheGraphOrExports) {
    SpectrumData = Squares(12);
    ReferenceData.assign(12, 1.0);
    DerivativeGap = 1;
    ASSERT_TRUE(ComputeReflectanceDeriv2());
    EXPECT_EQ(FirstDerivData, Difference(Squares(12), 7));
    // The stored setting is the user's; only its use is corrected.
    EXPECT_EQ(DerivativeGap, 1);
}

TEST_F(SpectralTransforms, NothingToTransformLeavesEveryTargetAsItWas) {
    const std::vector<double> earlier{4, 5, 6};
    FirstDerivData = SecondDerivData = Log1RData = DisplayData = earlier;
    EXPECT_FALSE(ComputeLog1RDeriv2());
    EXPECT_FALSE(ComputeReflectanceDeriv1());

    // A reference shorter than the data gives no reflectance: the earlier
    // spectrum's results must not be passed off as this one's.
    ReflectanceData = {0.5, 0.5, 0.5};
    SpectrumData = {1, 2, 3};
    ReferenceData = {1};
    EXPECT_FALSE(ComputeLog1R());
    EXPECT_FALSE(ComputeReflectanceDeriv2());
    EXPECT_EQ(Log1RData, earlier);
    EXPECT_EQ(FirstDerivData, earlier);
    EXPECT_EQ(SecondDerivData, earlier);
    EXPECT_EQ(ui.Messages().size(), 2u);
}

}  // namespace
