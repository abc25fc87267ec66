#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/graph/graph_model.h"

namespace {

double NumberOf(const std::optional<GraphValue>& value) {
    EXPECT_TRUE(value.has_value());
    return value ? GraphNumber(*value).value_or(-12345.0) : -12345.0;
}

// A model with the given counts and every point given x = point, y = curve.
GraphModel Filled(int32_t curves, int32_t points) {
    GraphModel model;
    EXPECT_TRUE(model.Set(11, int16_t(curves)));
    EXPECT_TRUE(model.Set(12, points));
    for (int32_t c = 0; c < curves; ++c) {
        for (int32_t p = 0; p < points; ++p) {
            EXPECT_TRUE(model.Set(250, c, p, double(p)));
            EXPECT_TRUE(model.Set(222, c, p, double(c)));
        }
    }
    return model;
}

}  // namespace

TEST(GraphModel, CurveLookOutlivesALowerCurveCount) {
    GraphModel model;
    ASSERT_TRUE(model.Set(11, int16_t{2}));
    ASSERT_TRUE(model.Set(132, 1, int32_t{16711680}));
    ASSERT_TRUE(model.Set(131, 1, std::string("D65")));
    ASSERT_TRUE(model.Set(134, 1, int32_t{5}));
    ASSERT_TRUE(model.Set(180, 1, int16_t{1}));
    ASSERT_TRUE(model.Set(11, int16_t{1}));
    EXPECT_FALSE(model.Get(132, 1).has_value());  // beyond the count: refused
    ASSERT_TRUE(model.Set(11, int16_t{2}));
    EXPECT_EQ(NumberOf(model.Get(132, 1)), 16711680.0);
    EXPECT_EQ(std::get<std::string>(*model.Get(131, 1)), "D65");
    EXPECT_EQ(NumberOf(model.Get(134, 1)), 5.0);
    EXPECT_EQ(NumberOf(model.Get(180, 1)), 1.0);
}

