// The set-up dialog of interpolation: the new grid (first wavelength, step,
// channel count) and how the output files are named.
#pragma once

#include <QDialog>
#include <array>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmInterpFile : public QDialog {
    Q_OBJECT

public:
    explicit frmInterpFile(QWidget* parent = nullptr);

    // Captions "Starting Wavelength", "Wavelength Step", "Channels".
    std::array<QLabel*, 3> Label3{};
    // Hints under the first two boxes.
    std::array<QLabel*, 2> Label4{};
    QLineEdit* Text2 = nullptr;  // first wavelength of the new grid, nm
    QLineEdit* Text3 = nullptr;  // step, nm
    QLineEdit* Text4 = nullptr;  // channels
    // 0 output name from the input's name, 1 a save dialog per input.
    std::array<QRadioButton*, 2> Option1{};
    QLabel* Label1 = nullptr;  // "Appended file extension"
    // "ITP", "ILL", "IRR", "Custom".
    QComboBox* Combo1 = nullptr;
    QLabel* Label2 = nullptr;  // "Enter custom file extension"
    // The extension actually used.
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;  // "OK"
    QPushButton* Command2 = nullptr;  // "Cancel"

    // True after OK, false after Cancel.
    bool ok() const { return ok_; }
    // "ITP" from the load on; the batch reads Text1.
    const std::string& Extension() const { return extension_; }

    // Esc and the title bar's close button are Cancel.
    void reject() override;

private:
    void Combo1_Click(int index);
    void Option1_Click(int index);

    bool ok_ = false;
    std::string extension_;
};
