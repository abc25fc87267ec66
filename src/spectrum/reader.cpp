#include "spectrum/reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "platform/ui/ui.h"
#include "spectrum/state.h"

using spectrum::ByteReader;
using spectrum::FileFormatError;
using spectrum::ShortFile;

namespace {

constexpr int LegacyValueCount = 512;

// The memory of a file's value arrays, lent to the next file parsed.
struct ArrayStorage {
    std::vector<double> values, reference, abs, bse, lmp, fo;

    explicit ArrayStorage(LoadedSpectrum& file)
        : values(std::move(file.Values)),
          reference(std::move(file.ReferenceValues)),
          abs(std::move(file.CalAbs)),
          bse(std::move(file.CalBse)),
          lmp(std::move(file.CalLmp)),
          fo(std::move(file.CalFo)) {}
};

// The calibration section: the count byte, the records, then the buffers the
// operations use, by the type of the record at their place.
void ReadCalibrations(ByteReader& in, LoadedSpectrum& file, std::size_t channels,
                      ArrayStorage& storage) {
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
        file.CalAbs = ReadDoubles(in, channels, std::move(storage.abs));
    }
    if (!records.empty() && records[0].CalibrationType == CalBse) {
        file.CalBse = ReadDoubles(in, channels, std::move(storage.bse));
    }
    if (records.size() >= 2 && records[1].CalibrationType == CalLmp) {
        file.CalLmp = ReadDoubles(in, channels, std::move(storage.lmp));
    }
    if (records.size() >= 3 && records[2].CalibrationType == CalFo) {
        file.CalFo = ReadDoubles(in, channels, std::move(storage.fo));
    }
}

void ShowFileError(const std::string& description) {
    MsgBox(std::string("File Error\r") + description, vbOKOnly + vbExclamation, AppTitle);
}

// Makes the parsed file the loaded spectrum. What the file does not hold is
// emptied, so that no operation mixes this file with an earlier one.
void Commit(const std::string& name, LoadedSpectrum& file) {
    CurrentHeader = file.Header;
    FileVersion = file.Version;
    CurrentFileName = name;
    // The arrays are exchanged, not moved: the parsed file keeps the memory
    // of the ones replaced for the next file to be parsed into.
    SpectrumData.swap(file.Values);
    if (file.Version == 1 || IsLegacyIntegerData(file.Header)) {
        DisplayData = SpectrumData;
    } else {
        DisplayData.assign(SpectrumData.size(), 0.0);
        HasEmbeddedReference = true;
    }
    ReferenceRecord = file.Reference;
    ReferenceData.swap(file.ReferenceValues);
    CurrentExtensionHeader = std::move(file.Extension);
    CurrentExtensionArrays = std::move(file.ExtensionData);
    CalibrationCount = file.CalibrationCount;
    CalibrationHeaders = std::move(file.Calibrations);
    CalBufferABS.swap(file.CalAbs);
    CalBufferBSE.swap(file.CalBse);
    CalBufferLMP.swap(file.CalLmp);
    CalBufferFO.swap(file.CalFo);
}

}  // namespace

namespace {

enum class Loaded { Whole, NotThere, Failed };

// One open, one look at what was opened, one read of what it holds: every
// batch comes here once per input. Not blocking on open keeps a pipe from
// holding the program up before it is found not to be a file. NotThere is a
// path that names nothing, or something that is not a file: no spectrum to
// read, but nothing gone wrong either.
Loaded LoadFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    int descriptor;
    do {
        descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        const int reason = errno == ENOTDIR ? ENOENT : errno;
        error = "cannot be opened: " + std::string(std::strerror(reason));
        if (reason == ENOENT) {
            return Loaded::NotThere;
        }
        // What cannot be opened may still be no file at all (a socket, a
        // folder closed to us): that is passed over like any other.
        struct stat status {};
        return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) ? Loaded::NotThere
                                                                              : Loaded::Failed;
    }
    struct Closer {
        int descriptor;
        ~Closer() { ::close(descriptor); }
    } closer{descriptor};
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        error = "cannot be opened: " + std::string(std::strerror(errno));
        return Loaded::Failed;
    }
    if (!S_ISREG(status.st_mode)) {
        error = "cannot be opened: it is not a file";
        return Loaded::NotThere;
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    if (size > MaxSpectrumFileSize) {
        error = "is too large to be a spectrum file";
        return Loaded::Failed;
    }
    // A buffer kept from an earlier file of the same size is not cleared
    // first: every byte of it is read over.
    bytes.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(descriptor, bytes.data() + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            error = std::string("cannot be read: ") + std::strerror(got < 0 ? errno : EIO);
            return Loaded::Failed;
        }
        done += static_cast<std::size_t>(got);
    }
    return Loaded::Whole;
}

}  // namespace

bool LoadSpectrumFileBytes(const std::string& path, std::vector<uint8_t>& bytes,
                           std::string& error) {
    return LoadFile(path, bytes, error) == Loaded::Whole;
}

std::vector<double> ReadDoubles(ByteReader& in, std::size_t count, std::vector<double> storage) {
    return in.Values<double>(count, std::move(storage));
}

