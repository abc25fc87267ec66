// The ASCII export dialog: which values, which layout, which separator, and
// whether every spectrum gets a file of its own or all share one table. OK
// hides the dialog and runs the chosen writer over the work list.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "io/formats/ascii_table.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class frmExport : public QDialog {
    Q_OBJECT

public:
    explicit frmExport(QWidget* parent = nullptr);

    QGroupBox* Frame8 = nullptr;  // "Data Format for .zel files only"
    // "DN", "Reflectance", "Transmittance", "Log 1/R", "Log 1/T",
    // "Radiance/Irradiance": the ExportDataFormat of the same index.
    std::array<QRadioButton*, 6> optDataFormat{};
    QCheckBox* chkAbsolute = nullptr;              // only with "Reflectance"
    QCheckBox* chkPC = nullptr;                    // only with "Radiance/Irradiance"
    QGroupBox* Frame7 = nullptr;                   // "Derivative"
    std::array<QRadioButton*, 3> optDerivative{};  // "None", "1st", "2nd"
    QPushButton* cmdDerivative = nullptr;          // "Set Derivative Gap"
    QGroupBox* Frame3 = nullptr;                   // "Headers"
    QCheckBox* Check3 = nullptr;                   // "Print Header Information"
    QCheckBox* Check4 = nullptr;                   // "Print ONLY Header Information"
    QGroupBox* Frame1 = nullptr;                   // "Data Organization"
    std::array<QRadioButton*, 2> Option1{};        // "Columns", "Rows"
    QGroupBox* Frame2 = nullptr;                   // "X-Axis"
    QCheckBox* Check2 = nullptr;                   // "Print X-Axis"
    std::array<QRadioButton*, 2> Option2{};        // "Wavelength", "Channel #"
    QGroupBox* Frame6 = nullptr;
    QLabel* Label1 = nullptr;     // "Field Seperator"
    QComboBox* Combo1 = nullptr;  // "Comma", "SemiColon", "Tab"; item data the character code
    // 1 "Print Description/Note", 2 "Output to a Single File"; 0 is not used.
    std::array<QCheckBox*, 3> Check1{};
    QGroupBox* Frame5 = nullptr;             // "Column Title" / "Row Title"
    QCheckBox* Check5 = nullptr;             // "Print Column Title" / "Print Row Title"
    std::array<QRadioButton*, 2> Option3{};  // file names, collect times
    QGroupBox* Frame4 = nullptr;
    QPlainTextEdit* Text1 = nullptr;   // the note
    QPushButton* cmdExport = nullptr;  // "&OK"
    QPushButton* cmdCancel = nullptr;  // "&Cancel"

    int16_t DataFormat = 0;
    int16_t Derivative = 0;
    int16_t Absolute = 0;          // chkAbsolute as OK found it
    int16_t ParabolicCorrect = 0;  // chkPC as OK found it

    // The layout the controls ask for, each control counted only when it is
    // enabled and checked.
    AsciiLayout Layout() const;

    // The title bar's close button and Esc are Cancel.
    void reject() override;

private:
    void Form_Load();
    void optDataFormat_Click(int index);
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Option1_Click(int index);
    void cmdCancel_Click();
    void cmdExport_Click();
};

// The ASCII launcher's dialog: shown modally on the work list, then removed.
void ShowAsciiExport();
