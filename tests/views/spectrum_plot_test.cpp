// Drawing the work list: which files become which curves, with what values,
// titles, colours, range and y exponent.

#include <QLabel>
#include <QTest>
#include <cmath>
#include <limits>

#include "frame/services.h"
#include "ops/calibration/kernels/absolute_reference.h"
#include "platform/graph/graph_model.h"
#include "views/graph_test.h"
#include "views/plot_modes.h"
#include "views/point_popup.h"
#include "views/spectrum_plot.h"
#include "views/view_services.h"

namespace {

constexpr double NoData = -9999;

class Plot : public GraphTest {};

TEST_F(Plot, OneFileIsNamedInTheSubtitleAndHasNoLegend) {
    const std::string path = Add(MakeSpectrum(1, {1, 2, 3}), "only.001");
    Graph();
    Observe();
    EXPECT_TRUE(PlotSpectra());
    EXPECT_EQ(Text(10), path);
    EXPECT_EQ(Label(0), "");
    EXPECT_TRUE(ActiveGraphWindow()->picLegend->isHidden());
    EXPECT_FALSE(Written(428));
    EXPECT_EQ(Text(9), "Spectral Data");
    EXPECT_EQ(Text(33), "DN");
    EXPECT_EQ(Y(0, 2), 3);
    EXPECT_EQ(host.WorkList.ListIndex(), 0);
    EXPECT_FALSE(ui.Waiting);
}

TEST_F(Plot, SkippedFilesLeaveTheirCurvesAtTheEndEmpty) {
    Add(MakeSpectrum(2, {50, 20, 7}, {100, 0, -9999}), "a.001");
    auto unusable = MakeSpectrum(2, {1, 2, 3});
    unusable.Reference.ReferenceFlag = 0;
    Add(unusable, "b.001");
    Add(MakeSpectrum(2, {30, 60, 90}), "c.001");
    GraphSubtitle = "leaves";
    Graph();
    PlotFormat = PlotReflectance;
    PlotDeriv = DerivNone;
    EXPECT_TRUE(PlotSpectra());

    EXPECT_EQ(Y(0, 0), 0.5);
    EXPECT_EQ(Y(0, 1), 0);
    EXPECT_EQ(Y(0, 2), NoData);
    EXPECT_EQ(Label(0), "a.001");
    EXPECT_EQ(Label(1), "c.001");
    EXPECT_DOUBLE_EQ(Y(1, 2), 0.9);
    EXPECT_EQ(Number(132, 1), LineColor[1]);
    EXPECT_EQ(Label(2), "");
    for (int p = 0; p < 3; ++p) {
        EXPECT_TRUE(std::isnan(Y(2, p))) << p;
    }
    EXPECT_EQ(Text(33), "Reflectance");
    EXPECT_EQ(Text(9), "Spectral Data");
    EXPECT_EQ(Text(10), "leaves");
    EXPECT_TRUE(ActiveGraphWindow()->picLegend->isVisibleTo(ActiveGraphWindow()));
    EXPECT_TRUE(Flag(428));
    EXPECT_EQ(Number(180, 0), 0);
    EXPECT_EQ(Number(180, 1), 1);
    EXPECT_EQ(Number(180, 2), -1);
}

TEST_F(Plot, EveryCurveHasThePointsOfTheLongestFileReadSoFar) {
    Add(MakeSpectrum(1, std::vector<double>(2151, 5)), "long.001");
    Add(MakeSpectrum(1, std::vector<double>(512, 6)), "short.001");
    Graph();
    PlotSpectra();
    EXPECT_EQ(Number(12), 2151);
    EXPECT_EQ(X(1, 2150), 2500);
    EXPECT_EQ(Y(1, 511), 6);
    EXPECT_EQ(Y(1, 512), NoData);
    EXPECT_EQ(Number(59), 350);
    EXPECT_EQ(Number(60), 2500);

    host.WorkList.Clear();
    Add(MakeSpectrum(1, std::vector<double>(512, 6)), "short.001");
    Add(MakeSpectrum(1, std::vector<double>(2151, 5)), "long.001");
    Graph();
    PlotSpectra();
    EXPECT_EQ(Number(12), 2151);
    EXPECT_EQ(Y(0, 511), 6);
    EXPECT_TRUE(std::isnan(Y(0, 512)));
    EXPECT_TRUE(std::isnan(X(0, 512)));
}

TEST_F(Plot, TheWavelengthRangeRoundsHalvesToEven) {
    auto file = MakeSpectrum(1, {1, 2, 3});
    file.Header.Channel1Wavelength = 350.5;
    Add(file, "half.001");
    Graph();
    PlotSpectra();
    EXPECT_EQ(Number(59), 350);
    EXPECT_EQ(Number(60), 352);
    EXPECT_EQ(GraphStartWavelength, 350.5f);
    EXPECT_EQ(GraphWavelengthStep, 1.0f);
}

TEST_F(Plot, TheYExponentFollowsTheLargestValueInDataUnits) {
    Add(MakeSpectrum(1, {20000}), "a.001");
    Graph();
    PlotSpectra();
    EXPECT_EQ(Number(54), 4);
    EXPECT_TRUE(Flag(256));
    EXPECT_EQ(Number(595), 1);

    for (double plain : {0.5, 10000.0}) {
        host.WorkList.Clear();
        Add(MakeSpectrum(1, {plain}), "b.001");
        Graph();
        PlotSpectra();
        EXPECT_FALSE(Flag(256)) << plain;
        EXPECT_EQ(Number(595), 0) << plain;
        EXPECT_EQ(Number(54), 0) << plain;
    }

    // The maximum carries from file to file without being rescaled.
    host.WorkList.Clear();
    Add(MakeSpectrum(1, {20000}), "a.001");
    Add(MakeSpectrum(1, {30000}), "b.001");
    Add(MakeSpectrum(1, {5000}), "c.001");
    Graph();
    PlotSpectra();
    EXPECT_EQ(Number(54), 4);
    EXPECT_TRUE(Flag(256));
    EXPECT_EQ(Number(595), 1);
}

TEST_F(Plot, SeventeenFilesWrapTheColoursAndTheLegendStopsAtFifteen) {
    for (int i = 0; i < 17; ++i) {
        Add(MakeSpectrum(1, {double(i)}), "f" + std::to_string(i) + ".001");
    }
    Graph();
    EXPECT_TRUE(PlotSpectra());
    EXPECT_EQ(Number(11), 17);
    EXPECT_EQ(Number(132, 15), LineColor[15]);
    EXPECT_EQ(Number(132, 16), LineColor[0]);
    EXPECT_EQ(Number(134, 16), LineType[0]);
    EXPECT_EQ(Number(180, 14), 14);
    EXPECT_EQ(Number(180, 15), -1);
    EXPECT_EQ(Number(180, 16), -1);
    EXPECT_EQ(Label(16), "f16.001");
}

TEST_F(Plot, TheLegendSwitchFollowsTheMenu) {
    Add(MakeSpectrum(1, {1}), "a.001");
    Add(MakeSpectrum(1, {2}), "b.001");
    Graph();
    ActiveGraphWindow()->mnuShowLegend->setChecked(false);
    PlotSpectra();
    EXPECT_FALSE(Flag(428));
    EXPECT_EQ(Number(180, 0), -1);
}

TEST_F(Plot, AnUnreadableFileEndsTheRunAndKeepsWhatWasDrawn) {
    Add(MakeSpectrum(1, {7}), "a.001");
    host.WorkList.AddItem((TestFolder::Path() / "missing.001").string());
    Add(MakeSpectrum(1, {9}), "c.001");
    Graph();
    EXPECT_FALSE(PlotSpectra());
    EXPECT_EQ(Y(0, 0), 7);
    EXPECT_EQ(Label(2), "");
    EXPECT_FALSE(ui.Waiting);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(Plot, AnEmptyWorkListDrawsNothingAndSucceeds) {
    Graph();
    EXPECT_TRUE(PlotSpectra());
    EXPECT_EQ(Number(11), 0);
}

TEST_F(Plot, WithoutAGraphWindowNothingIsDrawn) {
    Add(MakeSpectrum(1, {1}), "a.001");
    EXPECT_FALSE(PlotSpectra());
}

TEST_F(Plot, OnlyAnExactZelNameMarksAnEmbeddedReference) {
    Add(MakeSpectrum(1, {1}), "a.ZEL");
    Graph();
    PlotSpectra();
    EXPECT_FALSE(HasEmbeddedReference);
    Add(MakeSpectrum(1, {1}), "b.zel");
    Graph();
    PlotSpectra();
    EXPECT_TRUE(HasEmbeddedReference);
}

TEST_F(Plot, RawCountsOfNativeFilesButNotOfBatchOutputsUnderDN) {
    auto native = MakeSpectrum(2, {11, 12});
    native.Header.DataType = Radiance;
    Add(native, "native.001");
    auto written = MakeSpectrum(1, {5, 6});
    written.Header.DataType = Radiance;
    Add(written, "written.rad");
    auto quantum = MakeSpectrum(1, {1, 2});
    quantum.Header.DataType = QuantumIntensity;
    Add(quantum, "q.qi");
    Graph();
    PlotSpectra();
    EXPECT_EQ(Y(0, 1), 12);
    EXPECT_EQ(Label(0), "native.001");
    EXPECT_EQ(Label(1), "q.qi");
    EXPECT_EQ(Label(2), "");
    // The last file decides the title.
    EXPECT_EQ(Text(33), "Quantum Intensity");
}

TEST_F(Plot, AbsoluteReflectanceWithoutItsCalibrationIsReportedAndSkipped) {
    auto file = MakeSpectrum(7, {40, 50});
    file.Header.ApplicationCode = AppAbsoluteReflectance;
    file.Header.DataType = Reflectance;
    StoreAbsoluteReferenceName(file.Header, "abs1234_5.ref");
    file.Calibrations = {MakeCalibration(CalLmp, "lmp")};
    file.CalibrationBuffers = {};
    const std::string path = Add(file, "leaf.001");
    Add(MakeSpectrum(1, {1}), "other.001");
    Graph();
    PlotFormat = PlotReflectance;
    PlotDeriv = DerivAbsolute;
    EXPECT_TRUE(PlotSpectra());
    ASSERT_EQ(ui.Prompts.size(), 1u);
    EXPECT_EQ(ui.Prompts[0].text, "Problem loading abs1234_5.ref for " + path);
    EXPECT_EQ(ui.Prompts[0].buttons, vbExclamation);
    EXPECT_EQ(ui.Prompts[0].title, "Lumivex");
    EXPECT_EQ(Label(0), "");
    EXPECT_TRUE(std::isnan(Y(0, 0)));
    EXPECT_EQ(Text(33), "Absolute Reflectance");
}

TEST_F(Plot, CalibrationBuffersTheFileDoesNotHoldAreNotDrawn) {
    auto bare = MakeSpectrum(7, {100, 200, 300});
    bare.Header.DataType = Radiance;
    Add(bare, "bare.001");
    auto complete = MakeCompleteSpectrum(7, {100, 200, 300});
    complete.Header.DataType = Radiance;
    Add(complete, "complete.001");
    Graph();
    PlotFormat = PlotBse;
    PlotSpectra();
    // Neither holds a baseline.
    EXPECT_EQ(Label(0), "");
    EXPECT_EQ(Label(1), "");
    EXPECT_TRUE(std::isnan(Y(0, 0)));
    EXPECT_EQ(Text(33), "BSE");

    Graph();
    PlotFormat = PlotFo;
    PlotSpectra();
    EXPECT_EQ(Label(0), "complete.001");
    EXPECT_EQ(Y(0, 2), 3);
}

TEST_F(Plot, ValuesThatAreNotNumbersAreGapsAndFarWavelengthsLeaveTheRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Add(MakeSpectrum(1, {1, nan, inf, 2}), "near.001");
    auto far = MakeSpectrum(1, {1, nan, -inf, 2});
    far.Header.Channel1Wavelength = 1e30f;
    Add(far, "far.001");
    Graph();
    EXPECT_TRUE(PlotSpectra());
    EXPECT_EQ(Y(0, 0), 1);
    EXPECT_EQ(Y(0, 1), NoData);
    EXPECT_EQ(Y(0, 2), NoData);
    EXPECT_EQ(Y(0, 3), 2);
    EXPECT_EQ(Label(1), "far.001");
    EXPECT_EQ(Number(59), 350);
    EXPECT_EQ(Number(60), 353);
    // The exponent saw 2, not infinity.
    EXPECT_FALSE(Flag(256));

    // Drawn, read under the mouse and at the cursor like any other graph.
    frmGraph& window = *ActiveGraphWindow();
    window.resize(500, 300);
    window.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.grab().isNull());
    for (int x = 0; x < window.Graph1->width(); x += 25) {
        QTest::mouseMove(window.Graph1, QPoint(x, window.Graph1->height() / 2));
    }
    emit window.Graph1->CursorMoved(1, 3);
    ASSERT_NE(window.CMForm, nullptr);
    EXPECT_TRUE(window.CMForm->Label1->text().startsWith("far.001 -- 1.00000001504747E+30 nm - "));
}

TEST_F(Plot, TheStoredReferenceOfNativeFilesOnly) {
    Add(MakeSpectrum(2, {1, 2, 3}, {60, 70, 80}), "a.001");
    Add(MakeSpectrum(2, {1, 2}, {90, 95}), "b.001");
    Add(MakeSpectrum(1, {5}), "c.001");
    Graph();
    PlotFormat = PlotReference;
    PlotDeriv = DerivReference;
    EXPECT_TRUE(PlotSpectra(true));
    EXPECT_EQ(Label(0), "a.001");
    EXPECT_EQ(Y(0, 2), 80);
    EXPECT_EQ(Label(1), "b.001");
    EXPECT_EQ(Y(1, 1), 95);
    // Beyond the shorter reference: an x, no y.
    EXPECT_EQ(X(1, 2), 352);
    EXPECT_TRUE(std::isnan(Y(1, 2)));
    EXPECT_EQ(Label(2), "");
    EXPECT_EQ(Text(9), "Spectral Reference Data");
    EXPECT_EQ(Text(33), "DN");
}

// Puts one file on the work list times times, as a selection of that many
// files of the same shape would.
void Repeat(MemoryBatchHost& host, const std::string& path, int times) {
    for (int i = 0; i < times; ++i) {
        host.WorkList.AddItem(path);
    }
}

TEST_F(Plot, GraphDataBeyondThePointsTheGraphHoldsDrawsTheFilesThatFit) {
    const std::string path =
        std::filesystem::absolute(MakeSpectrum(1, std::vector<double>(2151, 7)).WriteTo("full.001"))
            .string();
    Repeat(host, path, 4000);
    Views = {};
    InstallViewServices();
    Views.InitGraph(4000);
    const bool drawn = Views.PlotSpectra();
    if (drawn) {
        Views.ShowGraph();
    }
    EXPECT_TRUE(drawn);
    // 3,899 curves of 2,151 points are as many as the graph's 8 Mi points take.
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{
                  "The graph can show 3899 of the 4000 files; the first 3899 are drawn."});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(Number(11), 3899);
    EXPECT_EQ(Number(12), 2151);
    EXPECT_EQ(Label(0), "full.001");
    EXPECT_EQ(Label(3898), "full.001");
    EXPECT_EQ(Y(3898, 2150), 7);
    EXPECT_EQ(X(3898, 2150), 2500);
    EXPECT_TRUE(ActiveGraphWindow()->isVisible());
    EXPECT_FALSE(ui.Waiting);
    Views = {};
}

