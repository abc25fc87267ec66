// Arbitrary bytes as the operand file of custom arithmetic: the reader must
// refuse or accept them without reading outside the buffer, allocating from an
// unchecked count or crashing.

#include <cstddef>
#include <cstdint>

#include "ops/analysis/kernels/spectrum_arrays.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    SpectrumArrays file;
    try {
        ParseSpectrumArrays(data, size, file);
    } catch (const spectrum::FileFormatError&) {
    }
    return 0;
}
