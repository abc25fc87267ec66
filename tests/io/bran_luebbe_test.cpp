#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame/ini_file.h"
#include "frame/settings.h"
#include "io/bran_luebbe_dialog.h"
#include "io/bran_luebbe_export.h"
#include "io/formats/bran_luebbe.h"
#include "support/batch_test.h"

namespace fs = std::filesystem;

namespace {

bool ParseRows(const std::string& text, std::vector<BLCoefficient>& rows, std::string& error) {
    return ParseBLCoefficients(reinterpret_cast<const uint8_t*>(text.data()), text.size(), rows,
                               error);
}

bool ParseModels(const std::string& text, std::vector<BLModel>& models, std::string& error) {
    return ParseBLModels(reinterpret_cast<const uint8_t*>(text.data()), text.size(), models, error);
}

// "400+k mult add" for k = 0 to count - 1.
std::string CoefficientText(int count, const std::string& tail = " 2 1", int first = 400) {
    std::string text = "; wavelength mult add\r\n";
    for (int k = 0; k < count; ++k) {
        text += std::to_string(first + k) + tail + "\r\n";
    }
    return text;
}

const std::string Protein = "Protein 2\r\n401 0.5\r\n402 1.25\r\nB0 3.1\r\n";

TEST(BLCoefficients, RowsAreThreeFieldsSplitAtSingleBlanks) {
    std::vector<BLCoefficient> rows;
    std::string error;
    std::string text =
        "1100 0.98765 -0.01234\n1100 1.5 -0.25\r;comment\r\n" + CoefficientText(17).substr(23);
    ASSERT_TRUE(ParseRows(text, rows, error)) << error;
    ASSERT_EQ(rows.size(), 19u);
    EXPECT_EQ(rows[0].Wavelength, 1100);
    EXPECT_EQ(rows[0].MultCoefficient, 0.98765f);
    EXPECT_EQ(rows[0].AddCoefficient, -0.01234f);
    EXPECT_EQ(rows[1].MultCoefficient, 1.5f);
    EXPECT_EQ(rows[1].AddCoefficient, -0.25f);
    EXPECT_EQ(rows[2].Wavelength, 400);
}

TEST(BLCoefficients, AnythingButNineteenConvertibleRowsIsRefusedWithItsReason) {
    std::vector<BLCoefficient> rows;
    std::string error;
    EXPECT_FALSE(ParseRows(CoefficientText(18), rows, error));
    EXPECT_EQ(error, "the file holds 18 coefficient rows; 19 are needed");
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(ParseRows(CoefficientText(20), rows, error));
    EXPECT_EQ(error, "the file holds 20 coefficient rows; 19 are needed");
    EXPECT_FALSE(ParseRows("", rows, error));
    EXPECT_EQ(error, "the file holds 0 coefficient rows; 19 are needed");
    // A blank line is a row, and it does not convert.
    EXPECT_FALSE(ParseRows(CoefficientText(10) + "\r\n" + CoefficientText(9), rows, error));
    EXPECT_EQ(error, "Type mismatch");
    EXPECT_FALSE(ParseRows("400  2 1\r\n" + CoefficientText(18), rows, error));
    EXPECT_EQ(error, "Type mismatch");
    EXPECT_FALSE(ParseRows("400 2\r\n" + CoefficientText(18), rows, error));
    EXPECT_EQ(error, "Invalid procedure call or argument");
    EXPECT_FALSE(ParseRows("40000 2 1\r\n" + CoefficientText(18), rows, error));
    EXPECT_EQ(error, "Overflow");
    EXPECT_FALSE(ParseRows("400 2 1e39\r\n" + CoefficientText(18), rows, error));
    EXPECT_EQ(error, "Overflow");
    EXPECT_FALSE(ParseRows(std::string(MaxBLFileSize + 1, ';'), rows, error));
}

TEST(BLModels, EachModelIsAHeadTermsAndAnIntercept) {
    std::vector<BLModel> models;
    std::string error;
    ASSERT_TRUE(ParseModels("; models\n" + Protein + "Fat 0\nB0 -1", models, error)) << error;
    ASSERT_EQ(models.size(), 2u);
    EXPECT_EQ(models[0].Name, "Protein ");
    EXPECT_EQ(models[0].TermCount, 2);
    EXPECT_EQ(models[0].TermWavelength[1], 402);
    EXPECT_EQ(models[0].TermCoefficient[1], 1.25f);
    EXPECT_EQ(models[0].InterceptLabel, "B0 ");
    EXPECT_EQ(models[0].Intercept, 3.1f);
    EXPECT_EQ(models[1].Name, "Fat ");
    EXPECT_EQ(models[1].Intercept, -1.0f);
    EXPECT_TRUE(ParseModels("", models, error));
    EXPECT_TRUE(models.empty());
}

TEST(BLModels, BadModelsAreRefusedWithTheirReason) {
    std::vector<BLModel> models;
    std::string error;
    EXPECT_FALSE(ParseModels("Protein 6\n1 1\n2 1\n3 1\n4 1\n5 1\n6 1\nB0 1", models, error));
    EXPECT_EQ(error, "the model Protein has 6 terms; 0 to 5 are allowed");
    EXPECT_FALSE(ParseModels("Protein -1\nB0 1", models, error));
    EXPECT_FALSE(ParseModels("Protein 2\n401 0.5\n402 1.25", models, error));
    EXPECT_EQ(error, "the file ends inside the model Protein");
    EXPECT_FALSE(ParseModels("Protein 2\n401 0.5\n;402 1.25\nB0 3.1", models, error));
    EXPECT_EQ(error, "Type mismatch");
    EXPECT_FALSE(ParseModels("Protein two\n", models, error));
    EXPECT_EQ(error, "Type mismatch");
    EXPECT_TRUE(models.empty());
}

TEST(BLWalk, WavelengthsRunFromTheRoundedFirstChannelOneNanometreAChannel) {
    long first = 0, last = 0;
    ASSERT_TRUE(BLWalkRange(350, 2151, first, last));
    EXPECT_EQ(first, 350);
    EXPECT_EQ(last, 2500);
    ASSERT_TRUE(BLWalkRange(350.5f, 2151, first, last));
    EXPECT_EQ(first, 350);
    EXPECT_FALSE(BLWalkRange(350, 0, first, last));
    EXPECT_FALSE(BLWalkRange(NAN, 10, first, last));

    std::vector<BLCoefficient> rows(19);
    for (int k = 0; k < 19; ++k) {
        rows[static_cast<std::size_t>(k)].Wavelength = static_cast<int16_t>(400 + 2 * k);
    }
    auto channel = [](std::size_t, std::size_t j) { return static_cast<float>(j); };
    BLValues values = WalkBLCoefficients(399, 100, 100, rows, channel);
    EXPECT_EQ(values[0], 1);
    EXPECT_EQ(values[18], 37);
    // A row the walk passes blocks the later ones; those stay 0.
    rows[3].Wavelength = 401;
    values = WalkBLCoefficients(399, 100, 100, rows, channel);
    EXPECT_EQ(values[2], 5);
    EXPECT_EQ(values[3], 0);
    EXPECT_EQ(values[18], 0);
    // Never past the channels there are, whatever the header says.
    rows[3].Wavelength = 406;
    values = WalkBLCoefficients(399, 100, 5, rows, channel);
    EXPECT_EQ(values[1], 3);
    EXPECT_EQ(values[2], 0);
}

TEST(BLPredict, TermsUseTheFirstRowOfTheirWavelength) {
    std::vector<BLModel> models;
    std::string error;
    ASSERT_TRUE(ParseModels("Protein 3\n401 0.5\n402 1.25\n999 7\nB0 3.1", models, error));
    std::vector<BLCoefficient> rows(19);
    BLValues values{};
    rows[1].Wavelength = 401;
    rows[2].Wavelength = 402;
    rows[5].Wavelength = 402;
    values[1] = 0.25f;
    values[2] = 2;
    values[5] = 100;
    EXPECT_DOUBLE_EQ(PredictBLModel(models[0], rows, values), 0.125 + 2.5 + double(3.1f));
}

class BranLuebbe : public BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        ExportIniFile.inifile = (TestFolder::Path() / "bl.ini").string();
        CoefficientFile = Write("cal.BLC", CoefficientText(19));
        ModelFile = Write("cal.BLM", Protein);
    }

    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
        return fs::absolute(name).string();
    }

    std::string AddFile(const SpectrumFileBuilder& file, const std::string& name) {
        const std::string path = fs::absolute(file.WriteTo(name)).string();
        host.WorkList.AddItem(path);
        return path;
    }

    // Sets the three boxes in the set-up dialog and clicks OK.
    void SetUpExport(bool mult, bool add, bool predict) {
        ui.Drive([=](QDialog& dialog) {
            auto& form = static_cast<frmBranLuebbe&>(dialog);
            form.chkMulti->setChecked(mult);
            form.chkAdd->setChecked(add);
            form.chkPredict->setChecked(predict);
            form.Command3->click();
            return form.result();
        });
    }

    std::string Ini(const char* section, const char* key) {
        return ExportIniFile.ProfileGetItem(section, key, "(missing)", ExportIniFile.inifile);
    }

    static std::string Text(const std::string& path) {
        const auto bytes = ReadBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
};

