#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "frame/settings.h"
#include "ops/analysis/kernels/band_set_file.h"
#include "ops/analysis/kernels/lambda_bands.h"
#include "ops/analysis/lambda_input.h"
#include "ops/analysis/lambda_integration.h"
#include "ops/analysis/lambda_results.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

// 350 nm on, 1 nm apart, y(50..52) = 1, 2, 3 and 0 elsewhere.
std::vector<double> Ramp(int channels = 100) {
    std::vector<double> y(static_cast<std::size_t>(channels), 0);
    y[50] = 1;
    y[51] = 2;
    y[52] = 3;
    return y;
}

double Integral(const std::vector<double>& y, double start, double end, bool average = false,
                float first = 350, float step = 1) {
    const BandResult result =
        IntegrateBand(y, static_cast<int>(y.size()), first, step, start, end, average);
    EXPECT_EQ(result.Outcome, BandOutcome::Value);
    return result.Value;
}

TEST(LambdaBands, TrapezoidSumsAndAverages) {
    const auto y = Ramp();
    EXPECT_EQ(Integral(y, 400, 402), 4);
    EXPECT_EQ(Integral(y, 400, 402, true), 2);
    // One step: one interval.
    EXPECT_EQ(Integral(y, 401, 402), 2.5);
    EXPECT_EQ(Integral(y, 401, 402, true), 2.5);
    // An edge between channels starts at the next channel.
    EXPECT_EQ(Integral(y, 399.5, 402), 4);
    // A band ending within a step of its start sample.
    EXPECT_EQ(Integral(y, 400.5, 401.5), 0.5 * (2 + 3));
    // Steps of 2 nm: the integral is step times the sum.
    EXPECT_EQ(Integral(y, 450, 454, false, 350, 2), 2 * (0.5 + 2 + 1.5));
}

TEST(LambdaBands, TheFirstSampleIsNeverChannelZero) {
    std::vector<double> y{100, 1, 1, 1};
    EXPECT_EQ(Integral(y, 350, 353), 2);
}

TEST(LambdaBands, BandsOutsideTheDataAndAtItsLastChannel) {
    const std::vector<double> y(10, 1);  // 350 .. 359 nm
    BandResult below = IntegrateBand(y, 10, 350, 1, 349.9, 355, false);
    EXPECT_EQ(below.Outcome, BandOutcome::StartBelowData);
    EXPECT_EQ(below.Wavelength, 350);
    EXPECT_EQ(IntegrateBand(y, 10, 350, 1, 0, 355, false).Outcome, BandOutcome::StartBelowData);

    // The limit is the last wavelength, on any grid.
    std::vector<double> wide(10, 1);
    EXPECT_EQ(Integral(wide, 360, 368, false, 350, 2), 8);
    const BandResult above = IntegrateBand(wide, 10, 350, 2, 360, 368.5, false);
    EXPECT_EQ(above.Outcome, BandOutcome::EndAboveData);
    EXPECT_EQ(above.Wavelength, 368);

    // A narrow band at the last channel uses that channel alone.
    wide.back() = 4;
    EXPECT_EQ(Integral(wide, 367, 368, false, 350, 2), 0.5 * 4);

    // A grid that does not rise holds no band.
    EXPECT_EQ(IntegrateBand(wide, 10, 350, 0, 360, 361, false).Outcome, BandOutcome::EndAboveData);
    // A header promising more channels than the data holds is bounded by the data.
    EXPECT_EQ(IntegrateBand(wide, 600, 350, 2, 360, 370, false).Outcome, BandOutcome::EndAboveData);
    // Repeated addition of a fine step drifts from first + k * step; the band
    // up to the last wavelength still stays inside the data.
    std::vector<double> fine(2000, 1);
    EXPECT_NEAR(Integral(fine, 350.1, LastWavelength(350, 0.1f, 2000), false, 350, 0.1f), 199.8,
                0.2);
}

std::string ParseError(const std::string& text) {
    BandSet set;
    set.Bands.push_back({"1", "2"});
    BandSetError error;
    if (ParseBandSetFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), set, error)) {
        return "loaded";
    }
    EXPECT_EQ(set.Bands.size(), 1u);  // left as it was
    return std::to_string(static_cast<int>(error.Problem)) + "@" + std::to_string(error.Line);
}

