// Every output whole or absent: killed while writing, refused anonymous files,
// names of the longest length, and an output folder replaced during a run.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>

#include "copy_batch.h"
#include "frame/batch_pattern.h"
#include "frame/replace_file.h"
#include "platform/files/whole_file.h"
#include "spectrum/reader.h"
#include "support/batch_test.h"
#include "support/overwrite_prompt.h"

namespace fs = std::filesystem;

namespace {

// Every entry of a folder with its bytes (an empty vector for a folder).
std::map<std::string, std::vector<uint8_t>> Contents(const std::string& folder) {
    std::map<std::string, std::vector<uint8_t>> entries;
    for (const auto& entry : fs::directory_iterator(folder)) {
        entries[entry.path().filename().string()] =
            entry.is_regular_file() ? ReadBytes(entry.path().string()) : std::vector<uint8_t>{};
    }
    return entries;
}

constexpr std::size_t Block = 1024;

// Runs write in a child process that kills itself once the whole-file writer
// has written killAfter bytes of the file it is on, in blocks of Block bytes,
// for the killAt-th time; true when the child died so.
bool KilledWhile(const std::function<void()>& write, std::size_t killAfter, int killAt = 1) {
    const pid_t child = ::fork();
    if (child == 0) {
        int reached = 0;
        files::SetWriteHook(
            [&](std::size_t written) {
                if (written == killAfter && ++reached == killAt) {
                    ::kill(::getpid(), SIGKILL);
                }
            },
            Block);
        write();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

class WholeOutput : public BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        fs::create_directories("in");
    }
    void TearDown() override {
        files::SetAnonymousFilesRefused(false);
        files::SetLinkByDescriptor(true);
    }

    // An input of 2,000 channels: its output is 8,484 bytes, several blocks.
    std::string Input(const std::string& name, double first = 1) {
        std::vector<double> values(2000, 3.0);
        values[0] = first;
        return fs::absolute(MakeSpectrum(1, values).WriteTo("in/" + name)).string();
    }
    void Work(const std::vector<std::string>& inputs) {
        host.WorkList.Clear();
        for (const auto& input : inputs) {
            host.WorkList.AddItem(input);
        }
    }
    int Run() {
        CopyBatch batch;
        return RunBatch(batch);
    }
};

TEST_F(WholeOutput, AKilledBatchLeavesTheEarlierOutputsAndNothingElse) {
    // As for a user without the privilege to link a file by its descriptor.
    files::SetLinkByDescriptor(false);
    Work({Input("a.001"), Input("b.001")});
    ASSERT_EQ(Run(), 2);
    const auto earlier = Contents("out");

    // A new output killed half-way: no file of its name.
    Work({Input("c.001")});
    EXPECT_TRUE(KilledWhile([&] { Run(); }, 4 * Block));
    EXPECT_EQ(Contents("out"), earlier);

    // A replacement after "Yes to All", killed in the second output: the first
    // is replaced whole, the second is as it was.
    Work({Input("a.001", 7), Input("b.001", 7)});
    EXPECT_TRUE(KilledWhile(
        [&] {
            ui.Drive(AnswerOverwrite("Yes All"));
            Run();
        },
        4 * Block, 2));
    const auto after = Contents("out");
    EXPECT_EQ(after.size(), 2u);
    EXPECT_EQ(after.at("b.001.cpy"), earlier.at("b.001.cpy"));
    ASSERT_EQ(after.at("a.001.cpy").size(), earlier.at("a.001.cpy").size());
    ReadSpectrumFile(Output("a.001.cpy"));
    EXPECT_EQ(SpectrumData.at(0), 7);
}

TEST_F(WholeOutput, AKilledRewriteLeavesTheMeasurementAsItWas) {
    const std::string measurement = Input("m.001");
    const auto earlier = Contents("in");
    const std::vector<uint8_t> rewritten(20 * Block, 0x5a);
    EXPECT_TRUE(KilledWhile([&] { ReplaceFile(measurement, rewritten); }, 10 * Block));
    EXPECT_EQ(Contents("in"), earlier);

    // Uninterrupted, the same rewrite goes through and keeps the file's mode.
    fs::permissions(measurement, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(ReplaceFile(measurement, rewritten));
    EXPECT_EQ(ReadBytes(measurement), rewritten);
    EXPECT_EQ(fs::status(measurement).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Contents("in").size(), 1u);
}

TEST_F(WholeOutput, AKilledTextWriteLeavesTheEarlierTextOrNone) {
    const std::string text = Output("table.txt");
    const std::vector<uint8_t> lines(50 * Block, 'x');
    EXPECT_TRUE(KilledWhile([&] { WriteOutputFile(text, lines); }, 25 * Block));
    EXPECT_TRUE(Contents("out").empty());

    ASSERT_TRUE(WriteOutputFile(text, {'o', 'l', 'd'}));
    const auto earlier = Contents("out");
    EXPECT_TRUE(KilledWhile([&] { WriteOutputFile(text, lines); }, 49 * Block));
    EXPECT_EQ(Contents("out"), earlier);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(WholeOutput, ANameOfTheLongestLengthIsReplacedAfterYesAndAfterYesToAll) {
    const std::string longInput = std::string(247, 'n') + ".001";  // output: 255 bytes
    const std::string longOutput = longInput + ".cpy";
    ASSERT_EQ(longOutput.size(), 255u);
    Work({Input(longInput)});
    ASSERT_EQ(Run(), 1);

    Work({Input(longInput, 5)});
    ui.Drive(AnswerOverwrite("Yes"));
    EXPECT_EQ(Run(), 1);
    ReadSpectrumFile(Output(longOutput));
    EXPECT_EQ(SpectrumData.at(0), 5);

    Work({Input("a.001"), Input(longInput, 6)});
    WriteBytes(Output("a.001.cpy"), {1, 2, 3});
    ui.Drive(AnswerOverwrite("Yes All"));
    EXPECT_EQ(Run(), 2);
    ReadSpectrumFile(Output(longOutput));
    EXPECT_EQ(SpectrumData.at(0), 6);
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"1 Files Processed", "1 Files Processed",
                                                       "2 Files Processed"}));
    EXPECT_EQ(Contents("out").size(), 2u);
}

