// Every output whole or absent: killed while writing, refused anonymous files,
// names of the longest length, an output folder replaced during a run, what a
// kill leaves, and the mode, owner and group of a replaced file.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "copy_batch.h"
#include "frame/batch_pattern.h"
#include "frame/replace_file.h"
#include "platform/files/whole_file.h"
#include "spectrum/reader.h"
#include "support/batch_test.h"
#include "support/file_systems.h"
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

// Runs write in a child process with arm's hook in place; true when the child
// was killed by it.
bool Killed(const std::function<void(std::function<void()> kill)>& arm,
            const std::function<void()>& write) {
    const pid_t child = ::fork();
    if (child == 0) {
        arm([] { ::kill(::getpid(), SIGKILL); });
        write();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// Kills the writing process once the whole-file writer has written killAfter
// bytes of the file it is on, in blocks of Block bytes, for the killAt-th time.
bool KilledWhile(const std::function<void()>& write, std::size_t killAfter, int killAt = 1) {
    return Killed(
        [=](std::function<void()> kill) {
            files::SetWriteHook(
                [=, reached = 0](std::size_t written) mutable {
                    if (written == killAfter && ++reached == killAt) {
                        kill();
                    }
                },
                Block);
        },
        write);
}

// Kills the writing process just before its killAt-th rename of a temporary
// name over a file.
bool KilledAtTheRename(const std::function<void()>& write, int killAt = 1) {
    return Killed(
        [=](std::function<void()> kill) {
            files::SetRenameHook([=, reached = 0]() mutable {
                if (++reached == killAt) {
                    kill();
                }
            });
        },
        write);
}

// The temporary names in a folder.
std::size_t Leftovers(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& [name, bytes] : Contents(folder)) {
        count += name.starts_with(".lvx") && name.ends_with(".tmp") ? 1 : 0;
    }
    return count;
}

// A process number that no process has: a child that has ended.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

std::string TemporaryName(unsigned tag, pid_t process) {
    char name[64];
    std::snprintf(name, sizeof name, ".lvx%08x-%x-0.tmp", tag, static_cast<unsigned>(process));
    return name;
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

TEST_F(WholeOutput, WhatAKillLeavesBesideAFileTheNextWriteThereRemoves) {
    // A header save killed at its rename: the new content is left under a
    // temporary name, the measurement as it was.
    const std::string measurement = Input("m.001");
    const std::vector<uint8_t> rewritten(3 * Block, 0x5a);
    EXPECT_TRUE(KilledAtTheRename([&] { ReplaceFile(measurement, rewritten); }));
    EXPECT_EQ(Leftovers("in"), 1u);
    EXPECT_TRUE(ReplaceFile(measurement, rewritten));
    EXPECT_EQ(Contents("in"), (std::map<std::string, std::vector<uint8_t>>{{"m.001", rewritten}}));

    // A replacement after "Yes to All" killed at its second rename, then a
    // batch of another file in the same folder.
    Work({Input("a.001"), Input("b.001")});
    ASSERT_EQ(Run(), 2);
    const auto earlier = Contents("out");
    Work({Input("a.001", 7), Input("b.001", 7)});
    EXPECT_TRUE(KilledAtTheRename(
        [&] {
            ui.Drive(AnswerOverwrite("Yes All"));
            Run();
        },
        2));
    EXPECT_EQ(Leftovers("out"), 1u);
    Work({Input("c.001")});
    ASSERT_EQ(Run(), 1);
    auto now = Contents("out");
    EXPECT_EQ(now.size(), 3u);
    EXPECT_EQ(now.at("b.001.cpy"), earlier.at("b.001.cpy"));
    ReadSpectrumFile(Output("a.001.cpy"));
    EXPECT_EQ(SpectrumData.at(0), 7);

    // Without anonymous files the named temporary file is there from the
    // start: killed half-way, it is left until the next batch.
    files::SetAnonymousFilesRefused(true);
    Work({Input("d.001")});
    EXPECT_TRUE(KilledWhile([&] { Run(); }, 4 * Block));
    EXPECT_EQ(Leftovers("out"), 1u);
    Work({Input("e.001")});
    ASSERT_EQ(Run(), 1);
    now = Contents("out");
    EXPECT_EQ(now.size(), 4u);
    EXPECT_EQ(Leftovers("out"), 0u);
    EXPECT_EQ(now.at("e.001.cpy").size(), now.at("c.001.cpy").size());
}

TEST_F(WholeOutput, OnlyTemporaryNamesOfEndedProcessesOfThisMachineAreRemovedOnceARun) {
    const unsigned tag = files::MachineTag();
    const std::string ended = TemporaryName(tag, EndedProcess());
    const std::string running = TemporaryName(tag, ::getppid());
    const std::string elsewhere = TemporaryName(tag ^ 0x10000u, EndedProcess());
    for (const auto& name : {ended, running, elsewhere, std::string(".lvx-notes.tmp")}) {
        WriteBytes(Output(name), {1});
    }
    // A run removes what it finds at its first output, not what appears later.
    class Leaving : public CopyBatch {
    public:
        std::string later;
        BatchStep BeforePrompt(BatchFile& file) override {
            if (file.Index == 1) {
                WriteBytes(OutputDirectory + "/" + later, {2});
            }
            return BatchStep::Continue;
        }
    } leaving;
    leaving.later = TemporaryName(tag, EndedProcess());
    Work({Input("a.001"), Input("b.001")});
    ASSERT_EQ(RunBatch(leaving), 2);
    auto names = Contents("out");
    EXPECT_EQ(names.count(ended), 0u);
    EXPECT_EQ(names.count(running), 1u);
    EXPECT_EQ(names.count(elsewhere), 1u);
    EXPECT_EQ(names.count(".lvx-notes.tmp"), 1u);
    EXPECT_EQ(names.count(leaving.later), 1u);
    ui.Drive(AnswerOverwrite("Yes All"));
    ASSERT_EQ(Run(), 2);
    EXPECT_EQ(Contents("out").count(leaving.later), 0u);
    EXPECT_EQ(Contents("out").size(), 5u);
}

TEST_F(WholeOutput, ALinkThatCannotBeFollowedFailsTheSaveAndStaysALink) {
    fs::create_symlink("b", "in/a");
    fs::create_symlink("a", "in/b");
    const std::string tooLong(4095, 'x');
    fs::create_symlink(tooLong, "in/long");
    EXPECT_FALSE(ReplaceFile("in/a", {1}));
    EXPECT_FALSE(ReplaceFile("in/long", {1}));
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{
                  "in/a could not be rewritten: Too many levels of symbolic links.\r\n"
                  "The file is left as it was.",
                  "in/long could not be rewritten: File name too long.\r\n"
                  "The file is left as it was."}));
    EXPECT_EQ(fs::read_symlink("in/a"), "b");
    EXPECT_EQ(fs::read_symlink("in/long"), tooLong);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator("in")) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"a", "b", "long"}));
}

