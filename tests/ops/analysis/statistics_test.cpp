#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <cmath>
#include <filesystem>
#include <limits>

#include "frame/settings.h"
#include "ops/analysis/kernels/statistics.h"
#include "ops/analysis/statistics.h"
#include "ops/analysis/statistics_dialog.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/overwrite_prompt.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string SingleFile = "Statistical operations can't be performed on a single file!";

SpectrumSet SetOf(const std::vector<std::vector<double>>& spectra) {
    SpectrumSet set;
    StartSpectrumSet(set, spectra.front().size());
    for (const auto& spectrum : spectra) {
        AddToSpectrumSet(set, spectrum);
    }
    return set;
}

std::vector<double> MedianOf(const SpectrumSet& set) {
    std::vector<double> median;
    EXPECT_TRUE(SpectrumSetMedian(set, median));
    return median;
}

TEST(StatisticsKernel, MeanMedianAndSampleDeviationPerChannel) {
    // Channel 0: 1, 2, 3, 4; channel 1 constant.
    const SpectrumSet four = SetOf({{1, 0.1}, {2, 0.1}, {3, 0.1}, {4, 0.1}});
    EXPECT_EQ(SpectrumSetMean(four)[0], 2.5);
    EXPECT_EQ(MedianOf(four), (std::vector<double>{2.5, 0.1}));
    const auto deviation = SpectrumSetStandardDeviation(four);
    EXPECT_NEAR(deviation[0], 1.2909944, 1e-7);
    EXPECT_EQ(deviation[1], 0);

    const SpectrumSet three = SetOf({{9}, {1}, {5}});
    EXPECT_EQ(SpectrumSetMean(three)[0], 5);
    EXPECT_EQ(MedianOf(three)[0], 5);
    EXPECT_EQ(SpectrumSetStandardDeviation(three)[0], 4);

    EXPECT_EQ(MedianOf(SetOf({{100}, {2}, {4}, {1}, {3}}))[0], 3);
    const SpectrumSet two = SetOf({{1}, {4}});
    EXPECT_EQ(MedianOf(two)[0], 2.5);
    EXPECT_DOUBLE_EQ(SpectrumSetStandardDeviation(two)[0], 3 / std::sqrt(2.0));
}

TEST(StatisticsKernel, AFailedSelectionIsReportedAndAWrongSizeIsRefused) {
    SpectrumSet set = SetOf({{1, 2}, {3, 4}, {5, 6}});
    std::vector<double> median;
    EXPECT_FALSE(SpectrumSetMedian(set, median, [](uint32_t, uint32_t, const double*) {
        return std::numeric_limits<double>::quiet_NaN();
    }));
    // A channel holding NaN has no median; that is no failure.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    SpectrumSet withNaN = SetOf({{nan}, {nan}, {nan}});
    EXPECT_TRUE(SpectrumSetMedian(withNaN, median));
    EXPECT_TRUE(std::isnan(median[0]));

    EXPECT_THROW(AddToSpectrumSet(set, std::vector<double>{1}), std::invalid_argument);
    EXPECT_EQ(set.Count(), 3);
    EXPECT_EQ(set.Values.size(), 6u);
    EXPECT_EQ(SpectrumSetMean(set), (std::vector<double>{3, 4}));
}

class Statistics : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        ResetSettingsState();
        fs::create_directories(TestFolder::Path() / "out");
        OutputDirectory = (TestFolder::Path() / "out").string();
    }
    void TearDown() override { UnloadStatsForm(); }

    static std::string Path(const std::string& name) {
        return (TestFolder::Path() / name).string();
    }
    void Add(const SpectrumFileBuilder& file, const std::string& name) {
        host.WorkList.AddItem(file.WriteTo(Path(name)));
    }
    // Files whose every channel holds one of values.
    void AddFlat(int version, const std::vector<double>& values, int channels = 3) {
        for (std::size_t f = 0; f < values.size(); ++f) {
            Add(MakeSpectrum(version, std::vector<double>(channels, values[f])),
                "s" + std::to_string(f) + ".001");
        }
    }
    std::string Out(const std::string& name) { return OutputDirectory + "/" + name; }
    std::vector<double> ReadBack(const std::string& path) {
        EXPECT_EQ(ReadSpectrumFile(path), 1);
        return SpectrumData;
    }
    std::vector<std::string> Dialogs() const {
        std::vector<std::string> titles;
        for (const auto& prompt : ui.Prompts) {
            if (prompt.kind == ScriptedUi::Kind::SaveFile) {
                titles.push_back(prompt.title + " | " + prompt.filter);
            }
        }
        return titles;
    }

    MemoryBatchHost host;
    ScriptedUi ui;
};

