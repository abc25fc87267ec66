#include "io/formats/bran_luebbe.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

#include "io/formats/text_lines.h"
#include "platform/text/convert.h"
#include "platform/text/number.h"

namespace {

// Thrown where a line cannot be converted or the file ends too early; its
// text is what the user is shown after "Error Description: ".
struct FileProblem {
    std::string description;
};

int16_t IntegerOf(std::string_view text) {
    try {
        return CInt(CDbl(text));
    } catch (const VbError& error) {
        throw FileProblem{error.what()};
    }
}

float SingleOf(std::string_view text) {
    try {
        return CSng(CDbl(text));
    } catch (const VbError& error) {
        throw FileProblem{error.what()};
    }
}

BLCoefficient CoefficientRow(std::string_view line) {
    const std::size_t p1 = line.find(' ');
    const std::size_t p2 = p1 == std::string_view::npos ? p1 : line.find(' ', p1 + 1);
    BLCoefficient row;
    // Without a blank there is no wavelength field at all.
    row.Wavelength =
        IntegerOf(p1 == std::string_view::npos ? std::string_view{} : line.substr(0, p1 + 1));
    if (p2 == std::string_view::npos) {
        // The text between the blanks has a negative length.
        throw FileProblem{"Invalid procedure call or argument"};
    }
    row.MultCoefficient = SingleOf(line.substr(p1 + 1, p2 - p1 - 1));
    row.AddCoefficient = SingleOf(line.substr(p2 + 1));
    return row;
}

// A line split at its first blank: the text up to and including the blank,
// and the rest. Without a blank the first part is empty and the rest is the
// whole line.
std::pair<std::string_view, std::string_view> SplitAtBlank(std::string_view line) {
    const std::size_t p = line.find(' ');
    if (p == std::string_view::npos) {
        return {std::string_view{}, line};
    }
    return {line.substr(0, p + 1), line.substr(p + 1)};
}

// The model's name for a message, without the blank it keeps.
std::string NameText(const std::string& name) {
    return !name.empty() && name.back() == ' ' ? name.substr(0, name.size() - 1) : name;
}

std::string_view NextModelLine(TextLines& lines, const std::string& name) {
    std::string_view line;
    if (!lines.Next(line)) {
        throw FileProblem{"the file ends inside the model " + NameText(name)};
    }
    return line;
}

BLModel ReadModel(std::string_view head, TextLines& lines) {
    BLModel model;
    const auto [name, count] = SplitAtBlank(head);
    model.Name = std::string(name);
    model.TermCount = IntegerOf(count);
    if (model.TermCount < 0 || model.TermCount > static_cast<int16_t>(BLMaxTerms)) {
        throw FileProblem{"the model " + NameText(model.Name) + " has " +
                          std::to_string(model.TermCount) + " terms; 0 to 5 are allowed"};
    }
    for (std::size_t s = 0; s < static_cast<std::size_t>(model.TermCount); ++s) {
        const auto [wavelength, coefficient] = SplitAtBlank(NextModelLine(lines, model.Name));
        model.TermWavelength[s] = IntegerOf(wavelength);
        model.TermCoefficient[s] = SingleOf(coefficient);
    }
    const auto [label, intercept] = SplitAtBlank(NextModelLine(lines, model.Name));
    model.InterceptLabel = std::string(label);
    model.Intercept = SingleOf(intercept);
    return model;
}

std::string Fixed(double value) {
    return Format(value, "0.00000");
}

// Both files: bounded in size, ";" lines are comments, and every other line
// starts a record that readRecord takes (with the lines it needs after it).
// The records, or false with the first problem's description.
template <typename Record, typename ReadRecord>
bool ReadBLRecords(const uint8_t* bytes, std::size_t size, std::vector<Record>& records,
                   std::string& error, ReadRecord readRecord) {
    if (size > MaxBLFileSize) {
        error = "the file is larger than 1 MiB";
        return false;
    }
    TextLines lines(bytes, size);
    std::string_view line;
    try {
        while (lines.Next(line)) {
            if (!line.empty() && line.front() == ';') {
                continue;
            }
            records.push_back(readRecord(line, lines));
        }
    } catch (const FileProblem& problem) {
        error = problem.description;
        return false;
    }
    return true;
}

}  // namespace

bool ParseBLCoefficients(const uint8_t* bytes, std::size_t size, std::vector<BLCoefficient>& rows,
                         std::string& error) {
    rows.clear();
    std::vector<BLCoefficient> read;
    if (!ReadBLRecords(bytes, size, read, error,
                       [](std::string_view line, TextLines&) { return CoefficientRow(line); })) {
        return false;
    }
    if (read.size() != BLCoefficientCount) {
        error = "the file holds " + std::to_string(read.size()) + " coefficient rows; " +
                std::to_string(BLCoefficientCount) + " are needed";
        return false;
    }
    rows = std::move(read);
    return true;
}

bool ParseBLModels(const uint8_t* bytes, std::size_t size, std::vector<BLModel>& models,
                   std::string& error) {
    models.clear();
    std::vector<BLModel> read;
    if (!ReadBLRecords(bytes, size, read, error, ReadModel)) {
        return false;
    }
    models = std::move(read);
    return true;
}

bool BLWalkRange(float channel1Wavelength, int channelCount, long& first, long& last) {
    if (channelCount < 1) {
        return false;
    }
    try {
        first = CLng(channel1Wavelength);
        last = CLng(static_cast<double>(channel1Wavelength) + channelCount - 1);
    } catch (const VbError&) {
        return false;  // no channel lies at a whole wavelength the file could name
    }
    return first <= last;
}

double PredictBLModel(const BLModel& model, const std::vector<BLCoefficient>& rows,
                      const BLValues& values) {
    double sum = 0;
    const std::size_t terms = std::min<std::size_t>(
        BLMaxTerms, static_cast<std::size_t>(std::max<int16_t>(model.TermCount, 0)));
    for (std::size_t s = 0; s < terms; ++s) {
        for (std::size_t k = 0; k < rows.size() && k < values.size(); ++k) {
            if (rows[k].Wavelength == model.TermWavelength[s]) {
                sum += static_cast<float>(static_cast<double>(model.TermCoefficient[s]) *
                                          static_cast<double>(values[k]));
                break;
            }
        }
    }
    return sum + static_cast<double>(model.Intercept);
}

std::string BLHeadRows(bool multiplicative, bool predict, const std::vector<BLModel>& models,
                       const std::vector<BLCoefficient>& rows) {
    std::string text = multiplicative ? "Multiplicative \r\n" : "Additive \r\n";
    text += "\tZEL Filename";
    if (predict) {
        for (const BLModel& model : models) {
            text += "\t" + model.Name;
        }
    }
    for (const BLCoefficient& row : rows) {
        text += "\t" + std::to_string(row.Wavelength);
    }
    return text + " \r\n";
}

std::string BLDataRow(const std::string& path, bool predict, const std::vector<BLModel>& models,
                      const std::vector<BLCoefficient>& rows, const BLValues& values,
                      bool generalValues) {
    std::string text = "\t" + path;
    if (predict) {
        for (const BLModel& model : models) {
            text += "\t" + Fixed(PredictBLModel(model, rows, values));
        }
    }
    for (float value : values) {
        text += "\t" + (generalValues ? CStrSingle(value) : Format(value, "0.00000"));
    }
    return text + " \r\n";
}
