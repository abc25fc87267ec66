#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame/settings.h"
#include "io/formats/xy_text.h"
#include "io/xy_import.h"
#include "io/xy_import_dialogs.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/batch_test.h"
#include "zelutil/binding.h"

namespace fs = std::filesystem;

namespace {

XYProblem Read(const std::string& text, char separator, XYPoints& points) {
    return ReadXYPoints(reinterpret_cast<const uint8_t*>(text.data()), text.size(), separator,
                        points);
}

XYProblem Read(const std::string& text, char separator = '\t') {
    XYPoints points;
    return Read(text, separator, points);
}

const std::string Squares = "400\t0\r\n401\t1\r\n402\t4\r\n403\t9\r\n404\t16\r\n405\t25\r\n";

TEST(XYText, LinesEndAtCrLfCrOrLfAndTheLastNeedsNoEnd) {
    for (const std::string& text : {Squares, std::string("400\t0\n401\t1\n402\t4\n403\t9"),
                                    std::string("400\t0\r401\t1\r402\t4\r403\t9\r"),
                                    std::string("400\t0\r\n401\t1\n402\t4\r403\t9")}) {
        XYPoints points;
        ASSERT_EQ(Read(text, '\t', points), XYProblem::None) << text;
        EXPECT_EQ(points.X.front(), 400);
        EXPECT_EQ(points.Y[3], 9);
    }
}

TEST(XYText, FilesWithoutUsablePointsAreInvalidFileFormats) {
    EXPECT_EQ(Read(""), XYProblem::InvalidFileFormat);
    EXPECT_EQ(Read(Squares + "\r\n"), XYProblem::InvalidFileFormat);  // empty last line
    EXPECT_EQ(Read("400\t0\r\n\r\n401\t1\r\n402\t4\r\n403\t9"), XYProblem::InvalidFileFormat);
    EXPECT_EQ(Read("400\t0\n401\t1\n402\t4"), XYProblem::InvalidFileFormat);  // three points
    EXPECT_EQ(Read("403\t0\n402\t1\n401\t4\n400\t9"), XYProblem::InvalidFileFormat);
    EXPECT_EQ(Read("400\t0\n401\t1\n401\t4\n402\t9"), XYProblem::InvalidFileFormat);
    EXPECT_EQ(Read("400 0\n401 1\n402 4\n403 9"), XYProblem::InvalidFileFormat);  // no tab
    EXPECT_EQ(Read("400,0\n401,1\n402,4\n403,9", ','), XYProblem::None);
}

TEST(XYText, TextThatIsNoNumberIsAnInvalidDataFormat) {
    EXPECT_EQ(Read("Wavelength\tValue\r\n" + Squares), XYProblem::InvalidDataFormat);
    EXPECT_EQ(Read("400\t0\t1\r\n" + Squares), XYProblem::InvalidDataFormat);
    EXPECT_EQ(Read("400\t0\t\r\n" + Squares), XYProblem::InvalidDataFormat);
    EXPECT_EQ(Read("400,0,\n401,1\n402,4\n403,9", ','), XYProblem::InvalidDataFormat);
    EXPECT_EQ(Read("\t400\t0\r\n" + Squares), XYProblem::InvalidDataFormat);
    EXPECT_EQ(Read("400\t1e39\n401\t1\n402\t4\n403\t9"), XYProblem::InvalidDataFormat);
    EXPECT_EQ(Read("400,5\t1\n401\t1\n402\t4\n403\t9"), XYProblem::InvalidDataFormat);
    // A blank separator takes any padding of blanks.
    XYPoints points;
    ASSERT_EQ(Read("400   0\n401 1 \n402  4\n403 9", ' ', points), XYProblem::None);
    EXPECT_EQ(points.Y, (std::vector<double>{0, 1, 4, 9}));
}

TEST(XYText, YIsKeptAtSinglePrecision) {
    XYPoints points;
    ASSERT_EQ(Read("400\t0.1\n401\t1\n402\t4\n403\t9", '\t', points), XYProblem::None);
    EXPECT_EQ(points.Y[0], static_cast<double>(0.1f));
}

TEST(XYText, OversizedFilesAreRefusedBeforeTheyAreRead) {
    std::string many;
    for (int i = 0; i < 32768; ++i) {
        many += std::to_string(i) + "\t1\n";
    }
    EXPECT_EQ(Read(many), XYProblem::InvalidFileFormat);
    many.erase(many.rfind("32767"));
    EXPECT_EQ(Read(many), XYProblem::None);
    std::string huge(MaxXYFileSize + 1, '0');
    EXPECT_EQ(Read(huge), XYProblem::InvalidFileFormat);
}

TEST(XYGrid, StartIsClampedToTheFileAndTheGridEndsOneBeyondTheLastX) {
    XYPoints points;
    ASSERT_EQ(Read(Squares, '\t', points), XYProblem::None);
    EXPECT_EQ(ImportGridStart(300, points), 400);
    EXPECT_EQ(ImportGridStart(500, points), 400);
    EXPECT_EQ(ImportGridStart(400.5, points), 400.5);
    EXPECT_EQ(ImportGrid(400, points), (std::vector<double>{400, 401, 402, 403, 404, 405, 406}));
    EXPECT_EQ(ImportGrid(405, points), (std::vector<double>{405, 406}));
    EXPECT_EQ(ImportGrid(400.5, points).size(), 6u);

    XYPoints wide{{350, 351, 352, 2500}, {0, 0, 0, 0}};
    EXPECT_EQ(ImportGrid(350, wide).size(), 2152u);
    EXPECT_EQ(ImportGrid(350.5, wide).size(), 2151u);
    XYPoints huge{{0, 1, 2, 40000}, {0, 0, 0, 0}};
    EXPECT_TRUE(ImportGrid(0, huge).empty());
    EXPECT_EQ(ImportGrid(40000 - 32767 + 1, huge).size(), 32768u);
    EXPECT_TRUE(ImportGrid(40000 - 32767, huge).empty());
    XYPoints endless{{0, 1, 2, 1e300}, {0, 0, 0, 0}};
    EXPECT_TRUE(ImportGrid(0, endless).empty());
}

TEST(XYGrid, LampDataInMicrowattsAreDividedAsSingles) {
    XYPoints flat{{500, 501, 502, 503}, {250, 250, 250, 250}};
    const auto grid = ImportGrid(500, flat);
    std::vector<float> values;
    ASSERT_TRUE(ImportValues(flat, grid, true, values, &ZelUtil::InterpolateValue));
    EXPECT_EQ(values, std::vector<float>(5, 2.5f));
    ASSERT_TRUE(ImportValues(flat, grid, false, values, &ZelUtil::InterpolateValue));
    EXPECT_EQ(values, std::vector<float>(5, 250.0f));
    auto refuse = [](double&, const double*, const double*, int32_t, double) { return 0; };
    EXPECT_FALSE(ImportValues(flat, grid, false, values, refuse));
}

class XYImport : public BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        VersionText = "1.0";
    }

    std::string AddText(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
        const std::string path = fs::absolute(name).string();
        host.WorkList.AddItem(path);
        return path;
    }

    // Step 1: picks the separator (0 Space, 1 Comma, 2 Tab) and clicks OK.
    void Separator(int option = 2) {
        ui.Drive([option](QDialog& dialog) {
            auto& form = static_cast<frmDelimiter&>(dialog);
            EXPECT_TRUE(form.Option1[2]->isChecked());
            form.Option1[static_cast<std::size_t>(option)]->click();
            form.Command1->click();
            return form.result();
        });
    }

    // Step 2: types start (nullptr keeps the first X), sets the lamp options
    // and clicks OK.
    void Start(const char* start = nullptr, bool lamp = false, bool microwatts = false) {
        ui.Drive([=](QDialog& dialog) {
            auto& form = static_cast<frmAsciiImport&>(dialog);
            if (start) {
                form.txtStartingWavelength->setText(start);
            }
            if (lamp) {
                form.Check1->click();
            }
            form.Option2[microwatts ? 0 : 1]->click();
            form.Command1->click();
            return form.result();
        });
    }

    void CancelStart() {
        ui.Drive([](QDialog& dialog) {
            static_cast<frmAsciiImport&>(dialog).Command2->click();
            return dialog.result();
        });
    }

    std::vector<float> Singles(const std::string& path) {
        const auto bytes = ReadBytes(path);
        std::vector<float> values((bytes.size() - SpectrumHeader::Size) / 4);
        std::memcpy(values.data(), bytes.data() + SpectrumHeader::Size, values.size() * 4);
        return values;
    }
};

