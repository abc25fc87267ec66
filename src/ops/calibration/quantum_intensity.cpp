#include "ops/calibration/quantum_intensity.h"

#include "frame/batch_pattern.h"
#include "ops/calibration/kernels/quantum_intensity.h"
#include "platform/ui/ui.h"
#include "spectrum/stamps.h"
#include "spectrum/state.h"

namespace {

class QuantumIntensityBatch : public BatchOperation {
public:
    QuantumIntensityBatch() {
        Extension = ".qic";
        ZeroBasedProgress = true;
        PromptSecondLine = "Yes to Overwrite   No to Skip ";
        OnNo = NoAnswer::SkipsFile;
        ResetPlotState = false;
    }

    // Whatever the file's version, an irradiance file holds the irradiance
    // itself: the weighting uses this file's values and nothing else.
    BatchStep BeforePrompt(BatchFile&) override {
        if (CurrentHeader.DataType == Irradiance) {
            return BatchStep::Continue;
        }
        const int answer = MsgBox("Bad File Type...QICalc is performed on Irradiance files only!",
                                  vbOKCancel + vbExclamation, AppTitle);
        return answer == vbOK ? BatchStep::Skip : BatchStep::EndRun;
    }

    std::vector<uint8_t> Write(BatchFile&) override {
        const std::vector<double> qi =
            ComputeQuantumIntensity(SpectrumData, CurrentHeader.ChannelCount,
                                    CurrentHeader.Channel1Wavelength, CurrentHeader.WavelengthStep);
        SpectrumHeader header;
        // The header counts the values that follow it.
        MakeQiHeader(header, CurrentHeader, static_cast<int16_t>(qi.size()));
        SetFileSignature(1, header);
        std::vector<uint8_t> bytes;
        AppendHeader(bytes, header);
        AppendSingles(bytes, qi);
        return bytes;
    }
};

}  // namespace

void CreateQuantumIntensityFiles() {
    QuantumIntensityBatch batch;
    RunBatch(batch);
}
