#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "copy_batch.h"
#include "frame/batch_pattern.h"
#include "frame/settings.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/file_size_limit.h"
#include "support/memory_host.h"
#include "support/overwrite_prompt.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

std::size_t EntriesIn(const std::string& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class BatchPattern : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        ResetSettingsState();
        fs::create_directories("in");
        fs::create_directories("out");
        OutputDirectory = (TestFolder::Path() / "out").string();
    }

    std::string Input(const std::string& name, double first = 1) {
        return fs::absolute(MakeSpectrum(1, {first, 2, 3}).WriteTo("in/" + name)).string();
    }
    std::string Output(const std::string& name) { return OutputDirectory + "/" + name; }
    void Work(const std::vector<std::string>& inputs) {
        for (const auto& input : inputs) {
            host.WorkList.AddItem(input);
        }
        host.VisibleList.AddItem("/somewhere/original.001");
    }

    MemoryBatchHost host;
    ScriptedUi ui;
};

TEST_F(BatchPattern, WritesEachFitInputAndRefillsTheList) {
    Work({Input("a.001"), (TestFolder::Path() / "in" / "missing.001").string(), Input("b.001", 13),
          Input("c.001")});
    PlotFormat = 3;
    HasEmbeddedReference = true;
    CopyBatch batch;
    EXPECT_EQ(RunBatch(batch), 2);
    EXPECT_EQ(host.ProgressMax, 4);
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{1, 2, 3, 4, 0}));
    EXPECT_EQ(host.MousePointer, vbHourglass);  // the launcher sets it back
    EXPECT_EQ(host.VisibleList.Entries(),
              (std::vector<std::string>{Output("a.001.cpy"), Output("c.001.cpy")}));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed"});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbInformation);
    EXPECT_EQ(PlotFormat, 0);
    EXPECT_FALSE(HasEmbeddedReference);
    // A version-1 file: header then three Singles.
    EXPECT_EQ(fs::file_size(Output("a.001.cpy")), 484u + 12u);
}

TEST_F(BatchPattern, NothingWrittenLeavesTheListAndState) {
    Work({Input("b.001", 13)});
    PlotFormat = 3;
    CopyBatch batch;
    EXPECT_EQ(RunBatch(batch), 0);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"/somewhere/original.001"});
    EXPECT_EQ(PlotFormat, 3);
}

TEST_F(BatchPattern, NoAtThePromptEndsTheRunQuietly) {
    Work({Input("a.001"), Input("b.001"), Input("c.001"), Input("d.001")});
    std::ofstream(Output("c.001.cpy")) << "old";
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("No", &seen));
    CopyBatch batch;
    EXPECT_EQ(RunBatch(batch), 2);
    EXPECT_EQ(seen.Text, Output("c.001.cpy") + " already exists!\nOverwrite?");
    EXPECT_TRUE(seen.YesToAllEnabled);
    EXPECT_TRUE(fs::exists(Output("b.001.cpy")));
    EXPECT_FALSE(fs::exists(Output("d.001.cpy")));
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"/somewhere/original.001"});
}

TEST_F(BatchPattern, NoCanSkipTheFileInstead) {
    Work({Input("a.001"), Input("b.001")});
    std::ofstream(Output("a.001.cpy")) << "old";
    ui.Drive(AnswerOverwrite("No"));
    CopyBatch batch;
    batch.OnNo = NoAnswer::SkipsFile;
    batch.PromptSecondLine = "Yes to Overwrite   No to Skip ";
    batch.ZeroBasedProgress = true;
    EXPECT_EQ(RunBatch(batch), 1);
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
}

TEST_F(BatchPattern, YesToAllSilencesThePromptForThisRunOnly) {
    Work({Input("a.001"), Input("b.001")});
    for (const char* name : {"a.001.cpy", "b.001.cpy"}) {
        std::ofstream(Output(name)) << std::string(5000, 'x');  // longer than the new file
    }
    ui.Drive(AnswerOverwrite("Yes All"));
    CopyBatch batch;
    EXPECT_EQ(RunBatch(batch), 2);
    // Replaced files hold only their new content.
    EXPECT_EQ(fs::file_size(Output("b.001.cpy")), 496u);
    // The next run asks again; with one file the button is disabled.
    host.WorkList.Clear();
    host.WorkList.AddItem(Input("a.001"));
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("Yes", &seen));
    CopyBatch again;
    EXPECT_EQ(RunBatch(again), 1);
    EXPECT_FALSE(seen.YesToAllEnabled);
}

