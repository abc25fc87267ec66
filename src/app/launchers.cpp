// The main window's launchers: every batch operation starts here.

#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "frame/services.h"
#include "ops/analysis/custom_batch.h"
#include "ops/analysis/custom_dialog.h"
#include "ops/analysis/derivative_batch.h"
#include "ops/analysis/interpolation_batch.h"
#include "ops/analysis/lambda_integration.h"
#include "ops/analysis/statistics.h"
#include "ops/analysis/statistics_dialog.h"
#include "ops/calibration/absolute_reflectance.h"
#include "ops/calibration/log1r_batch.h"
#include "ops/calibration/nedl.h"
#include "ops/calibration/parabolic_correction.h"
#include "ops/calibration/quantum_intensity.h"
#include "ops/calibration/radiometric_batch.h"
#include "ops/calibration/reflectance_batch.h"
#include "ops/calibration/splice_correction.h"
#include "ops/calibration/splice_gap_dialog.h"
#include "platform/ui/ui.h"
#include "spectrum/state.h"
#include "views/state.h"

bool frmLVX::FillWorkList(bool hiding) {
    FileList& visible = List2();
    if (visible.ListCount() == 0) {
        return false;
    }
    FileList& work = List1();
    work.Clear();
    // The names are gathered first and handed over in one go; the current
    // entry ends on the last one copied, as when it was moved to each.
    std::vector<std::string> chosen;
    int last = -1;
    for (int i = 0; i < visible.ListCount(); ++i) {
        if (visible.Selected(i)) {
            chosen.push_back(visible.List(i));
            last = i;
        }
    }
    if (hiding) {
        list2_->hide();
    }
    if (chosen.empty()) {
        for (int i = 0; i < visible.ListCount(); ++i) {
            chosen.push_back(visible.List(i));
        }
        last = visible.ListCount() - 1;
    }
    work.AddItems(chosen);
    visible.SetListIndex(last);
    if (hiding) {
        list2_->show();
    }
    return true;
}

void frmLVX::TidyUp() {
    SetMousePointer(vbDefault);
    List1().Clear();
    if (List2().ListCount() == 0) {
        ResetMenus();
    }
}

namespace {

// No error of an operation may leave the menu command: the user is told and
// the window tidied up as after any run.
void RunGuarded(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const std::exception& error) {
        MsgBox(error.what(), vbOKOnly + vbCritical, AppTitle);
    }
}

// The launchers without checks of their own: fill, run, tidy up.
void RunPlainLauncher(frmLVX& window, const std::function<void()>& operation) {
    if (!window.FillWorkList(true)) {
        return;
    }
    RunGuarded(operation);
    window.TidyUp();
}

}  // namespace

void frmLVX::Reflectance() {
    RunPlainLauncher(*this, CreateReflectanceFiles);
}
void frmLVX::Log() {
    RunPlainLauncher(*this, CreateLog1RFiles);
}
void frmLVX::Deriv1() {
    RunPlainLauncher(*this, CreateFirstDerivativeFiles);
}
void frmLVX::Deriv2() {
    RunPlainLauncher(*this, CreateSecondDerivativeFiles);
}
void frmLVX::Interp() {
    RunPlainLauncher(*this, InterpolateFiles);
}
void frmLVX::Qicalc() {
    RunPlainLauncher(*this, CreateQuantumIntensityFiles);
}
void frmLVX::Rcalc() {
    RunPlainLauncher(*this, CreateRadiometricFiles);
}
void frmLVX::PCorr() {
    RunPlainLauncher(*this, ParabolicCorrectFiles);
}

void frmLVX::SCorr() {
    // The gap is chosen first, even with nothing to correct.
    RunGuarded(ShowSpliceCorrectGap);
    RunPlainLauncher(*this, SpliceCorrectFiles);
}

void frmLVX::Nedl() {
    if (!FillWorkList(true)) {
        return;
    }
    if (List1().ListCount() < 30) {
        MsgBox("NEDL operations require at least 30 files!", vbOKOnly + vbExclamation, AppTitle);
    } else {
        DoEvents();
        // The operation puts the pointer back itself.
        RunGuarded(CreateNedlFile);
    }
    List1().Clear();
}

void frmLVX::Custom(int16_t Operation, float Constant, const std::string& FileName,
                    int16_t UseList) {
    if (!FillWorkList(true)) {
        return;
    }
    // A count that does not match ends here; the work list stays until the
    // next launcher clears it.
    if (!CheckCorrespondingFiles(UseList)) {
        return;
    }
    RunGuarded([&] { CreateCustomArithmeticFiles(Operation, Constant, FileName, UseList); });
    TidyUp();
}

void frmLVX::mnuCustom_Click() {
    if (const auto chosen = ChooseCustomArithmetic()) {
        Custom(chosen->Operation, chosen->Constant, chosen->FileName, chosen->UseList);
    }
}

