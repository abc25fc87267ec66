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

bool LoadWholeFile(const std::string& Path, std::vector<uint8_t>& Bytes, std::string& Error) {
    std::error_code code;
    const auto status = std::filesystem::status(Path, code);
    if (!std::filesystem::exists(status)) {
        Error = "cannot be opened: " + std::string(std::strerror(ENOENT));
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        Error = "cannot be opened: it is not a file";
        return false;
    }
    const auto size = std::filesystem::file_size(Path, code);
    if (code) {
        Error = "cannot be opened: " + code.message();
        return false;
    }
    if (size > MaxSpectrumFileSize) {
        Error = "is too large to be a spectrum file";
        return false;
    }
    errno = 0;
    std::ifstream in(Path, std::ios::binary);
    if (!in) {
        Error = std::string("cannot be opened: ") + std::strerror(errno != 0 ? errno : EIO);
        return false;
    }
    Bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(Bytes.data()), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) {
        Error = std::string("cannot be read: ") + std::strerror(errno != 0 ? errno : EIO);
        return false;
    }
    return true;
}
