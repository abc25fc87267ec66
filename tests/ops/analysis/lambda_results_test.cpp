#include <gtest/gtest.h>

#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <filesystem>

#include "frame/settings.h"
#include "ops/analysis/kernels/lambda_result_text.h"
#include "ops/analysis/lambda_input.h"
#include "ops/analysis/lambda_integration.h"
#include "ops/analysis/lambda_results.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(LambdaResultText, EntriesTakenApartIntoTheirFields) {
    const std::string entry = LambdaResultEntry("/d/Band5/x.001", 12, "400", "402", "3.14159");
    EXPECT_EQ(entry, "/d/Band5/x.001     Band12  400   402    3.14");
    const LambdaResultFields fields = SplitLambdaResult(entry);
    EXPECT_EQ(fields.FileName, "/d/Band5/x.001");
    EXPECT_EQ(fields.Band, "12");
    EXPECT_EQ(fields.Start, "400");
    EXPECT_EQ(fields.End, "402");
    EXPECT_EQ(fields.Result, "3.14");
    EXPECT_EQ(LambdaDataRow(fields, "Raw Data"), "/d/Band5/x.001,12,400,402,3.14,Raw Data");

    // A folder "     Band..." that is not followed by digits and two blanks
    // stays in the name; a result text keeps its blanks.
    const auto start = SplitLambdaResult(
        LambdaResultEntry("/d/a     Bandit/y.001", 1, "340.5", "360", "LamStart < 350"));
    EXPECT_EQ(start.FileName, "/d/a     Bandit/y.001");
    EXPECT_EQ(start.Start, "340.5");
    EXPECT_EQ(start.Result, "LamStart < 350");
    EXPECT_EQ(SplitLambdaResult("  odd entry ").FileName, "odd entry");
}

int Entries(const PrintPage& page) {
    int entries = 0;
    for (const PrintLine& line : page) {
        entries += line.size() == 5 ? 1 : 0;
    }
    return entries;
}

TEST(LambdaResultText, PagesOfFortySixEntriesWithBandsApart) {
    std::vector<LambdaResultFields> entries(100);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i] = {"f" + std::to_string(i), i < 97 ? "1" : "2", "400", "402", "4.00"};
    }
    const auto pages = LambdaPrintPages(entries, "Average", "12/8/2026 7:29:03 PM");
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(Entries(pages[0]), 46);
    EXPECT_EQ(Entries(pages[1]), 46);
    EXPECT_EQ(Entries(pages[2]), 8);
    const PrintLine& title = pages[0][0];
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].Column, 15);
    EXPECT_EQ(title[0].Text, "Lambda Integration Results    Printed 12/8/2026 7:29:03 PM");
    const PrintLine& heads = pages[2][1];
    ASSERT_EQ(heads.size(), 6u);
    EXPECT_EQ(heads[4].Text, "Average");
    EXPECT_EQ(heads[5].Column, 90);
    EXPECT_EQ(heads[5].Text, "Page 3");
    EXPECT_EQ(pages[1][2][0].Text, "f46");
    // Band 2 starts after an empty line.
    const PrintPage& last = pages[2];
    ASSERT_EQ(last.size(), 2u + 8 + 1);
    EXPECT_EQ(last[6][0].Text, "f96");
    EXPECT_TRUE(last[7].empty());
    EXPECT_EQ(last[8][0].Text, "f97");
}

class LambdaResults : public testing::Test {
protected:
    void SetUp() override {
        ResetSettingsState();
        OutputDirectory = TestFolder::Path().string();
    }
    void TearDown() override { UnloadLambdaForms(); }

    static std::string Path(const std::string& name) {
        return (TestFolder::Path() / name).string();
    }
    static void Fill(QListWidget& list, int files, int bands) {
        for (int b = 1; b <= bands; ++b) {
            for (int f = 0; f < files; ++f) {
                auto* item = new QListWidgetItem(QString::fromStdString(
                    LambdaResultEntry("/d/f" + std::to_string(f) + ".001", b, "400", "402",
                                      f == 0 ? "LamStart < 350" : "4")));
                item->setData(DataKindRole, f == 1 ? 2 : 0);
                list.addItem(item);
            }
        }
    }

