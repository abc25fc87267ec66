#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <limits>
#include <set>
#include <sstream>

#include "frame/replace_file.h"
#include "io/ascii_export.h"
#include "io/export_dialog.h"
#include "support/batch_test.h"
#include "support/file_size_limit.h"
#include "support/file_systems.h"
#include "support/overwrite_prompt.h"

namespace fs = std::filesystem;

namespace {

// Version 1, three channels from 350 nm in steps of 1.5 nm, saved 15 March
// 2005 at 09:05:03.
SpectrumFileBuilder A() {
    auto file = MakeSpectrum(1, {0.5, -0.25, 0.125});
    file.Header.WavelengthStep = 1.5f;
    file.Header.SaveTime.Mon = 2;
    file.Header.SaveTime.MDay = 15;
    file.Header.SaveTime.Year = 105;
    file.Header.SaveTime.Hour = 9;
    file.Header.SaveTime.Min = 5;
    file.Header.SaveTime.Sec = 3;
    return file;
}

SpectrumFileBuilder B() {
    auto file = MakeSpectrum(1, {1, 2, -2.5});
    file.Header.Channel1Wavelength = 400;
    file.Header.WavelengthStep = 2;
    return file;
}

SpectrumFileBuilder C() {
    auto file = MakeSpectrum(1, {1, 2, 3, 4});
    file.Header.Channel1Wavelength = 500;
    return file;
}

// A version-2 file whose reference gives no reflectance.
SpectrumFileBuilder Unusable() {
    return MakeSpectrum(2, {1e308, 1, 1}, {1e-10, 1, 1});
}

// A version-2 file whose step is +inf.
SpectrumFileBuilder InfiniteStep() {
    auto file = MakeSpectrum(2, {1, 2, 3});
    file.Header.WavelengthStep = std::numeric_limits<float>::infinity();
    return file;
}

std::string Skipped(const std::string& path) {
    return path + " holds a wavelength that is not a number. The file was skipped.";
}

std::string Text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class AsciiExport : public BatchTest {
protected:
    // Sets the dialog up as a user would and presses OK.
    void Export(const std::function<void(frmExport&)>& setUp = {}) {
        frmExport form;
        form.show();
        if (setUp) {
            setUp(form);
        }
        form.cmdExport->click();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(ui.PendingAnswers(), 0u);
    }

    static void SingleFile(frmExport& form) { form.Check1[2]->setChecked(true); }
    static void Comma(frmExport& form) { form.Combo1->setCurrentIndex(0); }
};

TEST_F(AsciiExport, DefaultsWriteOneColumnPerFile) {
    Add(A(), "a.001");
    ui.Drive([](QDialog& dialog) {
        static_cast<frmExport&>(dialog).cmdExport->click();
        return 0;
    });
    ShowAsciiExport();
    EXPECT_EQ(Text(Output("a.001.txt")),
              "Wavelength\ta.001\r\n350\t 0.5 \r\n351.5\t-0.25 \r\n353\t 0.125 \r\n");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(host.WorkList.ListCount(), 0);
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_EQ(host.MousePointer, vbDefault);

    Add(A(), "a.001");
    ui.Drive(AnswerOverwrite("Yes"));
    Export([](frmExport& form) { form.Option2[1]->setChecked(true); });
    EXPECT_EQ(Text(Output("a.001.txt")),
              "Channel\ta.001\r\n0\t 0.5 \r\n1.5\t-0.25 \r\n3\t 0.125 \r\n");
}

TEST_F(AsciiExport, CollectTimeIsTheSaveTimeAsRead) {
    Add(A(), "a.001");
    Export([](frmExport& form) { form.Option3[1]->setChecked(true); });
    EXPECT_EQ(Text(Output("a.001.txt")).rfind("Wavelength\t03/15/2005 at 09:05:03\r\n350\t", 0),
              0u);

    // After the header block, which shows the same year, the title is
    // unchanged, and so is the header as read.
    Add(A(), "a.001");
    ui.Drive(AnswerOverwrite("Yes"));
    Export([](frmExport& form) {
        form.Option3[1]->setChecked(true);
        form.Check3->setChecked(true);
    });
    const std::string text = Text(Output("a.001.txt"));
    EXPECT_EQ(text.find("\r\nText conversion of header file "), 0u);
    EXPECT_NE(text.find("Spectrum saved: 03/15/2005 at 09:05:03\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nWavelength\t03/15/2005 at 09:05:03\r\n350\t 0.5 \r\n"),
              std::string::npos);
    EXPECT_EQ(CurrentHeader.SaveTime.Year, 105);
}

TEST_F(AsciiExport, RowsWithAndWithoutTitlesAndAxis) {
    auto rows = [](bool x, bool titles) {
        return [=](frmExport& form) {
            form.Option1[1]->setChecked(true);
            form.Check2->setChecked(x);
            form.Check5->setChecked(titles);
        };
    };
    const std::pair<std::function<void(frmExport&)>, std::string> cases[] = {
        {rows(true, true), "Wavelength\t350\t351.5\t353\t\r\na.001\t0.5\t-0.25\t0.125\t\r\n"},
        {rows(true, false), "Wavelength\t350\t351.5\t353\t\r\n   \t0.5\t-0.25\t0.125\t\r\n"},
        {rows(false, false), "\r\n0.5\t-0.25\t0.125\t\r\n"},
    };
    for (const auto& [setUp, expected] : cases) {
        fs::remove(Output("a.001.txt"));
        Add(A(), "a.001");
        ui.Answer(vbYes);
        Export(setUp);
        EXPECT_EQ(Text(Output("a.001.txt")), expected);
    }
}

TEST_F(AsciiExport, HeaderOnlyWritesHeaderAndNoteWithoutTable) {
    Add(A(), "a.001");
    Export([](frmExport& form) {
        form.Check4->setChecked(true);
        form.Check1[1]->setChecked(true);
        form.Text1->setPlainText("site 4\nclear sky");
    });
    const std::string text = Text(Output("a.001.txt"));
    EXPECT_EQ(text.find("\r\nText conversion of header file "), 0u);
    const std::string note = "site 4\r\nclear sky\r\n";
    EXPECT_EQ(text.rfind(note), text.size() - note.size());
    EXPECT_EQ(text.find("0.125"), std::string::npos);
}

TEST_F(AsciiExport, EachHeaderBlockStatesTheKindOfItsOwnFile) {
    auto raw = MakeSpectrum(7, {10, 50, 80}, {100, 100, 100});
    raw.Header.DataType = DataTypeCode::Raw;
    auto reflectance = A();
    reflectance.Header.DataType = DataTypeCode::Reflectance;
    Add(raw, "a.001");
    Add(reflectance, "b.001");
    Export([](frmExport& form) { form.Check3->setChecked(true); });
    EXPECT_NE(
        Text(Output("a.001.txt")).find("\r\nSpectrum file is raw data with embedded reference\r\n"),
        std::string::npos);
    const std::string second = Text(Output("b.001.txt"));
    EXPECT_NE(second.find("\r\nSpectrum file is reflectance data\r\n"), std::string::npos);
    EXPECT_EQ(second.find("embedded reference"), std::string::npos);
}

TEST_F(AsciiExport, VersionOneGoesOutAsStoredWhateverTheChoice) {
    Add(A(), "a.001");
    Export();
    const std::string stored = Text(Output("a.001.txt"));
    for (int16_t format = 0; format <= 5; ++format) {
        for (int16_t derivative = 0; derivative <= 2; ++derivative) {
            fs::remove(Output("a.001.txt"));
            Add(A(), "a.001");
            ExportAsciiFiles(AsciiLayout{}, format, derivative, -1);
            EXPECT_EQ(Text(Output("a.001.txt")), stored) << format << "/" << derivative;
        }
    }
}

TEST_F(AsciiExport, AbsorbanceAndTransmittanceAreTheirReflectanceTwins) {
    const auto file =
        MakeSpectrum(2, {10, 50, 80, 20, 5, 60, 70}, {100, 100, 100, 100, 50, 80, 90});
    auto exported = [&](int16_t format, int16_t derivative) {
        fs::remove(Output("s.001.txt"));
        Add(file, "s.001");
        ExportAsciiFiles(AsciiLayout{}, format, derivative, 0);
        return Text(Output("s.001.txt"));
    };
    DerivativeGap = 3;
    for (int16_t derivative = 0; derivative <= 2; ++derivative) {
        EXPECT_EQ(exported(4, derivative), exported(3, derivative)) << derivative;
        EXPECT_EQ(exported(2, derivative), exported(1, derivative)) << derivative;
    }
    EXPECT_NE(exported(3, 0), exported(1, 0));
    EXPECT_NE(exported(1, 0).find("\r\n351\t 0.5 \r\n"), std::string::npos);
    EXPECT_NE(exported(0, 0).find("\r\n351\t 50 \r\n"), std::string::npos);
}

TEST_F(AsciiExport, MissingAbsoluteReferenceEndsTheRun) {
    auto file = MakeSpectrum(2, {10, 50, 80});
    file.Header.InstrumentNumber = 1234;
    file.Header.CalibrationNumber = 5;
    Add(file, "s.001");
    Add(A(), "a.001");
    Export([](frmExport& form) {
        form.optDataFormat[1]->setChecked(true);
        form.chkAbsolute->setChecked(true);
    });
    ASSERT_EQ(ui.Prompts.size(), 1u);
    EXPECT_EQ(ui.Prompts[0].text, "Problem loading abs12345.ref for " + host.WorkList.List(0));
    EXPECT_EQ(ui.Prompts[0].buttons, 48);
    EXPECT_FALSE(fs::exists(Output("s.001.txt")) || fs::exists(Output("a.001.txt")));
    EXPECT_EQ(host.WorkList.ListCount(), 2) << "left to the launcher";
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_EQ(host.MousePointer, vbDefault);

    // Absolute left checked under another format counts for nothing, and a
    // parabolic box left checked does not ask for it under Reflectance.
    host.WorkList.Clear();
    Add(file, "s.001");
    Export([](frmExport& form) {
        form.optDataFormat[5]->setChecked(true);
        form.chkPC->setChecked(true);
        form.optDataFormat[1]->setChecked(true);
    });
    EXPECT_EQ(ui.Messages().back(), "1 Files Processed");
}

TEST_F(AsciiExport, MissingRadiometricCalibrationEndsTheRun) {
    Add(MakeSpectrum(2, {10, 50, 80}), "s.001");
    ExportAsciiFiles(AsciiLayout{}, 5, 0, 0);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind("Can't find the", 0), 0u) << ui.Messages()[0];
    EXPECT_FALSE(fs::exists(Output("s.001.txt")));
    EXPECT_EQ(host.WorkList.ListCount(), 1);
}