std::string Repeat(const std::string& cell, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += cell;
    }
    return text;
}

TEST_F(BranLuebbe, BothTablesWithPredictionsForLog1RSpectraOnly) {
    std::vector<double> decades;
    for (int j = 0; j < 20; ++j) {
        decades.push_back(std::pow(10.0, -j / 100.0));
    }
    auto a = MakeSpectrum(2, decades, std::vector<double>(20, 1));
    a.Header.Channel1Wavelength = 400;
    const std::string pathA = AddFile(a, "a.zel");
    auto b = a;
    b.Header.Channel1Wavelength = 410;
    const std::string pathB = AddFile(b, "b.zel");
    auto c = MakeSpectrum(1, std::vector<double>(20, 0.5));
    c.Header.Channel1Wavelength = 400;
    c.Header.DataType = Absorbance;
    const std::string pathC = AddFile(c, "c.zel");
    auto d = a;
    d.Reference.ReferenceFlag = 0;
    AddFile(d, "d.zel");

    UseMult = false;
    UseAdd = true;
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmBranLuebbe&>(dialog);
        EXPECT_EQ(form.windowTitle(), "Bran+Luebbe");
        EXPECT_FALSE(form.chkMulti->isChecked());
        EXPECT_TRUE(form.chkAdd->isChecked());
        EXPECT_EQ(form.txtCoefficients->text().toStdString(), CoefficientFile);
        EXPECT_EQ(form.txtBLModel->text().toStdString(), ModelFile);
        form.chkMulti->setChecked(true);
        form.chkPredict->setChecked(true);
        form.Command3->click();
        return form.result();
    });
    ui.Choose({Output("t.mbl")});
    ui.Choose({Output("t.abl")});
    ExportBranLuebbeFiles();

    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"6 Files Generated."});
    EXPECT_EQ(ui.Prompts.back().buttons, vbInformation);
    const auto& multDialog = ui.Prompts[1];
    EXPECT_EQ(multDialog.kind, ScriptedUi::Kind::OpenFile);
    EXPECT_EQ(multDialog.text, "Select B+L Multiplicative Filename");
    EXPECT_EQ(multDialog.filter, "BranLuebbe Files (*.mbl)|*.mbl|All Files (*.*)|*.*");
    EXPECT_EQ(multDialog.flags, 0x380006);
    EXPECT_EQ(multDialog.initDir, OutputDirectory);
    EXPECT_EQ(ui.Prompts[2].text, "Select B+L Additive Filename");
    EXPECT_EQ(host.Dialog.DefaultExt, ".abl");

    std::string head = "\tZEL Filename\tProtein ";
    for (int k = 0; k < 19; ++k) {
        head += "\t" + std::to_string(400 + k);
    }
    head += " \r\n";
    std::string rowA = "\t" + pathA + "\t3.16000";
    std::string addA = "\t" + pathA + "\t4.88000";
    for (int k = 0; k < 19; ++k) {
        char cell[32];
        std::snprintf(cell, sizeof cell, "\t%.5f", 2 * k / 100.0);
        rowA += cell;
        std::snprintf(cell, sizeof cell, "\t%g", 1 + k / 100.0);
        addA += cell;
    }
    EXPECT_EQ(Text(Output("t.mbl")), "Multiplicative \r\n" + head + rowA + " \r\n" + "\t" + pathB +
                                         "\t3.10000" + Repeat("\t0.00000", 19) + " \r\n" + "\t" +
                                         pathC + "\t4.85000" + Repeat("\t1.00000", 19) + " \r\n");
    EXPECT_EQ(Text(Output("t.abl")), "Additive \r\n" + head + addA + " \r\n" + "\t" + pathB +
                                         "\t3.10000" + Repeat("\t0", 19) + " \r\n" + "\t" + pathC +
                                         "\t5.72500" + Repeat("\t1.5", 19) + " \r\n");

    EXPECT_EQ(Ini("Coefficients", "UseMult"), "True");
    EXPECT_EQ(Ini("Coefficients", "UseAdd"), "True");
    EXPECT_EQ(Ini("Coefficients", "CoefficientFile"), CoefficientFile);
    EXPECT_EQ(Ini("Model", "Predict"), "True");
    EXPECT_EQ(Ini("Model", "ModelFile"), ModelFile);
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_TRUE(host.VisibleList.Entries().empty());
}

