#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "frame/settings.h"
#include "ops/calibration/absolute_reflectance.h"
#include "ops/calibration/kernels/absolute_reference.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/batch_test.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

// A version-1 reflectance file of instrument 1234, calibration 5.
SpectrumFileBuilder Leaf(std::vector<double> values) {
    auto file = MakeSpectrum(1, std::move(values));
    file.Header.DataType = Reflectance;
    file.Header.InstrumentNumber = 1234;
    file.Header.CalibrationNumber = 5;
    return file;
}

SpectrumFileBuilder Panel(std::vector<double> values) {
    auto file = MakeSpectrum(1, std::move(values));
    file.Header.DataType = Reflectance;
    return file;
}

std::vector<double> Singles(std::initializer_list<double> values) {
    std::vector<double> out;
    for (double v : values) {
        out.push_back(static_cast<float>(v));
    }
    return out;
}

class AbsoluteReflectance : public BatchTest {
protected:
    // Loads a spectrum and computes.
    int16_t Compute(const SpectrumFileBuilder& file) {
        EXPECT_NE(ReadSpectrumFile(file.WriteTo("loaded.001")), -1);
        return ComputeAbsoluteReflectance();
    }
};

TEST_F(AbsoluteReflectance, BatchMultipliesByTheReferenceAndNamesItInTheHeader) {
    auto leaf = Leaf({0.5, 0.4});
    leaf.Header.ApplicationData.First[0] = 'k';
    leaf.Header.ApplicationData.Second[5] = 9;
    Add(leaf, "leaf.001");
    Panel({0.98, 0.95}).WriteTo("abs1234_5.ref");
    Panel({0.5, 0.5}).WriteTo("abs12345.ref");
    CreateAbsoluteReflectanceFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});

    const auto bytes = ReadBytes(Output("leaf.001.ref"));
    const std::string name = "abs1234_5.ref";
    std::string stored(bytes.begin() + 238, bytes.begin() + 270);
    EXPECT_EQ(stored, name + std::string(32 - name.size(), '\0'));
    ASSERT_EQ(ReadSpectrumFile(Output("leaf.001.ref")), 1);
    EXPECT_EQ(SpectrumData, Singles({float(0.5) * float(0.98), float(0.4) * float(0.95)}));
    EXPECT_NEAR(SpectrumData[1], 0.38, 1e-6);
    EXPECT_EQ(CurrentHeader.DataType, Reflectance);
    EXPECT_EQ(CurrentHeader.ApplicationCode, AppAbsoluteReflectance);
    // Only the name is written into the application data.
    EXPECT_EQ(CurrentHeader.ApplicationData.First[0], 'k');
    EXPECT_EQ(CurrentHeader.ApplicationData.Second[5], 9);
    EXPECT_EQ(CurrentHeader.InstrumentNumber, 1234);
}

TEST_F(AbsoluteReflectance, TheNameWithoutUnderscoreIsTheFallback) {
    Add(Leaf({0.5}), "leaf.001");
    CreateAbsoluteReflectanceFiles();
    EXPECT_EQ(AbsoluteReferenceName, "abs12345.ref");

    Panel({0.5}).WriteTo("abs12345.ref");
    CreateAbsoluteReflectanceFiles();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"No Files Processed", "1 Files Processed"}));
    ASSERT_EQ(ReadSpectrumFile(Output("leaf.001.ref")), 1);
    EXPECT_EQ(SpectrumData, std::vector<double>{0.25});
    EXPECT_EQ(StoredAbsoluteReferenceName(CurrentHeader), "abs12345.ref");
}

TEST_F(AbsoluteReflectance, OnlyReflectanceIsAcceptedAndNeverCalibratedTwice) {
    Panel({0.5, 0.5}).WriteTo("abs1234_5.ref");
    auto transmittance = Leaf({0.5, 0.4});
    transmittance.Header.DataType = Transmittance;
    Add(transmittance, "leaf.tr");
    auto flagless = MakeSpectrum(2, {1, 2});
    flagless.Reference.ReferenceFlag = 0;
    Add(flagless, "flagless.002");
    auto absolute = Leaf({0.5, 0.4});
    absolute.Header.ApplicationCode = AppAbsoluteReflectance;
    StoreAbsoluteReferenceName(absolute.Header, "abs1234_5.ref");
    Add(absolute, "done.ref");
    CreateAbsoluteReflectanceFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_TRUE(fs::is_empty("out"));
}

