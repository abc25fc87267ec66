// The colour-matching functions (tab 1) and the illuminants (tab 2) as line
// graphs over wavelength, drawn by the graph control through its numbered
// properties in a fixed order.

#include <string>

#include "cie/ucie_parts.h"
#include "platform/graph/graph_control.h"

namespace {

// Property numbers of the graph control.
enum : std::int32_t {
    GridColour = 4,
    MainTitle = 9,
    Subtitle = 10,
    Curves = 11,
    Points = 12,
    XAxisTitle = 32,
    YAxisTitle = 33,
    YRangeManual = 55,
    YRangeStart = 56,
    YRangeEnd = 57,
    XRangeManual = 58,
    XRangeStart = 59,
    XRangeEnd = 60,
    XNoValue = 93,
    Show = 108,
    CurveLabel = 131,
    CurveColour = 132,
    CurveLineType = 134,
    CurveLegendEntry = 180,
    PointY = 222,
    YNoValue = 226,
    PointX = 250,
};

constexpr std::int32_t Red = 255;
constexpr std::int32_t Green = 65280;
constexpr std::int32_t Blue = 16711680;
constexpr std::int32_t Grey = 8421504;
constexpr std::int32_t MediumSolid = 5;

// The settings both graphs end their set-up with.
void CommonSettings(GraphControl& graph) {
    graph.SetProperty(227, true);
    graph.SetProperty(197, true);
    graph.SetProperty(YNoValue, std::int16_t{-9999});
    graph.SetProperty(XNoValue, std::int16_t{-9999});
    graph.SetProperty(GridColour, Grey);
    graph.SetProperty(43, std::int32_t{0});
    graph.SetProperty(210, std::int32_t{2});
    graph.SetProperty(14, true);
    graph.SetProperty(42, std::int32_t{0});
    graph.SetProperty(Show, std::int16_t{0});
}

}  // namespace

void UCIE::InitGraphs() {
    GraphControl& functions = *panel_->Graph1;
    functions.SetProperty(MainTitle, std::string("CIE 1931"));
    functions.SetProperty(XRangeManual, std::int32_t{3});
    functions.SetProperty(YRangeManual, std::int32_t{3});
    functions.SetProperty(XRangeStart, std::int32_t{CieFirstWavelength});
    functions.SetProperty(XRangeEnd, std::int32_t{CieLastWavelength});
    functions.SetProperty(YRangeStart, std::int16_t{0});
    functions.SetProperty(YRangeEnd, 2.1);
    functions.SetProperty(Curves, std::int16_t{3});
    const std::int32_t colours[] = {Red, Green, Blue};
    for (std::int32_t c = 0; c < 3; ++c) {
        functions.SetProperty(CurveColour, c, colours[c]);
    }
    for (std::int32_t c = 0; c < 3; ++c) {
        functions.SetProperty(CurveLineType, c, MediumSolid);
    }
    const char* labels[] = {"x bar", "y bar", "z bar"};
    for (std::int32_t c = 0; c < 3; ++c) {
        functions.SetProperty(CurveLabel, c, std::string(labels[c]));
    }
    CommonSettings(functions);

    GraphControl& illuminants = *panel_->Graph2;
    illuminants.SetProperty(MainTitle, std::string("Illuminate"));
    illuminants.SetProperty(XRangeManual, std::int32_t{3});
    illuminants.SetProperty(YRangeManual, std::int32_t{3});
    illuminants.SetProperty(XRangeStart, std::int32_t{CieFirstWavelength});
    illuminants.SetProperty(XRangeEnd, std::int32_t{CieLastWavelength});
    illuminants.SetProperty(41, std::int32_t{0});
    illuminants.SetProperty(Curves, std::int16_t{2});
    illuminants.SetProperty(CurveColour, 0, Red);
    illuminants.SetProperty(CurveColour, 1, Blue);
    illuminants.SetProperty(CurveLineType, 0, MediumSolid);
    illuminants.SetProperty(CurveLineType, 1, MediumSolid);
    illuminants.SetProperty(CurveLabel, 0, std::string("A"));
    illuminants.SetProperty(CurveLabel, 1, std::string("D65"));
    CommonSettings(illuminants);
}

