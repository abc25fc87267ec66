// The custom-arithmetic dialog: the operation, and the operand as one file, a
// constant or a list of corresponding files. It is loaded once and only hidden
// between uses, so what the user chose stays until the main window closes.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/ui/common_dialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

class frmCustom : public QDialog {
    Q_OBJECT

public:
    explicit frmCustom(QWidget* parent = nullptr);

    QGroupBox* Frame1 = nullptr;  // "Operation"
    // 0 "Ratio", 1 "Multiply", 2 "Add", 3 "Subtract".
    std::array<QRadioButton*, 4> Option1{};
    QGroupBox* Frame2 = nullptr;  // "Data Source"
    // 0 "File", 1 "Constant", 2 the corresponding files.
    std::array<QRadioButton*, 3> Option2{};
    QPushButton* Command1 = nullptr;  // "Browse"
    QLabel* Label1 = nullptr;         // the browsed file, shortened
    QLineEdit* Text1 = nullptr;       // the constant
    QToolButton* Image1 = nullptr;    // puts pi into Text1
    QListWidget* List1 = nullptr;     // the corresponding files, full paths
    QPushButton* Command4 = nullptr;  // "Add"
    QPushButton* Command5 = nullptr;  // "Clear"
    QPushButton* Command2 = nullptr;  // "OK"
    QPushButton* Command3 = nullptr;  // "Cancel"
    // The dialog's own file dialog, for "Browse".
    CommonDialog CommonDialog1;

    // The operand file chosen with "Browse"; empty when none (also after
    // Cancel or an OK with another source).
    const std::string& Filename() const { return filename_; }
    // The constant of the last OK with the source "Constant"; 0 otherwise.
    float Constant() const { return constant_; }
    // The form's height in twips: 3600, or 6135 while the corresponding files
    // are shown.
    int HeightTwips() const { return heightTwips_; }

    // Esc and the title bar's close button are Cancel.
    void reject() override;

private:
    void Option1_Click();
    void Option2_Click(int index);
    void Command1_Click();
    void Image1_Click();
    void Command4_Click();
    void Command5_Click();
    void Command2_Click();
    void Command3_Click();
    void SetHeightTwips(int twips);
    void ForgetFile();

    QWidget* listPanel_ = nullptr;
    std::string filename_;
    float constant_ = 0;
    int heightTwips_ = 0;
};

// The kept instance, loaded at its first use.
frmCustom& CustomForm();
// Deletes the kept instance; the next use loads a new one.
void DestroyCustomForm();

// What the menu command hands to the launcher.
struct CustomArithmeticArguments {
    int16_t Operation = 0;
    float Constant = 0;
    std::string FileName;
    int16_t UseList = 0;  // -1 for corresponding files
};

// The menu command's part: clears the data source, shows the dialog and
// derives the launcher's four arguments. Nothing when the user cancelled, when
// "File" was chosen without a file or when no operation is chosen.
std::optional<CustomArithmeticArguments> ChooseCustomArithmetic();

// The launcher's check before a run with corresponding files: the list must
// hold one file for every entry of the work list. False after the message.
bool CheckCorrespondingFiles(int16_t UseList);
