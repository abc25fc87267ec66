#include "ops/calibration/kernels/file_values.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "spectrum/reader.h"

int16_t ReadLeadingHeader(spectrum::ByteReader& in, SpectrumHeader& header) {
    in.SetSection("header");
    if (in.Remaining() < SpectrumHeader::Size) {
        // Too short for a header: a foreign signature is still told as such.
        std::array<uint8_t, 3> signature{};
        in(signature);
        if (VersionFromSignature(signature) == 0) {
            header.Signature = signature;
            return 0;
        }
        in.Need(SpectrumHeader::Size);
    }
    ReadRecord(in, header);
    const int16_t version = VersionFromSignature(header.Signature);
    if (version != 0 && header.ChannelCount < 1) {
        throw spectrum::FileFormatError("has no channels (ChannelCount " +
                                        std::to_string(header.ChannelCount) + ")");
    }
    return version;
}

std::vector<double> ReadLeadingValues(spectrum::ByteReader& in, const SpectrumHeader& header,
                                      int16_t version) {
    constexpr std::size_t legacyCount = 512;
    in.SetSection("spectrum values");
    std::vector<double> values;
    if (IsLegacyIntegerData(header)) {
        in.Need(legacyCount * 2);
        values.resize(legacyCount);
        for (double& v : values) {
            int16_t value = 0;
            in(value);
            v = value;
        }
        return values;
    }
    const auto channels = static_cast<std::size_t>(header.ChannelCount);
    if (version == 1) {
        in.Need(channels * 4);
        values.resize(channels);
        for (double& v : values) {
            float value = 0;
            in(value);
            v = value;
        }
    } else {
        in.Need(channels * 8);
        values.resize(channels);
        for (double& v : values) {
            in(v);
        }
    }
    return values;
}
