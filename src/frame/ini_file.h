// The program's INI file object: the Bran+Luebbe export keeps its settings in
// "bl.ini" through one instance of it, ExportIniFile, bound at start-up.
#pragma once

#include <string>
#include <string_view>

class clsINIFile {
public:
    // The file this instance serves. The operations do not use it by
    // themselves: callers hand it back as their IniFile argument.
    std::string inifile;

    // The value of Key, or Default when the file, the section or the key is
    // missing; at most 2047 characters.
    std::string ProfileGetItem(std::string_view Section, std::string_view Key,
                               std::string_view Default, const std::string& IniFile) const;

    // Writes Key=Value; an empty Value is stored as such, it does not delete
    // the key. The program's callers have always ignored a failed write; the
    // result (false: the file could not be written and is unchanged) is there
    // for one that wants to report it.
    bool ProfileSaveItem(std::string_view Section, std::string_view Key, std::string_view Value,
                         const std::string& IniFile) const;
    bool ProfileDeleteItem(std::string_view Section, std::string_view Key,
                           const std::string& IniFile) const;
    bool ProfileDeleteSection(std::string_view Section, const std::string& IniFile) const;

    // inifile when that file can be opened for reading, else the empty text.
    std::string LoadIniFile() const;
};

extern clsINIFile ExportIniFile;
