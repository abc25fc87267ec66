#include "cie/table_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "built_tables.h"
#include "support/test_folder.h"

namespace {

std::string Csv(int from, int to, const std::string& extra = "") {
    std::string text = "nm,value\n";
    for (int nm = from; nm <= to; ++nm) {
        text += std::to_string(nm) + "," + std::to_string(nm / 10.0) + "\n";
    }
    return text + extra;
}

std::string Problem(const std::string& text, int columns = 1) {
    std::string problem;
    const auto tables = ReadReferenceCsv(text, columns, problem);
    EXPECT_EQ(tables.empty(), !problem.empty());
    return problem;
}

TEST(ReferenceCsv, TakesExactlyTheRowsFrom360To830) {
    std::string problem;
    const auto tables = ReadReferenceCsv(
        "nm,a,b\r\n" +
            [] {
                std::string rows;
                for (int nm = 360; nm <= 830; ++nm) {
                    rows += std::to_string(nm) + ", 1.5e-3 ," + std::to_string(nm) + "\r\n";
                }
                return rows;
            }(),
        2, problem);
    ASSERT_EQ(problem, "");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0][470], 1.5e-3f);
    EXPECT_EQ(tables[1][0], 360.0f);
    EXPECT_EQ(tables[1][470], 830.0f);
}

TEST(ReferenceCsv, RefusesTablesThatWouldShiftOrMissWavelengths) {
    EXPECT_EQ(Problem(Csv(360, 829)), "the rows end before 830 nm (next expected 830 nm)");
    EXPECT_EQ(Problem(Csv(361, 830)), "line 2: expected the row for 360 nm");
    EXPECT_EQ(Problem(Csv(355, 830)), "line 2: expected the row for 360 nm");
    EXPECT_EQ(Problem(Csv(360, 830, "831,1\n")), "line 473: a row beyond 830 nm");
    std::string swapped = Csv(360, 830);
    swapped.replace(swapped.find("400,"), 4, "401,");
    EXPECT_EQ(Problem(swapped), "line 42: expected the row for 400 nm");
    std::string bad = Csv(360, 830);
    bad.replace(bad.find("500,50"), 6, "500,x0");
    EXPECT_NE(Problem(bad).find("is not a number"), std::string::npos);
    EXPECT_EQ(Problem(Csv(360, 830), 2), "line 1: the header does not name 3 columns");
    EXPECT_EQ(Problem(""), "the rows end before 830 nm (next expected 360 nm)");
}

TEST(TableText, ReadsItemsByLineAndByComma) {
    CieTableValues table{};
    ParseTableText("1.5\r\n2, 3 ,4\n\n  -0.25\n", "T", table);
    EXPECT_EQ(table[0], 1.5f);
    EXPECT_EQ(table[3], 4.0f);
    EXPECT_EQ(table[4], -0.25f);
    EXPECT_EQ(table[5], 0.0f);
}

TEST(TableText, RefusesWhatIsNotANumberOrTooMuch) {
    CieTableValues table{};
    try {
        ParseTableText("1\n2,x,4\n", "CIE_A", table);
        FAIL();
    } catch (const CieError& e) {
        EXPECT_EQ(e.Fault(), CieFault::TypeMismatch);
        EXPECT_EQ(e.Number(), 13);
        EXPECT_STREQ(e.what(), "the table file CIE_A holds an item that is not a number");
    }
    // The decimal comma of the desktop is no decimal sign here.
    EXPECT_THROW(ParseTableText("1;5\n", "T", table), CieError);
    EXPECT_THROW(ParseTableText("1e39\n", "T", table), CieError);
    std::string many;
    for (int i = 0; i < 472; ++i) {
        many += "1\n";
    }
    try {
        ParseTableText(many, "CIE_Y2", table);
        FAIL();
    } catch (const CieError& e) {
        EXPECT_EQ(e.Fault(), CieFault::TooManyValues);
        EXPECT_EQ(e.Number(), 9);
        EXPECT_STREQ(e.what(), "the table file CIE_Y2 holds more than 471 values");
    }
}

void WriteTables(const std::filesystem::path& folder, int count) {
    for (int t = 0; t < count; ++t) {
        std::ofstream out(folder / CieTableNames[static_cast<std::size_t>(t)]);
        out << (t + 1) << "\n" << (t + 1) * 2 << "\n";
    }
}

