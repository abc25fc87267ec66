// Arbitrary bytes as a table file beside the colorimetry control: the reader
// must fill the table or refuse the text with one of its two faults, never
// write past the 471 values.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cie/table_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CieTableValues table{};
    try {
        ParseTableText(std::string_view(reinterpret_cast<const char*>(data), size), "CIE_A", table);
    } catch (const CieError& e) {
        if (e.Fault() != CieFault::TypeMismatch && e.Fault() != CieFault::TooManyValues) {
            std::abort();
        }
    }
    return 0;
}
