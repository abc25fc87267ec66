#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "frame/settings.h"
#include "ops/calibration/kernels/nedl_statistics.h"
#include "ops/calibration/nedl.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string TooFew = "NEDL operations require at least 30 files!";

TEST(NedlStatistics, SampleDeviationWithConstantChannelsAtZero) {
    NedlSums sums;
    StartNedlSums(sums, 3);
    for (int f = 0; f < 30; ++f) {
        // 0.1 thirty times: the squared mean times 30 comes out just above
        // the sum of squares.
        AddNedlSpectrum(sums, std::vector<double>{f < 15 ? 100.0 : 102.0, 7, 0.1});
    }
    EXPECT_EQ(sums.Count, 30);
    const std::vector<double> sd = NedlStandardDeviation(sums);
    EXPECT_DOUBLE_EQ(sd[0], std::sqrt(30.0 / 29.0));
    EXPECT_EQ(sd[1], 0);
    EXPECT_EQ(sd[2], 0);

    EXPECT_THROW(AddNedlSpectrum(sums, std::vector<double>{1, 2}), std::invalid_argument);
    NedlSums one;
    StartNedlSums(one, 1);
    AddNedlSpectrum(one, std::vector<double>{5});
    EXPECT_EQ(NedlStandardDeviation(one), std::vector<double>{0});
}

TEST(NedlStatistics, TheDeviationIsScaledInSingles) {
    const std::vector<double> scaled = ScaleNedlDeviation(std::vector<double>{250, 1.0170952554});
    EXPECT_EQ(scaled[0], 0.025f);
    EXPECT_EQ(scaled[1], static_cast<float>(1.0170952554) / 10000.0f);
}

// A work list of raw files of instrument 6012, calibration 1, and the
// calibration files of that instrument. The save dialog makes the NEDL file's
// folder the current one, where the calibration files are then looked for:
// every path here is absolute.
class Nedl : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        ResetSettingsState();
        fs::create_directories(TestFolder::Path() / "in");
        fs::create_directories(TestFolder::Path() / "out");
        OutputDirectory = (TestFolder::Path() / "out").string();
    }
    static SpectrumFileBuilder Raw(std::vector<double> values) {
        auto file = MakeSpectrum(1, std::move(values));
        file.Header.InstrumentType = Vnir2;
        file.Header.InstrumentNumber = 6012;
        file.Header.CalibrationNumber = 1;
        file.Header.IntegrationTime = 34;
        return file;
    }
    void Add(const SpectrumFileBuilder& file, const std::string& name) {
        host.WorkList.AddItem(Input(name));
        file.WriteTo(Input(name));
    }
    static std::string Input(const std::string& name) {
        return (TestFolder::Path() / "in" / name).string();
    }
    // Channel 0 is 100 in the first half of the files and 102 in the other.
    void AddSpread(int files, const std::string& prefix = "s") {
        for (int f = 0; f < files; ++f) {
            std::vector<double> values(3, 7);
            values[0] = f < files / 2 ? 100 : 102;
            Add(Raw(values), prefix + std::to_string(f) + ".001");
        }
    }
    void WriteCalibration(const std::string& response = "ni6012_1.raw", int channels = 3) {
        auto lamp = MakeSpectrum(1, std::vector<double>(channels, 2));
        lamp.Header.DataType = Irradiance;
        lamp.WriteTo(Output("lmp6012_1.ill"));
        auto base = MakeSpectrum(1, std::vector<double>(channels, 0.5));
        base.Header.DataType = Reflectance;
        base.WriteTo(Output("bse6012_1.ref"));
        auto raw = MakeSpectrum(1, std::vector<double>(channels, 4));
        raw.Header.IntegrationTime = 17;
        raw.WriteTo(Output(response));
    }
    std::string Output(const std::string& name) { return OutputDirectory + "/" + name; }
    bool OutputIsEmpty() const { return fs::is_empty(OutputDirectory); }
    std::vector<double> ReadValues(const std::string& path) {
        EXPECT_EQ(ReadSpectrumFile(path), 1);
        return SpectrumData;
    }
    static const float Sd0;

    MemoryBatchHost host;
    ScriptedUi ui;
};
const float Nedl::Sd0 = static_cast<float>(std::sqrt(30.0 / 29.0)) / 10000.0f;

