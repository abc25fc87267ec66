// The header window: what it lists for a file, and what a save does to the
// file's bytes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <memory>

#include "frame/services.h"
#include "spectrum/state.h"
#include "support/file_size_limit.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"
#include "support/spectrum_builder.h"
#include "views/header_window.h"
#include "views/view_services.h"

namespace fs = std::filesystem;

namespace {

std::vector<double> Ramp(int n) {
    std::vector<double> values;
    for (int i = 0; i < n; ++i) {
        values.push_back(100 + i);
    }
    return values;
}

template <typename T>
T At(const std::vector<uint8_t>& bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

std::vector<uint8_t> Tail(const std::vector<uint8_t>& bytes) {
    return std::vector<uint8_t>(bytes.begin() + SpectrumHeader::Size, bytes.end());
}

void SetComment(SpectrumHeader& header, const std::string& text) {
    header.Comment.fill(0);
    std::memcpy(header.Comment.data(), text.data(), std::min(text.size(), header.Comment.size()));
}

class HeaderWindow : public testing::Test {
protected:
    void SetUp() override { ResetSpectrumState(); }

    // Writes the file and puts its full name on the work list.
    std::string Add(const SpectrumFileBuilder& file, const std::string& name) {
        const std::string path = fs::absolute(file.WriteTo(name)).string();
        host.WorkList.AddItem(path);
        return path;
    }

    std::unique_ptr<frmHeader> Open() { return std::make_unique<frmHeader>(); }

    // Clicks "&Save"; true when the save went through.
    static bool Save(frmHeader& form) {
        form.Command1->click();
        return form.Command1->text() == "&OK";
    }

    static void EditVersion(frmHeader& form, const QString& text) {
        form.Label4_DblClick();
        form.txtEdit->setText(text);
        form.txtEdit_LostFocus();
    }

    // A version-2 file of a two-detector instrument whose instrument fields
    // all pass the checks of edit mode.
    static SpectrumFileBuilder Version2() {
        auto file = MakeSpectrum(2, Ramp(10));
        file.Header.IntegrationTime = 17;
        file.Header.Swir1Gain = file.Header.Swir2Gain = 1;
        file.Header.Swir1Offset = file.Header.Swir2Offset = 1;
        return file;
    }

    MemoryBatchHost host;
    ScriptedUi ui;
};

// ----------------------------------------------------------------- listing

TEST_F(HeaderWindow, ListsTheFirstFileAsSoonAsItOpens) {
    auto file = Version2();
    file.Header.FormatVersion = 25;
    file.Header.ProgramVersion = 82;
    file.Header.SaveTime = {9, 5, 14, 31, 0, 105, 0, 0, 0};
    file.Header.XMin = 400;
    file.Header.XMax = 400;
    file.Header.YMin = 0;
    file.Header.YMax = 1;
    const std::string path = Add(file, "a.zel");
    auto older = Version2();
    older.Header.FormatVersion = 16;
    Add(older, "b.zel");

    auto form = Open();
    EXPECT_EQ(form->List1->count(), 2);
    EXPECT_EQ(form->List1->currentRow(), 0);
    EXPECT_EQ(form->ListedFileName, path);
    EXPECT_EQ(form->List1->toolTip().toStdString(), path);
    EXPECT_EQ(form->Label4->text(), "1.09");
    EXPECT_EQ(form->Label3->text(), "5.02");
    EXPECT_EQ(form->Label5->text(), "01/31/2005 at 14:05:09");
    EXPECT_EQ(CurrentHeader.SaveTime.Year, 105);  // the shown year is not stored
    for (QLabel* range : {form->Label16, form->Label17, form->Label18, form->Label19}) {
        EXPECT_EQ(range->text(), "N/A");
    }
    EXPECT_EQ(form->Command1->text(), "&Ok");
    EXPECT_FALSE(form->IsDirty);
    EXPECT_FALSE(form->EditMode);

    form->List1->setCurrentRow(1);
    EXPECT_EQ(form->Label4->text(), "1.00");
    EXPECT_EQ(form->PreviousIndex, 1);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(HeaderWindow, ListsCodesPositionsAndTheDetector) {
    auto file = Version2();
    file.Header.DataType = Absorbance;
    file.Header.ForeopticCode = 25;
    file.Header.Gps.Longitude = 105.25;
    file.Header.Gps.Latitude = 0;
    file.Header.Detector.SerialNumber = 0;
    file.Header.Detector.SignalMean = 1.5e-9f;
    Add(file, "a.zel");
    auto south = Version2();
    south.Header.Gps.Latitude = -33.5;
    south.Header.Detector.SerialNumber = 7;
    south.Header.Detector.Temperature = 21.55f;
    Add(south, "b.zel");

    auto form = Open();
    EXPECT_EQ(form->Combo2->currentText(), "Other");
    EXPECT_EQ(form->Combo1->count(), 4);
    EXPECT_EQ(form->Combo1->currentIndex(), 3);
    EXPECT_EQ(form->Combo1->currentText(), "25");
    EXPECT_EQ(form->Text11[1]->text(), "W105.25");
    EXPECT_EQ(form->Text11[0]->text(), "S0");
    for (QLabel* value : {form->lblSNValue, form->lblSignalValue, form->lblDarkValue,
                          form->lblRefValue, form->lblStatusValue, form->lblGainValue,
                          form->lblAvgValue, form->lblTempValue, form->lblHumidValue}) {
        EXPECT_EQ(value->text(), "");
    }

    form->List1->setCurrentRow(1);
    EXPECT_EQ(form->Text11[0]->text(), "S-33.5");
    EXPECT_EQ(form->Combo1->count(), 3);  // the lists are rebuilt for every file
    EXPECT_EQ(form->Combo1->currentText(), "0");
    EXPECT_EQ(form->lblSNValue->text(), "7");
    EXPECT_EQ(form->lblTempValue->text(), "21.6");
    EXPECT_EQ(form->lblSignalValue->text(), "0.000E00");
}

TEST_F(HeaderWindow, ShowsTheAlarmsOfTheFile) {
    auto saturated = Version2();
    saturated.Header.Flags[1] = 2;
    Add(saturated, "a.zel");
    auto coolers = Version2();
    coolers.Header.Flags[1] = 24;
    Add(coolers, "b.zel");

    auto form = Open();
    EXPECT_FALSE(form->fraAlarms->isHidden());
    EXPECT_FALSE(form->lblSaturation->isHidden());
    EXPECT_TRUE(form->lblTec1Alarm->isHidden());
    EXPECT_TRUE(form->lblTEC2Alarm->isHidden());

    form->List1->setCurrentRow(1);
    EXPECT_FALSE(form->fraAlarms->isHidden());
    EXPECT_TRUE(form->lblSaturation->isHidden());
    EXPECT_FALSE(form->lblTec1Alarm->isHidden());
    EXPECT_FALSE(form->lblTEC2Alarm->isHidden());
}

TEST_F(HeaderWindow, ATextBoxEndsAtTheFirstZeroByte) {
    auto padded = Version2();
    SetComment(padded.Header, "field A");  // the rest of the 157 bytes are zero
    Add(padded, "a.zel");
    auto full = Version2();
    SetComment(full.Header, std::string(157, 'c'));
    Add(full, "b.zel");

    auto form = Open();
    EXPECT_EQ(form->Text1->text(), "field A");
    form->List1->setCurrentRow(1);
    EXPECT_EQ(form->Text1->text(), QString(156, 'c'));
}

TEST_F(HeaderWindow, EveryInstrumentTypeShowsItsOwnWavelengths) {
    auto first = Version2();
    first.Header.InstrumentType = Vnir1;
    first.Header.Channel1Wavelength = 350;
    first.Header.WavelengthStep = 1.5f;
    Add(first, "a.zel");
    auto unknown = Version2();
    unknown.Header.InstrumentType = 9;
    unknown.Header.Channel1Wavelength = 1000;
    unknown.Header.WavelengthStep = 2;
    Add(unknown, "b.zel");

    auto form = Open();
    EXPECT_EQ(form->Text9->text(), "350");
    EXPECT_EQ(form->Text10->text(), "1.5");
    form->List1->setCurrentRow(1);
    EXPECT_EQ(form->Text9->text(), "1000");
    EXPECT_EQ(form->Text10->text(), "2");
    EXPECT_TRUE(form->Text6->isHidden());
}

TEST_F(HeaderWindow, CalibrationFilesShowOnlyWhatThisFileNames) {
    auto three = MakeCompleteSpectrum(7, Ramp(10));
    three.Header.DataType = Radiance;
    three.Calibrations[0] = MakeCalibration(CalBse, std::string(20, 'b'));  // no zero byte
    three.Calibrations[0].CalibrationType = CalBse;
    Add(three, "a.zel");
    auto two = MakeCompleteSpectrum(7, Ramp(10));
    two.Header.DataType = Radiance;
    two.Calibrations.resize(2);
    two.CalibrationBuffers.resize(2);
    Add(two, "b.zel");
    auto absolute = MakeSpectrum(7, Ramp(10));
    absolute.Header.ApplicationCode = AppAbsoluteReflectance;
    absolute.WithExtension = false;
    absolute.WithCalibration = false;
    Add(absolute, "c.zel");

    auto form = Open();
    EXPECT_FALSE(form->fraCalBuffer->isHidden());
    EXPECT_EQ(form->lblBSE->text(), "BSE:");
    EXPECT_EQ(form->txtBSE->text(), QString(20, 'b'));
    EXPECT_EQ(form->txtLMP->text(), "lmp");
    EXPECT_EQ(form->txtFO->text(), "fo");
    form->List1->setCurrentRow(1);
    EXPECT_TRUE(form->fraCalBuffer->isHidden());
    form->List1->setCurrentRow(2);
    EXPECT_FALSE(form->fraCalBuffer->isHidden());
    EXPECT_EQ(form->lblBSE->text(), "ABS:");
    EXPECT_EQ(form->txtBSE->text(), "");
    EXPECT_TRUE(form->txtLMP->isHidden());
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(HeaderWindow, AFileThatCannotBeReadHidesTheTabs) {
    Add(Version2(), "a.zel");
    host.WorkList.AddItem(fs::absolute("gone.zel").string());
    auto form = Open();
    EXPECT_FALSE(form->SSTab1->isHidden());
    form->List1->setCurrentRow(1);
    EXPECT_TRUE(form->SSTab1->isHidden());
    EXPECT_TRUE(ui.Messages().empty());  // a missing file is passed over quietly
}

TEST_F(HeaderWindow, RefusesAnUnknownSignatureByName) {
    Add(Version2(), "a.zel");
    auto form = Open();
    const int16_t version = FileVersion;
    EXPECT_FALSE(form->ValidateSpectrumFile("x.zel", {'Z', 'e', 'l'}));
    ASSERT_EQ(ui.Prompts.size(), 1u);
    EXPECT_EQ(ui.Prompts[0].text, "x.zel doesn't appear to be an ZEL Spectrum File!");
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(ui.Prompts[0].title, "Lumivex");
    EXPECT_EQ(FileVersion, version);
    EXPECT_TRUE(form->ValidateSpectrumFile("x.zel", {'z', 'e', '7'}));
    EXPECT_EQ(FileVersion, 7);
}

TEST_F(HeaderWindow, TheMainWindowOpensItModally) {
    InstallViewServices();
    ASSERT_TRUE(Views.ShowHeaderWindow);
    const std::string path = Add(Version2(), "a.zel");
    std::string listed;
    ui.Drive([&listed](QDialog& dialog) {
        auto& form = static_cast<frmHeader&>(dialog);
        listed = form.ListedFileName;
        form.Command1->click();  // "&Ok" closes
        return static_cast<int>(form.isHidden());
    });
    Views.ShowHeaderWindow();
    EXPECT_EQ(listed, path);
    EXPECT_EQ(ui.PendingAnswers(), 0u);
}

// ------------------------------------------------------------------ saving

TEST_F(HeaderWindow, SavesTheCommentWithItsLineEnd) {
    auto file = Version2();
    SetComment(file.Header, std::string(157, 'x'));
    const std::string path = Add(file, "a.zel");
    auto form = Open();

    form->Text1->setText(QString(155, 'a'));
    EXPECT_EQ(form->Command1->text(), "&Save");
    ASSERT_TRUE(Save(*form));
    auto bytes = ReadBytes(path);
    EXPECT_EQ(bytes[3], 'a');
    EXPECT_EQ(bytes[157], 'a');
    EXPECT_EQ(bytes[158], 13);
    EXPECT_EQ(bytes[159], 10);
    EXPECT_TRUE(ui.Messages().empty());

    form->Text1->setText(QString(156, 'b'));
    ASSERT_TRUE(Save(*form));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Comment Limited to 155 Characters"});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbInformation);
    EXPECT_EQ(form->Text1->text(), QString(155, 'b'));
    bytes = ReadBytes(path);
    EXPECT_EQ(bytes[157], 'b');
    EXPECT_EQ(bytes[158], 13);

    form->Text1->setText("");
    ASSERT_TRUE(Save(*form));
    bytes = ReadBytes(path);
    EXPECT_EQ(bytes[3], 13);
    EXPECT_EQ(bytes[4], 10);
    EXPECT_EQ(bytes[5], 'b');  // behind the line end the bytes stay
    EXPECT_EQ(bytes[159], 10);
}

TEST_F(HeaderWindow, AnUnchangedCommentKeepsItsBytes) {
    auto file = Version2();
    SetComment(file.Header, std::string(156, 'c'));  // byte 156 is zero, no line end
    const std::string path = Add(file, "a.zel");
    const auto before = ReadBytes(path);
    auto form = Open();
    form->Text7->setText("12");
    ASSERT_TRUE(Save(*form));
    const auto after = ReadBytes(path);
    EXPECT_TRUE(std::equal(before.begin() + 3, before.begin() + 160, after.begin() + 3));
    EXPECT_EQ(At<int16_t>(after, 400), 12);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(HeaderWindow, StoresTheForeopticAndRefusesLetters) {
    auto file = Version2();
    file.Header.ForeopticCode = 180;
    const std::string path = Add(file, "a.zel");
    auto form = Open();

    form->Combo1->setCurrentIndex(0);
    ASSERT_TRUE(Save(*form));
    EXPECT_EQ(At<int16_t>(ReadBytes(path), 394), -1);

    form->Combo1->setEditText("25");
    ASSERT_TRUE(Save(*form));
    EXPECT_EQ(At<int16_t>(ReadBytes(path), 394), 25);

    const auto before = ReadBytes(path);
    form->Combo1->setEditText("wide");
    form->Text1->setText("changed");
    EXPECT_FALSE(Save(*form));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Error in Foreoptic ID"});
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(ui.Prompts[0].title, "Lumivex");
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(form->Command1->text(), "&Save");
    EXPECT_TRUE(form->IsDirty);
}

TEST_F(HeaderWindow, NumbersRoundHalvesToEven) {
    const std::string path = Add(Version2(), "a.zel");
    auto form = Open();
    form->Text7->setText("12.5");
    form->Text8->setText("13.5");
    ASSERT_TRUE(Save(*form));
    const auto bytes = ReadBytes(path);
    EXPECT_EQ(At<int16_t>(bytes, 400), 12);
    EXPECT_EQ(At<int16_t>(bytes, 398), 14);

    form->Text8->setText("40000");
    EXPECT_FALSE(Save(*form));
    form->Text8->setText("1,5");
    EXPECT_FALSE(Save(*form));
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"Error in Calibration Number",
                                                       "Error in Calibration Number"}));
}

TEST_F(HeaderWindow, TheVersionCaptionStoresOnlyAVersionByte) {
    auto file = Version2();
    file.Header.FormatVersion = 26;
    const std::string path = Add(file, "a.zel");
    auto form = Open();
    EXPECT_EQ(form->Label4->text(), "1.10");

    EditVersion(*form, "2.05");
    EXPECT_EQ(form->Command1->text(), "&Save");
    EXPECT_TRUE(form->txtEdit->isHidden());
    ASSERT_TRUE(Save(*form));
    EXPECT_EQ(ReadBytes(path)[179], 37);

    for (const char* caption : {"2", "2.16", "2.20", "two", "16.00"}) {
        EditVersion(*form, caption);
        ASSERT_TRUE(Save(*form)) << caption;
        EXPECT_EQ(ReadBytes(path)[179], 37) << caption;
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(HeaderWindow, TheInstrumentBoxesOpenOnlyToTheChord) {
    auto file = Version2();
    file.Header.InstrumentType = VnirSwir4;
    const std::string path = Add(file, "a.zel");
    const auto before = ReadBytes(path);
    auto form = Open();
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    const QColor locked = form->palette().color(QPalette::Button);
    EXPECT_TRUE(form->Text9->isReadOnly());
    EXPECT_EQ(form->Text9->palette().color(QPalette::Base), locked);
    form->Text9->setFocus();
    QTest::keyClicks(form->Text9, "7");
    EXPECT_EQ(form->Text9->text(), "350");

    QTest::keyClick(form->Text1, Qt::Key_F9, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(form->EditMode);
    QTest::keyClick(form->Text1, Qt::Key_F9, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(form->EditMode);
    for (QLineEdit* box : {form->Text9, form->Text10, form->Text2, form->Text3, form->Text4,
                           form->Text5, form->Text6}) {
        EXPECT_FALSE(box->isReadOnly());
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::white));
    }

    form->Text10->setText("0");
    EXPECT_FALSE(Save(*form));
    form->Text10->setText("1");
    form->Text2->setText("0");
    EXPECT_FALSE(Save(*form));
    form->Text2->setText("x");
    EXPECT_FALSE(Save(*form));
    form->Text2->setText("2");
    form->Text5->setText("0");
    EXPECT_FALSE(Save(*form));
    form->Text5->setText("3");
    form->Text6->setText("");
    EXPECT_FALSE(Save(*form));
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{"Error in Wavelength Step", "Error in Swir 1 Gain ",
                                        "Error in Swir 1 Gain Type mismatch",
                                        "Error in Swir 2 Offset", "Error in Integration Time"}));
    EXPECT_EQ(ReadBytes(path), before);

    form->Text6->setText("68");
    form->Text9->setText("351.5");
    ASSERT_TRUE(Save(*form));
    const auto bytes = ReadBytes(path);
    EXPECT_EQ(At<float>(bytes, 191), 351.5f);
    EXPECT_EQ(At<int32_t>(bytes, 390), 68);
    EXPECT_EQ(At<int16_t>(bytes, 436), 2);
    EXPECT_EQ(At<int16_t>(bytes, 442), 3);

    form->List1->setCurrentRow(-1);
    form->List1->setCurrentRow(0);  // every listing locks the boxes again
    EXPECT_FALSE(form->EditMode);
    EXPECT_TRUE(form->Text9->isReadOnly());
}

TEST_F(HeaderWindow, LockedBoxesAreNeitherCheckedNorStored) {
    auto file = Version2();
    file.Header.WavelengthStep = 0;  // would be refused in edit mode
    const std::string path = Add(file, "a.zel");
    auto form = Open();
    form->Text10->setText("5");  // only the program can put text there
    form->Text7->setText("3");
    ASSERT_TRUE(Save(*form));
    EXPECT_EQ(At<float>(ReadBytes(path), 195), 0.0f);
    EXPECT_EQ(At<int16_t>(ReadBytes(path), 400), 3);
}

TEST_F(HeaderWindow, AnUnchangedWavelengthKeepsItsSingle) {
    auto file = Version2();
    file.Header.Channel1Wavelength = 350.123456789f;  // more digits than the box shows
    const std::string path = Add(file, "a.zel");
    const auto before = ReadBytes(path);
    auto form = Open();
    form->Form_KeyDown(120, 3);
    form->Text10->setText("2");
    ASSERT_TRUE(Save(*form));
    const auto after = ReadBytes(path);
    EXPECT_EQ(At<float>(after, 191), At<float>(before, 191));
    EXPECT_EQ(At<float>(after, 195), 2.0f);
}

TEST_F(HeaderWindow, OnlyTheHeaderIsRewritten) {
    auto legacy = MakeSpectrum(1, Ramp(512));
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = Vnir1;
    legacy.Header.FormatVersion = 16;
    legacy.ChannelCount = 10;  // the legacy layout holds 512 values whatever this says
    auto seven = MakeCompleteSpectrum(7, Ramp(20));
    seven.Header.SaveTime.Year = 105;
    const SpectrumFileBuilder files[] = {MakeSpectrum(1, Ramp(20)), MakeSpectrum(2, Ramp(20)),
                                         seven, legacy};
    for (std::size_t i = 0; i < std::size(files); ++i) {
        Add(files[i], "f" + std::to_string(i) + ".zel");
    }
    auto form = Open();
    for (int i = 0; i < form->List1->count(); ++i) {
        const std::string path = form->List1->item(i)->text().toStdString();
        const auto before = ReadBytes(path);
        form->List1->setCurrentRow(i);
        form->Text7->setText("4321");
        EditVersion(*form, "3.01");
        ASSERT_TRUE(Save(*form)) << path;
        const auto after = ReadBytes(path);
        ASSERT_EQ(after.size(), before.size()) << path;
        EXPECT_EQ(Tail(after), Tail(before)) << path;
        EXPECT_EQ(At<int16_t>(after, 400), 4321) << path;
        EXPECT_EQ(after[179], 0x31) << path;
        // What was not edited keeps its bytes, the save time among them.
        EXPECT_TRUE(std::equal(before.begin(), before.begin() + 179, after.begin())) << path;
        EXPECT_TRUE(std::equal(before.begin() + 180, before.begin() + 400, after.begin() + 180))
            << path;
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(HeaderWindow, AnUnchangedOtherKeepsItsDataType) {
    auto file = Version2();
    file.Header.DataType = Absorbance;
    const std::string path = Add(file, "a.zel");
    auto form = Open();
    form->Text1->setText("log");
    ASSERT_TRUE(Save(*form));
    EXPECT_EQ(ReadBytes(path)[186], Absorbance);

    form->Combo2->setCurrentIndex(0);
    ASSERT_TRUE(Save(*form));
    EXPECT_EQ(ReadBytes(path)[186], Raw);
}

TEST_F(HeaderWindow, CancelShowsTheFileAgain) {
    auto file = Version2();
    SetComment(file.Header, "first\r\n");
    const std::string path = Add(file, "a.zel");
    const auto before = ReadBytes(path);
    auto form = Open();
    form->Form_KeyDown(120, 3);

    form->Text1->setText("edited");
    form->Command2->click();
    EXPECT_EQ(form->Text1->text(), "first");
    EXPECT_EQ(form->Command1->text(), "&OK");
    EXPECT_FALSE(form->IsDirty);
    EXPECT_TRUE(form->EditMode);

    form->Text7->setText("77");
    ASSERT_TRUE(Save(*form));
    const auto after = ReadBytes(path);
    EXPECT_TRUE(std::equal(before.begin() + 3, before.begin() + 160, after.begin() + 3));
    EXPECT_EQ(At<int16_t>(after, 400), 77);
}

TEST_F(HeaderWindow, LeavingAnEditedFileAsksToSave) {
    const std::string a = Add(Version2(), "a.zel");
    const std::string b = Add(Version2(), "b.zel");
    const auto before = ReadBytes(a);
    auto form = Open();

    form->Text7->setText("5");
    ui.Answer(vbNo);
    form->List1->setCurrentRow(1);
    EXPECT_EQ(ui.Prompts.back().text, "Want to Save your Changes?");
    EXPECT_EQ(ui.Prompts.back().buttons, vbYesNo + vbQuestion);
    EXPECT_EQ(ReadBytes(a), before);
    EXPECT_EQ(form->ListedFileName, b);
    EXPECT_FALSE(form->IsDirty);

    form->Text7->setText("6");
    ui.Answer(vbYes);
    form->List1->setCurrentRow(0);
    EXPECT_EQ(At<int16_t>(ReadBytes(b), 400), 6);
    EXPECT_EQ(form->ListedFileName, a);

    // A refused save goes back to the edited file, asks once more and lists
    // it afresh from disk.
    form->Text7->setText("x");
    ui.Answer(vbYes).Answer(vbNo);
    form->List1->setCurrentRow(1);
    EXPECT_EQ(ui.Messages().back(), "Want to Save your Changes?");
    EXPECT_EQ(form->List1->currentRow(), 0);
    EXPECT_EQ(form->ListedFileName, a);
    EXPECT_EQ(form->Text7->text(), "0");
    EXPECT_FALSE(form->IsDirty);
    EXPECT_EQ(ReadBytes(a), before);
    EXPECT_EQ(ui.PendingAnswers(), 0u);
}

TEST_F(HeaderWindow, AFileGoneSinceTheListingIsNotCreated) {
    const std::string path = Add(Version2(), "a.zel");
    auto form = Open();
    fs::remove(path);
    form->Text7->setText("9");
    EXPECT_FALSE(Save(*form));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"File Error\r" + path +
                                                      " cannot be opened: No such file or "
                                                      "directory."});
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(form->Command1->text(), "&Save");
}

TEST_F(HeaderWindow, AFileThatNoLongerReadsIsLeftAlone) {
    const std::string path = Add(Version2(), "a.zel");
    auto form = Open();
    form->Text7->setText("9");
    // Cut short since the listing, then overwritten by something else.
    auto shortened = ReadBytes(path);
    shortened.resize(300);
    WriteBytes(path, shortened);
    EXPECT_FALSE(Save(*form));
    WriteBytes(path, {'t', 'e', 'x', 't'});
    EXPECT_FALSE(Save(*form));
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].rfind("File Error\r" + path + " ends inside", 0), 0u);
    EXPECT_EQ(ui.Messages()[1], path + " doesn't appear to be an ZEL Spectrum File!");
    EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{'t', 'e', 'x', 't'}));
    EXPECT_EQ(FileVersion, 2);  // the loaded spectrum is not touched
}