TEST(TablesFromFolder, LoadsAllEightOnceAndKeepsThem) {
    const auto folder = TestFolder::Path();
    WriteTables(folder, CieTableCount);
    CieState state;
    state.Tables[CIE_A].fill(9);
    LoadTablesFromFolder(state, folder);
    EXPECT_TRUE(state.TablesLoaded);
    EXPECT_EQ(state.Tables[CIE_X2][0], 1.0f);
    EXPECT_EQ(state.Tables[CIE_A][1], 16.0f);
    EXPECT_EQ(state.Tables[CIE_A][2], 0.0f);  // a short file leaves zeros

    // Once loaded, nothing is read again.
    std::filesystem::remove(folder / "CIE_X2");
    state.Results.x2bar = 7;
    LoadTablesFromFolder(state, folder);
    EXPECT_EQ(state.Tables[CIE_X2][0], 1.0f);
    EXPECT_EQ(state.Results.x2bar, 7.0f);
}

TEST(TablesFromFolder, MissingFileNamesItAndLeavesTheFlagDown) {
    const auto folder = TestFolder::Path();
    WriteTables(folder, 3);  // CIE_X10 is missing
    CieState state;
    try {
        LoadTablesFromFolder(state, folder);
        FAIL();
    } catch (const CieError& e) {
        EXPECT_EQ(e.Fault(), CieFault::FileNotFound);
        EXPECT_EQ(e.Number(), 53);
        EXPECT_EQ(std::string(e.what()),
                  "the table file " + (folder / "CIE_X10").string() + " cannot be found");
    }
    EXPECT_FALSE(state.TablesLoaded);
    EXPECT_EQ(state.Tables[CIE_Z2][1], 6.0f);
}

// What is no plain table file, or too large to be one, is refused before it
// is read whole: a pipe would wait for a writer and a device never ends.
TEST(TablesFromFolder, RefusesPipesDevicesAndOversizedFiles) {
    const auto folder = TestFolder::Path();
    WriteTables(folder, CieTableCount);
    const auto expectFault = [&](CieFault fault, int number, const std::string& ending) {
        CieState state;
        try {
            LoadTablesFromFolder(state, folder);
            ADD_FAILURE() << "loaded";
        } catch (const CieError& e) {
            EXPECT_EQ(e.Fault(), fault);
            EXPECT_EQ(e.Number(), number);
            EXPECT_EQ(std::string(e.what()),
                      "the table file " + (folder / "CIE_Y2").string() + ending);
        }
        EXPECT_FALSE(state.TablesLoaded);
    };

    std::filesystem::remove(folder / "CIE_Y2");
    ASSERT_EQ(mkfifo((folder / "CIE_Y2").c_str(), 0600), 0);
    expectFault(CieFault::FileNotFound, 53, " cannot be found");

    std::filesystem::remove(folder / "CIE_Y2");
    std::filesystem::create_symlink("/dev/zero", folder / "CIE_Y2");
    expectFault(CieFault::FileNotFound, 53, " cannot be found");

    // Blanks that would each hold no item, one byte over the limit.
    std::filesystem::remove(folder / "CIE_Y2");
    {
        std::ofstream out(folder / "CIE_Y2", std::ios::binary);
        out << "1\n" << std::string(CieTableFileMaxBytes - 1, ' ');
    }
    expectFault(CieFault::TooManyValues, 9, " is too large to be a table");

    // At the limit it is still a table.
    std::filesystem::resize_file(folder / "CIE_Y2", CieTableFileMaxBytes);
    CieState state;
    LoadTablesFromFolder(state, folder);
    EXPECT_TRUE(state.TablesLoaded);
    EXPECT_EQ(state.Tables[CIE_Y2][0], 1.0f);
    EXPECT_EQ(state.Tables[CIE_Y2][1], 0.0f);
}

TEST(TableBytes, RoundTripAndRefuseAnyOtherLength) {
    const auto& d65 = BuiltTables()[CIE_D65];
    const auto bytes = EncodeTable(d65);
    CieTableValues back{};
    ASSERT_TRUE(DecodeTable(bytes, back));
    EXPECT_EQ(back, d65);
    EXPECT_FALSE(DecodeTable(std::span(bytes).first(1883), back));
    EXPECT_EQ(BuiltTableBytes("CIE_D65"), std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

}  // namespace
