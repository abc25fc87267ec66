// Arbitrary bytes as a profile file. Splitting into lines must give back the
// very bytes, and a key written into the lines must read back and keep every
// other line as it was, whatever the file holds around it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile/profile_parse.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto lines = profile::SplitProfileLines(bytes);
    Require(profile::JoinProfileLines(lines) == bytes);

    // Names that a short input can also spell, so the matching paths are hit.
    for (const std::string_view section : {"S", "Coefficients"}) {
        (void)profile::FindProfileValue(lines, section, "K");
        (void)profile::LeadingInteger(profile::FindProfileValue(lines, section, "k").value_or(""));
    }

    auto written = lines;
    profile::SetProfileValue(written, "s", "k", "value");
    Require(profile::FindProfileValue(written, "S", "K") == "value");
    Require(written.size() == lines.size() || written.size() == lines.size() + 1 ||
            written.size() == lines.size() + 2);

    auto deleted = written;
    profile::SetProfileValue(deleted, "S", "K", std::nullopt);
    profile::SetProfileValue(deleted, "S", std::nullopt, std::nullopt);
    (void)profile::FindProfileValue(deleted, "S", "K");

    using namespace std::string_view_literals;
    auto replaced = lines;
    profile::ReplaceProfileSection(replaced, "S", "a=1\0k=2\0\0"sv);
    Require(profile::FindProfileValue(replaced, "s", "K") == "2");
    return 0;
}
