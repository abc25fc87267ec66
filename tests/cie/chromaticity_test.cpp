#include "cie/chromaticity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "built_tables.h"

namespace {

const DisplayPrimaries Primaries;

TEST(DiagramGeometry, PanelPictureInsetsOneSixteenthAndSpansTheWholePicture) {
    const DiagramGeometry g = MakeDiagramGeometry(400, 396);
    EXPECT_EQ(g.inset, 25);
    EXPECT_EQ(g.plotLeft, 25);
    EXPECT_EQ(g.plotTop, 25);
    EXPECT_EQ(g.plotRight, 375);
    EXPECT_EQ(g.plotBottom, 371);
    EXPECT_EQ(g.W, 400);
    EXPECT_EQ(g.H, 396);
    // One unit spans the whole picture, origin at the plot area's corner.
    EXPECT_EQ((ChromaToPixel(g, 0, 0)), (PixelPoint{25, 371}));
    EXPECT_EQ(ChromaToPixel(g, 1, 1).px, 425);
    EXPECT_EQ(ChromaToPixel(g, 1, 1).py, -25);
    // The white point of D65 and a purple far below the locus.
    EXPECT_EQ(ChromaToPixel(g, 0.3127f, 0.3290f).px, 150);
    EXPECT_EQ(ChromaToPixel(g, 0.3127f, 0.3290f).py, 241);
    EXPECT_EQ(ChromaToPixel(g, 0.72f, 0.12f).px, 313);
    EXPECT_EQ(ChromaToPixel(g, 0.72f, 0.12f).py, 323);
}

TEST(DiagramGeometry, HalvesRoundToTheEvenPixel) {
    // Width 8: the inset 0.5 rounds to 0, one unit is 8 pixels.
    const DiagramGeometry g = MakeDiagramGeometry(8, 8);
    EXPECT_EQ(g.inset, 0);
    EXPECT_EQ(ChromaToPixel(g, 0.0625f, 0).px, 0);    // 0.5
    EXPECT_EQ(ChromaToPixel(g, 0.1875f, 0).px, 2);    // 1.5
    EXPECT_EQ(ChromaToPixel(g, 0.3125f, 0).px, 2);    // 2.5
    EXPECT_EQ(ChromaToPixel(g, 0, 0.0625f).py, 8);    // 7.5
    EXPECT_EQ(MakeDiagramGeometry(24, 24).inset, 2);  // 1.5
}

TEST(DiagramGeometry, PixelsAndChromaticitiesConvertBothWays) {
    const DiagramGeometry g = MakeDiagramGeometry(400, 396);
    for (const auto& [px, py] : {std::pair{25, 371}, std::pair{150, 200}, std::pair{375, 25}}) {
        const Chroma c = PixelToChroma(g, px, py);
        EXPECT_EQ((ChromaToPixel(g, c.x, c.y)), (PixelPoint{px, py}));
    }
    const Chroma c = PixelToChroma(g, 150, 200);
    EXPECT_FLOAT_EQ(c.x, 0.3125f);
    EXPECT_FLOAT_EQ(c.y, 171.0f / 396.0f);
}

TEST(DiagramGeometry, AnyChromaticityGivesADefinedPixelFarOutside) {
    const DiagramGeometry g = MakeDiagramGeometry(400, 396);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = std::numeric_limits<float>::max();
    for (const float v : {nan, huge, -huge}) {
        const PixelPoint p = ChromaToPixel(g, v, v);
        EXPECT_TRUE(std::abs(p.px) > 1'000'000 && std::abs(p.py) > 1'000'000) << v;
    }
}

TEST(ChromaToRGB, PrimariesAreThePureChannelsForAnyGammaAboveZero) {
    for (const float gamma : {0.25f, 1.0f, 2.0f, 10.0f}) {
        EXPECT_EQ(ChromaToRGB(Primaries, 0.625f, 0.34f, gamma), (RGBColor{255, 0, 0})) << gamma;
        EXPECT_EQ(ChromaToRGB(Primaries, 0.275f, 0.605f, gamma), (RGBColor{0, 255, 0})) << gamma;
        EXPECT_EQ(ChromaToRGB(Primaries, 0.15f, 0.065f, gamma), (RGBColor{0, 0, 255})) << gamma;
    }
}

TEST(ChromaToRGB, EqualEnergyWhiteByGamma) {
    const float third = 1.0f / 3.0f;
    const RGBWeights w = ChromaToRGBWeights(Primaries, third, third);
    EXPECT_NEAR(w.wr, 0.295, 0.001);
    EXPECT_NEAR(w.wg, 0.347, 0.001);
    EXPECT_NEAR(w.wb, 0.358, 0.001);
    EXPECT_NEAR(w.wr + w.wg + w.wb, 1.0, 1e-6);
    EXPECT_EQ(ChromaToRGB(Primaries, third, third, 1), (RGBColor{210, 247, 255}));
    EXPECT_EQ(ChromaToRGB(Primaries, third, third, 2), (RGBColor{172, 239, 255}));
    EXPECT_EQ(ChromaToRGB(Primaries, third, third, 0), (RGBColor{255, 255, 255}));
}

TEST(ChromaToRGB, OutsideThePrimariesTheNegativeWeightsClampToZero) {
    const Chroma green520 = LocusPoint(BuiltTables(), Observer2, 520 - 360);
    const RGBWeights w = ChromaToRGBWeights(Primaries, green520.x, green520.y);
    EXPECT_LT(w.wr, 0);
    EXPECT_LT(w.wb, 0);
    for (const float gamma : {0.5f, 1.0f, 3.0f}) {
        EXPECT_EQ(ChromaToRGB(Primaries, green520.x, green520.y, gamma), (RGBColor{0, 255, 0}));
    }
    // A purple below the locus keeps its red and some blue.
    EXPECT_EQ(ChromaToRGB(Primaries, 0.72f, 0.12f, 1), (RGBColor{255, 0, 59}));
}

TEST(ChromaToRGB, PixelOfTheNewDiagram) {
    const DiagramGeometry g = MakeDiagramGeometry(400, 396);
    const Chroma c = PixelToChroma(g, 150, 200);
    EXPECT_EQ(ChromaToRGB(Primaries, c.x, c.y, 1), (RGBColor{82, 255, 100}));
}

TEST(Locus, EndsWhereEachObserverStopsAndStaysInThePlotArea) {
    EXPECT_EQ(LocusLastIndex(Observer2), 469);
    EXPECT_EQ(LocusLastIndex(Observer10), 369);
    const DiagramGeometry g = MakeDiagramGeometry(400, 396);
    for (const int observer : {Observer2, Observer10}) {
        for (int i = 0; i <= LocusLastIndex(observer); ++i) {
            const Chroma c = LocusPoint(BuiltTables(), observer, i);
            const PixelPoint p = ChromaToPixel(g, c.x, c.y);
            ASSERT_TRUE(p.px >= g.plotLeft && p.px <= g.plotRight && p.py >= g.plotTop &&
                        p.py <= g.plotBottom)
                << observer << " " << 360 + i;
        }
    }
}

}  // namespace
