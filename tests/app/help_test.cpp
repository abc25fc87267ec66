#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QThread>
#include <filesystem>
#include <fstream>

#include "app/help.h"
#include "app/main_window.h"
#include "frame/drive_dir.h"
#include "frame/settings.h"
#include "platform/shell/paths.h"
#include "support/scripted_ui.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(AboutBox, ShowsNameAndFullVersion) {
    VersionText = "1.0";
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About Lumivex");
    EXPECT_EQ(about.lblTitle->text(), "Lumivex");
    EXPECT_EQ(about.lblVersion->text(), "Version 1.0.0");
    EXPECT_EQ(about.lblTitle->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    about.cmdOK->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

// The Help menu passes the program's folder; these tests pass a folder of their
// own, as tests of one program run side by side.
class UsersGuide : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(Folder()); }
    static std::string Folder() { return (TestFolder::Path() / "program").string(); }
    ScriptedUi ui;
};

TEST_F(UsersGuide, MissingGuideIsReported) {
    ShowUsersGuide("Lumivex.pdf", Folder());
    ASSERT_EQ(ui.Messages(), std::vector<std::string>{"Lumivex.pdf file not found."});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
}

TEST_F(UsersGuide, WithoutARegisteredReaderTheUserIsTold) {
    std::ofstream(fs::path(Folder()) / "Lumivex.pdf") << "%PDF-1.4\n";
    const std::string oldPath = getenv("PATH");
    setenv("PATH", TestFolder::Path().c_str(), 1);  // no xdg-mime to ask
    ShowUsersGuide("Lumivex.pdf", Folder());
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"PDF Reader not found."});
}

