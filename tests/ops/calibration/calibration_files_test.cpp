#include <gtest/gtest.h>

#include <filesystem>

#include "ops/calibration/calibration_files.h"
#include "ops/calibration/kernels/calibration_file.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"

namespace fs = std::filesystem;

namespace {

SpectrumFileBuilder CalibrationSpectrum(uint8_t dataType, std::vector<double> values) {
    auto file = MakeSpectrum(1, std::move(values));
    file.Header.DataType = dataType;
    return file;
}

// A spectrum of instrument 6012, calibration 1, through a bare fibre.
SpectrumHeader Spectrum(int16_t channels = 3) {
    SpectrumHeader header;
    header.InstrumentNumber = 6012;
    header.CalibrationNumber = 1;
    header.ForeopticCode = ForeopticNone;
    header.ChannelCount = channels;
    return header;
}

// The three calibration files of that spectrum in the current folder.
void WriteCalibrationFiles(int channels = 3) {
    CalibrationSpectrum(Irradiance, std::vector<double>(channels, 2)).WriteTo("lmp6012_1.ill");
    CalibrationSpectrum(Reflectance, std::vector<double>(channels, 0.5)).WriteTo("bse6012_1.ref");
    auto response = CalibrationSpectrum(Raw, std::vector<double>(channels, 4));
    response.Header.IntegrationTime = 17;
    response.WriteTo("ni6012_1.raw");
}

class CalibrationFiles : public testing::Test {
protected:
    void SetUp() override { ResetSpectrumState(); }
    ScriptedUi ui;
};

TEST(CalibrationNames, FollowInstrumentCalibrationAndForeoptic) {
    EXPECT_EQ(ForeopticPrefix(-1), "ni");
    EXPECT_EQ(ForeopticPrefix(0), "ni");
    EXPECT_EQ(ForeopticPrefix(8), "8i");
    EXPECT_EQ(ForeopticPrefix(25), "25i");
    EXPECT_EQ(ForeopticPrefix(-5), "-5i");
    EXPECT_EQ(ForeopticPrefix(180), "cos");
    EXPECT_EQ(ForeopticPrefix(181), "1C");
    EXPECT_EQ(ForeopticPrefix(188), "8C");
    EXPECT_EQ(ForeopticPrefix(205), "25C");

    SpectrumHeader header = Spectrum();
    header.ForeopticCode = 8;
    auto name = [&](CalibrationKind kind, bool underscore) {
        return CalibrationFileName(CalibrationPrefix(kind, header), header.InstrumentNumber,
                                   header.CalibrationNumber, CalibrationExtension(kind),
                                   underscore);
    };
    EXPECT_EQ(name(CalibrationKind::Lamp, true), "lmp6012_1.ill");
    EXPECT_EQ(name(CalibrationKind::Baseline, true), "bse6012_1.ref");
    EXPECT_EQ(name(CalibrationKind::Response, true), "8i6012_1.raw");
    EXPECT_EQ(name(CalibrationKind::Lamp, false), "lmp60121.ill");
    EXPECT_EQ(CalibrationFileName("ni", -3, -1, ".raw", true), "ni-3_-1.raw");
}

TEST_F(CalibrationFiles, TheSecondNameIsTriedWhenTheFirstIsMissing) {
    EXPECT_EQ(FindCalibrationFile("lmp", 6012, 1, ".ill"), "");
    CalibrationSpectrum(Irradiance, {1}).WriteTo("lmp60121.ill");
    EXPECT_EQ(FindCalibrationFile("lmp", 6012, 1, ".ill"), "lmp60121.ill");
    CalibrationSpectrum(Irradiance, {1}).WriteTo("lmp6012_1.ill");
    EXPECT_EQ(FindCalibrationFile("lmp", 6012, 1, ".ill"), "lmp6012_1.ill");
}

TEST_F(CalibrationFiles, ChannelCountsBelowTheSpectrumsAreRefused) {
    CalibrationSpectrum(Irradiance, std::vector<double>(2150, 1)).WriteTo("short.ill");
    CalibrationSpectrum(Irradiance, std::vector<double>(2200, 1)).WriteTo("long.ill");
    CalibrationFileContent file;
    EXPECT_EQ(ReadCalibrationFile("short.ill", CalibrationKind::Lamp, 2151, file),
              CalibrationReadResult::Failed);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{
                                 "The Lamp file channel size 2150 does not match the Spectrum "
                                 "data file size 2151"});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(ReadCalibrationFile("short.ill", CalibrationKind::Lamp, NoChannelCheck, file),
              CalibrationReadResult::Read);
    EXPECT_EQ(ReadCalibrationFile("long.ill", CalibrationKind::Lamp, 2151, file),
              CalibrationReadResult::Read);
    EXPECT_EQ(file.Values.size(), 2200u);
}