TEST_F(WholeOutput, AFileSystemThatRefusesModesAndOwnersStillTakesTheContent) {
    const std::string measurement = Input("m.001");
    fs::permissions(measurement, fs::perms::owner_read | fs::perms::owner_write);
    Work({Input("a.001")});
    ASSERT_EQ(Run(), 1);
    fs::permissions(Output("a.001.cpy"), fs::perms::owner_read | fs::perms::owner_write);
    for (const int error : {ENOSYS, EPERM, EOPNOTSUPP}) {
        const AttributesRefused refused(error);
        const std::vector<uint8_t> rewritten(Block, static_cast<uint8_t>(error));
        EXPECT_TRUE(ReplaceFile(measurement, rewritten)) << error;
        EXPECT_EQ(ReadBytes(measurement), rewritten);
        Work({Input("a.001", error)});
        ui.Drive(AnswerOverwrite("Yes"));
        EXPECT_EQ(Run(), 1) << error;
        ReadSpectrumFile(Output("a.001.cpy"));
        EXPECT_EQ(SpectrumData.at(0), error);
    }
    EXPECT_EQ(Contents("in").size(), 2u);
    EXPECT_EQ(Contents("out").size(), 1u);
}

// As a user (uid 4242) in a group "lab" (gid 4343) besides the user's own: the
// superuser's tests run the writing child as that user.
TEST_F(WholeOutput, ARewrittenMeasurementKeepsOwnerGroupAndModeAndAnOutputItsMode) {
    const bool asRoot = ::geteuid() == 0;
    const uid_t user = asRoot ? 4242 : ::getuid();
    const gid_t own = asRoot ? 4242 : ::getgid();
    const gid_t lab = asRoot ? 4343 : ::getgid();
    fs::permissions(TestFolder::Path(),
                    fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::create_directories("shared/out");
    const std::string measurement =
        fs::absolute(MakeSpectrum(1, std::vector<double>(100, 2.0)).WriteTo("shared/m.001"))
            .string();
    OutputDirectory = fs::absolute("shared/out").string();
    Work({Input("a.001"), Input("b.001")});
    ASSERT_EQ(Run(), 2);
    const std::vector<std::string> outputs{Output("a.001.cpy"), Output("b.001.cpy")};
    ASSERT_EQ(::chmod(measurement.c_str(), 0640), 0);
    ASSERT_EQ(::chown(measurement.c_str(), user, lab), 0);
    for (const auto& path : {fs::absolute("shared").string(), OutputDirectory}) {
        ASSERT_EQ(::chown(path.c_str(), user, own), 0);
    }
    for (const auto& output : outputs) {
        ASSERT_EQ(::chmod(output.c_str(), 0600), 0);
        ASSERT_EQ(::chown(output.c_str(), user, own), 0);
    }

    const std::vector<uint8_t> byUser(Block, 1);
    const std::vector<std::string> inputs{Input("a.001", 5), Input("b.001", 5)};
    const pid_t child = ::fork();
    if (child == 0) {
        if (asRoot && (::setgroups(1, &lab) != 0 || ::setresgid(own, own, own) != 0 ||
                       ::setresuid(user, user, user) != 0)) {
            ::_exit(2);
        }
        Work(inputs);
        ui.Drive(AnswerOverwrite("Yes All"));
        ::_exit(ReplaceFile(measurement, byUser) && Run() == 2 ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    auto expectKept = [&](const std::vector<uint8_t>& content, double first) {
        struct stat info {};
        ASSERT_EQ(::stat(measurement.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, user);
        EXPECT_EQ(info.st_gid, lab);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
        EXPECT_EQ(ReadBytes(measurement), content);
        for (const auto& output : outputs) {
            ASSERT_EQ(::stat(output.c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, 0600u) << output;
            ReadSpectrumFile(output);
            EXPECT_EQ(SpectrumData.at(0), first) << output;
        }
    };
    expectKept(byUser, 5);

    // Saved again by the superuser; the outputs replaced after "Yes".
    const std::vector<uint8_t> byAdministrator(Block, 2);
    EXPECT_TRUE(ReplaceFile(measurement, byAdministrator));
    Work({Input("a.001", 6), Input("b.001", 6)});
    ui.Drive(AnswerOverwrite("Yes"));
    ui.Drive(AnswerOverwrite("Yes"));
    EXPECT_EQ(Run(), 2);
    expectKept(byAdministrator, 6);
    EXPECT_EQ(Leftovers("shared") + Leftovers("shared/out"), 0u);
}

}  // namespace
