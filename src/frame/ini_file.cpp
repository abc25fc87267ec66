#include "frame/ini_file.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/profile/profile.h"

clsINIFile ExportIniFile;

namespace {
// The buffer the class has always read into; longer values come back cut.
constexpr uint32_t kItemBufferSize = 2048;
}  // namespace

std::string clsINIFile::ProfileGetItem(std::string_view Section, std::string_view Key,
                                       std::string_view Default, const std::string& IniFile) const {
    std::string value;
    GetPrivateProfileString(Section, Key, Default, value, kItemBufferSize, IniFile);
    return value;
}

bool clsINIFile::ProfileSaveItem(std::string_view Section, std::string_view Key,
                                 std::string_view Value, const std::string& IniFile) const {
    return WritePrivateProfileString(Section, Key, Value, IniFile);
}

bool clsINIFile::ProfileDeleteItem(std::string_view Section, std::string_view Key,
                                   const std::string& IniFile) const {
    return WritePrivateProfileString(Section, Key, std::nullopt, IniFile);
}

bool clsINIFile::ProfileDeleteSection(std::string_view Section, const std::string& IniFile) const {
    return WritePrivateProfileString(Section, std::nullopt, std::nullopt, IniFile);
}

std::string clsINIFile::LoadIniFile() const {
    // A folder opens for reading on this platform, but it is no file to read
    // settings from.
    std::error_code error;
    if (inifile.empty() || std::filesystem::is_directory(inifile, error)) {
        return {};
    }
    std::ifstream in(inifile);
    return in.is_open() ? inifile : std::string();
}
