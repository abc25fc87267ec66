// "Splice Correct Gap": where the user picks how many channels splice
// correction averages on each side of a join.
#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

class frmSpliceCorrectGap : public QDialog {
    Q_OBJECT

public:
    // Opens on the entry of SpliceGap, or on none when SpliceGap is not 1..30.
    explicit frmSpliceCorrectGap(QWidget* parent = nullptr);

    // The gaps "1" to "30".
    QComboBox* cboGap = nullptr;
    // "&OK": SpliceGap := the gap shown, or 5 when none is; the form closes.
    QPushButton* cmdOK = nullptr;
    // "&Close": the form closes and SpliceGap stays as it was.
    QPushButton* cmdClose = nullptr;

private:
    void cmdOK_Click();
    void cmdClose_Click();
};

// The splice-correction launcher's first step, taken even with no file in the
// visible list: shows frmSpliceCorrectGap modally and lets it set SpliceGap.
// The run follows whichever button closed it.
void ShowSpliceCorrectGap();