TEST_F(AbsoluteReflectance, AVersionTwoReferenceIsDividedByItsOwnReferenceFirst) {
    // The panel file's stored values against its stored white reference; an
    // interpolated file says ValueFormat 0 and still holds Doubles.
    auto panel = MakeSpectrum(2, {90, 50, 50, 50}, {100, 0, -9999, 50});
    panel.Header.ValueFormat = ValueSingle;
    panel.Reference.ReferenceFlag = 0;  // not consulted
    panel.WriteTo("abs1234_5.ref");
    auto raw = MakeSpectrum(3, {40, 40, 40, 40}, {80, 80, 80, 80});
    raw.Header.InstrumentNumber = 1234;
    raw.Header.CalibrationNumber = 5;
    ASSERT_EQ(Compute(raw), 3);
    EXPECT_EQ(AbsoluteReflectanceData, (std::vector<double>{0.5 * 0.9, 0, 0.5 * -9999, 0.5}));
    EXPECT_EQ(DisplayData, AbsoluteReflectanceData);
    // The loaded spectrum's version stays, whatever the reference's.
    EXPECT_EQ(FileVersion, 3);
}

TEST_F(AbsoluteReflectance, VersionSevenFilesCarryTheirOwnFactorsOrHaveNone) {
    auto own = MakeCompleteSpectrum(7, {50, 60});
    own.ReferenceValues = {100, 100};
    own.Header.ApplicationCode = AppAbsoluteReflectance;
    StoreAbsoluteReferenceName(own.Header, "panel-7");
    own.CalibrationBuffers[0] = {0.9, 0.8};
    ASSERT_EQ(Compute(own), 1);
    EXPECT_EQ(AbsoluteReflectanceData, (std::vector<double>{0.9 * 0.5, 0.8 * 0.6}));
    EXPECT_EQ(AbsoluteReferenceName, "panel-7");

    // The same kind of file without an absolute buffer: nothing of the
    // previous file's buffer, no stand-in factor of 1.
    auto bare = own;
    bare.Calibrations.erase(bare.Calibrations.begin());
    bare.CalibrationBuffers.erase(bare.CalibrationBuffers.begin());
    EXPECT_EQ(Compute(bare), -1);
    EXPECT_TRUE(AbsoluteReflectanceData.empty());
}

TEST_F(AbsoluteReflectance, AReferenceThatCannotCalibrateEveryChannelIsRefused) {
    auto leaf = Leaf({0.5, 0.4, 0.3});
    Panel({0.9, 0.9}).WriteTo("abs1234_5.ref");
    EXPECT_EQ(Compute(leaf), -1);
    EXPECT_TRUE(ui.Messages().empty());

    // A foreign file: its message, and the progress bar back to 0.
    auto foreign = Panel({0.9, 0.9, 0.9});
    foreign.Signature = std::array<uint8_t, 3>{'a', 'b', 'c'};
    foreign.WriteTo("abs1234_5.ref");
    host.ProgressValue = 4;
    EXPECT_EQ(Compute(leaf), -1);
    EXPECT_EQ(host.ProgressValue, 0);

    auto cut = Panel({0.9, 0.9, 0.9}).Bytes();
    cut.resize(cut.size() - 2);
    WriteBytes("abs1234_5.ref", cut);
    EXPECT_EQ(Compute(leaf), -1);
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{
                                 "abs1234_5.ref doesn't appear to be an ZEL Spectrum File!",
                                 "File Error\rabs1234_5.ref ends inside its spectrum values."}));
}

TEST_F(AbsoluteReflectance, LegacyReferencesHold512Values) {
    auto legacy = MakeSpectrum(2, std::vector<double>(512, 3));
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = Swir0;
    legacy.ChannelCount = 300;  // fewer than the values it holds
    legacy.ReferenceValues = std::vector<double>(300, 100);
    legacy.WriteTo("legacy.ref");
    std::vector<double> values;
    EXPECT_EQ(ReadAbsoluteReferenceFile("legacy.ref", values), 511);
    // No division by the stored reference for legacy data.
    EXPECT_EQ(values, std::vector<double>(512, 3));
    EXPECT_EQ(ReadAbsoluteReferenceFile("missing.ref", values), -1);
    EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
