#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "frame/settings.h"
#include "ops/analysis/kernels/truncation_window.h"
#include "ops/analysis/truncation.h"
#include "ops/analysis/truncation_dialog.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/file_size_limit.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

std::vector<double> Ramp(int count, double offset = 0) {
    std::vector<double> values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        values[static_cast<std::size_t>(i)] = offset + i;
    }
    return values;
}

TEST(TruncationWindowRule, CountsWholeNanometresThenChannels) {
    const auto window = ComputeTruncationWindow(2150, 350, 2499, 400, 2400, 1);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->First, 50);
    EXPECT_EQ(window->Count, 2001);
    // 0.75 + 0.75 nm trimmed counts as 2 nm: 4 channels of 0.5 nm.
    const auto half = ComputeTruncationWindow(21, 350, 360, 350.75, 359.25, 0.5);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->Count, 17);
    EXPECT_EQ(half->First, 2);  // 1.5 channels, half to even
}

TEST(TruncationWindowRule, NeverReachesPastTheChannelsRead) {
    // The width rounds down to 0 nm while the start is 3 channels in.
    const auto window = ComputeTruncationWindow(10, 0, 0.9, 0.3, 0.9, 0.1);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->First, 3);
    EXPECT_EQ(window->Count, 7);
    // Everything trimmed, a step too small for any 16-bit count, no step.
    EXPECT_FALSE(ComputeTruncationWindow(10, 0, 0.9, 0.3, 0.6, 0.1));
    EXPECT_FALSE(ComputeTruncationWindow(100, 350, 449, 360, 440, 1e-9));
    EXPECT_FALSE(ComputeTruncationWindow(100, 350, 449, 360, 440, 0));
}

class Truncation : public testing::Test {
protected:
    void SetUp() override { ResetSpectrumState(); }

    // Types start and end into the dialog and clicks OK; an empty text keeps
    // what the dialog proposed.
    void Choose(const std::string& start, const std::string& end) {
        ui.Drive([=](QDialog& dialog) {
            auto& form = static_cast<frmInterp&>(dialog);
            if (!start.empty())
                form.Text1->setText(QString::fromStdString(start));
            if (!end.empty())
                form.Text2->setText(QString::fromStdString(end));
            form.Command1->click();
            return form.result();
        });
    }

    MemoryBatchHost host;
    ScriptedUi ui;
};

TEST_F(Truncation, CutsAVersionOneFileInPlace) {
    fs::create_directories("files");
    const std::string name = MakeSpectrum(1, Ramp(2150)).WriteTo("files/x.001.ITP");
    host.WorkList.AddItem("x.001");
    Choose("400", "2400");
    TruncateSpectrumFiles({name}, {"x.001"}, {350}, {2499});
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Truncated"});
    EXPECT_EQ(ui.Prompts.back().buttons, vbOKOnly + vbInformation);
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{1, 0}));
    EXPECT_EQ(fs::file_size(name), 484u + 4 * 2001);
    ASSERT_EQ(ReadSpectrumFile(name), 1);
    EXPECT_EQ(SpectrumData, Ramp(2001, 50));
    EXPECT_EQ(CurrentHeader.Channel1Wavelength, 400);
    EXPECT_EQ(CurrentHeader.ChannelCount, 2001);
    // Nothing but the file itself in its folder: no temporary left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator("files"), fs::directory_iterator()), 1);
}

TEST_F(Truncation, ALaterVersionKeepsItsCutReferenceAndNothingBehindIt) {
    auto input = MakeCompleteSpectrum(7, Ramp(10));
    input.ReferenceValues = Ramp(10, 100);
    const std::string name = input.WriteTo("x.ITP");
    Choose("352", "355");
    TruncateSpectrumFiles({name}, {"x"}, {350}, {359});
    const std::size_t description = input.Reference.Description.Bytes.size();
    EXPECT_EQ(fs::file_size(name), 484 + 8 * 4 + (20 + description) + 8 * 4);
    ASSERT_EQ(ReadSpectrumFile(name), 7);
    EXPECT_EQ(SpectrumData, Ramp(4, 2));
    EXPECT_EQ(ReferenceData, Ramp(4, 102));
    EXPECT_EQ(CalibrationCount, 0);
}

