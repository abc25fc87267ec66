#include <gtest/gtest.h>

#include <filesystem>

#include "frame/settings.h"
#include "ops/calibration/kernels/parabolic.h"
#include "ops/calibration/radiometric_batch.h"
#include "ops/calibration/radiometric_conversion.h"
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

// Spectrum integration time 34 against 17 in the calibration: VNIR factor 0.5.
constexpr double Pi = 3.14159;

SpectrumFileBuilder Calibration(uint8_t dataType, std::vector<double> values) {
    auto file = MakeSpectrum(1, std::move(values));
    file.Header.DataType = dataType;
    file.Header.IntegrationTime = 17;
    file.Header.Swir1Gain = 100;
    file.Header.Swir2Gain = 100;
    return file;
}

// Lamp 2, baseline 0.5, response 4 for instrument 6012, calibration 1, and the
// response files of the foreoptic prefixes given.
void WriteCalibrationFiles(std::initializer_list<const char*> prefixes, int channels = 3) {
    Calibration(Irradiance, std::vector<double>(channels, 2)).WriteTo("lmp6012_1.ill");
    Calibration(Reflectance, std::vector<double>(channels, 0.5)).WriteTo("bse6012_1.ref");
    for (const char* prefix : prefixes) {
        Calibration(Raw, std::vector<double>(channels, 4))
            .WriteTo(std::string(prefix) + "6012_1.raw");
    }
}

SpectrumFileBuilder Dn(int version, int16_t foreoptic, std::vector<double> values = {10, 20, 30}) {
    auto file = MakeSpectrum(version, std::move(values));
    file.Header.InstrumentType = Vnir2;
    file.Header.IntegrationTime = 34;
    file.Header.InstrumentNumber = 6012;
    file.Header.CalibrationNumber = 1;
    file.Header.ForeopticCode = foreoptic;
    return file;
}

// A version-7 file that carries its own baseline, lamp and response.
SpectrumFileBuilder Embedded(uint8_t dataType, int16_t foreoptic, double response = 4) {
    auto file = Dn(7, foreoptic);
    file.Header.DataType = dataType;
    file.Calibrations = {MakeCalibration(CalBse, "bse"), MakeCalibration(CalLmp, "lmp"),
                         MakeCalibration(CalFo, "fo")};
    file.Calibrations[2].CalIntegrationTime = 17;
    file.CalibrationBuffers = {std::vector<double>(3, 0.5), std::vector<double>(3, 2),
                               std::vector<double>(3, response)};
    return file;
}

std::vector<double> Radiances(std::vector<double> dn, double response = 4) {
    for (double& v : dn) {
        v = static_cast<float>((v / response) * 2 * (0.5 / Pi) * 0.5);
    }
    return dn;
}

std::vector<double> Irradiances(std::vector<double> dn) {
    for (double& v : dn) {
        v = static_cast<float>((v / 4) * 2 * 0.5);
    }
    return dn;
}

class RadiometricBatch : public BatchTest {
protected:
    std::string Add(const SpectrumFileBuilder& file, const std::string& name) {
        const std::string path = fs::absolute(file.WriteTo(name)).string();
        host.WorkList.AddItem(path);
        return path;
    }
    std::vector<double> Values(const std::string& name) {
        EXPECT_EQ(ReadSpectrumFile(Output(name)), 1) << name;
        return SpectrumData;
    }
};

TEST_F(RadiometricBatch, TheForeopticChoosesRadianceOrIrradiance) {
    WriteCalibrationFiles({"8i", "cos", "1C"});
    auto fibre = Dn(1, 8);
    fibre.Header.ApplicationCode = AppAbsoluteReflectance;
    fibre.Header.ApplicationData.Second[3] = 9;
    Add(fibre, "a.001");
    Add(Dn(1, 180), "b.001");
    Add(Dn(2, 181), "c.001");
    PlotFormat = 5;
    CreateRadiometricFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"3 Files Processed"});
    EXPECT_EQ(
        host.VisibleList.Entries(),
        (std::vector<std::string>{Output("a.001.rad"), Output("b.001.irr"), Output("c.001.irr")}));
    // The bar shows the 0-based position of each file.
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(PlotFormat, 0);

    EXPECT_EQ(Values("a.001.rad"), Radiances({10, 20, 30}));
    EXPECT_EQ(CurrentHeader.DataType, Radiance);
    EXPECT_EQ(CurrentHeader.ValueFormat, ValueSingle);
    EXPECT_EQ(CurrentHeader.ApplicationCode, AppAbsoluteReflectance);
    EXPECT_EQ(CurrentHeader.ApplicationData.Second[3], 9);
    EXPECT_EQ(fs::file_size(Output("a.001.rad")), 484u + 3 * 4);
    EXPECT_EQ(Values("b.001.irr"), Irradiances({10, 20, 30}));
    EXPECT_EQ(CurrentHeader.DataType, Irradiance);
    EXPECT_EQ(Values("c.001.irr"), Irradiances({10, 20, 30}));
}

TEST_F(RadiometricBatch, NoAtThePromptSkipsThatFileOnly) {
    WriteCalibrationFiles({"8i"});
    Add(Dn(1, 8), "a.001");
    Add(Dn(1, 8), "b.001");
    Add(Dn(1, 8), "c.001");
    WriteBytes(Output("b.001.rad"), {7});
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("No", &seen));
    CreateRadiometricFiles();
    EXPECT_EQ(seen.Text, Output("b.001.rad") + " already exists!\nYes to Overwrite   No to Skip ");
    EXPECT_TRUE(seen.YesToAllEnabled);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed"});
    EXPECT_EQ(ReadBytes(Output("b.001.rad")), std::vector<uint8_t>{7});
    EXPECT_TRUE(fs::exists(Output("c.001.rad")));
}

