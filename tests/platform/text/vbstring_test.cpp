#include <gtest/gtest.h>

#include "platform/text/vbstring.h"

namespace {

TEST(Trim, BlanksOnly) {
    EXPECT_EQ(Trim("  ##TITLE= a.zel  "), "##TITLE= a.zel");
    EXPECT_EQ(Trim("\t x \t"), "\t x \t");
    EXPECT_EQ(LTrim("  x  "), "x  ");
    EXPECT_EQ(RTrim("  x  "), "  x");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Trim(""), "");
}

TEST(LeftRightMid, ClampToTheText) {
    EXPECT_EQ(Left("spec.zel", 4), "spec");
    EXPECT_EQ(Left("spec", 80), "spec");
    EXPECT_EQ(Left("spec", -1), "");
    EXPECT_EQ(Right("spec.zel", 4), ".zel");
    EXPECT_EQ(Right("spec", 70), "spec");
    EXPECT_EQ(Right("spec", -3), "");
    EXPECT_EQ(Mid("Band12", 5), "12");
    EXPECT_EQ(Mid("Band12", 1, 4), "Band");
    EXPECT_EQ(Mid("Band12", 5, 99), "12");
    EXPECT_EQ(Mid("Band12", 7), "");
    EXPECT_EQ(Mid("Band12", 0, 2), "Ba");
    EXPECT_EQ(Mid("Band12", 2, -1), "");
}

TEST(UCaseLCase, AsciiLettersOnly) {
    EXPECT_EQ(LCase("SPEC.ZEL"), "spec.zel");
    EXPECT_EQ(UCase("itp-1\xe9"), "ITP-1\xe9");
}

}  // namespace
