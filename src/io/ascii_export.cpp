#include "io/ascii_export.h"

#include <new>
#include <stdexcept>
#include <utility>

#include "frame/batch_host.h"
#include "frame/settings.h"
#include "frame/work_list_walk.h"
#include "io/output_file_dialog.h"
#include "io/text_bytes.h"
#include "io/wavelength_check.h"
#include "ops/analysis/spectral_transforms.h"
#include "ops/calibration/absolute_reflectance.h"
#include "ops/calibration/radiometric_conversion.h"
#include "platform/shell/paths.h"
#include "platform/ui/common_dialog.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"

namespace {

enum ExportDataFormat : int16_t {
    FormatDN = 0,
    FormatReflectance = 1,
    FormatTransmittance = 2,
    FormatLog1R = 3,
    FormatLog1T = 4,
    FormatRadiometric = 5,
};

struct SplitName {
    std::string Path;  // without its drive
    std::string FileName;
};

SplitName Split(const std::string& listed) {
    SplitName split{listed, {}};
    std::string drive, dir;
    SplitPath(split.Path, drive, dir, split.FileName);
    return split;
}

// The spectrum just read as the one column of a file of its own.
AsciiTable SingleSpectrum(const std::string& fileName, const std::string& collectTime,
                          std::vector<double> values) {
    AsciiTable table;
    table.Channel1Wavelength = CurrentHeader.Channel1Wavelength;
    table.WavelengthStep = CurrentHeader.WavelengthStep;
    table.Columns.push_back({fileName, collectTime, std::move(values)});
    return table;
}

class AsciiFilesBatch : public BatchOperation {
public:
    AsciiFilesBatch(const AsciiLayout& layout, int16_t dataFormat, int16_t derivative,
                    int16_t correction)
        : layout_(layout),
          dataFormat_(dataFormat),
          derivative_(derivative),
          correction_(correction) {
        Extension = ".txt";
        RefillList2 = false;
        ResetPlotState = false;
        ClearList1AtEnd = true;
    }

    BatchStep BeforePrompt(BatchFile& file) override {
        return CheckWavelengths(file.InputPath) ? BatchStep::Continue : BatchStep::Skip;
    }

    BatchStep AfterPrompt(BatchFile& file) override {
        collectTime_ = CollectTimeText(CurrentHeader.SaveTime);
        // The path without its drive, as the messages and the header block
        // name it; Write comes right after for the same file.
        path_ = Split(file.InputPath).Path;
        return FillExportTable(dataFormat_, derivative_, correction_, path_, values_);
    }

    std::vector<uint8_t> Write(BatchFile& file) override {
        std::string text;
        if (layout_.PrintHeader || layout_.HeaderOnly) {
            text += HeaderBlockText(path_);
        }
        if (layout_.PrintNote) {
            text += NoteText(layout_.Note);
        }
        text += AsciiTableText(
            layout_, SingleSpectrum(file.InputName, collectTime_, std::move(values_)), false);
        return TextBytes(text);
    }

private:
    AsciiLayout layout_;
    int16_t dataFormat_;
    int16_t derivative_;
    int16_t correction_;
    std::string collectTime_;
    std::string path_;
    std::vector<double> values_;
};

enum class Flow { Go, NextFile, Stop };

// One table for the whole work list, filled as the files are read.
class SingleTableRun {
public:
    SingleTableRun(const AsciiLayout& layout, int16_t dataFormat, int16_t derivative,
                   int16_t correction, std::string output)
        : layout_(layout),
          dataFormat_(dataFormat),
          derivative_(derivative),
          correction_(correction),
          output_(std::move(output)) {}

    Flow Take(const std::string& listed) {
        if (ReadSpectrumFile(listed) == -1 || !CheckWavelengths(listed)) {
            return Flow::NextFile;
        }
        const SplitName name = Split(listed);
        const std::string collectTime = CollectTimeText(CurrentHeader.SaveTime);
        std::vector<double> values;
        switch (FillExportTable(dataFormat_, derivative_, correction_, name.Path, values)) {
            case BatchStep::Continue:
                break;
            case BatchStep::Skip:
                return Flow::NextFile;
            case BatchStep::EndRun:
            case BatchStep::EndRunToClosing:
                return Flow::Stop;
        }
        const int upper = static_cast<int>(values.size()) - 1;
        if (count_ == 0) {
            if (FileExists(output_) && AskOverwriteFile(output_, "Overwrite?", false) == "No") {
                return Flow::Stop;
            }
            upper_ = upper;
            // The axis is the first accepted spectrum's: later files may be
            // skipped, and must not lend the table theirs.
            table_.Channel1Wavelength = CurrentHeader.Channel1Wavelength;
            table_.WavelengthStep = CurrentHeader.WavelengthStep;
        } else if (upper != upper_) {
            const std::string text =
                "Channel Number Mismatch\r\n" + name.Path + " contains " +
                std::to_string(CurrentHeader.ChannelCount) + " channels\r\nThe starting file had " +
                std::to_string(upper_ + 1) + " channels\r\n Click OK to Skip, Cancel to Abort";
            return MsgBox(text, vbOKCancel + vbExclamation, AppTitle) == vbOK ? Flow::NextFile
                                                                              : Flow::Stop;
        }
        if (layout_.HeaderOnly) {
            text_ += HeaderBlockText(name.Path);
        } else {
            try {
                table_.Columns.push_back({name.FileName, collectTime, std::move(values)});
            } catch (const std::bad_alloc&) {
                MsgBox(std::string(count_ == 0 ? "Error creating spectrum data arrays"
                                               : "Error creating spectral data arrays") +
                           "\r\nOut of memory",
                       vbOKOnly + vbCritical, AppTitle);
                return Flow::Stop;
            }
        }
        ++count_;
        return Flow::Go;
    }

