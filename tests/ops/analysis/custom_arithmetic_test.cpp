#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <filesystem>

#include "frame/settings.h"
#include "ops/analysis/custom_batch.h"
#include "ops/analysis/custom_dialog.h"
#include "ops/analysis/kernels/arithmetic.h"
#include "ops/analysis/operand_reader.h"
#include "ops/analysis/state.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/batch_test.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

class CustomArithmetic : public BatchTest {
protected:
    void TearDown() override { UnloadCustomForm(); }

    std::string Write(const SpectrumFileBuilder& file, const std::string& name) {
        return fs::absolute(file.WriteTo(name)).string();
    }
    void Add(const SpectrumFileBuilder& file, const std::string& name) {
        host.WorkList.AddItem(Write(file, name));
    }
};

TEST(CustomArithmeticKernel, OperandOrderExtensionsAndZeroOperand) {
    EXPECT_EQ(CombineWithOperand(OperationSubtract, {5, 1}, {2, 3}), (std::vector<double>{3, -2}));
    EXPECT_EQ(CombineWithOperand(OperationRatio, {6, 4}, {3, 0}), (std::vector<double>{2, 0}));
    EXPECT_EQ(CombineWithConstant(OperationAdd, {-9999}, 1), std::vector<double>{-9998});
    // The constant is the Single the dialog kept, widened.
    EXPECT_EQ(CombineWithConstant(OperationMultiply, {1}, 0.1f)[0], static_cast<double>(0.1f));
    EXPECT_EQ(CustomArithmeticExtension(OperationRatio, false), ".rts");
    EXPECT_EQ(CustomArithmeticExtension(OperationSubtract, true), ".sbc");
    EXPECT_EQ(CustomArithmeticExtension(4, true), "");
}

TEST_F(CustomArithmetic, ConstantOnAVersionOneFileKeepsItsLayout) {
    auto input = MakeSpectrum(1, {1, -9999, 0.5});
    input.Header.InstrumentType = Vnir1;
    Add(input, "x.001");
    PlotFormat = 3;
    CreateCustomArithmeticFiles(OperationMultiply, 2, "", 0);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{Output("x.001.mtc")});
    EXPECT_EQ(PlotFormat, 3);

    ResetSpectrumState();
    ASSERT_EQ(ReadSpectrumFile(Output("x.001.mtc")), 1);
    EXPECT_EQ(SpectrumData, (std::vector<double>{2, -19998, 1}));
    EXPECT_EQ(CurrentHeader.DataType, Arithmetic);
    EXPECT_EQ(CurrentHeader.InstrumentType, Vnir3);
    EXPECT_EQ(fs::file_size(Output("x.001.mtc")), 484u + 3 * 4);
}

TEST_F(CustomArithmetic, VersionSevenResultEndsAfterItsReference) {
    auto input = MakeCompleteSpectrum(7, {1, 2, 3, 4});
    Add(input, "x.001");
    CreateCustomArithmeticFiles(OperationMultiply, 2, "", 0);

    const auto bytes = ReadBytes(Output("x.001.mtc"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "ze7");
    const std::size_t n = 4, description = input.Reference.Description.Bytes.size();
    EXPECT_EQ(bytes.size(), 484 + 8 * n + (20 + description) + 8 * n);
    ResetSpectrumState();
    ASSERT_EQ(ReadSpectrumFile(Output("x.001.mtc")), 7);
    EXPECT_EQ(SpectrumData, (std::vector<double>{2, 4, 6, 8}));
    EXPECT_EQ(ReferenceData, input.ReferenceValues);
    EXPECT_EQ(CurrentHeader.InstrumentType, VnirSwir4);
    EXPECT_EQ(CalibrationCount, 0);
}

TEST_F(CustomArithmetic, RatioByAnOperandWithAZeroWarnsOnceAndGivesZero) {
    const std::string operand = Write(MakeSpectrum(1, {1, 0, 3}), "operand.001");
    Add(MakeSpectrum(1, {2, 4, 6}), "a.001");
    Add(MakeSpectrum(1, {4, 8, 12}), "b.001");
    CreateCustomArithmeticFiles(OperationRatio, 0, operand, 0);
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{"Warning..." + operand + " contains data values of '0.0'",
                                        "2 Files Processed"}));
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    ASSERT_EQ(ReadSpectrumFile(Output("a.001.rts")), 1);
    EXPECT_EQ(SpectrumData, (std::vector<double>{2, 0, 2}));
}

