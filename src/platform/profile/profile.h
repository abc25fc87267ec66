// Profile (INI) files with the semantics the program's settings have always
// relied on: sections and keys matched without regard to letter case, reads
// into a bounded buffer that return a count, writes that replace a key in
// place or append it to its section, a missing file read as empty, and every
// other line of the file kept exactly as it was, line end included. Texts are
// bytes; lines this code adds end with CR LF. A file name without a folder is
// looked up in the current directory. Standard library only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Copies the value of Key in Section (or Default when the file, the section or
// the key is missing) into Returned, cut to Size - 1 characters, and returns
// the number of characters copied. Surrounding blanks of the value are
// dropped, and a value in matching double or single quotes loses them.
uint32_t GetPrivateProfileString(std::string_view Section, std::string_view Key,
                                 std::string_view Default, std::string& Returned, uint32_t Size,
                                 const std::string& FileName);

// The leading decimal number of the value (optional sign), Default when the key
// is missing, 0 when the value has no leading number.
int32_t GetPrivateProfileInt(std::string_view Section, std::string_view Key, int32_t Default,
                             const std::string& FileName);

// Writes Key = Value into Section, replacing the key's line where it stands or
// adding it right after the section's last key, ahead of any blank lines and
// comments that close the section (the section is appended to the file when
// missing; the file is created when missing). Without a Value the key is
// deleted; without a Key the whole section is, up to the next section; nothing
// to delete is success and creates no file. The new contents replace the file
// through a temporary file beside it, so a failed write leaves it as it was.
// False when the file cannot be written (read-only file, missing or read-only
// folder, a folder of that name).
bool WritePrivateProfileString(std::string_view Section, std::optional<std::string_view> Key,
                               std::optional<std::string_view> Value, const std::string& FileName);

// Replaces every line of Section by Lines ("key=value" entries separated by
// NUL characters, written as given; empty for none), keeping only the blank
// lines that separate it from the next section. Creates the section and the
// file when missing. False when the file cannot be written.
bool WritePrivateProfileSection(std::string_view Section, std::string_view Lines,
                                const std::string& FileName);
