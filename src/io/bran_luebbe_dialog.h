// The set-up of the Bran+Luebbe export: which tables, whether to predict, and
// the coefficient and model files.
#pragma once

#include <QDialog>
#include <string>

#include "platform/ui/common_dialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class frmBranLuebbe : public QDialog {
    Q_OBJECT

public:
    explicit frmBranLuebbe(QWidget* parent = nullptr);

    // The form's own file dialog, for the two browse buttons.
    CommonDialog CommonDialog1;
    QPushButton* Command4 = nullptr;  // "Cancel"
    QPushButton* Command3 = nullptr;  // "OK"
    QCheckBox* chkPredict = nullptr;
    QPushButton* cmdBLModel = nullptr;
    QLineEdit* txtBLModel = nullptr;
    QPushButton* cmdCoefficients = nullptr;
    QLineEdit* txtCoefficients = nullptr;
    QCheckBox* chkAdd = nullptr;
    QCheckBox* chkMulti = nullptr;

    bool ok() const { return ok_; }
    const std::string& CFile() const { return cFile_; }
    void SetCFile(const std::string& path) { cFile_ = path; }
    const std::string& MFile() const { return mFile_; }
    void SetMFile(const std::string& path) { mFile_ = path; }

    // Centres the form and shows the two paths; called once the caller has
    // preset them, before the form is shown.
    void Form_Load();

    // Esc and the title bar's close button are Cancel.
    void reject() override;

private:
    void cmdBLModel_Click();
    void cmdCoefficients_Click();
    // The chosen file, or the empty text after Cancel.
    std::string Browse(const char* title, const char* filter);

    bool ok_ = false;
    std::string cFile_;
    std::string mFile_;
};
