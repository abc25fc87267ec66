#include <gtest/gtest.h>

#include <limits>

#include "io/formats/ascii_table.h"
#include "io/formats/wavelength_axis.h"

namespace {

AsciiTable ThreeChannels(std::vector<std::vector<double>> columns) {
    AsciiTable table;
    table.Channel1Wavelength = 350;
    table.WavelengthStep = 1.5f;
    const char* names[] = {"a.001", "b.001", "c.001"};
    for (std::size_t j = 0; j < columns.size(); ++j) {
        table.Columns.push_back({names[j], "03/15/2005 at 09:05:03", columns[j]});
    }
    return table;
}

TEST(AsciiText, ValuesKeepTheirDigitsAndThePrintedFormItsBlanks) {
    EXPECT_EQ(ValueText(0.1 + 0.2), "0.3");
    EXPECT_EQ(ValueText(1234567.125), "1234567.125");
    EXPECT_EQ(ValueText(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(PrintedValue(0.5), " 0.5 ");
    EXPECT_EQ(PrintedValue(-0.25), "-0.25 ");
    EXPECT_EQ(PrintedValue(-0.0), " 0 ");
}

TEST(AsciiText, AxisGrowsBySingleSteps) {
    EXPECT_EQ(XValues(AsciiAxis::Wavelength, 350, 1.5f, 3),
              (std::vector<std::string>{"350", "351.5", "353"}));
    EXPECT_EQ(XValues(AsciiAxis::Channel, 350, 1, 3), (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(XValues(AsciiAxis::Channel, 350, 1.5f, 3),
              (std::vector<std::string>{"0", "1.5", "3"}));
    // A step a Single cannot hold exactly drifts as the running sum does, not
    // as first + k * step would.
    EXPECT_EQ(XValues(AsciiAxis::Channel, 0, 0.1f, 2001).back(), "200.003");
    EXPECT_TRUE(XValues(AsciiAxis::Wavelength, 350, 1, 0).empty());
}

TEST(AsciiText, AnAxisIsWritableOnlyWhenEveryPositionIsFinite) {
    constexpr float inf = std::numeric_limits<float>::infinity();
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(WavelengthAxisFinite(350, 1, 2151));
    EXPECT_TRUE(WavelengthAxisFinite(350, -1, 0));
    EXPECT_FALSE(WavelengthAxisFinite(nan, 1, 3));
    EXPECT_FALSE(WavelengthAxisFinite(350, inf, 3));
    EXPECT_FALSE(WavelengthAxisFinite(-inf, 1, 0));
    // Finite ends whose sums are not: the steps, or the first plus them.
    EXPECT_TRUE(WavelengthAxisFinite(350, 3e38f, 2));
    EXPECT_FALSE(WavelengthAxisFinite(350, 3e38f, 3));
    EXPECT_FALSE(WavelengthAxisFinite(3e38f, 2e38f, 2));
}

TEST(AsciiText, CollectTimeHasAFullYearAndTwoDigitFields) {
    TmRecord t;
    t.Mon = 2;
    t.MDay = 15;
    t.Year = 105;
    t.Hour = 9;
    t.Min = 5;
    t.Sec = 3;
    EXPECT_EQ(CollectTimeText(t), "03/15/2005 at 09:05:03");
    t.Mon = 11;
    t.Year = 99;
    EXPECT_EQ(CollectTimeText(t), "12/15/1999 at 09:05:03");
}

TEST(AsciiText, NoteLinesEndInCrLfAndUseTheCodePage) {
    EXPECT_EQ(NoteText(""), "\r\n");
    EXPECT_EQ(NoteText("leaf\nsite 4\r\nsunny"), "leaf\r\nsite 4\r\nsunny\r\n");
    EXPECT_EQ(NoteText("caf\xC3\xA9"), "caf\xE9\r\n");
}

TEST(AsciiText, OneSpectrumInColumns) {
    AsciiLayout layout;
    const AsciiTable table = ThreeChannels({{0.5, -0.25, 0.125}});
    EXPECT_EQ(AsciiTableText(layout, table, false),
              "Wavelength\ta.001\r\n350\t 0.5 \r\n351.5\t-0.25 \r\n353\t 0.125 \r\n");
    layout.Title = AsciiTitle::CollectTime;
    layout.Axis = AsciiAxis::Channel;
    layout.Separator = ';';
    EXPECT_EQ(AsciiTableText(layout, table, false),
              "Channel;03/15/2005 at 09:05:03\r\n0; 0.5 \r\n1.5;-0.25 \r\n3; 0.125 \r\n");
    // Without titles there is no title line, axis or not.
    layout.PrintTitle = false;
    EXPECT_EQ(AsciiTableText(layout, table, false), "0; 0.5 \r\n1.5;-0.25 \r\n3; 0.125 \r\n");
    layout.PrintX = false;
    EXPECT_EQ(AsciiTableText(layout, table, false), " 0.5 \r\n-0.25 \r\n 0.125 \r\n");
    layout.Organization = AsciiOrganization::None;
    EXPECT_EQ(AsciiTableText(layout, table, false), "");
}

TEST(AsciiText, RowsEndEveryValueWithTheSeparator) {
    AsciiLayout layout;
    layout.Organization = AsciiOrganization::Rows;
    const AsciiTable one = ThreeChannels({{0.5, -0.25, 0.125}});
    EXPECT_EQ(AsciiTableText(layout, one, false),
              "Wavelength\t350\t351.5\t353\t\r\na.001\t0.5\t-0.25\t0.125\t\r\n");
    layout.PrintTitle = false;
    EXPECT_EQ(AsciiTableText(layout, one, false),
              "Wavelength\t350\t351.5\t353\t\r\n   \t0.5\t-0.25\t0.125\t\r\n");
    layout.PrintX = false;
    EXPECT_EQ(AsciiTableText(layout, one, false), "\r\n0.5\t-0.25\t0.125\t\r\n");
    layout.PrintTitle = true;
    layout.Separator = ',';
    const AsciiTable two = ThreeChannels({{0.5, -0.25, 0.125}, {1, 2, -2.5}});
    EXPECT_EQ(AsciiTableText(layout, two, true),
              "\r\na.001,0.5,-0.25,0.125,\r\nb.001,1,2,-2.5,\r\n");
}

TEST(AsciiText, OneTableHasAHeadingLineAndPrintsOnlyItsLastColumn) {
    AsciiLayout layout;
    layout.Separator = ',';
    const AsciiTable table = ThreeChannels({{0.5, -0.25, 0.125}, {1, 2, -2.5}});
    EXPECT_EQ(AsciiTableText(layout, table, true),
              "Wavelength,a.001,b.001\r\n350,0.5, 1 \r\n351.5,-0.25, 2 \r\n353,0.125,-2.5 \r\n");
    layout.PrintTitle = false;
    EXPECT_EQ(AsciiTableText(layout, table, true),
              "Wavelength,\r\n350,0.5, 1 \r\n351.5,-0.25, 2 \r\n353,0.125,-2.5 \r\n");
    layout.PrintX = false;
    EXPECT_EQ(AsciiTableText(layout, table, true), "\r\n0.5, 1 \r\n-0.25, 2 \r\n0.125,-2.5 \r\n");
    // File names go out in the files' code page.
    AsciiTable named = ThreeChannels({{1, 2, 3}});
    named.Columns[0].FileName = "bl\xC3\xBC.001";
    layout.PrintTitle = true;
    EXPECT_EQ(AsciiTableText(layout, named, true).substr(0, 9), "bl\xFC.001\r\n");
}

}  // namespace