TEST_F(XYImport, SquaresBecomeAVersionOneFileOnTheOneNanometreGrid) {
    AddText("squares.txt", Squares);
    Separator();
    ui.Drive([](QDialog& dialog) {
        auto& form = static_cast<frmAsciiImport&>(dialog);
        EXPECT_EQ(form.txtStartingWavelength->text(), "400");
        EXPECT_FALSE(form.Frame1->isVisibleTo(&form));
        form.Check1->click();
        EXPECT_TRUE(form.Frame1->isVisibleTo(&form));
        EXPECT_TRUE(form.Option2[1]->isChecked());
        form.Check1->click();
        form.Command1->click();
        return form.result();
    });
    ui.Choose({Output("squares.zel")});
    ImportAsciiXYFiles();

    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 File(s) Processed"});
    EXPECT_EQ(ui.Prompts.back().buttons, vbInformation);
    const auto& save = ui.Prompts[2];
    EXPECT_EQ(save.kind, ScriptedUi::Kind::SaveFile);
    EXPECT_EQ(save.text, "Select Output Filename for Input File squares.txt");
    EXPECT_EQ(save.flags, 0x380006);
    EXPECT_EQ(save.initDir, OutputDirectory);
    EXPECT_EQ(save.filter, "All Files (*.*)|*.*");
    EXPECT_EQ(ui.DoEventsCount, 1);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{Output("squares.zel")});
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{1, 0}));

    ASSERT_EQ(fs::file_size(Output("squares.zel")), 512u);
    EXPECT_EQ(Singles(Output("squares.zel")), (std::vector<float>{0, 1, 4, 9, 16, 25, 36}));
    ASSERT_EQ(ReadSpectrumFile(Output("squares.zel")), 1);
    EXPECT_EQ(SpectrumData, (std::vector<double>{0, 1, 4, 9, 16, 25}));
    const SpectrumHeader& h = CurrentHeader;
    EXPECT_EQ(std::string(h.Signature.begin(), h.Signature.end()), "ZEL");
    EXPECT_EQ(h.ChannelCount, 6);
    EXPECT_EQ(h.Channel1Wavelength, 400);
    EXPECT_EQ(h.WavelengthStep, 1);
    EXPECT_EQ(h.DataType, Raw);
    EXPECT_EQ(h.ValueFormat, ValueSingle);
    EXPECT_EQ(h.InstrumentType, VnirSwir4);
    EXPECT_EQ(h.BitCount, 16);
    EXPECT_EQ(h.XMax, 65535);
    EXPECT_EQ(h.XMin, 0);
    EXPECT_EQ(h.ProgramVersion, 0x10);
    EXPECT_EQ(h.FormatVersion, 16);
    EXPECT_EQ(h.DarkSubtracted, 0);
    EXPECT_EQ(h.Comment, decltype(h.Comment){});
    EXPECT_GT(h.SaveTime.Year, 100);  // stamped now, years since 1900
}

