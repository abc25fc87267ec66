// Ending the program while it works: each test starts the real program (see
// ending_child.cpp) in a process of its own, lets it reach a dialog or a
// running batch, asks it to end, and checks the status it ends with, its
// outputs and what it left in the settings folder.

#include <gtest/gtest.h>

#include <signal.h>

#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "spectrum/records.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr int Channels = 471;

std::vector<char> Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file of a folder by name, with its contents.
std::map<std::string, std::vector<char>> FilesIn(const fs::path& folder) {
    std::map<std::string, std::vector<char>> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        files[it->path().filename().string()] = Contents(it->path());
    }
    return files;
}

class Ending : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories("in");
        fs::create_directories("out");
    }

    // Version-1 reflectance files from a visible-range instrument, s000.001 (s0000.001) on:
    // every batch and the colorimetry report take them.
    void MakeInputs(int count) {
        for (int i = 0; i < count; ++i) {
            auto file = MakeSpectrum(1, std::vector<double>(Channels, 0.5));
            file.Header.Channel1Wavelength = 360;
            file.Header.DataType = DataTypeCode::Reflectance;
            file.Header.InstrumentType = Vnir1;
            // Names of one length sort in input order.
            char name[16];
            std::snprintf(name, sizeof name,
                          count > 10000  ? "s%05d.001"
                          : count > 1000 ? "s%04d.001"
                                         : "s%03d.001",
                          i);
            file.WriteTo((fs::path("in") / name).string());
        }
    }

    static fs::path SettingsFolder() { return TestFolder::Path() / "config" / "ZEL" / "Lumivex"; }

    static void Start(QProcess& child, const std::string& scenario) {
        child.setProgram(QStringLiteral(ENDING_CHILD));
        child.setArguments({QString::fromStdString(scenario)});
        child.setWorkingDirectory(QString::fromStdString(TestFolder::Path().string()));
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start();
        ASSERT_TRUE(child.waitForStarted());
    }

    // Waits until the child has said line.
    static void WaitFor(QProcess& child, const char* line, std::string& said) {
        while (said.find(line) == std::string::npos && child.waitForReadyRead(30000)) {
            said += child.readAll().toStdString();
        }
        ASSERT_NE(said.find(line), std::string::npos) << said;
    }

    // Expects the child to end by itself with status 0, nothing said by the
    // sanitizers; returns what it said.
    static std::string Finish(QProcess& child, const std::string& scenario, std::string said = {}) {
        const bool finished = child.waitForFinished(60000);
        if (!finished) {
            child.kill();
            child.waitForFinished();
        }
        said += child.readAll().toStdString();
        EXPECT_TRUE(finished) << scenario << " did not end\n" << said;
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << said;
        EXPECT_EQ(child.exitCode(), 0) << said;
        EXPECT_EQ(said.find("Sanitizer"), std::string::npos) << said;
        EXPECT_EQ(said.find("runtime error"), std::string::npos) << said;
        return said;
    }

    // Runs the program through a scenario and expects it to end by itself.
    static std::string Run(const std::string& scenario) {
        QProcess child;
        Start(child, scenario);
        return Finish(child, scenario);
    }

    // Runs the scenario after a run that ends by File > Exit (after the user's
    // own Cancel where the scenario has one), and expects the settings folder
    // (settings, the graph's look) to be left as that run left it. The program
    // removes the saved look when it starts.
    void RunAndCompareWithFileExit(const std::string& scenario,
                                   const std::string& byFileExit = "exit") {
        Run(byFileExit);
        const auto byExit = FilesIn(SettingsFolder());
        ASSERT_TRUE(byExit.count("lvx.ini"));
        ASSERT_TRUE(byExit.count("SaveGraph.bin"));
        Run(scenario);
        const auto left = FilesIn(SettingsFolder());
        ASSERT_TRUE(left.count("lvx.ini"));
        EXPECT_EQ(std::string(left.at("lvx.ini").begin(), left.at("lvx.ini").end()),
                  std::string(byExit.at("lvx.ini").begin(), byExit.at("lvx.ini").end()));
        EXPECT_EQ(left, byExit);
    }

    // The outputs of an interrupted batch: complete files of one size, each
    // named after an input, in input order from the first, and no stray
    // temporary file.
    static std::vector<std::string> CompleteOutputs(const std::string& extension,
                                                    std::size_t size) {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : FilesIn("out")) {
            EXPECT_TRUE(name.ends_with(".001" + extension)) << name;
            EXPECT_EQ(bytes.size(), size) << name;
            names.push_back(name);
        }
        const auto inputs = FilesIn("in");
        auto input = inputs.begin();
        for (const std::string& name : names) {
            EXPECT_EQ(name, (input++)->first + extension);
        }
        return names;
    }

    // The colorimetry reports in "out", each whole; their number.
    static int CompleteReports() {
        std::set<std::size_t> sizes;
        int reports = 0;
        for (const auto& [name, bytes] : FilesIn("out")) {
            EXPECT_TRUE(name.ends_with(".001.col")) << name;
            const std::string text(bytes.begin(), bytes.end());
            EXPECT_TRUE(text.starts_with("ZEL Colorimetry Processor\r\n")) << name;
            EXPECT_TRUE(text.ends_with("\r\n")) << name;
            sizes.insert(bytes.size());
            ++reports;
        }
        // The inputs differ only in their names, which are of one length: so
        // are whole reports.
        EXPECT_EQ(sizes.size(), 1U);
        return reports;
    }

    static constexpr std::size_t Log1RSize = SpectrumHeader::Size + Channels * sizeof(float);
};

