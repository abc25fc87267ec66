#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "frame/settings.h"
#include "ops/analysis/interpolation_batch.h"
#include "ops/analysis/interpolation_dialog.h"
#include "ops/analysis/kernels/interpolation.h"
#include "ops/analysis/truncation_dialog.h"
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

std::vector<double> Ramp(int count, double slope = 1, double offset = 0) {
    std::vector<double> values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        values[static_cast<std::size_t>(i)] = offset + slope * i;
    }
    return values;
}

TEST(InterpolationGrid, StartClampsUseTheLastWavelengthOfTheStep) {
    EXPECT_EQ(GridStart(340, 350, 1, 100), 350);
    EXPECT_EQ(GridStart(449, 350, 1, 100), 350);  // at the last wavelength
    EXPECT_EQ(GridStart(448.5, 350, 1, 100), 448.5);
    EXPECT_EQ(GridStart(1e300, 350, 1, 100), 350);
    // 10 channels 2 nm apart end at 368, not at 359.
    EXPECT_EQ(GridStart(360, 350, 2, 10), 360);
    EXPECT_EQ(MakeGrid(1, 0.5, 3), (std::vector<double>{1, 1.5, 2}));
}

TEST(InterpolationGrid, FilesThatCannotFillTheGridAreRecognised) {
    const auto wavelengths = ChannelWavelengths(350, 1, 10);
    EXPECT_EQ(CheckGrid(wavelengths, MakeGrid(350, 1, 10)), GridProblem::None);
    EXPECT_EQ(CheckGrid(wavelengths, MakeGrid(350, 1, 11)), GridProblem::PastLastChannel);
    EXPECT_EQ(CheckGrid(ChannelWavelengths(350, 1, 3), MakeGrid(350, 1, 2)),
              GridProblem::FewChannels);
    EXPECT_EQ(CheckGrid(ChannelWavelengths(350, 0, 10), MakeGrid(350, 1, 4)),
              GridProblem::NotRising);
    // Repeated addition of 0.1 must not cost the file its last channel.
    EXPECT_EQ(CheckGrid(wavelengths, MakeGrid(350, 0.1, 91)), GridProblem::None);
}

TEST(InterpolationGrid, ValuesAreCubicInterpolationsAtTheNewWavelengths) {
    const auto wavelengths = ChannelWavelengths(1, 1, 5);
    std::vector<double> cubes;
    for (double x : wavelengths) {
        cubes.push_back(x * x * x);
    }
    std::vector<double> out;
    ASSERT_TRUE(InterpolateOntoGrid(wavelengths, cubes, {2.5, 3, 5}, out));
    EXPECT_DOUBLE_EQ(out[0], 15.625);
    EXPECT_DOUBLE_EQ(out[1], 27);
    EXPECT_DOUBLE_EQ(out[2], 125);
    auto refuse = [](double&, const double*, const double*, int32_t, double) { return 0; };
    EXPECT_FALSE(InterpolateOntoGrid(wavelengths, cubes, {2}, out, refuse));
}

class Interpolation : public BatchTest {
protected:
    std::string Add(const SpectrumFileBuilder& file, const std::string& name) {
        const std::string path = fs::absolute(file.WriteTo(name)).string();
        host.WorkList.AddItem(path);
        return path;
    }

    // Fills the set-up dialog's boxes (nullptr keeps the preset) and clicks OK.
    void SetUpGrid(const char* start, const char* step, const char* channels,
                   std::function<void(frmInterpFile&)> more = {}) {
        ui.Drive([=](QDialog& dialog) {
            auto& form = static_cast<frmInterpFile&>(dialog);
            if (start)
                form.Text2->setText(start);
            if (step)
                form.Text3->setText(step);
            if (channels)
                form.Text4->setText(channels);
            if (more)
                more(form);
            form.Command1->click();
            return form.result();
        });
    }
};