std::vector<double> ReadSpectrumValues(ByteReader& in, const SpectrumHeader& header,
                                       int16_t version, std::vector<double> storage) {
    in.SetSection("spectrum values");
    if (IsLegacyIntegerData(header)) {
        return in.Values<int16_t>(LegacyValueCount, std::move(storage));
    }
    const auto channels = static_cast<std::size_t>(std::max<int16_t>(header.ChannelCount, 0));
    if (version == 1) {
        return in.Values<float>(channels, std::move(storage));
    }
    return ReadDoubles(in, channels, std::move(storage));
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
    ArrayStorage storage(file);
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
    file.Values = ReadSpectrumValues(in, file.Header, file.Version, std::move(storage.values));
    if (file.Version >= 2) {
        file.HasReference = true;
        in.SetSection("reference record");
        ReadRecord(in, file.Reference);
        in.SetSection("reference values");
        file.ReferenceValues = ReadDoubles(in, channels, std::move(storage.reference));
    }
    // Files rewritten by the program carry no extension or calibration
    // section: ending right behind the reference is a complete file.
    if (file.Version >= 6 && !in.AtEnd()) {
        in.SetSection("extension records");
        ReadRecord(in, file.Extension);
        ReadRecord(in, file.ExtensionData);
        if (file.Version >= 7 && !in.AtEnd()) {
            ReadCalibrations(in, file, channels, storage);
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

bool ParseSpectrumFileOrReport(const std::string& FileName, const std::vector<uint8_t>& bytes,
                               LoadedSpectrum& file, std::optional<SpectrumHeader>* UnknownHeader) {
    try {
        if (!ParseSpectrumFile(bytes.data(), bytes.size(), file)) {
            // Taken before the message, whose event loop could read another
            // file into the same record.
            if (UnknownHeader != nullptr && bytes.size() >= SpectrumHeader::Size) {
                *UnknownHeader = file.Header;
            }
            std::array<uint8_t, 3> signature{bytes[0], bytes[1], bytes[2]};
            CheckSpectrumSignature(FileName, signature);
            return false;
        }
    } catch (const FileFormatError& fault) {
        ShowFileError(FileName + " " + fault.what() + ".");
        return false;
    } catch (const std::bad_alloc&) {
        ShowFileError(FileName + " is too large to be read.");
        return false;
    }
    return true;
}

int16_t ReadSpectrumFile(const std::string& FileName) {
    if (FileName.empty()) {
        return -1;
    }
    // The file's bytes are only looked at until they are parsed, and a batch
    // reads thousands of files of one size: one buffer serves them all, so
    // none is allocated and cleared per file. A rare large file does not keep
    // its memory.
    static std::vector<uint8_t> bytes;
    constexpr std::size_t KeptBufferSize = 1u << 20;
    struct Trim {
        ~Trim() {
            if (bytes.capacity() > KeptBufferSize) {
                std::vector<uint8_t>().swap(bytes);
            }
        }
    } trim;
    std::string error;
    // A file that is not there (or is no file) is passed over quietly; one
    // that cannot even be looked at (a folder on its path is closed to us) is
    // an error to report.
    switch (LoadFile(FileName, bytes, error)) {
        case Loaded::Whole:
            break;
        case Loaded::NotThere:
            return -1;
        case Loaded::Failed:
            ShowFileError(FileName + " " + error + ".");
            return -1;
    }
    // Kept, like the buffer: each file parsed here is handed the memory of the
    // arrays the one before it replaced.
    static LoadedSpectrum file;
    std::optional<SpectrumHeader> unknownHeader;
    if (!ParseSpectrumFileOrReport(FileName, bytes, file, &unknownHeader)) {
        // The header of a file of no known kind is what the caller finds
        // loaded, as before.
        if (unknownHeader) {
            CurrentHeader = *unknownHeader;
        }
        return -1;
    }
    Commit(FileName, file);
    return FileVersion;
}

namespace {

// out := spectrum / reference, and whether any channel needs a second look: a
// quotient that is not finite (which a zero or NaN reference always gives) or
// a reference of -9999 (or +9999, whose bits differ only in the sign). The
// tests are made on the bit patterns, without a branch, so that the divisions
// go several at a time: every reflectance batch divides every channel of
// every input here. Built as well for processors with wider vectors, taken
// at run time where the processor has them.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target_clones("avx2", "default")))
#endif
bool DivideChannels(const double* __restrict spectrum, const double* __restrict reference,
                    double* __restrict out, std::size_t n) {
    constexpr uint64_t Magnitude = 0x7fffffffffffffffu;
    constexpr uint64_t ExponentOne = 0x0010000000000000u;
    constexpr uint64_t MissingValue = std::bit_cast<uint64_t>(-9999.0);
    // Bit 63 of a term is set exactly when its test is met.
    auto special = [](double quotient, double r) {
        const auto q = std::bit_cast<uint64_t>(quotient);
        const auto b = std::bit_cast<uint64_t>(r);
        return ((q & Magnitude) + ExponentOne) | (((b ^ MissingValue) & Magnitude) - 1);
    };
    uint64_t lanes[4] = {0, 0, 0, 0};
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        for (std::size_t k = 0; k < 4; ++k) {
            out[i + k] = spectrum[i + k] / reference[i + k];
            lanes[k] |= special(out[i + k], reference[i + k]);
        }
    }
    uint64_t flags = lanes[0] | lanes[1] | lanes[2] | lanes[3];
    for (; i < n; ++i) {
        out[i] = spectrum[i] / reference[i];
        flags |= special(out[i], reference[i]);
    }
    return (flags >> 63) != 0;
}

}  // namespace

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
    ReflectanceData.resize(n);
    if (DivideChannels(SpectrumData.data(), ReferenceData.data(), ReflectanceData.data(), n)) {
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
        }
    }
    DisplayData = ReflectanceData;
    return true;
}