TEST_F(BranLuebbe, WithoutTablesTheSpectraAreReadAndNothingIsProcessed) {
    auto a = MakeSpectrum(2, std::vector<double>(20, 50));
    a.Header.Channel1Wavelength = 400;
    AddFile(a, "a.zel");
    SetUpExport(false, false, false);
    ExportBranLuebbeFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{1, 0}));
    EXPECT_EQ(Ini("Coefficients", "UseMult"), "False");
    EXPECT_EQ(Ini("Model", "Predict"), "False");
}

TEST_F(BranLuebbe, CancelInTheSetUpSavesNothingAndSaysNothing) {
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmBranLuebbe&>(dialog);
        form.chkMulti->setChecked(true);
        form.show();
        form.close();  // the title bar's close button
        return form.result();
    });
    ExportBranLuebbeFiles();
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_FALSE(fs::exists(ExportIniFile.inifile));
    EXPECT_FALSE(UseMult);
}

TEST_F(BranLuebbe, ABadCoefficientFileEndsTheRunWithOneMessage) {
    for (const auto& [file, description] :
         {std::pair{Write("short.BLC", CoefficientText(18)),
                    std::string("the file holds 18 coefficient rows; 19 are needed")},
          std::pair{Write("blank.BLC", "\r\n" + CoefficientText(19)), std::string("Type mismatch")},
          std::pair{std::string(), std::string("No such file or directory")}}) {
        ui.Prompts.clear();
        CoefficientFile = file;
        SetUpExport(true, true, true);
        ExportBranLuebbeFiles();
        EXPECT_EQ(ui.Messages(), std::vector<std::string>{
                                     "Error Processing Bran+Luebbe Coefficients file\r\nError "
                                     "Description: " +
                                     description});
        EXPECT_EQ(ui.Prompts.back().buttons, vbOKOnly);
    }
}