TEST_F(Statistics, AllThreeOutputsAfterEveryFileWasRead) {
    AddFlat(1, {1, 2, 3, 4});
    PlotFormat = 3;
    PlotDeriv = 1;
    ui.Choose({Out("a.mn")}).Choose({Out("a.md")}).Choose({Out("a.st")});
    CreateStatisticsFiles(7);

    EXPECT_EQ(Dialogs(), (std::vector<std::string>{
                             "Select Mean File | Mean Files (*.mn)|*.mn|All Files (*.*)|*.*",
                             "Select Median File | Median Files (*.md)|*.md|All Files (*.*)|*.*",
                             "Select Standard Deviation File | StdDev Files "
                             "(*.st)|*.st|All Files (*.*)|*.*"}));
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{"4 Input Files Processed\r\n3 Output Files Created"});
    EXPECT_EQ(ui.Prompts.back().buttons, vbOKOnly + vbInformation);
    EXPECT_EQ(host.VisibleList.Entries(),
              (std::vector<std::string>{Out("a.mn"), Out("a.md"), Out("a.st")}));
    EXPECT_EQ(ReadBack(Out("a.mn")), std::vector<double>(3, 2.5));
    EXPECT_EQ(ReadBack(Out("a.md")), std::vector<double>(3, 2.5));
    EXPECT_EQ(ReadBack(Out("a.st")), std::vector<double>(3, static_cast<float>(1.2909944487)));
    EXPECT_EQ(fs::file_size(Out("a.st")), 484u + 3 * 4);
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{1, 2, 3, 4, 0}));
    EXPECT_FALSE(ui.Waiting);
    EXPECT_EQ(PlotFormat, 3);
    EXPECT_EQ(PlotDeriv, 1);
}

TEST_F(Statistics, OutputsCarryTheFirstFilesHeaderAsVersionOne) {
    for (int f = 0; f < 2; ++f) {
        auto file = MakeSpectrum(2, {1, 2}, {4, 4});
        file.Header.DataType = Raw;
        file.Header.ValueFormat = ValueDouble;
        file.Header.FormatVersion = 5;
        file.Header.InstrumentType = Vnir1;
        file.Header.IntegrationTime = 17 + f;
        Add(file, "r" + std::to_string(f) + ".001");
    }
    ui.Choose({Out("b.mn")});
    CreateStatisticsFiles(1);
    const auto bytes = ReadBytes(Out("b.mn"));
    ASSERT_EQ(bytes.size(), 484u + 2 * 4);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "ZEL");
    EXPECT_EQ(OutputHeader.InstrumentType, Vnir3);
    EXPECT_EQ(OutputHeader.ValueFormat, ValueDouble);
    EXPECT_EQ(OutputHeader.FormatVersion, 5);
    EXPECT_EQ(OutputHeader.IntegrationTime, 17);
    EXPECT_EQ(ReadBack(Out("b.mn")), (std::vector<double>{1, 2}));
    EXPECT_EQ(CurrentHeader.DataType, Raw);
}

TEST_F(Statistics, ConversionByDataTypeFromVersionTwoOn) {
    // Version 1 as stored; version 2 reflectance and radiance kinds as
    // spectrum / reference; log kinds as log 1/R of that.
    auto v1 = MakeSpectrum(1, {1, 2});
    v1.Header.DataType = Radiance;
    Add(v1, "a.001");
    auto v2 = MakeSpectrum(2, {4, 8}, {2, 2});
    v2.Header.DataType = Radiance;
    Add(v2, "b.001");
    ui.Choose({Out("c.mn")});
    CreateStatisticsFiles(1);
    EXPECT_EQ(ReadBack(Out("c.mn")), (std::vector<double>{1.5, 3}));

    host.WorkList.Clear();
    for (const char* name : {"d.001", "e.001"}) {
        auto log = MakeSpectrum(2, {10, 1}, {100, 100});
        log.Header.DataType = Irradiance;
        Add(log, name);
    }
    ui.Choose({Out("d.mn")});
    CreateStatisticsFiles(1);
    const auto values = ReadBack(Out("d.mn"));
    EXPECT_FLOAT_EQ(static_cast<float>(values[0]), 1.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(values[1]), 2.0f);
}

