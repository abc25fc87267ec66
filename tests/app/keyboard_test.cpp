// The keyboard in every window and dialog of the program, under the rule the
// program installs at start-up: each opens on its first input or choice, Tab
// goes round every enabled control and back to where it started with OK and
// Cancel last, and Return presses the focused button.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>

#include "app/help.h"
#include "app/main_window.h"
#include "cie/ucie.h"
#include "frame/drive_dir.h"
#include "frame/file_message.h"
#include "frame/settings.h"
#include "io/bran_luebbe_dialog.h"
#include "io/export_dialog.h"
#include "io/xy_import_dialogs.h"
#include "ops/analysis/custom_dialog.h"
#include "ops/analysis/derivative_gap.h"
#include "ops/analysis/interpolation_dialog.h"
#include "ops/analysis/lambda_input.h"
#include "ops/analysis/lambda_results.h"
#include "ops/analysis/statistics_dialog.h"
#include "ops/analysis/truncation_dialog.h"
#include "ops/calibration/splice_gap_dialog.h"
#include "platform/graph/graph_control.h"
#include "platform/ui/qt_ui.h"
#include "program_services.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"
#include "views/colorimetry_window.h"
#include "views/graph_window.h"
#include "views/header_window.h"
#include "views/legend_window.h"
#include "views/state.h"

namespace fs = std::filesystem;

namespace {

std::string Describe(const QWidget* widget) {
    if (widget == nullptr) {
        return "nothing";
    }
    std::string text = widget->metaObject()->className();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        text += " \"" + button->text().toStdString() + "\"";
    } else if (!widget->objectName().isEmpty()) {
        text += " " + widget->objectName().toStdString();
    }
    return text;
}

QString Caption(const QWidget* widget) {
    const auto* button = qobject_cast<const QPushButton*>(widget);
    return button != nullptr ? button->text().remove(QChar('&')) : QString();
}

bool IsPushButton(const QWidget* widget) {
    return qobject_cast<const QPushButton*>(widget) != nullptr;
}

// The controls a user expects Tab to reach in the window as it stands. Of a
// group of exclusive radio buttons Qt leaves only one a Tab stop, the arrows
// choosing within the group.
std::set<QWidget*> Controls(QWidget& window) {
    std::set<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() == &window && (widget->focusPolicy() & Qt::TabFocus) &&
            widget->focusProxy() == nullptr && widget->isEnabled() &&
            widget->isVisibleTo(&window)) {
            controls.insert(widget);
        }
    }
    return controls;
}

void Activate(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << Describe(&window);
}

// Tab from the focused control until the focus comes back to it; the controls
// in the order Tab reached them, the focused one first.
std::vector<QWidget*> TabRound(QWidget& window) {
    std::vector<QWidget*> round;
    QWidget* start = window.focusWidget();
    if (start == nullptr || !Controls(window).count(start)) {
        return round;
    }
    round.push_back(start);
    for (std::size_t i = 0; i < 4 * Controls(window).size(); ++i) {
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        if (window.focusWidget() == start) {
            return round;
        }
        round.push_back(window.focusWidget());
    }
    ADD_FAILURE() << "Tab never came back to " << Describe(start);
    return round;
}

// Tab visits every enabled control once and comes back; where the window
// has OK and Cancel they are the last two, in that order.
void ExpectTabGoesRound(QWidget& window, const std::string& name) {
    SCOPED_TRACE(name);
    const std::vector<QWidget*> round = TabRound(window);
    const std::set<QWidget*> controls = Controls(window);
    EXPECT_EQ(round.size(), controls.size());
    for (QWidget* control : controls) {
        EXPECT_TRUE(std::find(round.begin(), round.end(), control) != round.end())
            << Describe(control) << " is never reached";
    }
    const auto ok = std::find_if(round.begin(), round.end(),
                                 [](QWidget* w) { return Caption(w) == QStringLiteral("OK"); });
    const auto cancel = std::find_if(round.begin(), round.end(), [](QWidget* w) {
        return Caption(w) == QStringLiteral("Cancel") || Caption(w) == QStringLiteral("Close");
    });
    if (ok != round.end() && cancel != round.end()) {
        EXPECT_EQ(cancel - round.begin(), static_cast<std::ptrdiff_t>(round.size()) - 1);
        EXPECT_EQ(ok + 1, cancel);
    }
}

// A window with anything to fill in or choose opens there, never on a
// button, so that Return cannot end it before anything was entered.
void ExpectOpensOnFirstInput(QWidget& window, const std::string& name) {
    SCOPED_TRACE(name);
    const std::set<QWidget*> controls = Controls(window);
    if (controls.empty()) {
        return;
    }
    QWidget* focus = window.focusWidget();
    ASSERT_NE(focus, nullptr);
    if (std::any_of(controls.begin(), controls.end(),
                    [](QWidget* w) { return !IsPushButton(w); })) {
        EXPECT_FALSE(IsPushButton(focus)) << "opens on " << Describe(focus);
    }
}

