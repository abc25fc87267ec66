#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "frame/settings.h"
#include "io/jcamp_export.h"
#include "platform/ui/common_dialog.h"
#include "support/batch_test.h"
#include "support/overwrite_prompt.h"

namespace fs = std::filesystem;

namespace {

const std::vector<double> A002 = {0.3,   1,    0.5,  -0.0000015, 65535, 0.25, 0,
                                  0.125, 2,    0.75, 0.05,       0.06,  0.07, 0.08,
                                  0.09,  0.10, 0.11, 0.12,       0.13,  0.14};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "a line without CR LF";
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// True when text has the shape of pattern, where "9" stands for any digit.
bool HasShape(const std::string& text, const std::string& pattern) {
    if (text.size() != pattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == '9' ? !digit : text[i] != pattern[i]) {
            return false;
        }
    }
    return true;
}

class JcampExport : public BatchTest {
protected:
    void SetUp() override {
        BatchTest::SetUp();
        VersionText = "3.1";
    }

    std::string AddA002() {
        Add(MakeSpectrum(2, A002), "a.002");
        return host.WorkList.Entries().back();
    }

    std::string AddB002() {
        auto b = MakeSpectrum(2, {0.1, 0.2, 0.4});
        b.Header.Channel1Wavelength = 400.5f;
        b.Header.WavelengthStep = 1.5f;
        Add(b, "b.002");
        return host.WorkList.Entries().back();
    }

    std::string AddUnknownSignature() {
        auto file = MakeSpectrum(2, {1});
        file.Signature = std::array<uint8_t, 3>{'z', 'e', '4'};
        Add(file, "c.004");
        return host.WorkList.Entries().back();
    }
};

TEST_F(JcampExport, OneFileWritesItsBlockWithoutAskingAndLeavesTheVisibleList) {
    const std::string input = AddA002();
    host.VisibleList.AddItem("kept");
    ExportJcampFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(ui.Prompts.size(), 1u);
    EXPECT_EQ(host.VisibleList.Entries(), std::vector<std::string>{"kept"});
    EXPECT_EQ(host.WorkList.ListCount(), 0);
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{1, 0}));

    const auto lines = Lines(ReadText(Output("a.002.dx")));
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[0], "##TITLE= a.002");
    EXPECT_EQ(lines[1], "$$ " + Output("a.002.dx"));
    EXPECT_EQ(lines[2], "##JCAMP-DX= 1.00 $$ Encoded by Lumivex Version3.1");
    EXPECT_TRUE(HasShape(lines[6], "##DATE = 99/99/99")) << lines[6];
    EXPECT_TRUE(HasShape(lines[7], "##TIME = 99:99:99")) << lines[7];
    EXPECT_EQ(lines[9], "##YFACTOR= 1E-06");
    EXPECT_EQ(lines[12], "##FIRSTX= 350");
    EXPECT_EQ(lines[13], "##LASTX= 369");
    EXPECT_EQ(lines[14], "##MAXY= 65535");
    EXPECT_EQ(lines[15], "##MINY= -1.5E-06");
    EXPECT_EQ(lines[16], "##DELTAX = 1");
    EXPECT_EQ(lines[17], "##NPOINTS= 20");
    EXPECT_EQ(lines[18], "##FIRSTY= 0.3");
    EXPECT_EQ(lines[19], "##XYDATA= (X++(Y..Y))  ");
    EXPECT_EQ(lines[20], " 350 300000 1000000 500000 -1 65535000165 250000 0 125000 2000000 ");
    EXPECT_EQ(lines[21], " 359 750000 50000 60000 70000 80000 90000 100000 110000 120000 ");
    EXPECT_EQ(lines[22], " 368 130000 140000 ");
    EXPECT_EQ(lines[23], "##END=");
}

