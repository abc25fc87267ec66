// A profile file held in memory as its lines, each with its own line end, so
// that joining the lines gives back the very bytes that were read. The file
// functions in profile.h work on this model, and so does the fuzzer, without a
// file in between. Not for use outside the profile functions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace profile {

struct ProfileLine {
    std::string text;    // the line without its line end
    std::string ending;  // "\r\n", "\n", or empty for a last line that has none
};

using ProfileLines = std::vector<ProfileLine>;

ProfileLines SplitProfileLines(std::string_view bytes);
std::string JoinProfileLines(const ProfileLines& lines);

// The value of Key in the first Section of that name, blanks around it dropped
// and matching quotes removed; nothing when the section or the key is missing.
std::optional<std::string> FindProfileValue(const ProfileLines& lines, std::string_view section,
                                            std::string_view key);

// The edits behind WritePrivateProfileString: no key deletes the section, no
// value deletes the key. True when the lines changed.
bool SetProfileValue(ProfileLines& lines, std::string_view section,
                     std::optional<std::string_view> key, std::optional<std::string_view> value);

// The edit behind WritePrivateProfileSection; entries are NUL-separated.
void ReplaceProfileSection(ProfileLines& lines, std::string_view section, std::string_view entries);

// The leading decimal number of a value, saturated to the 32-bit range; 0 when
// the value does not start with one.
int32_t LeadingInteger(std::string_view value);

}  // namespace profile
