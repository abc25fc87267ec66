#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "frame/settings.h"
#include "ops/calibration/splice_correction.h"
#include "ops/calibration/splice_gap_dialog.h"
#include "ops/calibration/state.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/overwrite_prompt.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

// 2151 channels from 350 nm with a flat step at each join: 0..650 (to
// 1000 nm), 651..1480 (to 1830 nm), 1481..2150.
std::vector<double> Steps(double vnir, double swir1, double swir2) {
    std::vector<double> values(2151, swir2);
    std::fill(values.begin(), values.begin() + 651, vnir);
    std::fill(values.begin() + 651, values.begin() + 1481, swir1);
    return values;
}

SpectrumFileBuilder SpliceFile(int version, std::vector<double> values,
                               uint8_t dataType = Reflectance) {
    auto file = MakeSpectrum(version, std::move(values));
    file.Header.DataType = dataType;
    file.Header.InstrumentType = VnirSwir4;
    file.Header.Splice1Wavelength = 1000;
    file.Header.Splice2Wavelength = 1830;
    return file;
}

class SpliceCorrectionBatch : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        ResetSettingsState();
        SpliceGap = 5;
        fs::create_directories("out");
        OutputDirectory = (TestFolder::Path() / "out").string();
    }
    std::string Add(const SpectrumFileBuilder& file, const std::string& name) {
        const std::string path = fs::absolute(file.WriteTo(name)).string();
        host.WorkList.AddItem(path);
        return path;
    }
    std::string Output(const std::string& name) { return OutputDirectory + "/" + name; }

    MemoryBatchHost host;
    ScriptedUi ui;
};

TEST_F(SpliceCorrectionBatch, BothSegmentsMeetTheSwir1LevelAndTheFileIsMarked) {
    auto file = SpliceFile(1, Steps(0.5, 0.6, 0.4));
    file.Header.Flags[0] = FlagAvgFix;
    file.Header.ApplicationCode = AppAbsoluteReflectance;
    file.Header.ApplicationData.Second[3] = 9;
    Add(file, "leaf.001");
    PlotFormat = 3;
    SpliceCorrectFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{Output("leaf.001.sco")});
    EXPECT_EQ(PlotFormat, 0);
    EXPECT_EQ(fs::file_size(Output("leaf.001.sco")), 484u + 2151 * 4);

    ASSERT_EQ(ReadSpectrumFile(Output("leaf.001.sco")), 1);
    EXPECT_EQ(SpectrumData, std::vector<double>(2151, static_cast<double>(0.6f)));
    EXPECT_EQ(CurrentHeader.Flags[0], FlagAvgFix | FlagCorrected);
    EXPECT_EQ(CurrentHeader.DataType, Reflectance);
    // The application is not cleared: it may name an absolute reference.
    EXPECT_EQ(CurrentHeader.ApplicationCode, AppAbsoluteReflectance);
    EXPECT_EQ(CurrentHeader.ApplicationData.Second[3], 9);

    // The output list is the next run's input: every file is refused.
    host.WorkList.Clear();
    host.WorkList.AddItem(Output("leaf.001.sco"));
    SpliceCorrectFiles();
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{"1 Files Processed",
                                        Output("leaf.001.sco") + " has already been corrected",
                                        "No Files Processed"}));
    EXPECT_EQ(ui.Prompts[1].buttons, vbOKOnly + vbInformation);
    EXPECT_EQ(ui.Prompts[1].title, "Lumivex");
}

TEST_F(SpliceCorrectionBatch, LaterVersionsAreCorrectedAsTheirReflectance) {
    // Stored raw with a white reference of 100: reflectance, then corrected.
    Add(SpliceFile(2, Steps(50, 60, 40), Raw), "raw.001");
    // An absolute reflectance keeps its stored type and its application.
    auto absolute = MakeCompleteSpectrum(7, Steps(50, 60, 40));
    absolute.Header = SpliceFile(7, {}).Header;
    absolute.Header.ApplicationCode = AppAbsoluteReflectance;
    Add(absolute, "abs.001");
    // Passed over in silence: a version-1 raw file, a version-2 file without
    // a usable reference.
    Add(SpliceFile(1, Steps(50, 60, 40), Raw), "v1raw.001");
    auto flagless = SpliceFile(2, Steps(50, 60, 40));
    flagless.Reference.ReferenceFlag = 0;
    Add(flagless, "flagless.001");
    SpliceCorrectFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed"});

    ASSERT_EQ(ReadSpectrumFile(Output("raw.001.sco")), 1);
    EXPECT_EQ(CurrentHeader.DataType, Reflectance);
    EXPECT_FLOAT_EQ(SpectrumData[0], 0.6f);
    EXPECT_FLOAT_EQ(SpectrumData[2150], 0.6f);
    ASSERT_EQ(ReadSpectrumFile(Output("abs.001.sco")), 1);
    EXPECT_EQ(CurrentHeader.ApplicationCode, AppAbsoluteReflectance);
    EXPECT_FLOAT_EQ(SpectrumData[100], 0.6f);
    EXPECT_FALSE(fs::exists(Output("v1raw.001.sco")));
}

