#include "spectrum/reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/ui/ui.h"
#include "spectrum/state.h"

using spectrum::ByteReader;
using spectrum::FileFormatError;
using spectrum::ShortFile;

namespace {

constexpr int LegacyValueCount = 512;

// The calibration section: the count byte, the records, then the buffers the
// operations use, by the type of the record at their place.
void ReadCalibrations(ByteReader& in, LoadedSpectrum& file, std::size_t channels) {
    in.SetSection("calibration records");
    in(file.CalibrationCount);
    in.Need(file.CalibrationCount * CalibrationHeader::Size);
    file.Calibrations.resize(file.CalibrationCount);
    for (auto& record : file.Calibrations) {
        ReadRecord(in, record);
    }
    in.SetSection("calibration buffers");
    const auto& records = file.Calibrations;
    if (!records.empty() && records[0].CalibrationType == CalAbs) {
        file.CalAbs = ReadDoubles(in, channels);
    }
    if (!records.empty() && records[0].CalibrationType == CalBse) {
        file.CalBse = ReadDoubles(in, channels);
    }
    if (records.size() >= 2 && records[1].CalibrationType == CalLmp) {
        file.CalLmp = ReadDoubles(in, channels);
    }
    if (records.size() >= 3 && records[2].CalibrationType == CalFo) {
        file.CalFo = ReadDoubles(in, channels);
    }
}

void ShowFileError(const std::string& description) {
    MsgBox(std::string("File Error\r") + description, vbOKOnly + vbExclamation, AppTitle);
}

// Makes the parsed file the loaded spectrum. What the file does not hold is
// emptied, so that no operation mixes this file with an earlier one.
void Commit(const std::string& name, LoadedSpectrum&& file) {
    CurrentHeader = file.Header;
    FileVersion = file.Version;
    CurrentFileName = name;
    SpectrumData = std::move(file.Values);
    if (file.Version == 1 || IsLegacyIntegerData(file.Header)) {
        DisplayData = SpectrumData;
    } else {
        DisplayData.assign(SpectrumData.size(), 0.0);
        HasEmbeddedReference = true;
    }
    ReferenceRecord = file.Reference;
    ReferenceData = std::move(file.ReferenceValues);
    CurrentExtensionHeader = std::move(file.Extension);
    CurrentExtensionArrays = std::move(file.ExtensionData);
    CalibrationCount = file.CalibrationCount;
    CalibrationHeaders = std::move(file.Calibrations);
    CalBufferABS = std::move(file.CalAbs);
    CalBufferBSE = std::move(file.CalBse);
    CalBufferLMP = std::move(file.CalLmp);
    CalBufferFO = std::move(file.CalFo);
}

}  // namespace

