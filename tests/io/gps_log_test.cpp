#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "io/gps_log.h"
#include "platform/ui/common_dialog.h"
#include "support/batch_test.h"
#include "support/file_size_limit.h"
#include "support/overwrite_prompt.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class GpsLog : public BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        // As the launcher leaves it.
        host.SetMousePointer(11);
        log = (TestFolder::Path() / "gps.txt").string();
    }

    std::string AddField(const std::string& name, double latitude) {
        auto file = MakeSpectrum(2, {1, 2});
        file.Header.SaveTime.Mon = 5;
        file.Header.SaveTime.MDay = 15;
        file.Header.SaveTime.Year = 105;
        file.Header.SaveTime.Hour = 14;
        file.Header.SaveTime.Min = 3;
        file.Header.SaveTime.Sec = 7;
        file.Header.Gps.UtcTime = {5, 3, 14, 0};
        file.Header.Gps.Latitude = latitude;
        file.Header.Gps.Longitude = 10516.5678;
        file.Header.Gps.FixQuality = 1;
        file.Header.Gps.Satellites[0] = 8;
        file.Header.Gps.Altitude = 1655.3;
        Add(file, name);
        return host.WorkList.Entries().back();
    }

    std::string log;
};

TEST_F(GpsLog, ARecordPerReadableSpectrumAndTheCountOfRecords) {
    const std::string a = AddField("a.002", 3957.1234);
    Add(MakeSpectrum(2, {1}), "gone.002");
    fs::remove("gone.002");
    const std::string b = AddField("b.002", -33.5);
    host.VisibleList.AddItem("kept");
    ui.Choose({log});
    CreateGpsLogFile();

    ASSERT_FALSE(ui.Prompts.empty());
    const auto& dialog = ui.Prompts.front();
    EXPECT_EQ(dialog.kind, ScriptedUi::Kind::OpenFile);
    EXPECT_EQ(dialog.text, "Select GPS Log File");
    EXPECT_EQ(dialog.initDir, OutputDirectory);
    EXPECT_EQ(dialog.filter, "Ascii Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(dialog.flags,
              cdlOFNHideReadOnly | cdlOFNExplorer | cdlOFNNoDereferenceLinks | cdlOFNLongNames);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed"});
    EXPECT_EQ(ReadText(log),
              "06/15/2005 14:03:07," + a +
                  ",GPGGA,140305.000,3957.1234,N,10516.5678,W,1,08,,1655.3,M,,,,\r\n\r\n"
                  "06/15/2005 14:03:07," +
                  b + ",GPGGA,140305.000,33.5000,S,10516.5678,W,1,08,,1655.3,M,,,,\r\n\r\n");
    EXPECT_EQ(host.MousePointer, 0);
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(host.WorkList.ListCount(), 0);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"kept"});
}

TEST_F(GpsLog, CancelOrNoWritesNothingAndPutsThePointerBack) {
    AddField("a.002", 1);
    ui.CancelFileDialog();
    CreateGpsLogFile();
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_FALSE(fs::exists(log));
    EXPECT_EQ(host.MousePointer, 0);

    std::ofstream(log) << "earlier";
    host.SetMousePointer(11);
    OverwritePromptSeen seen;
    ui.Choose({log}).Drive(AnswerOverwrite("No", &seen));
    CreateGpsLogFile();
    EXPECT_EQ(seen.Text, log + " already exists!\nOverwrite?");
    EXPECT_FALSE(seen.YesToAllEnabled);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(ReadText(log), "earlier");
    EXPECT_EQ(host.MousePointer, 0);

    ui.Choose({log}).Drive(AnswerOverwrite("Yes"));
    CreateGpsLogFile();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(ReadText(log).rfind("06/15/2005", 0), 0u);
}

TEST_F(GpsLog, NoRecordIsNoFileProcessedAndAnUnwritableLogIsReportedWithoutACount) {
    Add(MakeSpectrum(2, {1}), "gone.002");
    fs::remove("gone.002");
    ui.Choose({log});
    CreateGpsLogFile();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_FALSE(fs::exists(log));

    // Nothing readable leaves an earlier log as it was.
    std::ofstream(log) << "earlier";
    Add(MakeSpectrum(2, {1}), "gone.002");
    fs::remove("gone.002");
    ui.Prompts.clear();
    ui.Choose({log}).Drive(AnswerOverwrite("Yes"));
    CreateGpsLogFile();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_EQ(ReadText(log), "earlier");
    ui.Prompts.clear();

    AddField("a.002", 1);
    const std::string unwritable = (TestFolder::Path() / "missing" / "gps.txt").string();
    host.SetMousePointer(11);
    ui.Choose({unwritable});
    CreateGpsLogFile();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind(unwritable + " could not be written: ", 0), 0u);
    EXPECT_FALSE(fs::exists("missing"));
    EXPECT_EQ(host.MousePointer, 0);
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(GpsLog, AFailedWriteOfTheLogLeavesTheEarlierOne) {
    const std::string earlier = "06/15/2005 earlier record\r\n\r\n";
    std::ofstream(log, std::ios::binary) << earlier;
    AddField("a.002", 1);
    AddField("b.002", 2);
    ui.Choose({log}).Drive(AnswerOverwrite("Yes"));
    {
        const FileSizeLimit limit(100);  // above the earlier log, below the new one
        CreateGpsLogFile();
    }
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind(log + " could not be written: ", 0), 0u);
    EXPECT_EQ(ReadText(log), earlier);
    EXPECT_EQ(host.MousePointer, 0);
    EXPECT_EQ(host.ProgressValue, 0);
}

}  // namespace
