#include "ops/calibration/radiometric_batch.h"

#include "frame/batch_pattern.h"
#include "ops/calibration/calibration_files.h"
#include "ops/calibration/radiometric_conversion.h"
#include "spectrum/stamps.h"
#include "spectrum/state.h"

namespace {

class RadiometricBatch : public BatchOperation {
public:
    RadiometricBatch() {
        ZeroBasedProgress = true;
        PromptSecondLine = "Yes to Overwrite   No to Skip ";
        OnNo = NoAnswer::SkipsFile;
    }

    BatchStep OutputName(BatchFile& file) override {
        file.OutputPath = BatchOutputName(file.InputPath, ConvertsToRadiance() ? ".rad" : ".irr");
        return BatchStep::Continue;
    }

    // The prompt comes first: the calibration is only looked for once the
    // output may be written.
    BatchStep AfterPrompt(BatchFile& file) override {
        constexpr CalibrationCaller caller = CalibrationCaller::RadiometricBatch;
        const bool stored =
            CurrentHeader.DataType == Radiance || CurrentHeader.DataType == Irradiance;
        if (stored && FileVersion < 7) {
            return BatchStep::Skip;
        }
        // A fresh calibration for every input: values left from an earlier
        // file would calibrate this one with another file's times and gains.
        CalibrationSet set;
        CalibrationOutcome outcome =
            stored ? UseEmbeddedCalibration(caller, file.InputPath, ConvertsToRadiance(), set)
                   : LoadCalibrationFiles(caller, CurrentHeader, file.InputPath, set);
        if (outcome == CalibrationOutcome::Ready) {
            outcome = CheckRadiometricCalibration(caller, file.InputPath, CurrentHeader,
                                                  CurrentHeader.InstrumentType, set);
        }
        switch (outcome) {
            case CalibrationOutcome::Ready:
                break;
            case CalibrationOutcome::SkipFile:
                return BatchStep::Skip;
            case CalibrationOutcome::EndRun:
                return BatchStep::EndRun;
        }
        out_ = ApplyRadiometricCalibration(set);
        return BatchStep::Continue;
    }

    std::vector<uint8_t> Write(BatchFile&) override {
        // The application code and data of the input travel with its values.
        SpectrumHeader header;
        if (ConvertsToRadiance()) {
            MakeRadianceHeader(header, CurrentHeader);
        } else {
            MakeIrradianceHeader(header, CurrentHeader);
        }
        SetFileSignature(1, header);
        std::vector<uint8_t> bytes;
        AppendHeader(bytes, header);
        AppendSingles(bytes, out_);
        return bytes;
    }

private:
    std::vector<double> out_;
};

}  // namespace

void CreateRadiometricFiles() {
    RadiometricBatch batch;
    RunBatch(batch);
}