TEST_F(CalibrationFiles, AWrongDataTypeAsksWhetherToGoOn) {
    CalibrationSpectrum(Radiance, {7, 8}).WriteTo("lamp.ill");
    CalibrationSpectrum(Raw, {7, 8}).WriteTo("base.ref");
    CalibrationFileContent file;
    ui.Answer(vbYes).Answer(vbNo);
    EXPECT_EQ(ReadCalibrationFile("lamp.ill", CalibrationKind::Lamp, 2, file),
              CalibrationReadResult::Read);
    EXPECT_EQ(file.Values, (std::vector<double>{7, 8}));
    EXPECT_EQ(ReadCalibrationFile("base.ref", CalibrationKind::Baseline, 2, file),
              CalibrationReadResult::Failed);
    // The response's data type is never asked about.
    EXPECT_EQ(ReadCalibrationFile("lamp.ill", CalibrationKind::Response, 2, file),
              CalibrationReadResult::Read);
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{
                                 "The lamp file data-type is NOT IRRADIANCE, Continue?",
                                 "The baseline file data-type is NOT REFLECTANCE, Continue?"}));
    EXPECT_EQ(ui.Prompts[0].buttons, vbYesNo);
}

TEST_F(CalibrationFiles, ValuesAreReadAsTheFileVersionLaysThemOut) {
    // An interpolated version-2 file says ValueFormat 0 over Doubles.
    auto doubles = MakeSpectrum(2, {0.25, 0.75});
    doubles.Header.ValueFormat = ValueSingle;
    doubles.WriteTo("v2.raw");
    auto legacy = MakeSpectrum(1, std::vector<double>(512, 9));
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = Vnir1;
    legacy.WriteTo("legacy.raw");
    CalibrationFileContent file;
    ASSERT_EQ(ReadCalibrationFile("v2.raw", CalibrationKind::Response, 2, file),
              CalibrationReadResult::Read);
    EXPECT_EQ(file.Values, (std::vector<double>{0.25, 0.75}));
    ASSERT_EQ(ReadCalibrationFile("legacy.raw", CalibrationKind::Response, 512, file),
              CalibrationReadResult::Read);
    EXPECT_EQ(file.Values, std::vector<double>(512, 9));
}

TEST_F(CalibrationFiles, BrokenFilesAreReportedByNameAndLeaveTheLoadedSpectrumAlone) {
    FileVersion = 7;
    auto foreign = CalibrationSpectrum(Irradiance, {1, 2});
    foreign.Signature = std::array<uint8_t, 3>{'X', 'Y', 'Z'};
    foreign.WriteTo("foreign.ill");
    auto bytes = CalibrationSpectrum(Irradiance, {1, 2}).Bytes();
    bytes.resize(bytes.size() - 1);
    WriteBytes("cut.ill", bytes);
    CalibrationSpectrum(Irradiance, {1, 2}).WriteTo("v1.ill");

    CalibrationFileContent file;
    EXPECT_EQ(ReadCalibrationFile("foreign.ill", CalibrationKind::Lamp, 2, file),
              CalibrationReadResult::Failed);
    EXPECT_EQ(ReadCalibrationFile("cut.ill", CalibrationKind::Lamp, 2, file),
              CalibrationReadResult::Failed);
    EXPECT_EQ(ReadCalibrationFile("v1.ill", CalibrationKind::Lamp, 2, file),
              CalibrationReadResult::Read);
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{"foreign.ill doesn't appear to be an ZEL Spectrum File!",
                                        "File Error\rcut.ill ends inside its spectrum values."}));
    EXPECT_EQ(FileVersion, 7);
}