TEST_F(AsciiExport, SpectrumWithoutReflectanceIsSkipped) {
    Add(Unusable(), "bad.001");
    Add(MakeSpectrum(2, {10, 50, 80}), "good.001");
    ExportAsciiFiles(AsciiLayout{}, 3, 0, 0);
    EXPECT_FALSE(fs::exists(Output("bad.001.txt")));
    EXPECT_TRUE(fs::exists(Output("good.001.txt")));
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_NE(ui.Messages()[0].find("unusable reference"), std::string::npos);
    EXPECT_EQ(ui.Messages()[1], "1 Files Processed");
}

TEST_F(AsciiExport, YesToAllSilencesLaterPrompts) {
    for (const char* name : {"a.001", "b.001", "c.001"}) {
        Add(A(), name);
        std::ofstream(Output(std::string(name) + ".txt")) << "old";
    }
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("Yes All", &seen));
    Export();
    EXPECT_TRUE(seen.YesToAllEnabled);
    EXPECT_EQ(seen.Text, Output("a.001.txt") + " already exists!\nOverwrite?");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"3 Files Processed"});
    EXPECT_EQ(Text(Output("c.001.txt")).substr(0, 17), "Wavelength\tc.001\r");

    // "No" ends the run and keeps what was there.
    Add(A(), "a.001");
    ui.Drive(AnswerOverwrite("No"));
    Export();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"3 Files Processed"});
    EXPECT_EQ(host.WorkList.ListCount(), 1);
}

