#include "ops/calibration/reflectance_batch.h"

#include "frame/batch_pattern.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"

namespace {

class ReflectanceBatch : public BatchOperation {
public:
    ReflectanceBatch() { Extension = ".ref"; }

    BatchStep BeforePrompt(BatchFile&) override {
        // Only files with a usable stored reference have a reflectance; the
        // stored data type does not matter.
        if (FileVersion < 2 || ReferenceRecord.ReferenceFlag == 0) {
            return BatchStep::Skip;
        }
        return ComputeReflectance() ? BatchStep::Continue : BatchStep::Skip;
    }

    std::vector<uint8_t> Write(BatchFile&) override {
        StampDerivedHeader(CurrentHeader, Reflectance);
        // Legacy data holds 512 values whatever its header says; the output
        // says how many it holds, or no reader could take it back.
        CurrentHeader.ChannelCount = static_cast<int16_t>(ReflectanceData.size());
        std::vector<uint8_t> bytes;
        AppendHeader(bytes, CurrentHeader);
        AppendSingles(bytes, ReflectanceData);
        return bytes;
    }
};

}  // namespace

void CreateReflectanceFiles() {
    ReflectanceBatch batch;
    RunBatch(batch);
}