TEST_F(JcampExport, LinkedFileHoldsABlockPerReadableSpectrumAndCountsThem) {
    const std::string a = AddA002();
    const std::string c = AddUnknownSignature();
    const std::string b = AddB002();
    const std::string linked = (TestFolder::Path() / "all.dx").string();
    ui.Choose({linked});
    ExportJcampMultiFile();

    ASSERT_FALSE(ui.Prompts.empty());
    const auto& dialog = ui.Prompts.front();
    EXPECT_EQ(dialog.kind, ScriptedUi::Kind::OpenFile);
    EXPECT_EQ(dialog.text, "Select JCAMP File");
    EXPECT_EQ(dialog.initDir, OutputDirectory);
    EXPECT_EQ(dialog.filter, "JCAMP Files (*.dx)|*.dx|All Files (*.*)|*.*");
    EXPECT_EQ(dialog.flags,
              cdlOFNHideReadOnly | cdlOFNExplorer | cdlOFNNoDereferenceLinks | cdlOFNLongNames);
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{c + " doesn't appear to be an ZEL Spectrum File!",
                                        "2 Files Processed"}));
    EXPECT_EQ(host.WorkList.ListCount(), 0);
    EXPECT_EQ(host.ProgressValues, (std::vector<int>{1, 2, 3, 0}));

    const auto lines = Lines(ReadText(linked));
    ASSERT_EQ(lines.size(), 5u + 24u + 22u + 1u);
    EXPECT_EQ(lines[1], "$$ MultiFile Export " + linked);
    EXPECT_EQ(lines[4], "##BLOCKS= 2");
    EXPECT_EQ(lines[5], "##TITLE= a.002");
    EXPECT_EQ(lines[6], "$$ Converted from " + a);
    EXPECT_EQ(lines[7], "##JCAMP-DX= 1.00 $$ Encoded by Lumivex Version3.1");
    EXPECT_EQ(lines[27], " 366 110000 120000 130000 140000 ");
    EXPECT_EQ(lines[28], "##END=");
    EXPECT_EQ(lines[29], "##TITLE= b.002");
    EXPECT_EQ(lines[6 + 24], "$$ Converted from " + b);
    EXPECT_EQ(lines[29 + 13], "##LASTX= 403.5");
    EXPECT_EQ(lines[29 + 20], " 400.5 100000 200000 400000 ");
    EXPECT_EQ(lines[50], "##END=");
    EXPECT_EQ(lines[51], "##END=");
}

TEST_F(JcampExport, CancelOrNothingReadableCreatesNoLinkedFile) {
    AddA002();
    ui.CancelFileDialog();
    ExportJcampMultiFile();
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(host.WorkList.ListCount(), 1);

    host.WorkList.Clear();
    Add(MakeSpectrum(2, {1}), "gone.002");
    fs::remove("gone.002");
    ui.Choose({"none.dx"});
    ExportJcampMultiFile();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"No Files Processed"});
    EXPECT_FALSE(fs::exists("none.dx"));
    EXPECT_EQ(host.WorkList.ListCount(), 1);  // the launcher clears it
}

TEST_F(JcampExport, AnOutputThatCannotBeWrittenIsNamedAndEndsTheRunWithoutACount) {
    AddA002();
    AddB002();
    std::ofstream("plain") << "x";
    OutputDirectory = (TestFolder::Path() / "plain").string();
    ExportJcampFiles();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].rfind(Output("a.002.dx") + " could not be written: ", 0), 0u)
        << ui.Messages()[0];
    EXPECT_EQ(host.ProgressValue, 0);

    ui.Choose({(TestFolder::Path() / "missing" / "all.dx").string()});
    ExportJcampMultiFile();
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_NE(ui.Messages()[1].find("all.dx could not be written"), std::string::npos);
    EXPECT_FALSE(fs::exists("missing"));
}

TEST_F(JcampExport, OverwritePromptPerFileOffersYesToAllAndNoEndsTheRun) {
    AddA002();
    AddB002();
    std::ofstream(Output("b.002.dx")) << "earlier";
    OverwritePromptSeen seen;
    ui.Drive(AnswerOverwrite("No", &seen));
    ExportJcampFiles();
    EXPECT_EQ(seen.Text, Output("b.002.dx") + " already exists!\nOverwrite?");
    EXPECT_TRUE(seen.YesToAllEnabled);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_TRUE(fs::exists(Output("a.002.dx")));
    EXPECT_EQ(ReadText(Output("b.002.dx")), "earlier");
}

TEST_F(JcampExport, LinkedFileIsAskedForOnceWithoutYesToAll) {
    AddA002();
    std::ofstream("all.dx") << "earlier";
    OverwritePromptSeen seen;
    ui.Choose({"all.dx"}).Drive(AnswerOverwrite("No", &seen));
    ExportJcampMultiFile();
    EXPECT_FALSE(seen.YesToAllEnabled);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(ReadText("all.dx"), "earlier");

    ui.Choose({"all.dx"}).Drive(AnswerOverwrite("Yes"));
    ExportJcampMultiFile();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    EXPECT_EQ(ReadText("all.dx").rfind("##TITLE=\r\n", 0), 0u);
}

