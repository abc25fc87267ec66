#include "frame/batch_pattern.h"

#include <cerrno>
#include <cstdio>
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
    // The new content goes to a file of its own beside the output and replaces
    // it only once complete: a failure leaves neither half a spectrum file
    // (which would read as complete) nor a damaged earlier output.
    std::string reason;
    std::string temporary;
    for (int attempt = 0; attempt < 100 && temporary.empty(); ++attempt) {
        const std::string candidate = path + ".part" + std::to_string(attempt);
        errno = 0;
        if (std::FILE* file = std::fopen(candidate.c_str(), "wbx")) {
            temporary = candidate;
            // An empty content (an empty log) has no data pointer to hand on.
            const bool written =
                bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
            const int writeError = errno;
            const bool closed = std::fclose(file) == 0;
            if (!written || !closed) {
                reason = std::strerror(writeError != 0 ? writeError : errno != 0 ? errno : EIO);
            }
        } else if (errno != EEXIST) {
            reason = std::strerror(errno != 0 ? errno : EIO);
            break;
        }
    }
    std::error_code error;
    if (!temporary.empty() && reason.empty()) {
        std::filesystem::rename(temporary, path, error);
        if (!error) {
            return true;
        }
        reason = error.message();
    }
    if (!temporary.empty()) {
        std::filesystem::remove(temporary, error);
    }
    if (reason.empty()) {
        reason = "no free name for its temporary file";
    }
    MsgBox(path + " could not be written: " + reason + ".", vbOKOnly + vbCritical, AppTitle);
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
        if (const Flow f = ToFlow(op.OnFirstReadable(file), run); f != Flow::Go)
            return f;
    }
    if (const Flow f = ToFlow(op.BeforePrompt(file), run); f != Flow::Go)
        return f;
    if (const Flow f = ToFlow(op.OutputName(file), run); f != Flow::Go)
        return f;
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
    if (const Flow f = ToFlow(op.AfterPrompt(file), run); f != Flow::Go)
        return f;
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
    // Before the run there is no file to skip: only ending counts.
    if (op.BeforeRun() == BatchStep::EndRun) {
        host.SetProgressValue(0);
        return 0;
    }
    for (int i = 0; i < count && !run.closeEarly; ++i) {
        Flow flow;
        try {
            flow = ProcessOne(op, host, i, count, run);
        } catch (const std::exception& error) {
            // Whatever an operation did not foresee ends the run like a write
            // failure: the user learns which file, and the program goes on.
            MsgBox(host.List1().List(i) + " could not be processed: " + error.what() + ".",
                   vbOKOnly + vbCritical, AppTitle);
            flow = Flow::Stop;
        }
        if (flow == Flow::Stop) {
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
