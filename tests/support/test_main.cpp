// Every test starts in a fresh temporary folder of its own, which is also its
// XDG_CONFIG_HOME, so no test sees another's files or the user's settings.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_folder.h"

namespace {

class FreshFolderPerTest : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override { TestFolder::Enter(); }
    void OnTestEnd(const testing::TestInfo&) override { TestFolder::Leave(); }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshFolderPerTest);
    return RUN_ALL_TESTS();
}
