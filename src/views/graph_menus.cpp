// What the user does in the open graph window: the menu commands and the
// graph's own events.

#include <QAction>
#include <QMenu>
#include <cmath>
#include <exception>
#include <functional>

#include "frame/batch_host.h"
#include "frame/settings.h"
#include "ops/analysis/derivative_gap.h"
#include "platform/graph/graph_control.h"
#include "platform/ui/ui.h"
#include "spectrum/state.h"
#include "views/graph_values.h"
#include "views/graph_window.h"
#include "views/legend_window.h"
#include "views/plot_modes.h"
#include "views/point_popup.h"
#include "views/readout_text.h"
#include "views/spectrum_plot.h"
#include "views/state.h"

namespace {

// No exception leaves a menu command or an event: what went wrong is said
// and the window stays usable.
void Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        MsgBox(error.what(), vbOKOnly + vbCritical, AppTitle);
    }
}

struct DisplayModeItem {
    QAction* frmGraph::*Item;
    int16_t Format;
    std::optional<int16_t> Deriv;  // none: the derivative stays as it is
};

const DisplayModeItem DisplayModeItems[] = {
    {&frmGraph::mnuDN, PlotDN, std::nullopt},
    {&frmGraph::mnuRefNoDer, PlotReflectance, DerivNone},
    {&frmGraph::mnuRef1Der, PlotReflectance, DerivFirst},
    {&frmGraph::mnuRef2Der, PlotReflectance, DerivSecond},
    {&frmGraph::mnuReflectanceAbsolute, PlotReflectance, DerivAbsolute},
    {&frmGraph::mnuTranNoDer, PlotTransmittance, DerivNone},
    {&frmGraph::mnuTran1Der, PlotTransmittance, DerivFirst},
    {&frmGraph::mnuTran2Der, PlotTransmittance, DerivSecond},
    {&frmGraph::mnuLogRNoDer, PlotLog1R, DerivNone},
    {&frmGraph::mnuLogR1Der, PlotLog1R, DerivFirst},
    {&frmGraph::mnuLogR2Der, PlotLog1R, DerivSecond},
    {&frmGraph::mnuLogTNoDer, PlotLog1T, DerivNone},
    {&frmGraph::mnuLogT1Der, PlotLog1T, DerivFirst},
    {&frmGraph::mnuLogT2Der, PlotLog1T, DerivSecond},
    {&frmGraph::mnuRadRadiance, PlotRadiance, std::nullopt},
    {&frmGraph::mnuRadIrradiance, PlotIrradiance, std::nullopt},
    {&frmGraph::mnuCalBufferABS, PlotAbs, DerivNone},
    {&frmGraph::mnuCalBufferBSE, PlotBse, DerivNone},
    {&frmGraph::mnuCalBufferLMP, PlotLmp, DerivNone},
    {&frmGraph::mnuCalBufferFO, PlotFo, DerivNone},
};

}  // namespace

void frmGraph::ConnectMenus() {
    auto on = [this](QAction* item, std::function<void()> command) {
        connect(item, &QAction::triggered, this, [command] { Guarded(command); });
    };
    for (const auto& mode : DisplayModeItems) {
        on(this->*mode.Item, [this, mode] { ChooseDisplayMode(mode.Format, mode.Deriv); });
    }
    on(mnuReference, [this] { ChooseDisplayMode(PlotReference, DerivReference, true); });
    // "Parabolic Correct" only toggles its mark: the next plot reads it.
    on(mnuDerivGap, [this] { mnuDerivGap_Click(); });
    on(mnuShowLegend, [this] { mnuShowLegend_Click(); });
    on(mnuPrint, [this] { mnuPrint_Click(); });
    on(mnuExport, [this] { mnuExport_Click(); });
    on(mnuTitle, [this] { mnuTitle_Click(); });
    on(mnuSubTitle, [this] { mnuSubTitle_Click(); });
    connect(picLegend, &LegendButton::Click, this,
            [this] { Guarded([this] { picLegend_Click(); }); });
}

void frmGraph::ConnectGraph() {
    connect(Graph1, &GraphControl::AfterCustomize, this,
            [this] { Guarded([this] { Graph1_AfterCustomize(); }); });
    connect(Graph1, &GraphControl::LegendChanged, this, [this] { Graph1_LegendChanged(); });
    connect(Graph1, &GraphControl::Relayout, this, [this] { Form_Resize(); });
    connect(Graph1, &GraphControl::MouseMoved, this,
            [this](int button, int shift, float x, float y) {
                Guarded([&] { Graph1_MouseMove(button, shift, x, y); });
            });
    connect(Graph1, &GraphControl::CursorMoved, this,
            [this](int curve, int point) { Guarded([&] { Graph1_CursorMove(curve, point); }); });
}