TEST(BandSetFile, ReadsItsLinesAndRefusesUnsoundOnes) {
    const std::string text = "3\r\naverage\r\n400, 402\r\nno comma\r\n1000.5,1200,x\r\nrest";
    BandSet set;
    BandSetError error;
    ASSERT_TRUE(
        ParseBandSetFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), set, error));
    EXPECT_TRUE(set.Average);
    ASSERT_EQ(set.Bands.size(), 2u);
    EXPECT_EQ(set.Bands[0].End, "402");
    EXPECT_EQ(set.Bands[1].Start, "1000.5");
    EXPECT_EQ(BandSetFileText(set), "2\r\naverage\r\n400,402\r\n1000.5,1200\r\n");

    // A capital letter is not the average mode; LF-only lines read too.
    const std::string lf = "1\nAverage\n400,402";
    ASSERT_TRUE(
        ParseBandSetFile(reinterpret_cast<const uint8_t*>(lf.data()), lf.size(), set, error));
    EXPECT_FALSE(set.Average);

    const auto code = [](BandSetProblem problem, int line) {
        return std::to_string(static_cast<int>(problem)) + "@" + std::to_string(line);
    };
    EXPECT_EQ(ParseError(""), code(BandSetProblem::MissingLine, 1));
    EXPECT_EQ(ParseError("x\r\nsum\r\n"), code(BandSetProblem::BadCount, 1));
    EXPECT_EQ(ParseError("-1\r\nsum\r\n"), code(BandSetProblem::BadCount, 1));
    EXPECT_EQ(ParseError("2\r\nsum\r\n400,402\r\n"), code(BandSetProblem::MissingLine, 4));
    EXPECT_EQ(ParseError("2\r\nsum\r\n400,402\r\n4O0,402\r\n"),
              code(BandSetProblem::NotNumbers, 4));
    EXPECT_EQ(ParseError("1\r\nsum\r\n402,402\r\n"), code(BandSetProblem::StartNotBelowEnd, 3));
    EXPECT_EQ(ParseError("0\r\nsum"), "loaded");
}

class LambdaIntegration : public testing::Test {
protected:
    void SetUp() override {
        ResetSpectrumState();
        ResetSettingsState();
        OutputDirectory = TestFolder::Path().string();
        InputDirectory = OutputDirectory + "/";
    }
    void TearDown() override { UnloadLambdaForms(); }

    static std::string Path(const std::string& name) {
        return (TestFolder::Path() / name).string();
    }
    void Add(const SpectrumFileBuilder& file, const std::string& name) {
        host.WorkList.AddItem(file.WriteTo(Path(name)));
    }
    static void Type(frmLamInput& form, const char* start, const char* end) {
        form.Text1[0]->setText(QString::fromLatin1(start));
        form.Text1[1]->setText(QString::fromLatin1(end));
        form.Command1->click();
    }
    static std::vector<std::string> Rows(const QListWidget& list) {
        std::vector<std::string> rows;
        for (int i = 0; i < list.count(); ++i) {
            rows.push_back(list.item(i)->text().toStdString());
        }
        return rows;
    }

    MemoryBatchHost host;
    ScriptedUi ui;
};

TEST_F(LambdaIntegration, TwoBandsOverThreeFilesBandOneFirst) {
    Add(MakeSpectrum(1, Ramp()), "a.001");
    host.WorkList.AddItem(Path("missing.001"));
    auto reflectance = MakeSpectrum(2, Ramp());
    reflectance.Header.DataType = Radiance;
    Add(reflectance, "b.001");
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmLamInput&>(dialog);
        EXPECT_FALSE(form.Command3->isEnabled());
        Type(form, "400", "402");
        Type(form, "340", "360");
        EXPECT_TRUE(form.Command3->isEnabled());
        form.Command3->click();
        return form.result();
    });
    ui.Answer(vbCancel);
    std::vector<std::string> shown;
    std::vector<int> kinds;
    ui.Drive([&](QDialog& dialog) {
        auto& form = static_cast<frmLamResult&>(dialog);
        shown = Rows(*form.List1);
        for (int i = 0; i < form.List1->count(); ++i) {
            kinds.push_back(form.List1->item(i)->data(DataKindRole).toInt());
        }
        form.Command1->click();
        return form.result();
    });
    IntegrateLambdaBands();

    // A missing file gives no row and no message of its own.
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"4 Integrations Performed"});
    EXPECT_EQ(ui.Prompts[1].buttons, vbOKCancel);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         Path("a.001") + "     Band1  400   402    4.00",
                         Path("b.001") + "     Band1  400   402    4.00",
                         Path("a.001") + "     Band2  340   360    LamStart < 350",
                         Path("b.001") + "     Band2  340   360    LamStart < 350",
                     }));
    // Each row is labelled by its own file's kind.
    EXPECT_EQ(kinds, (std::vector<int>{Raw, Radiance, Raw, Radiance}));
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{1, 2, 3, 1, 2, 3, 0}));
    EXPECT_EQ(host.MousePointer, vbHourglass);
}

