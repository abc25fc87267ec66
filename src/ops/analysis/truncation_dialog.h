// The truncation dialog: the files with their ranges, and the common range
// the user narrows.
#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmInterp : public QDialog {
    Q_OBJECT

public:
    explicit frmInterp(QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;  // one line per file
    QGroupBox* Frame1 = nullptr;   // "Select Output"
    // "Starting Wavelength:", "Ending Wavelength:".
    std::array<QLabel*, 2> Label1{};
    QLineEdit* Text1 = nullptr;       // new first wavelength, nm
    QLineEdit* Text2 = nullptr;       // new last wavelength, nm
    QPushButton* Command1 = nullptr;  // "&OK"
    QPushButton* Command2 = nullptr;  // "&Cancel"

    // Before the dialog is shown: the lower and upper limit of the common
    // range, each also written into its box. After OK: the chosen start and
    // end. After Cancel: both 0.
    double MaxMin() const { return maxMin_; }
    void setMaxMin(double value);
    double MinMax() const { return minMax_; }
    void setMinMax(double value);

    // Esc and the title bar's close button are Cancel.
    void reject() override;

private:
    void Command1_Click();

    double maxMin_ = 0;
    double minMax_ = 0;
};
