#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "zelutil/zelutil.h"

namespace {

double Interpolate(const std::vector<double>& xa, const std::vector<double>& ya, double x) {
    double y = -999;
    EXPECT_EQ(InterpolateValue(&y, xa.data(), ya.data(), static_cast<int32_t>(xa.size()), x), 1);
    return y;
}

const std::vector<double> Xs{1, 2, 3, 4, 5};
const std::vector<double> Cubes{1, 8, 27, 64, 125};

TEST(InterpolateValue, CubicThroughFourPointsIsExactInsideAndOutside) {
    EXPECT_DOUBLE_EQ(Interpolate(Xs, Cubes, 2.5), 15.625);
    EXPECT_DOUBLE_EQ(Interpolate(Xs, Cubes, 6), 216);  // extrapolated through 2..5
    EXPECT_DOUBLE_EQ(Interpolate(Xs, Cubes, 0), 0);    // extrapolated through 1..4
    EXPECT_DOUBLE_EQ(Interpolate(Xs, Cubes, 3), 27);   // a table point gives its own value
    EXPECT_DOUBLE_EQ(Interpolate(Xs, Cubes, 5), 125);
}

TEST(InterpolateValue, UnevenTable) {
    EXPECT_DOUBLE_EQ(Interpolate({1, 2, 4, 8}, {1, 0.5, 0.25, 0.125}, 3), 0.28125);
}

TEST(InterpolateValue, DescendingTableGivesTheAscendingValues) {
    const std::vector<double> xd{5, 4, 3, 2, 1};
    const std::vector<double> yd{125, 64, 27, 8, 1};
    for (double x : {0.5, 1.0, 1.5, 2.5, 3.2, 4.9, 5.0, 6.0}) {
        EXPECT_DOUBLE_EQ(Interpolate(xd, yd, x), Interpolate(Xs, Cubes, x)) << "x = " << x;
    }
}

TEST(InterpolateValue, RememberedWindowNeverChangesResults) {
    // A long table, so that the bracket search really starts from the
    // remembered window and hunts in both directions.
    std::vector<double> xa, ya;
    for (int i = 0; i < 200; ++i) {
        xa.push_back(350 + 1.5 * i);
        ya.push_back(std::sin(i * 0.1) * 100);
    }
    auto gridX = [](std::size_t k) { return 340 + 0.7 * static_cast<double>(k); };
    std::vector<double> fresh;
    for (std::size_t k = 0; gridX(k) < 660; ++k) {
        fresh.push_back(Interpolate(xa, ya, gridX(k)));
    }
    // Decreasing after increasing, then jumps across the table.
    for (std::size_t k = fresh.size(); k-- > 0;) {
        EXPECT_DOUBLE_EQ(Interpolate(xa, ya, gridX(k)), fresh[k]);
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, fresh.size() - 1);
    for (int n = 0; n < 500; ++n) {
        const std::size_t k = pick(random);
        EXPECT_DOUBLE_EQ(Interpolate(xa, ya, gridX(k)), fresh[k]);
    }
    // A shorter table after a long one: the remembered start lies beyond it.
    EXPECT_DOUBLE_EQ(Interpolate(Xs, Cubes, 2.5), 15.625);
}

TEST(InterpolateValue, RefusesWhatHasNoSoundAnswerAndLeavesYAlone) {
    double y = 42;
    const double xa[] = {1, 2, 2, 4, 5};
    const double ya[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(InterpolateValue(&y, xa, ya, 5, 2.5), 0);  // equal abscissas in the window
    EXPECT_EQ(y, 42);
    EXPECT_EQ(InterpolateValue(&y, xa, ya, 3, 1.5), 0);  // fewer than four points
    EXPECT_EQ(InterpolateValue(&y, xa, ya, 0, 1.5), 0);
    EXPECT_EQ(InterpolateValue(&y, xa, ya, -5, 1.5), 0);
    EXPECT_EQ(InterpolateValue(&y, nullptr, ya, 5, 1.5), 0);
    EXPECT_EQ(InterpolateValue(&y, xa, nullptr, 5, 1.5), 0);
    EXPECT_EQ(InterpolateValue(nullptr, xa, ya, 5, 1.5), 0);
    EXPECT_EQ(y, 42);
    // The process lives on and the next sound call works.
    EXPECT_DOUBLE_EQ(Interpolate(Xs, Cubes, 2.5), 15.625);
}

TEST(InterpolateValue, NaNAbscissaDoesNotRunAway) {
    double y = 0;
    EXPECT_NO_FATAL_FAILURE(InterpolateValue(&y, Xs.data(), Cubes.data(), 5, std::nan("")));
}

TEST(vbSelect, KthSmallestLeavesTheCallersArrayAlone) {
    const std::vector<double> values{3, 1, 4, 1, 5};
    std::vector<double> copy = values;
    EXPECT_EQ(vbSelect(1, 5, copy.data()), 1);
    EXPECT_EQ(vbSelect(2, 5, copy.data()), 1);
    EXPECT_EQ(vbSelect(3, 5, copy.data()), 3);
    EXPECT_EQ(vbSelect(4, 5, copy.data()), 4);
    EXPECT_EQ(vbSelect(5, 5, copy.data()), 5);
    EXPECT_EQ(copy, values);
}

TEST(vbSelect, AgreesWithSortingOnRandomSets) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> value(-100, 100);
    std::uniform_int_distribution<int> small(0, 5);  // many ties
    for (uint32_t n = 1; n <= 40; ++n) {
        std::vector<double> values(n);
        for (double& v : values) {
            v = n % 2 ? value(random) : small(random);
        }
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        for (uint32_t k = 1; k <= n; ++k) {
            EXPECT_EQ(vbSelect(k, n, values.data()), sorted[k - 1]) << "n=" << n << " k=" << k;
        }
    }
}

TEST(vbSelect, OutsideTheContractGivesNaN) {
    const double values[] = {3, 1, 4};
    EXPECT_TRUE(std::isnan(vbSelect(1, 0, values)));
    EXPECT_TRUE(std::isnan(vbSelect(0, 3, values)));
    EXPECT_TRUE(std::isnan(vbSelect(4, 3, values)));
    EXPECT_TRUE(std::isnan(vbSelect(1, 3, nullptr)));
}

TEST(vbSelect, NaNValuesStayInsideTheArray) {
    // Not a meaningful median, but it must neither crash nor read outside.
    const double nan = std::nan("");
    const double values[] = {nan, 2, nan, 1, 5, nan, 3};
    for (uint32_t k = 1; k <= 7; ++k) {
        vbSelect(k, 7, values);
    }
}

TEST(Rounding, CeilingAndFloor) {
    EXPECT_EQ(vbCeiling(-1.5), -1);
    EXPECT_EQ(vbFloor(-1.5), -2);
    EXPECT_EQ(vbCeiling(2.0), 2);
    EXPECT_EQ(vbFloor(2.0), 2);
    EXPECT_EQ(vbCeiling(0.1), 1);
}

}  // namespace