void frmGraph::ChooseDisplayMode(int16_t format, std::optional<int16_t> deriv, bool reference) {
    InitGraph(static_cast<int16_t>(MainHost().List1().ListCount()));
    PlotFormat = format;
    if (deriv) {
        PlotDeriv = *deriv;
    }
    PlotSpectra(reference);
}

void frmGraph::mnuDerivGap_Click() {
    SelectDerivativeGap();
}

void frmGraph::mnuShowLegend_Click() {
    // The item has toggled its mark already.
    Graph1->SetProperty(428, mnuShowLegend->isChecked());
    Graph1->SetProperty(108, int32_t{0});
}

void frmGraph::mnuPrint_Click() {
    std::string error;
    // A cancelled print dialog fails without a text and says nothing.
    if (!Graph1->Print(true, &error) && !error.empty()) {
        MsgBox("Problem Printing! \r\n" + error, vbCritical, "Dunmere Pro");
    }
}

void frmGraph::mnuExport_Click() {
    std::string error;
    if (!Graph1->ShowExportDialog(&error) && !error.empty()) {
        MsgBox(error, vbExclamation, AppTitle);
    }
}

void frmGraph::mnuTitle_Click() {
    // An empty answer is also the cancel: the title cannot be cleared here.
    const std::string answer = InputBox("Enter Title Text", "Graph Title", GraphTitle);
    if (!answer.empty()) {
        GraphTitle = answer;
        Graph1->SetProperty(9, answer);
    }
}

void frmGraph::mnuSubTitle_Click() {
    const std::string answer = InputBox("Enter SubTitle Text", "Graph SubTitle", GraphSubtitle);
    if (!answer.empty()) {
        GraphSubtitle = answer;
        Graph1->SetProperty(10, answer);
    }
}

void frmGraph::picLegend_Click() {
    if (LegendForm == nullptr) {
        SetLegendButtonState(true);
        auto* legend = new frmLegend(*this);
        LegendForm = legend;
        // Below the button, its right edge a little left of the button's.
        const QPoint corner =
            picLegend->mapToGlobal(QPoint(picLegend->width(), picLegend->height()));
        legend->move(corner.x() - legend->frameGeometry().width() - 6, corner.y());
        legend->show();
    } else {
        SetLegendButtonState(false);
        frmLegend* legend = LegendForm;
        LegendForm = nullptr;
        legend->close();
    }
}

void frmGraph::Graph1_AfterCustomize() {
    const int last = static_cast<int>(NumberOf(Graph1->GetProperty(11)).value_or(0)) - 1;
    // The settings keep 16 curve looks; further curves repeat them.
    for (int i = 0; i <= last && i < 16; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        LineColor[slot] = static_cast<int32_t>(NumberOf(Graph1->GetProperty(132, i)).value_or(0));
        LineType[slot] = static_cast<int32_t>(NumberOf(Graph1->GetProperty(134, i)).value_or(0));
    }
    GraphTitle = TextOf(Graph1->GetProperty(9));
    GraphSubtitle = TextOf(Graph1->GetProperty(10));
    mnuShowLegend->setChecked(FlagOf(Graph1->GetProperty(428)));
    SaveSettings();
}

void frmGraph::Graph1_LegendChanged() {
    mnuShowLegend->setChecked(FlagOf(Graph1->GetProperty(428)));
}

void frmGraph::Graph1_MouseMove(int, int, float x, float y) {
    LastMouseX = x;
    LastMouseY = y;
    // Outside a plotting area there is nothing to show: the status bar keeps
    // what it showed last.
    if (const auto value = Graph1->PixelToGraph(0, QPointF(Graph1->LastMousePixel()))) {
        ShowMousePosition(value->x(), value->y());
    }
}

void frmGraph::ShowMousePosition(double gx, double gy) {
    const MouseReadout texts = MouseTexts(gx, gy);
    StatusBar(texts.Wavelength, 1);
    StatusBar(texts.Value, 2);
    WavenumberText = texts.WavenumberText;
}

void frmGraph::Graph1_CursorMove(int curve, int point) {
    // The curve's own x: curves of files on other grids, or a last file that
    // was skipped, must not lend the point another wavelength.
    double x = static_cast<double>(GraphWavelengthStep) * point + GraphStartWavelength;
    if (const auto own = NumberOf(Graph1->GetProperty(250, curve, point));
        own && std::isfinite(*own)) {
        x = *own;
    }
    const std::string text = PointText(TextOf(Graph1->GetProperty(131, curve)), x, WavenumberText);
    // A popup that has closed itself may still await deletion: it is not
    // reused, so every popup lives its full two seconds.
    if (CMForm == nullptr || !CMForm->isVisible()) {
        CMForm = new frmCMForm(this);
    }
    CMForm->SetText(text);
    // Just below the mouse, where the graph last saw it.
    CMForm->move(Graph1->mapToGlobal(QPointF(LastMouseX, LastMouseY + 2)).toPoint());
    CMForm->show();
}