TEST_F(BatchPattern, YesToAllAlsoWritesTheOutputsThatWereNotThere) {
    Work({Input("a.001"), Input("b.001", 5), Input("c.001", 6)});
    std::ofstream(Output("a.001.cpy")) << "old";
    ui.Drive(AnswerOverwrite("Yes All"));
    CopyBatch batch;
    EXPECT_EQ(RunBatch(batch), 3);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"3 Files Processed"});
    // b and c had no earlier output: each is written whole all the same.
    ReadSpectrumFile(Output("c.001.cpy"));
    EXPECT_EQ(SpectrumData, (std::vector<double>{6, 2, 3}));
    for (const char* name : {"a.001.cpy", "b.001.cpy", "c.001.cpy"}) {
        EXPECT_EQ(fs::file_size(Output(name)), 496u) << name;
    }
    EXPECT_EQ(EntriesIn("out"), 3u);  // no temporary file left beside them
}

TEST_F(BatchPattern, YesToAllWritesANewOutputWhoseNameLeavesNoRoomForATemporaryOne) {
    const std::string longName = std::string(243, 'n') + ".001";  // output: 251 bytes
    Work({Input("a.001"), Input(longName)});
    std::ofstream(Output("a.001.cpy")) << "old";
    ui.Drive(AnswerOverwrite("Yes All"));
    CopyBatch batch;
    EXPECT_EQ(RunBatch(batch), 2);
    EXPECT_EQ(fs::file_size(Output(longName + ".cpy")), 496u);
    EXPECT_EQ(EntriesIn("out"), 2u);
}

// Sends each output to the folder its input's first value names: "out" or
// "other" by turns, or the current folder by its bare name.
class ScatterBatch : public CopyBatch {
public:
    BatchStep OutputName(BatchFile& file) override {
        const int to = static_cast<int>(SpectrumData.at(0));
        file.OutputPath = to == 0 ? file.InputName + ".cpy"
                          : to == 1
                              ? OutputDirectory + "/" + file.InputName + ".cpy"
                              : (TestFolder::Path() / "other" / (file.InputName + ".cpy")).string();
        return BatchStep::Continue;
    }
};

TEST_F(BatchPattern, OutputsGoWhereTheirNamesSayWhateverFolderCameBefore) {
    fs::create_directories("other");
    Work({Input("a.001", 1), Input("b.001", 2), Input("c.001", 1), Input("d.001", 0),
          Input("e.001", 2)});
    std::ofstream(Output("c.001.cpy")) << "old";
    ui.Drive(AnswerOverwrite("Yes"));
    ScatterBatch batch;
    EXPECT_EQ(RunBatch(batch), 5);
    EXPECT_EQ(ui.Prompts.size(), 2u);  // the question for c, then the count
    for (const char* name : {"a.001.cpy", "c.001.cpy"}) {
        EXPECT_EQ(fs::file_size(Output(name)), 496u) << name;
    }
    for (const char* name : {"other/b.001.cpy", "other/e.001.cpy", "d.001.cpy"}) {
        EXPECT_EQ(fs::file_size(name), 496u) << name;
    }
    EXPECT_EQ(EntriesIn("out"), 2u);
    EXPECT_EQ(EntriesIn("other"), 2u);

    // The folder is looked up again for each run: one made anew in the
    // place of the last run's is where the next outputs go.
    fs::rename("out", "out-before");
    fs::create_directories("out");
    host.WorkList.Clear();
    host.WorkList.AddItem(Input("f.001", 1));
    ScatterBatch again;
    EXPECT_EQ(RunBatch(again), 1);
    EXPECT_TRUE(fs::exists(Output("f.001.cpy")));
}

