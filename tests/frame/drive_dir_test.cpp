#include "frame/drive_dir.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "platform/shell/paths.h"
#include "support/scripted_ui.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

class DriveDirTest : public testing::Test {
protected:
    void SetUp() override {
        start = (TestFolder::Path() / "data").string();
        fs::create_directories(fs::path(start) / "beta");
        fs::create_directories(fs::path(start) / "Alpha" / "deep");
        fs::create_directories(fs::path(start) / ".cache");
    }

    std::vector<std::string> Shown(const frmDriveDir& dialog) const {
        std::vector<std::string> texts;
        for (int row = 0; row < dialog.Dir1()->count(); ++row) {
            texts.push_back(dialog.Dir1()->item(row)->text().trimmed().toStdString());
        }
        return texts;
    }

    void Open(frmDriveDir& dialog, const std::string& folder) {
        QListWidgetItem* item = dialog.Dir1Entry(folder);
        ASSERT_NE(item, nullptr) << folder;
        emit dialog.Dir1()->itemActivated(item);
    }

    ScriptedUi ui;
    std::string start;
};

TEST_F(DriveDirTest, StartsInTheDefaultDirShowingItsPathAndSubfolders) {
    frmDriveDir dialog;
    EXPECT_EQ(dialog.windowTitle(), "New Directory Path");
    EXPECT_EQ(dialog.Label1()->text(), "Please Select a Directory");
    EXPECT_EQ(dialog.Command1(0)->text(), "&OK");
    EXPECT_EQ(dialog.Command1(1)->text(), "&Cancel");

    dialog.setDefaultDir(start + "/");
    EXPECT_EQ(dialog.DefaultDir(), start + "/");
    EXPECT_EQ(dialog.Dir1Path(), start);

    const std::vector<std::string> shown = Shown(dialog);
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown.front(), "/");
    // The folder itself, then its subfolders without the dot-folders.
    EXPECT_EQ(std::vector<std::string>(shown.end() - 3, shown.end()),
              (std::vector<std::string>{"data", "Alpha", "beta"}));
    EXPECT_EQ(dialog.Dir1()->currentItem(), dialog.Dir1Entry(start));
    EXPECT_EQ(dialog.Drive1()->currentText(), "/");
    EXPECT_TRUE(ui.Prompts.empty());
}

TEST_F(DriveDirTest, HighlightedSubfolderIsTakenByOk) {
    frmDriveDir dialog;
    dialog.setDefaultDir(start);
    ui.Drive([&](QDialog& shown) {
        auto& chooser = dynamic_cast<frmDriveDir&>(shown);
        chooser.Command1(0)->click();
        return shown.result();
    });
    // Nothing highlighted but the folder itself: OK keeps it.
    ShowModal(dialog);
    EXPECT_EQ(dialog.Dir1Path(), start);

    dialog.Dir1()->setCurrentItem(dialog.Dir1Entry(start + "/beta"));
    dialog.Command1(0)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Dir1Path(), start + "/beta");

    // An ancestor works the same way.
    dialog.Dir1()->setCurrentItem(dialog.Dir1Entry(TestFolder::Path().string()));
    dialog.Command1(0)->click();
    EXPECT_EQ(dialog.Dir1Path(), TestFolder::Path().string());
}

TEST_F(DriveDirTest, OpeningAFolderThenCancelOrEscReturnsToTheDefaultDir) {
    frmDriveDir dialog;
    dialog.setDefaultDir(start);
    Open(dialog, start + "/Alpha");
    EXPECT_EQ(dialog.Dir1Path(), start + "/Alpha");
    EXPECT_NE(dialog.Dir1Entry(start + "/Alpha/deep"), nullptr);
    dialog.Command1(1)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Dir1Path(), start);

    // The user's way in: a double click on the entry.
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QListWidgetItem* beta = dialog.Dir1Entry(start + "/beta");
    ASSERT_NE(beta, nullptr);
    const QPoint at = dialog.Dir1()->visualItemRect(beta).center();
    QTest::mouseClick(dialog.Dir1()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(dialog.Dir1Path(), start);
    QTest::mouseDClick(dialog.Dir1()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(dialog.Dir1Path(), start + "/beta");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Dir1Path(), start);
    EXPECT_TRUE(ui.Prompts.empty());
}

TEST_F(DriveDirTest, MissingEmptyOrFileDefaultDirStartsInTheProgramFolder) {
    std::ofstream(TestFolder::Path() / "file.001") << "x";
    for (const std::string& bad :
         {std::string(), start + "/missing", (TestFolder::Path() / "file.001").string()}) {
        frmDriveDir dialog;
        dialog.setDefaultDir(bad);
        EXPECT_EQ(dialog.Dir1Path(), ProgramFolder()) << bad;
        // Cancel cannot go back to it and silently stays.
        Open(dialog, fs::path(ProgramFolder()).parent_path().string());
        dialog.Command1(1)->click();
        EXPECT_EQ(dialog.Dir1Path(), fs::path(ProgramFolder()).parent_path().string()) << bad;
    }
    EXPECT_TRUE(ui.Prompts.empty());
}

TEST_F(DriveDirTest, UnreadableDriveWarnsOnceAndFallsBackToTheProgramFolder) {
    frmDriveDir dialog;
    dialog.setDefaultDir(start);
    // A medium that was listed but has been taken out since.
    dialog.Drive1()->addItem("/media/no-such-card");
    dialog.Drive1()->setCurrentIndex(dialog.Drive1()->count() - 1);

    ASSERT_EQ(ui.Prompts.size(), 1u);
    EXPECT_EQ(ui.Prompts[0].text, "Path is unavailable or non-existent,  please re-select");
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(ui.Prompts[0].title, "Lumivex");
    EXPECT_EQ(dialog.Dir1Path(), ProgramFolder());
    EXPECT_EQ(dialog.Drive1()->findText("/media/no-such-card"), -1);
    EXPECT_TRUE(ProgramFolder().starts_with(dialog.Drive1()->currentText().toStdString()));
}

TEST_F(DriveDirTest, ChoosingTheRootDriveListsIt) {
    frmDriveDir dialog;
    dialog.setDefaultDir(start);
    const int root = dialog.Drive1()->findText("/");
    ASSERT_GE(root, 0);
    dialog.Drive1()->setCurrentIndex(-1);
    dialog.Drive1()->setCurrentIndex(root);
    EXPECT_EQ(dialog.Dir1Path(), "/");
    EXPECT_EQ(Shown(dialog).front(), "/");
    EXPECT_TRUE(ui.Prompts.empty());
}

TEST_F(DriveDirTest, AFolderGoneBeforeItIsOpenedWarnsAndStays) {
    frmDriveDir dialog;
    dialog.setDefaultDir(start);
    fs::remove(fs::path(start) / "beta");
    Open(dialog, start + "/beta");
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(dialog.Dir1Path(), start);
    EXPECT_EQ(dialog.Dir1Entry(start + "/beta"), nullptr);
}

TEST(DriveRoots, RootFirstThenExistingFoldersOnly) {
    const std::vector<std::string> roots = DriveRoots();
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(roots.front(), "/");
    for (const std::string& root : roots) {
        EXPECT_TRUE(fs::is_directory(root)) << root;
    }
}

}  // namespace
