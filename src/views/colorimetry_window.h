// The colorimetry window: the chosen spectrum files, the colour values of the
// one clicked last (shown by the CIE control), and a ".col" report per
// selected file in the output folder.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;
class UCIE;

class frmColorimetry : public QDialog {
    Q_OBJECT

public:
    // Creates and loads the window; the caller fills List1.
    explicit frmColorimetry(QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;  // full file names, several selectable
    QCheckBox* chkSelectAll = nullptr;
    QPushButton* cmdReport = nullptr;
    UCIE* UCIE1 = nullptr;

    // Reads FileName and converts it by its data type into the spectrum the
    // control evaluates: one value per nanometre from FirstWavelength.
    // False when the file cannot be evaluated; the user has been told why.
    bool GetColorSpectrum(const std::string& FileName, std::vector<double>& Spectrum,
                          int32_t& FirstWavelength, int32_t& DataKind);

    void Form_Load();
    // Evaluates the current entry when any entry is selected.
    void List1_Click();
    void chkSelectAll_Click();
    void cmdReport_Click();
    void UCIE1_IlluminateFileChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Changing the list's selection or the check box from code raises their
    // click handlers at once, inside the handler that made the change; these
    // flags keep the two handlers from undoing each other.
    bool SelectAllToggle = false;    // the selection the check box applies
    bool SelectingAll = false;       // the check box is changing the selection
    bool UpdatingSelectAll = false;  // the list is changing the check box
    bool reporting_ = false;         // WriteColorimetryReport runs
    bool closeAfterReport_ = false;  // the window was closed while it ran

    // Makes the entry current without touching the selection, and evaluates
    // it as a click on it would.
    void MakeCurrent(int index);
    bool AnySelected() const;
    void WriteColorimetryReport(QListWidget& List);
};

// Creates a colorimetry window on Files and shows it modally.
void ShowColorimetryWindow(const std::vector<std::string>& Files);
