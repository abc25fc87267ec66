#include "ops/calibration/nedl.h"

#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "frame/helpers.h"
#include "frame/settings.h"
#include "frame/work_list_walk.h"
#include "ops/calibration/calibration_files.h"
#include "ops/calibration/kernels/nedl_statistics.h"
#include "ops/calibration/kernels/radiometric.h"
#include "platform/shell/paths.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/stamps.h"
#include "spectrum/state.h"

namespace {

const char* const CrLf = "\r\n";
constexpr int MinimumFiles = 30;
const char* const TooFewFiles = "NEDL operations require at least 30 files!";

// The screen shows the hourglass while the statistics run; every way out of
// the operation leaves the default pointer.
class PointerGuard {
public:
    PointerGuard() = default;
    PointerGuard(const PointerGuard&) = delete;
    PointerGuard& operator=(const PointerGuard&) = delete;
    ~PointerGuard() { SetMousePointer(vbDefault); }
};

// True when path does not exist or the user chose OK at the question; Cancel
// ends the run.
bool MayReplace(const std::string& path) {
    if (!FileExists(path)) {
        return true;
    }
    if (MsgBox(path + " already exists!\rOverwrite?", vbOKCancel + vbExclamation, AppTitle) !=
        vbOK) {
        return false;
    }
    DoEvents();
    return true;
}

// OK skips the file, Cancel ends the run.
bool SkipOrAbort(const std::string& text) {
    return MsgBox(text + CrLf + CrLf + " Click OK to Skip, Cancel to Abort",
                  vbOKCancel + vbExclamation, AppTitle) == vbOK;
}

enum class Gathered { Enough, EndRun };

struct Run {
    NedlSums sums;
    uint8_t dataType = 0;
    std::size_t channels = 0;
    std::string nedlPath;
    std::string tempPath;
    std::string lastName;  // the last entry of the work list, for the messages
    int accepted = 0;
};

bool SamePath(const std::string& a, const std::string& b) {
    std::error_code failedA, failedB;
    const auto canonicalA = std::filesystem::weakly_canonical(a, failedA);
    const auto canonicalB = std::filesystem::weakly_canonical(b, failedB);
    return failedA || failedB ? a == b : canonicalA == canonicalB;
}

// The first readable file decides the data type and the channel count, gives
// the output header, and is when the user names the outputs.
bool StartWith(Run& run) {
    run.dataType = CurrentHeader.DataType;
    run.channels = SpectrumData.size();
    StartNedlSums(run.sums, run.channels);
    OutputHeader = CurrentHeader;
    if (OutputHeader.InstrumentType == Swir0 || OutputHeader.InstrumentType == Vnir1) {
        OutputHeader.InstrumentType = Vnir3;
    }
    run.nedlPath =
        ShowSaveDialog("Select NEDL File", "NEDL Files (*.ned)|*.ned|All Files (*.*)|*.*", ".ned");
    if (run.nedlPath.empty() || !MayReplace(run.nedlPath)) {
        return false;
    }
    // The deviation file is the program's own, rewritten by every run: it is
    // replaced without a question, or every run after the first would ask.
    run.tempPath = AddBackslash(OutputDirectory) + "StdTemp.000";
    return true;
}

enum class Fit { Accept, Skip, EndRun };

// A later file of another kind or size is skipped or ends the run, as the user
// chooses.
Fit Accepts(const Run& run, const std::string& name) {
    if (CurrentHeader.DataType != run.dataType) {
        return SkipOrAbort(std::string("Date-Type Mismatch") + CrLf +
                           "The files you have selected for processing are of different types")
                   ? Fit::Skip
                   : Fit::EndRun;
    }
    if (SpectrumData.size() != run.channels) {
        return SkipOrAbort(std::string("Channel Number Mismatch") + CrLf + name + " contains " +
                           std::to_string(CurrentHeader.ChannelCount) + " channels" + CrLf +
                           "The starting file had " + std::to_string(run.channels) + " channels")
                   ? Fit::Skip
                   : Fit::EndRun;
    }
    return Fit::Accept;
}

Gathered Gather(Run& run) {
    bool first = true;
    const bool walked = WalkWorkList(MainHost(), [&](const std::string& name) {
        run.lastName = name;
        if (ReadSpectrumFile(name) == -1) {
            return true;
        }
        if (first) {
            first = false;
            if (!StartWith(run)) {
                return false;
            }
        } else if (const Fit fit = Accepts(run, name); fit != Fit::Accept) {
            return fit == Fit::Skip;
        }
        AddNedlSpectrum(run.sums, SpectrumData);
        return true;
    });
    if (!walked) {
        return Gathered::EndRun;
    }
    run.accepted = run.sums.Count;
    if (run.accepted < MinimumFiles) {
        MsgBox(TooFewFiles, vbOKOnly + vbExclamation, AppTitle);
        return Gathered::EndRun;
    }
    return Gathered::Enough;
}

// The scaled deviation into SpectrumData and "StdTemp.000".
bool WriteDeviationFile(Run& run) {
    SetMousePointer(vbHourglass);
    SpectrumData = ScaleNedlDeviation(NedlStandardDeviation(run.sums));
    run.sums = NedlSums{};
    SetFileSignature(1, OutputHeader);
    // Legacy data holds 512 values whatever its header says; the file and the
    // calibration below count what is written.
    OutputHeader.ChannelCount = static_cast<int16_t>(SpectrumData.size());
    std::vector<uint8_t> bytes;
    AppendHeader(bytes, OutputHeader);
    AppendSingles(bytes, SpectrumData);
    const bool written = WriteOutputFile(run.tempPath, bytes);
    SetMousePointer(vbDefault);
    return written;
}

enum class Calibrated { Written, NotWritten, EndRun };

Calibrated WriteNedlFile(const Run& run) {
    CalibrationSet set;
    CalibrationOutcome outcome =
        LoadCalibrationFiles(CalibrationCaller::Nedl, OutputHeader, run.lastName, set);
    // The deviation's own header decides the detector regions and passes, so
    // that a work list ending in another instrument's file cannot cut them.
    const uint8_t instrumentType = OutputHeader.InstrumentType;
    if (outcome == CalibrationOutcome::Ready) {
        outcome = CheckRadiometricCalibration(CalibrationCaller::Nedl, run.lastName, OutputHeader,
                                              instrumentType, set);
    }
    if (outcome == CalibrationOutcome::SkipFile) {
        return Calibrated::NotWritten;
    }
    if (outcome == CalibrationOutcome::EndRun) {
        return Calibrated::EndRun;
    }
    std::vector<double> out(static_cast<std::size_t>(OutputHeader.ChannelCount), 0.0);
    CalcRadiance(out, SpectrumData, set.Response, set.Lamp, set.Baseline, OutputHeader,
                 set.CalHeader, instrumentType);
    SpectrumHeader header;
    MakeRadianceHeader(header, OutputHeader);
    SetFileSignature(1, header);
    std::vector<uint8_t> bytes;
    AppendHeader(bytes, header);
    AppendSingles(bytes, out);
    return WriteOutputFile(run.nedlPath, bytes) ? Calibrated::Written : Calibrated::EndRun;
}

void Close(const Run& run, const std::vector<std::string>& outputs) {
    BatchHost& host = MainHost();
    host.SetProgressValue(0);
    host.List2().Clear();
    host.List2().AddItems(outputs);
    MsgBox(std::to_string(run.accepted) + " Input Files Processed" + CrLf +
               std::to_string(outputs.size()) + " Output Files Created",
           vbOKOnly + vbInformation, AppTitle);
    PlotFormat = 0;
    PlotDeriv = 0;
    HasEmbeddedReference = false;
}

}  // namespace

void CreateNedlFile() {
    PointerGuard pointer;
    BatchHost& host = MainHost();
    host.SetProgressMax(host.List1().ListCount());
    Run run;
    try {
        if (Gather(run) == Gathered::EndRun) {
            host.SetProgressValue(0);
            return;
        }
    } catch (const std::bad_alloc&) {
        run = Run{};
        MsgBox(std::string("Not enough memory to perform this operation") + CrLf +
                   "Try selecting fewer files",
               vbOKOnly + vbCritical, AppTitle);
        host.SetProgressValue(0);
        return;
    }
    if (!WriteDeviationFile(run)) {
        host.SetProgressValue(0);
        return;
    }
    std::vector<std::string> outputs{run.tempPath};
    switch (WriteNedlFile(run)) {
        case Calibrated::Written:
            // A NEDL file named like the deviation file has replaced it.
            if (SamePath(run.nedlPath, run.tempPath)) {
                outputs.clear();
            }
            outputs.push_back(run.nedlPath);
            break;
        case Calibrated::NotWritten:
            break;
        case Calibrated::EndRun:
            host.SetProgressValue(0);
            return;
    }
    Close(run, outputs);
}