TEST_F(BatchPattern, OutputFolderWithOrWithoutSeparatorGivesTheSameNames) {
    Work({Input("a.001")});
    OutputDirectory += "/";
    CopyBatch batch;
    RunBatch(batch);
    EXPECT_EQ(host.VisibleList.Entries(),
              std::vector<std::string>{(TestFolder::Path() / "out" / "a.001.cpy").string()});
}

TEST_F(BatchPattern, AnOutputThatCannotBeWrittenEndsTheRunWithAMessage) {
    Work({Input("a.001"), Input("b.001")});
    OutputDirectory = (TestFolder::Path() / "no" / "such" / "folder").string();
    CopyBatch batch;
    EXPECT_EQ(RunBatch(batch), 0);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0],
              OutputDirectory + "/a.001.cpy could not be written: No such file or directory.");
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbCritical);
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"/somewhere/original.001"});

    // An output folder that is a plain file.
    std::ofstream("plain") << "x";
    OutputDirectory = (TestFolder::Path() / "plain").string();
    CopyBatch again;
    EXPECT_EQ(RunBatch(again), 0);
    EXPECT_EQ(ui.Messages().back(),
              OutputDirectory + "/a.001.cpy could not be written: Not a directory.");
}

TEST_F(BatchPattern, AnUnforeseenErrorEndsTheRunWithAMessage) {
    class Throwing : public CopyBatch {
        BatchStep AfterPrompt(BatchFile& file) override {
            if (file.Index == 1) {
                throw std::runtime_error("out of luck");
            }
            return BatchStep::Continue;
        }
    } batch;
    const std::string second = Input("b.001");
    Work({Input("a.001"), second, Input("c.001")});
    EXPECT_EQ(RunBatch(batch), 1);
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{second + " could not be processed: out of luck."});
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(BatchPattern, AFailedReplacementKeepsWhatWasThere) {
    Work({Input("a.001"), Input("b.001")});
    fs::create_directories(Output("b.001.cpy") + "/inside");  // cannot be replaced by a file
    ui.Drive(AnswerOverwrite("Yes"));
    CopyBatch batch;
    EXPECT_EQ(RunBatch(batch), 1);
    EXPECT_TRUE(fs::is_directory(Output("b.001.cpy") + "/inside"));
    EXPECT_EQ(ui.Messages().size(), 1u);
    // Nothing of the attempt is left beside it.
    for (const auto& entry : fs::directory_iterator("out")) {
        EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path();
    }
}

TEST_F(BatchPattern, ANewOutputThatCannotBeWrittenWhollyLeavesNothing) {
    Work({Input("a.001"), Input("b.001")});
    CopyBatch batch;
    {
        const FileSizeLimit limit(300);  // below the 496 bytes of an output
        EXPECT_EQ(RunBatch(batch), 0);
    }
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{Output("a.001.cpy") +
                                                      " could not be written: File too large."});
    EXPECT_EQ(EntriesIn("out"), 0u);
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(BatchPattern, AReplacementThatCannotBeWrittenWhollyKeepsTheEarlierOutput) {
    Work({Input("a.001")});
    CopyBatch first;
    ASSERT_EQ(RunBatch(first), 1);
    const auto earlier = ReadBytes(Output("a.001.cpy"));

    host.WorkList.Clear();
    host.WorkList.AddItem(Input("a.001", 7));  // different values this time
    ui.Drive(AnswerOverwrite("Yes"));
    CopyBatch again;
    {
        const FileSizeLimit limit(300);
        EXPECT_EQ(RunBatch(again), 0);
    }
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{
                                 "1 Files Processed",
                                 Output("a.001.cpy") + " could not be written: File too large."}));
    EXPECT_EQ(ReadBytes(Output("a.001.cpy")), earlier);
    EXPECT_EQ(EntriesIn("out"), 1u);  // nothing beside it

    // Without the limit the same replacement goes through.
    host.WorkList.Clear();
    host.WorkList.AddItem(Input("a.001", 7));
    ui.Drive(AnswerOverwrite("Yes"));
    CopyBatch last;
    EXPECT_EQ(RunBatch(last), 1);
    EXPECT_NE(ReadBytes(Output("a.001.cpy")), earlier);
    EXPECT_EQ(EntriesIn("out"), 1u);
}

}  // namespace