TEST_F(Ending, TerminatedWhileTheOpenDialogIsShown) {
    MakeInputs(2);
    RunAndCompareWithFileExit("open", "open-cancel");
    EXPECT_TRUE(FilesIn("out").empty());
}

TEST_F(Ending, TerminatedAtTheOverwritePromptOfABatchKeepsWhatWasWritten) {
    MakeInputs(5);
    std::ofstream("out/s002.001.abs") << "earlier output";
    RunAndCompareWithFileExit("overwrite");
    const auto outputs = FilesIn("out");
    ASSERT_EQ(outputs.size(), 3U);
    EXPECT_EQ(outputs.at("s000.001.abs").size(), Log1RSize);
    EXPECT_EQ(outputs.at("s001.001.abs").size(), Log1RSize);
    // Answered as No: the run ends there and the earlier output stays.
    const std::string earlier = "earlier output";
    EXPECT_EQ(outputs.at("s002.001.abs"), std::vector<char>(earlier.begin(), earlier.end()));
}

TEST_F(Ending, TerminatedDuringALongBatchStopsAtAFileBoundary) {
    MakeInputs(300);
    RunAndCompareWithFileExit("batch");
    const auto outputs = CompleteOutputs(".abs", Log1RSize);
    EXPECT_GE(outputs.size(), 20U);
    EXPECT_LT(outputs.size(), 300U);
}

TEST_F(Ending, ClosingTheMainWindowDuringABatchEndsItFirst) {
    MakeInputs(40);
    const std::string earlier = "earlier output";
    for (const auto& input : FilesIn("in")) {
        std::ofstream("out/" + input.first + ".abs") << earlier;
    }
    RunAndCompareWithFileExit("close");
    // Closed while the 21st file was asked for, after Yes: that file is still
    // written, then the run stops.
    const auto outputs = FilesIn("out");
    ASSERT_EQ(outputs.size(), 40U);
    int i = 0;
    for (const auto& [name, bytes] : outputs) {
        if (i++ < 21) {
            EXPECT_EQ(bytes.size(), Log1RSize) << name;
        } else {
            EXPECT_EQ(bytes, std::vector<char>(earlier.begin(), earlier.end())) << name;
        }
    }
}

TEST_F(Ending, TerminatedWhileTheHeaderWindowAsksToSaveLeavesTheFileAlone) {
    MakeInputs(2);
    const auto before = FilesIn("in");
    RunAndCompareWithFileExit("header");
    EXPECT_EQ(FilesIn("in"), before);
}

TEST_F(Ending, TerminatedDuringTheColorimetryReportKeepsCompleteReports) {
    MakeInputs(60);
    RunAndCompareWithFileExit("colorimetry");
    const int reports = CompleteReports();
    EXPECT_GE(reports, 5);
    EXPECT_LT(reports, 60);
}

