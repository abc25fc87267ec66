#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/graph/graph_scale.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();

void ExpectUsable(GraphRange range) {
    EXPECT_TRUE(std::isfinite(range.Low));
    EXPECT_TRUE(std::isfinite(range.High));
    EXPECT_LT(range.Low, range.High);
    EXPECT_TRUE(std::isfinite(range.High - range.Low));
    const auto ticks = GraphTicks(range, 10);
    EXPECT_LE(ticks.size(), static_cast<size_t>(GraphMaxTicks));
    for (size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_LT(ticks[i - 1], ticks[i]);
    }
}

}  // namespace

TEST(GraphScale, AnyRangeEndsGiveAnOrderedRangeAndBoundedTicks) {
    const double ends[][2] = {
        {0, 0},           {5, 5},           {-3, -3},         {2500, 350},
        {kNaN, kNaN},     {kNaN, 4},        {kInf, -kInf},    {-kMax, kMax},
        {kMax, kMax},     {1e-300, 1e-300}, {1e-310, 2e-310}, {1.0, 1.0 + 1e-15},
        {1e15, 1e15 + 1}, {-kInf, 3},       {0, 1e-320},
    };
    for (const auto& pair : ends) {
        SCOPED_TRACE(testing::Message() << pair[0] << " .. " << pair[1]);
        ExpectUsable(SaneRange(pair[0], pair[1]));
    }
}

TEST(GraphScale, OrdinaryRangesKeepTheirEndsAndGetRoundTicks) {
    const GraphRange range = SaneRange(2500, 350);
    EXPECT_EQ(range.Low, 350);
    EXPECT_EQ(range.High, 2500);
    EXPECT_EQ(GraphTicks(range, 5), (std::vector<double>{500, 1000, 1500, 2000, 2500}));
    const auto small = GraphTicks(SaneRange(0, 0.3), 3);
    ASSERT_EQ(small.size(), 4u);
    EXPECT_EQ(small[0], 0.0);
    EXPECT_NEAR(small[3], 0.3, 1e-15);
    // Ticks that straddle zero hit it exactly.
    const auto around = GraphTicks(SaneRange(-0.3, 0.3), 6);
    EXPECT_NE(std::find(around.begin(), around.end(), 0.0), around.end());
    EXPECT_FALSE(std::signbit(*std::find(around.begin(), around.end(), 0.0)));
}

TEST(GraphScale, RangesFromDataOrFixedEnds) {
    GraphModel model;
    model.Set(11, int16_t{1});
    model.Set(12, int32_t{3});
    model.Set(226, int16_t{-9999});
    const double xs[] = {400, 500, 700};
    const double ys[] = {0.2, -9999, 0.9};
    for (int32_t p = 0; p < 3; ++p) {
        model.Set(250, 0, p, xs[p]);
        model.Set(222, 0, p, ys[p]);
    }
    const auto data = DataRange(model, true);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->Low, 0.2);  // the marked point is no data
    EXPECT_EQ(data->High, 0.9);
    // Automatic ranges widen to whole ticks and hold every value.
    const GraphRange y = YRange(model, 5);
    EXPECT_LE(y.Low, 0.2);
    EXPECT_GE(y.High, 0.9);
    // 58 fixes the x range, in either order.
    model.Set(58, int16_t{3});
    model.Set(59, int32_t{2500});
    model.Set(60, int32_t{350});
    const GraphRange x = XRange(model, 5);
    EXPECT_EQ(x.Low, 350);
    EXPECT_EQ(x.High, 2500);
    model.Set(55, int32_t{3});
    model.Set(56, int16_t{0});
    model.Set(57, 2.1);
    EXPECT_EQ(YRange(model, 5).High, 2.1);
    model.Set(57, kNaN);
    ExpectUsable(YRange(model, 5));
}

TEST(GraphScale, NoDataGivesTheUnitRange) {
    GraphModel model;
    EXPECT_FALSE(DataRange(model, false).has_value());
    const GraphRange x = XRange(model, 5);
    EXPECT_EQ(x.Low, 0.0);
    EXPECT_EQ(x.High, 1.0);
}
