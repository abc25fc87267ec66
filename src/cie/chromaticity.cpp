#include "cie/chromaticity.h"

#include <cmath>

namespace {

// Whole pixels and channels round halves to even, as every conversion of a
// computed number to a whole one does here.
int RoundToPixel(double value) {
    // Far outside any picture is as good as anywhere far outside: the clamp
    // keeps the conversion defined for any input, a non-number included.
    constexpr double Far = 1.0e8;
    if (!(value > -Far)) {
        return static_cast<int>(-Far);
    }
    if (value > Far) {
        return static_cast<int>(Far);
    }
    return static_cast<int>(std::nearbyint(value));
}

double Determinant(const double m[3][3]) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

}  // namespace

DiagramGeometry MakeDiagramGeometry(int scaleWidth, int scaleHeight) {
    DiagramGeometry g;
    g.inset = static_cast<int>(std::nearbyint(scaleWidth * 0.125 / 2));
    g.plotLeft = g.inset;
    g.plotTop = g.inset;
    g.plotRight = scaleWidth - g.inset;
    g.plotBottom = scaleHeight - g.inset;
    g.W = scaleWidth;
    g.H = scaleHeight;
    g.invW = g.W != 0 ? 1.0f / static_cast<float>(g.W) : 0.0f;
    g.invH = g.H != 0 ? 1.0f / static_cast<float>(g.H) : 0.0f;
    return g;
}

PixelPoint ChromaToPixel(const DiagramGeometry& g, float x, float y) {
    // The scale is taken as a float, as it was always held, so that any size
    // rounds the same.
    return {RoundToPixel(g.plotLeft + static_cast<double>(static_cast<float>(g.W)) * x),
            RoundToPixel(g.plotBottom - static_cast<double>(static_cast<float>(g.H)) * y)};
}

Chroma PixelToChroma(const DiagramGeometry& g, int px, int py) {
    return {g.invW * static_cast<float>(px - g.plotLeft),
            g.invH * static_cast<float>(g.plotBottom - py)};
}

RGBWeights ChromaToRGBWeights(const DisplayPrimaries& p, float x, float y) {
    const Chroma columns[3] = {p.red, p.green, p.blue};
    double m[3][3];
    for (int c = 0; c < 3; ++c) {
        m[0][c] = columns[c].x;
        m[1][c] = columns[c].y;
        m[2][c] = 1.0 - columns[c].x - columns[c].y;
    }
    const double target[3] = {x, y, 1.0 - x - y};
    const double whole = Determinant(m);
    float weights[3];
    for (int c = 0; c < 3; ++c) {
        double replaced[3][3];
        for (int r = 0; r < 3; ++r) {
            for (int k = 0; k < 3; ++k) {
                replaced[r][k] = k == c ? target[r] : m[r][k];
            }
        }
        weights[c] = static_cast<float>(Determinant(replaced) / whole);
    }
    return {weights[0], weights[1], weights[2]};
}

RGBColor ChromaToRGB(const DisplayPrimaries& p, float x, float y, float gamma) {
    const RGBWeights w = ChromaToRGBWeights(p, x, y);
    const float wr = ClampValue(w.wr, 0.0f, 1.0f);
    const float wg = ClampValue(w.wg, 0.0f, 1.0f);
    const float wb = ClampValue(w.wb, 0.0f, 1.0f);
    float m = MaxOfThree(wr, wg, wb);
    if (m == 0) {
        m = 1;
    }
    // std::pow(0, 0) is 1: gamma 0 lights every channel.
    const auto channel = [&](float weight) {
        const double level = std::pow(static_cast<double>(weight) / m, static_cast<double>(gamma));
        return static_cast<std::int32_t>(RoundToPixel(level * 255.0));
    };
    return {channel(wr), channel(wg), channel(wb)};
}

float ClampValue(float value, float low, float high) {
    if (value < low) {
        return low;
    }
    if (value > high) {
        return high;
    }
    return value;
}

float MaxOfThree(float a, float b, float c) {
    float largest = a;
    if (b > largest) {
        largest = b;
    }
    if (c > largest) {
        largest = c;
    }
    return largest;
}

Chroma LocusPoint(const CieTables& tables, int observer, int i) {
    const bool ten = observer == Observer10;
    const auto index = static_cast<std::size_t>(i);
    const float xbar = tables[ten ? CIE_X10 : CIE_X2][index];
    const float ybar = tables[ten ? CIE_Y10 : CIE_Y2][index];
    const float zbar = tables[ten ? CIE_Z10 : CIE_Z2][index];
    const float sum = xbar + ybar + zbar;
    return {xbar / sum, ybar / sum};
}

int LocusLastIndex(int observer) {
    return observer == Observer10 ? 729 - CieFirstWavelength : 829 - CieFirstWavelength;
}