// Return on the focused button presses it, once.
void ExpectReturnPresses(QPushButton& button, Qt::Key key = Qt::Key_Return) {
    button.setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), &button);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::keyClick(&button, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    EXPECT_EQ(clicked.count(), 1) << Describe(&button);
}

QPushButton* LastButton(QWidget& window) {
    const std::vector<QWidget*> round = TabRound(window);
    for (auto it = round.rbegin(); it != round.rend(); ++it) {
        if (auto* button = qobject_cast<QPushButton*>(*it)) {
            return button;
        }
    }
    return nullptr;
}

// The whole keyboard check of one window: it opens, Tab goes round, and
// Return presses its last button (Cancel where it has one).
void CheckKeyboard(QWidget& window, const std::string& name) {
    Activate(window);
    ExpectOpensOnFirstInput(window, name);
    ExpectTabGoesRound(window, name);
    if (QPushButton* button = LastButton(window)) {
        SCOPED_TRACE(name);
        ExpectReturnPresses(*button);
    }
    window.hide();
}

class Keyboard : public testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    // A version-1 reflectance file of a visible-range instrument.
    std::string ReflectanceFile(const std::string& name) {
        auto file = MakeSpectrum(1, std::vector<double>(471, 0.5));
        file.Header.Channel1Wavelength = 360;
        file.Header.DataType = DataTypeCode::Reflectance;
        file.Header.InstrumentType = Vnir1;
        return fs::absolute(file.WriteTo(name)).string();
    }

    ProgramServices services;
    ScriptedUi ui;
};

TEST_F(Keyboard, EveryDialogOfTheOperationsOpensOnItsInputAndTabsRound) {
    frmLVX main;  // the host the dialogs read the work list from
    CheckKeyboard(main, "main window");
    std::vector<std::pair<std::string, std::function<std::unique_ptr<QWidget>()>>> dialogs = {
        {"About", [] { return std::make_unique<frmAbout>(); }},
        {"Directory", [] { return std::make_unique<frmDriveDir>(); }},
        {"Overwrite", [] { return std::make_unique<frmFileMessage>(); }},
        {"Bran+Luebbe",
         [] {
             auto form = std::make_unique<frmBranLuebbe>();
             form->Form_Load();
             return form;
         }},
        {"ASCII Export", [] { return std::make_unique<frmExport>(); }},
        {"Delimiter", [] { return std::make_unique<frmDelimiter>(); }},
        {"ASCII Import", [] { return std::make_unique<frmAsciiImport>(); }},
        {"Splice Correct Gap", [] { return std::make_unique<frmSpliceCorrectGap>(); }},
        {"Custom", [] { return std::make_unique<frmCustom>(); }},
        {"Derivative Gap", [] { return std::make_unique<frmDerivative>(); }},
        {"Statistics", [] { return std::make_unique<frmStats>(); }},
        {"Lambda Integration bands", [] { return std::make_unique<frmLamInput>(); }},
        {"Lambda Integration results", [] { return std::make_unique<frmLamResult>(); }},
        {"Interpolation", [] { return std::make_unique<frmInterpFile>(); }},
        {"Truncation", [] { return std::make_unique<frmInterp>(); }},
    };
    for (const auto& [name, make] : dialogs) {
        std::unique_ptr<QWidget> dialog = make();
        CheckKeyboard(*dialog, name);
        // A choice may show or enable further controls: Tab reaches those too.
        for (QAbstractButton* choice : dialog->findChildren<QAbstractButton*>()) {
            if ((qobject_cast<QRadioButton*>(choice) || qobject_cast<QCheckBox*>(choice)) &&
                choice->isEnabled() && choice->isVisibleTo(dialog.get())) {
                choice->click();
                CheckKeyboard(*dialog, name + ", " + choice->text().toStdString());
            }
        }
    }
}

TEST_F(Keyboard, ReturnPressesAFocusedToolButtonToo) {
    frmCustom form;
    form.Option2[1]->click();  // a constant, with the button that types pi
    Activate(form);
    ASSERT_TRUE(form.Image1->isVisible());
    form.Image1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.Image1, Qt::Key_Return);
    EXPECT_TRUE(form.Text1->text().startsWith("3.14159")) << form.Text1->text().toStdString();
}

TEST_F(Keyboard, LambdaIntegrationWithABandTabsToOk) {
    frmLVX main;
    frmLamInput bands;
    bands.Text1[0]->setText("400");
    bands.Text1[1]->setText("500");
    bands.Command1->click();
    CheckKeyboard(bands, "Lambda Integration with a band");
}

TEST_F(Keyboard, BranLuebbeOpensOnItsFirstFileAndEndsWithOkAndCancel) {
    frmBranLuebbe form;
    form.Form_Load();
    Activate(form);
    EXPECT_EQ(form.focusWidget(), form.txtCoefficients);
    const std::vector<QWidget*> round = TabRound(form);
    ASSERT_GE(round.size(), 2u);
    EXPECT_EQ(round[round.size() - 2], form.Command3);
    EXPECT_EQ(round.back(), form.Command4);
    // Return in a box presses the button the form made its default: OK.
    QTest::keyClick(form.txtCoefficients, Qt::Key_Return);
    EXPECT_TRUE(form.ok());
}

