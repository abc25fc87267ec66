#include "ops/analysis/derivative_batch.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <filesystem>

#include "frame/settings.h"
#include "ops/analysis/derivative_gap.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/overwrite_prompt.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

std::vector<double> Squares(int count) {
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(static_cast<double>(i) * i);
    }
    return values;
}

SpectrumFileBuilder VersionOne(uint8_t type, std::vector<double> values) {
    auto file = MakeSpectrum(1, std::move(values));
    file.Header.DataType = type;
    return file;
}

class DerivativeBatch : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        ResetSettingsState();
        SettingsFolder = TestFolder::Path().string() + "/";
        LoadSettings();
        SaveSettings();
        fs::create_directories("out");
        OutputDirectory = (TestFolder::Path() / "out").string();
    }
    void Add(const SpectrumFileBuilder& file, const std::string& name) {
        host.WorkList.AddItem(fs::absolute(file.WriteTo(name)).string());
    }
    std::string Output(const std::string& name) { return OutputDirectory + "/" + name; }
    // Answers the gap dialog with OK on gap.
    void PickGap(int gap) {
        ui.Drive([gap](QDialog& dialog) {
            auto& form = dynamic_cast<frmDerivative&>(dialog);
            form.Combo1->setCurrentIndex(form.Combo1->findText(QString::number(gap)));
            form.Command1[0]->click();
            return form.result();
        });
    }
    // The values of a written file, read back as the program reads it.
    std::vector<double> Values(const std::string& name) {
        EXPECT_EQ(ReadSpectrumFile(Output(name)), 1) << name;
        return SpectrumData;
    }

    MemoryBatchHost host;
    ScriptedUi ui;
};

TEST_F(DerivativeBatch, VersionOneReflectanceIsDifferentiatedAsStored) {
    Add(VersionOne(Reflectance, Squares(10)), "sq.001");
    PickGap(5);
    CreateFirstDerivativeFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed."});
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{Output("sq.001.dv1")});
    // The display is left alone on this path.
    EXPECT_EQ(DisplayData, Squares(10));
    EXPECT_EQ(Values("sq.001.dv1"), (std::vector<double>{0, 0, 4, 6, 8, 10, 12, 14, 0, 0}));
    EXPECT_EQ(CurrentHeader.DataType, Reflectance);
    EXPECT_EQ(fs::file_size(Output("sq.001.dv1")), 484u + 10 * 4);

    PickGap(5);
    CreateSecondDerivativeFiles();
    EXPECT_EQ(Values("sq.001.dv2"), (std::vector<double>{0, 0, 2, 2.5, 2, 2, -2, -2.5, 0, 0}));
    EXPECT_EQ(DerivativeGap, 5);
}

TEST_F(DerivativeBatch, LaterVersionsUseTheirReferenceAndKeepTheirType) {
    std::vector<double> doubled = Squares(9);
    for (double& v : doubled) {
        v *= 2;
    }
    auto reflectance = MakeCompleteSpectrum(7, doubled);
    reflectance.ReferenceValues.assign(9, 2.0);
    reflectance.Header.DataType = Transmittance;
    reflectance.Header.ApplicationCode = AppAbsoluteReflectance;
    reflectance.Header.ApplicationData.Second[5] = 1;
    Add(reflectance, "t.001");
    // Stored as absorbance: the derivative of log 1/R of spectrum / reference.
    auto absorbance = MakeSpectrum(2, {10, 1, 100, 1000, 10}, {100, 100, 100, 100, 100});
    absorbance.Header.DataType = Absorbance;
    Add(absorbance, "a.001");
    PickGap(3);
    CreateFirstDerivativeFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed."});

    EXPECT_EQ(Values("t.001.dv1"), (std::vector<double>{0, 2, 4, 6, 8, 10, 12, 14, 0}));
    EXPECT_EQ(CurrentHeader.DataType, Transmittance);
    EXPECT_EQ(CurrentHeader.ValueFormat, ValueSingle);
    EXPECT_EQ(CurrentHeader.ApplicationCode, AppNone);
    EXPECT_EQ(CurrentHeader.ApplicationData.Second[5], 0);
    // A version-1 file: no reference, no calibration section.
    EXPECT_EQ(fs::file_size(Output("t.001.dv1")), 484u + 9 * 4);

    // log 1/R = 1, 2, 0, -1, 1.
    const auto logs = Values("a.001.dv1");
    ASSERT_EQ(logs.size(), 5u);
    EXPECT_EQ(logs[0], 0);
    EXPECT_FLOAT_EQ(logs[1], -0.5);
    EXPECT_FLOAT_EQ(logs[2], -1.5);
    EXPECT_FLOAT_EQ(logs[3], 0.5);
    EXPECT_EQ(logs[4], 0);
    EXPECT_EQ(CurrentHeader.DataType, Absorbance);
}