TEST_F(AsciiExport, UnwritableOutputIsReportedAndEndsTheRun) {
    Add(A(), "a.001");
    fs::create_directories(Output("a.001.txt"));  // a folder in the way
    ui.Drive(AnswerOverwrite("Yes"));
    Export();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind(Output("a.001.txt") + " could not be written", 0), 0u);
}

TEST_F(AsciiExport, SpectraWithAWavelengthThatIsNotANumberAreNamedAndSkipped) {
    Add(A(), "a.001");
    Add(InfiniteStep(), "step.002");
    const std::string step = host.WorkList.List(1);
    Add(B(), "b.001");
    // Off the axis shown, the wavelengths are still the file's own.
    Export([](frmExport& form) { form.Check2->setChecked(false); });
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{Skipped(step), "2 Files Processed"}));
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_FALSE(fs::exists(Output("step.002.txt")));
    EXPECT_TRUE(fs::exists(Output("a.001.txt")));
    EXPECT_TRUE(fs::exists(Output("b.001.txt")));
}

class SingleTable : public AsciiExport {
protected:
    void SetUp() override {
        AsciiExport::SetUp();
        table = (TestFolder::Path() / "table.txt").string();
    }
    std::string table;
};

TEST_F(SingleTable, MismatchOkSkipsTheFileAndTheAxisIsTheFirstFilesOwn) {
    Add(A(), "a.001");
    Add(B(), "b.001");
    Add(C(), "c.001");
    const std::string cPath = host.WorkList.List(2);
    ui.Choose({table});
    ui.Answer(vbOK);
    Export([](frmExport& form) {
        SingleFile(form);
        Comma(form);
    });
    const auto& open = ui.Prompts[0];
    EXPECT_EQ(open.kind, ScriptedUi::Kind::OpenFile);
    EXPECT_EQ(open.text, "Select Ascii File");
    EXPECT_EQ(open.initDir, OutputDirectory);
    EXPECT_EQ(open.filter, "Ascii Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(open.flags & cdlOFNFileMustExist, 0);
    EXPECT_EQ(open.flags & cdlOFNOverwritePrompt, 0);
    ASSERT_EQ(ui.Prompts.size(), 3u);
    EXPECT_EQ(ui.Prompts[1].text, "Channel Number Mismatch\r\n" + cPath +
                                      " contains 4 channels\r\nThe starting file had 3 "
                                      "channels\r\n Click OK to Skip, Cancel to Abort");
    EXPECT_EQ(ui.Prompts[1].buttons, 49);
    EXPECT_EQ(Text(table),
              "Wavelength,a.001,b.001\r\n350,0.5, 1 \r\n351.5,-0.25, 2 \r\n353,0.125,-2.5 \r\n");
    EXPECT_EQ(ui.Prompts[2].text, "2 Files Processed");
    EXPECT_EQ(host.WorkList.ListCount(), 0);
}

TEST_F(SingleTable, MismatchCancelLeavesWhatWasThereOrNothing) {
    Add(A(), "a.001");
    Add(C(), "c.001");
    Add(B(), "b.001");
    ui.Choose({table});
    ui.Answer(vbCancel);
    Export(SingleFile);
    EXPECT_FALSE(fs::exists(table));
    EXPECT_EQ(ui.Messages().size(), 1u) << "no closing message";
    EXPECT_EQ(host.WorkList.ListCount(), 3);
    EXPECT_EQ(host.ProgressValue, 0);
    EXPECT_EQ(host.MousePointer, vbDefault);

    std::ofstream(table) << "old table";
    ui.Choose({table});
    ui.Drive(AnswerOverwrite("Yes"));
    ui.Answer(vbCancel);
    Export(SingleFile);
    EXPECT_EQ(Text(table), "old table");
    EXPECT_EQ(ui.Messages().size(), 2u);
}

TEST_F(SingleTable, AFailedWriteOfTheTableLeavesTheEarlierOne) {
    const std::string earlier = "old table\r\n";
    std::ofstream(table, std::ios::binary) << earlier;
    Add(A(), "a.001");
    Add(B(), "b.001");
    ui.Choose({table});
    ui.Drive(AnswerOverwrite("Yes"));
    {
        const FileSizeLimit limit(40);  // above the earlier table, below the new one
        Export(SingleFile);
    }
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind(table + " could not be written: ", 0), 0u);
    EXPECT_EQ(Text(table), earlier);
    EXPECT_EQ(host.WorkList.ListCount(), 2);
    EXPECT_EQ(host.ProgressValue, 0);
}