TEST_F(CalibrationFiles, LoadsAllThreeWithTheResponseHeaderAsCalibration) {
    WriteCalibrationFiles();
    CalibrationSet set;
    ASSERT_EQ(LoadCalibrationFiles(CalibrationCaller::RadiometricBatch, Spectrum(), "in.001", set),
              CalibrationOutcome::Ready);
    EXPECT_EQ(set.Lamp, std::vector<double>(3, 2));
    EXPECT_EQ(set.Baseline, std::vector<double>(3, 0.5));
    EXPECT_EQ(set.Response, std::vector<double>(3, 4));
    EXPECT_EQ(set.CalHeader.IntegrationTime, 17);
    EXPECT_EQ(set.CalibrationName, "ni6012_1.raw");
    EXPECT_TRUE(ui.Prompts.empty());
}

TEST_F(CalibrationFiles, AMissingFileIsWordedAndAnsweredAsTheCallerDoes) {
    CalibrationSet set;
    // Batch: a question; OK skips the input, Cancel ends the run.
    ui.Answer(vbOK).Answer(vbCancel);
    EXPECT_EQ(
        LoadCalibrationFiles(CalibrationCaller::RadiometricBatch, Spectrum(), "/d/in.001", set),
        CalibrationOutcome::SkipFile);
    EXPECT_EQ(LoadCalibrationFiles(CalibrationCaller::Nedl, Spectrum(), "/d/last.001", set),
              CalibrationOutcome::EndRun);
    EXPECT_EQ(ui.Prompts[0].text,
              "Can't find the Calibration Lamp File for /d/in.001\r\n\r\nSkip This File?");
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKCancel + vbExclamation);
    EXPECT_EQ(ui.Prompts[1].text,
              "Can't find the Calibration Lamp File for /d/last.001\r\n\r\nSkip This File?");

    // The lamp is read (and asked about) before the baseline is found missing.
    CalibrationSpectrum(Radiance, {1, 1, 1}).WriteTo("lmp60121.ill");
    ui.Answer(vbYes);
    EXPECT_EQ(
        LoadCalibrationFiles(CalibrationCaller::ConvertToRadiometric, Spectrum(), "in.001", set),
        CalibrationOutcome::EndRun);
    EXPECT_EQ(ui.Prompts[3].text, "Can't find the Baseline File for in.001 6012 1");
    EXPECT_EQ(ui.Prompts[3].buttons, vbOKOnly + vbExclamation);
    EXPECT_TRUE(set.Lamp.empty());

    // The response text of the batches has always had two blanks.
    WriteCalibrationFiles();
    fs::remove("ni6012_1.raw");
    ui.Answer(vbOK);
    LoadCalibrationFiles(CalibrationCaller::RadiometricBatch, Spectrum(), "in.001", set);
    LoadCalibrationFiles(CalibrationCaller::ConvertToRadiometric, Spectrum(), "in.001", set);
    EXPECT_EQ(ui.Prompts[4].text,
              "Can't find  the Instrument Response File for in.001\r\n\r\nSkip This File?");
    EXPECT_EQ(ui.Prompts[5].text, "Can't find the Instrument Response File for in.001 6012 1");
}

