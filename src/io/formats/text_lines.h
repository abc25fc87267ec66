// Lines of a text file from outside: a line ends at CR LF, CR or LF, and the
// last one needs no end. Files written here end their lines with LF alone,
// files from elsewhere with CR LF or CR; all of them read the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class TextLines {
public:
    TextLines(const uint8_t* bytes, std::size_t size)
        : text_(reinterpret_cast<const char*>(bytes), size) {}

    // The next line without its end; false at the end of the text.
    bool Next(std::string_view& line) {
        if (position_ >= text_.size()) {
            return false;
        }
        const std::size_t end = text_.find_first_of("\r\n", position_);
        if (end == std::string_view::npos) {
            line = text_.substr(position_);
            position_ = text_.size();
            return true;
        }
        line = text_.substr(position_, end - position_);
        position_ = end + 1;
        if (text_[end] == '\r' && position_ < text_.size() && text_[position_] == '\n') {
            ++position_;
        }
        return true;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};
