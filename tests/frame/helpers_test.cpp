#include "frame/helpers.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "frame/settings.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/test_folder.h"

namespace {

constexpr const char* TextFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";

class SaveDialogTest : public testing::Test {
protected:
    void SetUp() override {
        OutputDirectory = (TestFolder::Path() / "out").string();
        // Left over from an earlier use of the shared control.
        host.Dialog.FileName = "old.txt";
        host.Dialog.FilterIndex = 2;
        host.Dialog.InitDir = "/elsewhere";
        host.Dialog.Flags = cdlOFNAllowMultiselect | cdlOFNFileMustExist;
        host.Dialog.CancelError = false;
    }
    void TearDown() override { ResetSettingsState(); }

    ScriptedUi ui;
    MemoryBatchHost host;
};

TEST_F(SaveDialogTest, StartsOverInTheOutputDirectoryAndReturnsTheChoice) {
    const std::string chosen = (TestFolder::Path() / "out" / "stats.txt").string();
    ui.Choose({chosen});
    EXPECT_EQ(ShowSaveDialog("Select Median File", TextFilter, "txt"), chosen);

    ASSERT_EQ(ui.Prompts.size(), 1u);
    const ScriptedUi::Prompt& shown = ui.Prompts[0];
    EXPECT_EQ(shown.kind, ScriptedUi::Kind::SaveFile);
    EXPECT_EQ(shown.title, "Select Median File");
    EXPECT_EQ(shown.initDir, OutputDirectory);
    EXPECT_EQ(shown.filter, TextFilter);
    EXPECT_EQ(shown.defaultText, "");
    EXPECT_EQ(shown.flags, 0x380004);
    EXPECT_EQ(host.Dialog.DefaultExt, "txt");
    EXPECT_EQ(host.Dialog.FilterIndex, 1);
    EXPECT_TRUE(host.Dialog.CancelError);
}

TEST_F(SaveDialogTest, OverwritePromptAddsTheDialogsOwnQuestion) {
    ui.Choose({(TestFolder::Path() / "a.txt").string()});
    ShowSaveDialog("t", TextFilter, "txt", true);
    ASSERT_EQ(ui.Prompts.size(), 1u);
    EXPECT_EQ(ui.Prompts[0].flags, 0x380006);
}

TEST_F(SaveDialogTest, CancelGivesTheEmptyText) {
    ui.CancelFileDialog(2);
    EXPECT_EQ(ShowSaveDialog("t", TextFilter, "txt"), "");
    EXPECT_EQ(host.Dialog.FileName, "");
}

TEST(SaveDialog, WithoutAMainWindowGivesTheEmptyText) {
    ScriptedUi ui;
    EXPECT_EQ(ShowSaveDialog("t", TextFilter, "txt"), "");
    EXPECT_TRUE(ui.Prompts.empty());
}

TEST(GetArrayMinMax, ScansUpToUpperOnly) {
    double low = 0, high = 0;
    GetArrayMinMax({5, 2, 9}, 2, low, high);
    EXPECT_EQ(low, 2);
    EXPECT_EQ(high, 9);
    GetArrayMinMax({5, 2, 9}, 1, low, high);
    EXPECT_EQ(low, 2);
    EXPECT_EQ(high, 5);
    GetArrayMinMax({5, 2, 9}, -1, low, high);
    EXPECT_EQ(low, 5);
    EXPECT_EQ(high, 5);
    GetArrayMinMax({-3}, 0, low, high);
    EXPECT_EQ(low, -3);
    EXPECT_EQ(high, -3);
}

TEST(GetArrayMinMax, OutsideTheArrayThrowsAndChangesNothing) {
    double low = 7, high = 8;
    EXPECT_THROW(GetArrayMinMax({}, 0, low, high), std::out_of_range);
    EXPECT_THROW(GetArrayMinMax({}, -1, low, high), std::out_of_range);
    EXPECT_THROW(GetArrayMinMax({1, 2, 3}, 3, low, high), std::out_of_range);
    EXPECT_EQ(low, 7);
    EXPECT_EQ(high, 8);
}

}  // namespace