TEST_F(CustomArithmetic, OperandOfAnotherSizeSkipsTheFile) {
    const std::string operand = Write(MakeSpectrum(1, {1, 2}), "operand.001");
    Add(MakeSpectrum(1, {2, 4, 6}), "a.001");
    CreateCustomArithmeticFiles(OperationAdd, 0, operand, 0);
    ASSERT_EQ(ui.Prompts.size(), 2u);
    EXPECT_EQ(ui.Prompts[0].text, "Conversion Error...File Sizes Don't Match!\r\n\r\n" + operand +
                                      " has 1 elements\r\n" + host.WorkList.List(0) +
                                      " has 2 elements\r\nThis file will be skipped.");
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly);
    EXPECT_EQ(ui.Prompts[1].text, "No Files Processed");
    EXPECT_TRUE(fs::is_empty("out"));
}

TEST_F(CustomArithmetic, UnreadableOperandEndsBeforeTheFirstFile) {
    Add(MakeSpectrum(1, {2, 4, 6}), "a.001");
    // A header that promises more values than the file holds.
    auto lying = MakeSpectrum(2, {1, 2, 3});
    lying.ChannelCount = 3000;
    const std::string operand = Write(lying, "operand.001");
    CreateCustomArithmeticFiles(OperationAdd, 0, operand, 0);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"File Error\r" + operand +
                                                      " ends inside its spectrum values."});
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_TRUE(fs::is_empty("out"));
}

TEST_F(CustomArithmetic, OperandReaderLeavesTheLoadedSpectrumAlone) {
    ASSERT_EQ(ReadSpectrumFile(Write(MakeSpectrum(7, {5, 6}), "input.001")), 7);
    auto legacy = MakeSpectrum(1, std::vector<double>(512, 0));
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = Swir0;
    legacy.ChannelCount = 600;
    std::vector<double> data, reference{9};
    ASSERT_EQ(ReadSpectrumArrays(Write(legacy, "legacy.001"), data, reference), 0);
    EXPECT_EQ(data.size(), 512u);
    EXPECT_TRUE(reference.empty());
    // Compared with the input by what it holds, not by its stored count.
    EXPECT_EQ(OperandUpperBound, 511);
    EXPECT_FALSE(OperandHasZero);
    EXPECT_EQ(FileVersion, 7);
    EXPECT_EQ(SpectrumData, (std::vector<double>{5, 6}));

    EXPECT_EQ(ReadSpectrumArrays(Write(MakeSpectrum(2, {1, 0}), "zero.001"), data, reference), 0);
    EXPECT_TRUE(OperandHasZero);
    EXPECT_EQ(reference, (std::vector<double>{100, 100}));

    WriteBytes("alien.001", std::vector<uint8_t>(600, 'x'));
    EXPECT_EQ(ReadSpectrumArrays("alien.001", data, reference), -1);
    EXPECT_EQ(FileVersion, 7);
    EXPECT_EQ(ui.Messages().back(), "alien.001 doesn't appear to be an ZEL Spectrum File!");
}

TEST_F(CustomArithmetic, CorrespondingFilesPairByPositionAndStopAtAMissingOne) {
    frmCustom& form = CustomForm();
    form.List1->addItem(QString::fromStdString(Write(MakeSpectrum(1, {1, 2}), "op1.001")));
    form.List1->addItem(QString::fromStdString(Write(MakeSpectrum(1, {10, 20}), "op2.001")));
    form.List1->addItem(QStringLiteral("/nowhere/op3.001"));
    Add(MakeSpectrum(1, {5, 5}), "a.001");
    Add(MakeSpectrum(1, {5, 5}), "b.001");
    Add(MakeSpectrum(1, {5, 5}), "c.001");
    CreateCustomArithmeticFiles(OperationSubtract, 0, "", -1);

    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].rfind("File Error\r/nowhere/op3.001", 0), 0u);
    EXPECT_EQ(messages[1], "Can't find Corresponding File for:\r\n" + host.WorkList.List(2));
    EXPECT_EQ(messages[2], "2 Files Processed");
    ASSERT_EQ(ReadSpectrumFile(Output("b.001.sbs")), 1);
    EXPECT_EQ(SpectrumData, (std::vector<double>{-5, -15}));
    EXPECT_EQ(form.List1->count(), 0);
}

TEST_F(CustomArithmetic, LauncherCheckCountsTheCorrespondingFiles) {
    Add(MakeSpectrum(1, {1}), "a.001");
    EXPECT_TRUE(CheckCorrespondingFiles(0));
    EXPECT_FALSE(CheckCorrespondingFiles(-1));
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{
                  "You have not selected the correct number of corresponding files"});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbInformation);
    CustomForm().List1->addItem(QStringLiteral("/x/b.001"));
    EXPECT_TRUE(CheckCorrespondingFiles(-1));
}