TEST_F(Interpolation, OnTheInputsOwnChannelsTheValuesAreTheInputs) {
    Add(MakeSpectrum(1, Ramp(2151)), "x.001");
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmInterpFile&>(dialog);
        EXPECT_EQ(form.Text2->text(), "350");
        EXPECT_EQ(form.Text3->text(), "1");
        EXPECT_EQ(form.Text4->text(), "2151");
        EXPECT_EQ(form.Text1->text(), "ITP");
        form.Text2->setText("355");
        form.Text4->setText("10");
        form.Command1->click();
        return form.result();
    });
    ui.Answer(vbNo);
    InterpolateFiles();

    EXPECT_EQ(ui.Messages(), std::vector<std::string>{
                                 "1 Files Interpolated.\r\nDo you want to truncate these spectrum "
                                 "files?"});
    EXPECT_EQ(ui.Prompts.back().buttons, vbYesNo);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{Output("x.001.ITP")});
    ASSERT_EQ(ReadSpectrumFile(Output("x.001.ITP")), 1);
    EXPECT_EQ(SpectrumData, Ramp(10, 1, 5));
    EXPECT_EQ(CurrentHeader.Channel1Wavelength, 355);
    EXPECT_EQ(CurrentHeader.WavelengthStep, 1);
    EXPECT_EQ(CurrentHeader.ChannelCount, 10);
    EXPECT_EQ(fs::file_size(Output("x.001.ITP")), 484u + 10 * 4);
}

TEST_F(Interpolation, AnotherStepGivesTheValuesAtTheNewWavelengths) {
    // Version 2: Doubles, the reference record and an interpolated reference.
    auto input = MakeSpectrum(2, Ramp(20, 2, 1), Ramp(20, 10, 100));
    input.Header.DataType = Reflectance;
    Add(input, "x.001");
    SetUpGrid("352", "0.5", "9", [](frmInterpFile& form) {
        form.Combo1->setCurrentIndex(3);
        EXPECT_TRUE(form.Text1->isVisibleTo(&form));
        form.Text1->setText("dat");
    });
    ui.Answer(vbNo);
    InterpolateFiles();

    ASSERT_EQ(ReadSpectrumFile(Output("x.001.dat")), 2);
    ASSERT_EQ(SpectrumData.size(), 9u);
    for (std::size_t j = 0; j < 9; ++j) {
        const double wavelength = 352 + 0.5 * static_cast<double>(j);
        EXPECT_NEAR(SpectrumData[j], 1 + 2 * (wavelength - 350), 1e-9);
        EXPECT_NEAR(ReferenceData[j], 100 + 10 * (wavelength - 350), 1e-9);
    }
    EXPECT_EQ(CurrentHeader.WavelengthStep, 0.5f);
    EXPECT_EQ(CurrentHeader.DataType, Reflectance);
    EXPECT_EQ(ReferenceRecord.ReferenceFlag, 1);
}

TEST_F(Interpolation, UnusableSetUpValuesShowTheDialogAgain) {
    Add(MakeSpectrum(1, Ramp(100)), "x.001");
    SetUpGrid("abc", nullptr, nullptr);
    SetUpGrid("360", "0", nullptr);
    SetUpGrid(nullptr, "-1", nullptr);
    SetUpGrid(nullptr, "1", "3");
    SetUpGrid(nullptr, nullptr, "40000");
    SetUpGrid(nullptr, nullptr, "4.5", [](frmInterpFile& form) {
        form.Combo1->setCurrentIndex(3);
        form.Text1->setText(".abc");
    });
    ui.Answer(vbNo);
    InterpolateFiles();
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_EQ(messages[0].rfind("Invalid Starting Wavelength!", 0), 0u);
    EXPECT_EQ(messages[1].rfind("Invalid Wavelength Step!", 0), 0u);
    EXPECT_EQ(messages[2].rfind("Invalid Wavelength Step!", 0), 0u);
    EXPECT_EQ(messages[3].rfind("Invalid Number of Channels!", 0), 0u);
    EXPECT_EQ(messages[4].rfind("Invalid Number of Channels!", 0), 0u);
    // 4.5 rounds to 4 channels.
    ASSERT_EQ(ReadSpectrumFile(Output("x.001.abc")), 1);
    EXPECT_EQ(SpectrumData, Ramp(4, 1, 10));
}

TEST_F(Interpolation, CancelWritesNothingAndSaysNothing) {
    Add(MakeSpectrum(1, Ramp(100)), "x.001");
    host.VisibleList.AddItem("x.001");
    ui.Drive([](QDialog& dialog) {
        static_cast<frmInterpFile&>(dialog).Command2->click();
        return dialog.result();
    });
    InterpolateFiles();
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_TRUE(fs::is_empty("out"));
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"x.001"});
}

TEST_F(Interpolation, AFileTooShortForTheGridIsSkippedWithItsName) {
    Add(MakeSpectrum(1, Ramp(100)), "long.001");
    const std::string shortFile = Add(MakeSpectrum(1, Ramp(50)), "short.001");
    SetUpGrid("360", "1", "60");
    ui.Answer(vbNo);
    InterpolateFiles();
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], shortFile +
                               " ends at 399 nm: the new grid would need values up to 419 nm."
                               "\r\nThis file will be skipped.");
    EXPECT_EQ(messages[1].rfind("1 Files Interpolated.", 0), 0u);
    EXPECT_FALSE(fs::exists(Output("short.001.ITP")));
}

