#include "ops/analysis/statistics.h"

#include <cfloat>
#include <cmath>
#include <new>
#include <string>
#include <vector>

#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "frame/helpers.h"
#include "frame/work_list_walk.h"
#include "ops/analysis/kernels/statistics.h"
#include "ops/analysis/spectral_transforms.h"
#include "ops/calibration/radiometric_conversion.h"
#include "platform/shell/paths.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "zelutil/binding.h"

namespace {

const char* const CrLf = "\r\n";

struct Output {
    int16_t Value;
    const char* Title;
    const char* Filter;
    const char* Extension;
    const char* Name;  // for messages
};

// In the order the dialogs come and the files are written.
const Output Outputs[] = {
    {StatisticsMean, "Select Mean File", "Mean Files (*.mn)|*.mn|All Files (*.*)|*.*", ".mn",
     "mean"},
    {StatisticsMedian, "Select Median File", "Median Files (*.md)|*.md|All Files (*.*)|*.*", ".md",
     "median"},
    {StatisticsStandardDeviation, "Select Standard Deviation File",
     "StdDev Files (*.st)|*.st|All Files (*.*)|*.*", ".st", "standard deviation"},
};

enum class Taken { Values, LeftOut, EndRun };

// The values a file enters the statistics with, by its version and kind.
Taken TakeValues(const std::string& name, std::vector<double>& buffer) {
    const std::vector<double>* source = &SpectrumData;
    if (FileVersion >= 2) {
        switch (CurrentHeader.DataType) {
            case 0:
                break;
            case 1:
            case 2:
                // The reflectance has told the user why it could not be
                // formed; what its array holds belongs to another file.
                if (!ComputeReflectance()) {
                    return Taken::LeftOut;
                }
                source = &ReflectanceData;
                break;
            case 3:
            case 4:
                if (!ComputeLog1R()) {
                    return Taken::LeftOut;
                }
                source = &Log1RData;
                break;
            case 5:
            case 6:
                if (!ConvertToRadiometric(name, false)) {
                    return Taken::EndRun;
                }
                source = &DisplayData;
                break;
            default:
                // Counted as zeros it would pull every result toward 0.
                MsgBox(name + " has a data type that statistics cannot use and is left out.",
                       vbOKOnly + vbExclamation, AppTitle);
                return Taken::LeftOut;
        }
    }
    buffer.assign(SpectrumData.size(), 0.0);
    for (std::size_t i = 0; i < buffer.size() && i < source->size(); ++i) {
        buffer[i] = (*source)[i];
    }
    return Taken::Values;
}

// OK skips the file, Cancel ends the run.
bool SkipOrAbort(const std::string& text) {
    return MsgBox(text + CrLf + CrLf + " Click OK to Skip, Cancel to Abort",
                  vbOKCancel + vbExclamation, AppTitle) == vbOK;
}

struct Run {
    int16_t selection = 0;
    SpectrumSet set;
    uint8_t dataType = 0;
    std::string paths[3];
    bool yesToAll = false;
};

bool Selected(const Run& run, const Output& output) {
    return (run.selection & output.Value) != 0;
}

// The header every output of the run carries: the first file's, as a
// version-1 file that no reader takes for legacy Integers.
void MakeStatisticsHeader(std::size_t values) {
    OutputHeader = CurrentHeader;
    OutputHeader.Signature = {'Z', 'E', 'L'};
    if (OutputHeader.InstrumentType == Swir0 || OutputHeader.InstrumentType == Vnir1) {
        OutputHeader.InstrumentType = Vnir3;
    }
    // Legacy data holds 512 values whatever its header says; the outputs say
    // how many they hold, or they could not be read back.
    OutputHeader.ChannelCount = static_cast<int16_t>(values);
}

// The output names, asked while the first file is handled. False ends the
// run.
bool NameOutputs(Run& run) {
    const bool oneOutput = run.selection == StatisticsMean || run.selection == StatisticsMedian ||
                           run.selection == StatisticsStandardDeviation;
    for (std::size_t o = 0; o < std::size(Outputs); ++o) {
        if (!Selected(run, Outputs[o])) {
            continue;
        }
        const std::string path =
            ShowSaveDialog(Outputs[o].Title, Outputs[o].Filter, Outputs[o].Extension);
        if (path.empty()) {
            return false;
        }
        if (!run.yesToAll && FileExists(path)) {
            const std::string answer = AskOverwriteFile(path, "Overwrite?", !oneOutput);
            if (answer == "No") {
                return false;
            }
            if (answer == "Yes All") {
                run.yesToAll = true;
            }
        }
        run.paths[o] = path;
    }
    return true;
}

enum class Gathered { Enough, EndRun, Fewer };

// One entry of the work list into the set; false ends the run.
bool Take(Run& run, const std::string& name, std::vector<double>& buffer) {
    BatchHost& host = MainHost();
    if (ReadSpectrumFile(name) == -1) {
        return true;
    }
    switch (TakeValues(name, buffer)) {
        case Taken::Values:
            break;
        case Taken::LeftOut:
            return true;
        case Taken::EndRun:
            return false;
    }
    if (run.set.Count() == 0) {
        run.dataType = CurrentHeader.DataType;
        StartSpectrumSet(run.set, buffer.size());
        MakeStatisticsHeader(buffer.size());
        if (!NameOutputs(run)) {
            return false;
        }
    } else {
        std::string mismatch;
        if (CurrentHeader.DataType != run.dataType) {
            mismatch = std::string("Date-Type Mismatch") + CrLf +
                       "The files you have selected for processing are of different types";
        } else if (buffer.size() != run.set.Channels) {
            mismatch = std::string("Channel Number Mismatch") + CrLf + name + " contains " +
                       std::to_string(CurrentHeader.ChannelCount) + " channels" + CrLf +
                       "The starting file had " + std::to_string(run.set.Channels) + " channels";
        }
        if (!mismatch.empty()) {
            if (SkipOrAbort(mismatch)) {
                return true;
            }
            host.SetMousePointer(vbDefault);
            return false;
        }
    }
    try {
        AddToSpectrumSet(run.set, buffer);
    } catch (const std::bad_alloc&) {
        ReleaseSpectrumSet(run.set);
        MsgBox(std::string("Not enough memory to perform this operation") + CrLf +
                   "Try selecting fewer files",
               vbOKOnly + vbCritical, AppTitle);
        return false;
    }
    return true;
}

Gathered Gather(Run& run) {
    std::vector<double> buffer;
    if (!WalkWorkList(MainHost(),
                      [&](const std::string& name) { return Take(run, name, buffer); })) {
        return Gathered::EndRun;
    }
    if (run.set.Count() < 2) {
        MsgBox("Statistical operations can't be performed on a single file!",
               vbOKOnly + vbExclamation, AppTitle);
        return Gathered::Fewer;
    }
    return Gathered::Enough;
}

// The first channel whose result a Single cannot hold, or -1.
int BeyondSingle(const std::vector<double>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (std::isfinite(values[i]) && std::fabs(values[i]) > FLT_MAX) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The results of the selected outputs, in output order. False after a message
// when one cannot be made or written as Singles.
bool Compute(const Run& run, std::vector<double> (&results)[3]) {
    if (Selected(run, Outputs[0])) {
        results[0] = SpectrumSetMean(run.set);
    }
    if (Selected(run, Outputs[2])) {
        results[2] = SpectrumSetStandardDeviation(run.set);
    }
    // The median needs ZelUtil: a run that writes none must not fail for want
    // of it.
    if (Selected(run, Outputs[1])) {
        try {
            if (!SpectrumSetMedian(run.set, results[1])) {
                MsgBox("The median could not be computed.", vbOKOnly + vbCritical, AppTitle);
                return false;
            }
        } catch (const ZelUtil::Unavailable& error) {
            MsgBox(error.what(), vbOKOnly + vbExclamation, AppTitle);
            return false;
        }
    }
    for (std::size_t o = 0; o < std::size(Outputs); ++o) {
        if (!Selected(run, Outputs[o])) {
            continue;
        }
        if (const int channel = BeyondSingle(results[o]); channel >= 0) {
            MsgBox("The " + std::string(Outputs[o].Name) + " of channel " +
                       std::to_string(channel) + " is too large to be written to " + run.paths[o] +
                       ".",
                   vbOKOnly + vbExclamation, AppTitle);
            return false;
        }
    }
    return true;
}

}  // namespace

void CreateStatisticsFiles(int16_t Selection) {
    BatchHost& host = MainHost();
    host.SetProgressMax(host.List1().ListCount());
    Run run;
    run.selection = Selection;
    switch (Gather(run)) {
        case Gathered::Enough:
            break;
        case Gathered::EndRun:
            host.SetProgressValue(0);
            return;
        case Gathered::Fewer:
            return;
    }

    SetMousePointer(vbHourglass);
    std::vector<double> results[3];
    const int accepted = run.set.Count();
    const bool computed = Compute(run, results);
    ReleaseSpectrumSet(run.set);
    std::vector<std::string> written;
    if (computed) {
        for (std::size_t o = 0; o < std::size(Outputs); ++o) {
            if (!Selected(run, Outputs[o])) {
                continue;
            }
            std::vector<uint8_t> bytes;
            AppendHeader(bytes, OutputHeader);
            AppendSingles(bytes, results[o]);
            // A file that cannot be written is reported and removed; the run
            // ends there, as every batch does.
            if (!WriteOutputFile(run.paths[o], bytes)) {
                SetMousePointer(vbDefault);
                host.SetProgressValue(0);
                return;
            }
            written.push_back(run.paths[o]);
        }
    }
    SetMousePointer(vbDefault);
    host.SetProgressValue(0);
    if (!computed) {
        return;
    }
    host.List2().Clear();
    host.List2().AddItems(written);
    MsgBox(std::to_string(accepted) + " Input Files Processed" + CrLf +
               std::to_string(written.size()) + " Output Files Created",
           vbOKOnly + vbInformation, AppTitle);
}
