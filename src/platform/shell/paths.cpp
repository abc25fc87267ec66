#include "platform/shell/paths.h"

#include <sys/stat.h>

#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

bool IsWindowsDrivePath(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) != 0 &&
           path[1] == ':' && path[2] == '\\';
}

}  // namespace

void SplitPath(std::string& Path, std::string& Drive, std::string& Dir, std::string& FileName) {
    if (IsWindowsDrivePath(Path)) {
        Drive = Path.substr(0, 2);
        Path.erase(0, 2);
    }
    const auto last = Path.find_last_of("/\\");
    if (last == std::string::npos) {
        FileName = Path;
        return;
    }
    Dir = Path.substr(0, last + 1);
    FileName = Path.substr(last + 1);
}

std::string AddBackslash(const std::string& Path) {
    if (!Path.empty() && Path.back() == PathSeparator) {
        return Path;
    }
    return Path + PathSeparator;
}

std::string StripTrailingBackslash(std::string& Path) {
    if (!Path.empty() && Path.back() == PathSeparator) {
        Path.pop_back();
    }
    return Path;
}

bool FileExists(const std::string& Name) {
    if (Name.empty()) {
        return false;
    }
    // The system's own look, without building a path object: a batch asks
    // this for every output it is about to write.
    struct stat status {};
    return ::lstat(Name.c_str(), &status) == 0;
}

std::string ProgramFolder() {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || folder.empty()) {
        folder = std::filesystem::current_path(error);
        return error ? std::string(1, PathSeparator) : folder.string();
    }
    return folder.parent_path().string();
}