TEST_F(SingleTable, SpectraWithAWavelengthThatIsNotANumberAreLeftOut) {
    auto nan = B();
    nan.Header.Channel1Wavelength = std::numeric_limits<float>::quiet_NaN();
    Add(nan, "nan.001");
    const std::string nanPath = host.WorkList.List(0);
    Add(InfiniteStep(), "step.002");
    const std::string step = host.WorkList.List(1);
    Add(A(), "a.001");
    ui.Choose({table});
    Export([](frmExport& form) {
        SingleFile(form);
        Comma(form);
    });
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{Skipped(nanPath), Skipped(step), "1 Files Processed"}));
    EXPECT_EQ(Text(table), "Wavelength,a.001\r\n350, 0.5 \r\n351.5,-0.25 \r\n353, 0.125 \r\n");
}

TEST_F(SingleTable, CancelAtTheDialogOrNoAtTheOverwriteWritesNothing) {
    Add(A(), "a.001");
    ui.CancelFileDialog();
    Export(SingleFile);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(host.ProgressMax, 0);
    EXPECT_EQ(host.WorkList.ListCount(), 1);

    std::ofstream(table) << "old table";
    ui.Choose({table});
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("No", &seen));
    Add(B(), "b.001");
    Export(SingleFile);
    EXPECT_FALSE(seen.YesToAllEnabled);
    EXPECT_EQ(Text(table), "old table");
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(SingleTable, OnlyReadableSpectraAreCountedAndNoneMeansNoFile) {
    host.WorkList.AddItem((TestFolder::Path() / "missing.001").string());
    ui.Choose({table});
    Export(SingleFile);
    EXPECT_FALSE(fs::exists(table));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});

    // A spectrum a transform cannot take is left out, not given the values
    // of the one before it.
    Add(MakeSpectrum(2, {10, 50, 80}), "good.001");
    Add(Unusable(), "bad.001");
    Add(MakeSpectrum(2, {20, 40, 60}), "next.001");
    ui.Choose({table});
    Export([](frmExport& form) {
        SingleFile(form);
        form.optDataFormat[1]->setChecked(true);
    });
    EXPECT_EQ(Text(table),
              "Wavelength\tgood.001\tnext.001\r\n350\t0.1\t 0.2 \r\n351\t0.5\t 0.4 "
              "\r\n352\t0.8\t 0.6 \r\n");
    EXPECT_EQ(ui.Messages().back(), "2 Files Processed");
}

