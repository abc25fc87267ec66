#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "frame/settings.h"
#include "ops/calibration/log1r_batch.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/batch_test.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

class Log1RBatch : public BatchTest {
protected:
    static SpectrumFileBuilder VersionOne(uint8_t dataType, std::vector<double> values) {
        auto file = MakeSpectrum(1, std::move(values));
        file.Header.DataType = dataType;
        return file;
    }
};

TEST_F(Log1RBatch, ReflectanceBecomesAbsorbanceWithTenForEveryValueWithoutALogarithm) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto leaf = VersionOne(Reflectance, {0.5, 1, 0.01, 0, -0.5, -9999, nan});
    leaf.Header.ApplicationCode = 3;
    leaf.Header.ApplicationData.Second[0] = 7;
    Add(leaf, "leaf.001");
    CreateLog1RFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{Output("leaf.001.abs")});

    ResetSpectrumState();
    ASSERT_EQ(ReadSpectrumFile(Output("leaf.001.abs")), 1);
    EXPECT_EQ(CurrentHeader.DataType, Absorbance);
    EXPECT_EQ(CurrentHeader.ChannelCount, 7);
    EXPECT_EQ(CurrentHeader.ApplicationCode, AppNone);
    EXPECT_EQ(CurrentHeader.ApplicationData.Second[0], 0);
    const float log2 = static_cast<float>(std::log(1 / 0.5) / std::log(10.0));
    EXPECT_EQ(SpectrumData, (std::vector<double>{log2, 0, 2, 10, 10, 10, 10}));
    EXPECT_NEAR(SpectrumData[0], 0.30103, 1e-6);
}

TEST_F(Log1RBatch, TakesTransmittanceAndRawFilesWithAUsableReference) {
    Add(VersionOne(Transmittance, {0.1}), "leaf.tr");
    auto absorbance = MakeSpectrum(2, {10, 50}, {100, 100});
    absorbance.Header.DataType = Absorbance;  // the stored kind does not matter
    Add(absorbance, "raw.002");
    CreateLog1RFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed"});
    ASSERT_EQ(ReadSpectrumFile(Output("leaf.tr.abs")), 1);
    EXPECT_EQ(SpectrumData, std::vector<double>{1});
    ASSERT_EQ(ReadSpectrumFile(Output("raw.002.abs")), 1);
    EXPECT_EQ(SpectrumData,
              (std::vector<double>{1, static_cast<float>(std::log(2.0) / std::log(10.0))}));
}

TEST_F(Log1RBatch, FilesThatAreNotReflectanceAreSkippedSilently) {
    Add(VersionOne(Raw, {0.5}), "raw.001");
    Add(VersionOne(Absorbance, {0.5}), "old.abs");
    auto flagless = MakeSpectrum(2, {0.5});
    flagless.Reference.ReferenceFlag = 0;
    flagless.Header.DataType = Reflectance;
    Add(flagless, "flagless.002");
    CreateLog1RFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_TRUE(fs::is_empty("out"));
    // The last file's kind could not be established.
    EXPECT_EQ(CurrentHeader.DataType, Unknown);
}

}  // namespace