TEST_F(Truncation, TheDialogKeepsToTheCommonRangeAndAStartBelowTheEnd) {
    const std::string name = MakeSpectrum(1, Ramp(2150)).WriteTo("a.ITP");
    const std::string other = MakeSpectrum(1, Ramp(2050)).WriteTo("b.ITP");
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmInterp&>(dialog);
        EXPECT_EQ(form.MaxMin(), 400);
        EXPECT_EQ(form.MinMax(), 2449);
        const std::pair<const char*, const char*> tries[] = {{"2449", "2449"}, {"none", "2449"},
                                                             {"400", "400"},   {"400", "2450"},
                                                             {"2000", "1500"}, {"400", "2449"}};
        for (const auto& [start, end] : tries) {
            form.Text1->setText(start);
            form.Text2->setText(end);
            form.Command1->click();
        }
        return form.result();
    });
    TruncateSpectrumFiles({name, other}, {"a", "b"}, {350, 400}, {2499, 2449});
    const std::string badStart =
        "Illegal Value for Starting Wavelength\r\nValue must be > 400 and < 2449";
    const std::string badEnd =
        "Illegal Value for Ending Wavelength\r\nValue must be < 2449 and > 400";
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{badStart, badStart, badEnd, badEnd,
                                        "Illegal Value for Ending Wavelength\r\nValue must be > "
                                        "2000",
                                        "2 Files Truncated"}));
    ASSERT_EQ(ReadSpectrumFile(name), 1);
    EXPECT_EQ(CurrentHeader.ChannelCount, 2050);
}

TEST_F(Truncation, CancelChangesNothing) {
    const auto before = MakeSpectrum(1, Ramp(100)).Bytes();
    WriteBytes("x.ITP", before);
    ui.Drive([](QDialog& dialog) {
        static_cast<frmInterp&>(dialog).Command2->click();
        return dialog.result();
    });
    TruncateSpectrumFiles({"x.ITP"}, {"x"}, {350}, {449});
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(ReadBytes("x.ITP"), before);
}

TEST_F(Truncation, AFileThatCannotBeReadEndsTheRun) {
    const auto second = MakeSpectrum(1, Ramp(100)).Bytes();
    WriteBytes("b.ITP", second);
    Choose("360", "440");
    TruncateSpectrumFiles({"gone.ITP", "b.ITP"}, {"gone", "b"}, {350, 350}, {449, 449});
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind("File Error\rgone.ITP cannot be opened", 0), 0u);
    EXPECT_EQ(ReadBytes("b.ITP"), second);
    EXPECT_EQ(host.ProgressValue, 1);  // left where the run stopped
}

TEST_F(Truncation, AFailedRewriteLeavesTheFileWhole) {
    // A name of the longest kind, which leaves no room for a suffix.
    fs::create_directories("files");
    const std::string name = "files/" + std::string(255, 'n');
    const auto before = MakeSpectrum(1, Ramp(100)).Bytes();
    WriteBytes(name, before);
    Choose("360", "440");
    {
        const FileSizeLimit full(300);
        TruncateSpectrumFiles({name}, {"n"}, {350}, {449});
    }
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0],
              name + " could not be rewritten: File too large.\r\nThe file is left as it was.");
    EXPECT_EQ(ReadBytes(name), before);
    EXPECT_EQ(std::distance(fs::directory_iterator("files"), fs::directory_iterator()), 1);

    // With room on the disk the same name is rewritten.
    Choose("360", "440");
    TruncateSpectrumFiles({name}, {"n"}, {350}, {449});
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[1], "1 Files Truncated");
    EXPECT_LT(ReadBytes(name).size(), before.size());
    EXPECT_EQ(std::distance(fs::directory_iterator("files"), fs::directory_iterator()), 1);
}

}  // namespace
