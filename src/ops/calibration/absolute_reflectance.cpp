#include "ops/calibration/absolute_reflectance.h"

#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "ops/calibration/kernels/absolute_reference.h"
#include "ops/calibration/kernels/file_values.h"
#include "platform/shell/paths.h"
#include "platform/ui/ui.h"
#include "spectrum/bytes.h"
#include "spectrum/reader.h"
#include "spectrum/stamps.h"
#include "spectrum/state.h"

namespace {

// The relative reflectance of the loaded spectrum into ReflectanceData.
bool RelativeReflectance() {
    if (FileVersion >= 2) {
        return ReferenceRecord.ReferenceFlag != 0 && ComputeReflectance();
    }
    if (CurrentHeader.DataType != Reflectance) {
        return false;
    }
    ReflectanceData = SpectrumData;
    return true;
}

std::string ReferenceNameFor(const SpectrumHeader& header) {
    if (header.ApplicationCode == AppAbsoluteReflectance) {
        return StoredAbsoluteReferenceName(header);
    }
    const std::string first =
        AbsoluteReferenceFileName(header.InstrumentNumber, header.CalibrationNumber, true);
    if (FileExists(first)) {
        return first;
    }
    return AbsoluteReferenceFileName(header.InstrumentNumber, header.CalibrationNumber, false);
}

int16_t Fail() {
    AbsoluteReflectanceData.clear();
    return -1;
}

int16_t Succeed() {
    DisplayData = AbsoluteReflectanceData;
    return static_cast<int16_t>(AbsoluteReflectanceData.size() - 1);
}

}  // namespace

int16_t ReadAbsoluteReferenceFile(const std::string& FileName, std::vector<double>& Values) {
    Values.clear();
    if (!FileExists(FileName)) {
        return -1;
    }
    auto refuse = [](const std::string& description) {
        if (!description.empty()) {
            MsgBox(std::string("File Error\r") + description, vbOKOnly + vbExclamation, AppTitle);
        }
        MainHost().SetProgressValue(0);
        return int16_t{-1};
    };
    std::vector<uint8_t> bytes;
    std::string error;
    if (!LoadSpectrumFileBytes(FileName, bytes, error)) {
        return refuse(FileName + " " + error + ".");
    }
    AbsoluteReferenceContent file;
    try {
        if (!ParseAbsoluteReference(bytes.data(), bytes.size(), file)) {
            // Only the message: the loaded spectrum keeps its own version.
            CheckSpectrumSignature(FileName, file.Header.Signature);
            return refuse("");
        }
    } catch (const spectrum::FileFormatError& fault) {
        return refuse(FileName + " " + fault.what() + ".");
    }
    Values = std::move(file.Values);
    return static_cast<int16_t>(Values.size() - 1);
}

int16_t ComputeAbsoluteReflectance() {
    if (!RelativeReflectance() || ReflectanceData.empty()) {
        return -1;
    }
    AbsoluteReflectanceData.clear();
    AbsoluteReferenceName = ReferenceNameFor(CurrentHeader);
    if (CurrentHeader.ApplicationCode == AppAbsoluteReflectance) {
        // Below version 7 the file is itself absolute reflectance: it is not
        // calibrated twice. From version 7 the factors are the file's own or
        // there are none.
        if (FileVersion < 7 ||
            !ApplyAbsoluteFactors(ReflectanceData, CalBufferABS, AbsoluteReflectanceData)) {
            return Fail();
        }
        return Succeed();
    }
    if (!FileExists(AbsoluteReferenceName)) {
        return Fail();
    }
    std::vector<double> factors;
    if (ReadAbsoluteReferenceFile(AbsoluteReferenceName, factors) == -1 ||
        !ApplyAbsoluteFactors(ReflectanceData, factors, AbsoluteReflectanceData)) {
        return Fail();
    }
    return Succeed();
}

namespace {

class AbsoluteReflectanceBatch : public BatchOperation {
public:
    AbsoluteReflectanceBatch() { Extension = ".ref"; }

    BatchStep BeforePrompt(BatchFile&) override {
        return ComputeAbsoluteReflectance() == -1 ? BatchStep::Skip : BatchStep::Continue;
    }

    std::vector<uint8_t> Write(BatchFile&) override {
        // The application data keeps the input's other bytes: only the code
        // and the reference's name are set.
        CurrentHeader.DataType = Reflectance;
        SetFileSignature(1, CurrentHeader);
        CurrentHeader.ApplicationCode = AppAbsoluteReflectance;
        StoreAbsoluteReferenceName(CurrentHeader, AbsoluteReferenceName);
        // Legacy data holds 512 values whatever its header says.
        CurrentHeader.ChannelCount = static_cast<int16_t>(AbsoluteReflectanceData.size());
        std::vector<uint8_t> bytes;
        AppendHeader(bytes, CurrentHeader);
        AppendSingles(bytes, AbsoluteReflectanceData);
        return bytes;
    }
};

}  // namespace

void CreateAbsoluteReflectanceFiles() {
    AbsoluteReflectanceBatch batch;
    RunBatch(batch);
}
