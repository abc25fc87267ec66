#include <gtest/gtest.h>

#include "platform/text/codepage.h"

namespace {

TEST(CodePage, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(CodePage, MapsTheWesternCharactersAndMarksTheRest) {
    EXPECT_EQ(Utf8ToAnsi("Mess\xC3\xA4r \xE2\x82\xAC"), "Mess\xE4r \x80");  // a-umlaut, euro
    EXPECT_EQ(AnsiToUtf8("\x93q\x94"), "\xE2\x80\x9Cq\xE2\x80\x9D");        // curly quotes
    EXPECT_EQ(Utf8ToAnsi("\xE6\x97\xA5"), "?");                             // not in the code page
    EXPECT_EQ(Utf8ToAnsi("a\xFF"
                         "b\xC3"),
              "a?b?");  // broken UTF-8
}

}  // namespace
