#include "ops/analysis/statistics_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame/batch_host.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"

namespace {

frmStats* LoadedForm = nullptr;

}  // namespace

frmStats::frmStats(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Statistics"));
    auto* layout = new QVBoxLayout(this);
    const char* captions[] = {"Mean", "Median", "Standard Deviation"};
    for (std::size_t i = 0; i < Check1.size(); ++i) {
        Check1[i] = new QCheckBox(QString::fromLatin1(captions[i]), this);
        layout->addWidget(Check1[i]);
    }
    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("&Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, [this] {
        cancel_ = false;
        accept();
    });
    connect(Command2, &QPushButton::clicked, this, [this] { reject(); });
    adjustSize();
    CenterForm(*this);
}

void frmStats::reject() {
    cancel_ = true;
    QDialog::reject();
}

frmStats& StatsForm() {
    if (LoadedForm == nullptr) {
        LoadedForm = new frmStats(nullptr);
    }
    return *LoadedForm;
}

void UnloadStatsForm() {
    delete LoadedForm;
    LoadedForm = nullptr;
}

bool CheckStatisticsFileCount() {
    if (MainHost().List1().ListCount() >= 2) {
        return true;
    }
    MsgBox("Statistical operations can't be performed on a single file!", vbOKOnly + vbExclamation,
           AppTitle);
    return false;
}

std::optional<int16_t> ChooseStatistics() {
    frmStats& form = StatsForm();
    ShowModal(form);
    if (form.Cancel()) {
        return std::nullopt;
    }
    DoEvents();
    int16_t selection = 0;
    const int16_t values[] = {1, 2, 4};
    for (std::size_t i = 0; i < form.Check1.size(); ++i) {
        if (form.Check1[i]->isChecked()) {
            selection = static_cast<int16_t>(selection + values[i]);
        }
    }
    return selection;
}
