// The one loop every batch that writes a file per input goes through: progress,
// reading, output name, overwrite prompt, writing, count, closing message and
// the refill of the visible list. An operation states only how it differs: its
// options, and the steps it overrides.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "spectrum/records.h"

// What a step tells the loop.
enum class BatchStep {
    Continue,
    Skip,             // this file is left out; the run goes on
    EndRun,           // the run stops here: progress 0, no closing message
    EndRunToClosing,  // the run stops here but closes as usual
};

// What "No" at the overwrite prompt does.
enum class NoAnswer { EndsRun, SkipsFile };

// One position of the work list, as the steps see it.
struct BatchFile {
    int Index = 0;          // 0-based position in the work list
    int Count = 0;          // entries in the work list
    std::string InputPath;  // full path
    std::string InputName;  // its file name with its own extension
    int16_t Version = -1;   // what ReadSpectrumFile returned
    bool FirstReadable = false;
    std::string OutputPath;  // set by OutputName
};

// What a run did, for the closing step.
struct BatchResult {
    int Count = 0;                     // files written
    std::vector<std::string> Outputs;  // in writing order
};

class BatchOperation {
public:
    virtual ~BatchOperation() = default;

    // Options; the defaults are the common case.
    std::string Extension;           // appended to the input's own name
    bool ZeroBasedProgress = false;  // the bar shows i rather than i + 1
    bool HourglassPerFile = true;
    bool ReadsInput = true;  // ReadSpectrumFile before the steps
    std::string PromptSecondLine = "Overwrite?";
    NoAnswer OnNo = NoAnswer::EndsRun;
    std::string ProcessedText = " Files Processed";
    bool RefillList2 = true;
    bool ResetPlotState = true;
    bool ClearList1AtEnd = false;

    // Before the first file; EndRun stops before anything is read (any other
    // answer goes on).
    virtual BatchStep BeforeRun() { return BatchStep::Continue; }
    // Once, at the first input the reader accepted.
    virtual BatchStep OnFirstReadable(BatchFile&) { return BatchStep::Continue; }
    // The input test and conversion, before the output name and prompt.
    virtual BatchStep BeforePrompt(BatchFile&) { return BatchStep::Continue; }
    // Sets file.OutputPath; by default the output folder, the input's name and
    // Extension.
    virtual BatchStep OutputName(BatchFile& file);
    // After the prompt allowed writing: work that needs the answer first.
    virtual BatchStep AfterPrompt(BatchFile&) { return BatchStep::Continue; }
    // The whole content of the output file.
    virtual std::vector<uint8_t> Write(BatchFile& file) = 0;
    virtual void OnWritten(BatchFile&) {}
    // After the last file, when at least one was written: by default List2
    // holds the outputs, then the count message, then the display state reset.
    virtual void Closing(BatchResult& result);
    virtual void AfterClosing(BatchResult&) {}
};

// Runs the operation over the work list List1 of the main window. Returns the
// number of files written. An exception out of a step ends the run with a
// message naming the input; none leaves RunBatch.
int RunBatch(BatchOperation& operation);

// The output name of the common case: output folder, separator, the input's
// file name with its own extension, then the operation's extension.
std::string BatchOutputName(const std::string& inputPath, const std::string& extension);

// Asks before replacing Path: "<Path> already exists!", CR, secondLine. The
// answer is "Yes", "No" or "Yes All".
std::string AskOverwriteFile(const std::string& path, const std::string& secondLine,
                             bool yesToAllEnabled);

// Writes bytes as the whole new content of path (a replaced file is cut to
// them). A new file is written in place; an existing one is replaced only by a
// complete new file, so it survives a failed replacement. On failure the user
// is told which file could not be written, nothing of the attempt is left,
// and false is returned.
bool WriteOutputFile(const std::string& path, const std::vector<uint8_t>& bytes);

// The common header stamp of a derived version-1 file.
void StampDerivedHeader(SpectrumHeader& header, uint8_t dataType);

// Appends the header, then one Single per value.
void AppendHeader(std::vector<uint8_t>& bytes, const SpectrumHeader& header);
void AppendSingles(std::vector<uint8_t>& bytes, const std::vector<double>& values);
void AppendDoubles(std::vector<uint8_t>& bytes, const std::vector<double>& values);
