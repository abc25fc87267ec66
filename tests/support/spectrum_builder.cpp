#include "support/spectrum_builder.h"

#include <fstream>
#include <stdexcept>

#include "spectrum/bytes.h"

std::array<uint8_t, 3> SignatureOf(int version) {
    const char* text = version == 1   ? "ZEL"
                       : version == 2 ? "zel"
                       : version == 3 ? "ze3"
                       : version == 5 ? "ze5"
                       : version == 6 ? "ze6"
                       : version == 7 ? "ze7"
                       : version == 8 ? "ze8"
                                      : "???";
    return {static_cast<uint8_t>(text[0]), static_cast<uint8_t>(text[1]),
            static_cast<uint8_t>(text[2])};
}

std::vector<uint8_t> SpectrumFileBuilder::Bytes() const {
    SpectrumHeader header = Header;
    header.Signature = Signature.value_or(SignatureOf(Version));
    header.ChannelCount = ChannelCount.value_or(static_cast<int16_t>(Values.size()));
    std::vector<uint8_t> bytes;
    spectrum::ByteWriter out(bytes);
    WriteRecord(out, header);
    const bool legacy = header.ValueFormat == ValueInteger &&
                        (header.InstrumentType == Swir0 || header.InstrumentType == Vnir1);
    for (double v : Values) {
        if (legacy) {
            out(static_cast<int16_t>(v));
        } else if (Version == 1) {
            out(static_cast<float>(v));
        } else {
            out(v);
        }
    }
    if (Version >= 2) {
        WriteRecord(out, Reference);
        for (double v : ReferenceValues) {
            out(v);
        }
    }
    if (Version >= 6 && WithExtension) {
        WriteRecord(out, Extension);
        WriteRecord(out, ExtensionData);
        if (Version >= 7 && WithCalibration) {
            out(static_cast<uint8_t>(Calibrations.size()));
            for (const auto& record : Calibrations) {
                WriteRecord(out, record);
            }
            for (const auto& buffer : CalibrationBuffers) {
                for (double v : buffer) {
                    out(v);
                }
            }
        }
    }
    return bytes;
}

std::string SpectrumFileBuilder::WriteTo(const std::string& path) const {
    WriteBytes(path, Bytes());
    return path;
}

SpectrumFileBuilder MakeSpectrum(int version, std::vector<double> values,
                                 std::vector<double> reference) {
    SpectrumFileBuilder file;
    file.Version = version;
    file.Header.Channel1Wavelength = 350;
    file.Header.WavelengthStep = 1;
    file.Header.ProgramVersion = 0x52;
    file.Header.FormatVersion = 0x44;
    file.Header.InstrumentType = VnirSwir4;
    file.Header.ValueFormat = version == 1 ? ValueSingle : ValueDouble;
    file.Header.DataType = Raw;
    if (version >= 2) {
        file.Reference.ReferenceFlag = 1;
        file.ReferenceValues =
            reference.empty() ? std::vector<double>(values.size(), 100.0) : reference;
    }
    file.Values = std::move(values);
    return file;
}

SpectrumFileBuilder MakeCompleteSpectrum(int version, std::vector<double> values) {
    const std::size_t channels = values.size();
    SpectrumFileBuilder file = MakeSpectrum(version, std::move(values));
    file.Reference.Description.Bytes = {'r', 'e', 'f'};
    file.Extension.Strings[19].Bytes = {'e'};
    file.Extension.Entries.Dimensions = {{1, 0}};
    file.Extension.Entries.Elements.resize(1);
    file.ExtensionData.Strings.Dimensions = {{2, 0}};
    file.ExtensionData.Strings.Elements.resize(2);
    file.ExtensionData.Values.Dimensions = {{3, 1}};
    file.ExtensionData.Values.Elements.resize(3);
    file.Calibrations = {MakeCalibration(CalAbs, "abs"), MakeCalibration(CalLmp, "lmp"),
                         MakeCalibration(CalFo, "fo")};
    file.CalibrationBuffers = {std::vector<double>(channels, 1), std::vector<double>(channels, 2),
                               std::vector<double>(channels, 3)};
    return file;
}

CalibrationHeader MakeCalibration(uint8_t type, const std::string& name) {
    CalibrationHeader record;
    record.CalibrationType = type;
    for (std::size_t i = 0; i < name.size() && i < record.CalibrationName.size(); ++i) {
        record.CalibrationName[i] = static_cast<uint8_t>(name[i]);
    }
    return record;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}
