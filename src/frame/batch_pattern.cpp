#include "frame/batch_pattern.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "frame/batch_host.h"
#include "frame/file_message.h"
#include "frame/settings.h"
#include "platform/shell/paths.h"
#include "platform/ui/ui.h"
#include "spectrum/bytes.h"
#include "spectrum/reader.h"
#include "spectrum/stamps.h"
#include "spectrum/state.h"

std::string BatchOutputName(const std::string& inputPath, const std::string& extension) {
    std::string path = inputPath, drive, dir, name;
    SplitPath(path, drive, dir, name);
    return AddBackslash(OutputDirectory) + name + extension;
}

BatchStep BatchOperation::OutputName(BatchFile& file) {
    file.OutputPath = BatchOutputName(file.InputPath, Extension);
    return BatchStep::Continue;
}

void BatchOperation::Closing(BatchResult& result) {
    BatchHost& host = MainHost();
    if (RefillList2) {
        host.List2().Clear();
        for (const std::string& output : result.Outputs) {
            host.List2().AddItem(output);
        }
    }
    MsgBox(std::to_string(result.Count) + ProcessedText, vbOKOnly + vbInformation, AppTitle);
    if (ResetPlotState) {
        PlotFormat = 0;
        PlotDeriv = 0;
        HasEmbeddedReference = false;
    }
}

std::string AskOverwriteFile(const std::string& path, const std::string& secondLine,
                             bool yesToAllEnabled) {
    return AskOverwrite(path + " already exists!\r" + secondLine, yesToAllEnabled);
}

bool WriteOutputFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    errno = 0;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (out) {
                return true;
            }
        }
    }
    const std::string reason = errno != 0 ? std::strerror(errno) : "the write failed";
    // Half a spectrum file is worse than none: it would read as complete.
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path, ignored)) {
        std::filesystem::remove(path, ignored);
    }
    MsgBox(path + " could not be written: " + reason + ".", vbOKOnly + vbExclamation, AppTitle);
    return false;
}

void StampDerivedHeader(SpectrumHeader& header, uint8_t dataType) {
    header.DataType = dataType;
    SetFileSignature(1, header);
    ClearApplicationData(header);
}

void AppendHeader(std::vector<uint8_t>& bytes, const SpectrumHeader& header) {
    spectrum::ByteWriter out(bytes);
    WriteRecord(out, header);
}

void AppendSingles(std::vector<uint8_t>& bytes, const std::vector<double>& values) {
    spectrum::ByteWriter out(bytes);
    for (double v : values) {
        out(static_cast<float>(v));
    }
}

void AppendDoubles(std::vector<uint8_t>& bytes, const std::vector<double>& values) {
    spectrum::ByteWriter out(bytes);
    for (double v : values) {
        out(v);
    }
}

namespace {

enum class Flow { Go, NextFile, Stop };

struct RunState {
    BatchResult result;
    bool yesToAll = false;
    bool firstReadable = true;
    bool closeEarly = false;
};

Flow ToFlow(BatchStep step, RunState& run) {
    switch (step) {
        case BatchStep::Continue:
            return Flow::Go;
        case BatchStep::Skip:
            return Flow::NextFile;
        case BatchStep::EndRunToClosing:
            run.closeEarly = true;
            return Flow::NextFile;
        case BatchStep::EndRun:
            break;
    }
    return Flow::Stop;
}

// Steps 3 to 9 of one work-list position.
Flow ProcessOne(BatchOperation& op, BatchHost& host, int i, int count, RunState& run) {
    if (op.HourglassPerFile) {
        host.SetMousePointer(vbHourglass);
    }
    host.SetProgressValue(op.ZeroBasedProgress ? i : i + 1);
    FileList& work = host.List1();
    work.SetListIndex(i);
    BatchFile file;
    file.Index = i;
    file.Count = count;
    file.InputPath = work.List(i);
    std::string path = file.InputPath, drive, dir;
    SplitPath(path, drive, dir, file.InputName);
    if (op.ReadsInput) {
        file.Version = ReadSpectrumFile(file.InputPath);
        if (file.Version == -1) {
            return Flow::NextFile;
        }
    }
    file.FirstReadable = run.firstReadable;
    run.firstReadable = false;

    if (file.FirstReadable) {
        if (const Flow f = ToFlow(op.OnFirstReadable(file), run); f != Flow::Go) return f;
    }
    if (const Flow f = ToFlow(op.BeforePrompt(file), run); f != Flow::Go) return f;
    if (const Flow f = ToFlow(op.OutputName(file), run); f != Flow::Go) return f;
    if (!run.yesToAll && FileExists(file.OutputPath)) {
        const std::string answer =
            AskOverwriteFile(file.OutputPath, op.PromptSecondLine, count >= 2);
        if (answer == "No") {
            return op.OnNo == NoAnswer::EndsRun ? Flow::Stop : Flow::NextFile;
        }
        if (answer == "Yes All") {
            run.yesToAll = true;
        }
    }
    if (const Flow f = ToFlow(op.AfterPrompt(file), run); f != Flow::Go) return f;
    // A file that cannot be written ends the run: the next ones would go to
    // the same place and fail the same way.
    if (!WriteOutputFile(file.OutputPath, op.Write(file))) {
        return Flow::Stop;
    }
    ++run.result.Count;
    run.result.Outputs.push_back(file.OutputPath);
    op.OnWritten(file);
    return Flow::Go;
}

}  // namespace

int RunBatch(BatchOperation& op) {
    BatchHost& host = MainHost();
    const int count = host.List1().ListCount();
    host.SetProgressMax(count);
    RunState run;
    if (op.BeforeRun() == BatchStep::EndRun) {
        host.SetProgressValue(0);
        return 0;
    }
    for (int i = 0; i < count && !run.closeEarly; ++i) {
        if (ProcessOne(op, host, i, count, run) == Flow::Stop) {
            host.SetProgressValue(0);
            return run.result.Count;
        }
    }
    host.SetProgressValue(0);
    if (run.result.Count == 0) {
        MsgBox("No Files Processed", vbOKOnly + vbInformation, AppTitle);
    } else {
        op.Closing(run.result);
    }
    op.AfterClosing(run.result);
    if (op.ClearList1AtEnd) {
        host.List1().Clear();
    }
    return run.result.Count;
}
