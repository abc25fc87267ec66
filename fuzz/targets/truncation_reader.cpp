// Arbitrary bytes as a file to cut to a new range: whatever the file and the
// range (taken from the file's own header fields), reading, choosing the
// channels to keep and writing the cut file stay inside the values read.

#include <cstddef>
#include <cstdint>

#include "ops/analysis/kernels/spectrum_arrays.h"
#include "ops/analysis/kernels/truncation_window.h"
#include "spectrum/stamps.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    SpectrumArrays file;
    try {
        if (!ParseSpectrumArrays(data, size, file)) {
            return 0;
        }
    } catch (const spectrum::FileFormatError&) {
        return 0;
    }
    const SpectrumHeader& header = file.Header;
    int available = static_cast<int>(file.Values.size());
    if (file.HasReference && file.ReferenceValues.size() < file.Values.size()) {
        available = static_cast<int>(file.ReferenceValues.size());
    }
    const double start = header.Channel1Wavelength;
    const double end = start + (available - 1) * static_cast<double>(header.WavelengthStep);
    const auto window = ComputeTruncationWindow(available, start, end, header.XMin, header.XMax,
                                                header.WavelengthStep);
    if (!window) {
        return 0;
    }
    const auto first = static_cast<std::size_t>(window->First);
    const auto count = static_cast<std::size_t>(window->Count);
    std::vector<double> values(file.Values.begin() + first, file.Values.begin() + first + count);
    std::vector<double> reference;
    if (file.HasReference) {
        reference.assign(file.ReferenceValues.begin() + first,
                         file.ReferenceValues.begin() + first + count);
    }
    SpectrumHeader cut;
    MakeInterpolatedHeader(cut, header, header.XMin, header.WavelengthStep,
                           static_cast<int16_t>(count));
    SpectrumArraysBytes(cut, file.Version, values, file.Reference, reference);
    return 0;
}