TEST_F(DerivativeBatch, FilesOfOtherTypesOrWithoutReferenceAreSkippedSilently) {
    Add(VersionOne(Raw, Squares(10)), "raw.001");
    Add(VersionOne(Radiance, Squares(10)), "rad.001");
    auto flagless = MakeSpectrum(2, Squares(10));
    flagless.Header.DataType = Reflectance;
    flagless.Reference.ReferenceFlag = 0;
    Add(flagless, "flagless.001");
    // Raw data with a reference has a reflectance, but keeps its stored type.
    Add(MakeSpectrum(6, Squares(10)), "rawref.001");
    host.VisibleList.AddItem("kept");
    PlotFormat = 2;
    PlotDeriv = 1;
    PickGap(7);
    CreateFirstDerivativeFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_TRUE(fs::is_empty("out"));
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"kept"});
    EXPECT_EQ(PlotFormat, 2);

    // The second-derivative batch clears the display mode before it starts.
    PickGap(7);
    CreateSecondDerivativeFiles();
    EXPECT_EQ(PlotFormat, 0);
    EXPECT_EQ(PlotDeriv, 0);
    EXPECT_TRUE(fs::is_empty("out"));
}

TEST_F(DerivativeBatch, AFileWhoseReflectanceFailsIsNotWrittenWithTheLastFilesValues) {
    auto good = MakeSpectrum(2, Squares(10));
    good.Header.DataType = Reflectance;
    Add(good, "good.001");
    auto shortReference = MakeSpectrum(2, Squares(10), {100, 100, 100});
    shortReference.Header.DataType = Reflectance;
    Add(shortReference, "short.001");
    PickGap(5);
    CreateSecondDerivativeFiles();
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_NE(ui.Messages()[0].find("short.001"), std::string::npos);
    EXPECT_EQ(ui.Messages()[1], "1 Files Processed.");
    EXPECT_TRUE(fs::exists(Output("good.001.dv2")));
    EXPECT_FALSE(fs::exists(Output("short.001.dv2")));
}

TEST_F(DerivativeBatch, LegacyDataGetsAHeaderThatMatchesItsValues) {
    auto legacy = MakeSpectrum(2, std::vector<double>(512, 10), std::vector<double>(600, 20));
    legacy.Header.DataType = Reflectance;
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = Vnir1;
    legacy.ChannelCount = 600;
    Add(legacy, "legacy.001");
    PickGap(3);
    CreateFirstDerivativeFiles();
    EXPECT_EQ(Values("legacy.001.dv1"), std::vector<double>(512, 0.0));
    EXPECT_EQ(CurrentHeader.ChannelCount, 512);
}

TEST_F(DerivativeBatch, NoAtTheOverwritePromptEndsTheRun) {
    Add(VersionOne(Reflectance, Squares(10)), "a.001");
    Add(VersionOne(Reflectance, Squares(10)), "b.001");
    Add(VersionOne(Reflectance, Squares(10)), "c.001");
    fs::copy_file("b.001", Output("b.001.dv1"));
    host.VisibleList.AddItem("kept");
    PickGap(5);
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("No", &seen));
    CreateFirstDerivativeFiles();
    EXPECT_EQ(seen.Text, Output("b.001.dv1") + " already exists!\nOverwrite?");
    EXPECT_TRUE(seen.YesToAllEnabled);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_TRUE(fs::exists(Output("a.001.dv1")));
    EXPECT_FALSE(fs::exists(Output("c.001.dv1")));
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"kept"});
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(DerivativeBatch, CloseInTheGapDialogRunsWithGapFive) {
    Add(VersionOne(Absorbance, Squares(10)), "x.001");
    DerivativeGap = 9;
    ui.Drive([](QDialog& dialog) {
        dynamic_cast<frmDerivative&>(dialog).Command1[1]->click();
        return dialog.result();
    });
    CreateFirstDerivativeFiles();
    EXPECT_EQ(DerivativeGap, 5);
    EXPECT_EQ(Values("x.001.dv1"), (std::vector<double>{0, 0, 4, 6, 8, 10, 12, 14, 0, 0}));
}

}  // namespace