TEST_F(WholeOutput, OutputsFollowTheFolderNameWhenTheFolderIsMadeAnewDuringARun) {
    Work({Input("a.001"), Input("b.001"), Input("c.001")});
    WriteBytes(Output("b.001.cpy"), {1, 2, 3});
    // The user moves the folder away and makes a new one while the question
    // waits.
    ui.Drive([](QDialog& prompt) {
        fs::rename("out", "moved");
        fs::create_directories("out");
        return AnswerOverwrite("Yes")(prompt);
    });
    EXPECT_EQ(Run(), 3);
    EXPECT_EQ(Contents("moved").size(), 2u);  // a's output and the earlier b
    EXPECT_EQ(ReadBytes("moved/b.001.cpy"), (std::vector<uint8_t>{1, 2, 3}));
    const auto now = Contents("out");
    EXPECT_EQ(now.size(), 2u);
    EXPECT_TRUE(now.count("b.001.cpy") == 1 && now.count("c.001.cpy") == 1);

    // Made anew between two outputs without a question between.
    class Moving : public CopyBatch {
        BatchStep BeforePrompt(BatchFile& file) override {
            if (file.Index == 1) {
                fs::rename("out", "moved-again");
                fs::create_directories("out");
            }
            return BatchStep::Continue;
        }
    } moving;
    fs::remove_all("out");
    fs::create_directories("out");
    Work({Input("d.001"), Input("e.001")});
    EXPECT_EQ(RunBatch(moving), 2);
    EXPECT_TRUE(fs::exists("moved-again/d.001.cpy"));
    EXPECT_EQ(Contents("out").size(), 1u);
    EXPECT_TRUE(fs::exists(Output("e.001.cpy")));
}

TEST_F(WholeOutput, WithoutAnonymousFilesANamedTemporaryFileIsUsedAndNeverLeft) {
    files::SetAnonymousFilesRefused(true);
    const std::string longInput = std::string(247, 'n') + ".001";
    Work({Input("a.001"), Input(longInput)});
    ASSERT_EQ(Run(), 2);
    EXPECT_EQ(Contents("out").size(), 2u);

    // The first output cannot be replaced: a folder has its name.
    fs::remove(Output("a.001.cpy"));
    fs::create_directories(Output("a.001.cpy") + "/inside");
    const auto earlier = Contents("out");
    Work({Input("a.001", 8), Input(longInput, 8)});
    ui.Drive(AnswerOverwrite("Yes All"));
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Contents("out"), earlier);
    EXPECT_EQ(ui.Messages().back(), Output("a.001.cpy") + " could not be written: Is a directory.");
    fs::remove_all(Output("a.001.cpy"));

    ui.Drive(AnswerOverwrite("Yes All"));
    EXPECT_EQ(Run(), 2);
    ReadSpectrumFile(Output(longInput + ".cpy"));
    EXPECT_EQ(SpectrumData.at(0), 8);
    EXPECT_EQ(Contents("out").size(), 2u);

    // A measurement rewritten the same way; a rewrite that fails leaves
    // nothing beside the files.
    const std::string measurement = Input("m.001");
    EXPECT_TRUE(ReplaceFile(measurement, {4, 5, 6}));
    EXPECT_EQ(ReadBytes(measurement), (std::vector<uint8_t>{4, 5, 6}));
    fs::create_directories("in/folder/inside");
    const auto before = Contents("in");
    EXPECT_FALSE(ReplaceFile("in/folder", {7}));
    EXPECT_EQ(ui.Messages().back(),
              "in/folder could not be rewritten: Is a directory.\r\n"
              "The file is left as it was.");
    EXPECT_EQ(Contents("in"), before);
}

}  // namespace