TEST(GraphModel, NumbersReadBackAsWrittenAndConvertBetweenTypes) {
    GraphModel model;
    ASSERT_TRUE(model.Set(54, int16_t{4}));
    EXPECT_EQ(std::get<int16_t>(*model.Get(54)), 4);
    ASSERT_TRUE(model.Set(54, 2.0));
    EXPECT_EQ(std::get<double>(*model.Get(54)), 2.0);
    // A count may come as any numeric type, but only as a whole number.
    EXPECT_TRUE(model.Set(12, 3.0));
    EXPECT_EQ(model.PointCount(), 3);
    EXPECT_FALSE(model.Set(12, 2.5));
    EXPECT_FALSE(model.Set(12, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(model.PointCount(), 3);
    // Per-point values take any number and read back as doubles.
    ASSERT_TRUE(model.Set(222, 0, 2, int16_t{-7}));
    EXPECT_EQ(std::get<double>(*model.Get(222, 0, 2)), -7.0);
}

TEST(GraphModel, RefusedWritesChangeNothing) {
    GraphModel model = Filled(2, 3);
    const auto before = model.SaveLook();
    EXPECT_FALSE(model.Set(12, int32_t{2147483647}));
    EXPECT_EQ(NumberOf(model.Get(12)), 3.0);
    EXPECT_EQ(model.PointCount(), 3);
    EXPECT_FALSE(model.Set(11, int32_t{-1}));
    EXPECT_FALSE(model.Set(11, int32_t{4097}));
    EXPECT_EQ(model.CurveCount(), 2);
    EXPECT_FALSE(model.Set(7, int32_t{1}));           // unknown id
    EXPECT_FALSE(model.Set(9, int32_t{1}));           // a number for a text
    EXPECT_FALSE(model.Set(428, int32_t{1}));         // a number for a Boolean
    EXPECT_FALSE(model.Set(4, true));                 // a Boolean for a number
    EXPECT_FALSE(model.Set(131, std::string("a")));   // per curve without a curve
    EXPECT_FALSE(model.Set(9, 0, std::string("a")));  // plain with a curve
    EXPECT_FALSE(model.Set(222, 0, 1.0));             // per point without a point
    EXPECT_FALSE(model.Set(132, 2, int32_t{1}));      // curve out of bounds
    EXPECT_FALSE(model.Set(132, -2, int32_t{1}));
    EXPECT_FALSE(model.Set(222, 2, 0, 1.0));
    EXPECT_FALSE(model.Set(222, 0, 3, 1.0));  // point out of bounds
    EXPECT_FALSE(model.Set(222, 0, -2, 1.0));
    EXPECT_FALSE(model.Set(222, 0, 0, std::string("1")));
    EXPECT_FALSE(model.Get(222, 0, 3).has_value());
    EXPECT_FALSE(model.Get(131, -1).has_value());
    EXPECT_FALSE(model.Get(250, 0, -1).has_value());
    const auto after = model.SaveLook();
    EXPECT_EQ(after.Plain, before.Plain);
    EXPECT_EQ(model.Y(1, 2), 1.0);
}

TEST(GraphModel, CountsAreBoundedInAll) {
    GraphModel model;
    EXPECT_TRUE(model.Set(11, int32_t{4096}));
    EXPECT_TRUE(model.Set(12, int32_t{2048}));  // 8 M points exactly
    EXPECT_FALSE(model.Set(12, int32_t{2049}));
    EXPECT_FALSE(model.Set(12, int32_t{32768}));
    EXPECT_EQ(model.PointCount(), 2048);
    EXPECT_TRUE(model.Set(11, int32_t{1}));
    EXPECT_TRUE(model.Set(12, int32_t{32767}));
}

TEST(GraphModel, ResizingKeepsDataWithinBothCounts) {
    GraphModel model = Filled(3, 4);
    ASSERT_TRUE(model.Set(12, int32_t{2}));
    ASSERT_TRUE(model.Set(12, int32_t{5}));
    EXPECT_EQ(model.X(2, 1), 1.0);
    EXPECT_EQ(model.Y(2, 1), 2.0);
    EXPECT_TRUE(std::isnan(model.Y(2, 2)));  // dropped, then raised without data
    EXPECT_TRUE(std::isnan(model.Y(2, 4)));
    ASSERT_TRUE(model.Set(11, int32_t{1}));
    ASSERT_TRUE(model.Set(11, int32_t{3}));
    EXPECT_EQ(model.Y(0, 1), 0.0);
    EXPECT_FALSE(model.HasData(1, 0));  // a curve that was dropped comes back empty
}

TEST(GraphModel, MinusOneMeansEveryCurveOrAllData) {
    GraphModel model = Filled(3, 2);
    ASSERT_TRUE(model.Set(131, -1, std::string("x")));
    ASSERT_TRUE(model.Set(180, -1, int16_t{0}));
    ASSERT_TRUE(model.Set(131, -1, std::string()));
    for (int32_t c = 0; c < 3; ++c) {
        EXPECT_EQ(std::get<std::string>(*model.Get(131, c)), "");
        EXPECT_EQ(NumberOf(model.Get(180, c)), 0.0);
    }
    ASSERT_TRUE(model.Set(250, 0, -1, 0.0));
    for (int32_t c = 0; c < 3; ++c) {
        for (int32_t p = 0; p < 2; ++p) {
            EXPECT_FALSE(model.HasData(c, p));
        }
    }
    // A reset empties the data before it sets the count, also of a graph
    // that has no curve left.
    ASSERT_TRUE(model.Set(11, int16_t{0}));
    EXPECT_TRUE(model.Set(222, 0, -1, 0.0));
    EXPECT_FALSE(model.Set(222, 1, -1, 0.0));
}

TEST(GraphModel, MarkersNanAndInfinitiesAreGaps) {
    GraphModel model = Filled(1, 6);
    ASSERT_TRUE(model.Set(226, int16_t{-9999}));
    ASSERT_TRUE(model.Set(93, int16_t{-9999}));
    model.Set(222, 0, 1, -9999.0);
    model.Set(250, 0, 2, int32_t{-9999});
    model.Set(222, 0, 3, std::numeric_limits<double>::quiet_NaN());
    model.Set(222, 0, 4, std::numeric_limits<double>::infinity());
    model.Set(250, 0, 5, -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(model.HasData(0, 0));
    for (int32_t p = 1; p < 6; ++p) {
        EXPECT_FALSE(model.HasData(0, p)) << p;
    }
    // The marker is whatever was written last.
    ASSERT_TRUE(model.Set(226, 0.0));
    EXPECT_TRUE(model.HasData(0, 1));
    EXPECT_FALSE(model.HasData(0, 0));
}

TEST(GraphModel, LegendListsLabelledCurvesWithAnEntryByEntry) {
    GraphModel model;
    ASSERT_TRUE(model.Set(11, int16_t{3}));
    model.Set(131, 0, std::string("a"));
    model.Set(131, 1, std::string("b"));
    model.Set(131, 2, std::string("c"));
    model.Set(428, true);
    model.Set(180, -1, int16_t{0});
    model.Set(180, 1, int16_t{-1});
    EXPECT_EQ(LegendCurves(model), (std::vector<int32_t>{0, 2}));

    model.Set(180, 0, int16_t{5});
    model.Set(180, 1, int16_t{1});
    model.Set(131, 2, std::string());
    EXPECT_EQ(LegendCurves(model), (std::vector<int32_t>{1, 0}));
}

TEST(GraphModel, PropertyTableIsSortedAndComplete) {
    const auto table = GraphProperties();
    for (size_t i = 1; i < table.size(); ++i) {
        EXPECT_LT(table[i - 1].Id, table[i].Id);
    }
    for (const int32_t id : {9, 10, 32, 33}) {
        EXPECT_EQ(FindGraphProperty(id)->Kind, GraphKind::Text) << id;
    }
    for (const int32_t id :
         {3, 14, 17, 18, 96, 99, 197, 223, 227, 230, 231, 255, 256, 278, 280, 428}) {
        EXPECT_EQ(FindGraphProperty(id)->Kind, GraphKind::Boolean) << id;
    }
    for (const int32_t id : {4,  6,  11, 12, 19,  40,  41,  42,  43,  54,  55,  56,  57, 58,
                             59, 60, 93, 98, 108, 207, 209, 210, 226, 229, 258, 259, 595}) {
        EXPECT_EQ(FindGraphProperty(id)->Kind, GraphKind::Number) << id;
        EXPECT_EQ(FindGraphProperty(id)->Indexing, GraphIndexing::Plain) << id;
    }
    EXPECT_EQ(FindGraphProperty(131)->Indexing, GraphIndexing::PerCurve);
    EXPECT_EQ(FindGraphProperty(180)->Indexing, GraphIndexing::PerCurve);
    EXPECT_EQ(FindGraphProperty(222)->Indexing, GraphIndexing::PerPoint);
    EXPECT_EQ(FindGraphProperty(250)->Indexing, GraphIndexing::PerPoint);
    EXPECT_EQ(table.size(), 53u);
}