// NEDL included: a short file would leave its trailing channels at zero.
TEST_F(CalibrationFiles, EveryCallerRefusesAShortCalibrationFile) {
    WriteCalibrationFiles(2);
    CalibrationSet set;
    EXPECT_EQ(LoadCalibrationFiles(CalibrationCaller::Nedl, Spectrum(3), "in.001", set),
              CalibrationOutcome::EndRun);
    EXPECT_EQ(LoadCalibrationFiles(CalibrationCaller::RadiometricBatch, Spectrum(3), "in.001", set),
              CalibrationOutcome::EndRun);
    const std::string refused =
        "The Lamp file channel size 2 does not match the Spectrum data file size 3";
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{refused, refused}));
    EXPECT_TRUE(set.Lamp.empty());
}

TEST_F(CalibrationFiles, EmbeddedCalibrationComesFromTheLoadedFileOnly) {
    auto file = MakeCompleteSpectrum(7, {10, 20});
    file.Calibrations[2].CalIntegrationTime = 17;
    file.Calibrations[2].CalSwir1Gain = 100;
    file.Calibrations[2].CalSwir2Gain = 50;
    file.WriteTo("v7.001");
    ASSERT_EQ(ReadSpectrumFile("v7.001"), 7);
    CalibrationSet set;
    // This file carries no baseline: irradiance only.
    ASSERT_EQ(UseEmbeddedCalibration(CalibrationCaller::RadiometricBatch, "v7.001", false, set),
              CalibrationOutcome::Ready);
    EXPECT_EQ(set.Lamp, std::vector<double>(2, 2));
    EXPECT_EQ(set.Response, std::vector<double>(2, 3));
    EXPECT_EQ(set.CalHeader.IntegrationTime, 17);
    EXPECT_EQ(set.CalHeader.Swir1Gain, 100);
    EXPECT_EQ(set.CalHeader.Swir2Gain, 50);

    ui.Answer(vbOK);
    EXPECT_EQ(UseEmbeddedCalibration(CalibrationCaller::RadiometricBatch, "v7.001", true, set),
              CalibrationOutcome::SkipFile);
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{"Can't calibrate v7.001: it carries no embedded baseline "
                                       "spectrum\r\n\r\nSkip This File?"});

    // A later file without a calibration section borrows nothing.
    auto bare = MakeSpectrum(7, {1, 2});
    bare.WithCalibration = false;
    bare.WriteTo("bare.001");
    ASSERT_EQ(ReadSpectrumFile("bare.001"), 7);
    EXPECT_EQ(
        UseEmbeddedCalibration(CalibrationCaller::ConvertToRadiometric, "bare.001", false, set),
        CalibrationOutcome::EndRun);
    EXPECT_EQ(ui.Messages().back(),
              "Can't calibrate bare.001: it carries no embedded instrument response");
}

TEST_F(CalibrationFiles, AnUndefinedConversionIsRefusedLikeAMissingFile) {
    SpectrumHeader header = Spectrum();
    header.InstrumentType = Vnir2;
    header.WavelengthStep = 1;
    header.IntegrationTime = 0;
    CalibrationSet set;
    set.CalHeader.IntegrationTime = 17;
    set.CalibrationName = "ni6012_1.raw";
    ui.Answer(vbCancel);
    EXPECT_EQ(CheckRadiometricCalibration(CalibrationCaller::RadiometricBatch, "/d/in.001", header,
                                          header.InstrumentType, set),
              CalibrationOutcome::EndRun);
    header.InstrumentType = SingleGain6;
    EXPECT_EQ(CheckRadiometricCalibration(CalibrationCaller::ConvertToRadiometric, "in.001", header,
                                          header.InstrumentType, set),
              CalibrationOutcome::EndRun);
    header.InstrumentType = Vnir2;
    header.IntegrationTime = 34;
    EXPECT_EQ(CheckRadiometricCalibration(CalibrationCaller::Nedl, "in.001", header,
                                          header.InstrumentType, set),
              CalibrationOutcome::Ready);
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{
                  "Can't calibrate /d/in.001: the IntegrationTime of /d/in.001 is 0\r\n\r\nSkip "
                  "This File?",
                  "Can't calibrate in.001: the instrument type 6 of in.001 has no radiometric "
                  "regions"}));
}

}  // namespace
