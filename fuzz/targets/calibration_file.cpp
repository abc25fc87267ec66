// Arbitrary bytes as a lamp, baseline or instrument-response file: the parser
// must refuse or accept them without reading outside the buffer, allocating
// from an unchecked count or crashing.

#include <cstddef>
#include <cstdint>

#include "ops/calibration/kernels/calibration_file.h"
#include "spectrum/bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CalibrationFileContent file;
    try {
        ParseCalibrationFile(data, size, file);
    } catch (const spectrum::FileFormatError&) {
    }
    return 0;
}