TEST_F(Nedl, MissingLampLeavesOnlyTheDeviationFile) {
    AddSpread(30);
    ui.Choose({Output("run.ned")}).Answer(vbOK);
    CreateNedlFile();

    ASSERT_GE(ui.Prompts.size(), 1u);
    EXPECT_EQ(ui.Prompts[0].kind, ScriptedUi::Kind::SaveFile);
    EXPECT_EQ(ui.Prompts[0].text, "Select NEDL File");
    EXPECT_EQ(ui.Prompts[0].filter, "NEDL Files (*.ned)|*.ned|All Files (*.*)|*.*");
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{"Can't find the Calibration Lamp File for " +
                                            host.WorkList.List(29) + "\r\n\r\nSkip This File?",
                                        "30 Input Files Processed\r\n1 Output Files Created"}));
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{Output("StdTemp.000")});
    EXPECT_FALSE(fs::exists(Output("run.ned")));
    EXPECT_EQ(ReadValues(Output("StdTemp.000")), (std::vector<double>{Sd0, 0, 0}));
    EXPECT_FLOAT_EQ(Sd0, 1.0170952e-4f);
    EXPECT_EQ(CurrentHeader.DataType, ::Raw);
    EXPECT_FALSE(ui.Waiting);
}

TEST_F(Nedl, CalibratesTheDeviationToRadianceWhateverTheForeoptic) {
    for (int f = 0; f < 30; ++f) {
        auto file = Raw({f < 15 ? 100.0 : 102.0, 7, 7});
        file.Header.ForeopticCode = ForeopticCosineReceptor;
        file.Header.InstrumentType = Vnir1;
        Add(file, "s" + std::to_string(f) + ".001");
    }
    WriteCalibration("cos6012_1.raw");
    ui.Choose({Output("run.ned")});
    PlotFormat = 5;
    HasEmbeddedReference = true;
    CreateNedlFile();

    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{"30 Input Files Processed\r\n2 Output Files Created"});
    EXPECT_EQ(host.VisibleList.Entries(),
              (std::vector<std::string>{Output("StdTemp.000"), Output("run.ned")}));
    EXPECT_EQ(host.ProgressValues.back(), 0);
    EXPECT_EQ(PlotFormat, 0);
    EXPECT_FALSE(HasEmbeddedReference);
    // SpectrumData keeps the scaled deviation.
    EXPECT_EQ(SpectrumData, (std::vector<double>{Sd0, 0, 0}));

    // (Dn / response) x lamp x (17 / 34) / 3.14159 x baseline
    const double k = 17.0 / 34.0 / 3.14159;
    EXPECT_EQ(ReadValues(Output("run.ned")),
              (std::vector<double>{static_cast<float>(Sd0 / 4.0 * 2.0 * k * 0.5), 0, 0}));
    EXPECT_EQ(CurrentHeader.DataType, Radiance);
    EXPECT_EQ(CurrentHeader.InstrumentType, Vnir3);
    ASSERT_EQ(ReadSpectrumFile(Output("StdTemp.000")), 1);
    EXPECT_EQ(CurrentHeader.InstrumentType, Vnir3);
    EXPECT_EQ(CurrentHeader.DataType, ::Raw);
}

TEST_F(Nedl, FilesOfAnotherKindOrSizeAreSkippedOrEndTheRun) {
    AddSpread(16, "a");
    auto leaf = Raw({1, 2, 3});
    leaf.Header.DataType = Reflectance;
    Add(leaf, "leaf.ref");
    AddSpread(14, "b");
    ui.Choose({Output("run.ned")}).Answer(vbOK).Answer(vbOK);
    CreateNedlFile();
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{
                  "Date-Type Mismatch\r\nThe files you have selected for processing are of "
                  "different types\r\n\r\n Click OK to Skip, Cancel to Abort",
                  "Can't find the Calibration Lamp File for " + host.WorkList.List(30) +
                      "\r\n\r\nSkip This File?",
                  "30 Input Files Processed\r\n1 Output Files Created"}));
    EXPECT_EQ(ui.Prompts[1].buttons, vbOKCancel + vbExclamation);

    // Cancel at the channel question ends the run with nothing written.
    fs::remove(Output("StdTemp.000"));
    host.WorkList.Clear();
    host.VisibleList.Clear();
    ui.Prompts.clear();
    AddSpread(30);
    Add(Raw({1, 2}), "short.001");
    ui.Choose({Output("run.ned")}).Answer(vbCancel);
    CreateNedlFile();
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{"Channel Number Mismatch\r\n" + host.WorkList.List(30) +
                                       " contains 2 channels\r\nThe starting file had 3 "
                                       "channels\r\n\r\n Click OK to Skip, Cancel to Abort"});
    EXPECT_FALSE(fs::exists(Output("StdTemp.000")));
    EXPECT_TRUE(host.VisibleList.Entries().empty());
    EXPECT_EQ(host.ProgressValues.back(), 0);
}