TEST_F(BranLuebbe, ABadModelFileEndsOnlyARunThatPredicts) {
    ModelFile = Write("bad.BLM", "Protein 6\n");
    SetUpExport(true, false, true);
    ExportBranLuebbeFiles();
    const std::string message =
        "Error Processing Bran+Luebbe Model file\r\nError Description: the model Protein has 6 "
        "terms; 0 to 5 are allowed";
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{message});

    ui.Prompts.clear();
    auto c = MakeSpectrum(1, std::vector<double>(20, 0.5));
    c.Header.Channel1Wavelength = 400;
    c.Header.DataType = Absorbance;
    const std::string pathC = AddFile(c, "c.zel");
    SetUpExport(true, false, false);
    ui.Choose({Output("t.mbl")});
    ExportBranLuebbeFiles();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{message, "1 Files Generated."}));
    EXPECT_EQ(Text(Output("t.mbl")).find("Protein"), std::string::npos);
}

TEST_F(BranLuebbe, NoTableIsWrittenOrTouchedUntilTheRunIsThrough) {
    auto c = MakeSpectrum(1, std::vector<double>(20, 0.5));
    c.Header.Channel1Wavelength = 400;
    c.Header.DataType = Absorbance;
    AddFile(c, "c.zel");
    const std::string earlier = Write("out/earlier.mbl", "earlier");
    SetUpExport(true, true, false);
    ui.Choose({earlier});
    ui.CancelFileDialog();
    ExportBranLuebbeFiles();
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(Text(earlier), "earlier");
    EXPECT_EQ(host.ProgressValue, 0);

    SetUpExport(true, true, false);
    ui.Choose({Output("t.mbl")});
    const std::string nowhere = OutputDirectory + "/missing/t.abl";
    ui.Choose({nowhere});
    ExportBranLuebbeFiles();
    EXPECT_EQ(ui.Messages().back(), "Error opening " + nowhere);
    EXPECT_EQ(ui.Prompts.back().buttons, vbCritical);
    EXPECT_FALSE(fs::exists(Output("t.mbl")));
}

