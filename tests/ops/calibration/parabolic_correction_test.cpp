#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "frame/settings.h"
#include "ops/calibration/parabolic_correction.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/batch_test.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

// 2151 channels from 350 nm, splices 1000 and 1830, flat steps 1 / 2 / 4.
SpectrumFileBuilder Radiometric(uint8_t dataType = Radiance) {
    std::vector<double> values(2151, 4);
    std::fill(values.begin(), values.begin() + 651, 1);
    std::fill(values.begin() + 651, values.begin() + 1481, 2);
    auto file = MakeSpectrum(1, std::move(values));
    file.Header.DataType = dataType;
    file.Header.InstrumentType = VnirSwir4;
    file.Header.Splice1Wavelength = 1000;
    file.Header.Splice2Wavelength = 1830;
    return file;
}

std::string VnirPrompt(const std::string& path) {
    return path +
           "\r\n350 nm is the Starting Wavelength\r\n1000nm is the First Splice "
           "Wavelength\r\n\r\nEnter a Valid VNIR Vertex Location";
}

std::string Swir2Prompt(const std::string& path) {
    return path +
           "\r\n1000 nm is the First Splice Wavelength\r\n1830nm is the Second Splice "
           "Wavelength\r\n\r\nEnter a Valid SWIR2 Vertex Location";
}

double AsWritten(double value) {
    return static_cast<float>(value);
}

class ParabolicCorrectionBatch : public BatchTest {
protected:
    std::string Add(const SpectrumFileBuilder& file, const std::string& name) {
        const std::string path = fs::absolute(file.WriteTo(name)).string();
        host.WorkList.AddItem(path);
        return path;
    }
    std::vector<ScriptedUi::Prompt> Inputs() const {
        std::vector<ScriptedUi::Prompt> inputs;
        std::copy_if(ui.Prompts.begin(), ui.Prompts.end(), std::back_inserter(inputs),
                     [](const auto& p) { return p.kind == ScriptedUi::Kind::Input; });
        return inputs;
    }
};

TEST_F(ParabolicCorrectionBatch, BendsBothJoinsOntoSwir1AtTheEnteredVertices) {
    auto file = Radiometric();
    file.Header.ApplicationCode = AppAbsoluteReflectance;
    file.Header.ApplicationData.Second[3] = 9;
    const std::string path = Add(file, "sky.001");
    ui.Type("675").Type("1975").Answer(vbYes).Answer(vbYes);
    ParabolicCorrectFiles();

    const auto inputs = Inputs();
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[0].text, VnirPrompt(path));
    EXPECT_EQ(inputs[0].title, "VNIR Vertex");
    EXPECT_EQ(inputs[0].defaultText, "675");
    EXPECT_EQ(inputs[1].text, Swir2Prompt(path));
    EXPECT_EQ(inputs[1].title, "SWIR2 Vertex");
    EXPECT_EQ(inputs[1].defaultText, "1975");

    // VNIR: j = 1000 - 350 = 650, d = 1, m = mean(2, 2, 2) = 2,
    //   k = (m - d) / ((1000 - 675)^2 x d) = 1 / 105625.
    // SWIR2: j2 = 1480, mA = mean(4, 4, 4) = 4, mB = mean(2, 2, 2) = 2,
    //   k2 = (mB - mA) / ((1830 - 1975)^2 x mA) = -2 / 84100.
    const double k = 1.0 / 105625;
    const double k2 = -2.0 / 84100;
    const double at800 = 1 * (1 + k * 125 * 125);
    const double atSplice1 = 1 * (1 + k * 325 * 325);  // = m = 2
    const double at1831 = 4 * (1 + k2 * 144 * 144);

    // Readouts: (after - before) / (before x 100), at each splice.
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], path +
                               "\r\nVNIR Corrected: The value at the splice is 0.01\r\n\r\n"
                               "Continue to show splice points?");
    EXPECT_EQ(messages[1], path +
                               "\r\nSWIR2 Corrected: The value at the splice "
                               "is-0.00493127229488704\r\n\r\nContinue to show splice points?");
    EXPECT_DOUBLE_EQ((at1831 - 4) / 400, -0.00493127229488704);
    EXPECT_EQ(ui.Prompts[2].buttons, vbYesNo + vbInformation);
    EXPECT_EQ(messages[2], "1 Files Processed");

    ASSERT_EQ(ReadSpectrumFile(Output("sky.001.pco")), 1);
    ASSERT_EQ(SpectrumData.size(), 2151u);
    EXPECT_EQ(SpectrumData[324], 1);
    EXPECT_EQ(SpectrumData[325], 1);  // 675 nm, the VNIR vertex
    EXPECT_EQ(SpectrumData[450], AsWritten(at800));
    EXPECT_EQ(SpectrumData[650], AsWritten(atSplice1));  // 1000 nm
    EXPECT_EQ(SpectrumData[650], 2);
    EXPECT_EQ(SpectrumData[1480], 2);                  // 1830 nm, SWIR1 as it was
    EXPECT_EQ(SpectrumData[1481], AsWritten(at1831));  // 1831 nm
    EXPECT_EQ(SpectrumData[1625], 4);                  // 1975 nm, the SWIR2 vertex
    EXPECT_EQ(SpectrumData[1626], 4);
    EXPECT_EQ(CurrentHeader.DataType, Radiance);
    EXPECT_EQ(CurrentHeader.Flags[0] & FlagCorrected, FlagCorrected);
    EXPECT_EQ(CurrentHeader.ApplicationCode, AppNone);
    EXPECT_EQ(CurrentHeader.ApplicationData.Second[3], 0);

    // A second run refuses what the first wrote.
    host.WorkList.Clear();
    host.WorkList.AddItem(Output("sky.001.pco"));
    ParabolicCorrectFiles();
    EXPECT_EQ(ui.Messages()[3], Output("sky.001.pco") + " has already been corrected");
    EXPECT_EQ(ui.Messages()[4], "No Files Processed");
}