TEST_F(Interpolation, PromptedNamesComeFromTheSaveDialogAndItsCancelEndsTheRun) {
    Add(MakeSpectrum(1, Ramp(100)), "a.001");
    Add(MakeSpectrum(1, Ramp(100)), "b.001");
    SetUpGrid(nullptr, nullptr, "10", [](frmInterpFile& form) {
        form.Option1[1]->click();
        EXPECT_FALSE(form.Combo1->isVisibleTo(&form));
    });
    ui.Choose({Output("chosen.sp")});
    ui.CancelFileDialog();
    InterpolateFiles();
    EXPECT_TRUE(ui.Messages().empty());
    const auto& save = ui.Prompts[1];
    EXPECT_EQ(save.kind, ScriptedUi::Kind::SaveFile);
    EXPECT_EQ(save.text, "Select Output Filename for Input File a.001");
    EXPECT_EQ(save.flags, 0x380006);
    EXPECT_EQ(save.filter, "All Files (*.*)|*.*");
    EXPECT_TRUE(fs::exists(Output("chosen.sp")));
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(Interpolation, TruncationIsOfferedWithEachFilesOwnRange) {
    Add(MakeSpectrum(1, Ramp(2150)), "a.001");
    auto later = MakeSpectrum(1, Ramp(2050));
    later.Header.Channel1Wavelength = 400;
    Add(later, "b.001");
    SetUpGrid("360", nullptr, "2050");
    ui.Answer(vbYes);
    std::vector<std::string> lines;
    ui.Drive([&lines](QDialog& dialog) {
        auto& form = static_cast<frmInterp&>(dialog);
        for (int i = 0; i < form.List1->count(); ++i) {
            lines.push_back(form.List1->item(i)->text().toStdString());
        }
        EXPECT_EQ(form.Text1->text(), "400");
        EXPECT_EQ(form.Text2->text(), "2409");
        form.Command2->click();
        return form.result();
    });
    InterpolateFiles();
    EXPECT_EQ(lines, (std::vector<std::string>{"File:  a.001   Start:  360   End:  2409",
                                               "File:  b.001   Start:  400   End:  2449"}));
    EXPECT_EQ(host.VisibleList.Entries(),
              (std::vector<std::string>{Output("a.001.ITP"), Output("b.001.ITP")}));
}

TEST_F(Interpolation, AnOutputWrittenTwiceIsCutOnceByItsOwnHeader) {
    // Two inputs of one name: the second output replaces the first, so its
    // path is remembered twice with two different ranges.
    fs::create_directories("a");
    fs::create_directories("b");
    auto first = MakeSpectrum(1, Ramp(2151, 1, 5000));
    Add(first, "a/s.001");
    auto second = MakeSpectrum(1, Ramp(2141, 2, 1000));
    second.Header.Channel1Wavelength = 360;
    Add(second, "b/s.001");
    SetUpGrid(nullptr, nullptr, "2141");  // 350..2490 and 360..2500
    ui.Drive(AnswerOverwrite("Yes"));
    ui.Answer(vbYes);
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmInterp&>(dialog);
        EXPECT_EQ(form.Text1->text(), "360");  // the common range
        EXPECT_EQ(form.Text2->text(), "2490");
        form.Command1->click();
        return form.result();
    });
    InterpolateFiles();
    EXPECT_EQ(ui.Messages().back(), "1 Files Truncated");

    ASSERT_EQ(ReadSpectrumFile(Output("s.001.ITP")), 1);
    EXPECT_EQ(CurrentHeader.Channel1Wavelength, 360);
    ASSERT_EQ(CurrentHeader.ChannelCount, 2131);
    EXPECT_EQ(fs::file_size(Output("s.001.ITP")), 484u + 4 * 2131);
    // The second input's values at the header's wavelengths: 1000 at 360 nm,
    // rising by 2 per nanometre.
    for (std::size_t j = 0; j < 2131; j += 10) {
        EXPECT_NEAR(SpectrumData[j], 1000 + 2.0 * static_cast<double>(j), 1e-3) << j;
    }
    EXPECT_NEAR(SpectrumData[2130], 1000 + 2.0 * 2130, 1e-3);
}

}  // namespace