TEST_F(Statistics, ADataTypeWithoutConversionIsLeftOutEvenAsTheFirstFile) {
    auto absorbance = MakeSpectrum(2, {50, 50});
    absorbance.Header.DataType = Absorbance;
    Add(absorbance, "x.001");
    auto reflectance = MakeSpectrum(2, {10, 20}, {10, 10});
    reflectance.Header.DataType = Reflectance;
    Add(reflectance, "y.001");
    Add(absorbance, "z.001");
    auto second = MakeSpectrum(2, {30, 40}, {10, 10});
    second.Header.DataType = Reflectance;
    Add(second, "w.001");
    ui.Choose({Out("e.mn")});
    CreateStatisticsFiles(1);

    const std::string leftOut = " has a data type that statistics cannot use and is left out.";
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{Path("x.001") + leftOut, Path("z.001") + leftOut,
                                        "2 Input Files Processed\r\n1 Output Files Created"}));
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(ui.Prompts[0].title, "Lumivex");
    EXPECT_EQ(ReadBack(Out("e.mn")), (std::vector<double>{2, 3}));
    EXPECT_EQ(OutputHeader.DataType, Reflectance);
}

TEST_F(Statistics, ValuesThatCannotBeFormedOrWrittenStopShort) {
    // A reflectance too large to hold leaves its file out, after the
    // reflectance's own message, rather than taking another file's values.
    auto huge = MakeSpectrum(2, {1e300, 2}, {1e-300, 1});
    huge.Header.DataType = Reflectance;
    auto usable = MakeSpectrum(2, {4, 2}, {2, 1});
    usable.Header.DataType = Reflectance;
    Add(usable, "ok1.001");
    Add(huge, "a.001");
    Add(usable, "ok2.001");
    ui.Choose({Out("h.mn")});
    CreateStatisticsFiles(1);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].rfind(Path("a.001") + " has an unusable reference", 0), 0u);
    EXPECT_EQ(ui.Messages()[1], "2 Input Files Processed\r\n1 Output Files Created");

    // A mean beyond the range of a Single is not written as infinity.
    host.WorkList.Clear();
    for (const char* name : {"big1.001", "big2.001"}) {
        Add(MakeSpectrum(2, {1e300, 1}), name);
    }
    ui.Choose({Out("big.mn")});
    CreateStatisticsFiles(1);
    EXPECT_EQ(ui.Messages().back(),
              "The mean of channel 0 is too large to be written to " + Out("big.mn") + ".");
    EXPECT_FALSE(fs::exists(Out("big.mn")));
    EXPECT_FALSE(ui.Waiting);
}

TEST_F(Statistics, SkipsCanLeaveOneFileAfterTheDialogsWereAnswered) {
    Add(MakeSpectrum(1, {1, 1}), "a.001");
    host.WorkList.AddItem(Path("missing.001"));
    auto other = MakeSpectrum(1, {1, 1});
    other.Header.DataType = Reflectance;
    Add(other, "b.001");
    ui.Choose({Out("f.md")}).Answer(vbOK);
    CreateStatisticsFiles(2);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0],
              "Date-Type Mismatch\r\nThe files you have selected for processing are of different "
              "types\r\n\r\n Click OK to Skip, Cancel to Abort");
    EXPECT_EQ(ui.Prompts[1].buttons, vbOKCancel + vbExclamation);
    EXPECT_EQ(ui.Messages()[1], SingleFile);
    EXPECT_TRUE(fs::is_empty(OutputDirectory));
    EXPECT_EQ(host.ProgressValue, 3);
}

TEST_F(Statistics, CancelAtAMismatchEndsWithNothingWritten) {
    Add(MakeSpectrum(1, {1, 1, 1}), "a.001");
    Add(MakeSpectrum(1, {1, 1, 1}), "b.001");
    Add(MakeSpectrum(1, {1, 1}), "c.001");
    host.MousePointer = vbHourglass;
    ui.Choose({Out("g.st")}).Answer(vbCancel);
    CreateStatisticsFiles(4);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{
                                 "Channel Number Mismatch\r\n" + Path("c.001") +
                                 " contains 2 channels\r\nThe starting file had 3 channels\r\n\r\n "
                                 "Click OK to Skip, Cancel to Abort"});
    EXPECT_EQ(host.MousePointer, vbDefault);
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_TRUE(fs::is_empty(OutputDirectory));
}

