#include "platform/profile/profile.h"

#include <fcntl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

#include "platform/files/whole_file.h"
#include "platform/profile/profile_parse.h"

namespace fs = std::filesystem;

namespace profile {
namespace {

// Every line this program adds ends the Windows way, whatever the file's
// other lines use.
constexpr std::string_view kNewLineEnd = "\r\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

enum class LineKind { Section, Key, Other };

struct LineMeaning {
    LineKind kind = LineKind::Other;
    std::string_view name;  // section name or key
    std::string_view value;
};

LineMeaning Classify(std::string_view text) {
    // An editor may have saved the file as UTF-8 with a byte order mark; the
    // first section must still be found then.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    text = TrimBlanks(text);
    if (text.empty() || text.front() == ';') {
        return {};
    }
    if (text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string_view::npos) {
            return {};
        }
        return {LineKind::Section, TrimBlanks(text.substr(1, close - 1)), {}};
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {LineKind::Key, TrimBlanks(text.substr(0, equals)), TrimBlanks(text.substr(equals + 1))};
}

struct SectionRange {
    std::size_t header;
    std::size_t end;  // the next section's header, or the end of the file
};

std::optional<SectionRange> FindSection(const ProfileLines& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto meaning = Classify(lines[i].text);
        if (meaning.kind == LineKind::Section && SameName(meaning.name, section)) {
            SectionRange range{i, i + 1};
            while (range.end < lines.size() &&
                   Classify(lines[range.end].text).kind != LineKind::Section) {
                ++range.end;
            }
            return range;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const ProfileLines& lines, SectionRange range,
                                   std::string_view key) {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto meaning = Classify(lines[i].text);
        if (meaning.kind == LineKind::Key && SameName(meaning.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

// A line added after one that has no line end would otherwise be glued to it.
void EndLine(ProfileLine& line) {
    if (line.ending.empty()) {
        line.ending = kNewLineEnd;
    }
}

void AppendSection(ProfileLines& lines, std::string_view section) {
    if (!lines.empty()) {
        EndLine(lines.back());
    }
    lines.push_back({"[" + std::string(section) + "]", std::string(kNewLineEnd)});
}

std::string KeyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

std::vector<std::string_view> SplitEntries(std::string_view entries) {
    std::vector<std::string_view> result;
    while (!entries.empty()) {
        const auto nul = entries.find('\0');
        const auto entry = entries.substr(0, nul);
        // An empty entry is the list's terminator (or a stray double NUL), not a line.
        if (!entry.empty()) {
            result.push_back(entry);
        }
        if (nul == std::string_view::npos) {
            break;
        }
        entries.remove_prefix(nul + 1);
    }
    return result;
}

}  // namespace

ProfileLines SplitProfileLines(std::string_view bytes) {
    ProfileLines lines;
    while (!bytes.empty()) {
        const auto lf = bytes.find('\n');
        if (lf == std::string_view::npos) {
            lines.push_back({std::string(bytes), {}});
            break;
        }
        const bool crlf = lf > 0 && bytes[lf - 1] == '\r';
        const auto textLength = crlf ? lf - 1 : lf;
        lines.push_back({std::string(bytes.substr(0, textLength)),
                         std::string(bytes.substr(textLength, lf + 1 - textLength))});
        bytes.remove_prefix(lf + 1);
    }
    return lines;
}

std::string JoinProfileLines(const ProfileLines& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line.text;
        bytes += line.ending;
    }
    return bytes;
}

std::optional<std::string> FindProfileValue(const ProfileLines& lines, std::string_view section,
                                            std::string_view key) {
    const auto range = FindSection(lines, section);
    if (!range) {
        return std::nullopt;
    }
    const auto index = FindKey(lines, *range, key);
    if (!index) {
        return std::nullopt;
    }
    auto value = Classify(lines[*index].text).value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

bool SetProfileValue(ProfileLines& lines, std::string_view section,
                     std::optional<std::string_view> key, std::optional<std::string_view> value) {
    const auto range = FindSection(lines, section);
    if (!key) {
        if (!range) {
            return false;
        }
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                    lines.begin() + static_cast<std::ptrdiff_t>(range->end));
        return true;
    }
    if (!range) {
        if (!value) {
            return false;
        }
        AppendSection(lines, section);
        lines.push_back({KeyLine(*key, *value), std::string(kNewLineEnd)});
        return true;
    }
    if (const auto index = FindKey(lines, *range, *key)) {
        if (value) {
            lines[*index].text = KeyLine(*key, *value);
        } else {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*index));
        }
        return true;
    }
    if (!value) {
        return false;
    }
    // The new key goes right after the section's last key, so blank lines and
    // comments that stand before the next section stay in front of it.
    std::size_t after = range->header;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        if (Classify(lines[i].text).kind == LineKind::Key) {
            after = i;
        }
    }
    EndLine(lines[after]);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1),
                 {KeyLine(*key, *value), std::string(kNewLineEnd)});
    return true;
}

