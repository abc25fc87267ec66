// With every subsystem installed as the program installs them, the main
// window offers every command it has: none stays hidden for want of its
// subsystem, and the menus that files enable are never empty.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <set>

#include "app/main_window.h"
#include "cie/ucie.h"
#include "frame/settings.h"
#include "program_services.h"
#include "spectrum/state.h"
#include "support/scripted_ui.h"
#include "support/test_folder.h"

namespace {

class MenuSweep : public testing::Test {
protected:
    void SetUp() override {
        ResetSettingsState();
        ResetSpectrumState();
        SettingsFolder = (TestFolder::Path() / "config").string() + "/";
    }
    ProgramServices services;
    ScriptedUi ui;
};

TEST_F(MenuSweep, EveryCommandIsOfferedButTheFourUnfinishedOnes) {
    frmLVX window;
    const std::set<std::string> neverOffered = {"mnuPpfd", "mnuReftoraw", "mnuRawtoref", "mnuDcsub",
                                                "mnuGraphRef"};
    int offered = 0;
    for (QAction* menu : window.menuBar()->actions()) {
        ASSERT_NE(menu->menu(), nullptr);
        for (QAction* item : menu->menu()->actions()) {
            if (item->isSeparator()) {
                continue;
            }
            const std::string name = item->objectName().toStdString();
            EXPECT_EQ(item->isVisible(), neverOffered.count(name) == 0) << name;
            offered += item->isVisible() ? 1 : 0;
        }
    }
    // File 3, Process 20, View 2, Setup 2, Help 2.
    EXPECT_EQ(offered, 29);
}

TEST_F(MenuSweep, OpeningFilesEnablesProcessAndViewWithTheirCommands) {
    frmLVX window;
    EXPECT_FALSE(window.mnuProcess->menuAction()->isEnabled());
    EXPECT_FALSE(window.mnuView->menuAction()->isEnabled());
    EXPECT_FALSE(window.mnuGraph->isEnabled());
    window.EnableProcessMenus();
    EXPECT_TRUE(window.mnuProcess->menuAction()->isEnabled());
    EXPECT_TRUE(window.mnuView->menuAction()->isEnabled());
    for (QAction* item : window.mnuProcess->actions()) {
        if (item->isVisible()) {
            EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
        }
    }
    int viewItems = 0;
    for (QAction* item : window.mnuView->actions()) {
        viewItems += item->isVisible() && item->isEnabled() ? 1 : 0;
    }
    EXPECT_EQ(viewItems, 2);  // Graph Data and Header Info
    window.ResetMenus();
    EXPECT_FALSE(window.mnuProcess->menuAction()->isEnabled());
    EXPECT_FALSE(window.mnuGraph->isEnabled());
    EXPECT_TRUE(window.mnuOpen->isEnabled());
}

// The colorimetry control lives in a library of its own; once the viewing
// windows are installed its messages are the program's messages.
TEST_F(MenuSweep, TheColorimetryControlSpeaksThroughTheProgramsMessageBoxes) {
    UCIE cie;
    auto* gamma = cie.findChild<QLineEdit*>("txtGamma");
    ASSERT_NE(gamma, nullptr);
    gamma->setText("10.01");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(gamma, &out);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Prompts[0].title, "Gamma Entry");
}

}  // namespace
