#include "platform/text/vbstring.h"

#include <algorithm>

namespace {

std::size_t Count(long long n) {
    return n < 0 ? 0 : static_cast<std::size_t>(n);
}

}  // namespace

std::string Trim(std::string_view text) {
    return LTrim(RTrim(text));
}

std::string LTrim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string RTrim(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Left(std::string_view text, long long n) {
    return std::string(text.substr(0, Count(n)));
}

std::string Right(std::string_view text, long long n) {
    const std::size_t length = std::min(Count(n), text.size());
    return std::string(text.substr(text.size() - length));
}

std::string Mid(std::string_view text, long long start) {
    return Mid(text, start, static_cast<long long>(text.size()));
}

std::string Mid(std::string_view text, long long start, long long length) {
    const std::size_t first = Count(start - 1);
    if (first >= text.size()) {
        return std::string();
    }
    return std::string(text.substr(first, Count(length)));
}

std::string UCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

std::string LCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}