TEST_F(SingleTable, RowsAndHeaderOnly) {
    Add(A(), "a.001");
    Add(B(), "b.001");
    ui.Answer(vbYes);
    ui.Choose({table});
    Export([](frmExport& form) {
        SingleFile(form);
        form.Option1[1]->setChecked(true);
        form.Check5->setChecked(false);
        form.Check1[1]->setChecked(true);
        form.Text1->setPlainText("two leaves");
    });
    EXPECT_EQ(Text(table),
              "two leaves\r\nWavelength\t350\t351.5\t353\t\r\n   \t0.5\t-0.25\t0.125\t"
              "\r\n   \t1\t2\t-2.5\t\r\n");

    Add(A(), "a.001");
    Add(B(), "b.001");
    const std::string aPath = host.WorkList.List(0);
    const std::string bPath = host.WorkList.List(1);
    ui.Choose({table});
    ui.Drive(AnswerOverwrite("Yes"));
    Export([](frmExport& form) {
        SingleFile(form);
        form.Check4->setChecked(true);
        form.Check1[1]->setChecked(true);
        form.Text1->setPlainText("two leaves");
    });
    const std::string text = Text(table);
    const auto first = text.find("Text conversion of header file " + aPath + "\r\n");
    const auto second = text.find("Text conversion of header file " + bPath + "\r\n");
    EXPECT_EQ(first, 2u);
    EXPECT_GT(second, first);
    EXPECT_EQ(text.find("\r\n350\t"), std::string::npos);
    EXPECT_EQ(text.rfind("two leaves\r\n"), text.size() - 12);
}