TEST_F(Plot, BeyondTheCurvesTheGraphHoldsOrAFileThatNoLongerFits) {
    const std::string small =
        std::filesystem::absolute(MakeSpectrum(1, {1, 2, 3}).WriteTo("small.001")).string();
    Repeat(host, small, GraphMaxCurves + 4);
    Graph();
    EXPECT_TRUE(PlotSpectra());
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{
                  "The graph can show 4096 of the 4100 files; the first 4096 are drawn."});
    EXPECT_EQ(Number(11), GraphMaxCurves);
    EXPECT_EQ(Y(GraphMaxCurves - 1, 2), 3);

    // A file whose points would leave room for fewer curves than are drawn
    // already ends the drawing before it; what is drawn stays.
    host.WorkList.Clear();
    ui.Prompts.clear();
    Repeat(host, small, 300);
    Add(MakeSpectrum(1, std::vector<double>(32767, 9)), "long.001");
    Add(MakeSpectrum(1, {4, 5}), "after.001");
    Graph();
    EXPECT_TRUE(PlotSpectra());
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{
                  "The graph can show 300 of the 302 files; the first 300 are drawn."});
    EXPECT_EQ(Number(11), 300);
    EXPECT_EQ(Number(12), 3);
    EXPECT_EQ(Y(299, 2), 3);
}

}  // namespace
