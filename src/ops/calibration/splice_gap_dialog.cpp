#include "ops/calibration/splice_gap_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ops/calibration/state.h"
#include "platform/ui/ui.h"

namespace {

constexpr int32_t LargestGap = 30;
// What OK leaves when no gap is shown.
constexpr int32_t DefaultGap = 5;

}  // namespace

frmSpliceCorrectGap::frmSpliceCorrectGap(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Splice Correct Gap"));
    cboGap = new QComboBox(this);
    for (int32_t gap = 1; gap <= LargestGap; ++gap) {
        cboGap->addItem(QString::number(gap));
    }
    cboGap->setCurrentIndex(SpliceGap >= 1 && SpliceGap <= LargestGap ? SpliceGap - 1 : -1);

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cboGap);
    layout->addLayout(buttons);
    // This dialog has always opened where the window system puts it rather
    // than centred.
    adjustSize();
}

void frmSpliceCorrectGap::cmdOK_Click() {
    const int index = cboGap->currentIndex();
    SpliceGap = index >= 0 ? index + 1 : DefaultGap;
    accept();
}

void frmSpliceCorrectGap::cmdClose_Click() {
    reject();
}

void ShowSpliceCorrectGap() {
    frmSpliceCorrectGap form(QApplication::activeWindow());
    ShowModal(form);
}
