// The band dialog of lambda integration: the bands, typed one by one or
// loaded from a band-set file, and whether each band is integrated or
// averaged. It is loaded once and only hidden between uses, so the bands and
// the mode stay while the program runs.
#pragma once

#include <QDialog>
#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class frmLamInput : public QDialog {
    Q_OBJECT

public:
    explicit frmLamInput(QWidget* parent = nullptr);

    QAction* mnuLoad = nullptr;         // "Load"
    QAction* mnuSave = nullptr;         // "Save"
    QGroupBox* Frame1 = nullptr;        // "Bands"
    std::array<QLabel*, 2> Label1{};    // "Start", "End"
    std::array<QLineEdit*, 2> Text1{};  // start, end (nm)
    // One line per band: start "   " end.
    QListWidget* List1 = nullptr;
    // Hidden, in step with List1: each band's start and end as text.
    QListWidget* List2 = nullptr;
    QListWidget* List3 = nullptr;
    QPushButton* Command1 = nullptr;  // "Add"
    QPushButton* Command2 = nullptr;  // "Remove"
    QPushButton* Command5 = nullptr;  // "Clear"
    QPushButton* Command3 = nullptr;  // "OK"; enabled while there are bands
    QPushButton* Command4 = nullptr;  // "Cancel": forgets the bands
    // 0 "Integrate", 1 "Average".
    std::array<QRadioButton*, 2> Option1{};

    // Esc and the title bar's close box are Cancel.
    void reject() override;

private:
    void Command1_Click();
    void Command2_Click();
    void Command5_Click();
    void Command4_Click();
    void mnuSave_Click();
    void mnuLoad_Click();
    void AddBand(const std::string& start, const std::string& end);
    void ClearBands();
};

// The kept instance, loaded at its first use.
frmLamInput& LamInputForm();
// Deletes the kept instance; the next use loads a new one with no bands.
void UnloadLamInputForm();
