#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "platform/profile/profile.h"

namespace fs = std::filesystem;

namespace {

const std::string kIni = "test.ini";

void Put(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

std::string Contents(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Get(std::string_view section, std::string_view key, std::string_view def = "<none>",
                const std::string& file = kIni) {
    std::string value = "stale";
    const auto count = GetPrivateProfileString(section, key, def, value, 2048, file);
    EXPECT_EQ(count, value.size());
    return value;
}

// The test's own folder already holds its config folder; counting what a write
// left behind needs one that starts empty.
void EnterEmptyFolder() {
    fs::create_directory("empty");
    fs::current_path("empty");
}

int EntriesIn(const fs::path& folder) {
    return static_cast<int>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ProfileRead, MatchesSectionsAndKeysWithoutCaseAndBlanks) {
    Put(kIni,
        "orphan=before any section\r\n"
        "[Coefficients]\r\n"
        "; UseMult=comment\r\n"
        "a line without equals\r\n"
        "  UseMult  =  True  \r\n"
        "usemult=second\r\n"
        "  [ Model ]  \n"
        "ModelFile=m.txt\n"
        "[coefficients]\r\n"
        "CoefficientFile=in a second section of the same name\r\n");
    EXPECT_EQ(Get("COEFFICIENTS", "USEMULT"), "True");
    EXPECT_EQ(Get("model", "modelfile"), "m.txt");
    EXPECT_EQ(Get("Coefficients", "CoefficientFile"), "<none>");
    EXPECT_EQ(Get("Coefficients", "; UseMult"), "<none>");
    EXPECT_EQ(Get("Coefficients", "orphan"), "<none>");
    EXPECT_EQ(Get("Coefficients", "a line without equals"), "<none>");

    Put("bom.ini", "\xEF\xBB\xBF[Model]\r\nPredict=True\r\n");
    EXPECT_EQ(Get("Model", "Predict", "", "bom.ini"), "True");
}

TEST(ProfileRead, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Get("S", "K", "fallback", "absent.ini"), "fallback");
    EXPECT_FALSE(fs::exists("absent.ini"));
    fs::create_directory("folder.ini");
    EXPECT_EQ(Get("S", "K", "fallback", "folder.ini"), "fallback");
    Put(kIni, "[S]\r\nK=\r\n");
    EXPECT_EQ(Get("T", "K", "fallback"), "fallback");
    EXPECT_EQ(Get("S", "other", ""), "");
    // An empty value is a value, not a missing key.
    EXPECT_EQ(Get("S", "K", "fallback"), "");
}

TEST(ProfileRead, CutsToTheBufferSize) {
    Put(kIni, "[S]\r\nLong=" + std::string(3000, 'x') + "\r\n");
    std::string value;
    EXPECT_EQ(GetPrivateProfileString("S", "Long", "", value, 2048, kIni), 2047u);
    EXPECT_EQ(value, std::string(2047, 'x'));
    EXPECT_EQ(GetPrivateProfileString("S", "Gone", "default", value, 4, kIni), 3u);
    EXPECT_EQ(value, "def");
    EXPECT_EQ(GetPrivateProfileString("S", "Long", "default", value, 1, kIni), 0u);
    EXPECT_EQ(value, "");
    value = "stale";
    EXPECT_EQ(GetPrivateProfileString("S", "Long", "default", value, 0, kIni), 0u);
    EXPECT_EQ(value, "");
}

TEST(ProfileRead, DropsMatchingQuotesOnly) {
    Put(kIni,
        "[S]\r\n"
        "double = \" padded \" \r\n"
        "single='x'\r\n"
        "mixed=\"x'\r\n"
        "lone=\"\r\n"
        "empty=\"\"\r\n"
        "inner=a \"b\" c\r\n");
    EXPECT_EQ(Get("S", "double"), " padded ");
    EXPECT_EQ(Get("S", "single"), "x");
    EXPECT_EQ(Get("S", "mixed"), "\"x'");
    EXPECT_EQ(Get("S", "lone"), "\"");
    EXPECT_EQ(Get("S", "empty"), "");
    EXPECT_EQ(Get("S", "inner"), "a \"b\" c");
}

TEST(ProfileRead, IntegerIsTheLeadingNumber) {
    Put(kIni,
        "[S]\r\n"
        "a=12abc\r\nb=abc\r\nc=-5\r\nd=  +7 \r\ne=\r\nf=99999999999\r\ng=-99999999999\r\n"
        "h=-2147483648\r\ni=\"42\"\r\nj=- 3\r\n");
    EXPECT_EQ(GetPrivateProfileInt("S", "a", 99, kIni), 12);
    EXPECT_EQ(GetPrivateProfileInt("S", "b", 99, kIni), 0);
    EXPECT_EQ(GetPrivateProfileInt("S", "c", 99, kIni), -5);
    EXPECT_EQ(GetPrivateProfileInt("S", "d", 99, kIni), 7);
    EXPECT_EQ(GetPrivateProfileInt("S", "e", 99, kIni), 0);
    EXPECT_EQ(GetPrivateProfileInt("S", "f", 99, kIni), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(GetPrivateProfileInt("S", "g", 99, kIni), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(GetPrivateProfileInt("S", "h", 99, kIni), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(GetPrivateProfileInt("S", "i", 99, kIni), 42);
    EXPECT_EQ(GetPrivateProfileInt("S", "j", 99, kIni), 0);
    EXPECT_EQ(GetPrivateProfileInt("S", "missing", 99, kIni), 99);
    EXPECT_EQ(GetPrivateProfileInt("S", "a", -1, "absent.ini"), -1);
}

TEST(ProfileWrite, ReplacesTheKeyWhereItStandsAndKeepsEveryOtherByte) {
    Put(kIni,
        "; settings\r\n"
        "[Main]\r\n"
        "foo = 1\n"
        "Odd line \t\r\n"
        "  KEY = old  \r\n"
        "after=2\n"
        "[Other]\r\n"
        "key=x\r\n");
    EXPECT_TRUE(WritePrivateProfileString("main", "Key", "new value", kIni));
    EXPECT_EQ(Contents(kIni),
              "; settings\r\n"
              "[Main]\r\n"
              "foo = 1\n"
              "Odd line \t\r\n"
              "Key=new value\r\n"
              "after=2\n"
              "[Other]\r\n"
              "key=x\r\n");
    // A replaced line keeps its own line end, LF included.
    EXPECT_TRUE(WritePrivateProfileString("MAIN", "foo", "", kIni));
    EXPECT_EQ(Contents(kIni).substr(0, 25), "; settings\r\n[Main]\r\nfoo=\n");
    EXPECT_EQ(Get("Main", "foo", "default"), "");
}

TEST(ProfileWrite, AppendsAfterTheSectionsLastKey) {
    Put(kIni,
        "[A]\r\n"
        "one=1\r\n"
        "; trailing remark\r\n"
        "\r\n"
        "[B]\n"
        "two=2\n");
    EXPECT_TRUE(WritePrivateProfileString("a", "New", "v", kIni));
    EXPECT_EQ(Contents(kIni), "[A]\r\none=1\r\nNew=v\r\n; trailing remark\r\n\r\n[B]\ntwo=2\n");

    Put(kIni, "[Empty]\n\n[B]\n");
    EXPECT_TRUE(WritePrivateProfileString("Empty", "k", "v", kIni));
    EXPECT_EQ(Contents(kIni), "[Empty]\nk=v\r\n\n[B]\n");
}

TEST(ProfileWrite, AddsTheSectionAtTheEndAndCreatesTheFile) {
    EXPECT_TRUE(WritePrivateProfileString("Model", "Predict", "True", kIni));
    EXPECT_EQ(Contents(kIni), "[Model]\r\nPredict=True\r\n");
    EXPECT_TRUE(WritePrivateProfileString("Coefficients", "UseAdd", "False", kIni));
    EXPECT_EQ(Contents(kIni), "[Model]\r\nPredict=True\r\n[Coefficients]\r\nUseAdd=False\r\n");

    const auto absolute = (fs::current_path() / "abs.ini").string();
    EXPECT_TRUE(WritePrivateProfileString("S", "K", "V", absolute));
    EXPECT_EQ(Get("s", "k", "", absolute), "V");
}

TEST(ProfileWrite, EndsAnUnterminatedLastLineBeforeAddingToIt) {
    Put(kIni, "[A]\r\nx=1");
    EXPECT_TRUE(WritePrivateProfileString("A", "y", "2", kIni));
    EXPECT_EQ(Contents(kIni), "[A]\r\nx=1\r\ny=2\r\n");

    Put(kIni, "[A]\nx=1");
    EXPECT_TRUE(WritePrivateProfileString("B", "y", "2", kIni));
    EXPECT_EQ(Contents(kIni), "[A]\nx=1\r\n[B]\r\ny=2\r\n");

    Put(kIni, "[A]");
    EXPECT_TRUE(WritePrivateProfileString("A", "y", "2", kIni));
    EXPECT_EQ(Contents(kIni), "[A]\r\ny=2\r\n");

    // Replacing an unterminated line keeps it unterminated.
    Put(kIni, "[A]\nx=1");
    EXPECT_TRUE(WritePrivateProfileString("A", "X", "3", kIni));
    EXPECT_EQ(Contents(kIni), "[A]\nX=3");
}

TEST(ProfileWrite, DeletesKeysAndSections) {
    const std::string original = "[A]\r\nx=1\r\n; note\r\ny=2\n\r\n[B]\r\nz=3\r\n[C]\r\nw=4";
    Put(kIni, original);
    EXPECT_TRUE(WritePrivateProfileString("a", "X", std::nullopt, kIni));
    EXPECT_EQ(Contents(kIni), "[A]\r\n; note\r\ny=2\n\r\n[B]\r\nz=3\r\n[C]\r\nw=4");
    EXPECT_TRUE(WritePrivateProfileString("A", std::nullopt, std::nullopt, kIni));
    EXPECT_EQ(Contents(kIni), "[B]\r\nz=3\r\n[C]\r\nw=4");
    EXPECT_TRUE(WritePrivateProfileString("c", std::nullopt, "ignored", kIni));
    EXPECT_EQ(Contents(kIni), "[B]\r\nz=3\r\n");

    // Nothing to delete: success, and nothing is created or rewritten.
    EXPECT_TRUE(WritePrivateProfileString("B", "none", std::nullopt, kIni));
    EXPECT_TRUE(WritePrivateProfileString("none", "z", std::nullopt, kIni));
    EXPECT_TRUE(WritePrivateProfileString("none", std::nullopt, std::nullopt, kIni));
    EXPECT_EQ(Contents(kIni), "[B]\r\nz=3\r\n");
    EXPECT_TRUE(WritePrivateProfileString("S", "K", std::nullopt, "absent.ini"));
    EXPECT_TRUE(WritePrivateProfileString("S", std::nullopt, std::nullopt, "absent.ini"));
    EXPECT_FALSE(fs::exists("absent.ini"));
}

TEST(ProfileWrite, SectionWriteReplacesTheBody) {
    Put(kIni, "[A]\r\nold=1\r\n; remark\r\nodd\r\n\r\n[B]\nb=2\n");
    using namespace std::string_view_literals;
    EXPECT_TRUE(WritePrivateProfileSection("a", "x=1\0y = 2\0\0"sv, kIni));
    EXPECT_EQ(Contents(kIni), "[A]\r\nx=1\r\ny = 2\r\n\r\n[B]\nb=2\n");
    EXPECT_EQ(Get("A", "Y"), "2");

    EXPECT_TRUE(WritePrivateProfileSection("B", "", kIni));
    EXPECT_EQ(Contents(kIni), "[A]\r\nx=1\r\ny = 2\r\n\r\n[B]\n");

    EXPECT_TRUE(WritePrivateProfileSection("C", "c=3\0"sv, kIni));
    EXPECT_EQ(Contents(kIni), "[A]\r\nx=1\r\ny = 2\r\n\r\n[B]\n[C]\r\nc=3\r\n");

    EXPECT_TRUE(WritePrivateProfileSection("New", "k=v", "created.ini"));
    EXPECT_EQ(Contents("created.ini"), "[New]\r\nk=v\r\n");

    Put(kIni, "[A]");
    EXPECT_TRUE(WritePrivateProfileSection("A", "k=v", kIni));
    EXPECT_EQ(Contents(kIni), "[A]\r\nk=v\r\n");
}

TEST(ProfileWrite, FailsWithoutLeavingAnythingBehind) {
    EnterEmptyFolder();
    Put("plain", "not a folder");
    EXPECT_FALSE(WritePrivateProfileString("S", "K", "V", "plain/test.ini"));
    EXPECT_FALSE(WritePrivateProfileSection("S", "K=V", "plain/test.ini"));
    EXPECT_FALSE(WritePrivateProfileString("S", "K", "V", "missing/test.ini"));
    fs::create_directory("folder.ini");
    EXPECT_FALSE(WritePrivateProfileString("S", "K", "V", "folder.ini"));
    EXPECT_FALSE(WritePrivateProfileString("S", "K", "V", ""));
    EXPECT_EQ(Contents("plain"), "not a folder");
    EXPECT_TRUE(fs::is_empty("folder.ini"));
    EXPECT_EQ(EntriesIn("."), 2);
}

TEST(ProfileWrite, RefusesAReadOnlyFile) {
    // Also for the superuser: the file was marked read-only on purpose.
    EnterEmptyFolder();
    Put(kIni, "[S]\r\nK=old\r\n");
    fs::permissions(kIni, fs::perms::owner_read);
    EXPECT_FALSE(WritePrivateProfileString("S", "K", "new", kIni));
    EXPECT_EQ(Get("S", "K"), "old");
    EXPECT_EQ(EntriesIn("."), 1);
}

TEST(ProfileWrite, KeepsTheModeAndWritesThroughALink) {
    EnterEmptyFolder();
    Put("real.ini", "[S]\r\nK=old\r\n");
    fs::permissions("real.ini", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.ini", kIni);
    EXPECT_TRUE(WritePrivateProfileString("S", "K", "new", kIni));
    EXPECT_TRUE(fs::is_symlink(kIni));
    EXPECT_EQ(Contents("real.ini"), "[S]\r\nK=new\r\n");
    EXPECT_EQ(fs::status("real.ini").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(EntriesIn("."), 2);
}

}  // namespace