TEST_F(JcampExport, SpectraWithValuesTheTableCannotCarryAreNamedAndSkipped) {
    auto bad = MakeSpectrum(2, {0.5, std::numeric_limits<double>::quiet_NaN()});
    Add(bad, "nan.002");
    const std::string nan = host.WorkList.Entries().back();
    Add(MakeSpectrum(2, {0.5, 2e9}), "huge.002");
    const std::string huge = host.WorkList.Entries().back();
    AddB002();
    const std::vector<std::string> inputs = host.WorkList.Entries();
    ExportJcampFiles();
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].rfind(nan + " holds a value that JCAMP-DX text cannot carry", 0), 0u);
    EXPECT_EQ(messages[1].rfind(huge + " holds a value", 0), 0u);
    EXPECT_EQ(messages[2], "1 Files Processed");
    EXPECT_FALSE(fs::exists(Output("nan.002.dx")));
    EXPECT_FALSE(fs::exists(Output("huge.002.dx")));

    for (const std::string& input : inputs) {
        host.WorkList.AddItem(input);
    }
    ui.Choose({"all.dx"});
    ExportJcampMultiFile();
    EXPECT_EQ(ui.Messages().size(), 6u);
    EXPECT_EQ(ui.Messages().back(), "1 Files Processed");
    EXPECT_EQ(Lines(ReadText("all.dx"))[4], "##BLOCKS= 1");
}

TEST_F(JcampExport, SpectraWithAWavelengthThatIsNotANumberAreNamedAndSkipped) {
    AddA002();
    auto infinite = MakeSpectrum(2, {1, 2, 3});
    infinite.Header.WavelengthStep = std::numeric_limits<float>::infinity();
    Add(infinite, "step.002");
    const std::string step = host.WorkList.Entries().back();
    const auto bytes = ReadBytes(step);
    ASSERT_EQ(std::vector<uint8_t>(bytes.begin() + 195, bytes.begin() + 199),
              (std::vector<uint8_t>{0x00, 0x00, 0x80, 0x7F}));
    AddB002();
    const std::vector<std::string> inputs = host.WorkList.Entries();
    const std::string skipped =
        step + " holds a wavelength that is not a number. The file was skipped.";

    ExportJcampFiles();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{skipped, "2 Files Processed"}));
    EXPECT_EQ(ui.Prompts[0].buttons, vbOKOnly + vbExclamation);
    EXPECT_EQ(ui.Prompts[0].title, "Lumivex");
    EXPECT_FALSE(fs::exists(Output("step.002.dx")));
    EXPECT_TRUE(fs::exists(Output("a.002.dx")));
    EXPECT_TRUE(fs::exists(Output("b.002.dx")));

    for (const std::string& input : inputs) {
        host.WorkList.AddItem(input);
    }
    ui.Prompts.clear();
    ui.Choose({"all.dx"});
    ExportJcampMultiFile();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{skipped, "2 Files Processed"}));
    const std::string text = ReadText("all.dx");
    EXPECT_EQ(Lines(text)[4], "##BLOCKS= 2");
    EXPECT_EQ(text.find(".#"), std::string::npos);
}

TEST_F(JcampExport, LegacyIntegerDataDescribesItsFiveHundredTwelveValues) {
    std::vector<double> values(512);
    for (int i = 0; i < 512; ++i) {
        values[static_cast<std::size_t>(i)] = i;
    }
    auto legacy = MakeSpectrum(3, values, std::vector<double>(100, 1));
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = 1;
    legacy.ChannelCount = 100;
    Add(legacy, "old.003");
    ExportJcampFiles();
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"1 Files Processed"});
    const auto lines = Lines(ReadText(Output("old.003.dx")));
    EXPECT_EQ(lines[13], "##LASTX= 861");
    EXPECT_EQ(lines[17], "##NPOINTS= 512");
    EXPECT_EQ(lines.size(), 20u + 57u + 1u);  // 512 values, 9 a line
    EXPECT_EQ(lines[76],
              " 854 504000001 505000001 506000001 507000001 508000001 509000001 "
              "510000001 511000001 ");
}

}  // namespace
