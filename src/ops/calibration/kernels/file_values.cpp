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