// The close box as the window system sends it, after about a tenth of a long
// run: the run stops between two files and the program ends as by File > Exit.
TEST_F(Ending, ClosedByTheWindowSystemDuringLongRunsStopsThemBetweenFiles) {
    MakeInputs(3000);
    {
        SCOPED_TRACE("batch");
        RunAndCompareWithFileExit("batch-close");
        const auto outputs = CompleteOutputs(".abs", Log1RSize);
        EXPECT_GE(outputs.size(), 300U);
        EXPECT_LT(outputs.size(), 3000U);
        fs::remove_all("out");
        fs::create_directory("out");
    }
    {
        SCOPED_TRACE("one table of every input");
        const std::string earlier = "earlier table";
        std::ofstream("out/table.txt") << earlier;
        RunAndCompareWithFileExit("table-close");
        const auto outputs = FilesIn("out");
        ASSERT_EQ(outputs.size(), 1U);
        EXPECT_EQ(outputs.begin()->second, std::vector<char>(earlier.begin(), earlier.end()));
        fs::remove_all("out");
        fs::create_directory("out");
    }
    {
        // The report's window is modal: the window closed is its own.
        SCOPED_TRACE("colorimetry report");
        RunAndCompareWithFileExit("colorimetry-close");
        const int reports = CompleteReports();
        EXPECT_GE(reports, 300);
        EXPECT_LT(reports, 3000);
    }
}

TEST_F(Ending, ALongRunLetsTimersAndRepaintsThroughButNoKeyOrClick) {
    // Some seconds of work on a desktop machine.
    MakeInputs(20000);
    std::string said = Run("responsive");
    said.erase(0, said.find("run "));
    long long milliseconds = 0;
    int ticks = 0, paints = 0, keys = 0, clicks = 0, keysAfter = 0, clicksAfter = 0;
    ASSERT_EQ(std::sscanf(said.c_str(), "run %lld ms, ticks %d, paints %d, keys %d, clicks %d",
                          &milliseconds, &ticks, &paints, &keys, &clicks),
              5)
        << said;
    const auto after = said.find("after:");
    ASSERT_NE(after, std::string::npos) << said;
    ASSERT_EQ(
        std::sscanf(said.c_str() + after, "after: keys %d, clicks %d", &keysAfter, &clicksAfter), 2)
        << said;
    // Events go through at most every 50 ms, and at least that often give or
    // take a file.
    EXPECT_GE(ticks, milliseconds / 100) << said;
    EXPECT_GE(paints, ticks / 2) << said;
    EXPECT_GE(paints, 5) << said;
    EXPECT_EQ(keys, 0) << said;
    EXPECT_EQ(clicks, 0) << said;
    // Once the run is over, the same key and click reach the window.
    EXPECT_EQ(keysAfter, 1) << said;
    EXPECT_EQ(clicksAfter, 1) << said;
}

TEST_F(Ending, SignalsAsShellsSendThem) {
    MakeInputs(2);
    {
        SCOPED_TRACE("a second SIGTERM while the end hangs");
        QProcess child;
        Start(child, "hang");
        std::string said;
        WaitFor(child, "ready", said);
        ::kill(static_cast<pid_t>(child.processId()), SIGTERM);
        WaitFor(child, "ending", said);
        ::kill(static_cast<pid_t>(child.processId()), SIGTERM);
        ASSERT_TRUE(child.waitForFinished(10000)) << said;
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(child.exitCode(), SIGTERM);
    }
    {
        SCOPED_TRACE("SIGINT ignored at start, as for a script's background job");
        QProcess child;
        child.setChildProcessModifier([] { ::signal(SIGINT, SIG_IGN); });
        Start(child, "idle");
        std::string said;
        WaitFor(child, "ready", said);
        ::kill(static_cast<pid_t>(child.processId()), SIGINT);
        // Honoured, it would end the program within some 25 ms.
        EXPECT_FALSE(child.waitForFinished(500)) << said;
        ::kill(static_cast<pid_t>(child.processId()), SIGTERM);
        Finish(child, "idle", said);
    }
}

}  // namespace