TEST_F(XYImport, AStartBetweenWholeWavelengthsShiftsTheGrid) {
    AddText("squares.txt", Squares);
    Separator();
    Start("400.5");
    ui.Choose({Output("half.zel")});
    ImportAsciiXYFiles();
    ASSERT_EQ(fs::file_size(Output("half.zel")), 508u);
    ASSERT_EQ(ReadSpectrumFile(Output("half.zel")), 1);
    EXPECT_EQ(CurrentHeader.ChannelCount, 5);
    EXPECT_EQ(CurrentHeader.Channel1Wavelength, 400.5f);
    EXPECT_EQ(SpectrumData, (std::vector<double>{0.25, 2.25, 6.25, 12.25, 20.25}));
    EXPECT_EQ(Singles(Output("half.zel")).back(), 30.25f);
}

TEST_F(XYImport, MicrowattLampDataAreConvertedOnlyWhenTheBoxIsChecked) {
    const std::string flat = "500\t250\r\n501\t250\r\n502\t250\r\n503\t250";
    for (const auto& [lamp, microwatts, expected] :
         {std::tuple{true, true, 2.5f}, std::tuple{true, false, 250.0f},
          std::tuple{false, true, 250.0f}}) {
        AddText("flat.txt", flat);
        Separator();
        Start(nullptr, lamp, microwatts);
        ui.Choose({Output("flat.zel")});
        ImportAsciiXYFiles();
        EXPECT_EQ(Singles(Output("flat.zel")), std::vector<float>(5, expected));
        host.WorkList.Clear();
    }
}

