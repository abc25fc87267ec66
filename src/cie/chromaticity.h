// The arithmetic of the chromaticity diagram: where a chromaticity lies on the
// picture, which chromaticity a pixel stands for, and the display colour of a
// chromaticity. Standard library only, so that it is tested without a display.
#pragma once

#include <cstdint>

#include "cie/colorimetry.h"

struct Chroma {
    float x = 0;
    float y = 0;
};

struct PixelPoint {
    int px = 0;
    int py = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Where the diagram lies on a picture, in pixels. Chromaticity (0, 0) sits
// `inset` pixels inside the picture's left and bottom edges, and one unit of x
// or y spans the whole picture's width or height, not the plot area's: the
// locus reaches no further than about 0.74 and 0.84, so it stays inside.
struct DiagramGeometry {
    int inset = 0;
    int plotLeft = 0;
    int plotTop = 0;
    int plotRight = 0;
    int plotBottom = 0;
    int W = 0;  // pixels per unit of x
    int H = 0;  // pixels per unit of y
    float invW = 0;
    float invH = 0;
};

// The geometry of a picture of the given size in pixels, its scale starting
// at 0, 0.
DiagramGeometry MakeDiagramGeometry(int scaleWidth, int scaleHeight);

// The display's primaries; their triangle holds every colour the diagram can
// show unclamped.
struct DisplayPrimaries {
    Chroma red{0.625f, 0.34f};
    Chroma green{0.275f, 0.605f};
    Chroma blue{0.15f, 0.065f};
};

// Nearest pixel, halves to even. A chromaticity far outside the picture (or
// not a number) lands far outside it as well, where nothing is drawn.
PixelPoint ChromaToPixel(const DiagramGeometry& g, float x, float y);
Chroma PixelToChroma(const DiagramGeometry& g, int px, int py);

struct RGBWeights {
    float wr = 0;
    float wg = 0;
    float wb = 0;
};

struct RGBColor {
    std::int32_t r = 0;
    std::int32_t g = 0;
    std::int32_t b = 0;
    bool operator==(const RGBColor&) const = default;
};

// The amounts of the three primaries that mix to (x, y); they sum to 1, and
// one or two are negative outside the primaries' triangle.
RGBWeights ChromaToRGBWeights(const DisplayPrimaries& p, float x, float y);
// The display colour of (x, y): the weights clamped to 0..1, scaled so the
// largest is 1, raised to gamma, 0..255. Gamma 0 makes every channel 255.
RGBColor ChromaToRGB(const DisplayPrimaries& p, float x, float y, float gamma);

float ClampValue(float value, float low, float high);
// The largest; on equality the earlier one.
float MaxOfThree(float a, float b, float c);

// Observer codes: 0 the 2 degree observer, 1 the 10 degree one.
inline constexpr int Observer2 = 0;
inline constexpr int Observer10 = 1;

// The chromaticity of the monochromatic light at table index i (360 + i nm).
Chroma LocusPoint(const CieTables& tables, int observer, int i);
// The last table index drawn on the locus: 829 nm for the 2 degree observer,
// 729 nm for the 10 degree one. The line of purples closes either.
int LocusLastIndex(int observer);
