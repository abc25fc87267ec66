// The graph window's life: its default graph style, its load and close with
// the saved look and display mode, its layout, its status bar, and the entries
// the main window calls.

#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <fstream>
#include <sstream>

#include "frame/services.h"
#include "platform/shell/paths.h"
#include "views/graph_test.h"
#include "views/spectrum_plot.h"
#include "views/view_services.h"

namespace {

class GraphWindow : public GraphTest {};

std::string Describe(const GraphWrite& write) {
    std::ostringstream out;
    out << write.Id;
    if (write.Curve) {
        out << "[" << *write.Curve;
        if (write.Point) {
            out << "," << *write.Point;
        }
        out << "]";
    }
    out << "=";
    std::visit(
        [&out](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, bool>) {
                out << (value ? "T" : "F");
            } else if constexpr (std::is_same_v<T, std::string>) {
                out << "'" << value << "'";
            } else if constexpr (std::is_same_v<T, int16_t>) {
                out << value << "i";
            } else if constexpr (std::is_same_v<T, int32_t>) {
                out << value << "L";
            } else {
                out << value << "d";
            }
        },
        write.Value);
    return out.str();
}

std::vector<std::string> Described(const std::vector<GraphWrite>& writes) {
    std::vector<std::string> out;
    for (const auto& write : writes) {
        out.push_back(Describe(write));
    }
    return out;
}

const std::vector<std::string> StyleAfterCurves = {
    "6=12632256L", "4=8421504L", "210=2i", "32=' '",     "33=' '",    "231=F", "230=F", "14=T",
    "255=F",       "96=F",       "18=T",   "98=3i",      "17=T",      "19=1i", "223=T", "280=T",
    "42=0L",       "229=0i",     "207=0i", "209=0i",     "40=0i",     "41=1i", "55=0i", "58=3i",
    "59=2500L",    "60=350L",    "278=T",  "226=-9999i", "93=-9999i", "108=0i"};

TEST_F(GraphWindow, InitGraphStylesEveryCurveFromTheStoredLook) {
    OpenGraphWindow();
    Observe();
    GraphMinWavelength = 400;
    InitGraph(17);
    std::vector<std::string> expected = {"250[0,-1]=0d", "222[0,-1]=0d", "11=0i", "11=17i"};
    for (int s = 0; s < 17; ++s) {
        expected.push_back("132[" + std::to_string(s) + "]=" + std::to_string(1000 + s % 16) + "L");
        expected.push_back("134[" + std::to_string(s) + "]=" + std::to_string(s % 16 % 9) + "L");
    }
    expected.insert(expected.end(), StyleAfterCurves.begin(), StyleAfterCurves.end());
    EXPECT_EQ(Described(writes), expected);
    EXPECT_EQ(GraphMinWavelength, 2500);
    EXPECT_EQ(GraphMaxWavelength, 350);

    Observe();
    InitGraph(0);
    expected = {"250[0,-1]=0d", "222[0,-1]=0d", "11=0i", "11=0i"};
    expected.insert(expected.end(), StyleAfterCurves.begin(), StyleAfterCurves.end());
    EXPECT_EQ(Described(writes), expected);
}

TEST_F(GraphWindow, LoadSetsUpTheWindow) {
    LastPlotFormat = 3;
    LastPlotDeriv = 1;
    host.WorkList.AddItem("a.001");
    host.WorkList.AddItem("b.001");
    frmGraph* window = OpenGraphWindow();
    EXPECT_EQ(CurrentGraph, window);
    EXPECT_TRUE(GraphOpen);
    EXPECT_EQ(window->windowTitle(), "Lumivex Graph");
    // Without a saved look the graph is styled for the work list.
    EXPECT_EQ(Number(11), 2);
    EXPECT_EQ(PlotFormat, 3);
    EXPECT_EQ(PlotDeriv, 1);
    EXPECT_EQ(Text(9), "Spectral Data");
    EXPECT_EQ(Number(259), 1);
    EXPECT_EQ(Number(258), 1);
    EXPECT_EQ(window->picLegend->toolTip(), "Legend");
    EXPECT_FALSE(window->picLegend->Sunken());
    EXPECT_EQ(window->LegendButtonRect,
              QRect(0, 0, window->picLegend->width(), window->picLegend->height()));
    EXPECT_TRUE(window->mnuShowLegend->isChecked());
    EXPECT_FALSE(window->mnuRadParabolicCorrect->isChecked());
    EXPECT_FALSE(window->mnuFormat->menuAction()->isVisible());
    EXPECT_EQ(window->findChild<GraphControl*>("Graph1"), window->Graph1);
}

TEST_F(GraphWindow, LoadStylesTheGraphBeforeItsOwnSettings) {
    auto* window = new frmGraph;
    CurrentGraph = window;
    window->Graph1->SetWriteObserver([this](const GraphWrite& write) { writes.push_back(write); });
    window->Form_Load();
    // The default style first (it ends with 108), then the window's own.
    const std::vector<std::string> expectedTail = {
        "108=0i",    "259=1L",     "258=1L", "9='Spectral Data'",
        "93=-9999i", "226=-9999i", "227=T",  "197=T"};
    const std::vector<std::string> loaded = Described(writes);
    ASSERT_GT(loaded.size(), expectedTail.size());
    EXPECT_EQ(loaded.front(), "250[0,-1]=0d");
    EXPECT_EQ(std::vector<std::string>(loaded.end() - 8, loaded.end()), expectedTail);
}

