#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QEvent>
#include <QProgressBar>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/command_line.h"
#include "app/file_selection.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "frame/settings.h"
#include "ops/calibration/state.h"
#include "spectrum/state.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Keys of a profile file in the order they stand.
std::vector<std::string> KeysOf(const std::string& text) {
    std::vector<std::string> keys;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) {
            keys.push_back(line.substr(0, eq));
        }
    }
    return keys;
}

class App : public testing::Test {
protected:
    void SetUp() override {
        ResetSettingsState();
        ResetSpectrumState();
        CommandLineFiles.assign(1, "");
        CurrentInputPath.clear();
        ASSERT_EQ(GetSettingsFolder(SettingsFolder), 0);
    }

    std::unique_ptr<frmLVX> Start() { return std::make_unique<frmLVX>(); }

    ScriptedUi ui;
};

TEST(CommandLine, NamesAreSplitAtCommasAndTabsOnly) {
    std::vector<std::string> names;
    EXPECT_EQ(GetCommandLineArgs(names, {"a.001,b.001"}), 2);
    EXPECT_EQ(names, (std::vector<std::string>{"", "a.001", "b.001"}));
    EXPECT_EQ(GetCommandLineArgs(names, {"a.001\tb.001"}), 2);
    EXPECT_EQ(GetCommandLineArgs(names, {"a.001 b.001"}), 1);
    EXPECT_EQ(names[1], "a.001 b.001");
    EXPECT_EQ(GetCommandLineArgs(names, {",,\"my file.001\",\t,", "x.001"}), 2);
    EXPECT_EQ(names, (std::vector<std::string>{"", "my file.001", "x.001"}));
    std::vector<std::string> twelve;
    for (int i = 1; i <= 12; ++i) {
        twelve.push_back("f" + std::to_string(i));
    }
    EXPECT_EQ(GetCommandLineArgs(names, twelve), 10);
    EXPECT_EQ(names.back(), "f10");
    EXPECT_EQ(GetCommandLineArgs(names, {}), 0);
}

