#include "ops/calibration/kernels/calibration_file.h"

#include "ops/calibration/kernels/file_values.h"
#include "spectrum/reader.h"

std::string ForeopticPrefix(int16_t ForeopticCode) {
    if (ForeopticCode == ForeopticNone || ForeopticCode == ForeopticUndefined) {
        return "ni";
    }
    if (ForeopticCode == ForeopticCosineReceptor) {
        return "cos";
    }
    if (ForeopticCode < 181) {
        return std::to_string(ForeopticCode) + "i";
    }
    return std::to_string(ForeopticCode - 180) + "C";
}

std::string CalibrationFileName(const std::string& Prefix, int16_t InstrumentNumber,
                                int16_t CalibrationNumber, const std::string& Extension,
                                bool WithUnderscore) {
    return Prefix + std::to_string(InstrumentNumber) + (WithUnderscore ? "_" : "") +
           std::to_string(CalibrationNumber) + Extension;
}

std::string CalibrationPrefix(CalibrationKind Kind, const SpectrumHeader& Header) {
    switch (Kind) {
        case CalibrationKind::Lamp:
            return "lmp";
        case CalibrationKind::Baseline:
            return "bse";
        case CalibrationKind::Response:
            break;
    }
    return ForeopticPrefix(Header.ForeopticCode);
}

std::string CalibrationExtension(CalibrationKind Kind) {
    switch (Kind) {
        case CalibrationKind::Lamp:
            return ".ill";
        case CalibrationKind::Baseline:
            return ".ref";
        case CalibrationKind::Response:
            break;
    }
    return ".raw";
}

bool ParseCalibrationFile(const uint8_t* bytes, std::size_t size, CalibrationFileContent& file) {
    file = CalibrationFileContent{};
    spectrum::ByteReader in(bytes, size);
    file.Version = ReadLeadingHeader(in, file.Header);
    if (file.Version == 0) {
        return false;
    }
    file.Values = ReadSpectrumValues(in, file.Header, file.Version);
    return true;
}