TEST_F(LambdaIntegration, AveragesAndTheEndBeyondTheData) {
    Add(MakeSpectrum(1, Ramp()), "a.001");
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmLamInput&>(dialog);
        Type(form, "400", "402");
        Type(form, "440", "450");
        form.Option1[1]->click();
        form.Command3->click();
        return form.result();
    });
    ui.Answer(vbOK);
    std::vector<std::string> shown;
    ui.Drive([&](QDialog& dialog) {
        shown = Rows(*static_cast<frmLamResult&>(dialog).List1);
        return 0;
    });
    IntegrateLambdaBands();
    EXPECT_EQ(ui.Messages()[0], "2 Averages Performed");
    EXPECT_EQ(shown,
              (std::vector<std::string>{Path("a.001") + "     Band1  400   402    2.00",
                                        Path("a.001") + "     Band2  440   450    LamEnd > 449"}));
}

TEST_F(LambdaIntegration, CancelRunsNothingAndForgetsTheBands) {
    Add(MakeSpectrum(1, Ramp()), "a.001");
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmLamInput&>(dialog);
        Type(form, "400", "402");
        form.Command4->click();
        return form.result();
    });
    IntegrateLambdaBands();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_EQ(ui.Prompts.back().buttons, vbOKOnly + vbInformation);
    EXPECT_EQ(LamInputForm().List1->count(), 0);
    EXPECT_FALSE(LamInputForm().Command3->isEnabled());
}

TEST_F(LambdaIntegration, AddRefusesWhatIsNoBandAndRemoveKeepsTheListsInStep) {
    frmLamInput& form = LamInputForm();
    Type(form, "400", "400");
    Type(form, "", "402");
    Type(form, "abc", "402");
    Type(form, "1", "40000");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>(4, "Input Error"));
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(form.List1->count(), 0);

    Type(form, "399.5", "410.5");
    Type(form, "500", "600");
    EXPECT_EQ(Rows(*form.List1), (std::vector<std::string>{"400   410", "500   600"}));
    EXPECT_EQ(Rows(*form.List2), (std::vector<std::string>{"400", "500"}));
    EXPECT_EQ(form.Text1[0]->text(), "500");

    form.List1->setCurrentRow(0);
    form.Command2->click();
    EXPECT_EQ(Rows(*form.List3), std::vector<std::string>{"600"});
    form.List1->setCurrentRow(0);
    form.Command2->click();
    EXPECT_FALSE(form.Command3->isEnabled());
}

TEST_F(LambdaIntegration, BandSetSavedAndLoadedBack) {
    frmLamInput& form = LamInputForm();
    Type(form, "400", "402");
    Type(form, "1000", "1200");
    form.Option1[1]->click();
    const std::string path = Path("bands.lsa");
    ui.Choose({path});
    form.mnuSave->trigger();
    EXPECT_EQ(ui.Prompts[0].title, "Select Lambda Stats File");
    EXPECT_EQ(ui.Prompts[0].filter, "LamStat Files (*.lsa)|*.lsa");
    const auto saved = ReadBytes(path);
    EXPECT_EQ(std::string(saved.begin(), saved.end()), "2\r\naverage\r\n400,402\r\n1000,1200\r\n");

    form.Command5->click();
    form.Option1[0]->click();
    ui.Choose({path});
    form.mnuLoad->trigger();
    EXPECT_EQ(ui.Prompts[1].flags, 0x381004);
    EXPECT_EQ(ui.Prompts[1].initDir, InputDirectory);
    EXPECT_TRUE(form.Option1[1]->isChecked());
    EXPECT_TRUE(form.Command3->isEnabled());
    EXPECT_EQ(Rows(*form.List1), (std::vector<std::string>{"400   402", "1000   1200"}));

    fs::remove(path);
    ui.Choose({path});
    form.mnuSave->trigger();
    EXPECT_EQ(ReadBytes(path), saved);

    // Nothing typed, nothing saved.
    form.Command5->click();
    ui.Choose({Path("empty.lsa")}).Answer(vbOK);
    form.mnuSave->trigger();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Nothing to Save"});
    EXPECT_EQ(ui.Prompts.back().buttons, vbOKCancel);
    EXPECT_FALSE(fs::exists(Path("empty.lsa")));
}

TEST_F(LambdaIntegration, AnUnsoundBandSetIsRefusedWhole) {
    frmLamInput& form = LamInputForm();
    Type(form, "400", "402");
    WriteBytes(Path("bad.lsa"), {'2', '\r', '\n', 's', 'u', 'm', '\r', '\n', '5', ',', '6', '\r',
                                 '\n', '9', ',', '8', '\r', '\n'});
    ui.Choose({Path("bad.lsa")});
    form.mnuLoad->trigger();
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{
                  Path("bad.lsa") + ", line 4: the band's start is not below its end.\r\nNo bands "
                                    "were loaded."});
    EXPECT_EQ(Rows(*form.List1), std::vector<std::string>{"400   402"});

    ui.CancelFileDialog();
    form.mnuLoad->trigger();
    EXPECT_EQ(ui.Messages().size(), 1u);
}

}  // namespace