// Where a window names no default, Return in a box presses nothing: the band
// boxes of Lambda Integration do not "Add" behind the user's back.
TEST_F(Keyboard, ReturnInABoxPressesNothingWithoutANamedDefault) {
    frmLamInput bands;
    Activate(bands);
    bands.Text1[0]->setText("400");
    bands.Text1[1]->setText("500");
    std::vector<std::unique_ptr<QSignalSpy>> pressed;
    for (QPushButton* button : bands.findChildren<QPushButton*>()) {
        pressed.push_back(std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
    }
    QTest::keyClick(bands.Text1[1], Qt::Key_Return);
    for (const auto& spy : pressed) {
        EXPECT_EQ(spy->count(), 0);
    }
    EXPECT_EQ(bands.List1->count(), 0);
    ExpectReturnPresses(*bands.Command1);
    EXPECT_EQ(bands.List1->count(), 1);
}

TEST_F(Keyboard, TabLeavesTheNoteBoxOfTheAsciiExport) {
    frmExport form;
    Activate(form);
    QPlainTextEdit* note = form.Text1;
    ASSERT_TRUE(note->isEnabled());
    note->setFocus(Qt::TabFocusReason);
    note->setPlainText("note");
    QTest::keyClick(note, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.cmdExport);
    EXPECT_EQ(note->toPlainText(), "note");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), note);
}

TEST_F(Keyboard, HeaderWindowTabsRoundEveryPageAndReturnInABoxNeverSaves) {
    MemoryBatchHost host;
    host.WorkList.AddItem(ReflectanceFile("a.zel"));
    frmHeader form;
    Activate(form);
    ExpectOpensOnFirstInput(form, "Header Info");
    for (int page = 0; page < form.SSTab1->count(); ++page) {
        form.SSTab1->setCurrentIndex(page);
        form.List1->setFocus(Qt::TabFocusReason);
        ExpectTabGoesRound(form, "Header Info page " + std::to_string(page));
    }
    form.SSTab1->setCurrentIndex(0);
    QSignalSpy saved(form.Command1, &QPushButton::clicked);
    form.Text7->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.Text7, Qt::Key_Return);
    EXPECT_EQ(saved.count(), 0);
    ExpectReturnPresses(*form.Command2, Qt::Key_Enter);
}

TEST_F(Keyboard, ReturnOnTheFocusedReportRunsTheReport) {
    MemoryBatchHost host;
    const std::string file = ReflectanceFile("a.zel");
    frmColorimetry form;
    form.List1->addItem(QString::fromStdString(file));
    Activate(form);
    ExpectOpensOnFirstInput(form, "Colorimetry");
    form.chkSelectAll->setChecked(true);
    ASSERT_TRUE(form.cmdReport->isEnabled());
    auto* pages = form.UCIE1->findChild<QTabWidget*>("tabCIE");
    ASSERT_NE(pages, nullptr);
    for (int page = 0; page < pages->count(); ++page) {
        if (pages->isTabVisible(page)) {
            pages->setCurrentIndex(page);
            form.List1->setFocus(Qt::TabFocusReason);
            ExpectTabGoesRound(form, "Colorimetry page " + std::to_string(page));
        }
    }
    // Tab from the list reaches Report.
    form.List1->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 3 && QApplication::focusWidget() != form.cmdReport; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), form.cmdReport);
    QTest::keyClick(form.cmdReport, Qt::Key_Return);
    EXPECT_TRUE(fs::exists(fs::path(OutputDirectory) / "a.zel.col"));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
}

TEST_F(Keyboard, GraphWindowItsDialogsAndTheLegend) {
    MemoryBatchHost host;
    auto* window = new frmGraph;
    CheckKeyboard(*window, "Graph");
    int driven = 0;
    const auto check = [&](QDialog& dialog) {
        CheckKeyboard(dialog, dialog.windowTitle().toStdString());
        ++driven;
        return static_cast<int>(QDialog::Rejected);
    };
    ui.Drive(check).Drive(check);
    window->Graph1->ShowExportDialog();
    window->Graph1->ShowCustomizeDialog();
    EXPECT_EQ(driven, 2);
    {
        frmLegend legend(*window);
        CheckKeyboard(legend, "Legend");
    }
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The boxes and the file dialog the program asks through: Return on the
// focused Cancel is Cancel.
TEST_F(Keyboard, MessageInputAndFileDialogs) {
    QtUserInterface qt;
    QTimer::singleShot(0, [] { CheckKeyboard(*QApplication::activeModalWidget(), "message box"); });
    EXPECT_EQ(qt.MsgBox("Go on?", vbOKCancel, AppTitle), vbCancel);
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        CheckKeyboard(*box, "input box");
    });
    EXPECT_EQ(qt.InputBox("Name?", AppTitle, "x"), "");
    CommonDialog save;
    save.DialogTitle = "Save";
    save.InitDir = TestFolder::Path().string();
    save.Filter = "Text (*.txt)|*.txt";
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        CheckKeyboard(*box, "file dialog");
    });
    EXPECT_TRUE(qt.ShowFileDialog(save, true).Paths.empty());
}

}  // namespace
