// Arbitrary bytes as a spectrum file: the reader must refuse or accept them
// without reading outside the buffer, allocating from an unchecked count or
// crashing.

#include <cstddef>
#include <cstdint>

#include "spectrum/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    LoadedSpectrum file;
    try {
        ParseSpectrumFile(data, size, file);
    } catch (const spectrum::FileFormatError&) {
    }
    return 0;
}
