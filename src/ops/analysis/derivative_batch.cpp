#include "ops/analysis/derivative_batch.h"

#include "frame/batch_pattern.h"
#include "frame/settings.h"
#include "ops/analysis/derivative_gap.h"
#include "ops/analysis/kernels/transforms.h"
#include "ops/analysis/spectral_transforms.h"
#include "spectrum/state.h"

namespace {

class DerivativeBatch : public BatchOperation {
public:
    explicit DerivativeBatch(bool second) : second_(second) {
        Extension = second ? ".dv2" : ".dv1";
        ProcessedText = " Files Processed.";
    }

    BatchStep BeforeRun() override {
        // The dialog has no cancel: "&Close" runs the batch with gap 5.
        SelectDerivativeGap();
        if (second_) {
            PlotFormat = 0;
            PlotDeriv = 0;
        }
        return BatchStep::Continue;
    }

    BatchStep BeforePrompt(BatchFile&) override {
        if (FileVersion < 2) {
            // Version-1 files already hold reflectance, transmittance or
            // log 1/R: they are differentiated as stored, and the display is
            // left alone.
            GapDifference(SpectrumData, DerivativeGap, FirstDerivData);
            if (second_) {
                GapDifference(FirstDerivData, DerivativeGap, SecondDerivData);
            }
        } else if (ReferenceRecord.ReferenceFlag == 0) {
            CurrentHeader.DataType = Unknown;
        } else if (!Transform()) {
            // The arrays still hold an earlier file's derivative.
            return BatchStep::Skip;
        }
        const uint8_t type = CurrentHeader.DataType;
        if (type != Reflectance && type != Transmittance && type != Absorbance) {
            return BatchStep::Skip;
        }
        return BatchStep::Continue;
    }

    std::vector<uint8_t> Write(BatchFile&) override {
        const std::vector<double>& values = second_ ? SecondDerivData : FirstDerivData;
        StampDerivedHeader(CurrentHeader, CurrentHeader.DataType);
        // Legacy data holds 512 values whatever its header says; the output
        // must say how many it holds, or no reader could take it back.
        CurrentHeader.ChannelCount = static_cast<int16_t>(values.size());
        std::vector<uint8_t> bytes;
        AppendHeader(bytes, CurrentHeader);
        AppendSingles(bytes, values);
        return bytes;
    }

private:
    bool Transform() const {
        if (CurrentHeader.DataType == Absorbance) {
            return second_ ? ComputeLog1RDeriv2() : ComputeLog1RDeriv1();
        }
        return second_ ? ComputeReflectanceDeriv2() : ComputeReflectanceDeriv1();
    }

    bool second_;
};

}  // namespace

void CreateFirstDerivativeFiles() {
    DerivativeBatch batch(false);
    RunBatch(batch);
}

void CreateSecondDerivativeFiles() {
    DerivativeBatch batch(true);
    RunBatch(batch);
}