TEST_F(GraphWindow, TheGraphFillsTheWindowAboveTheStatusBarWithTheButtonAtItsCorner) {
    frmGraph* window = OpenGraphWindow();
    window->show();
    window->resize(600, 400);
    QCoreApplication::processEvents();
    const QWidget* area = window->centralWidget();
    EXPECT_EQ(window->Graph1->geometry(), QRect(0, 0, area->width(), area->height()));
    EXPECT_LE(area->height() + window->StatusBar1->height(), window->height());
    EXPECT_EQ(window->picLegend->x(), area->width() - window->picLegend->width() - 1);
    EXPECT_EQ(window->picLegend->y(), 1);
    window->Graph1->SetProperty(99, true);
    window->Form_Resize();
    EXPECT_EQ(window->picLegend->x(), area->width() - window->picLegend->width() - 18);

    // Minimised: no layout; restored: the graph fills the area again.
    window->showMinimized();
    window->Graph1->setGeometry(0, 0, 5, 5);
    window->Form_Resize();
    if (window->isMinimized()) {
        EXPECT_EQ(window->Graph1->width(), 5);
    }
    window->showNormal();
    window->Form_Resize();
    EXPECT_EQ(window->Graph1->size(), window->centralWidget()->size());
}

TEST_F(GraphWindow, StatusBarPanelsShowTheTextAndTwoBlanks) {
    frmGraph* window = OpenGraphWindow();
    window->StatusBar("12345", 1);
    EXPECT_EQ(window->StatusPanel(1)->text(), "12345  ");
    EXPECT_EQ(window->StatusPanel(1)->width(), window->StatusPanel(1)->sizeHint().width());
    window->StatusBar("x", 2);
    EXPECT_EQ(window->StatusPanel(2)->text(), "x  ");
    window->StatusBar("ignored", 7);
    EXPECT_EQ(window->StatusPanel(7), nullptr);
}

TEST_F(GraphWindow, ClosingKeepsTheLookAndTheModeForTheNextWindow) {
    SaveSettings();  // the settings file as the program's start leaves it
    Add(MakeSpectrum(1, {1, 2, 3}), "a.001");
    Graph();
    PlotSpectra();
    PlotFormat = 4;
    PlotDeriv = 2;
    ActiveGraphWindow()->Graph1->SetProperty(32, std::string("nm"));
    ActiveGraphWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CurrentGraph, nullptr);
    EXPECT_FALSE(GraphOpen);
    EXPECT_TRUE(FileExists(SettingsFolder + "SaveGraph.bin"));
    EXPECT_EQ(LastPlotFormat, 4);
    EXPECT_EQ(LastPlotDeriv, 2);
    std::ifstream ini(SettingsFolder + "lvx.ini");
    std::stringstream text;
    text << ini.rdbuf();
    EXPECT_NE(text.str().find("LastPlotFormat=4"), std::string::npos);
    EXPECT_NE(text.str().find("LastPlotDeriv=2"), std::string::npos);

    // The next window starts from the saved look, not from the default style.
    PlotFormat = 0;
    GraphMinWavelength = 123;
    OpenGraphWindow();
    EXPECT_EQ(Text(32), "nm");
    EXPECT_EQ(Number(59), 350);
    EXPECT_EQ(GraphMinWavelength, 123);
    EXPECT_EQ(PlotFormat, 4);
}

TEST_F(GraphWindow, TheMainWindowsEntriesOpenPlotShowAndRevealTheMenu) {
    Views = {};
    InstallViewServices();
    // Nothing to show without a window.
    Views.ShowFormatMenu();
    Views.ShowGraph();
    EXPECT_EQ(CurrentGraph, nullptr);

    Add(MakeSpectrum(1, {1, 2}), "a.001");
    LastPlotFormat = 0;
    Views.InitGraph(1);
    frmGraph* window = ActiveGraphWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Views.PlotSpectra());
    Views.ShowGraph();
    EXPECT_TRUE(window->isVisible());
    Views.ShowFormatMenu();
    EXPECT_TRUE(window->mnuFormat->menuAction()->isVisible());

    // An open window is reused.
    Views.InitGraph(1);
    EXPECT_EQ(ActiveGraphWindow(), window);
    Views = {};
}

TEST_F(GraphWindow, ANewWindowPlotsInTheLastModeWhateverTheCallerSet) {
    Views = {};
    InstallViewServices();
    LastPlotFormat = 1;
    LastPlotDeriv = 2;
    PlotFormat = 0;
    PlotDeriv = 0;
    Views.InitGraph(0);
    EXPECT_EQ(PlotFormat, 1);
    EXPECT_EQ(PlotDeriv, 2);
    Views = {};
}

}  // namespace