// The tables a spreadsheet or NumPy would read: the numbers come back as
// written, with either separator.
TEST_F(SingleTable, NumPyReadsTheColumnsBack) {
    for (const char* separator : {"Tab", "Comma"}) {
        Add(A(), "a.001");
        Add(B(), "b.001");
        fs::remove(table);
        ui.Choose({table});
        Export([separator](frmExport& form) {
            SingleFile(form);
            form.Combo1->setCurrentText(separator);
            form.Check5->setChecked(false);
        });
        const std::string delimiter = std::string(separator) == "Tab" ? "\\t" : ",";
        const std::string script =
            "import numpy, sys\n"
            "a = numpy.loadtxt(sys.argv[1], delimiter='" +
            delimiter +
            "', skiprows=1)\n"
            "expected = numpy.array([[350, 0.5, 1], [351.5, -0.25, 2], [353, 0.125, -2.5]])\n"
            "sys.exit(0 if a.shape == (3, 3) and (a == expected).all() else 1)\n";
        const std::string scriptPath = (TestFolder::Path() / "read_table.py").string();
        std::ofstream(scriptPath) << script;
        const std::string command = "/usr/bin/python3 " + scriptPath + " " + table;
        EXPECT_EQ(std::system(command.c_str()), 0) << separator << ": " << Text(table);
    }
}

// Cards and sticks are FAT or exFAT, here mounted through FUSE as a desktop
// does: no anonymous files, no modes, no links. A batch, its replacement, a
// header save and the single table all land whole, with nothing beside them.
TEST_F(SingleTable, OnFatAndExfatEveryFileLandsWholeWithNothingBeside) {
    const std::string aText =
        "Wavelength\ta.001\r\n350\t 0.5 \r\n351.5\t-0.25 \r\n353\t 0.125 \r\n";
    std::vector<std::string> skipped;
    for (const std::string kind : {"vfat", "exfat"}) {
        const fs::path stick = TestFolder::Path() / kind;
        const FuseMount mount(kind, stick);
        if (!mount.Mounted()) {
            skipped.push_back(kind + ": " + mount.Why());
            continue;
        }
        OutputDirectory = stick.string();
        const std::size_t said = ui.Messages().size();
        for (const char* answer : {"", "Yes All"}) {
            Add(A(), "a.001");
            Add(B(), "b.001");
            if (*answer != '\0') {
                ui.Drive(AnswerOverwrite(answer));
            }
            Export();
        }
        const std::string measurement = (stick / "m.001").string();
        A().WriteTo(measurement);
        const std::vector<uint8_t> rewritten = ReadBytes(B().WriteTo("b.bytes"));
        EXPECT_TRUE(ReplaceFile(measurement, rewritten)) << kind;
        const std::string onStick = (stick / "table.txt").string();
        Add(A(), "a.001");
        Add(B(), "b.001");
        ui.Choose({onStick});
        Export(SingleFile);
        // Choosing the table made its folder the current one: the stick could
        // not be taken out.
        fs::current_path(TestFolder::Path());

        const auto messages = ui.Messages();
        EXPECT_EQ(std::vector<std::string>(messages.begin() + static_cast<long>(said),
                                           messages.end()),
                  (std::vector<std::string>{"2 Files Processed", "2 Files Processed",
                                            "2 Files Processed"}))
            << kind;
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(stick)) {
            names.insert(entry.path().filename().string());
        }
        EXPECT_EQ(names, (std::set<std::string>{"a.001.txt", "b.001.txt", "m.001", "table.txt"}))
            << kind;
        EXPECT_EQ(Text(Output("a.001.txt")), aText) << kind;
        EXPECT_EQ(ReadBytes(measurement), rewritten) << kind;
        const std::string table = Text(onStick);
        EXPECT_TRUE(table.starts_with("Wavelength\ta.001\tb.001\r\n")) << kind << table;
        EXPECT_TRUE(table.ends_with("\r\n")) << kind;
    }
    for (const auto& why : skipped) {
        std::cout << "skipped " << why << "\n";
    }
    if (skipped.size() == 2) {
        GTEST_SKIP() << "no FUSE FAT or exFAT on this machine";
    }
}

}  // namespace