TEST_F(RadiometricBatch, AMissingCalibrationFileAsksWhetherToSkipOrEnd) {
    WriteCalibrationFiles({"cos"});
    const std::string fibre = Add(Dn(1, 8), "fibre.001");
    Add(Dn(1, 180), "cosine.001");
    ui.Answer(vbOK);
    CreateRadiometricFiles();
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Prompts[0].text,
              "Can't find  the Instrument Response File for " + fibre + "\r\n\r\nSkip This File?");
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKCancel + vbExclamation);
    EXPECT_EQ(ui.Messages()[1], "1 Files Processed");

    // Cancel ends the run: no closing message, the visible list stays.
    fs::remove(Output("cosine.001.irr"));
    host.VisibleList.Clear();
    host.VisibleList.AddItem("kept");
    ui.Answer(vbCancel);
    CreateRadiometricFiles();
    EXPECT_EQ(ui.Messages().size(), 3u);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"kept"});
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_FALSE(fs::exists(Output("cosine.001.irr")));
}

TEST_F(RadiometricBatch, StoredRadiometricFilesUseOnlyTheirOwnEmbeddedCalibration) {
    // Older stored radiance: passed over in silence.
    auto old = Dn(5, 8);
    old.Header.DataType = Radiance;
    Add(old, "old.001");
    Add(Embedded(Radiance, 8), "full.001");
    // An irradiance file with only two calibration records: its response has
    // no calibration values, and the previous file's must not stand in.
    auto partial = Embedded(Irradiance, 180);
    partial.Calibrations = {MakeCalibration(CalLmp, "lmp"), MakeCalibration(CalFo, "fo")};
    partial.CalibrationBuffers = {std::vector<double>(3, 2), std::vector<double>(3, 4)};
    const std::string partialPath = Add(partial, "partial.001");
    ui.Answer(vbOK);
    CreateRadiometricFiles();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Can't calibrate " + partialPath +
                                                           ": it carries no embedded instrument "
                                                           "response\r\n\r\nSkip This File?",
                                                       "1 Files Processed"}));
    EXPECT_EQ(Values("full.001.rad"), Radiances({10, 20, 30}));
    EXPECT_FALSE(fs::exists(Output("old.001.rad")));
    EXPECT_FALSE(fs::exists(Output("partial.001.irr")));
}

TEST_F(RadiometricBatch, RawVersionSevenFilesUseTheCalibrationFiles) {
    WriteCalibrationFiles({"8i"});
    // Its own response of 8 would halve the values.
    Add(Embedded(Raw, 8, 8), "raw.001");
    CreateRadiometricFiles();
    EXPECT_EQ(Values("raw.001.rad"), Radiances({10, 20, 30}));
}

TEST_F(RadiometricBatch, ConvertToRadiometricFollowsTheForeopticNotTheDataType) {
    Embedded(Irradiance, 8).WriteTo("v7.001");
    ASSERT_EQ(ReadSpectrumFile("v7.001"), 7);
    ASSERT_TRUE(ConvertToRadiometric("v7.001"));
    EXPECT_EQ(DisplayData.size(), 3u);
    const auto expected = Radiances({10, 20, 30});
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(DisplayData[i], expected[i]);
    }
    EXPECT_TRUE(ui.Prompts.empty());
}

TEST_F(RadiometricBatch, ConvertToRadiometricReportsAMissingFileAndKeepsTheDisplay) {
    WriteCalibrationFiles({"8i"});
    fs::remove("bse6012_1.ref");
    Dn(1, 8).WriteTo("in.001");
    ASSERT_EQ(ReadSpectrumFile("in.001"), 1);
    DisplayData = {7, 7, 7};
    host.SetProgressValue(4);
    EXPECT_FALSE(ConvertToRadiometric("in.001", true));
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{"Can't find the Baseline File for in.001 6012 1"});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(DisplayData, (std::vector<double>{7, 7, 7}));
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(RadiometricBatch, ConvertToRadiometricBendsTheJoinsWhenAsked) {
    WriteCalibrationFiles({"cos"}, 2151);
    std::vector<double> dn(2151, 4);
    std::fill(dn.begin(), dn.begin() + 651, 1);
    std::fill(dn.begin() + 651, dn.begin() + 1481, 2);
    auto file = Dn(1, 180, dn);
    file.Header.InstrumentType = VnirSwir4;
    file.Header.Splice1Wavelength = 1000;
    file.Header.Splice2Wavelength = 1830;
    file.Header.Swir1Gain = 100;
    file.Header.Swir2Gain = 100;
    file.WriteTo("full.001");
    ASSERT_EQ(ReadSpectrumFile("full.001"), 1);

    ASSERT_TRUE(ConvertToRadiometric("full.001"));
    std::vector<double> bent = DisplayData;
    // VNIR 1 / 4 x 2 x 0.5, SWIR 2 / 4 x 2 x 1.
    EXPECT_EQ(bent[650], 0.25);
    EXPECT_EQ(bent[651], 1);
    ASSERT_EQ(ParabolicCorrectSpectrum(bent, CurrentHeader), 2150);
    ASSERT_TRUE(ConvertToRadiometric("full.001", true));
    EXPECT_EQ(DisplayData, bent);
    EXPECT_DOUBLE_EQ(DisplayData[650], 1);
}

}  // namespace
