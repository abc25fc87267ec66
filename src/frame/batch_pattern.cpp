#include "frame/batch_pattern.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "frame/batch_host.h"
#include "frame/file_message.h"
#include "frame/settings.h"
#include "platform/files/whole_file.h"
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

// WriteOutputFile for name in folder; path names the file to the user.
// replacing says an existing file is expected there, so the new content goes
// straight to the rename. Either way a name that turns out to be taken is
// replaced, keeping its mode, and a failure leaves what was there and nothing
// beside it. newFileMode is given for a run's own output folder, whose
// leftovers are removed already: it keeps the mode new files get there.
bool WriteOutput(int folder, const std::string& name, const std::string& path,
                 const std::vector<uint8_t>& bytes, bool replacing,
                 unsigned* newFileMode = nullptr) {
    files::WholeFileOptions options;
    options.ExpectExisting = replacing;
    options.KeepMode = true;
    options.LeftoversRemoved = newFileMode != nullptr;
    options.NewFileMode = newFileMode;
    const int error = files::WriteWholeFile(folder, name, bytes.data(), bytes.size(), options);
    if (error == 0) {
        return true;
    }
    MsgBox(path + " could not be written: " + std::strerror(error) + ".", vbOKOnly + vbCritical,
           AppTitle);
    return false;
}

// The folder a run's outputs go to, opened once: each output is then looked
// up, created and renamed by its name alone, instead of by its whole path
// walked again several times a file.
class OutputFolder {
public:
    OutputFolder() = default;
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;
    ~OutputFolder() { Close(); }

    // The descriptor to look path up from, and path's name there. A folder
    // that cannot be opened is left to the calls on the whole path, which
    // then say why they fail. A folder opened here has had what killed runs
    // left in it removed.
    int For(const std::string& path, std::string& name) {
        // A folder given relative to the current one is looked up from there
        // each time, as the current folder may change during a run.
        const auto slash = path.rfind('/');
        if (path.empty() || path[0] != '/' || slash + 1 == path.size()) {
            name = path;
            return AT_FDCWD;
        }
        const std::string_view folder(path.data(), slash + 1);
        if (descriptor_ < 0 || folder != folder_ || !StillNamed()) {
            Close();
            folder_ = folder;
            descriptor_ = ::open(folder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            struct stat status {};
            if (descriptor_ >= 0 && ::fstat(descriptor_, &status) == 0) {
                device_ = status.st_dev;
                inode_ = status.st_ino;
            }
            if (descriptor_ >= 0) {
                files::RemoveLeftovers(descriptor_);
            }
            newFileMode_ = 0;
        }
        if (descriptor_ < 0) {
            name = path;
            return AT_FDCWD;
        }
        name.assign(path, slash + 1);
        return descriptor_;
    }

    // The mode new files get in the folder held open (0 until a write has seen
    // it), or null when no folder is held and so none was cleared of leftovers.
    unsigned* NewFileMode() { return descriptor_ >= 0 ? &newFileMode_ : nullptr; }

private:
    // The folder held open may have been renamed, and another made under its
    // name, since it was opened: the outputs go to the one the name gives.
    bool StillNamed() const {
        struct stat status {};
        return ::stat(folder_.c_str(), &status) == 0 && status.st_dev == device_ &&
               status.st_ino == inode_;
    }

    void Close() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        descriptor_ = -1;
    }

    std::string folder_;
    int descriptor_ = -1;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    unsigned newFileMode_ = 0;
};

}  // namespace

bool WriteOutputFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    return WriteOutput(AT_FDCWD, path, path, bytes, false);
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
    OutputFolder outputs;
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
    std::string outputName;
    int outputFolder = run.outputs.For(file.OutputPath, outputName);
    // After "Yes to All" the outputs are expected to be there already.
    bool replacing = run.yesToAll;
    bool asked = false;
    struct stat status {};
    if (!run.yesToAll &&
        ::fstatat(outputFolder, outputName.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        replacing = true;
        asked = true;
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
    if (asked) {
        // The question may have waited a long time for its answer.
        outputFolder = run.outputs.For(file.OutputPath, outputName);
    }
    // A file that cannot be written ends the run: the next ones would go to
    // the same place and fail the same way.
    if (!WriteOutput(outputFolder, outputName, file.OutputPath, op.Write(file), replacing,
                     run.outputs.NewFileMode())) {
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
    const files::WritingRun writing;
    const int count = host.List1().ListCount();
    host.SetProgressMax(count);
    RunState run;
    // Before the run there is no file to skip: only ending counts.
    if (op.BeforeRun() == BatchStep::EndRun) {
        host.SetProgressValue(0);
        return 0;
    }
    for (int i = 0; i < count && !run.closeEarly; ++i) {
        Flow flow = Flow::Stop;
        try {
            // The program is ending: the run stops between two files, as
            // after No at the overwrite prompt, and what it wrote stays.
            if (!RunEnding()) {
                flow = ProcessOne(op, host, i, count, run);
            }
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
