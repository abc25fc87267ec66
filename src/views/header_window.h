// The header window: every header field of the chosen spectrum files, one file
// at a time, and a few of them corrected in the file itself.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "spectrum/records.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;
struct HeaderEdits;

class frmHeader : public QDialog {
    Q_OBJECT

public:
    // Builds the window and loads it: the work list of the main window is
    // copied and its first file listed.
    explicit frmHeader(QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;     // full file names; tool tip: the listed one
    QPushButton* Command1 = nullptr;  // "&OK", "&Ok" or "&Save"
    QPushButton* Command2 = nullptr;  // "&Cancel"
    // "Instrument", "Detectors", "Misc.", "GPS", "Tevra Detector".
    QTabWidget* SSTab1 = nullptr;

    // Caption labels by their fixed indices; index 22 names no control.
    std::array<QLabel*, 28> Label1{};

    // "Instrument" tab.
    QLineEdit* Text7 = nullptr;   // instrument number
    QLineEdit* Text8 = nullptr;   // calibration number
    QLineEdit* Text9 = nullptr;   // wavelength start
    QLineEdit* Text10 = nullptr;  // wavelength step
    QLabel* Label2 = nullptr;     // sample count
    QComboBox* Combo1 = nullptr;  // foreoptic, typing allowed
    QComboBox* Combo2 = nullptr;  // data type
    QGroupBox* fraCalBuffer = nullptr;
    QLabel* lblBSE = nullptr;
    QLineEdit* txtBSE = nullptr;
    QLabel* lblLMP = nullptr;
    QLineEdit* txtLMP = nullptr;
    QLabel* lblFO = nullptr;
    QLineEdit* txtFO = nullptr;
    QGroupBox* fraAlarms = nullptr;
    QLabel* lblSaturation = nullptr;
    QLabel* lblTec1Alarm = nullptr;
    QLabel* lblTEC2Alarm = nullptr;

    // "Detectors" tab.
    QLineEdit* Text6 = nullptr;  // integration time
    QLineEdit* Text2 = nullptr;  // SWIR 1 gain
    QLineEdit* Text3 = nullptr;  // SWIR 1 offset
    QLineEdit* Text4 = nullptr;  // SWIR 2 gain
    QLineEdit* Text5 = nullptr;  // SWIR 2 offset
    QLabel* Label9 = nullptr;    // dark count
    QLabel* Label10 = nullptr;   // dark time
    QLabel* Label6 = nullptr;    // dark correction value
    QLabel* Label11 = nullptr;   // reference count
    QLabel* Label12 = nullptr;   // reference time

    // "Misc." tab.
    QLabel* Label3 = nullptr;   // program version
    QLabel* Label4 = nullptr;   // file version; double-click edits it
    QLabel* Label5 = nullptr;   // save date
    QLabel* Label16 = nullptr;  // XMin
    QLabel* Label17 = nullptr;  // YMin
    QLabel* Label18 = nullptr;  // XMax
    QLabel* Label19 = nullptr;  // YMax
    QLabel* Label20 = nullptr;  // bits
    QLabel* Label22 = nullptr;  // lamp number
    QLabel* Label8 = nullptr;   // "Comment"
    QLineEdit* Text1 = nullptr;
    QLineEdit* txtEdit = nullptr;  // the in-place editor over Label4, hidden

    // "GPS" tab: latitude, longitude, elevation, UTC.
    std::array<QLabel*, 4> Label7{};
    std::array<QLineEdit*, 4> Text11{};

    // "Tevra Detector" tab.
    QLabel* lblSN = nullptr;
    QLabel* lblSNValue = nullptr;
    QLabel* lblSignal = nullptr;
    QLabel* lblSignalValue = nullptr;
    QLabel* lblDark = nullptr;
    QLabel* lblDarkValue = nullptr;
    QLabel* lblRef = nullptr;
    QLabel* lblRefValue = nullptr;
    QLabel* lblStatus = nullptr;
    QLabel* lblStatusValue = nullptr;
    QLabel* lblGain = nullptr;
    QLabel* lblGainValue = nullptr;
    QLabel* lblAvg = nullptr;
    QLabel* lblAvgValue = nullptr;
    QLabel* lblTemp = nullptr;
    QLabel* lblTempValue = nullptr;
    QLabel* lblHumid = nullptr;
    QLabel* lblHumidValue = nullptr;

    // The file listed last; a save rewrites it.
    std::string ListedFileName;
    bool IsDirty = false;
    // The seven instrument boxes take typing and are saved.
    bool EditMode = false;
    int PreviousIndex = -1;
    QLabel* EditedLabel = nullptr;

    // Lists the selected file; false when it could not be read (the reader
    // has said why) and every control is left as it was.
    bool ListSpectrumHeader();
    // Sets FileVersion from a signature; false after a message naming the file.
    bool ValidateSpectrumFile(const std::string& FileName, const std::array<uint8_t, 3>& Signature);

    void Form_Load();
    // KeyCode and Shift as the key-down event gives them (F9 is 120; Shift 1,
    // Ctrl 2, Alt 4).
    void Form_KeyDown(int KeyCode, int Shift);
    // The change events of the editable controls: each marks the window
    // dirty.
    void Combo1_Change() { MarkDirty(); }
    void Combo1_Click() { MarkDirty(); }
    void Combo2_Click() { MarkDirty(); }
    void Text1_Change() { MarkDirty(); }
    void Text2_Change() { MarkDirty(); }
    void Text3_Change() { MarkDirty(); }
    void Text4_Change() { MarkDirty(); }
    void Text5_Change() { MarkDirty(); }
    void Text6_Change() { MarkDirty(); }
    void Text7_Change() { MarkDirty(); }
    void Text8_Change() { MarkDirty(); }
    void Text9_Change() { MarkDirty(); }
    void Text10_Change() { MarkDirty(); }
    void Label4_DblClick();
    void txtEdit_LostFocus();
    void Command1_Click();
    void Command2_Click();
    void List1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildInstrumentTab(QWidget* page);
    void BuildDetectorsTab(QWidget* page);
    void BuildMiscTab(QWidget* page);
    void BuildGpsTab(QWidget* page);
    void BuildDetectorTab(QWidget* page);

    // The seven instrument boxes: read-only in the window's button colour, or
    // open to typing on white.
    void LockInstrumentBoxes(bool locked);
    void MarkDirty();
    // ListSpectrumHeader with any failure of it reported: false then.
    bool ListReported();
    // What the editable controls showed when the file was listed or saved
    // last, so that a save can tell the fields the user changed.
    void RememberShownValues();
    bool Changed(const QWidget* control) const;

    bool SaveSpectrumHeader();
    // The new values of the fields the user changed, every field checked;
    // false after the message of the first one refused.
    bool CollectEdits(HeaderEdits& edits);
    bool CollectInstrumentEdits(HeaderEdits& edits);

    std::map<const QWidget*, QString> shown_;
};

// Shows a new header window modally on the main window's work list.
void ShowHeaderWindow();