namespace {

void LoadCurve(GraphControl& graph, std::int32_t curve, std::int32_t point, float value) {
    graph.SetProperty(PointX, curve, point, static_cast<double>(CieFirstWavelength + point));
    graph.SetProperty(PointY, curve, point, static_cast<double>(value));
}

}  // namespace

void UCIE::DrawColorFunctionGraph(int observer) {
    GraphControl& graph = *panel_->Graph1;
    const CieTables& t = state_->Cie.Tables;
    graph.SetProperty(Subtitle, std::string());
    graph.SetProperty(XAxisTitle, std::string("Wavelength (nm)"));
    graph.SetProperty(YAxisTitle, std::string("Tristimulus values"));
    if (observer == 0 || observer == 1) {
        graph.SetProperty(MainTitle, std::string(observer == 0 ? "CIE 1931" : "CIE 1964"));
        const CieTableValues* curves[3] = {&t[CIE_X2], &t[CIE_Y2], &t[CIE_Z2]};
        if (observer == 1) {
            curves[0] = &t[CIE_X10];
            curves[1] = &t[CIE_Y10];
            curves[2] = &t[CIE_Z10];
        }
        graph.SetProperty(Points, std::int32_t{CieTableLength});
        for (std::int32_t i = 0; i < CieTableLength; ++i) {
            for (std::int32_t c = 0; c < 3; ++c) {
                LoadCurve(graph, c, i, (*curves[c])[static_cast<std::size_t>(i)]);
            }
        }
    }
    graph.SetProperty(Show, std::int16_t{0});
}

void UCIE::DrawIlluminantGraph(int mask) {
    GraphControl& graph = *panel_->Graph2;
    const CieTables& t = state_->Cie.Tables;
    graph.SetProperty(Subtitle, std::string());
    graph.SetProperty(XAxisTitle, std::string("Wavelength (nm)"));
    graph.SetProperty(YAxisTitle, std::string("Relative Spectral Power"));
    graph.SetProperty(YRangeManual, std::int32_t{0});
    graph.SetProperty(41, std::int32_t{0});
    if (mask == 1 || mask == 4) {
        // A single illuminant is always curve 0, in curve 0's colour.
        const bool a = mask == 1;
        graph.SetProperty(MainTitle,
                          std::string(a ? "Standard Illuminate A" : "Standard Illuminate D65"));
        graph.SetProperty(Curves, std::int16_t{1});
        graph.SetProperty(CurveLegendEntry, 0, std::int16_t{1});
        graph.SetProperty(CurveLabel, 0, std::string(a ? "A" : "D65"));
        graph.SetProperty(Points, std::int32_t{CieTableLength});
        const CieTableValues& table = t[a ? CIE_A : CIE_D65];
        for (std::int32_t i = 0; i < CieTableLength; ++i) {
            LoadCurve(graph, 0, i, table[static_cast<std::size_t>(i)]);
        }
    } else {
        graph.SetProperty(MainTitle, std::string("Standard Illuminants"));
        graph.SetProperty(Curves, std::int16_t{2});
        graph.SetProperty(CurveLegendEntry, 0, std::int16_t{0});
        graph.SetProperty(CurveLegendEntry, 1, std::int16_t{1});
        graph.SetProperty(CurveLabel, 0, std::string("A"));
        graph.SetProperty(CurveLabel, 1, std::string("D65"));
        graph.SetProperty(Points, std::int32_t{CieTableLength});
        for (std::int32_t i = 0; i < CieTableLength; ++i) {
            LoadCurve(graph, 0, i, t[CIE_A][static_cast<std::size_t>(i)]);
            LoadCurve(graph, 1, i, t[CIE_D65][static_cast<std::size_t>(i)]);
        }
    }
    graph.SetProperty(Show, std::int16_t{0});
}