TEST_F(BranLuebbe, ARunWithoutARowLeavesEarlierTablesAsTheyWere) {
    auto noReference = MakeSpectrum(2, std::vector<double>(20, 50));
    noReference.Reference.ReferenceFlag = 0;
    AddFile(noReference, "a.zel");
    const std::string mult = Write("out/earlier.mbl", "earlier mult");
    SetUpExport(true, true, false);
    ui.Choose({mult});
    ui.Choose({Output("new.abl")});
    ExportBranLuebbeFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_EQ(Text(mult), "earlier mult");
    EXPECT_FALSE(fs::exists(Output("new.abl")));

    // A folder is no table.
    SetUpExport(true, false, false);
    ui.Choose({OutputDirectory});
    ExportBranLuebbeFiles();
    EXPECT_EQ(ui.Messages().back(), "Error opening " + OutputDirectory);
}

TEST_F(BranLuebbe, BrowseButtonsChooseTheFilesAndCancelKeepsThem) {
    SetUpExport(false, false, false);
    ui.Drive([this](QDialog& dialog) {
        auto& form = static_cast<frmBranLuebbe&>(dialog);
        ui.Choose({"/data/new.BLC"});
        form.cmdCoefficients->click();
        EXPECT_EQ(form.txtCoefficients->text(), "/data/new.BLC");
        ui.CancelFileDialog();
        form.cmdBLModel->click();
        EXPECT_EQ(form.MFile(), ModelFile);
        form.Command4->click();
        EXPECT_EQ(form.CFile(), "/data/new.BLC");
        return form.result();
    });
    InputDirectory = "/data/in/";
    ExportBranLuebbeFiles();  // the first run, with its OK
    ExportBranLuebbeFiles();  // the second, cancelled after browsing
    const auto& coefficients = ui.Prompts[ui.Prompts.size() - 2];
    EXPECT_EQ(coefficients.text, "Select Bran+Luebbe Coefficient File");
    EXPECT_EQ(coefficients.filter, "B+L Coefficients (*.BLC)|*.BLC");
    EXPECT_EQ(coefficients.initDir, "/data/in/");
    EXPECT_EQ(coefficients.flags, 0x381004);
    EXPECT_EQ(ui.Prompts.back().filter, "B+L Coefficients (*.BLM)|*.BLM");
}

}  // namespace
