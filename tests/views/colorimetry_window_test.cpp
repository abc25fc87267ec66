// The colorimetry window: what it shows for the clicked file, how "Select All"
// and the list keep each other right, and the bytes of the reports it writes.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <memory>

#include "cie/ucie.h"
#include "frame/services.h"
#include "frame/settings.h"
#include "spectrum/state.h"
#include "support/memory_host.h"
#include "support/overwrite_prompt.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"
#include "views/colorimetry_report.h"
#include "views/colorimetry_window.h"
#include "views/view_services.h"

namespace fs = std::filesystem;

namespace {

void SetComment(SpectrumHeader& header, const std::string& text) {
    header.Comment.fill(0);
    std::memcpy(header.Comment.data(), text.data(), std::min(text.size(), header.Comment.size()));
}

// A version-1 reflectance file: 471 values from 360 nm, all `value`.
SpectrumFileBuilder ReflectanceFile(double value) {
    auto file = MakeSpectrum(1, std::vector<double>(471, value));
    file.Header.Channel1Wavelength = 360;
    file.Header.DataType = DataTypeCode::Reflectance;
    file.Header.InstrumentType = Vnir1;
    return file;
}

std::string Text(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

class Colorimetry : public testing::Test {
protected:
    void SetUp() override {
        ResetSettingsState();
        ResetSpectrumState();
        OutputDirectory = (TestFolder::Path() / "out").string();
        fs::create_directories(OutputDirectory);
    }

    std::string Add(const SpectrumFileBuilder& file, const std::string& name) {
        const std::string path = fs::absolute(file.WriteTo(name)).string();
        form->List1->addItem(QString::fromStdString(path));
        return path;
    }
    std::string Report(const std::string& path) {
        return Text(ReadBytes(OutputDirectory + "/" + fs::path(path).filename().string() + ".col"));
    }
    bool Reported(const std::string& path) {
        return fs::exists(OutputDirectory + "/" + fs::path(path).filename().string() + ".col");
    }
    // A click on the entry, as the mouse gives it.
    void Click(int row) {
        form->show();
        QListWidget* list = form->List1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    bool Selected(int row) { return form->List1->item(row)->isSelected(); }
    QString Shown(const char* label) { return form->UCIE1->findChild<QLabel*>(label)->text(); }

    MemoryBatchHost host;
    ScriptedUi ui;
    std::unique_ptr<frmColorimetry> form = std::make_unique<frmColorimetry>();
};

TEST_F(Colorimetry, OpensWithReportDisabledAndTheDiagramTabHidden) {
    Views = {};
    InstallViewServices();
    ASSERT_TRUE(bool(Views.ShowColorimetryWindow));
    bool driven = false;
    ui.Drive([&](QDialog& dialog) {
        auto& window = dynamic_cast<frmColorimetry&>(dialog);
        driven = true;
        EXPECT_EQ(window.windowTitle(), "Colorimetry");
        EXPECT_EQ(window.List1->count(), 2);
        EXPECT_EQ(window.List1->item(1)->text(), "/data/b.001");
        EXPECT_EQ(window.List1->selectionMode(), QAbstractItemView::MultiSelection);
        EXPECT_FALSE(window.cmdReport->isEnabled());
        EXPECT_FALSE(window.chkSelectAll->isChecked());
        EXPECT_FALSE(window.UCIE1->ShowChromaticity());
        EXPECT_FALSE(window.UCIE1->findChild<QTabWidget*>("tabCIE")->isTabVisible(3));
        return 0;
    });
    Views.ShowColorimetryWindow({"/data/a.001", "/data/b.001"});
    EXPECT_TRUE(driven);
    Views = {};
}

TEST_F(Colorimetry, SelectAllAndTheListKeepEachOtherRight) {
    Add(ReflectanceFile(0.2), "a.001");
    Add(ReflectanceFile(0.5), "b.001");
    Add(ReflectanceFile(0.8), "c.001");

    form->chkSelectAll->click();
    EXPECT_TRUE(Selected(0) && Selected(1) && Selected(2));
    EXPECT_TRUE(form->chkSelectAll->isChecked());
    EXPECT_TRUE(form->cmdReport->isEnabled());
    EXPECT_EQ(form->List1->currentRow(), 0);
    EXPECT_EQ(Shown("lblY2"), "20.0000");

    form->chkSelectAll->click();
    EXPECT_FALSE(Selected(0) || Selected(1) || Selected(2));
    EXPECT_FALSE(form->chkSelectAll->isChecked());
    EXPECT_FALSE(form->cmdReport->isEnabled());
    EXPECT_EQ(Shown("lblY2"), "");

    // Entry by entry: the last one selected checks the box again.
    Click(2);
    EXPECT_EQ(Shown("lblY2"), "80.0000");
    EXPECT_TRUE(form->cmdReport->isEnabled());
    Click(1);
    EXPECT_FALSE(form->chkSelectAll->isChecked());
    Click(0);
    EXPECT_TRUE(form->chkSelectAll->isChecked());
    EXPECT_TRUE(Selected(0) && Selected(1) && Selected(2));
    EXPECT_EQ(Shown("lblY2"), "20.0000");

    // Deselecting one unchecks the box; the clicked entry is still shown.
    Click(1);
    EXPECT_FALSE(Selected(1));
    EXPECT_FALSE(form->chkSelectAll->isChecked());
    EXPECT_TRUE(Selected(0) && Selected(2));
    EXPECT_EQ(Shown("lblY2"), "50.0000");
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(Colorimetry, AnotherIlluminantEvaluatesTheCurrentFileAgain) {
    Add(ReflectanceFile(1.0), "white.001");
    Click(0);
    EXPECT_EQ(Shown("lblX2"), "95.0471");
    auto* illuminants = form->UCIE1->findChild<QComboBox*>("cboIlluminate");
    illuminants->setCurrentIndex(0);
    emit illuminants->activated(0);
    EXPECT_EQ(form->UCIE1->SelectedIllFile(), UCIE::ifA);
    EXPECT_EQ(Shown("lblX2").left(6), "109.85");
}

TEST_F(Colorimetry, ReportOfAVersionOneReflectanceFile) {
    auto file = ReflectanceFile(0.5);
    SetComment(file.Header, "Leaf sample\r\n");
    file.Header.SaveTime.Year = 104;
    file.Header.SaveTime.Mon = 0;
    file.Header.SaveTime.MDay = 5;
    file.Header.SaveTime.Hour = 9;
    file.Header.SaveTime.Min = 3;
    file.Header.SaveTime.Sec = 7;
    const std::string path = Add(file, "spec.001");
    form->chkSelectAll->click();
    form->cmdReport->click();

    EXPECT_EQ(Report(path), Lines({"ZEL Colorimetry Processor",
                                   "",
                                   "File name:\t" + path,
                                   "Description:\tLeaf sample",
                                   "Date:\t\t01/05/2004",
                                   "Time:\t\t09:03:07",
                                   "File type:\t\tRefelectance",
                                   "Illuminate:\t\tD65",
                                   "",
                                   "",
                                   "Variable\t\tCIE 1931(2)\tCIE 1964(10)",
                                   std::string(58, '_'),
                                   "",
                                   "X\t\t 47.5235\t\t 47.4056",
                                   "Y\t\t 50.0000\t\t 50.0000",
                                   "Z\t\t 54.4414\t\t 53.6524",
                                   "",
                                   "x\t\t  0.3127\t\t  0.3138",
                                   "y\t\t  0.3290\t\t  0.3310",
                                   "",
                                   "u'\t\t  0.1978\t\t  0.1979",
                                   "v'\t\t  0.4683\t\t  0.4696"}));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(ui.Prompts.back().title, "Lumivex");
    EXPECT_EQ(ui.Prompts.back().buttons, vbOKOnly + vbInformation);
}

TEST_F(Colorimetry, ReportOfAVersionTwoRawFileIsUnweighted) {
    const std::string path = Add(MakeSpectrum(2, std::vector<double>(2151, 1000)), "raw.002");
    form->chkSelectAll->click();
    form->cmdReport->click();
    const std::string report = Report(path);
    EXPECT_NE(report.find("File type:\t\tRawDN\r\nIlluminate:\t\tNone\r\n"), std::string::npos);
    EXPECT_NE(report.find("X\t\t100.0080\t\t 99.9886\r\n"), std::string::npos);
    EXPECT_NE(report.find("Y\t\t100.0000\t\t100.0000\r\n"), std::string::npos);
    EXPECT_NE(report.find("x\t\t  0.3333\t\t"), std::string::npos);
}

TEST_F(Colorimetry, FilesThatCannotBeEvaluatedAreToldAndSkipped) {
    auto coarse = ReflectanceFile(0.5);
    coarse.Header.WavelengthStep = 2;
    const std::string coarsePath = Add(coarse, "coarse.001");
    auto gap = ReflectanceFile(0.5);
    gap.Values[505 - 360] = -9999;
    const std::string gapPath = Add(gap, "gap.001");
    const std::string goodPath = Add(ReflectanceFile(0.5), "good.001");
    auto swir = ReflectanceFile(0.5);
    swir.Header.InstrumentType = Swir0;
    const std::string swirPath = Add(swir, "swir.001");
    // An older report of the gap file stays as it was.
    WriteBytes(OutputDirectory + "/gap.001.col", {'o', 'l', 'd'});

    form->chkSelectAll->click();
    EXPECT_EQ(
        ui.Messages(),
        std::vector<std::string>{
            coarsePath + " is not sampled at 1 nm: colorimetry needs one value per nanometre."});
    EXPECT_EQ(ui.Prompts[0].title, "Colorimetry");
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(Shown("lblX2"), "");

    Click(1);  // deselects the gap file, but shows it
    EXPECT_EQ(ui.Messages().back(),
              gapPath + " could not be evaluated: the spectrum has no value at 505 nm.");
    EXPECT_EQ(Shown("lblX2"), "");
    Click(1);

    ui.Prompts.clear();
    ui.Drive(AnswerOverwrite("Yes"));
    form->cmdReport->click();
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{
                  coarsePath + " is not sampled at 1 nm: colorimetry needs one value per "
                               "nanometre.",
                  gapPath + " could not be evaluated: the spectrum has no value at "
                            "505 nm.",
                  swirPath + " does not have a vnir region.", "1 Files Processed"}));
    EXPECT_FALSE(Reported(coarsePath));
    // Asked about and allowed, yet nothing is written over the older report.
    EXPECT_EQ(ui.PendingAnswers(), 0u);
    EXPECT_EQ(Report(gapPath), "old");
    EXPECT_TRUE(Reported(goodPath));
    EXPECT_FALSE(Reported(swirPath));
}

TEST_F(Colorimetry, AbsoluteFileWithoutCalibrationClearsTheDisplayButIsReportedRelative) {
    auto file = MakeSpectrum(2, std::vector<double>(481, 50));
    file.Header.DataType = DataTypeCode::Reflectance;
    file.Header.ApplicationCode = AppAbsoluteReflectance;
    const std::string path = Add(file, "abs.002");
    Add(ReflectanceFile(0.2), "other.001");
    Click(1);
    EXPECT_EQ(Shown("lblY2"), "20.0000");
    Click(0);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{path + " has no absolute calibration."});
    EXPECT_EQ(Shown("lblY2"), "");

    // The report weighs the relative reflectance (here 0.5).
    form->cmdReport->click();
    EXPECT_NE(Report(path).find("Y\t\t 50.0000\t\t 50.0000\r\n"), std::string::npos);
    EXPECT_EQ(ui.Messages().back(), "2 Files Processed");
}

TEST_F(Colorimetry, NoAtThePromptStopsTheRunQuietly) {
    const std::string first = Add(ReflectanceFile(0.2), "a.001");
    const std::string second = Add(ReflectanceFile(0.5), "b.001");
    WriteBytes(OutputDirectory + "/b.001.col", {'o', 'l', 'd'});
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("No", &seen));
    form->chkSelectAll->click();
    form->cmdReport->click();
    EXPECT_EQ(seen.Text, OutputDirectory + "/b.001.col already exists!\nOverwrite?");
    EXPECT_TRUE(seen.YesToAllEnabled);
    EXPECT_TRUE(Reported(first));
    EXPECT_EQ(Report(second), "old");
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_EQ(host.ProgressValues, std::vector<int>{0});
}

