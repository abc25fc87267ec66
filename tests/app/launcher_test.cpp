#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QProgressBar>
#include <filesystem>
#include <numeric>

#include "app/main_window.h"
#include "frame/settings.h"
#include "platform/ui/qt_ui.h"
#include "spectrum/state.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

class Launchers : public testing::Test {
protected:
    void SetUp() override {
        ResetSettingsState();
        ResetSpectrumState();
        SettingsFolder = (TestFolder::Path() / "config").string() + "/";
        window = std::make_unique<frmLVX>();
        fs::create_directories("out");
        OutputDirectory = (TestFolder::Path() / "out").string();
        for (const char* name : {"a.001", "b.001", "c.001", "d.001", "e.001"}) {
            window->List2().AddItem(fs::absolute(MakeSpectrum(2, {50}).WriteTo(name)).string());
        }
        window->EnableProcessMenus();
    }
    std::string Output(const std::string& name) { return OutputDirectory + "/" + name; }

    ScriptedUi ui;
    std::unique_ptr<frmLVX> window;
};

TEST_F(Launchers, OnlyTheSelectedEntriesInListOrder) {
    window->List2Box()->item(3)->setSelected(true);
    window->List2Box()->item(1)->setSelected(true);
    window->Reflectance();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed"});
    ASSERT_EQ(window->List2().ListCount(), 2);
    EXPECT_EQ(window->List2().List(0), Output("b.001.ref"));
    EXPECT_EQ(window->List2().List(1), Output("d.001.ref"));
    EXPECT_EQ(window->List1().ListCount(), 0);
    EXPECT_TRUE(window->mnuProcess->menuAction()->isEnabled());
}

TEST_F(Launchers, NothingSelectedMeansEveryEntry) {
    window->Reflectance();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"5 Files Processed"});
    EXPECT_EQ(window->List2().ListCount(), 5);
}

TEST_F(Launchers, AnEmptyListDoesNothingAndAnEmptiedListResetsTheMenus) {
    window->mnuClose_Click();
    window->Reflectance();
    EXPECT_TRUE(ui.Prompts.empty());

    // A run that leaves the visible list empty ends with the menus reset.
    window->List2().AddItem("/nowhere/missing.001");
    window->EnableProcessMenus();
    window->Reflectance();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_EQ(window->List2().ListCount(), 1);
    window->List2().Clear();
    window->TidyUp();
    EXPECT_FALSE(window->mnuProcess->menuAction()->isEnabled());
}

TEST_F(Launchers, NedlNeedsThirtyFiles) {
    for (int i = 5; i < 29; ++i) {
        window->List2().AddItem("/data/more" + std::to_string(i) + ".001");
    }
    window->Nedl();
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{"NEDL operations require at least 30 files!"});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(window->List1().ListCount(), 0);
    EXPECT_EQ(window->List2().ListCount(), 29);
}

TEST_F(Launchers, StatisticsNeedTwoFiles) {
    window->List2Box()->item(0)->setSelected(true);
    window->Stats();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{
                                 "Statistical operations can't be performed on a single file!"});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(window->List1().ListCount(), 0);
}

TEST_F(Launchers, NedlStartsWithThirtyFiles) {
    for (int i = 5; i < 30; ++i) {
        window->List2().AddItem("/data/more" + std::to_string(i) + ".001");
    }
    ui.CancelFileDialog();  // the run asks for the NEDL file's name at the first file
    window->Nedl();
    ASSERT_FALSE(ui.Prompts.empty());
    EXPECT_EQ(ui.Prompts[0].kind, ScriptedUi::Kind::SaveFile);
    EXPECT_EQ(window->List1().ListCount(), 0);
}

TEST_F(Launchers, SpliceCorrectionAsksForTheGapEvenWithNothingToCorrect) {
    window->mnuClose_Click();
    bool shown = false;
    ui.Drive([&](QDialog& dialog) {
        shown = true;
        dialog.reject();
        return dialog.result();
    });
    window->SCorr();
    EXPECT_TRUE(shown);
    EXPECT_EQ(ui.Prompts.size(), 1u);
}

TEST_F(Launchers, StatisticsCancelledRunsNothing) {
    ui.Drive([](QDialog& dialog) {
        dialog.reject();
        return dialog.result();
    });
    window->Stats();
    EXPECT_EQ(ui.Prompts.size(), 1u);
    EXPECT_EQ(window->List1().ListCount(), 0);
    EXPECT_EQ(window->List2().ListCount(), 5);
}

TEST_F(Launchers, CustomWithTheWrongNumberOfCorrespondingFilesStops) {
    window->Custom(0, 0, "", -1);
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{
                  "You have not selected the correct number of corresponding files"});
    EXPECT_EQ(IconOf(ui.Prompts[0].buttons), vbInformation);
    EXPECT_EQ(window->List1().ListCount(), 5);  // no tidy-up on this path
}

TEST_F(Launchers, MenuItemsStartTheirOperations) {
    window->List2Box()->item(0)->setSelected(true);
    window->mnuLog->trigger();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(window->List2().List(0), Output("a.001.abs"));
}

// The program's own interface with its message boxes answered OK, so that the
// real pointer and the real event handling are what a run meets.
class AnsweredQtUi : public QtUserInterface {
public:
    int MsgBox(const std::string& prompt, int, const std::string&) override {
        Messages.push_back(prompt);
        return vbOK;
    }
    std::vector<std::string> Messages;
};

TEST(LauncherOnScreen, ALongRunTakesEveryValueAndEndsWithBarAndPointerAtRest) {
    ResetSettingsState();
    ResetSpectrumState();
    AnsweredQtUi ui;
    UserInterface* previous = InstallUserInterface(&ui);
    SettingsFolder = (TestFolder::Path() / "config").string() + "/";
    {
        frmLVX window;
        ui.Parent = &window;
        window.show();
        fs::create_directories("in");
        fs::create_directories("out");
        OutputDirectory = (TestFolder::Path() / "out").string();
        const auto bytes = MakeSpectrum(2, {50, 60}).Bytes();
        std::vector<std::string> inputs;
        for (int i = 0; i < 500; ++i) {
            inputs.push_back(fs::absolute("in/s" + std::to_string(i) + ".001").string());
            WriteBytes(inputs.back(), bytes);
        }
        window.List2().AddItems(inputs);
        window.EnableProcessMenus();

        std::vector<int> values;
        int underHourglass = 0;
        QObject::connect(window.ProgressBar1, &QProgressBar::valueChanged, [&](int value) {
            values.push_back(value);
            const QCursor* pointer = QGuiApplication::overrideCursor();
            if (pointer != nullptr && pointer->shape() == Qt::WaitCursor) {
                ++underHourglass;
            }
        });
        window.Reflectance();

        EXPECT_EQ(ui.Messages, std::vector<std::string>{"500 Files Processed"});
        std::vector<int> expected(500);
        std::iota(expected.begin(), expected.end(), 1);
        expected.push_back(0);
        EXPECT_EQ(values, expected);
        EXPECT_GE(underHourglass, 500);
        EXPECT_EQ(window.ProgressBar1->value(), 0);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        ASSERT_EQ(window.List2().ListCount(), 500);
        EXPECT_EQ(window.List2().List(499), OutputDirectory + "/s499.001.ref");
        EXPECT_EQ(window.List1().ListCount(), 0);
    }
    InstallUserInterface(previous);
}

}  // namespace