TEST_F(XYImport, RejectedFilesAreNamedAndNothingIsWritten) {
    host.VisibleList.AddItem("kept");
    const std::string blank = AddText("blank.txt", Squares + "\r\n");
    const std::string title = AddText("title.txt", "Wavelength\tValue\r\n" + Squares);
    const std::string spaced = AddText("spaced.txt", "400   0\n401 1\n402 4\n403 9");
    const std::string missing = (TestFolder::Path() / "missing.txt").string();
    host.WorkList.AddItem(missing);
    Separator();
    ImportAsciiXYFiles();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{
                                 blank + " is an invalid file format...file ignored",
                                 title + " is an invalid data format...file ignored",
                                 spaced + " is an invalid file format...file ignored",
                                 "File Error\rNo such file or directory", "No Files Processed"}));
    EXPECT_EQ(ui.Prompts[1].buttons, vbCritical);
    EXPECT_EQ(ui.Prompts[4].buttons, vbExclamation);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"kept"});
    EXPECT_TRUE(fs::is_empty("out"));
}

TEST_F(XYImport, AGridTooLongForAFileIsRejectedAfterTheStartIsChosen) {
    const std::string wide = AddText("wide.txt", "1\t0\n2\t1\n3\t2\n40000\t3");
    Separator();
    Start();
    ImportAsciiXYFiles();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{wide + " is an invalid file format...file "
                                                              "ignored",
                                                       "No Files Processed"}));
}

TEST_F(XYImport, TheHeaderTakesOnlyTheReferenceDescriptionOfTheFileReadBefore) {
    auto white = MakeSpectrum(2, {1, 2, 3, 4});
    white.Reference.Description.Bytes = {'w', 'h', 'i', 't', 'e', ' ', 'r', 'e', 'f'};
    white.Header.Gps.Latitude = 3957.1234;
    white.Header.InstrumentNumber = 1234;
    white.Header.ApplicationCode = AppAbsoluteReflectance;
    white.Header.Flags = {1, 2, 3, 4};
    white.WriteTo("white.zel");
    ASSERT_EQ(ReadSpectrumFile("white.zel"), 2);

    AddText("squares.txt", Squares);
    Separator();
    Start();
    ui.Choose({Output("imported.zel")});
    ImportAsciiXYFiles();
    ASSERT_EQ(ReadSpectrumFile(Output("imported.zel")), 1);
    const SpectrumHeader& h = CurrentHeader;
    std::array<uint8_t, 157> comment{};
    std::memcpy(comment.data(), "white ref", 9);
    EXPECT_EQ(h.Comment, comment);
    EXPECT_EQ(h.DarkSubtracted, 1);
    EXPECT_EQ(h.Gps.Latitude, 0);
    EXPECT_EQ(h.InstrumentNumber, 0);
    EXPECT_EQ(h.ApplicationCode, 0);
    EXPECT_EQ(h.Flags, (std::array<uint8_t, 4>{}));
    EXPECT_EQ(h.FormatVersion, 16);
    EXPECT_EQ(h.DarkTime, 0);
    EXPECT_EQ(h.ReferenceTime, 0);
    EXPECT_EQ(h.InstrumentType, VnirSwir4);

    // A description longer than the comment keeps the last byte a NUL.
    ReferenceRecord.Description.Bytes.assign(300, 'x');
    InitImportHeader();
    EXPECT_EQ(CurrentHeader.Comment[155], 'x');
    EXPECT_EQ(CurrentHeader.Comment[156], 0);
}

