#include "ops/calibration/calibration_files.h"

#include "ops/calibration/kernels/file_values.h"
#include "ops/calibration/kernels/radiometric.h"
#include "platform/shell/paths.h"
#include "platform/ui/ui.h"
#include "spectrum/bytes.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"

namespace {

const char* const CrLf = "\r\n";

void ShowFileError(const std::string& description) {
    MsgBox(std::string("File Error\r") + description, vbOKOnly + vbExclamation, AppTitle);
}

// The start of the missing-file message; the batch's response text has always
// had two blanks after "find".
std::string MissingText(CalibrationKind kind, CalibrationCaller caller) {
    switch (kind) {
        case CalibrationKind::Lamp:
            return "Can't find the Calibration Lamp File for ";
        case CalibrationKind::Baseline:
            return "Can't find the Baseline File for ";
        case CalibrationKind::Response:
            break;
    }
    return caller == CalibrationCaller::ConvertToRadiometric
               ? "Can't find the Instrument Response File for "
               : "Can't find  the Instrument Response File for ";
}

std::string ChannelSizeText(CalibrationKind kind) {
    switch (kind) {
        case CalibrationKind::Lamp:
            return "The Lamp file channel size ";
        case CalibrationKind::Baseline:
            return "The Baseline file channel size ";
        case CalibrationKind::Response:
            break;
    }
    return "The Instrument Response (Raw) file channel size ";
}

// The conversion shows the failure and returns; the batches let the user skip
// the input or end the run.
CalibrationOutcome Ask(CalibrationCaller caller, const std::string& text) {
    if (caller == CalibrationCaller::ConvertToRadiometric) {
        MsgBox(text, vbOKOnly + vbExclamation, AppTitle);
        return CalibrationOutcome::EndRun;
    }
    const int answer =
        MsgBox(text + CrLf + CrLf + "Skip This File?", vbOKCancel + vbExclamation, AppTitle);
    return answer == vbOK ? CalibrationOutcome::SkipFile : CalibrationOutcome::EndRun;
}

CalibrationOutcome ReportMissing(CalibrationCaller caller, CalibrationKind kind,
                                 const std::string& inputName, const SpectrumHeader& header) {
    std::string text = MissingText(kind, caller) + inputName;
    if (caller == CalibrationCaller::ConvertToRadiometric) {
        text += " " + std::to_string(header.InstrumentNumber) + " " +
                std::to_string(header.CalibrationNumber);
    }
    return Ask(caller, text);
}

CalibrationOutcome ReportProblem(CalibrationCaller caller, const std::string& inputName,
                                 const std::string& problem) {
    return Ask(caller, "Can't calibrate " + inputName + ": " + problem);
}

bool AcceptDataType(CalibrationKind kind, const SpectrumHeader& header) {
    if (kind == CalibrationKind::Lamp && header.DataType != Irradiance) {
        return MsgBox("The lamp file data-type is NOT IRRADIANCE, Continue?", vbYesNo, AppTitle) ==
               vbYes;
    }
    if (kind == CalibrationKind::Baseline && header.DataType != Reflectance) {
        return MsgBox("The baseline file data-type is NOT REFLECTANCE, Continue?", vbYesNo,
                      AppTitle) == vbYes;
    }
    return true;
}

}  // namespace

std::string FindCalibrationFile(const std::string& Prefix, int16_t InstrumentNumber,
                                int16_t CalibrationNumber, const std::string& Extension) {
    for (bool underscore : {true, false}) {
        const std::string name =
            CalibrationFileName(Prefix, InstrumentNumber, CalibrationNumber, Extension, underscore);
        if (FileExists(name)) {
            return name;
        }
    }
    return "";
}

