// The gtest main for suites that need widgets: one QApplication for the whole
// run, on the offscreen platform, with the program's keyboard rule, and a fresh
// folder per test.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>

#include "platform/ui/keyboard.h"
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
    QApplication app(argc, argv);
    // The keyboard behaves in tests as in the program.
    InstallKeyboardRule();
    testing::UnitTest::GetInstance()->listeners().Append(new FreshFolderPerTest);
    const int result = RUN_ALL_TESTS();
    // Objects a test left to deleteLater (a window, a single-shot timer whose
    // receiver is gone) go before the application does, not with it, where
    // they would read as leaks.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