    MemoryBatchHost host;
    ScriptedUi ui;
};

TEST_F(LambdaResults, DataKindNames) {
    EXPECT_EQ(GetDataKindName(0), "Raw Data");
    EXPECT_EQ(GetDataKindName(2), "Reference Data");
    EXPECT_EQ(GetDataKindName(3), "Radiance Data");
    EXPECT_EQ(GetDataKindName(8), "Absolute Data");
    EXPECT_EQ(GetDataKindName(9), "File-Added Data");
    EXPECT_EQ(GetDataKindName(16), "Constant-Subtracted Data");
    EXPECT_EQ(GetDataKindName(17), "Unknown Data");
    EXPECT_EQ(GetDataKindName(-1), "Unknown Data");
}

TEST_F(LambdaResults, SavedRowsNameTheModeAndTheDataKind) {
    frmLamResult& form = LamResultForm();
    Fill(*form.List1, 2, 1);
    LamInputForm().Option1[1]->click();
    ui.Choose({Path("r.lda")});
    form.Command2[1]->click();
    EXPECT_EQ(ui.Prompts[0].title, "Select Lambda Data File");
    EXPECT_EQ(ui.Prompts[0].filter, "LamData Files (*.lda)|*.lda");
    EXPECT_EQ(form.result(), QDialog::Accepted);

    const auto bytes = ReadBytes(Path("r.lda"));
    const std::string text(bytes.begin(), bytes.end());
    const std::string saved = "Lambda Integration Results Saved ";
    ASSERT_EQ(text.rfind(saved, 0), 0u) << text;
    const std::size_t lineEnd = text.find("\r\n");
    // The general date of now: "M/D/YYYY h:mm:ss AM".
    const std::string when = text.substr(saved.size(), lineEnd - saved.size());
    EXPECT_EQ(std::count(when.begin(), when.end(), '/'), 2) << when;
    EXPECT_EQ(std::count(when.begin(), when.end(), ':'), 2) << when;
    EXPECT_TRUE(when.ends_with(" AM") || when.ends_with(" PM")) << when;
    EXPECT_EQ(text.substr(lineEnd + 2),
              "Filename,Band,Start,End,Average\r\n"
              "/d/f0.001,1,400,402,LamStart < 350,Raw Data\r\n"
              "/d/f1.001,1,400,402,4.00,Reference Data\r\n");
}

TEST_F(LambdaResults, RefusedSavesAndPrintsLeaveTheWindowOpen) {
    frmLamResult& form = LamResultForm();
    form.setResult(QDialog::Rejected);
    ui.CancelFileDialog();
    form.Command2[1]->click();
    ui.Choose({Path("r.lda")}).Answer(vbCancel);
    form.Command2[1]->click();
    form.Command2[0]->click();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Nothing to Save", "No Data to Print"}));
    EXPECT_EQ(ui.Prompts.back().buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(fs::exists(Path("r.lda")));
}

// Pages of a PDF as Qt writes them: one page object each.
int PdfPages(const std::string& path) {
    const auto bytes = ReadBytes(path);
    const std::string pdf(bytes.begin(), bytes.end());
    const std::string page = "/Type /Page";
    int pages = 0;
    for (auto at = pdf.find(page); at != std::string::npos; at = pdf.find(page, at + 1)) {
        pages += pdf.compare(at, page.size() + 1, page + "s") != 0 ? 1 : 0;
    }
    return pages;
}

TEST_F(LambdaResults, PrintsOnePagePerFortySixEntries) {
    frmLamResult& form = LamResultForm();
    Fill(*form.List1, 50, 2);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Path("r.pdf")));
    form.Printer = &printer;
    form.Command2[0]->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(form.List1->currentRow(), 99);
    EXPECT_EQ(PdfPages(Path("r.pdf")), 3);
}

}  // namespace