// Drives the dialog: each step clicks or types, the last one closes it.
std::function<int(QDialog&)> OnForm(std::function<void(frmCustom&)> steps) {
    return [steps](QDialog& dialog) {
        auto& form = static_cast<frmCustom&>(dialog);
        steps(form);
        return form.result();
    };
}

TEST_F(CustomArithmetic, CancelRunsNothingWhateverTheSource) {
    ui.Drive(OnForm([](frmCustom& form) {
        form.Option2[2]->click();
        form.Command3->click();
    }));
    EXPECT_FALSE(ChooseCustomArithmetic());
    ui.Drive(OnForm([](frmCustom& form) { form.Command3->click(); }));
    EXPECT_FALSE(ChooseCustomArithmetic());
}

TEST_F(CustomArithmetic, ConstantFromThePictureButtonAndRefusedConstants) {
    ui.Drive(OnForm([](frmCustom& form) {
        EXPECT_EQ(form.Option2[2]->text(), "Corresponding Files");
        form.Option1[1]->click();
        form.Option2[1]->click();
        for (const char* text : {"0", "abc", "1e400", "1e-60"}) {
            form.Text1->setText(QString::fromLatin1(text));
            form.Command2->click();
        }
        form.Image1->click();
        EXPECT_EQ(form.Text1->text(), "3.14159265359");
        form.Command2->click();
    }));
    const auto arguments = ChooseCustomArithmetic();
    ASSERT_TRUE(arguments);
    EXPECT_EQ(arguments->Operation, OperationMultiply);
    EXPECT_EQ(arguments->Constant, 3.14159265359f);
    EXPECT_EQ(arguments->FileName, "");
    EXPECT_EQ(arguments->UseList, 0);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>(4, "Invalid Constant!"));
}

TEST_F(CustomArithmetic, FileSourceNeedsABrowsedFileEvenAfterACancel) {
    const std::string operand = Write(MakeSpectrum(1, {1}), "operand.001");
    ui.Drive(OnForm([](frmCustom& form) {
        form.Command2->click();  // no source yet
        form.Option2[0]->click();
        form.Command2->click();
        form.Command1->click();
        EXPECT_EQ(form.Label1->text().toStdString(), "/.../operand.001");
        form.Command3->click();
    }));
    ui.Choose({operand});
    EXPECT_FALSE(ChooseCustomArithmetic());

    // The cancelled name is gone from the label too, so OK cannot pass empty.
    ui.Drive(OnForm([](frmCustom& form) {
        form.Option2[0]->click();
        form.Command2->click();
        form.Command1->click();
        form.Command2->click();
    }));
    ui.Choose({operand});
    const auto arguments = ChooseCustomArithmetic();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Please Select Data Source!",
                                                       "No File Selected!", "No File Selected!"}));
    ASSERT_TRUE(arguments);
    EXPECT_EQ(arguments->Operation, OperationRatio);
    EXPECT_EQ(arguments->FileName, operand);
}

TEST_F(CustomArithmetic, CorrespondingFilesAreAddedClearedAndShownInTheTallForm) {
    ui.Drive(OnForm([](frmCustom& form) {
        EXPECT_EQ(form.HeightTwips(), 3600);
        form.Option2[2]->click();
        EXPECT_EQ(form.HeightTwips(), 6135);
        form.Command4->click();
        form.Command4->click();
        EXPECT_EQ(form.List1->count(), 5);
        EXPECT_EQ(form.List1->item(3)->text(), "/data/d.001");
        EXPECT_EQ(form.Option2[2]->text(), "Corresponding Files  2 Selected");
        form.Command2->click();
    }));
    ui.Choose({"/data/a.001", "/data/b.001", "/data/c.001"});
    ui.Choose({"/data/d.001", "/data/e.001"});
    const auto arguments = ChooseCustomArithmetic();
    ASSERT_TRUE(arguments);
    EXPECT_EQ(arguments->UseList, -1);

    ui.Drive(OnForm([](frmCustom& form) {
        EXPECT_FALSE(form.Option2[2]->isChecked());
        EXPECT_EQ(form.List1->count(), 5);
        form.Command5->click();
        EXPECT_EQ(form.Option2[2]->text(), "Corresponding Files  None Selected");
        EXPECT_EQ(form.List1->count(), 0);
        form.Command3->click();
    }));
    EXPECT_FALSE(ChooseCustomArithmetic());
}

TEST_F(CustomArithmetic, UnloadingTheDialogForgetsItsContents) {
    CustomForm().List1->addItem(QStringLiteral("/x/a.001"));
    EXPECT_TRUE(CustomFormLoaded);
    UnloadCustomForm();
    EXPECT_FALSE(CustomFormLoaded);
    EXPECT_EQ(CustomForm().List1->count(), 0);
    EXPECT_TRUE(CustomFormLoaded);
}

}  // namespace
