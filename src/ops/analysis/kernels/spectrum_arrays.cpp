#include "ops/analysis/kernels/spectrum_arrays.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "spectrum/bytes.h"
#include "spectrum/reader.h"

using spectrum::ByteReader;
using spectrum::ByteWriter;
using spectrum::FileFormatError;

namespace {

// A result beyond the Single range is stored as the infinity it rounds to;
// the plain conversion of such a value is not defined.
float ToSingle(double v) {
    if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<float>::max()) {
        const float infinity = std::numeric_limits<float>::infinity();
        return v > 0 ? infinity : -infinity;
    }
    return static_cast<float>(v);
}

}  // namespace

bool ParseSpectrumArrays(const uint8_t* bytes, std::size_t size, SpectrumArrays& file) {
    file = SpectrumArrays{};
    ByteReader in(bytes, size);
    if (size >= 3) {
        file.Version = VersionFromSignature({bytes[0], bytes[1], bytes[2]});
        if (file.Version == 0) {
            if (size >= SpectrumHeader::Size) {
                ReadRecord(in, file.Header);
            }
            return false;
        }
    }
    in.SetSection("header");
    ReadRecord(in, file.Header);
    if (file.Header.ChannelCount < 1) {
        throw FileFormatError("has no channels (ChannelCount " +
                              std::to_string(file.Header.ChannelCount) + ")");
    }
    const auto channels = static_cast<std::size_t>(file.Header.ChannelCount);

    file.Values = ReadSpectrumValues(in, file.Header, file.Version);

    if (file.Version >= 2) {
        file.HasReference = true;
        in.SetSection("reference record");
        ReadRecord(in, file.Reference);
        in.SetSection("reference values");
        file.ReferenceValues = ReadDoubles(in, channels);
    }
    return true;
}

std::vector<uint8_t> SpectrumArraysBytes(SpectrumHeader header, int16_t version,
                                         const std::vector<double>& values,
                                         const ReferenceHeader& reference,
                                         const std::vector<double>& referenceValues) {
    header.ChannelCount = static_cast<int16_t>(values.size());
    std::vector<uint8_t> bytes;
    const std::size_t valueSize = version == 1 ? 4 : 8;
    bytes.reserve(SpectrumHeader::Size + values.size() * valueSize * 2 + 64 +
                  reference.Description.Bytes.size());
    ByteWriter out(bytes);
    WriteRecord(out, header);
    for (double v : values) {
        if (version == 1) {
            out(ToSingle(v));
        } else {
            out(v);
        }
    }
    if (version >= 2) {
        WriteRecord(out, reference);
        for (std::size_t i = 0; i < values.size(); ++i) {
            out(i < referenceValues.size() ? referenceValues[i] : 0.0);
        }
    }
    return bytes;
}
