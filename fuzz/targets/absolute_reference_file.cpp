// Arbitrary bytes as an absolute-reference file: the parser must refuse or
// accept them without reading outside the buffer, allocating from an unchecked
// count or crashing, and the factors it yields must be applicable.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ops/calibration/kernels/absolute_reference.h"
#include "spectrum/bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    AbsoluteReferenceContent file;
    try {
        if (ParseAbsoluteReference(data, size, file)) {
            const std::vector<double> reflectance(file.Values.size() + 1, 0.5);
            std::vector<double> out;
            ApplyAbsoluteFactors(reflectance, file.Values, out);
            ApplyAbsoluteFactors(file.Values, file.Values, out);
        }
    } catch (const spectrum::FileFormatError&) {
    }
    return 0;
}
