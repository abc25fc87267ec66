#include "ops/analysis/truncation_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/text/convert.h"
#include "platform/text/number.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"

frmInterp::frmInterp(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Interpolation Output"));
    List1 = new QListWidget(this);
    List1->setMinimumWidth(480);
    Frame1 = new QGroupBox(QStringLiteral("Select Output"), this);
    Label1[0] = new QLabel(QStringLiteral("Starting Wavelength:"), Frame1);
    Label1[1] = new QLabel(QStringLiteral("Ending Wavelength:"), Frame1);
    Text1 = new QLineEdit(Frame1);
    Text2 = new QLineEdit(Frame1);
    auto* boxes = new QGridLayout(Frame1);
    boxes->addWidget(Label1[0], 0, 0);
    boxes->addWidget(Text1, 0, 1);
    boxes->addWidget(Label1[1], 1, 0);
    boxes->addWidget(Text2, 1, 1);

    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("&Cancel"), this);
    auto* answerRow = new QHBoxLayout;
    answerRow->addStretch(1);
    answerRow->addWidget(Command1);
    answerRow->addWidget(Command2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1);
    layout->addWidget(Frame1);
    layout->addLayout(answerRow);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { reject(); });
    CenterForm(*this);
}

void frmInterp::setMaxMin(double value) {
    maxMin_ = value;
    Text1->setText(QString::fromStdString(CStrDouble(value)));
}

void frmInterp::setMinMax(double value) {
    minMax_ = value;
    Text2->setText(QString::fromStdString(CStrDouble(value)));
}

void frmInterp::Command1_Click() {
    double start = 0;
    double end = 0;
    bool failed = false;
    try {
        start = Val(Text1->text().toStdString());
    } catch (const VbError&) {
        failed = true;
    }
    try {
        end = Val(Text2->text().toStdString());
    } catch (const VbError&) {
        failed = true;
    }
    const std::string lower = CStrDouble(maxMin_);
    const std::string upper = CStrDouble(minMax_);
    if (failed || start < maxMin_ || start >= minMax_) {
        MsgBox(
            "Illegal Value for Starting Wavelength\r\nValue must be > " + lower + " and < " + upper,
            vbOKOnly + vbExclamation, AppTitle);
        return;
    }
    if (end > minMax_ || end <= maxMin_) {
        MsgBox(
            "Illegal Value for Ending Wavelength\r\nValue must be < " + upper + " and > " + lower,
            vbOKOnly + vbExclamation, AppTitle);
        return;
    }
    // A start at or past the end would leave the files without a channel.
    if (start >= end) {
        MsgBox("Illegal Value for Ending Wavelength\r\nValue must be > " + CStrDouble(start),
               vbOKOnly + vbExclamation, AppTitle);
        return;
    }
    maxMin_ = start;
    minMax_ = end;
    accept();
}

void frmInterp::reject() {
    maxMin_ = 0;
    minMax_ = 0;
    QDialog::reject();
}
