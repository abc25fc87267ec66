// The statistics dialog: which of the mean, median and standard deviation to
// make; and the steps the Stats launcher takes around it.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QPushButton;

class frmStats : public QDialog {
    Q_OBJECT

public:
    explicit frmStats(QWidget* parent = nullptr);

    // 0 "Mean", 1 "Median", 2 "Standard Deviation"; unticked on load.
    std::array<QCheckBox*, 3> Check1{};
    QPushButton* Command1 = nullptr;  // "&OK"
    QPushButton* Command2 = nullptr;  // "&Cancel"

    // True when the dialog was last closed with "&Cancel" (or Esc).
    bool Cancel() const { return cancel_; }

    void reject() override;

private:
    bool cancel_ = false;
};

// The loaded instance, loaded at its first use.
frmStats& StatsForm();
// Unloads it; the next use starts with every box unticked.
void UnloadStatsForm();

// The launcher's check: true when the work list holds at least two files,
// otherwise false after "Statistical operations can't be performed on a single
// file!".
bool CheckStatisticsFileCount();

// Shows the dialog modally. Nothing after Cancel; after OK the pending events
// run once and the selection of the ticked boxes (1 mean + 2 median + 4
// standard deviation) comes back, 0 when none is ticked. The dialog stays
// loaded until UnloadStatsForm.
std::optional<int16_t> ChooseStatistics();
