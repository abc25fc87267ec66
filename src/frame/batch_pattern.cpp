#include "frame/batch_pattern.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
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
        host.List2().AddItems(result.Outputs);
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

namespace {

// Writes all of bytes to an open descriptor and closes it; the reason when
// either fails.
std::string WriteAndClose(int descriptor, const std::vector<uint8_t>& bytes) {
    std::size_t done = 0;
    int error = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            error = written < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::size_t>(written);
    }
    if (::close(descriptor) != 0 && error == 0) {
        error = errno;
    }
    return error == 0 ? std::string() : std::strerror(error);
}

// Creates path, failing when anything of that name exists: -1 with errno set.
int CreateNew(const std::string& path) {
    int descriptor;
    do {
        descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

// An earlier output is replaced only by a complete new one: the content goes
// to a file of its own beside it and is renamed over it, so a failure leaves
// the earlier output as it was.
std::string ReplaceOutput(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = path + ".part" + std::to_string(attempt);
        descriptor = CreateNew(temporary);
        if (descriptor < 0 && errno != EEXIST) {
            return std::strerror(errno);
        }
    }
    if (descriptor < 0) {
        return "no free name for its temporary file";
    }
    std::string reason = WriteAndClose(descriptor, bytes);
    if (reason.empty()) {
        if (::rename(temporary.c_str(), path.c_str()) == 0) {
            return {};
        }
        reason = std::strerror(errno);
    }
    ::unlink(temporary.c_str());
    return reason;
}

}  // namespace

bool WriteOutputFile(const std::string& path, const std::vector<uint8_t>& bytes,
                     bool replacing) {
    // A new output is created under its own name; if writing it fails it is
    // removed, so no half spectrum file (which would read as complete) stays.
    // A replacement works as well where nothing turns out to be there.
    std::string reason;
    int descriptor = -1;
    if (!replacing) {
        descriptor = CreateNew(path);
        replacing = descriptor < 0 && errno == EEXIST;
        if (descriptor < 0 && !replacing) {
            reason = std::strerror(errno);
        }
    }
    if (descriptor >= 0) {
        reason = WriteAndClose(descriptor, bytes);
        if (reason.empty()) {
            return true;
        }
        std::error_code error;
        std::filesystem::remove(path, error);
    } else if (replacing) {
        reason = ReplaceOutput(path, bytes);
        if (reason.empty()) {
            return true;
        }
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
    // Room for the header and one array of Doubles behind it, so that an
    // output is not moved while it grows byte by byte.
    const auto channels = static_cast<std::size_t>(std::max<int16_t>(header.ChannelCount, 0));
    bytes.reserve(bytes.size() + SpectrumHeader::Size + channels * sizeof(double));
    spectrum::ByteWriter out(bytes);
    WriteRecord(out, header);
}

void AppendSingles(std::vector<uint8_t>& bytes, const std::vector<double>& values) {
    spectrum::ByteWriter(bytes).Values<float>(values);
}

void AppendDoubles(std::vector<uint8_t>& bytes, const std::vector<double>& values) {
    spectrum::ByteWriter(bytes).Values<double>(values);
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
    // After "Yes to All" the outputs are expected to be there already.
    bool replacing = run.yesToAll;
    if (!run.yesToAll && FileExists(file.OutputPath)) {
        replacing = true;
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
    if (!WriteOutputFile(file.OutputPath, op.Write(file), replacing)) {
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