// Not a launcher of the window's interface, but the same steps.
void frmLVX::mnuAbsoluteReflectance_Click() {
    RunPlainLauncher(*this, CreateAbsoluteReflectanceFiles);
}

void frmLVX::LamInt() {
    RunPlainLauncher(*this, IntegrateLambdaBands);
}

void frmLVX::Stats() {
    if (!FillWorkList(true)) {
        return;
    }
    if (CheckStatisticsFileCount()) {
        RunGuarded([] {
            // Nothing chosen, or Cancel: no run. The operation puts the
            // pointer back itself.
            if (const auto selection = ChooseStatistics(); selection && *selection > 0) {
                CreateStatisticsFiles(*selection);
            }
        });
        UnloadStatsForm();
    }
    List1().Clear();
}

void frmLVX::ASCII() {
    if (!FillWorkList(true)) {
        return;
    }
    RunGuarded(Exports.ShowAsciiExport);
    List1().Clear();
}

void frmLVX::Jcamp() {
    if (!FillWorkList(true)) {
        return;
    }
    if (List1().ListCount() >= 2) {
        const int answer = MsgBox(
            "Lumivex can create a single JCAMP-DX file from all the selected files\r\n\r\n"
            "Would you like to make a single file",
            vbYesNoCancel + vbInformation + vbDefaultButton2, AppTitle);
        SetMousePointer(vbHourglass);
        if (answer == vbYes) {
            RunGuarded(Exports.ExportJcampMultiFile);
        } else if (answer == vbNo) {
            RunGuarded(Exports.ExportJcampFiles);
        }
    } else {
        SetMousePointer(vbHourglass);
        RunGuarded(Exports.ExportJcampFiles);
    }
    SetMousePointer(vbDefault);
    List1().Clear();
}

void frmLVX::BandL() {
    RunPlainLauncher(*this, Exports.ExportBranLuebbeFiles);
}

void frmLVX::mnuImportXY_Click() {
    RunPlainLauncher(*this, Exports.ImportAsciiXYFiles);
}

void frmLVX::mnuGPSLog_Click() {
    // The work list stays filled: the next command that fills it clears it.
    if (!FillWorkList(false)) {
        return;
    }
    SetMousePointer(vbHourglass);
    RunGuarded(Exports.CreateGpsLogFile);
}

void frmLVX::mnuHeader_Click() {
    if (!FillWorkList(false)) {
        return;
    }
    RunGuarded(Views.ShowHeaderWindow);
    TidyUp();
}

void frmLVX::mnuColorimetry_Click() {
    FileList& visible = List2();
    if (visible.ListCount() == 0) {
        return;
    }
    // The window gets the chosen files; the work list is not touched.
    std::vector<std::string> files;
    for (int i = 0; i < visible.ListCount(); ++i) {
        if (visible.Selected(i)) {
            files.push_back(visible.List(i));
        }
    }
    if (files.empty()) {
        for (int i = 0; i < visible.ListCount(); ++i) {
            files.push_back(visible.List(i));
        }
    }
    // The hourglass is this window's own: the colorimetry window opens over it
    // with the ordinary pointer.
    setCursor(Qt::WaitCursor);
    RunGuarded([&] { Views.ShowColorimetryWindow(files); });
    unsetCursor();
}

void frmLVX::mnuGraph_Click() {
    PlotFormat = 0;
    PlotDeriv = 0;
    HasEmbeddedReference = false;
    // Starting points of the running minimum and maximum, not a range.
    GraphMinWavelength = 2500;
    GraphMaxWavelength = 350;
    if (FillWorkList(false)) {
        SetMousePointer(vbHourglass);
        RunGuarded([this] {
            Views.InitGraph(static_cast<int16_t>(List1().ListCount()));
            if (Views.PlotSpectra()) {
                Views.ShowGraph();
            }
        });
        SetMousePointer(vbDefault);
    }
    RunGuarded(Views.ShowFormatMenu);
}

void frmLVX::HideUnavailableItems() {
    const std::pair<QAction*, bool> items[] = {
        {mnuFRAscii, bool(Exports.ShowAsciiExport)},
        {mnuImportXY, bool(Exports.ImportAsciiXYFiles)},
        {mnuFRJcamp, bool(Exports.ExportJcampFiles) && bool(Exports.ExportJcampMultiFile)},
        {mnuBra, bool(Exports.ExportBranLuebbeFiles)},
        {mnuGPSLog, bool(Exports.CreateGpsLogFile)},
        {mnuColorimetry, bool(Views.ShowColorimetryWindow)},
        {mnuGraph, Views.InitGraph && Views.PlotSpectra && Views.ShowGraph && Views.ShowFormatMenu},
        {mnuHeader, bool(Views.ShowHeaderWindow)},
    };
    for (const auto& [item, available] : items) {
        item->setVisible(available);
    }
}
