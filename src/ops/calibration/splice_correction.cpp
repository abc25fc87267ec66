#include "ops/calibration/splice_correction.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "frame/batch_pattern.h"
#include "ops/calibration/absolute_reflectance.h"
#include "ops/calibration/kernels/splice.h"
#include "ops/calibration/state.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/stamps.h"
#include "spectrum/state.h"

namespace {

// The gap the main window starts with; a gap that cannot be averaged over
// (below 1, or beyond the 16-bit count the batch keeps) falls back to it.
constexpr int32_t StartingGap = 5;

int32_t GapInUse() {
    return SpliceGap >= 1 && SpliceGap <= std::numeric_limits<int16_t>::max() ? SpliceGap
                                                                              : StartingGap;
}

// ReflectanceData for the loaded spectrum, and its DataType as the correction
// sees it. False when the file cannot give one (it has then been reported by
// the routine that failed, or is simply passed over).
bool PrepareReflectance() {
    if (FileVersion == 1) {
        ReflectanceData = SpectrumData;
        return true;
    }
    if (CurrentHeader.ApplicationCode != AppAbsoluteReflectance) {
        if (ReferenceRecord.ReferenceFlag == 0) {
            CurrentHeader.DataType = Unknown;
            return true;
        }
        if (!ComputeReflectance()) {
            return false;
        }
        CurrentHeader.DataType = Reflectance;
        return true;
    }
    if (ComputeAbsoluteReflectance() == -1) {
        CurrentHeader.DataType = Unknown;
        return true;
    }
    const std::size_t shared = std::min(ReflectanceData.size(), AbsoluteReflectanceData.size());
    std::copy_n(AbsoluteReflectanceData.begin(), shared, ReflectanceData.begin());
    return true;
}

void Refuse(const std::string& name, const std::string& why) {
    MsgBox(name + " can't be splice corrected: " + why, vbOKOnly + vbExclamation, AppTitle);
}

class SpliceCorrectionBatch : public BatchOperation {
public:
    SpliceCorrectionBatch() {
        Extension = ".sco";
        OnNo = NoAnswer::SkipsFile;
    }

    BatchStep BeforePrompt(BatchFile& file) override {
        const std::string& name = file.InputPath;
        if (CurrentHeader.Flags[0] & FlagCorrected) {
            MsgBox(name + " has already been corrected", vbOKOnly + vbInformation, AppTitle);
            return BatchStep::Skip;
        }
        if (!PrepareReflectance()) {
            return BatchStep::Skip;
        }
        if (CurrentHeader.DataType != Reflectance && CurrentHeader.DataType != Transmittance) {
            return BatchStep::Skip;
        }
        if (!IsSpliceInstrument(CurrentHeader.InstrumentType)) {
            const int answer =
                MsgBox(name + " is not a Hollin FR file\r\n" +
                           "Only Hollin FR Files can be corrected. \r\n" + "Skip this File? ",
                       vbOKCancel + vbInformation, AppTitle);
            return answer == vbOK ? BatchStep::Skip : BatchStep::EndRun;
        }
        const SpliceCorrection correction = SpliceCorrectSpectrum(
            ReflectanceData, CurrentHeader.Channel1Wavelength, CurrentHeader.Splice1Wavelength,
            CurrentHeader.Splice2Wavelength, GapInUse());
        switch (correction.Outcome) {
            case SpliceOutcome::Corrected:
                return BatchStep::Continue;
            case SpliceOutcome::NoSignalBeforeFirstSplice:
                // One dark file is no reason to stop the others.
                Refuse(name, "no signal before the first splice.");
                return BatchStep::Skip;
            case SpliceOutcome::FirstSpliceOutside:
                Refuse(name, "the first splice lies outside the spectrum.");
                return BatchStep::Skip;
            case SpliceOutcome::SecondSpliceOutside:
                Refuse(name, "the second splice lies outside the spectrum.");
                return BatchStep::Skip;
        }
        return BatchStep::Skip;
    }

    std::vector<uint8_t> Write(BatchFile&) override {
        // The application code and data stay as read: an absolute reflectance
        // keeps the name of its reference.
        SetFileSignature(1, CurrentHeader);
        CurrentHeader.Flags[0] |= FlagCorrected;
        std::vector<uint8_t> bytes;
        AppendHeader(bytes, CurrentHeader);
        AppendSingles(bytes, ReflectanceData);
        return bytes;
    }
};

}  // namespace

void SpliceCorrectFiles() {
    SpliceCorrectionBatch batch;
    RunBatch(batch);
}
