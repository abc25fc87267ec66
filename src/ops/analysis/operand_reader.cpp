#include "ops/analysis/operand_reader.h"

#include "ops/analysis/kernels/spectrum_arrays.h"
#include "ops/analysis/state.h"
#include "platform/ui/ui.h"
#include "spectrum/bytes.h"
#include "spectrum/reader.h"

namespace {

void ShowFileError(const std::string& FileName, const std::string& error) {
    MsgBox("File Error\r" + FileName + " " + error + ".", vbOKOnly + vbExclamation, AppTitle);
}

}  // namespace

int16_t ReadSpectrumArrays(const std::string& FileName, std::vector<double>& Data,
                           std::vector<double>& Reference) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!LoadSpectrumFileBytes(FileName, bytes, error)) {
        ShowFileError(FileName, error);
        return -1;
    }
    OperandHasZero = false;
    SpectrumArrays file;
    try {
        if (!ParseSpectrumArrays(bytes.data(), bytes.size(), file)) {
            // Only the message: the loaded input keeps its own version.
            CheckSpectrumSignature(FileName, {bytes[0], bytes[1], bytes[2]});
            return -1;
        }
    } catch (const spectrum::FileFormatError& fault) {
        ShowFileError(FileName, fault.what());
        return -1;
    }
    // Legacy data holds 512 values whatever its header says; the size test
    // compares what is held, as the input's side does.
    OperandUpperBound = static_cast<int16_t>(file.Values.size() - 1);
    if (!IsLegacyIntegerData(file.Header)) {
        for (double v : file.Values) {
            if (v == 0.0) {
                OperandHasZero = true;
                break;
            }
        }
    }
    Data = std::move(file.Values);
    Reference = std::move(file.ReferenceValues);
    return 0;
}
