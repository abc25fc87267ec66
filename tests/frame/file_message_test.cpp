#include "frame/file_message.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "platform/ui/center.h"
#include "platform/ui/qt_ui.h"
#include "support/scripted_ui.h"

namespace {

const std::string Question = "/out/a.001.abs already exists!\rOverwrite?";

// Clicks button index of the prompt and reports what the prompt looked like.
struct Click {
    int index;
    QString* label = nullptr;
    bool* yesToAllEnabled = nullptr;

    int operator()(QDialog& dialog) const {
        auto& prompt = dynamic_cast<frmFileMessage&>(dialog);
        if (label) {
            *label = prompt.Label1()->text();
        }
        if (yesToAllEnabled) {
            *yesToAllEnabled = prompt.Command1(2)->isEnabled();
        }
        prompt.Command1(index)->click();
        return prompt.result();
    }
};

TEST(frmFileMessage, CaptionsAndTheAnswerOfEachButton) {
    frmFileMessage prompt;
    EXPECT_EQ(prompt.windowTitle(), "File Error");
    EXPECT_EQ(prompt.Command1(0)->text(), "Yes");
    EXPECT_EQ(prompt.Command1(1)->text(), "No");
    EXPECT_EQ(prompt.Command1(2)->text(), "Yes to All");
    EXPECT_THROW(prompt.Command1(3), std::out_of_range);

    const std::pair<int, std::string> cases[] = {{0, "Yes"}, {1, "No"}, {2, "Yes All"}};
    for (const auto& [index, answer] : cases) {
        prompt.Command1(index)->click();
        EXPECT_EQ(prompt.answer(), answer) << "button " << index;
    }
}

TEST(frmFileMessage, ClosingWithoutAButtonNeverMeansYes) {
    frmFileMessage prompt;
    EXPECT_EQ(prompt.answer(), "No");

    prompt.Command1(0)->click();
    QTest::keyClick(&prompt, Qt::Key_Escape);
    EXPECT_EQ(prompt.answer(), "No");

    // A second show of the same prompt does not inherit the first answer.
    prompt.Command1(2)->click();
    prompt.show();
    EXPECT_EQ(prompt.answer(), "No");
    prompt.close();
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(prompt.answer(), "No");
}

TEST(AskOverwrite, ShowsTheQuestionAndReturnsTheAnswer) {
    ScriptedUi ui;
    QString label;
    bool enabled = false;
    ui.Drive(Click{2, &label, &enabled});
    EXPECT_EQ(AskOverwrite(Question, true), "Yes All");
    EXPECT_EQ(label, "/out/a.001.abs already exists!\nOverwrite?");
    EXPECT_TRUE(enabled);
    EXPECT_EQ(ui.DoEventsCount, 1);

    ui.Drive(Click{0});
    EXPECT_EQ(AskOverwrite(Question, true), "Yes");
    ui.Drive(Click{1});
    EXPECT_EQ(AskOverwrite(Question, true), "No");
    EXPECT_EQ(ui.DoEventsCount, 3);
}

TEST(AskOverwrite, YesToAllDisabledForASingleFile) {
    ScriptedUi ui;
    bool enabled = true;
    // A click on the disabled button does nothing; the prompt is then closed.
    ui.Drive([&](QDialog& dialog) {
        Click{2, nullptr, &enabled}(dialog);
        dialog.reject();
        return dialog.result();
    });
    EXPECT_EQ(AskOverwrite(Question, false), "No");
    EXPECT_FALSE(enabled);
}

// Every dialog opens in the middle of the usable screen; an odd leftover
// loses its half pixel, and a window wider than the screen is pulled left by
// the truncated half, not the floor.
TEST(CenterForm, HalvesTheFreeSpaceTruncating) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.resize(area.width() - 11, area.height() - 7);
    CenterForm(window);
    EXPECT_EQ(window.pos(), area.topLeft() + QPoint(5, 3));
    window.resize(area.width() + 11, area.height() + 7);
    CenterForm(window);
    EXPECT_EQ(window.pos(), area.topLeft() + QPoint(-5, -3));

    frmFileMessage prompt;
    const QSize size = prompt.frameGeometry().size();
    EXPECT_EQ(prompt.pos(), area.topLeft() + QPoint((area.width() - size.width()) / 2,
                                                    (area.height() - size.height()) / 2));
}

// The running program's modal loop: the title bar's close button ends it with
// "No", a button with its answer.
TEST(AskOverwrite, RealModalLoopEndsOnCloseAndOnClick) {
    QtUserInterface qt;
    UserInterface* previous = InstallUserInterface(&qt);

    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        modal->close();
    });
    EXPECT_EQ(AskOverwrite(Question, true), "No");

    QTimer::singleShot(0, [] {
        auto* prompt = qobject_cast<frmFileMessage*>(QApplication::activeModalWidget());
        ASSERT_NE(prompt, nullptr);
        prompt->Command1(2)->click();
    });
    EXPECT_EQ(AskOverwrite(Question, true), "Yes All");

    InstallUserInterface(previous);
}

}  // namespace