TEST_F(App, FirstStartCreatesTheFoldersAndEverySetting) {
    const fs::path folder = TestFolder::Path() / "config" / "ZEL" / "Lumivex";
    EXPECT_EQ(SettingsFolder, folder.string() + "/");
    EXPECT_TRUE(fs::is_directory(folder));
    auto window = Start();
    const std::string text = ReadText(folder / "lvx.ini");
    std::vector<std::string> expected{"InputDirectory", "OutputDirectory", "DerivativeGap"};
    for (int i = 0; i < 16; ++i) {
        expected.push_back("LineColor" + std::to_string(i));
        expected.push_back("LineType" + std::to_string(i));
    }
    expected.insert(expected.end(), {"FilterIndex", "LastPlotFormat", "LastPlotDeriv"});
    EXPECT_EQ(KeysOf(text), expected);
    EXPECT_NE(text.find("[LVXDATA]"), std::string::npos);
    EXPECT_NE(text.find("InputDirectory=" + SettingsFolder + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("OutputDirectory=" + SettingsFolder + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("DerivativeGap=7\r\n"), std::string::npos);
    EXPECT_NE(text.find("LineColor15=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("FilterIndex=0\r\n"), std::string::npos);
    EXPECT_TRUE(ui.Prompts.empty());

    // A second start reads the same values and writes the same file.
    window.reset();
    ResetSettingsState();
    ASSERT_EQ(GetSettingsFolder(SettingsFolder), 0);
    auto again = Start();
    EXPECT_EQ(InputDirectory, SettingsFolder);
    EXPECT_EQ(DerivativeGap, 7);
    EXPECT_EQ(FilterIndex, 0);
    EXPECT_EQ(ReadText(folder / "lvx.ini"), text);
}

TEST_F(App, HandBrokenSettingsAreRepaired) {
    const fs::path file = fs::path(SettingsFolder) / "lvx.ini";
    auto load = [&](const std::string& text) {
        WriteText(file, text);
        InputDirectory = OutputDirectory = "unset";
        DerivativeGap = -1;
        LoadSettings();
    };
    load(
        "[LVXDATA]\r\nInputDirectory=/in/\r\nOutputDirectory=/out\r\nDerivativeGap=5.5\r\n"
        "LineColor3=255\r\nFilterIndex=4\r\n");
    EXPECT_EQ(InputDirectory, "/in/");
    EXPECT_EQ(OutputDirectory, "/out");
    EXPECT_EQ(DerivativeGap, 6);
    EXPECT_EQ(LineColor[3], 255);
    EXPECT_EQ(FilterIndex, 4);
    load("[LVXDATA]\r\nInputDirectory=/in/\r\nOutputDirectory=/out\r\nDerivativeGap=4.5\r\n");
    EXPECT_EQ(DerivativeGap, 4);
    EXPECT_EQ(FilterIndex, 1);  // missing: its default
    load("[LVXDATA]\r\nInputDirectory=/in/\r\nOutputDirectory=/out\r\nDerivativeGap=abc\r\n");
    EXPECT_EQ(InputDirectory, SettingsFolder);
    EXPECT_EQ(OutputDirectory, SettingsFolder);
    EXPECT_EQ(DerivativeGap, 7);
    load("[LVXDATA]\r\nInputDirectory=/in/\r\nDerivativeGap=9\r\n");
    EXPECT_EQ(InputDirectory, SettingsFolder);
    EXPECT_EQ(DerivativeGap, 7);
    load("[LVXDATA]\r\nInputDirectory=\r\nOutputDirectory=/out\r\nDerivativeGap=9\r\n");
    EXPECT_EQ(OutputDirectory, SettingsFolder);
    load("[LVXDATA]\r\nInputDirectory=/in/\r\nOutputDirectory=/out\r\nDerivativeGap=99999\r\n");
    EXPECT_EQ(InputDirectory, SettingsFolder);
    load("[LVXDATA]\r\nInputDirectory=" + std::string(300, 'd') +
         "\r\nOutputDirectory=/out\r\nDerivativeGap=9\r\nLastPlotFormat=70000\r\n");
    EXPECT_EQ(InputDirectory, std::string(254, 'd'));
    EXPECT_EQ(LastPlotFormat, 0);
    EXPECT_TRUE(ui.Prompts.empty());
}

TEST_F(App, UnwritableSettingsFolderStillGivesUsableDirectories) {
    SettingsFolder = (TestFolder::Path() / "missing" / "deeper").string() + "/";
    LoadSettings();
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{"Error setting up DataDirectory in LVX.ini File"});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbCritical);
    EXPECT_EQ(OutputDirectory, SettingsFolder);
    EXPECT_EQ(DerivativeGap, 7);
}

TEST_F(App, BranLuebbeFlags) {
    WriteText(fs::path(SettingsFolder) / "bl.ini",
              "[Coefficients]\r\nUseMult=true\r\nUseAdd=-1\r\nCoefficientFile=c.txt\r\n"
              "[Model]\r\nPredict=yes\r\nModelFile=m.txt\r\n");
    ReadBranLuebbeSettings();
    EXPECT_TRUE(UseMult);
    EXPECT_TRUE(UseAdd);
    EXPECT_FALSE(Predict);
    EXPECT_EQ(CoefficientFile, "c.txt");
    EXPECT_EQ(ModelFile, "m.txt");
    UseMult = UseAdd = false;
    WriteText(fs::path(SettingsFolder) / "bl.ini",
              "[Coefficients]\r\nUseMult=TRUE\r\nUseAdd=\r\n[Model]\r\nPredict=0\r\n");
    ReadBranLuebbeSettings();
    EXPECT_TRUE(UseMult);
    EXPECT_FALSE(UseAdd);
    EXPECT_FALSE(Predict);
}

TEST_F(App, PlainFilesInTheWayOfTheSettingsFolder) {
    fs::remove_all(TestFolder::Path() / "config" / "ZEL");
    WriteText(TestFolder::Path() / "config" / "ZEL", "not a folder");
    std::string folder = "unchanged";
    EXPECT_NE(GetSettingsFolder(folder), 0);
    EXPECT_EQ(folder, "unchanged");
}

TEST_F(App, LoadSetsCaptionMenusAndState) {
    WriteText(fs::path(SettingsFolder) / "SaveGraph.bin", "old look");
    auto window = Start();
    EXPECT_EQ(window->windowTitle().toStdString(), "Lumivex    Version 1.0");
    EXPECT_EQ(VersionText, "1.0");
    EXPECT_EQ(SpliceGap, 5);
    EXPECT_FALSE(fs::exists(fs::path(SettingsFolder) / "SaveGraph.bin"));
    EXPECT_EQ(window->mnuInputDir->text().toStdString(), "Input Directory - " + InputDirectory);
    EXPECT_EQ(window->mnuOutputDir->text().toStdString(), "Output Directory - " + OutputDirectory);
    EXPECT_TRUE(window->mnuOpen->isEnabled());
    EXPECT_FALSE(window->mnuProcess->menuAction()->isEnabled());
    EXPECT_FALSE(window->mnuView->menuAction()->isEnabled());
    EXPECT_FALSE(window->mnuGraph->isEnabled());
    EXPECT_FALSE(window->mnuPpfd->isVisible());
    EXPECT_FALSE(window->mnuGraphRef->isVisible());
    EXPECT_EQ(window->Timer1->interval(), 1000);
    EXPECT_TRUE(window->Timer1->isActive());
}

TEST_F(App, StatusBarShowsFoldersAndWhetherTheyAgree) {
    auto window = Start();
    OutputDirectory = "/data/Out";
    CurrentInputPath = "/DATA/out";
    window->Timer1_Timer();
    EXPECT_EQ(window->StatusPanel2->text().toStdString(), "Input Path:   /DATA/out");
    EXPECT_EQ(window->StatusPanel3->text().toStdString(), "Output Path:   /data/Out");
    EXPECT_FALSE(window->StatusPanel1->text().isEmpty());
    const QDateTime when(QDate(2026, 12, 8), QTime(19, 7, 3));
    EXPECT_TRUE(GeneralDateTimeText(when).contains(":03"))
        << GeneralDateTimeText(when).toStdString();
    EXPECT_EQ(window->StatusPanel2Picture->pixmap().toImage(), window->Picture2.toImage());
    CurrentInputPath = "/data/out/";
    window->Timer1_Timer();
    EXPECT_EQ(window->StatusPanel2Picture->pixmap().toImage(), window->Picture1.toImage());
}

TEST_F(App, DroppedFilesAreAddedAndEnableTheMenus) {
    auto window = Start();
    window->List2_DragDrop({"/x/a.001", "/x/b.zel", "/x/c.001"});
    EXPECT_EQ(window->List2().ListCount(), 3);
    EXPECT_EQ(window->List2().List(1), "/x/b.zel");
    EXPECT_TRUE(HasEmbeddedReference);
    EXPECT_TRUE(window->mnuClose->isEnabled());
    EXPECT_TRUE(window->mnuProcess->menuAction()->isEnabled());
    EXPECT_TRUE(window->mnuFirstDerivative->isEnabled());
    window->mnuClose_Click();
    EXPECT_EQ(window->List2().ListCount(), 0);
    EXPECT_FALSE(window->mnuProcess->menuAction()->isEnabled());
    EXPECT_EQ(CurrentInputPath, InputDirectory);
}

TEST_F(App, CommandLineFilesOpenAtTheFirstPaintOnly) {
    auto window = Start();
    window->CommandLineCount = GetCommandLineArgs(CommandLineFiles, {"a.001,b.001"});
    window->Form_Paint();
    window->Form_Paint();
    ASSERT_EQ(window->List2().ListCount(), 2);
    // Relative names are taken from the folder the program started in.
    EXPECT_EQ(window->List2().List(1), (TestFolder::Path() / "b.001").string());
    EXPECT_TRUE(window->mnuProcess->menuAction()->isEnabled());
}

TEST_F(App, OpenDialogAddsFilesAndRemembersItsFilter) {
    const fs::path data = TestFolder::Path() / "data";
    fs::create_directories(data);
    auto window = Start();
    ui.Choose({(data / "a.zel").string(), (data / "b.001").string()}, 3);
    window->mnuOpen_Click();
    ASSERT_EQ(ui.Prompts.size(), 1u);
    EXPECT_EQ(ui.Prompts[0].title, "Select Input File(s)");
    EXPECT_EQ(ui.Prompts[0].flags, 0x381204);
    EXPECT_EQ(ui.Prompts[0].initDir, InputDirectory);
    EXPECT_EQ(window->List2().ListCount(), 2);
    EXPECT_EQ(window->List2().List(0), (data / "a.zel").string());
    EXPECT_EQ(CurrentInputPath, data.string());
    EXPECT_TRUE(HasEmbeddedReference);
    EXPECT_EQ(fs::current_path(), data);
    EXPECT_EQ(FilterIndex, 3);
    EXPECT_NE(ReadText(fs::path(SettingsFolder) / "lvx.ini").find("FilterIndex=3\r\n"),
              std::string::npos);

    ui.Choose({(data / "b.001").string()});
    window->mnuOpen_Click();
    EXPECT_EQ(window->List2().ListCount(), 3);
    EXPECT_FALSE(HasEmbeddedReference);

    // Cancel changes nothing but the remembered filter.
    ui.CancelFileDialog(5);
    window->mnuOpen_Click();
    EXPECT_EQ(window->List2().ListCount(), 3);
    EXPECT_EQ(FilterIndex, 5);
}

TEST_F(App, ResizeKeepsTheListAboveTheProgressBar) {
    auto window = Start();
    window->resize(600, 400);
    window->show();
    QApplication::processEvents();
    QListWidget* list = window->List2Box();
    EXPECT_EQ(list->y() + list->height(), window->ProgressBar1->y());
    EXPECT_EQ(list->width(), window->centralWidget()->width());
    window->resize(600, 60);  // smaller than the bars together
    QApplication::processEvents();
    EXPECT_GE(list->height(), 0);
}

// Counts the paintings of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int paints = 0;
};

TEST_F(App, TheProgressBarIsDrawnOnceForEachValueItMustShow) {
    auto window = Start();
    window->show();
    QApplication::processEvents();
    PaintCounter counter(window->ProgressBar1);
    // The first value, the last and 0 are drawn however fast they come, each
    // once and at once, with the value it shows.
    window->SetProgressMax(2);
    window->SetProgressValue(1);
    EXPECT_EQ(counter.paints, 1);
    window->SetProgressValue(2);
    EXPECT_EQ(counter.paints, 2);
    EXPECT_EQ(window->ProgressBar1->value(), 2);
    window->SetProgressValue(0);
    EXPECT_EQ(counter.paints, 3);
    EXPECT_EQ(window->ProgressBar1->value(), 0);
    EXPECT_TRUE(window->ProgressBar1->updatesEnabled());
    // The bar shows no text, so it has none to give; shown, it has its own.
    window->SetProgressValue(1);
    EXPECT_EQ(window->ProgressBar1->text(), QString());
    window->ProgressBar1->setTextVisible(true);
    EXPECT_TRUE(window->ProgressBar1->text().contains("50"));
    window->ProgressBar1->setTextVisible(false);
    window->SetProgressValue(0);

    // Between frames a value is taken but not drawn; should the event loop
    // run before the next frame, the bar is drawn there as it stands.
    window->SetProgressMax(1000);
    window->SetProgressValue(1);
    const int drawn = counter.paints;
    window->SetProgressValue(2);
    if (counter.paints == drawn) {  // not a frame's time later
        EXPECT_EQ(window->ProgressBar1->value(), 2);
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_TRUE(window->ProgressBar1->updatesEnabled());
        EXPECT_GT(counter.paints, drawn);
    }
}

}  // namespace
