#include "ops/analysis/kernels/lambda_result_text.h"

#include <algorithm>
#include <cctype>

#include "platform/text/number.h"

namespace {

constexpr std::string_view NameGap = "     ";
constexpr std::string_view BandWord = "Band";
constexpr std::string_view BandGap = "  ";
constexpr std::string_view StartGap = "   ";
constexpr std::string_view ResultGap = "    ";
constexpr int EntriesPerPage = 46;

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Where the band label starts ("Band"), or npos.
std::size_t BandLabelStart(std::string_view entry) {
    const std::string marker = std::string(NameGap) + std::string(BandWord);
    for (std::size_t at = entry.find(marker); at != std::string_view::npos;
         at = entry.find(marker, at + 1)) {
        std::size_t digits = at + marker.size();
        const std::size_t first = digits;
        while (digits < entry.size() && IsDigit(entry[digits])) {
            ++digits;
        }
        if (digits > first && entry.substr(digits, BandGap.size()) == BandGap) {
            return at + NameGap.size();
        }
    }
    return std::string_view::npos;
}

std::string TrimmedBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

std::string LambdaResultEntry(const std::string& fileName, int band, const std::string& start,
                              const std::string& end, const std::string& result) {
    return fileName + std::string(NameGap) + std::string(BandWord) + std::to_string(band) +
           std::string(BandGap) + start + std::string(StartGap) + end + std::string(ResultGap) +
           Format(std::string_view(result), "###0.00");
}

LambdaResultFields SplitLambdaResult(std::string_view entry) {
    LambdaResultFields fields;
    const std::size_t label = BandLabelStart(entry);
    if (label == std::string_view::npos) {
        fields.FileName = TrimmedBlanks(entry);
        return fields;
    }
    fields.FileName = TrimmedBlanks(entry.substr(0, label));
    std::size_t at = label + BandWord.size();
    const std::size_t digits = at;
    while (at < entry.size() && IsDigit(entry[at])) {
        ++at;
    }
    fields.Band = std::string(entry.substr(digits, at - digits));
    std::string_view rest = entry.substr(at + BandGap.size());
    // Band edges hold no blanks: each ends at its gap.
    const std::size_t startEnd = rest.find(' ');
    fields.Start = std::string(rest.substr(0, startEnd));
    if (startEnd == std::string_view::npos) {
        return fields;
    }
    rest = rest.substr(startEnd);
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    const std::size_t endEnd = rest.find(' ');
    fields.End = std::string(rest.substr(0, endEnd));
    if (endEnd == std::string_view::npos) {
        return fields;
    }
    rest = rest.substr(endEnd);
    // The result keeps its own blanks ("LamStart < 350").
    fields.Result = std::string(rest.substr(std::min(ResultGap.size(), rest.size())));
    return fields;
}

std::string LambdaDataRow(const LambdaResultFields& fields, const std::string& kind) {
    return fields.FileName + "," + fields.Band + "," + fields.Start + "," + fields.End + "," +
           fields.Result + "," + kind;
}

std::vector<PrintPage> LambdaPrintPages(const std::vector<LambdaResultFields>& entries,
                                        const std::string& lastColumn,
                                        const std::string& printedAt) {
    std::vector<PrintPage> pages;
    std::string previousBand = "1";
    int onPage = EntriesPerPage;
    for (const LambdaResultFields& entry : entries) {
        if (onPage == EntriesPerPage) {
            onPage = 0;
            const int number = static_cast<int>(pages.size()) + 1;
            pages.push_back(PrintPage{
                PrintLine{{15, "Lambda Integration Results    Printed " + printedAt}},
                PrintLine{{1, "Filename"},
                          {45, "Band"},
                          {55, "Start"},
                          {65, "End"},
                          {75, lastColumn},
                          {90, "Page " + std::to_string(number)}},
            });
        }
        PrintPage& page = pages.back();
        if (entry.Band != previousBand) {
            page.push_back(PrintLine{});
            previousBand = entry.Band;
        }
        page.push_back(PrintLine{{1, entry.FileName},
                                 {45, entry.Band},
                                 {55, entry.Start},
                                 {65, entry.End},
                                 {75, entry.Result}});
        ++onPage;
    }
    return pages;
}
