// The two questions of the ASCII XY import: the separator, once per run, and
// the starting wavelength with the lamp-data units, once per file.
#pragma once

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

class frmDelimiter : public QDialog {
    Q_OBJECT

public:
    explicit frmDelimiter(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    // "Space", "Comma", "Tab".
    std::array<QRadioButton*, 3> Option1{};
    QPushButton* Command1 = nullptr;  // "OK"
    QPushButton* Command2 = nullptr;  // "Cancel"

    // " ", "," or Tab; empty after Cancel.
    const std::string& Separator() const { return separator_; }
    void SetSeparator(const std::string& value) { separator_ = value; }

    // Esc and the title bar's close button are Cancel.
    void reject() override;

private:
    void Option1_Click(int index);

    std::string separator_;
};

class frmAsciiImport : public QDialog {
    Q_OBJECT

public:
    explicit frmAsciiImport(QWidget* parent = nullptr);

    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtStartingWavelength = nullptr;
    QCheckBox* Check1 = nullptr;  // "Lamp Data Pre-Processing"
    QFrame* Frame1 = nullptr;     // visible while Check1 is checked
    QLabel* Label2 = nullptr;
    QWidget* Picture1 = nullptr;
    // "uWatts/cm^2", "Watts/m^2".
    std::array<QRadioButton*, 2> Option2{};
    QPushButton* Command1 = nullptr;  // "OK"
    QPushButton* Command2 = nullptr;  // "Cancel"

    // 0 after Cancel.
    double StartingWavelength() const { return startingWavelength_; }
    // Stores the value and shows it in txtStartingWavelength.
    void SetStartingWavelength(double value);

    // Esc and the title bar's close button are Cancel.
    void reject() override;

private:
    void Check1_Click();
    void Command1_Click();

    double startingWavelength_ = 0;
};