CalibrationReadResult ReadCalibrationFile(const std::string& Name, CalibrationKind Kind,
                                          int16_t SpectrumChannels, CalibrationFileContent& File) {
    File = CalibrationFileContent{};
    if (Name.empty()) {
        return CalibrationReadResult::Missing;
    }
    std::vector<uint8_t> bytes;
    std::string error;
    if (!LoadSpectrumFileBytes(Name, bytes, error)) {
        ShowFileError(Name + " " + error + ".");
        return CalibrationReadResult::Failed;
    }
    try {
        if (!ParseCalibrationFile(bytes.data(), bytes.size(), File)) {
            // Only the message: the loaded spectrum keeps its own version.
            CheckSpectrumSignature(Name, File.Header.Signature);
            return CalibrationReadResult::Failed;
        }
    } catch (const spectrum::FileFormatError& fault) {
        ShowFileError(Name + " " + fault.what() + ".");
        return CalibrationReadResult::Failed;
    }
    if (!AcceptDataType(Kind, File.Header)) {
        return CalibrationReadResult::Failed;
    }
    const auto held = static_cast<int64_t>(File.Values.size());
    if (SpectrumChannels != NoChannelCheck && held < SpectrumChannels) {
        MsgBox(ChannelSizeText(Kind) + std::to_string(held) + " does not match " +
                   "the Spectrum data file size " + std::to_string(SpectrumChannels),
               vbOKOnly + vbExclamation, AppTitle);
        return CalibrationReadResult::Failed;
    }
    return CalibrationReadResult::Read;
}

CalibrationOutcome LoadCalibrationFiles(CalibrationCaller Caller, const SpectrumHeader& Header,
                                        const std::string& InputName, CalibrationSet& Set) {
    Set = CalibrationSet{};
    constexpr CalibrationKind kinds[] = {CalibrationKind::Lamp, CalibrationKind::Baseline,
                                         CalibrationKind::Response};
    std::string names[3];
    for (int k = 0; k < 3; ++k) {
        names[k] = FindCalibrationFile(CalibrationPrefix(kinds[k], Header), Header.InstrumentNumber,
                                       Header.CalibrationNumber, CalibrationExtension(kinds[k]));
    }
    // NEDL checks the counts too: a shorter calibration file would leave the
    // trailing channels of the NEDL at zero, an instrument without noise there.
    const int16_t channels = Header.ChannelCount;
    std::vector<double>* arrays[] = {&Set.Lamp, &Set.Baseline, &Set.Response};
    for (int k = 0; k < 3; ++k) {
        CalibrationFileContent file;
        switch (ReadCalibrationFile(names[k], kinds[k], channels, file)) {
            case CalibrationReadResult::Missing:
                Set = CalibrationSet{};
                return ReportMissing(Caller, kinds[k], InputName, Header);
            case CalibrationReadResult::Failed:
                Set = CalibrationSet{};
                return CalibrationOutcome::EndRun;
            case CalibrationReadResult::Read:
                break;
        }
        *arrays[k] = std::move(file.Values);
        if (kinds[k] == CalibrationKind::Response) {
            Set.CalHeader = file.Header;
            Set.CalibrationName = names[k];
        }
    }
    return CalibrationOutcome::Ready;
}

CalibrationOutcome UseEmbeddedCalibration(CalibrationCaller Caller, const std::string& InputName,
                                          bool Radiance, CalibrationSet& Set) {
    Set = CalibrationSet{};
    const char* lacking = CalBufferFO.empty()                ? "instrument response"
                          : CalBufferLMP.empty()             ? "lamp spectrum"
                          : Radiance && CalBufferBSE.empty() ? "baseline spectrum"
                                                             : nullptr;
    // The instrument response is only read behind a third calibration record,
    // so its values are there whenever its buffer is.
    if (lacking != nullptr || CalibrationCount < 3 || CalibrationHeaders.size() < 3) {
        return ReportProblem(Caller, InputName,
                             std::string("it carries no embedded ") +
                                 (lacking != nullptr ? lacking : "instrument response"));
    }
    Set.Response = CalBufferFO;
    Set.Lamp = CalBufferLMP;
    Set.Baseline = CalBufferBSE;
    const CalibrationHeader& record = CalibrationHeaders[2];
    Set.CalHeader.IntegrationTime = record.CalIntegrationTime;
    Set.CalHeader.Swir1Gain = record.CalSwir1Gain;
    Set.CalHeader.Swir2Gain = record.CalSwir2Gain;
    Set.CalibrationName = "the calibration embedded in " + InputName;
    return CalibrationOutcome::Ready;
}

CalibrationOutcome CheckRadiometricCalibration(CalibrationCaller Caller,
                                               const std::string& InputName,
                                               const SpectrumHeader& Header, uint8_t InstrumentType,
                                               const CalibrationSet& Set) {
    const std::string problem =
        RadiometricProblem(Header, Set.CalHeader, InstrumentType, InputName, Set.CalibrationName);
    if (problem.empty()) {
        return CalibrationOutcome::Ready;
    }
    return ReportProblem(Caller, InputName, problem);
}