// A stand-in for the desktop's registry and reader: the reader copies the
// guide it is given, relative to its working folder, to opened-guide.pdf.
class FakeReader {
public:
    FakeReader() : oldPath_(getenv("PATH")) {
        const fs::path bin = TestFolder::Path() / "bin";
        fs::create_directories(bin);
        std::ofstream(bin / "xdg-mime") << "#!/bin/sh\n"
                                           "[ \"$2\" = filetype ] && echo application/pdf\n"
                                           "[ \"$2\" = default ] && echo test-reader.desktop\n"
                                           "exit 0\n";
        fs::permissions(bin / "xdg-mime", fs::perms::owner_all);
        const fs::path apps = TestFolder::Path() / "data" / "applications";
        fs::create_directories(apps);
        std::ofstream(apps / "test-reader.desktop")
            << "[Desktop Entry]\nType=Application\nName=Reader\nExec=cp %f opened-guide.pdf\n";
        setenv("PATH", (bin.string() + ":" + oldPath_).c_str(), 1);
        setenv("XDG_DATA_HOME", (TestFolder::Path() / "data").c_str(), 1);
    }
    ~FakeReader() {
        setenv("PATH", oldPath_.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
    }
    FakeReader(const FakeReader&) = delete;
    FakeReader& operator=(const FakeReader&) = delete;

    static bool Opened(const fs::path& folder) {
        const fs::path opened = folder / "opened-guide.pdf";
        for (int i = 0; i < 100 && !fs::exists(opened); ++i) {
            QThread::msleep(20);
        }
        return fs::exists(opened);
    }

private:
    std::string oldPath_;
};

TEST_F(UsersGuide, TheRegisteredReaderOpensTheGuideInItsFolder) {
    std::ofstream(fs::path(Folder()) / "Lumivex.pdf") << "%PDF-1.4\n";
    FakeReader reader;
    ShowUsersGuide("Lumivex.pdf", Folder());
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_TRUE(FakeReader::Opened(Folder()));
}

// A build tree keeps the guide beside the program; an installed program finds
// it in the documents folder of its prefix.
TEST_F(UsersGuide, FolderIsTheProgramsOwnThenTheInstalledDocuments) {
    const fs::path prefix = TestFolder::Path() / "prefix";
    const fs::path bin = prefix / "bin";
    const fs::path docs = prefix / "share" / "lumivex";
    fs::create_directories(bin);
    fs::create_directories(docs);
    EXPECT_EQ(UsersGuideFolder("Lumivex.pdf", bin.string()), bin.string());

    std::ofstream(docs / "Lumivex.pdf") << "%PDF-1.4\n";
    EXPECT_EQ(fs::path(UsersGuideFolder("Lumivex.pdf", bin.string())), docs);

    std::ofstream(bin / "Lumivex.pdf") << "%PDF-1.4\n";
    EXPECT_EQ(UsersGuideFolder("Lumivex.pdf", bin.string()), bin.string());

    // A folder of that name is not a guide.
    fs::remove(bin / "Lumivex.pdf");
    fs::remove(docs / "Lumivex.pdf");
    fs::create_directories(docs / "Lumivex.pdf");
    EXPECT_EQ(UsersGuideFolder("Lumivex.pdf", bin.string()), bin.string());
}

TEST_F(UsersGuide, InstalledProgramOpensTheInstalledGuideOrSaysItIsMissing) {
    const fs::path bin = TestFolder::Path() / "prefix" / "bin";
    const fs::path docs = TestFolder::Path() / "prefix" / "share" / "lumivex";
    fs::create_directories(bin);
    fs::create_directories(docs);
    std::ofstream(docs / "Lumivex.pdf") << "%PDF-1.4\n";
    FakeReader reader;
    ShowUsersGuide("Lumivex.pdf", UsersGuideFolder("Lumivex.pdf", bin.string()));
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_TRUE(FakeReader::Opened(docs));

    fs::remove(docs / "Lumivex.pdf");
    ShowUsersGuide("Lumivex.pdf", UsersGuideFolder("Lumivex.pdf", bin.string()));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Lumivex.pdf file not found."});
}

class DirectoryCommands : public testing::Test {
protected:
    void SetUp() override {
        ResetSettingsState();
        SettingsFolder = (TestFolder::Path() / "config").string() + "/";
        fs::create_directories(TestFolder::Path() / "out" / "sub");
    }
    ScriptedUi ui;
};

TEST_F(DirectoryCommands, ChoosingTheOutputFolderAsInputAsksToAlign) {
    frmLVX window;
    const std::string out = (TestFolder::Path() / "out").string();
    OutputDirectory = out;
    ui.Drive([&](QDialog& dialog) {
          auto& drive = static_cast<frmDriveDir&>(dialog);
          EXPECT_EQ(drive.DefaultDir(), InputDirectory);
          drive.setDefaultDir(out);  // the user walks to the output folder
          drive.Command1(0)->click();
          return drive.result();
      }).Answer(vbYes);
    window.mnuInputDir_Click();
    EXPECT_EQ(InputDirectory, out + "/");
    EXPECT_EQ(OutputDirectory, out + "/");
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0],
              "The default OUTPUT directory is different\r\nDo you want to make it the same as "
              "the INPUT directory?");
    EXPECT_EQ(window.mnuOutputDir->text().toStdString(), "Output Directory - " + out + "/");
}

TEST_F(DirectoryCommands, ChoosingAnOutputFolderOffersItAsInputToo) {
    frmLVX window;
    const std::string out = (TestFolder::Path() / "out").string();
    ui.Drive([&](QDialog& dialog) {
          auto& drive = static_cast<frmDriveDir&>(dialog);
          drive.setDefaultDir(out);
          drive.Command1(0)->click();
          return drive.result();
      }).Answer(vbYes);
    window.mnuOutputDir_Click();
    EXPECT_EQ(OutputDirectory, out);
    EXPECT_EQ(InputDirectory, out);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{
                                 "The default INPUT directory is different?\r\nDo you want to make "
                                 "it the same as the OUTPUT directory?"});
    EXPECT_EQ(ui.Prompts.back().buttons, vbYesNo + vbQuestion);
    EXPECT_EQ(window.mnuInputDir->text().toStdString(), "Input Directory - " + out);
}

TEST_F(DirectoryCommands, OutputFolderLosesItsSeparatorButTheRootKeepsIt) {
    frmLVX window;
    InputDirectory = "/";
    ui.Drive([](QDialog& dialog) {
        auto& drive = static_cast<frmDriveDir&>(dialog);
        drive.setDefaultDir("/");
        drive.Command1(1)->click();
        return drive.result();
    });
    window.mnuOutputDir_Click();
    EXPECT_EQ(OutputDirectory, "/");
    EXPECT_TRUE(ui.Messages().empty());  // the two already agree
}

}  // namespace