    // Writes what was gathered, the whole table at once: until then the
    // output is not touched, so a run that ends early or a write that fails
    // leaves an earlier file of that name as it was. False when the file could
    // not be written (the user has been told).
    bool Finish() {
        if (count_ == 0) {
            return true;
        }
        std::string text = layout_.HeaderOnly ? text_ : std::string();
        if (layout_.PrintNote) {
            text += NoteText(layout_.Note);
        }
        text += AsciiTableText(layout_, table_, true);
        return WriteOutputFile(output_, TextBytes(text));
    }

    int Count() const { return count_; }

private:
    AsciiLayout layout_;
    int16_t dataFormat_;
    int16_t derivative_;
    int16_t correction_;
    std::string output_;
    int count_ = 0;
    int upper_ = -1;
    AsciiTable table_;
    std::string text_;  // header-only mode: the header blocks so far
};

}  // namespace

BatchStep FillExportTable(int16_t DataFormat, int16_t Derivative, int16_t Correction,
                          const std::string& Path, std::vector<double>& Values) {
    const std::vector<double>* source = &SpectrumData;
    bool formed = true;
    // A version-1 file holds one kind of values only: they go out as stored.
    if (FileVersion >= 2) {
        switch (DataFormat) {
            case FormatReflectance:
            case FormatTransmittance:
                if (Derivative == 1) {
                    formed = ComputeReflectanceDeriv1();
                    source = &FirstDerivData;
                } else if (Derivative == 2) {
                    formed = ComputeReflectanceDeriv2();
                    source = &SecondDerivData;
                } else if (DataFormat == FormatReflectance && Correction != 0) {
                    formed = ComputeReflectance();
                    if (formed && ComputeAbsoluteReflectance() == -1) {
                        MsgBox("Problem loading " + AbsoluteReferenceName + " for " + Path,
                               vbOKOnly + vbExclamation, AppTitle);
                        return BatchStep::EndRun;
                    }
                    source = &DisplayData;
                } else {
                    formed = ComputeReflectance();
                    source = &ReflectanceData;
                }
                break;
            case FormatLog1R:
            case FormatLog1T:
                if (Derivative == 1) {
                    formed = ComputeLog1RDeriv1();
                    source = &FirstDerivData;
                } else if (Derivative == 2) {
                    formed = ComputeLog1RDeriv2();
                    source = &SecondDerivData;
                } else {
                    formed = ComputeLog1R();
                    source = &Log1RData;
                }
                break;
            case FormatRadiometric:
                if (!ConvertToRadiometric(Path, Correction != 0)) {
                    return BatchStep::EndRun;
                }
                source = &DisplayData;
                break;
            default:
                break;
        }
    }
    // A transform that failed has left its array as the previous file had it.
    if (!formed) {
        return BatchStep::Skip;
    }
    if (source->size() < SpectrumData.size()) {
        throw std::runtime_error("its values could not be formed for every channel");
    }
    Values.assign(source->begin(),
                  source->begin() + static_cast<std::ptrdiff_t>(SpectrumData.size()));
    return BatchStep::Continue;
}

void ExportAsciiFiles(const AsciiLayout& Layout, int16_t DataFormat, int16_t Derivative,
                      int16_t Correction) {
    AsciiFilesBatch batch(Layout, DataFormat, Derivative, Correction);
    RunBatch(batch);
}

void ExportAsciiSingleFile(const AsciiLayout& Layout, int16_t DataFormat, int16_t Derivative,
                           int16_t Correction) {
    BatchHost& host = MainHost();
    const std::string outputPath = AskOutputFile(host, "Select Ascii File", ".txt",
                                                 "Ascii Files (*.txt)|*.txt|All Files (*.*)|*.*");
    if (outputPath.empty()) {
        return;
    }

    FileList& work = host.List1();
    const int count = work.ListCount();
    host.SetProgressMax(count);
    SingleTableRun run(Layout, DataFormat, Derivative, Correction, outputPath);
    const bool walked = WalkWorkList(host, [&](const std::string& listed) {
        try {
            return run.Take(listed) != Flow::Stop;
        } catch (const std::exception& error) {
            MsgBox(listed + " could not be processed: " + error.what() + ".", vbOKOnly + vbCritical,
                   AppTitle);
            return false;
        }
    });
    if (!walked || !run.Finish()) {
        host.SetMousePointer(vbDefault);
        host.SetProgressValue(0);
        return;
    }
    work.Clear();
    host.SetProgressValue(0);
    host.SetMousePointer(vbDefault);
    MsgBox(run.Count() == 0 ? std::string("No Files Processed")
                            : std::to_string(run.Count()) + " Files Processed",
           vbOKOnly + vbInformation, AppTitle);
}