TEST_F(Statistics, OverwritePromptsYesToAllAndNo) {
    AddFlat(1, {1, 2});
    WriteBytes(Out("old.md"), std::vector<uint8_t>(2000, 1));
    OverwritePromptSeen seen;
    ui.Choose({Out("old.md")}).Drive(AnswerOverwrite("Yes", &seen));
    CreateStatisticsFiles(2);
    EXPECT_EQ(seen.Text, Out("old.md") + " already exists!\nOverwrite?");
    EXPECT_FALSE(seen.YesToAllEnabled);
    // The replaced file holds only the new header and values.
    EXPECT_EQ(fs::file_size(Out("old.md")), 484u + 3 * 4);

    // "Yes to All" at the first prompt silences the second.
    ui.Choose({Out("old.md")}).Drive(AnswerOverwrite("Yes All", &seen)).Choose({Out("old.md")});
    CreateStatisticsFiles(3);
    EXPECT_TRUE(seen.YesToAllEnabled);
    EXPECT_EQ(ui.Messages().back(), "2 Input Files Processed\r\n2 Output Files Created");

    const auto before = ReadBytes(Out("old.md"));
    ui.Choose({Out("new.mn")}).Choose({Out("old.md")}).Drive(AnswerOverwrite("No"));
    CreateStatisticsFiles(3);
    EXPECT_EQ(ReadBytes(Out("old.md")), before);
    EXPECT_FALSE(fs::exists(Out("new.mn")));
    EXPECT_EQ(host.ProgressValue, 0);

    ui.CancelFileDialog();
    const std::size_t messages = ui.Messages().size();
    CreateStatisticsFiles(1);
    EXPECT_EQ(ui.Messages().size(), messages);
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(Statistics, AFailedRadiometricConversionEndsTheRun) {
    for (const char* name : {"q1.001", "q2.001"}) {
        auto file = MakeSpectrum(2, {1, 2});
        file.Header.DataType = QuantumIntensity;
        file.Header.InstrumentNumber = 4242;
        Add(file, name);
    }
    CreateStatisticsFiles(1);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(
        ui.Messages()[0].rfind("Can't find the Calibration Lamp File for " + Path("q1.001"), 0), 0u)
        << ui.Messages()[0];
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_TRUE(fs::is_empty(OutputDirectory));
}

TEST_F(Statistics, LegacyIntegerInputGivesAReadableOutput) {
    for (const char* name : {"l1.001", "l2.001"}) {
        auto legacy = MakeSpectrum(1, std::vector<double>(512, 6));
        legacy.Header.ValueFormat = ValueInteger;
        legacy.Header.InstrumentType = Swir0;
        legacy.ChannelCount = 600;
        Add(legacy, name);
    }
    ui.Choose({Out("l.mn")});
    CreateStatisticsFiles(1);
    EXPECT_EQ(OutputHeader.ChannelCount, 512);
    EXPECT_EQ(ReadBack(Out("l.mn")), std::vector<double>(512, 6));
}

// The launcher's side of the dialog.
TEST_F(Statistics, DialogGivesTheSelectionOrNothing) {
    host.WorkList.AddItem("one.001");
    EXPECT_FALSE(CheckStatisticsFileCount());
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{SingleFile});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    host.WorkList.AddItem("two.001");
    EXPECT_TRUE(CheckStatisticsFileCount());

    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmStats&>(dialog);
        EXPECT_EQ(form.windowTitle(), "Statistics");
        form.Check1[0]->setChecked(true);
        form.Command2->click();
        return form.result();
    });
    EXPECT_FALSE(ChooseStatistics());
    EXPECT_EQ(ui.DoEventsCount, 0);
    UnloadStatsForm();

    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmStats&>(dialog);
        for (QCheckBox* box : form.Check1) {
            EXPECT_FALSE(box->isChecked());
        }
        form.Check1[0]->setChecked(true);
        form.Check1[2]->setChecked(true);
        form.Command1->click();
        return form.result();
    });
    EXPECT_EQ(ChooseStatistics(), std::optional<int16_t>(5));
    EXPECT_EQ(ui.DoEventsCount, 1);

    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmStats&>(dialog);
        form.Check1[0]->setChecked(false);
        form.Check1[2]->setChecked(false);
        form.Command1->click();
        return form.result();
    });
    EXPECT_EQ(ChooseStatistics(), std::optional<int16_t>(0));
}

}  // namespace
