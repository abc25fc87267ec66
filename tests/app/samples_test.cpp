// The bundled samples are what a newcomer tries first: every display mode of
// the graph finds something to draw in them, the radiometric calculation runs
// on them without asking for a file, nothing written from them carries a zero
// byte, and a longitude reads the same everywhere it is shown or written.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "app/main_window.h"
#include "frame/services.h"
#include "frame/settings.h"
#include "io/export_dialog.h"
#include "io/io_services.h"
#include "platform/graph/graph_control.h"
#include "platform/ui/ui.h"
#include "program_services.h"
#include "spectrum/header_text.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"
#include "views/colorimetry_window.h"
#include "views/graph_window.h"
#include "views/header_window.h"
#include "views/state.h"
#include "views/view_services.h"

namespace fs = std::filesystem;

namespace {

// The samples as the program finds them in its source tree, sorted by name.
std::vector<std::string> SamplePaths() {
    std::vector<std::string> paths;
    for (const auto& entry : fs::directory_iterator(LUMIVEX_SAMPLES_DIR)) {
        paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string Text(const fs::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path.string());
    return std::string(bytes.begin(), bytes.end());
}

class Samples : public testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        window = std::make_unique<frmLVX>();
        paths = SamplePaths();
        window->List2().AddItems(paths);
        window->EnableProcessMenus();
    }
    void TearDown() override {
        if (frmGraph* graph = ActiveGraphWindow()) {
            graph->close();
        }
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Select(std::initializer_list<const char*> names) {
        for (int i = 0; i < window->List2().ListCount(); ++i) {
            const std::string file = fs::path(window->List2().List(i)).filename().string();
            const bool chosen = std::find(names.begin(), names.end(), file) != names.end();
            window->List2Box()->item(i)->setSelected(chosen);
        }
    }

    // The labels of the curves of the open graph that hold at least one real,
    // non-zero value.
    static std::set<std::string> CurvesWithData() {
        GraphControl& graph = *ActiveGraphWindow()->Graph1;
        const auto curves = GraphNumber(*graph.GetProperty(11)).value_or(0);
        const auto points = GraphNumber(*graph.GetProperty(12)).value_or(0);
        std::set<std::string> labels;
        for (int c = 0; c < curves; ++c) {
            for (int p = 0; p < points; ++p) {
                const double y = GraphNumber(*graph.GetProperty(222, c, p)).value_or(0);
                if (std::isfinite(y) && y != 0 && y != -9999) {
                    labels.insert(std::get<std::string>(*graph.GetProperty(131, c)));
                    break;
                }
            }
        }
        return labels;
    }

    ScriptedUi ui;
    ProgramServices services;
    std::unique_ptr<frmLVX> window;
    std::vector<std::string> paths;
};

TEST_F(Samples, EveryDisplayModeDrawsACurveWithDataAndEverySampleIsDrawn) {
    ASSERT_GE(paths.size(), 2u);
    window->mnuGraph_Click();
    frmGraph* graph = ActiveGraphWindow();
    ASSERT_NE(graph, nullptr);
    std::set<std::string> drawn = CurvesWithData();
    EXPECT_FALSE(drawn.empty()) << "DN";

    // Every item of the Format menu that chooses what is drawn.
    const std::set<QAction*> notModes = {graph->mnuRadParabolicCorrect, graph->mnuDerivGap,
                                         graph->mnuShowLegend};
    std::vector<QAction*> modes;
    std::vector<QMenu*> menus = {graph->mnuFormat};
    while (!menus.empty()) {
        QMenu* menu = menus.back();
        menus.pop_back();
        for (QAction* item : menu->actions()) {
            if (item->menu() != nullptr) {
                menus.push_back(item->menu());
            } else if (!item->isSeparator() && notModes.count(item) == 0) {
                modes.push_back(item);
            }
        }
    }
    EXPECT_EQ(modes.size(), 21u);
    for (QAction* mode : modes) {
        const std::string name = mode->objectName().toStdString();
        mode->trigger();
        const std::set<std::string> curves = CurvesWithData();
        EXPECT_FALSE(curves.empty()) << name;
        drawn.insert(curves.begin(), curves.end());
        EXPECT_TRUE(ui.Prompts.empty()) << name << ": " << ui.Prompts[0].text;
        ui.Prompts.clear();
    }
    for (const std::string& path : paths) {
        EXPECT_EQ(drawn.count(fs::path(path).filename().string()), 1u) << path;
    }
}

TEST_F(Samples, RadiometricCalculationUsesTheCalibrationTheFilesCarry) {
    Select({"field.004", "sky.005"});
    window->Rcalc();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed"});
    EXPECT_TRUE(fs::exists(OutputDirectory + "/field.004.rad"));
    EXPECT_TRUE(fs::exists(OutputDirectory + "/sky.005.irr"));
}

TEST_F(Samples, NoTextWrittenFromThemHoldsAZeroByte) {
    // The header text on its own, as the exports include it.
    for (const std::string& path : paths) {
        ASSERT_NE(ReadSpectrumFile(path), -1) << path;
        std::ostringstream header;
        WriteHeaderText(header, path);
        EXPECT_EQ(header.str().find('\0'), std::string::npos) << path;
    }

    // ASCII with the headers, JCAMP-DX a file each, the GPS log, and the
    // colorimetry reports of every sample.
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmExport&>(dialog);
        form.Check3->setChecked(true);
        form.cmdExport->click();
        return 0;
    });
    window->ASCII();
    ui.Answer(vbNo);
    window->Jcamp();
    const fs::path log = TestFolder::Path() / "positions.txt";
    ui.Choose({log.string()});
    window->mnuGPSLog_Click();
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmColorimetry&>(dialog);
        form.chkSelectAll->click();
        form.cmdReport->click();
        form.close();
        return 0;
    });
    window->mnuColorimetry_Click();

    std::map<std::string, int> written;
    for (const auto& entry : fs::directory_iterator(OutputDirectory)) {
        ++written[entry.path().extension().string()];
        EXPECT_EQ(Text(entry.path()).find('\0'), std::string::npos) << entry.path();
    }
    EXPECT_EQ(written[".txt"], static_cast<int>(paths.size()));
    EXPECT_EQ(written[".dx"], static_cast<int>(paths.size()));
    EXPECT_GE(written[".col"], 1);
    ASSERT_TRUE(fs::exists(log));
    EXPECT_EQ(Text(log).find('\0'), std::string::npos);
}

