#include "io/bran_luebbe_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame/settings.h"
#include "platform/ui/center.h"

frmBranLuebbe::frmBranLuebbe(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Bran+Luebbe"));
    // Made in the order the form reads, which is the order Tab takes.
    txtCoefficients = new QLineEdit(QStringLiteral("Select B+L Coefficient File"), this);
    cmdCoefficients = new QPushButton(QStringLiteral("..."), this);
    chkMulti = new QCheckBox(QStringLiteral("Use Multiplicative Coefficients"), this);
    chkAdd = new QCheckBox(QStringLiteral("Use Addtive Coefficients"), this);
    txtBLModel = new QLineEdit(QStringLiteral("Select B+L Model File"), this);
    cmdBLModel = new QPushButton(QStringLiteral("..."), this);
    chkPredict = new QCheckBox(QStringLiteral("Predict Concentrations"), this);
    Command3 = new QPushButton(QStringLiteral("OK"), this);
    Command3->setDefault(true);
    Command4 = new QPushButton(QStringLiteral("Cancel"), this);

    auto* files = new QGridLayout;
    files->addWidget(txtCoefficients, 0, 0);
    files->addWidget(cmdCoefficients, 0, 1);
    files->addWidget(chkMulti, 1, 0);
    files->addWidget(chkAdd, 2, 0);
    files->addWidget(txtBLModel, 3, 0);
    files->addWidget(cmdBLModel, 3, 1);
    files->addWidget(chkPredict, 4, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command3);
    buttons->addWidget(Command4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addLayout(buttons);

    connect(cmdBLModel, &QPushButton::clicked, this, [this] { cmdBLModel_Click(); });
    connect(cmdCoefficients, &QPushButton::clicked, this, [this] { cmdCoefficients_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] {
        ok_ = true;
        accept();
    });
    connect(Command4, &QPushButton::clicked, this, [this] { reject(); });
}

void frmBranLuebbe::Form_Load() {
    CenterForm(*this);
    txtBLModel->setText(QString::fromStdString(mFile_));
    txtCoefficients->setText(QString::fromStdString(cFile_));
}

void frmBranLuebbe::reject() {
    ok_ = false;
    QDialog::reject();
}

std::string frmBranLuebbe::Browse(const char* title, const char* filter) {
    try {
        CommonDialog1.CancelError = true;
        CommonDialog1.InitDir = InputDirectory;
        CommonDialog1.DialogTitle = title;
        CommonDialog1.MaxFileSize = 20000;
        CommonDialog1.FileName.clear();
        CommonDialog1.Filter = filter;
        CommonDialog1.Flags = cdlOFNFileMustExist | cdlOFNHideReadOnly | cdlOFNExplorer |
                              cdlOFNNoDereferenceLinks | cdlOFNLongNames;
        CommonDialog1.ShowOpen();
        return CommonDialog1.FileName;
    } catch (const CommonDialogCancel&) {
        return {};
    }
}

void frmBranLuebbe::cmdBLModel_Click() {
    const std::string path =
        Browse("Select Bran+Luebbe Model File", "B+L Coefficients (*.BLM)|*.BLM");
    if (!path.empty()) {
        mFile_ = path;
        txtBLModel->setText(QString::fromStdString(path));
    }
}

void frmBranLuebbe::cmdCoefficients_Click() {
    const std::string path =
        Browse("Select Bran+Luebbe Coefficient File", "B+L Coefficients (*.BLC)|*.BLC");
    if (!path.empty()) {
        cFile_ = path;
        txtCoefficients->setText(QString::fromStdString(path));
    }
}
