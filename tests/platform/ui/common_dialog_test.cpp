#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ui/common_dialog.h"
#include "support/scripted_ui.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

CommonDialog OpenDialog() {
    CommonDialog dialog;
    dialog.CancelError = true;
    dialog.DialogTitle = "Select Input File(s)";
    dialog.Filter = "ZEL Varnel Files (*.zel)|*.zel|All Files (*.*)|*.*";
    dialog.FilterIndex = 1;
    dialog.Flags = 0x381204;
    return dialog;
}

TEST(CommonDialog, CancelIsTheCancelErrorWhenAskedFor) {
    ScriptedUi ui;
    ui.CancelFileDialog(2);
    CommonDialog dialog = OpenDialog();
    try {
        dialog.ShowOpen();
        FAIL() << "Cancel should raise";
    } catch (const CommonDialogCancel& cancel) {
        EXPECT_EQ(cancel.Number, 32755);
    }
    // The filter the user switched to is reported even on Cancel.
    EXPECT_EQ(dialog.FilterIndex, 2);

    ui.CancelFileDialog();
    dialog.CancelError = false;
    dialog.FileName = "old";
    EXPECT_NO_THROW(dialog.ShowSave());
    EXPECT_EQ(dialog.FileName, "");
    ASSERT_EQ(ui.Prompts.size(), 2u);
    EXPECT_EQ(ui.Prompts[1].kind, ScriptedUi::Kind::SaveFile);
}

TEST(CommonDialog, SeveralFilesComeBackAsFolderAndNamesAndMoveTheCurrentFolder) {
    const fs::path data = TestFolder::Path() / "data";
    fs::create_directories(data);
    ScriptedUi ui;
    ui.Choose({(data / "a.001").string(), (data / "b.zel").string()});
    CommonDialog dialog = OpenDialog();
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName, data.string() + std::string("\0a.001\0b.zel", 12));
    EXPECT_EQ(fs::current_path(), data);
    EXPECT_EQ(ui.Prompts[0].text, "Select Input File(s)");
    EXPECT_EQ(ui.Prompts[0].flags, 0x381204);
}

TEST(CommonDialog, OneFileIsItsFullPathAndNoChangeDirKeepsTheFolder) {
    const fs::path here = fs::current_path();
    ScriptedUi ui;
    ui.Choose({"/somewhere/else/x.001"});
    CommonDialog dialog = OpenDialog();
    dialog.Flags |= cdlOFNNoChangeDir;
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName, "/somewhere/else/x.001");
    EXPECT_EQ(fs::current_path(), here);
}

TEST(CommonDialog, FilterPairs) {
    CommonDialog dialog;
    dialog.Filter = "Ascii Files (*.txt)|*.txt|All Files (*.*)|*.*";
    const auto pairs = dialog.FilterPairs();
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].first, "Ascii Files (*.txt)");
    EXPECT_EQ(pairs[1].second, "*.*");
    dialog.Filter = "";
    EXPECT_TRUE(dialog.FilterPairs().empty());
    dialog.Filter = "dangling";  // a description without a pattern is dropped
    EXPECT_TRUE(dialog.FilterPairs().empty());
}

TEST(ScriptedUi, RecordsMessagesAndAnswersInOrder) {
    ScriptedUi ui;
    ui.Answer(vbNo).Type("7");
    MsgBox("Done\rreally", vbOKOnly + vbInformation);
    EXPECT_EQ(MsgBox("Overwrite?", vbYesNo + vbQuestion + vbDefaultButton2, "Lumivex"), vbNo);
    EXPECT_EQ(InputBox("Gap?", "Lumivex", "5"), "7");
    ASSERT_EQ(ui.Prompts.size(), 3u);
    EXPECT_EQ(ui.Prompts[0].text, "Done\rreally");  // a lone CR is kept as given
    EXPECT_EQ(ui.Prompts[0].title, "Lumivex");
    EXPECT_EQ(IconOf(ui.Prompts[1].buttons), vbQuestion);
    EXPECT_EQ(DefaultButtonOf(ui.Prompts[1].buttons), vbDefaultButton2);
    EXPECT_EQ(ui.Prompts[2].defaultText, "5");
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Done\rreally", "Overwrite?"}));
}

TEST(ScriptedUi, AQuestionWithoutAnAnswerFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            MsgBox("Skip This File?", vbYesNo);
        },
        "unexpected prompt");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            ui.Answer(vbYes);
        },
        "never asked for");
}

TEST(ScriptedUi, MousePointerAndDoEvents) {
    ScriptedUi ui;
    SetMousePointer(vbHourglass);
    EXPECT_TRUE(ui.Waiting);
    SetMousePointer(vbDefault);
    EXPECT_FALSE(ui.Waiting);
    DoEvents();
    EXPECT_EQ(ui.DoEventsCount, 1);
}

}  // namespace
