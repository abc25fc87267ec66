#include "ops/analysis/kernels/band_set_file.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "platform/text/convert.h"

namespace {

// Hands out the lines of a text one at a time, whatever their line ends.
class LineReader {
public:
    LineReader(const uint8_t* bytes, std::size_t size)
        : text_(reinterpret_cast<const char*>(bytes), size) {}

    std::optional<std::string_view> Next() {
        if (position_ >= text_.size()) {
            return std::nullopt;
        }
        const std::size_t stop = text_.find_first_of("\r\n", position_);
        const std::size_t end = stop == std::string_view::npos ? text_.size() : stop;
        const std::string_view line = text_.substr(position_, end - position_);
        position_ = end;
        if (position_ < text_.size() && text_[position_] == '\r') {
            ++position_;
        }
        if (position_ < text_.size() && text_[position_] == '\n') {
            ++position_;
        }
        return line;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The first field of a line, as a comma-separated read takes it: up to the
// first ",", blanks and enclosing quotes removed.
std::string_view FirstField(std::string_view line) {
    std::string_view field = TrimBlanks(line.substr(0, line.find(',')));
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = field.substr(1, field.size() - 2);
    }
    return field;
}

std::optional<int> BandCount(std::string_view field) {
    const auto value = ParseDouble(field);
    if (!value) {
        return std::nullopt;
    }
    try {
        const int count = CInt(*value);
        if (count < 0) {
            return std::nullopt;
        }
        return count;
    } catch (const VbError&) {
        return std::nullopt;
    }
}

}  // namespace

bool ParseBandSetFile(const uint8_t* bytes, std::size_t size, BandSet& Set, BandSetError& Error) {
    LineReader lines(bytes, size);
    auto fail = [&Error](BandSetProblem problem, int line) {
        Error.Problem = problem;
        Error.Line = line;
        return false;
    };

    const auto countLine = lines.Next();
    if (!countLine) {
        return fail(BandSetProblem::MissingLine, 1);
    }
    const auto count = BandCount(FirstField(*countLine));
    if (!count) {
        return fail(BandSetProblem::BadCount, 1);
    }
    const auto modeLine = lines.Next();
    if (!modeLine) {
        return fail(BandSetProblem::MissingLine, 2);
    }
    BandSet read;
    read.Average = FirstField(*modeLine) == "average";

    for (int i = 0; i < *count; ++i) {
        const int lineNumber = i + 3;
        const auto line = lines.Next();
        if (!line) {
            return fail(BandSetProblem::MissingLine, lineNumber);
        }
        const std::size_t comma = line->find(',');
        if (comma == std::string_view::npos) {
            continue;
        }
        const std::string_view rest = line->substr(comma + 1);
        const std::string_view start = TrimBlanks(line->substr(0, comma));
        const std::string_view end = TrimBlanks(rest.substr(0, rest.find(',')));
        const auto startValue = ParseDouble(start);
        const auto endValue = ParseDouble(end);
        if (!startValue || !endValue) {
            return fail(BandSetProblem::NotNumbers, lineNumber);
        }
        if (!(*startValue < *endValue)) {
            return fail(BandSetProblem::StartNotBelowEnd, lineNumber);
        }
        read.Bands.push_back(LambdaBand{std::string(start), std::string(end)});
    }
    Set = std::move(read);
    Error = BandSetError{};
    return true;
}

std::string BandSetFileText(const BandSet& Set) {
    std::string text = std::to_string(Set.Bands.size()) + "\r\n";
    text += Set.Average ? "average\r\n" : "sum\r\n";
    for (const LambdaBand& band : Set.Bands) {
        text += band.Start + "," + band.End + "\r\n";
    }
    return text;
}