bool LoadSpectrumFileBytes(const std::string& path, std::vector<uint8_t>& bytes,
                           std::string& error) {
    // One open, one look at what was opened, one read of what it holds: every
    // batch comes here once per input. Not blocking on open keeps a pipe from
    // holding the program up before it is found not to be a file.
    int descriptor;
    do {
        descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        const int reason = errno == ENOTDIR ? ENOENT : errno;
        error = "cannot be opened: " + std::string(std::strerror(reason));
        return false;
    }
    struct Closer {
        int descriptor;
        ~Closer() { ::close(descriptor); }
    } closer{descriptor};
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        error = "cannot be opened: " + std::string(std::strerror(errno));
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = "cannot be opened: it is not a file";
        return false;
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    if (size > MaxSpectrumFileSize) {
        error = "is too large to be a spectrum file";
        return false;
    }
    bytes.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(descriptor, bytes.data() + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            error = std::string("cannot be read: ") + std::strerror(got < 0 ? errno : EIO);
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

std::vector<double> ReadDoubles(ByteReader& in, std::size_t count) {
    return in.Values<double>(count);
}

std::vector<double> ReadSpectrumValues(ByteReader& in, const SpectrumHeader& header,
                                       int16_t version) {
    in.SetSection("spectrum values");
    if (IsLegacyIntegerData(header)) {
        return in.Values<int16_t>(LegacyValueCount);
    }
    const auto channels = static_cast<std::size_t>(std::max<int16_t>(header.ChannelCount, 0));
    if (version == 1) {
        return in.Values<float>(channels);
    }
    return ReadDoubles(in, channels);
}

int16_t VersionFromSignature(const std::array<uint8_t, 3>& signature) {
    static constexpr struct {
        const char* text;
        int16_t version;
    } known[] = {{"ZEL", 1}, {"zel", 2}, {"ze3", 3}, {"ze5", 5},
                 {"ze6", 6}, {"ze7", 7}, {"ze8", 8}};
    for (const auto& entry : known) {
        if (std::memcmp(signature.data(), entry.text, 3) == 0) {
            return entry.version;
        }
    }
    return 0;
}

bool IsLegacyIntegerData(const SpectrumHeader& header) {
    return header.ValueFormat == ValueInteger &&
           (header.InstrumentType == Swir0 || header.InstrumentType == Vnir1);
}

bool ParseSpectrumFile(const uint8_t* bytes, std::size_t size, LoadedSpectrum& file) {
    ByteReader in(bytes, size);
    file = LoadedSpectrum{};
    if (size >= 3) {
        std::array<uint8_t, 3> signature{bytes[0], bytes[1], bytes[2]};
        file.Version = VersionFromSignature(signature);
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
    // Files rewritten by the program carry no extension or calibration
    // section: ending right behind the reference is a complete file.
    if (file.Version >= 6 && !in.AtEnd()) {
        in.SetSection("extension records");
        ReadRecord(in, file.Extension);
        ReadRecord(in, file.ExtensionData);
        if (file.Version >= 7 && !in.AtEnd()) {
            ReadCalibrations(in, file, channels);
        }
    }
    return true;
}

bool CheckSpectrumSignature(const std::string& FileName, const std::array<uint8_t, 3>& Signature) {
    const int16_t version = VersionFromSignature(Signature);
    if (version == 0) {
        MsgBox(FileName + " doesn't appear to be an ZEL Spectrum File!", vbOKOnly + vbExclamation,
               AppTitle);
        return false;
    }
    FileVersion = version;
    return true;
}

int16_t ReadSpectrumFile(const std::string& FileName) {
    std::error_code code;
    if (FileName.empty()) {
        return -1;
    }
    const auto status = std::filesystem::status(FileName, code);
    // A file that is not there is passed over quietly; one that cannot even be
    // looked at (a folder on its path is closed to us) is an error to report.
    if (code && code != std::errc::no_such_file_or_directory &&
        code != std::errc::not_a_directory) {
        ShowFileError(FileName + " cannot be opened: " + code.message() + ".");
        return -1;
    }
    if (!std::filesystem::is_regular_file(status)) {
        return -1;
    }
    std::vector<uint8_t> bytes;
    std::string error;
    if (!LoadSpectrumFileBytes(FileName, bytes, error)) {
        ShowFileError(FileName + " " + error + ".");
        return -1;
    }
    LoadedSpectrum file;
    try {
        if (!ParseSpectrumFile(bytes.data(), bytes.size(), file)) {
            std::array<uint8_t, 3> signature{bytes[0], bytes[1], bytes[2]};
            CheckSpectrumSignature(FileName, signature);
            // The header just read is what the caller finds loaded, as before.
            if (bytes.size() >= SpectrumHeader::Size) {
                CurrentHeader = file.Header;
            }
            return -1;
        }
    } catch (const FileFormatError& fault) {
        ShowFileError(FileName + " " + fault.what() + ".");
        return -1;
    } catch (const std::bad_alloc&) {
        ShowFileError(FileName + " is too large to be read.");
        return -1;
    }
    Commit(FileName, std::move(file));
    return FileVersion;
}

bool ComputeReflectance() {
    if (SpectrumData.empty()) {
        return false;
    }
    const std::size_t n = SpectrumData.size();
    auto refuse = [](const std::string& why) {
        ReflectanceData.clear();
        DisplayData.clear();
        MsgBox(CurrentFileName + " has an unusable reference: " + why + ".",
               vbOKOnly + vbExclamation, AppTitle);
        return false;
    };
    if (ReferenceData.size() < n) {
        return refuse("it holds fewer values than the spectrum");
    }
    ReflectanceData.assign(n, 0.0);
    DisplayData.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double r = ReferenceData[i];
        double value;
        if (r == 0 || std::isnan(r)) {
            value = 0;
        } else if (r == -9999) {
            value = -9999;  // the marker of a missing value passes through
        } else {
            value = SpectrumData[i] / r;
            if (std::isinf(value) && std::isfinite(SpectrumData[i])) {
                return refuse("the reflectance of channel " + std::to_string(i) +
                              " is too large to hold");
            }
        }
        ReflectanceData[i] = value;
        DisplayData[i] = value;
    }
    return true;
}
