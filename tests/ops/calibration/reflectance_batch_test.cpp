#include <gtest/gtest.h>

#include <filesystem>

#include "frame/settings.h"
#include "ops/calibration/reflectance_batch.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/overwrite_prompt.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

class ReflectanceBatch : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        ResetSettingsState();
        fs::create_directories("out");
        OutputDirectory = (TestFolder::Path() / "out").string();
    }
    void Add(const SpectrumFileBuilder& file, const std::string& name) {
        host.WorkList.AddItem(fs::absolute(file.WriteTo(name)).string());
    }
    std::string Output(const std::string& name) { return OutputDirectory + "/" + name; }

    MemoryBatchHost host;
    ScriptedUi ui;
};

TEST_F(ReflectanceBatch, DividesByTheStoredReferenceIntoAVersionOneFile) {
    auto leaf = MakeSpectrum(7, {50, 20, 7}, {100, 0, -9999});
    leaf.Header.ApplicationCode = AppAbsoluteReflectance;
    leaf.Header.ApplicationData.First[40] = 'n';
    leaf.Header.ApplicationData.Second[3] = 9;
    leaf.Header.Gps.Latitude = 47.5;
    Add(leaf, "leaf.001");
    CreateReflectanceFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{Output("leaf.001.ref")});

    ResetSpectrumState();
    ASSERT_EQ(ReadSpectrumFile(Output("leaf.001.ref")), 1);
    EXPECT_EQ(SpectrumData, (std::vector<double>{0.5, 0, -9999}));
    EXPECT_EQ(CurrentHeader.DataType, Reflectance);
    EXPECT_EQ(CurrentHeader.ValueFormat, ValueSingle);
    EXPECT_EQ(CurrentHeader.FormatVersion, 16);
    EXPECT_EQ(CurrentHeader.ChannelCount, 3);
    EXPECT_EQ(CurrentHeader.ApplicationCode, AppNone);
    EXPECT_EQ(CurrentHeader.ApplicationData.First[40], 'n');
    EXPECT_EQ(CurrentHeader.ApplicationData.Second[3], 0);
    EXPECT_EQ(CurrentHeader.Gps.Latitude, 47.5);
    // Nothing follows the values.
    EXPECT_EQ(fs::file_size(Output("leaf.001.ref")), 484u + 3 * 4);
}

TEST_F(ReflectanceBatch, FilesWithoutAUsableReferenceAreSkippedSilently) {
    Add(MakeSpectrum(1, {1, 2}), "old.001");
    auto flagless = MakeSpectrum(2, {1, 2});
    flagless.Reference.ReferenceFlag = 0;
    Add(flagless, "flagless.001");
    CreateReflectanceFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_TRUE(fs::is_empty("out"));
}

TEST_F(ReflectanceBatch, LegacyDataGetsAHeaderThatMatchesItsValues) {
    auto legacy = MakeSpectrum(2, std::vector<double>(512, 10), std::vector<double>(600, 20));
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = Vnir1;
    legacy.ChannelCount = 600;
    Add(legacy, "legacy.001");
    CreateReflectanceFiles();
    ResetSpectrumState();
    ASSERT_EQ(ReadSpectrumFile(Output("legacy.001.ref")), 1);
    EXPECT_EQ(CurrentHeader.ChannelCount, 512);
    EXPECT_EQ(SpectrumData, std::vector<double>(512, 0.5));
}

TEST_F(ReflectanceBatch, ASecondRunAsksBeforeReplacing) {
    Add(MakeSpectrum(2, {50}), "a.001");
    CreateReflectanceFiles();
    ui.Drive(AnswerOverwrite("No"));
    CreateReflectanceFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
}

}  // namespace