TEST_F(Nedl, TooFewReadableFilesWriteNothing) {
    AddSpread(29);
    host.WorkList.AddItem(Input("missing.001"));
    ui.Choose({Output("run.ned")});
    CreateNedlFile();
    // The outputs were asked for at the first file all the same.
    EXPECT_EQ(ui.Prompts[0].kind, ScriptedUi::Kind::SaveFile);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{TooFew});
    EXPECT_EQ(ui.Prompts[1].buttons, vbOKOnly + vbExclamation);
    EXPECT_TRUE(OutputIsEmpty());
    EXPECT_EQ(host.ProgressValues.back(), 0);

    // Cancelling the save dialog ends the run without a word.
    ui.Prompts.clear();
    Add(Raw({1, 2, 3}), "more.001");
    ui.CancelFileDialog();
    CreateNedlFile();
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_TRUE(OutputIsEmpty());
}

TEST_F(Nedl, ExistingFilesAreReplacedOnlyAfterOk) {
    AddSpread(30);
    WriteBytes(Output("run.ned"), {1});
    WriteBytes(Output("StdTemp.000"), {2});
    ui.Choose({Output("run.ned")}).Answer(vbCancel);
    CreateNedlFile();
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{Output("run.ned") + " already exists!\rOverwrite?"});
    EXPECT_EQ(ui.Prompts[1].buttons, vbOKCancel + vbExclamation);

    // The deviation file of an earlier run is replaced without a question.
    WriteCalibration();
    ui.Prompts.clear();
    ui.Choose({Output("run.ned")}).Answer(vbOK);
    CreateNedlFile();
    EXPECT_EQ(ui.Messages().back(), "30 Input Files Processed\r\n2 Output Files Created");
    EXPECT_EQ(ReadValues(Output("StdTemp.000")), (std::vector<double>{Sd0, 0, 0}));
    EXPECT_EQ(ReadValues(Output("run.ned")).size(), 3u);
}

// A NEDL of zero in the channels a short calibration file lacks would claim
// an instrument without noise there.
TEST_F(Nedl, AShortCalibrationFileEndsTheRunBeforeTheNedlFile) {
    AddSpread(30);
    WriteCalibration("ni6012_1.raw", 2);
    ui.Choose({Output("run.ned")});
    CreateNedlFile();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"The Lamp file channel size 2 does not "
                                                      "match the Spectrum data file size 3"});
    EXPECT_TRUE(fs::exists(Output("StdTemp.000")));
    EXPECT_FALSE(fs::exists(Output("run.ned")));
    EXPECT_TRUE(host.VisibleList.Entries().empty());
    EXPECT_EQ(host.ProgressValues.back(), 0);
}

// The passes follow the deviation's own header, whatever instrument the last
// file of the work list came from.
TEST_F(Nedl, TheFirstFilesInstrumentDecidesTheDetectorRegions) {
    for (int f = 0; f < 30; ++f) {
        auto file = Raw({f < 15 ? 100.0 : 102.0, f < 15 ? 100.0 : 102.0, 7});
        file.Header.InstrumentType = f < 29 ? VnirSwir4 : Vnir2;
        file.Header.Splice1Wavelength = 350;
        file.Header.Splice2Wavelength = 351;
        file.Header.Swir1Gain = 100;
        file.Header.Swir2Gain = 100;
        Add(file, "s" + std::to_string(f) + ".001");
    }
    WriteCalibration();
    auto raw = MakeSpectrum(1, std::vector<double>(3, 4));
    raw.Header.IntegrationTime = 17;
    raw.Header.Swir1Gain = 200;
    raw.Header.Swir2Gain = 200;
    raw.WriteTo(Output("ni6012_1.raw"));
    ui.Choose({Output("run.ned")});
    CreateNedlFile();
    EXPECT_EQ(ui.Messages().back(), "30 Input Files Processed\r\n2 Output Files Created");
    const std::vector<double> nedl = ReadValues(Output("run.ned"));
    const double vnir = Sd0 / 4.0 * 2.0 * (17.0 / 34.0 / 3.14159) * 0.5;
    const double swir1 = Sd0 / 4.0 * 2.0 * ((2048.0 / 200) / (2048.0 / 100) / 3.14159) * 0.5;
    EXPECT_EQ(nedl, (std::vector<double>{static_cast<float>(vnir), static_cast<float>(swir1), 0}));
}

// Legacy data holds 512 values whatever its header counts; the deviation file
// counts what it holds, so that it reads back.
TEST_F(Nedl, LegacyDataGivesAReadableDeviationFile) {
    for (int f = 0; f < 30; ++f) {
        auto file = Raw(std::vector<double>(512, f < 15 ? 100 : 102));
        file.Header.ValueFormat = ValueInteger;
        file.Header.InstrumentType = Vnir1;
        file.ChannelCount = 600;
        Add(file, "s" + std::to_string(f) + ".001");
    }
    ui.Choose({Output("run.ned")}).Answer(vbCancel);
    CreateNedlFile();
    EXPECT_EQ(ReadValues(Output("StdTemp.000")), std::vector<double>(512, Sd0));
    EXPECT_EQ(CurrentHeader.ChannelCount, 512);
}

}  // namespace
