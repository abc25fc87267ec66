// Built away from the lib/ folder and without a run path: interpolation and
// the statistics' median must report the missing library as their own error
// and the program live on.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "frame/settings.h"
#include "ops/analysis/interpolation_batch.h"
#include "ops/analysis/interpolation_dialog.h"
#include "ops/analysis/statistics.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(InterpolationWithoutZelUtil, TheRunEndsWithTheLibrarysError) {
    ResetSpectrumState();
    ResetSettingsState();
    fs::create_directories("out");
    OutputDirectory = (TestFolder::Path() / "out").string();
    MemoryBatchHost host;
    ScriptedUi ui;
    for (const char* name : {"a.001", "b.001"}) {
        host.WorkList.AddItem(MakeSpectrum(1, std::vector<double>(100, 1)).WriteTo(name));
    }
    host.VisibleList.AddItem("a.001");
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmInterpFile&>(dialog);
        form.Text4->setText("10");
        form.Command1->click();
        return form.result();
    });
    InterpolateFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"File not found: libzelutil.so"});
    EXPECT_TRUE(fs::is_empty("out"));
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"a.001"});
}

TEST(StatisticsWithoutZelUtil, OnlyTheMedianNeedsTheLibrary) {
    ResetSpectrumState();
    ResetSettingsState();
    OutputDirectory = TestFolder::Path().string();
    MemoryBatchHost host;
    ScriptedUi ui;
    for (const char* name : {"a.001", "b.001"}) {
        host.WorkList.AddItem(
            fs::absolute(MakeSpectrum(1, std::vector<double>(3, 1)).WriteTo(name)).string());
    }
    const std::string mean = (TestFolder::Path() / "s.mn").string();
    const std::string median = (TestFolder::Path() / "s.md").string();
    ui.Choose({mean}).Choose({median});
    CreateStatisticsFiles(3);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"File not found: libzelutil.so"});
    EXPECT_FALSE(fs::exists(mean));
    EXPECT_FALSE(fs::exists(median));
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_FALSE(ui.Waiting);

    ui.Choose({mean});
    CreateStatisticsFiles(1);
    EXPECT_TRUE(fs::exists(mean));
    EXPECT_EQ(ui.Messages().back(), "2 Input Files Processed\r\n1 Output Files Created");
}

}  // namespace
