#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "frame/ini_file.h"

namespace fs = std::filesystem;

namespace {

std::string Contents(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(clsINIFile, SavesAndReadsThroughTheFileItIsGiven) {
    clsINIFile ini;
    // The member is only where callers keep the name; the argument decides.
    ini.inifile = "other.ini";
    ini.ProfileSaveItem("Coefficients", "UseMult", "True", "bl.ini");
    ini.ProfileSaveItem("Model", "ModelFile", "", "bl.ini");
    EXPECT_FALSE(fs::exists("other.ini"));
    EXPECT_EQ(Contents("bl.ini"), "[Coefficients]\r\nUseMult=True\r\n[Model]\r\nModelFile=\r\n");

    EXPECT_EQ(ini.ProfileGetItem("coefficients", "usemult", "", "bl.ini"), "True");
    EXPECT_EQ(ini.ProfileGetItem("Model", "ModelFile", "default", "bl.ini"), "");
    EXPECT_EQ(ini.ProfileGetItem("Model", "Predict", "default", "bl.ini"), "default");
    EXPECT_EQ(ini.ProfileGetItem("Model", "Predict", "", "bl.ini"), "");
    EXPECT_EQ(ini.ProfileGetItem("Model", "Predict", "default", "missing.ini"), "default");
}

TEST(clsINIFile, ReadsAtMost2047Characters) {
    clsINIFile ini;
    ini.ProfileSaveItem("Model", "ModelFile", std::string(3000, 'm'), "bl.ini");
    EXPECT_EQ(ini.ProfileGetItem("Model", "ModelFile", "", "bl.ini"), std::string(2047, 'm'));
    EXPECT_EQ(ini.ProfileGetItem("Model", "Other", std::string(2100, 'd'), "bl.ini"),
              std::string(2047, 'd'));
}

TEST(clsINIFile, DeletesKeysAndSections) {
    clsINIFile ini;
    ini.ProfileSaveItem("Coefficients", "UseMult", "True", "bl.ini");
    ini.ProfileSaveItem("Coefficients", "UseAdd", "False", "bl.ini");
    ini.ProfileSaveItem("Model", "Predict", "True", "bl.ini");
    ini.ProfileDeleteItem("Coefficients", "UseMult", "bl.ini");
    EXPECT_EQ(Contents("bl.ini"), "[Coefficients]\r\nUseAdd=False\r\n[Model]\r\nPredict=True\r\n");
    ini.ProfileDeleteSection("coefficients", "bl.ini");
    EXPECT_EQ(Contents("bl.ini"), "[Model]\r\nPredict=True\r\n");
    EXPECT_TRUE(ini.ProfileDeleteSection("Model", "never.ini"));
    EXPECT_FALSE(fs::exists("never.ini"));
    EXPECT_FALSE(ini.ProfileSaveItem("Model", "Predict", "True", "bl.ini/inside.ini"));
}

TEST(clsINIFile, LoadIniFileNamesOnlyAReadableFile) {
    clsINIFile ini;
    EXPECT_EQ(ini.LoadIniFile(), "");
    ini.inifile = (fs::current_path() / "bl.ini").string();
    EXPECT_EQ(ini.LoadIniFile(), "");
    std::ofstream(ini.inifile) << "[Model]\r\n";
    EXPECT_EQ(ini.LoadIniFile(), ini.inifile);
    ini.inifile = fs::current_path().string();
    EXPECT_EQ(ini.LoadIniFile(), "");
}

TEST(clsINIFile, LoadIniFileRefusesAnUnreadableFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    clsINIFile ini;
    ini.inifile = "bl.ini";
    std::ofstream(ini.inifile) << "[Model]\r\n";
    fs::permissions(ini.inifile, fs::perms::owner_write);
    EXPECT_EQ(ini.LoadIniFile(), "");
}

}  // namespace
