#include "support/test_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace TestFolder {
namespace {
std::filesystem::path Current;
std::filesystem::path Previous;
}  // namespace

void Enter() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumivex-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot create a temporary folder";
        return;
    }
    Current = pattern;
    Previous = std::filesystem::current_path();
    std::filesystem::create_directories(Current / "config");
    setenv("XDG_CONFIG_HOME", (Current / "config").c_str(), 1);
    std::filesystem::current_path(Current);
}

void Leave() {
    if (Current.empty()) {
        return;
    }
    std::error_code ignored;
    std::filesystem::current_path(Previous, ignored);
    std::filesystem::remove_all(Current, ignored);
    Current.clear();
}

std::filesystem::path Path() {
    return Current;
}

}  // namespace TestFolder