void ReplaceProfileSection(ProfileLines& lines, std::string_view section,
                           std::string_view entries) {
    ProfileLines body;
    for (const auto entry : SplitEntries(entries)) {
        body.push_back({std::string(entry), std::string(kNewLineEnd)});
    }
    const auto range = FindSection(lines, section);
    if (!range) {
        AppendSection(lines, section);
        lines.insert(lines.end(), body.begin(), body.end());
        return;
    }
    // Blank lines at the end of the old body separate it from the next
    // section; they are layout rather than content, so they stay.
    std::size_t bodyEnd = range->end;
    while (bodyEnd > range->header + 1 && TrimBlanks(lines[bodyEnd - 1].text).empty()) {
        --bodyEnd;
    }
    const auto first = lines.begin() + static_cast<std::ptrdiff_t>(range->header + 1);
    const auto erased = lines.erase(first, lines.begin() + static_cast<std::ptrdiff_t>(bodyEnd));
    lines.insert(erased, body.begin(), body.end());
    if (!body.empty()) {
        EndLine(lines[range->header]);
    }
}

int32_t LeadingInteger(std::string_view value) {
    value = TrimBlanks(value);
    bool negative = false;
    if (!value.empty() && (value.front() == '+' || value.front() == '-')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    // The magnitude stops growing just past the int32 range, so any run of
    // digits fits and the clamp below saturates in both directions.
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    for (const char c : value) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min<int64_t>(magnitude * 10 + (c - '0'), kMax + 1);
    }
    const int64_t result = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::clamp(result, kMin, kMax));
}

}  // namespace profile

namespace {

enum class FileState { Missing, Read, Unusable };

// A folder, or a file that exists but cannot be read, is Unusable: a write
// must not replace it with a file made from nothing.
FileState ReadWholeFile(const fs::path& path, std::string& bytes) {
    bytes.clear();
    if (path.empty()) {
        return FileState::Unusable;
    }
    std::error_code error;
    const auto status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        return FileState::Missing;
    }
    if (error || fs::is_directory(status)) {
        return FileState::Unusable;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return FileState::Unusable;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.bad() ? FileState::Unusable : FileState::Read;
}

// The new contents take the file's name only whole, so a full disk or a crash
// halfway leaves the old file as it was. A file the user made read-only stays
// unwritten, although the folder's rights alone would let it be replaced.
bool ReplaceWholeFile(const fs::path& target, std::string_view bytes, bool existed) {
    if (target.filename().empty()) {
        return false;
    }
    files::WholeFileOptions options;
    options.ExpectExisting = existed;
    options.KeepMode = existed;
    options.RefuseReadOnly = existed;
    return files::WriteWholeFile(AT_FDCWD, target.string(), bytes.data(), bytes.size(), options) ==
           0;
}

// Writing through a symbolic link changes the file it points to and keeps the
// link, as writing into the file in place would. A loop of links, or one that
// cannot be followed, is a file that cannot be written.
std::optional<fs::path> ResolveTarget(const std::string& fileName) {
    std::string target;
    if (files::ResolveLinks(AT_FDCWD, fileName, target) != 0) {
        return std::nullopt;
    }
    return fs::path(target);
}

template <typename Edit>
bool EditProfileFile(const std::string& fileName, Edit edit) {
    const auto resolved = ResolveTarget(fileName);
    if (!resolved) {
        return false;
    }
    const fs::path& target = *resolved;
    std::string before;
    const auto state = ReadWholeFile(target, before);
    if (state == FileState::Unusable) {
        return false;
    }
    auto lines = profile::SplitProfileLines(before);
    if (!edit(lines)) {
        return true;  // nothing to delete: the file stays as it is, or absent
    }
    const auto after = profile::JoinProfileLines(lines);
    if (state == FileState::Read && after == before) {
        return true;
    }
    return ReplaceWholeFile(target, after, state == FileState::Read);
}

std::optional<std::string> ReadProfileValue(std::string_view section, std::string_view key,
                                            const std::string& fileName) {
    std::string bytes;
    if (ReadWholeFile(fs::path(fileName), bytes) != FileState::Read) {
        return std::nullopt;
    }
    return profile::FindProfileValue(profile::SplitProfileLines(bytes), section, key);
}

}  // namespace

uint32_t GetPrivateProfileString(std::string_view Section, std::string_view Key,
                                 std::string_view Default, std::string& Returned, uint32_t Size,
                                 const std::string& FileName) {
    Returned.clear();
    if (Size == 0) {
        return 0;
    }
    const auto value = ReadProfileValue(Section, Key, FileName);
    const std::string_view text = value ? std::string_view(*value) : Default;
    Returned.assign(text.substr(0, Size - 1));
    return static_cast<uint32_t>(Returned.size());
}

int32_t GetPrivateProfileInt(std::string_view Section, std::string_view Key, int32_t Default,
                             const std::string& FileName) {
    const auto value = ReadProfileValue(Section, Key, FileName);
    return value ? profile::LeadingInteger(*value) : Default;
}

bool WritePrivateProfileString(std::string_view Section, std::optional<std::string_view> Key,
                               std::optional<std::string_view> Value, const std::string& FileName) {
    return EditProfileFile(FileName, [&](profile::ProfileLines& lines) {
        return profile::SetProfileValue(lines, Section, Key, Value);
    });
}

bool WritePrivateProfileSection(std::string_view Section, std::string_view Lines,
                                const std::string& FileName) {
    return EditProfileFile(FileName, [&](profile::ProfileLines& lines) {
        profile::ReplaceProfileSection(lines, Section, Lines);
        return true;
    });
}