TEST_F(Colorimetry, OneEntryCannotAnswerForAllAndYesReplaces) {
    const std::string path = Add(ReflectanceFile(0.2), "a.001");
    WriteBytes(OutputDirectory + "/a.001.col", {'o', 'l', 'd'});
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("Yes", &seen));
    Click(0);
    form->cmdReport->click();
    EXPECT_FALSE(seen.YesToAllEnabled);
    EXPECT_EQ(Report(path).substr(0, 25), "ZEL Colorimetry Processor");
}

TEST_F(Colorimetry, ReportThatCannotBeWrittenEndsTheRun) {
    Add(ReflectanceFile(0.2), "a.001");
    Add(ReflectanceFile(0.5), "b.001");
    OutputDirectory = (TestFolder::Path() / "missing").string();
    form->chkSelectAll->click();
    form->cmdReport->click();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind(OutputDirectory + "/a.001.col could not be written: ", 0), 0u);
    EXPECT_EQ(host.ProgressValues, std::vector<int>{0});
    EXPECT_FALSE(fs::exists(OutputDirectory));
}

TEST_F(Colorimetry, RadianceWithoutCalibrationFilesStopsTheReport) {
    auto file = MakeSpectrum(2, std::vector<double>(481, 50));
    file.Header.DataType = Radiance;
    file.Header.InstrumentNumber = 4321;
    const std::string path = Add(file, "rad.002");
    const std::string later = Add(ReflectanceFile(0.5), "later.001");
    form->chkSelectAll->click();
    const std::size_t shown = ui.Messages().size();
    ASSERT_GE(shown, 1u);  // the conversion's own message
    EXPECT_EQ(Shown("lblX2"), "");
    form->cmdReport->click();
    EXPECT_GT(ui.Messages().size(), shown);
    EXPECT_NE(ui.Messages().back(), "0 Files Processed");
    EXPECT_NE(ui.Messages().back(), "No Files Processed");
    EXPECT_FALSE(Reported(path));
    EXPECT_FALSE(Reported(later));
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST(ColorimetryReport, ValuesLineUpInEightCharacters) {
    EXPECT_EQ(FormatColorValue(1.5f), "  1.5000");
    EXPECT_EQ(FormatColorValue(0.0f), "  0.0000");
    EXPECT_EQ(FormatColorValue(42.25f), " 42.2500");
    EXPECT_EQ(FormatColorValue(100.0f), "100.0000");
    EXPECT_EQ(FormatColorValue(999.99994f), "999.9999");
    EXPECT_EQ(FormatColorValue(-1.0f), "-1.0000");
    EXPECT_EQ(FormatColorValue(1234.5f), "1234.5000");
}

TEST(ColorimetryReport, TypeAndIlluminantNamesAsEarlierReportsSpellThem) {
    const std::pair<int, const char*> types[] = {
        {0, "RawDN"},      {1, "Refelectance"}, {2, "Radiance"},     {3, "No-Units"},
        {4, "Irradiance"}, {5, "QI-Type"},      {6, "Refelectance"}, {7, "Other"},
        {8, "Asorbance"},  {9, "Other"},        {255, "Other"}};
    for (const auto& [code, name] : types) {
        EXPECT_EQ(ColorimetryTypeName(static_cast<uint8_t>(code)), name) << code;
    }
    EXPECT_EQ(IlluminantName(0), "None");
    EXPECT_EQ(IlluminantName(2), "B");
    EXPECT_EQ(IlluminantName(3), "C");
    EXPECT_EQ(IlluminantName(5), "None");
}

TEST(ColorimetryReport, DescriptionTakesEveryByteUpToALineBreakAndDateTakesFullYears) {
    SpectrumHeader header;
    header.Comment.fill(0);
    header.Comment[0] = 'a';
    header.Comment[2] = 0xE9;  // é in the program's code page
    header.Comment[156] = 'z';
    header.SaveTime.Year = 2004;  // already a full year
    header.SaveTime.Mon = 11;
    header.SaveTime.MDay = 31;
    const std::string text =
        Text(ColorimetryReport("/d/caf\xC3\xA9.001", header, "Other", "None", {}));
    std::string description = "Description:\t";
    description += std::string("a\0\xE9", 3) + std::string(153, '\0') + "\r\n";
    EXPECT_NE(text.find(description), std::string::npos);
    EXPECT_NE(text.find("File name:\t/d/caf\xE9.001\r\n"), std::string::npos);
    EXPECT_NE(text.find("Date:\t\t12/31/2004\r\n"), std::string::npos);

    header.Comment[1] = '\n';
    EXPECT_NE(Text(ColorimetryReport("n", header, "Other", "None", {})).find("Description:\ta\r\n"),
              std::string::npos);
}

}  // namespace
