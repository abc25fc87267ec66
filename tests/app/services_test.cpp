// The commands that hand over to the export and viewing subsystems, with
// stand-ins for those subsystems.

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "frame/services.h"
#include "frame/settings.h"
#include "spectrum/state.h"
#include "support/scripted_ui.h"
#include "support/test_folder.h"
#include "views/state.h"

namespace {

class HandOver : public testing::Test {
protected:
    void SetUp() override {
        ResetSettingsState();
        ResetSpectrumState();
        SettingsFolder = (TestFolder::Path() / "config").string() + "/";
        Exports = {};
        Views = {};
    }
    void TearDown() override {
        Exports = {};
        Views = {};
    }
    std::unique_ptr<frmLVX> Window(int files) {
        auto window = std::make_unique<frmLVX>();
        for (int i = 0; i < files; ++i) {
            window->List2().AddItem("/data/f" + std::to_string(i) + ".001");
        }
        return window;
    }

    ScriptedUi ui;
    std::vector<std::string> calls;
};

TEST_F(HandOver, ItemsWithoutTheirSubsystemStayOutOfTheMenu) {
    auto window = Window(0);
    EXPECT_FALSE(window->mnuFRJcamp->isVisible());
    EXPECT_FALSE(window->mnuGraph->isVisible());
    Exports.ExportJcampFiles = [] {};
    Exports.ExportJcampMultiFile = [] {};
    auto later = Window(0);
    EXPECT_TRUE(later->mnuFRJcamp->isVisible());
    EXPECT_FALSE(later->mnuBra->isVisible());
}

TEST_F(HandOver, JcampAsksAboutOneFileForSeveral) {
    Exports.ExportJcampFiles = [this] { calls.push_back("each"); };
    Exports.ExportJcampMultiFile = [this] { calls.push_back("single"); };
    auto window = Window(3);
    ui.Answer(vbYes).Answer(vbNo).Answer(vbCancel);
    window->Jcamp();
    window->Jcamp();
    window->Jcamp();
    EXPECT_EQ(calls, (std::vector<std::string>{"single", "each"}));
    ASSERT_EQ(ui.Prompts.size(), 3u);
    EXPECT_EQ(ui.Prompts[0].text,
              "Lumivex can create a single JCAMP-DX file from all the selected files\r\n\r\n"
              "Would you like to make a single file");
    EXPECT_EQ(ui.Prompts[0].buttons, vbYesNoCancel + vbInformation + vbDefaultButton2);
    EXPECT_EQ(window->List1().ListCount(), 0);

    // One file: no question.
    auto one = Window(1);
    one->Jcamp();
    EXPECT_EQ(calls.back(), "each");
    EXPECT_EQ(ui.Prompts.size(), 3u);
}

TEST_F(HandOver, JcampHoldsTheHourglassAroundTheExportWhateverTheCount) {
    bool waitedDuringExport = false;
    Exports.ExportJcampFiles = [&] { waitedDuringExport = ui.Waiting; };
    Exports.ExportJcampMultiFile = [&] { waitedDuringExport = ui.Waiting; };
    for (int files : {1, 2}) {
        waitedDuringExport = false;
        if (files >= 2) {
            ui.Answer(vbYes);
        }
        auto window = Window(files);
        window->Jcamp();
        EXPECT_TRUE(waitedDuringExport) << files << " file(s)";
        EXPECT_FALSE(ui.Waiting);
    }
}

TEST_F(HandOver, GraphStartsFromTheRawDisplayWhateverHappens) {
    int16_t curves = -1;
    Views.InitGraph = [&](int16_t n) { curves = n; };
    Views.PlotSpectra = [this] {
        calls.push_back("plot");
        return false;
    };
    Views.ShowGraph = [this] { calls.push_back("show"); };
    Views.ShowFormatMenu = [this] { calls.push_back("format"); };
    auto window = Window(3);
    PlotFormat = 4;
    PlotDeriv = 2;
    HasEmbeddedReference = true;
    window->List2Box()->item(1)->setSelected(true);
    window->mnuGraph_Click();
    EXPECT_EQ(curves, 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"plot", "format"}));  // not shown: a file failed
    EXPECT_EQ(PlotFormat, 0);
    EXPECT_EQ(PlotDeriv, 0);
    EXPECT_FALSE(HasEmbeddedReference);
    EXPECT_EQ(GraphMinWavelength, 2500);
    EXPECT_EQ(GraphMaxWavelength, 350);
    // The graph keeps drawing from the work list.
    EXPECT_EQ(window->List1().List(0), "/data/f1.001");
}

TEST_F(HandOver, HeaderClearsTheWorkListAndGpsLogKeepsIt) {
    Views.ShowHeaderWindow = [this] { calls.push_back("header"); };
    Exports.CreateGpsLogFile = [this] { calls.push_back("gps"); };
    auto window = Window(2);
    window->mnuHeader_Click();
    EXPECT_EQ(window->List1().ListCount(), 0);
    window->mnuGPSLog_Click();
    EXPECT_EQ(window->List1().ListCount(), 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"header", "gps"}));
}

TEST_F(HandOver, ColorimetryGetsTheChosenFilesAndAnErrorDoesNotEscape) {
    std::vector<std::string> seen;
    Views.ShowColorimetryWindow = [&](const std::vector<std::string>& files) {
        seen = files;
        throw std::runtime_error("no colour today");
    };
    auto window = Window(3);
    window->List2Box()->item(2)->setSelected(true);
    window->mnuColorimetry_Click();
    EXPECT_EQ(seen, std::vector<std::string>{"/data/f2.001"});
    EXPECT_EQ(window->List1().ListCount(), 0);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"no colour today"});
}

TEST_F(HandOver, ColorimetryHourglassIsTheMainWindowsOwn) {
    auto window = Window(1);
    Qt::CursorShape during = Qt::ArrowCursor;
    bool programWaiting = true;
    Views.ShowColorimetryWindow = [&](const std::vector<std::string>&) {
        during = window->cursor().shape();
        programWaiting = ui.Waiting;
    };
    window->mnuColorimetry_Click();
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_FALSE(programWaiting);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