TEST_F(SpliceCorrectionBatch, OtherInstrumentsAreAskedAboutAndCancelEndsTheRun) {
    auto other = SpliceFile(1, Steps(0.5, 0.6, 0.4));
    other.Header.InstrumentType = Vnir1;
    const std::string first = Add(other, "other.001");
    Add(SpliceFile(1, Steps(0.5, 0.6, 0.4)), "good.001");
    host.VisibleList.AddItem("kept");
    ui.Answer(vbOK);
    SpliceCorrectFiles();
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Prompts[0].text, first +
                                      " is not a Hollin FR file\r\nOnly Hollin FR Files can be "
                                      "corrected. \r\nSkip this File? ");
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKCancel + vbInformation);
    EXPECT_EQ(ui.Messages()[1], "1 Files Processed");

    // Cancel: no closing message, the visible list stays, the bar is at 0.
    fs::remove(Output("good.001.sco"));
    host.VisibleList.Clear();
    host.VisibleList.AddItem("kept");
    ui.Answer(vbCancel);
    SpliceCorrectFiles();
    EXPECT_EQ(ui.Messages().size(), 3u);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"kept"});
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_FALSE(fs::exists(Output("good.001.sco")));
}

TEST_F(SpliceCorrectionBatch, AFileThatCannotBeScaledIsReportedAndTheRunGoesOn) {
    auto dark = Steps(0.5, 0.6, 0.4);
    std::fill(dark.begin() + 646, dark.begin() + 651, 0.0);
    const std::string darkPath = Add(SpliceFile(1, dark), "dark.001");
    // A first splice above the last channel: nothing below it either.
    auto off = SpliceFile(1, Steps(0.5, 0.6, 0.4));
    off.Header.Splice1Wavelength = 2600;
    const std::string offPath = Add(off, "off.001");
    auto far = SpliceFile(1, Steps(0.5, 0.6, 0.4));
    far.Header.Splice1Wavelength = 40000;
    const std::string farPath = Add(far, "far.001");
    Add(SpliceFile(1, Steps(0.5, 0.6, 0.4)), "good.001");
    SpliceCorrectFiles();
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{
                  darkPath + " can't be splice corrected: no signal before the first splice.",
                  offPath + " can't be splice corrected: no signal before the first splice.",
                  farPath + " can't be splice corrected: the first splice lies outside the "
                            "spectrum.",
                  "1 Files Processed"}));
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(ui.Prompts[0].title, "Lumivex");
    EXPECT_FALSE(fs::exists(Output("dark.001.sco")));
    EXPECT_TRUE(fs::exists(Output("good.001.sco")));
}

// A reflectance of 350 nm up to lastNm at 1 nm: 0.5 through 1000 nm, 0.6 from
// 1001 nm, with the splices of the uncut instrument.
SpectrumFileBuilder CutSpliceFile(int lastNm) {
    std::vector<double> values(static_cast<std::size_t>(lastNm - 350 + 1), 0.6);
    std::fill_n(values.begin(), std::min<std::size_t>(651, values.size()), 0.5);
    return SpliceFile(1, values);
}

