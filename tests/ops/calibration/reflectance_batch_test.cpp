#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "frame/settings.h"
#include "ops/calibration/reflectance_batch.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/batch_test.h"
#include "support/memory_host.h"
#include "support/overwrite_prompt.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

void AppendSinglesForTest(std::vector<uint8_t>& bytes, const std::vector<float>& values) {
    for (float v : values) {
        uint8_t raw[4];
        std::memcpy(raw, &v, 4);  // the test machine is little-endian, as the file is
        bytes.insert(bytes.end(), raw, raw + 4);
    }
}

class ReflectanceBatch : public BatchTest {
protected:
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

// The whole output, byte by byte, against the input it came from.
TEST_F(ReflectanceBatch, OutputBytesAreTheInputHeaderStampedAndTheQuotients) {
    auto spec = MakeSpectrum(2, {50, 20, 7}, {100, 0, -9999});
    spec.Header.ValueFormat = ValueDouble;
    spec.Header.ApplicationCode = AppAbsoluteReflectance;
    for (int i = 0; i < 32; ++i) {
        spec.Header.ApplicationData.First[static_cast<std::size_t>(32 + i)] =
            static_cast<uint8_t>('a' + i % 26);
    }
    for (int i = 0; i < 64; ++i) {
        spec.Header.ApplicationData.Second[static_cast<std::size_t>(i)] =
            static_cast<uint8_t>(i + 1);
    }
    spec.Header.Reserved3 = {9, 8, 7, 6, 5};
    const std::string input = fs::absolute(spec.WriteTo("spec.001")).string();
    const auto in = ReadBytes(input);
    for (const std::string folder : {"o", "o/"}) {
        fs::remove_all("o");
        fs::create_directories("o");
        OutputDirectory = (TestFolder::Path() / folder).string();
        host.WorkList.Clear();
        host.WorkList.AddItem(input);
        PlotFormat = 2;
        PlotDeriv = 1;
        HasEmbeddedReference = true;
        CreateReflectanceFiles();
        const std::string output = (TestFolder::Path() / "o" / "spec.001.ref").string();
        EXPECT_EQ(host.VisibleList.Entries().back(), output);
        const auto out = ReadBytes(output);
        ASSERT_EQ(out.size(), 496u);
        EXPECT_EQ(std::string(out.begin(), out.begin() + 3), "ZEL");
        for (std::size_t i = 3; i < 484; ++i) {
            const bool stamped =
                i == 179 || i == 186 || i == 199 || i == 203 || (i >= 270 && i < 334);
            if (!stamped) {
                EXPECT_EQ(out[i], in[i]) << "header byte " << i;
            }
        }
        EXPECT_EQ(out[179], 16);
        EXPECT_EQ(out[186], 1);
        EXPECT_EQ(out[199], 0);
        EXPECT_EQ(out[203], 0);
        for (std::size_t i = 270; i < 334; ++i) {
            EXPECT_EQ(out[i], 0) << i;
        }
        std::vector<uint8_t> values;
        AppendSinglesForTest(values, {0.5, 0, -9999});
        EXPECT_EQ(std::vector<uint8_t>(out.begin() + 484, out.end()), values);
        EXPECT_EQ(PlotFormat, 0);
        EXPECT_EQ(PlotDeriv, 0);
        EXPECT_FALSE(HasEmbeddedReference);
    }
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"1 Files Processed", "1 Files Processed"}));
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