TEST_F(XYImport, CancelInStepTwoReportsTheFilesWrittenSoFar) {
    for (int i = 0; i < 5; ++i) {
        AddText("in" + std::to_string(i) + ".txt", Squares);
    }
    Separator();
    Start();
    ui.Choose({Output("a.zel")});
    Start();
    ui.Choose({Output("b.zel")});
    CancelStart();
    ImportAsciiXYFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"2 File(s) Processed"});
    EXPECT_EQ(host.VisibleList.Entries(),
              (std::vector<std::string>{Output("a.zel"), Output("b.zel")}));
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(XYImport, CancelInTheSaveDialogEndsTheRunWithoutAReport) {
    for (int i = 0; i < 5; ++i) {
        host.VisibleList.AddItem(AddText("in" + std::to_string(i) + ".txt", Squares));
    }
    const auto inputs = host.VisibleList.Entries();
    Separator();
    Start();
    ui.Choose({Output("a.zel")});
    Start();
    ui.Choose({Output("b.zel")});
    Start();
    ui.CancelFileDialog();
    ImportAsciiXYFiles();
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(host.VisibleList.Entries(), inputs);
    EXPECT_TRUE(fs::exists(Output("b.zel")));
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(XYImport, AnOutputThatCannotBeWrittenIsNamedOnceAndEndsTheRun) {
    AddText("a.txt", Squares);
    AddText("b.txt", Squares);
    host.VisibleList.AddItem("kept");
    Separator();
    Start();
    const std::string nowhere = OutputDirectory + "/no such folder/a.zel";
    ui.Choose({nowhere});
    ImportAsciiXYFiles();
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(nowhere + " could not be written", 0), 0u);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"kept"});
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(XYImport, DialogsClosedOrCancelledEndTheirStepAndANonNumberStartIsAskedAgain) {
    host.VisibleList.AddItem("kept");
    AddText("squares.txt", Squares);
    ui.Drive([](QDialog& dialog) {
        dialog.show();
        dialog.close();  // the title bar's close button
        return dialog.result();
    });
    ImportAsciiXYFiles();
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_TRUE(host.ProgressValues.empty());

    Separator(1);  // comma: no line has one
    ImportAsciiXYFiles();
    EXPECT_EQ(ui.Messages().back(), "No Files Processed");

    ui.Prompts.clear();
    Separator();
    ui.Drive([this](QDialog& dialog) {
        auto& form = static_cast<frmAsciiImport&>(dialog);
        form.txtStartingWavelength->setText("abc");
        form.Command1->click();
        EXPECT_EQ(ui.Messages(),
                  std::vector<std::string>{"The Starting Wavelength must be a number."});
        EXPECT_NE(form.result(), QDialog::Accepted);
        form.show();
        form.close();
        return form.result();
    });
    ImportAsciiXYFiles();
    EXPECT_EQ(ui.Messages().back(), "No Files Processed");
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"kept"});
}

}  // namespace
