// Built away from the lib/ folder and without a run path to the library: every export must report
// the missing library as an error the caller can show, and the process lives on.

#include <gtest/gtest.h>

#include "zelutil/binding.h"

namespace {

TEST(ZelUtilBinding, MissingLibraryIsAnErrorNotACrash) {
    try {
        ZelUtil::vbFloor(1.5);
        FAIL() << "the library should not be found from this test";
    } catch (const ZelUtil::Unavailable& error) {
        EXPECT_EQ(error.Number, 53);
        EXPECT_STREQ(error.what(), "File not found: libzelutil.so");
    }
    double y = 0;
    const double xa[4] = {1, 2, 3, 4};
    EXPECT_THROW(ZelUtil::InterpolateValue(y, xa, xa, 4, 1), ZelUtil::Unavailable);
    EXPECT_THROW(ZelUtil::vbTZSet(), ZelUtil::Unavailable);
}

}  // namespace
