#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "io/formats/jcamp_text.h"

namespace {

const std::vector<double> A002 = {0.3,   1,    0.5,  -0.0000015, 65535, 0.25, 0,
                                  0.125, 2,    0.75, 0.05,       0.06,  0.07, 0.08,
                                  0.09,  0.10, 0.11, 0.12,       0.13,  0.14};

const JcampClock Clock{2005, 6, 15, 9, 5, 3};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF";
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(JcampText, BlockOfAFileOfItsOwnReadsExactly) {
    const JcampBlockLines lines = JcampFileLines("a.002", "/out/a.002.dx", "3.1");
    const std::string text = JcampDataBlock(lines, {350, 1, A002}, Clock);
    EXPECT_EQ(text,
              "##TITLE= a.002\r\n"
              "$$ /out/a.002.dx\r\n"
              "##JCAMP-DX= 1.00 $$ Encoded by Lumivex Version3.1\r\n"
              "##DATA TYPE= INFRARED SPECTRUM\r\n"
              "##ORIGIN= ZEL Instrument\r\n"
              "##OWNER=\r\n"
              "##DATE = 05/06/15\r\n"
              "##TIME = 09:05:03\r\n"
              "##XFACTOR= 1.0\r\n"
              "##YFACTOR= 1E-06\r\n"
              "##XUNITS= NANOMETERS\r\n"
              "##YUNITS= ARBITRARY\r\n"
              "##FIRSTX= 350\r\n"
              "##LASTX= 369\r\n"
              "##MAXY= 65535\r\n"
              "##MINY= -1.5E-06\r\n"
              "##DELTAX = 1\r\n"
              "##NPOINTS= 20\r\n"
              "##FIRSTY= 0.3\r\n"
              "##XYDATA= (X++(Y..Y))  \r\n"
              " 350 300000 1000000 500000 -1 65535000165 250000 0 125000 2000000 \r\n"
              " 359 750000 50000 60000 70000 80000 90000 100000 110000 120000 \r\n"
              " 368 130000 140000 \r\n"
              "##END=\r\n");
}

TEST(JcampText, LinkedBlocksTakeEightValuesALineAndKeepTheirTitleUntrimmed) {
    const JcampBlockLines lines = JcampMultiLines("a.002", "/in/a.002", "3.1");
    const auto block = Lines(JcampDataBlock(lines, {350, 1, A002}, Clock));
    EXPECT_EQ(block[0], "##TITLE= a.002");
    EXPECT_EQ(block[1], "$$ Converted from /in/a.002");
    EXPECT_EQ(block[2], "##JCAMP-DX= 1.00 $$ Encoded by Lumivex Version3.1");
    EXPECT_EQ(block[20], " 350 300000 1000000 500000 -1 65535000165 250000 0 125000 ");
    EXPECT_EQ(block[21], " 358 2000000 750000 50000 60000 70000 80000 90000 100000 ");
    EXPECT_EQ(block[22], " 366 110000 120000 130000 140000 ");
    EXPECT_EQ(block[23], "##END=");

    // A name of blanks stays as it is; only its last 70 characters are kept.
    const std::string longName = std::string(75, 'n') + "  ";
    EXPECT_EQ(JcampMultiLines(longName, "/in/x", "1.0").TitleLine,
              "##TITLE= " + std::string(68, 'n') + "  ");
    const std::string deepPath = "/" + std::string(100, 'd') + "/x";
    EXPECT_EQ(JcampMultiLines("x", deepPath, "1.0").CommentLine,
              ("$$ Converted from /" + std::string(100, 'd')).substr(0, 80));
}

TEST(JcampText, FractionalStepsAndTheHeadOfALinkedFile) {
    const JcampBlockLines lines = JcampMultiLines("b.002", "/in/b.002", "3.1");
    const auto block = Lines(JcampDataBlock(lines, {400.5f, 1.5f, {0.1, 0.2, 0.4}}, Clock));
    EXPECT_EQ(block[12], "##FIRSTX= 400.5");
    EXPECT_EQ(block[13], "##LASTX= 403.5");
    EXPECT_EQ(block[16], "##DELTAX = 1.5");
    EXPECT_EQ(block[20], " 400.5 100000 200000 400000 ");

    EXPECT_EQ(JcampLinkHead("/out/all.dx", "3.1", 2),
              "##TITLE=\r\n"
              "$$ MultiFile Export /out/all.dx\r\n"
              "##JCAMP-DX= 1.00 $$ Encoded by Lumivex Version 3.1\r\n"
              "##DATA TYPE= LINK\r\n"
              "##BLOCKS= 2\r\n");
    const std::string deepPath = "/" + std::string(100, 'd') + ".dx";
    EXPECT_EQ(Lines(JcampLinkHead(deepPath, "3.1", 1))[1],
              ("$$ MultiFile Export " + deepPath).substr(0, 80));
}

TEST(JcampText, NamesGoOutInTheCodePageAndTitlesAreCutInItsCharacters) {
    // 80 characters of which the last is two bytes in UTF-8.
    const std::string name = std::string(70, 'x') + "\xC3\xA9.zel";
    const JcampBlockLines lines = JcampFileLines(name, "/out/caf\xC3\xA9.dx", "1.0");
    EXPECT_EQ(lines.TitleLine, "##TITLE= " + std::string(70, 'x') + "\xE9");
    EXPECT_EQ(lines.CommentLine, "$$ /out/caf\xE9.dx");
    EXPECT_EQ(JcampFileLines("  a.002  ", "/o", "1.0").TitleLine, "##TITLE=   a.002");
}

TEST(JcampText, OrdinatesAreTruncatedQuotientsByTheWidenedSingle) {
    EXPECT_EQ(JcampOrdinate(0.3), 300000);
    EXPECT_EQ(JcampOrdinate(0.5), 500000);
    EXPECT_EQ(JcampOrdinate(1.0), 1000000);
    EXPECT_EQ(JcampOrdinate(-0.0000015), -1);
    EXPECT_EQ(JcampOrdinate(65535), 65535000165);
    EXPECT_EQ(JcampOrdinate(-65535), -65535000165);
    // The largest that still has 15 digits, and the first that has 16.
    EXPECT_EQ(JcampOrdinate(999999997.4), 999999999924757);
    EXPECT_EQ(JcampOrdinate(999999997.5), std::nullopt);
    EXPECT_EQ(JcampOrdinate(-1e9), std::nullopt);
    EXPECT_EQ(JcampOrdinate(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(JcampOrdinate(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_TRUE(JcampWritable({0.3, -65535, -999999997.4}));
    EXPECT_FALSE(JcampWritable({0.3, std::numeric_limits<double>::infinity()}));

    // A tiny negative value truncates to zero and is written without a sign.
    const auto block = Lines(
        JcampDataBlock(JcampFileLines("t", "/o", "1"), {350, 1, {-0.0000001, 1e-300}}, Clock));
    EXPECT_EQ(block[14], "##MAXY= 1E-300");
    EXPECT_EQ(block[15], "##MINY= -1E-07");
    EXPECT_EQ(block[20], " 350 0 0 ");
}

}  // namespace