TEST_F(SpliceCorrectionBatch, CutSpectraAreCorrectedAsFarAsTheirJoinsReach) {
    // Both joins inside, nothing above the second: the first join is scaled.
    Add(CutSpliceFile(1500), "to1500.001");
    SpliceCorrectFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    ASSERT_EQ(ReadSpectrumFile(Output("to1500.001.sco")), 1);
    EXPECT_EQ(SpectrumData, std::vector<double>(1151, static_cast<double>(0.6f)));
    EXPECT_EQ(CurrentHeader.Flags[0] & FlagCorrected, FlagCorrected);

    // Cut at the second splice: its upper window lies wholly outside.
    host.WorkList.Clear();
    Add(CutSpliceFile(1830), "to1830.001");
    // Both splices outside: B1 = 0.4 from four channels, A1 = 0.
    Add(CutSpliceFile(999), "to999.001");
    SpliceCorrectFiles();
    EXPECT_EQ(ui.Messages().back(), "2 Files Processed");
    EXPECT_EQ(host.VisibleList.Entries(),
              (std::vector<std::string>{Output("to1830.001.sco"), Output("to999.001.sco")}));
    ASSERT_EQ(ReadSpectrumFile(Output("to1830.001.sco")), 1);
    EXPECT_EQ(SpectrumData, std::vector<double>(1481, static_cast<double>(0.6f)));
    EXPECT_EQ(CurrentHeader.Flags[0] & FlagCorrected, FlagCorrected);
    ASSERT_EQ(ReadSpectrumFile(Output("to999.001.sco")), 1);
    EXPECT_EQ(SpectrumData, std::vector<double>(650, static_cast<double>(0.5f)));
    EXPECT_EQ(CurrentHeader.Flags[0] & FlagCorrected, FlagCorrected);
}

TEST_F(SpliceCorrectionBatch, NoAtThePromptSkipsOnlyThatFile) {
    Add(SpliceFile(1, Steps(0.5, 0.6, 0.4)), "a.001");
    Add(SpliceFile(1, Steps(0.5, 0.6, 0.4)), "b.001");
    Add(SpliceFile(1, Steps(0.5, 0.6, 0.4)), "c.001");
    WriteBytes(Output("b.001.sco"), {1, 2, 3});
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("No", &seen));
    SpliceCorrectFiles();
    EXPECT_EQ(seen.Text, Output("b.001.sco") + " already exists!\nOverwrite?");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 Files Processed"});
    EXPECT_EQ(ReadBytes(Output("b.001.sco")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(host.VisibleList.Entries(),
              (std::vector<std::string>{Output("a.001.sco"), Output("c.001.sco")}));
}

TEST_F(SpliceCorrectionBatch, TheGapChangesTheWindows) {
    // Only the channel right before the join differs: a gap of 1 sees it alone.
    auto values = Steps(0.5, 0.6, 0.6);
    values[650] = 0.3;
    Add(SpliceFile(1, values), "edge.001");
    SpliceGap = 1;
    SpliceCorrectFiles();
    ASSERT_EQ(ReadSpectrumFile(Output("edge.001.sco")), 1);
    EXPECT_FLOAT_EQ(SpectrumData[650], 0.6f);
    EXPECT_FLOAT_EQ(SpectrumData[0], 1.0f);
}

class SpliceGapDialog : public testing::Test {
protected:
    void SetUp() override { SpliceGap = 5; }
    // Shows the dialog as the launcher does and lets act click in it.
    void Show(std::function<void(frmSpliceCorrectGap&)> act) {
        ui.Drive([act](QDialog& dialog) {
            act(dynamic_cast<frmSpliceCorrectGap&>(dialog));
            return dialog.result();
        });
        ShowSpliceCorrectGap();
    }
    ScriptedUi ui;
};

TEST_F(SpliceGapDialog, OpensOnTheCurrentGapAndOkTakesThePick) {
    SpliceGap = 7;
    Show([](frmSpliceCorrectGap& form) {
        EXPECT_EQ(form.windowTitle(), "Splice Correct Gap");
        ASSERT_EQ(form.cboGap->count(), 30);
        EXPECT_EQ(form.cboGap->itemText(0), "1");
        EXPECT_EQ(form.cboGap->itemText(29), "30");
        EXPECT_EQ(form.cboGap->currentText(), "7");
        EXPECT_EQ(form.cmdOK->text(), "&OK");
        EXPECT_EQ(form.cmdClose->text(), "&Close");
        form.cboGap->setCurrentIndex(11);
        form.cmdOK->click();
    });
    EXPECT_EQ(SpliceGap, 12);
}

TEST_F(SpliceGapDialog, CloseKeepsTheGapAndOkWithoutAPickGivesFive) {
    SpliceGap = 9;
    Show([](frmSpliceCorrectGap& form) {
        form.cboGap->setCurrentIndex(0);
        form.cmdClose->click();
    });
    EXPECT_EQ(SpliceGap, 9);

    SpliceGap = 0;
    Show([](frmSpliceCorrectGap& form) {
        EXPECT_EQ(form.cboGap->currentIndex(), -1);
        form.cmdOK->click();
    });
    EXPECT_EQ(SpliceGap, 5);
}

}  // namespace
