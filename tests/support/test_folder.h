#pragma once

#include <filesystem>

// The temporary folder the current test runs in (its current directory and its
// XDG_CONFIG_HOME).
namespace TestFolder {
void Enter();
void Leave();
std::filesystem::path Path();
}  // namespace TestFolder
