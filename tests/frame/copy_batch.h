// The operation the batch loop's tests run.
#pragma once

#include "frame/batch_pattern.h"
#include "spectrum/state.h"

// Copies each input's values as Singles; a value of 13 in channel 0 makes the
// input unfit.
class CopyBatch : public BatchOperation {
public:
    CopyBatch() { Extension = ".cpy"; }
    BatchStep BeforePrompt(BatchFile&) override {
        return SpectrumData.at(0) == 13 ? BatchStep::Skip : BatchStep::Continue;
    }
    std::vector<uint8_t> Write(BatchFile&) override {
        StampDerivedHeader(CurrentHeader, NoUnits);
        std::vector<uint8_t> bytes;
        AppendHeader(bytes, CurrentHeader);
        AppendSingles(bytes, SpectrumData);
        return bytes;
    }
};
