#include "io/jcamp_export.h"

#include <ctime>
#include <exception>
#include <string>
#include <vector>

#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "frame/settings.h"
#include "frame/work_list_walk.h"
#include "io/formats/jcamp_text.h"
#include "io/output_file_dialog.h"
#include "io/text_bytes.h"
#include "io/wavelength_check.h"
#include "platform/shell/paths.h"
#include "platform/ui/common_dialog.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"

namespace {

JcampClock LocalClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

// The loaded spectrum as the export writes it: every value it holds.
JcampSpectrum LoadedValues() {
    return {CurrentHeader.Channel1Wavelength, CurrentHeader.WavelengthStep, SpectrumData};
}

// A value the table cannot carry would come back from the file as another
// number, so the spectrum is left out rather than written wrong.
bool CheckWritable(const std::string& inputPath) {
    if (!CheckWavelengths(inputPath)) {
        return false;
    }
    if (JcampWritable(SpectrumData)) {
        return true;
    }
    MsgBox(inputPath +
               " holds a value that JCAMP-DX text cannot carry (not a number, infinite, or "
               "too large). The file was skipped.",
           vbOKOnly + vbExclamation, AppTitle);
    return false;
}

class JcampFileBatch : public BatchOperation {
public:
    JcampFileBatch() {
        Extension = ".dx";
        // The launcher holds the hourglass for the whole run.
        HourglassPerFile = false;
        RefillList2 = false;
        ResetPlotState = false;
        ClearList1AtEnd = true;
    }

    BatchStep BeforePrompt(BatchFile& file) override {
        return CheckWritable(file.InputPath) ? BatchStep::Continue : BatchStep::Skip;
    }

    std::vector<uint8_t> Write(BatchFile& file) override {
        const JcampBlockLines lines = JcampFileLines(file.InputName, file.OutputPath, VersionText);
        return TextBytes(JcampDataBlock(lines, LoadedValues(), LocalClock()));
    }
};

}  // namespace

void ExportJcampFiles() {
    JcampFileBatch batch;
    RunBatch(batch);
}

void ExportJcampMultiFile() {
    BatchHost& host = MainHost();
    const std::string outputPath = AskOutputFile(host, "Select JCAMP File", ".dx",
                                                 "JCAMP Files (*.dx)|*.dx|All Files (*.*)|*.*");
    if (outputPath.empty()) {
        host.SetProgressValue(0);
        return;
    }
    FileList& work = host.List1();
    const int count = work.ListCount();
    host.SetProgressMax(count);
    bool firstReadable = true;
    // The file is written whole at the end, so that it holds exactly the
    // blocks its head counts and a failure leaves no part of it behind.
    std::vector<std::string> blocks;
    const bool walked = WalkWorkList(host, [&](const std::string& inputPath) {
        try {
            if (ReadSpectrumFile(inputPath) == -1) {
                return true;
            }
            if (firstReadable) {
                firstReadable = false;
                if (FileExists(outputPath) &&
                    AskOverwriteFile(outputPath, "Overwrite?", false) == "No") {
                    return false;
                }
            }
            if (!CheckWritable(inputPath)) {
                return true;
            }
            std::string path = inputPath, drive, dir, name;
            SplitPath(path, drive, dir, name);
            const JcampBlockLines lines = JcampMultiLines(name, inputPath, VersionText);
            blocks.push_back(JcampDataBlock(lines, LoadedValues(), LocalClock()));
            return true;
        } catch (const std::exception& error) {
            MsgBox(inputPath + " could not be processed: " + error.what() + ".",
                   vbOKOnly + vbCritical, AppTitle);
            return false;
        }
    });
    if (!walked) {
        return;
    }
    if (!blocks.empty()) {
        std::string text = JcampLinkHead(outputPath, VersionText, static_cast<int>(blocks.size()));
        for (const std::string& block : blocks) {
            text += block;
        }
        text += "##END=\r\n";
        if (!WriteOutputFile(outputPath, TextBytes(text))) {
            host.SetProgressValue(0);
            return;
        }
    }
    host.SetProgressValue(0);
    MsgBox(blocks.empty() ? std::string("No Files Processed")
                          : std::to_string(blocks.size()) + " Files Processed",
           vbOKOnly + vbInformation, AppTitle);
    if (!blocks.empty()) {
        work.Clear();
    }
}
