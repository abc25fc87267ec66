#include "ops/calibration/kernels/absolute_reference.h"

#include <algorithm>

#include "ops/calibration/kernels/file_values.h"
#include "platform/text/codepage.h"
#include "spectrum/bytes.h"
#include "spectrum/reader.h"

std::string AbsoluteReferenceFileName(int16_t InstrumentNumber, int16_t CalibrationNumber,
                                      bool WithUnderscore) {
    return "abs" + std::to_string(InstrumentNumber) + (WithUnderscore ? "_" : "") +
           std::to_string(CalibrationNumber) + ".ref";
}

std::string StoredAbsoluteReferenceName(const SpectrumHeader& Header) {
    const auto& block = Header.ApplicationData.First;
    const auto first = block.begin() + AbsoluteReferenceNameOffset;
    const auto last = std::find(first, first + AbsoluteReferenceNameLength, uint8_t{0});
    return AnsiToUtf8(std::string(first, last));
}

void StoreAbsoluteReferenceName(SpectrumHeader& Header, const std::string& Name) {
    const std::string ansi = Utf8ToAnsi(Name);
    auto& block = Header.ApplicationData.First;
    const auto first = block.begin() + AbsoluteReferenceNameOffset;
    std::fill(first, first + AbsoluteReferenceNameLength, uint8_t{0});
    std::copy_n(ansi.begin(), std::min(ansi.size(), AbsoluteReferenceNameLength), first);
}

bool ParseAbsoluteReference(const uint8_t* bytes, std::size_t size,
                            AbsoluteReferenceContent& file) {
    file = AbsoluteReferenceContent{};
    spectrum::ByteReader in(bytes, size);
    file.Version = ReadLeadingHeader(in, file.Header);
    if (file.Version == 0) {
        return false;
    }
    file.Values = ReadSpectrumValues(in, file.Header, file.Version);
    if (file.Version < 2 || IsLegacyIntegerData(file.Header)) {
        return true;
    }
    // The panel's stored values are raw counts against the file's own white
    // reference; whether that reference is flagged usable is not asked.
    in.SetSection("reference record");
    ReferenceHeader reference;
    ReadRecord(in, reference);
    in.SetSection("reference values");
    in.Need(file.Values.size() * 8);
    for (double& v : file.Values) {
        double r = 0;
        in(r);
        if (r == 0) {
            v = 0;
        } else if (r == -9999) {
            v = -9999;
        } else {
            v /= r;
        }
    }
    return true;
}

bool ApplyAbsoluteFactors(const std::vector<double>& Reflectance,
                          const std::vector<double>& Factors, std::vector<double>& Out) {
    Out.clear();
    if (Factors.size() < Reflectance.size()) {
        return false;
    }
    Out.resize(Reflectance.size());
    for (std::size_t i = 0; i < Reflectance.size(); ++i) {
        Out[i] = Reflectance[i] * Factors[i];
    }
    return true;
}