// A positive longitude is west and a negative one east, in the header text,
// the GPS log and the header window alike.
TEST_F(Samples, OneHemisphereRuleForTheLongitude) {
    const std::map<std::string, std::pair<std::string, std::string>> expected = {
        {"leaf.002", {"E-832.502", ",832.5020,E,"}},
        {"meadow.003", {"W12144.4", ",12144.4000,W,"}}};
    Select({"leaf.002", "meadow.003"});

    const fs::path log = TestFolder::Path() / "positions.txt";
    ui.Choose({log.string()});
    window->mnuGPSLog_Click();
    const std::string records = Text(log);

    std::map<std::string, std::string> shown;
    ui.Drive([&shown](QDialog& dialog) {
        auto& form = static_cast<frmHeader&>(dialog);
        for (int row = 0; row < form.List1->count(); ++row) {
            form.List1->setCurrentRow(row);
            const std::string name = fs::path(form.ListedFileName).filename().string();
            shown[name] = form.Text11[1]->text().toStdString();
        }
        return 0;
    });
    Select({"leaf.002", "meadow.003"});
    window->mnuHeader_Click();

    for (const auto& [name, texts] : expected) {
        const auto& [display, record] = texts;
        const std::string path = std::string(LUMIVEX_SAMPLES_DIR) + "/" + name;
        ASSERT_NE(ReadSpectrumFile(path), -1);
        std::ostringstream header;
        WriteHeaderText(header, path);
        EXPECT_NE(header.str().find("\r\nGPS-Longitude is " + display + "\r\n"), std::string::npos)
            << name;
        EXPECT_NE(records.find(path + ",GPGGA,"), std::string::npos) << name;
        EXPECT_NE(records.find(record), std::string::npos) << name << records;
        EXPECT_EQ(shown[name], display);
    }
}

}  // namespace
