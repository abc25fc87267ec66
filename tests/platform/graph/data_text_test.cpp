#include <gtest/gtest.h>

#include <limits>

#include "platform/graph/graph_data_text.h"

TEST(GraphDataText, OnlyPointsWithDataInGeneralNumberText) {
    GraphModel model;
    model.Set(11, int16_t{2});
    model.Set(12, int32_t{3});
    model.Set(226, int16_t{-9999});
    model.Set(93, int16_t{-9999});
    model.Set(32, std::string("Wavelength"));
    model.Set(33, std::string("DN"));
    model.Set(131, 0, std::string("a"));
    model.Set(131, 1, std::string("b"));
    const double ya[] = {0.5, -9999, std::numeric_limits<double>::quiet_NaN()};
    const double yb[] = {2, 3, 1E+20};
    for (int32_t p = 0; p < 3; ++p) {
        model.Set(250, 0, p, 350.0 + p);
        model.Set(250, 1, p, 350.0 + p);
        model.Set(222, 0, p, ya[p]);
        model.Set(222, 1, p, yb[p]);
    }
    EXPECT_EQ(
        GraphDataText(model),
        "Curve\tWavelength\tDN\r\na\t350\t0.5\r\nb\t350\t2\r\nb\t351\t3\r\nb\t352\t1E+20\r\n");
}

TEST(GraphDataText, TextsInTheSingleByteCodePage) {
    GraphModel model;
    model.Set(12, int32_t{1});
    model.Set(32, std::string("\xCE\xBB (nm)"));  // no lambda in the code page
    model.Set(33, std::string("\xC2\xB5W"));      // micro sign: one byte
    model.Set(131, 0, std::string("caf\xC3\xA9"));
    model.Set(250, 0, 0, 0.0001);
    model.Set(222, 0, 0, -1.5);
    EXPECT_EQ(GraphDataText(model), "Curve\t? (nm)\t\xB5W\r\ncaf\xE9\t0.0001\t-1.5\r\n");
}
