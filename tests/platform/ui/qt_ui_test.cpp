#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "platform/ui/common_dialog.h"
#include "platform/ui/end_control.h"
#include "platform/ui/end_request.h"
#include "platform/ui/qt_ui.h"

namespace {

// Presses the button with the given text on the message box once it is up.
void PressLater(const QString& buttonText, QString* shownText = nullptr,
                QString* defaultText = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (shownText) {
            *shownText = box->text();
        }
        if (defaultText && box->defaultButton()) {
            *defaultText = box->defaultButton()->text();
        }
        for (QAbstractButton* button : box->buttons()) {
            if (button->text().remove('&') == buttonText) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << buttonText.toStdString();
        box->reject();
    });
}

TEST(QtUserInterface, MessageBoxButtonsAndResults) {
    QtUserInterface ui;
    QString text, byDefault;
    PressLater("No", &text, &byDefault);
    EXPECT_EQ(
        ui.MsgBox("Overwrite\rfile?", vbYesNoCancel + vbQuestion + vbDefaultButton2, "Lumivex"),
        vbNo);
    EXPECT_EQ(text, "Overwrite\nfile?");
    EXPECT_EQ(byDefault.remove('&'), "No");
    PressLater("Cancel");
    EXPECT_EQ(ui.MsgBox("x", vbOKCancel, "Lumivex"), vbCancel);
    PressLater("OK");
    EXPECT_EQ(ui.MsgBox("x", vbOKOnly + vbCritical, "Lumivex"), vbOK);
    PressLater("Retry");
    EXPECT_EQ(ui.MsgBox("x", vbAbortRetryIgnore, "Lumivex"), vbRetry);
}

TEST(QtUserInterface, ModalDialogReturnsItsResult) {
    QtUserInterface ui;
    QDialog dialog;
    QTimer::singleShot(0, &dialog, &QDialog::accept);
    EXPECT_EQ(ui.ShowModal(dialog), QDialog::Accepted);
}

TEST(QtUserInterface, TextsAndFilters) {
    EXPECT_EQ(DisplayText("a\r\nb\rc\nd"), "a\nb\nc\nd");
    CommonDialog dialog;
    dialog.Filter = "ZEL Varnel Files (*.zel)|*.zel|Text|*.txt;*.asc";
    EXPECT_EQ(QtNameFilters(dialog),
              (QStringList{"ZEL Varnel Files (*.zel)", "Text (*.txt *.asc)"}));
}

TEST(QtUserInterface, WaitCursorIsASettingNotAStack) {
    QtUserInterface ui;
    ui.SetWaitCursor(true);
    ui.SetWaitCursor(true);
    ui.SetWaitCursor(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Answers the file dialog once it is up: chooses name, or cancels when name is
// empty; notes the mode it was shown in.
void ChooseLater(const QString& name, QFileDialog::FileMode* mode) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *mode = box->fileMode();
        if (name.isEmpty()) {
            box->reject();
            return;
        }
        box->selectFile(name);
        static_cast<QDialog*>(box)->accept();  // the file dialog's own accept
    });
}

TEST(QtUserInterface, OpenFormTakesANewNameUnlessTheFileMustExist) {
    QtUserInterface ui;
    CommonDialog dialog;
    dialog.InitDir = std::filesystem::current_path().string();
    dialog.Flags = cdlOFNHideReadOnly | cdlOFNExplorer;
    const std::string fresh = (std::filesystem::current_path() / "new.dx").string();
    QFileDialog::FileMode mode{};
    ChooseLater(QString::fromStdString(fresh), &mode);
    EXPECT_EQ(ui.ShowFileDialog(dialog, false).Paths, std::vector<std::string>{fresh});
    EXPECT_EQ(mode, QFileDialog::AnyFile);

    dialog.Flags |= cdlOFNFileMustExist;
    ChooseLater("", &mode);
    EXPECT_TRUE(ui.ShowFileDialog(dialog, false).Paths.empty());
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    dialog.Flags |= cdlOFNAllowMultiselect;
    ChooseLater("", &mode);
    ui.ShowFileDialog(dialog, false);
    EXPECT_EQ(mode, QFileDialog::ExistingFiles);
}

}  // namespace

TEST(QtUserInterface, AnEndRequestAnswersQuestionsAsCancelAndEndsOnlyOutsideThem) {
    QtUserInterface ui;
    // The program's own loop, which the end action leaves.
    QEventLoop top;
    int ended = 0;
    SetEndAction([&] {
        ++ended;
        top.quit();
    });
    int dialogResult = -1;
    int answer = 0;
    int endedInside = -1;
    QTimer::singleShot(0, [&] {
        QDialog outer;
        // A question asked from inside a dialog; the request arrives while
        // both loops run.
        QTimer::singleShot(0, &outer, [&] {
            QTimer::singleShot(0, [] { RequestEnd(); });
            answer = ui.MsgBox("Want to Save your Changes?", vbYesNo + vbQuestion, "Lumivex");
            QEventLoop moment;
            QTimer::singleShot(50, &moment, &QEventLoop::quit);
            moment.exec();
            endedInside = ended;
        });
        dialogResult = ui.ShowModal(outer);

        // Later questions and dialogs are answered at once.
        EXPECT_EQ(ui.MsgBox("x", vbYesNoCancel, "Lumivex"), vbCancel);
        EXPECT_EQ(ui.MsgBox("x", vbAbortRetryIgnore, "Lumivex"), vbAbort);
        EXPECT_EQ(ui.MsgBox("x", vbOKOnly, "Lumivex"), vbOK);
        QDialog later;
        EXPECT_EQ(ui.ShowModal(later), QDialog::Rejected);
        EXPECT_EQ(ui.InputBox("Name?", "Lumivex", "default"), "");
        CommonDialog files;
        files.FilterIndex = 2;
        const FileDialogAnswer chosen = ui.ShowFileDialog(files, false);
        EXPECT_TRUE(chosen.Paths.empty());
        EXPECT_EQ(chosen.FilterIndex, 2);
        EXPECT_EQ(ended, 0);
    });
    QTimer::singleShot(10000, &top, &QEventLoop::quit);
    top.exec();

    EXPECT_EQ(dialogResult, QDialog::Rejected);
    EXPECT_EQ(answer, vbNo);
    EXPECT_EQ(endedInside, 0);
    // Back in the top-level loop, the program ends, once.
    EXPECT_EQ(ended, 1);
    ClearEndRequest();
    SetEndAction({});
}
