// The main window's launchers: every batch operation starts here.

#include <functional>

#include "app/main_window.h"
#include "ops/analysis/custom_batch.h"
#include "ops/analysis/custom_dialog.h"
#include "ops/analysis/derivative_batch.h"
#include "ops/analysis/interpolation_batch.h"
#include "ops/calibration/absolute_reflectance.h"
#include "ops/calibration/log1r_batch.h"
#include "ops/calibration/parabolic_correction.h"
#include "ops/calibration/radiometric_batch.h"
#include "ops/calibration/splice_correction.h"
#include "ops/calibration/splice_gap_dialog.h"
#include "ops/calibration/nedl.h"
#include "ops/calibration/quantum_intensity.h"
#include "ops/calibration/reflectance_batch.h"
#include "platform/ui/ui.h"

bool frmLVX::FillWorkList(bool hiding) {
    FileList& visible = List2();
    if (visible.ListCount() == 0) {
        return false;
    }
    FileList& work = List1();
    work.Clear();
    for (int i = 0; i < visible.ListCount(); ++i) {
        if (visible.Selected(i)) {
            visible.SetListIndex(i);
            work.AddItem(visible.List(i));
        }
    }
    if (hiding) {
        list2_->hide();
    }
    if (work.ListCount() == 0) {
        for (int i = 0; i < visible.ListCount(); ++i) {
            visible.SetListIndex(i);
            work.AddItem(visible.List(i));
        }
    }
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
void RunPlainLauncher(frmLVX& window, void (*operation)()) {
    if (!window.FillWorkList(true)) {
        return;
    }
    RunGuarded(operation);
    window.TidyUp();
}

}  // namespace

void frmLVX::Reflectance() { RunPlainLauncher(*this, CreateReflectanceFiles); }
void frmLVX::Log() { RunPlainLauncher(*this, CreateLog1RFiles); }
void frmLVX::Deriv1() { RunPlainLauncher(*this, CreateFirstDerivativeFiles); }
void frmLVX::Deriv2() { RunPlainLauncher(*this, CreateSecondDerivativeFiles); }
void frmLVX::Interp() { RunPlainLauncher(*this, InterpolateFiles); }
void frmLVX::Qicalc() { RunPlainLauncher(*this, CreateQuantumIntensityFiles); }
void frmLVX::Rcalc() { RunPlainLauncher(*this, CreateRadiometricFiles); }
void frmLVX::PCorr() { RunPlainLauncher(*this, ParabolicCorrectFiles); }

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
