#include "views/spectrum_plot.h"

#include <QAction>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "frame/batch_host.h"
#include "frame/settings.h"
#include "ops/analysis/spectral_transforms.h"
#include "ops/calibration/absolute_reflectance.h"
#include "ops/calibration/radiometric_conversion.h"
#include "platform/graph/graph_control.h"
#include "platform/graph/graph_model.h"
#include "platform/shell/paths.h"
#include "platform/text/convert.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "views/graph_values.h"
#include "views/graph_window.h"
#include "views/legend_window.h"
#include "views/plot_modes.h"
#include "views/state.h"

namespace {

// The y value the graph takes for a point without data.
constexpr double NoData = -9999;
// Curves from this index on get no legend entry.
constexpr int LegendEntries = 15;

// One run of PlotSpectra: the graph it draws into and what carries from one
// file to the next.
struct PlotRun {
    frmGraph& Window;
    GraphControl& Graph;
    FileList& Files;
    bool Reference = false;
    int Count = 0;  // files on the work list
    int Shown = 0;  // of them, the first ones the graph has curves for
    int Subset = 0;
    int ColourSlot = 0;
    double YMax = 0;

    int32_t Points() const {
        const auto number = NumberOf(Graph.GetProperty(12));
        return number ? static_cast<int32_t>(*number) : 0;
    }
};

// Moves the running wavelength range out to x. A wavelength that is not a
// finite 32-bit whole number after rounding leaves the range alone.
void WidenRange(double x) {
    if (!std::isfinite(x) || std::rint(x) < std::numeric_limits<int32_t>::min() ||
        std::rint(x) > std::numeric_limits<int32_t>::max()) {
        return;
    }
    if (x < GraphMinWavelength) {
        GraphMinWavelength = CLng(x);
    }
    if (x > GraphMaxWavelength) {
        GraphMaxWavelength = CLng(x);
    }
}

// Writes y of point p; a value that is not a number is a gap and never
// reaches the running maximum.
void WriteY(PlotRun& run, int curve, int p, double y) {
    if (!std::isfinite(y)) {
        run.Graph.SetProperty(222, curve, p, NoData);
        return;
    }
    run.Graph.SetProperty(222, curve, p, y);
    if (y > run.YMax) {
        run.YMax = y;
    }
}

// Legend entry of a drawn curve while the legend is asked for.
void SwitchLegend(PlotRun& run, int curve) {
    if (run.Window.mnuShowLegend->isChecked()) {
        run.Graph.SetProperty(428, true);
        if (curve < LegendEntries) {
            run.Graph.SetProperty(180, curve, int16_t(curve));
        }
    } else {
        run.Graph.SetProperty(428, false);
    }
}

double PointWavelength(double first, int p) {
    return first + p * static_cast<double>(CurrentHeader.WavelengthStep);
}

void DrawCurve(PlotRun& run, int i, const std::string& label, double first) {
    int s = run.Subset;
    if (run.Count >= 2) {
        run.Window.picLegend->setVisible(true);
        run.Graph.SetProperty(131, i, std::string());
        run.Graph.SetProperty(131, s, label);
        SwitchLegend(run, s);
    } else {
        run.Window.picLegend->setVisible(false);
        s = i;
    }
    const int32_t points = run.Points();
    for (int p = 0; p < points; ++p) {
        const double x = PointWavelength(first, p);
        run.Graph.SetProperty(250, s, p, x);
        if (static_cast<std::size_t>(p) < DisplayData.size()) {
            WidenRange(x);
            WriteY(run, s, p, DisplayData[static_cast<std::size_t>(p)]);
        } else {
            run.Graph.SetProperty(222, s, p, NoData);
        }
    }
    run.Subset = s + 1;
}

// The stored white reference into curve i.
void DrawReference(PlotRun& run, int i, const std::string& label, double first) {
    run.Graph.SetProperty(9,
                          GraphTitle.empty() ? std::string("Spectral Reference Data") : GraphTitle);
    if (run.Count >= 2) {
        run.Graph.SetProperty(131, i, label);
        SwitchLegend(run, i);
    }
    const int32_t points = run.Points();
    for (int p = 0; p < points; ++p) {
        const double x = PointWavelength(first, p);
        run.Graph.SetProperty(250, i, p, x);
        WidenRange(x);
        if (static_cast<std::size_t>(p) < ReferenceData.size()) {
            WriteY(run, i, p, ReferenceData[static_cast<std::size_t>(p)]);
        }
    }
}

// A copy of a calibration buffer replaces DisplayData whole, so that no point
// shows another array's values; a buffer the file does not hold skips it.
bool CopyBuffer(const std::vector<double>& buffer) {
    if (buffer.empty()) {
        return false;
    }
    DisplayData = buffer;
    return true;
}

// Leaves the values of a native file in DisplayData; false skips the file.
bool ConvertNativeFile(PlotRun& run, const std::string& name) {
    const PlotSource source = NativePlotSource(PlotFormat, PlotDeriv, CurrentHeader,
                                               ReferenceRecord.ReferenceFlag, FileVersion);
    switch (source) {
        case PlotSource::Skip:
            return false;
        case PlotSource::ValuesAsRead:
            DisplayData = SpectrumData;
            return true;
        case PlotSource::Reflectance:
            return ComputeReflectance();
        case PlotSource::ReflectanceDeriv1:
            return ComputeReflectanceDeriv1();
        case PlotSource::ReflectanceDeriv2:
            return ComputeReflectanceDeriv2();
        case PlotSource::Log1R:
            return ComputeLog1R();
        case PlotSource::Log1RDeriv1:
            return ComputeLog1RDeriv1();
        case PlotSource::Log1RDeriv2:
            return ComputeLog1RDeriv2();
        case PlotSource::AbsoluteReflectance:
            if (ComputeAbsoluteReflectance() == -1) {
                MsgBox("Problem loading " + AbsoluteReferenceName + " for " + name, vbExclamation,
                       AppTitle);
                return false;
            }
            return true;
        case PlotSource::Radiometric:
            if (!ConvertToRadiometric(name, run.Window.mnuRadParabolicCorrect->isChecked())) {
                SetMousePointer(vbDefault);
                return false;
            }
            return true;
        case PlotSource::CalBufferABS:
            return CopyBuffer(CalBufferABS);
        case PlotSource::CalBufferBSE:
            return CopyBuffer(CalBufferBSE);
        case PlotSource::CalBufferLMP:
            return CopyBuffer(CalBufferLMP);
        case PlotSource::CalBufferFO:
            return CopyBuffer(CalBufferFO);
    }
    return false;
}

enum class FileDrawn { Yes, Unreadable, GraphFull };

// Gives every curve points for channels. When the graph cannot hold that many
// points for all its curves, it keeps only as many curves as it then can, if
// the curve of file i is among them; otherwise the files are drawn up to i
// only, and false.
bool MakeRoomFor(PlotRun& run, int i, int32_t channels) {
    GraphControl& graph = run.Graph;
    if (run.Points() >= channels || graph.SetProperty(12, channels)) {
        return true;
    }
    const int32_t fit =
        channels <= GraphMaxPoints ? static_cast<int32_t>(GraphMaxTotalPoints / channels) : 0;
    if (fit > i) {
        run.Shown = std::min(run.Shown, fit);
        if (graph.SetProperty(11, int32_t{run.Shown}) && graph.SetProperty(12, channels)) {
            return true;
        }
    }
    run.Shown = i;
    graph.SetProperty(11, int32_t{i});
    return false;
}

// One file of the work list.
FileDrawn PlotFile(PlotRun& run, int i) {
    GraphControl& graph = run.Graph;
    graph.SetProperty(256, false);
    graph.SetProperty(180, i, int16_t{-1});
    run.Files.SetListIndex(i);
    const std::string name = run.Files.List(i);
    if (ReadSpectrumFile(name) == -1) {
        return FileDrawn::Unreadable;
    }
    GraphStartWavelength = CurrentHeader.Channel1Wavelength;
    GraphWavelengthStep = CurrentHeader.WavelengthStep;
    graph.SetProperty(3, true);

    std::string label;
    if (run.Count == 1) {
        graph.SetProperty(10, name);
    } else {
        graph.SetProperty(10, GraphSubtitle);
        std::string path = name, drive, dir;
        SplitPath(path, drive, dir, label);
    }
    const double first = CurrentHeader.Channel1Wavelength;
    const auto channels = static_cast<int32_t>(SpectrumData.size());
    if (!MakeRoomFor(run, i, channels)) {
        return FileDrawn::GraphFull;
    }

    std::string yTitle;
    if (run.Reference && FileVersion >= 2) {
        DrawReference(run, i, label, first);
        yTitle = "DN";
    } else {
        std::string title = GraphTitle.empty() ? std::string("Spectral Data") : GraphTitle;
        if (run.Reference) {
            title = "Spectral Reference Data";
        }
        graph.SetProperty(9, title);
        bool draw = false;
        if (FileVersion >= 2) {
            draw = ConvertNativeFile(run, name);
        } else if (DrawsVersion1File(PlotFormat, PlotDeriv, CurrentHeader)) {
            DisplayData = SpectrumData;
            draw = true;
        }
        yTitle = YAxisTitle(PlotFormat, PlotDeriv, CurrentHeader.DataType);
        if (draw) {
            DrawCurve(run, i, label, first);
        } else {
            graph.SetProperty(131, i, std::string());
        }
    }

    graph.SetProperty(32, std::string("Wavelength"));
    graph.SetProperty(33, yTitle);
    if (run.ColourSlot > 15) {
        run.ColourSlot = 0;
    }
    graph.SetProperty(132, i, LineColor[static_cast<std::size_t>(run.ColourSlot)]);
    graph.SetProperty(134, i, LineType[static_cast<std::size_t>(run.ColourSlot)]);
    ++run.ColourSlot;
    graph.SetProperty(59, GraphMinWavelength);
    graph.SetProperty(60, GraphMaxWavelength);
    ScaleGraphExponent(graph, run.YMax);
    return FileDrawn::Yes;
}

bool EndsWithZel(const std::string& name) {
    // Exact: ".ZEL" does not count.
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".zel") == 0;
}

}  // namespace

