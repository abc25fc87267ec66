#include <gtest/gtest.h>

#include <filesystem>

#include "frame/settings.h"
#include "ops/calibration/quantum_intensity.h"
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

const std::string BadType = "Bad File Type...QICalc is performed on Irradiance files only!";

class QuantumIntensityBatch : public BatchTest {
protected:
    static SpectrumFileBuilder Spectrum(int version, uint8_t dataType, std::vector<double> values) {
        auto file = MakeSpectrum(version, std::move(values));
        file.Header.DataType = dataType;
        return file;
    }
    static float Qi(double irradiance, double wavelength) {
        return static_cast<float>(0.008359 * irradiance * wavelength);
    }
};

TEST_F(QuantumIntensityBatch, WeightsIrradianceWithTheWavelengthIntoAVersionOneFile) {
    auto lamp = Spectrum(1, Irradiance, {1.0, 2.0});
    lamp.Header.InstrumentType = Vnir1;
    Add(lamp, "lamp.ill");
    auto late = Spectrum(1, Irradiance, {1.0});
    late.Header.Channel1Wavelength = 500;
    Add(late, "late.ill");
    PlotFormat = 3;
    PlotDeriv = 1;
    CreateQuantumIntensityFiles();

    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed"});
    EXPECT_EQ(host.VisibleList.Entries(),
              (std::vector<std::string>{Output("lamp.ill.qic"), Output("late.ill.qic")}));
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{0, 1, 0}));
    // The display state is not this batch's to reset.
    EXPECT_EQ(PlotFormat, 3);
    EXPECT_EQ(PlotDeriv, 1);

    ASSERT_EQ(ReadSpectrumFile(Output("lamp.ill.qic")), 1);
    EXPECT_EQ(SpectrumData, (std::vector<double>{Qi(1.0, 350), Qi(2.0, 351)}));
    EXPECT_FLOAT_EQ(SpectrumData[0], 2.92565f);
    EXPECT_EQ(CurrentHeader.DataType, QuantumIntensity);
    EXPECT_EQ(CurrentHeader.ValueFormat, ValueSingle);
    EXPECT_EQ(CurrentHeader.ChannelCount, 2);
    EXPECT_EQ(CurrentHeader.InstrumentType, Vnir3);
    ASSERT_EQ(ReadSpectrumFile(Output("late.ill.qic")), 1);
    EXPECT_EQ(SpectrumData, std::vector<double>{Qi(1.0, 500)});
}

// A later irradiance file of another version must not lend its spectrum, and
// no radiometric outputs appear beside the quantum-intensity ones.
TEST_F(QuantumIntensityBatch, LaterVersionsAreWeightedFromTheirOwnValues) {
    Add(Spectrum(2, Irradiance, {4, 8}), "first.002");
    Add(Spectrum(7, Irradiance, {100, 200, 300}), "second.007");
    CreateQuantumIntensityFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed"});
    EXPECT_EQ(std::distance(fs::directory_iterator("out"), fs::directory_iterator()), 2);

    ASSERT_EQ(ReadSpectrumFile(Output("first.002.qic")), 1);
    EXPECT_EQ(CurrentHeader.Signature, (std::array<uint8_t, 3>{'Z', 'E', 'L'}));
    EXPECT_EQ(CurrentHeader.DataType, QuantumIntensity);
    EXPECT_EQ(CurrentHeader.ValueFormat, ValueSingle);
    EXPECT_EQ(SpectrumData, (std::vector<double>{Qi(4, 350), Qi(8, 351)}));
    // No reference section follows the values.
    EXPECT_EQ(fs::file_size(Output("first.002.qic")), 484u + 2 * 4);
}

TEST_F(QuantumIntensityBatch, OtherKindsAskToBeSkippedOrToEndTheRun) {
    Add(Spectrum(1, Irradiance, {1}), "a.ill");
    Add(Spectrum(1, Reflectance, {0.5}), "b.ref");
    Add(Spectrum(1, Irradiance, {2}), "c.ill");
    ui.Answer(vbOK);
    CreateQuantumIntensityFiles();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{BadType, "2 Files Processed"}));
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKCancel + vbExclamation);
    EXPECT_EQ(host.VisibleList.Entries(),
              (std::vector<std::string>{Output("a.ill.qic"), Output("c.ill.qic")}));

    // Cancel: what was written stays, nothing else is said or listed.
    fs::remove_all("out");
    fs::create_directories("out");
    host.ProgressValues.clear();
    ui.Prompts.clear();
    ui.Answer(vbCancel);
    CreateQuantumIntensityFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{BadType});
    EXPECT_TRUE(fs::exists(Output("a.ill.qic")));
    EXPECT_FALSE(fs::exists(Output("c.ill.qic")));
    EXPECT_EQ(host.VisibleList.Entries(),
              (std::vector<std::string>{Output("a.ill.qic"), Output("c.ill.qic")}));
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{0, 1, 0}));
}

TEST_F(QuantumIntensityBatch, NoAtThePromptSkipsOnlyThatFile) {
    Add(Spectrum(1, Irradiance, {1}), "a.ill");
    Add(Spectrum(1, Irradiance, {2}), "b.ill");
    WriteBytes(Output("a.ill.qic"), {1, 2, 3});
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("No", &seen));
    CreateQuantumIntensityFiles();
    EXPECT_EQ(seen.Text, Output("a.ill.qic") + " already exists!\nYes to Overwrite   No to Skip ");
    EXPECT_TRUE(seen.YesToAllEnabled);
    EXPECT_EQ(ReadBytes(Output("a.ill.qic")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{Output("b.ill.qic")});
}

// Legacy data holds 512 values whatever its header counts: the output counts
// the values it holds and nothing is read past them.
TEST_F(QuantumIntensityBatch, LegacyDataIsWeightedOverTheValuesItHolds) {
    auto legacy = Spectrum(1, Irradiance, std::vector<double>(512, 3));
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = Swir0;
    legacy.ChannelCount = 600;
    Add(legacy, "legacy.ill");
    CreateQuantumIntensityFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    ASSERT_EQ(ReadSpectrumFile(Output("legacy.ill.qic")), 1);
    EXPECT_EQ(CurrentHeader.ChannelCount, 512);
    ASSERT_EQ(SpectrumData.size(), 512u);
    EXPECT_EQ(SpectrumData[511], Qi(3, 350 + 511));
}

}  // namespace