TEST_F(HeaderWindow, AFailedRewriteLeavesTheFileWhole) {
    // A name of the longest kind, which leaves no room for a suffix.
    fs::create_directories("files");
    const std::string path = Add(Version2(), (fs::path("files") / std::string(255, 'n')).string());
    const auto before = ReadBytes(path);
    auto form = Open();
    form->Text7->setText("9");
    {
        const FileSizeLimit full(300);
        EXPECT_FALSE(Save(*form));
    }
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{path + " could not be rewritten: File too large.\r\nThe "
                                              "file is left as it was."});
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator("files"), fs::directory_iterator()), 1);
    EXPECT_TRUE(form->IsDirty);

    // With room on the disk the same name is saved.
    EXPECT_TRUE(Save(*form));
    EXPECT_NE(ReadBytes(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator("files"), fs::directory_iterator()), 1);
}

// A file marked read-only stays as it is, also for a user the system would
// let replace it.
TEST_F(HeaderWindow, AReadOnlyFileIsNotRewritten) {
    const std::string path = Add(Version2(), "locked.zel");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto before = ReadBytes(path);
    auto form = Open();
    form->Text7->setText("9");
    EXPECT_FALSE(Save(*form));
    EXPECT_EQ(ui.Messages(),
              std::vector<std::string>{path + " could not be rewritten: Permission "
                                              "denied.\r\nThe file is left as it was."});
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_TRUE(form->IsDirty);
    EXPECT_EQ(form->Command1->text(), "&Save");

    // Writable again, the same edit is saved and the file keeps its mode.
    fs::permissions(path, fs::perms::owner_write, std::filesystem::perm_options::add);
    EXPECT_TRUE(Save(*form));
    EXPECT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(At<int16_t>(ReadBytes(path), 400), 9);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
}

}  // namespace