void ScaleGraphExponent(GraphControl& graph, double Value) {
    const YExponentChoice choice = ChooseYExponent(Value);
    graph.SetProperty(256, choice.Shown);
    graph.SetProperty(595, int32_t{choice.Shown ? 1 : 0});
    if (choice.Exponent) {
        graph.SetProperty(54, *choice.Exponent);
    }
}

bool PlotSpectra(bool Reference) {
    frmGraph* window = ActiveGraphWindow();
    if (window == nullptr) {
        return false;
    }
    SetMousePointer(vbHourglass);
    FileList& files = MainHost().List1();
    PlotRun run{*window, *window->Graph1, files};
    run.Reference = Reference;
    run.Count = files.ListCount();

    GraphControl& graph = run.Graph;
    graph.SetProperty(131, -1, std::string());
    graph.SetProperty(180, -1, int16_t{0});
    graph.SetProperty(180, 0, int16_t{-1});
    // The points go first: the curves of every file fit only while there are
    // none.
    graph.SetProperty(11, int16_t{0});
    graph.SetProperty(12, int32_t{0});
    run.Shown = std::min(run.Count, GraphMaxCurves);
    graph.SetProperty(11, int32_t{run.Shown});
    graph.SetProperty(54, int16_t{0});

    for (int i = 0; i < run.Count; ++i) {
        files.SetListIndex(i);
        if (EndsWithZel(files.List(i))) {
            HasEmbeddedReference = true;
            break;
        }
    }
    bool ending = false;
    for (int i = 0; i < run.Shown; ++i) {
        // The program is ending: the graph keeps the curves drawn so far.
        if (RunEnding()) {
            ending = true;
            break;
        }
        const FileDrawn drawn = PlotFile(run, i);
        if (drawn == FileDrawn::Unreadable) {
            SetMousePointer(vbDefault);
            return false;
        }
        if (drawn == FileDrawn::GraphFull) {
            break;
        }
    }
    if (run.Shown < run.Count && !ending) {
        SetMousePointer(vbDefault);
        MsgBox("The graph can show " + std::to_string(run.Shown) + " of the " +
                   std::to_string(run.Count) + " files; the first " + std::to_string(run.Shown) +
                   " are drawn.",
               vbOKOnly + vbExclamation, AppTitle);
        if (run.Shown == 0) {
            return false;
        }
    }
    graph.SetProperty(108, int16_t{0});
    if (run.Count > 0) {
        files.SetListIndex(0);
    }
    SetMousePointer(vbDefault);
    if (LegendForm != nullptr) {
        LegendForm->RefreshLegend();
    }
    return !ending;
}