TEST_F(ParabolicCorrectionBatch, SameVerticesAreAskedOnceAndReadoutsCanBeTurnedOff) {
    Add(Radiometric(), "a.001");
    Add(Radiometric(Irradiance), "b.001");
    ui.Answer(vbYes).Type("700").Type("1900").Answer(vbNo);
    ParabolicCorrectFiles();
    EXPECT_EQ(ui.Prompts[0].text, "Will the  Vertex Points Be The Same For All Files?");
    EXPECT_EQ(ui.Prompts[0].buttons, vbYesNo + vbInformation);
    EXPECT_EQ(Inputs().size(), 2u);
    EXPECT_EQ(ui.Messages().back(), "2 Files Processed");
    ASSERT_EQ(ReadSpectrumFile(Output("b.001.pco")), 1);
    EXPECT_EQ(CurrentHeader.DataType, Irradiance);
    EXPECT_EQ(SpectrumData[350], 1);  // 700 nm, the vertex entered for a.001
}

TEST_F(ParabolicCorrectionBatch, WithDifferentVerticesEveryFileAsksUntilAVertexIsValid) {
    const std::string a = Add(Radiometric(), "a.001");
    const std::string b = Add(Radiometric(), "b.001");
    // The first wavelength itself, then no number, then a vertex inside.
    ui.Answer(vbNo).Type("350").Type("abc").Type("700").Type("1830").Type("1900");
    ui.Answer(vbNo);
    ui.Type("675").Type("2500").Type("2499.5");
    ParabolicCorrectFiles();
    const auto inputs = Inputs();
    ASSERT_EQ(inputs.size(), 8u);
    EXPECT_EQ(inputs[2].text, VnirPrompt(a));
    EXPECT_EQ(inputs[4].text, Swir2Prompt(a));
    EXPECT_EQ(inputs[5].text, VnirPrompt(b));
    EXPECT_EQ(ui.Messages().back(), "2 Files Processed");
    ASSERT_EQ(ReadSpectrumFile(Output("b.001.pco")), 1);
    EXPECT_EQ(SpectrumData[325], 1);
    EXPECT_GT(SpectrumData[326], 1);
}

TEST_F(ParabolicCorrectionBatch, AnEmptyVertexEndsTheRunAtOnce) {
    Add(Radiometric(), "a.001");
    host.VisibleList.AddItem("kept");
    ui.Type("675").CancelInput();
    ParabolicCorrectFiles();
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"kept"});
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_TRUE(fs::is_empty("out"));
}

TEST_F(ParabolicCorrectionBatch, AZeroAtAJoinAsksWhetherToSkip) {
    auto zero = Radiometric();
    zero.Values[650] = 0;
    Add(zero, "zero.001");
    Add(Radiometric(), "good.001");
    auto swir2Zero = Radiometric();
    swir2Zero.Values[1480] = 0;
    Add(swir2Zero, "late.001");
    ui.Answer(vbYes).Type("675").Type("1975");
    ui.Answer(vbOK);      // skip zero.001
    ui.Answer(vbNo);      // good.001: no more readouts
    ui.Answer(vbCancel);  // late.001: end the run
    ParabolicCorrectFiles();
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[1],
              "VNIR Spectrum at join is 0.0 \r\nSpectrum cannot be corrected\r\nSkip this file?");
    EXPECT_EQ(ui.Prompts[3].buttons, vbOKCancel + vbInformation);
    EXPECT_EQ(messages[3],
              "SWIR2 Spectrum at join is 0.0 \r\nSpectrum cannot be corrected\r\nSkip this file?");
    EXPECT_FALSE(fs::exists(Output("zero.001.pco")));
    EXPECT_TRUE(fs::exists(Output("good.001.pco")));
    EXPECT_FALSE(fs::exists(Output("late.001.pco")));
}

TEST_F(ParabolicCorrectionBatch, FilesItCannotBendAreLeftOut) {
    // Reflectance, and radiance of an instrument without the type-4 joins: in
    // silence.
    Add(Radiometric(Reflectance), "refl.001");
    auto seven = Radiometric();
    seven.Header.InstrumentType = VnirSwir7;
    Add(seven, "seven.001");
    // A second splice past the end: refused before any vertex is asked for.
    auto off = Radiometric();
    off.Header.Splice2Wavelength = 2600;
    const std::string offPath = Add(off, "off.001");
    ParabolicCorrectFiles();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{
                                 offPath + " can't be parabolic corrected: the second splice "
                                           "lies outside the spectrum.",
                                 "No Files Processed"}));
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_TRUE(Inputs().empty());
}

}  // namespace
