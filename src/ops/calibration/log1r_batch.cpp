#include "ops/calibration/log1r_batch.h"

#include "frame/batch_pattern.h"
#include "ops/calibration/kernels/log1r.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"

namespace {

class Log1RBatch : public BatchOperation {
public:
    Log1RBatch() { Extension = ".abs"; }

    BatchStep BeforePrompt(BatchFile&) override {
        if (FileVersion >= 2) {
            // Whatever the stored kind, a usable reference makes it reflectance.
            if (ReferenceRecord.ReferenceFlag != 0) {
                if (!ComputeReflectance()) {
                    return BatchStep::Skip;
                }
                CurrentHeader.DataType = Reflectance;
            } else {
                CurrentHeader.DataType = Unknown;
            }
        } else {
            ReflectanceData = SpectrumData;
        }
        const bool usable =
            CurrentHeader.DataType == Reflectance || CurrentHeader.DataType == Transmittance;
        return usable ? BatchStep::Continue : BatchStep::Skip;
    }

    std::vector<uint8_t> Write(BatchFile&) override {
        StampDerivedHeader(CurrentHeader, Absorbance);
        // Legacy data holds 512 values whatever its header says.
        CurrentHeader.ChannelCount = static_cast<int16_t>(ReflectanceData.size());
        std::vector<double> absorbance(ReflectanceData.size());
        for (std::size_t i = 0; i < absorbance.size(); ++i) {
            absorbance[i] = Log1RValue(ReflectanceData[i]);
        }
        std::vector<uint8_t> bytes;
        AppendHeader(bytes, CurrentHeader);
        AppendSingles(bytes, absorbance);
        return bytes;
    }
};

}  // namespace

void CreateLog1RFiles() {
    Log1RBatch batch;
    RunBatch(batch);
}
