#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "platform/ui/common_dialog.h"
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
