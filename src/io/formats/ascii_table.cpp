#include "io/formats/ascii_table.h"

#include <sstream>

#include "platform/text/codepage.h"
#include "platform/text/datetime.h"
#include "platform/text/number.h"
#include "spectrum/header_text.h"

namespace {

constexpr const char* CrLf = "\r\n";

std::string TitleOf(const AsciiLayout& layout, const AsciiColumn& column) {
    switch (layout.Title) {
        case AsciiTitle::FileName:
            return Utf8ToAnsi(column.FileName);
        case AsciiTitle::CollectTime:
            return column.CollectTime;
        case AsciiTitle::None:
            break;
    }
    return {};
}

std::size_t ChannelCount(const AsciiTable& table) {
    return table.Columns.empty() ? 0 : table.Columns.front().Values.size();
}

std::string ColumnsText(const AsciiLayout& layout, const AsciiTable& table, bool singleTable) {
    const std::string sep(1, layout.Separator);
    const std::size_t channels = ChannelCount(table);
    const std::vector<std::string> x =
        XValues(layout.Axis, table.Channel1Wavelength, table.WavelengthStep, channels);
    std::string text;
    if (singleTable || layout.PrintTitle) {
        if (layout.PrintX) {
            text += XTitle(layout.Axis) + sep;
        }
        if (layout.PrintTitle) {
            for (std::size_t j = 0; j < table.Columns.size(); ++j) {
                text += TitleOf(layout, table.Columns[j]);
                if (j + 1 < table.Columns.size()) {
                    text += sep;
                }
            }
        }
        text += CrLf;
    }
    for (std::size_t k = 0; k < channels; ++k) {
        if (layout.PrintX) {
            text += x[k] + sep;
        }
        for (std::size_t j = 0; j < table.Columns.size(); ++j) {
            const double value = table.Columns[j].Values[k];
            text += j + 1 < table.Columns.size() ? ValueText(value) + sep : PrintedValue(value);
        }
        text += CrLf;
    }
    return text;
}

std::string RowsText(const AsciiLayout& layout, const AsciiTable& table) {
    const std::string sep(1, layout.Separator);
    const std::size_t channels = ChannelCount(table);
    std::string text;
    if (layout.PrintX) {
        text += XTitle(layout.Axis) + sep;
        for (const std::string& x :
             XValues(layout.Axis, table.Channel1Wavelength, table.WavelengthStep, channels)) {
            text += x + sep;
        }
    }
    text += CrLf;
    for (const AsciiColumn& column : table.Columns) {
        if (layout.PrintTitle) {
            text += TitleOf(layout, column) + sep;
        } else if (layout.PrintX) {
            // Keeps the values under their axis positions.
            text += "   " + sep;
        }
        for (double value : column.Values) {
            text += ValueText(value) + sep;
        }
        text += CrLf;
    }
    return text;
}

}  // namespace

std::string ValueText(double value) {
    return CStrDouble(value);
}

std::string PrintedValue(double value) {
    const std::string text = ValueText(value);
    return (text.front() == '-' ? "" : " ") + text + " ";
}

std::string XTitle(AsciiAxis axis) {
    return axis == AsciiAxis::Wavelength ? "Wavelength" : "Channel";
}

std::vector<std::string> XValues(AsciiAxis axis, float channel1Wavelength, float wavelengthStep,
                                 std::size_t count) {
    std::vector<std::string> values;
    values.reserve(count);
    float sum = 0;
    for (std::size_t k = 0; k < count; ++k) {
        values.push_back(
            CStrSingle(axis == AsciiAxis::Wavelength ? channel1Wavelength + sum : sum));
        sum += wavelengthStep;
    }
    return values;
}

std::string CollectTimeText(const TmRecord& saveTime) {
    return MonthDayYearText(saveTime.Mon + 1, saveTime.MDay, saveTime.Year + 1900) + " at " +
           HourMinuteSecondText(saveTime.Hour, saveTime.Min, saveTime.Sec);
}

std::string HeaderBlockText(const std::string& path) {
    std::ostringstream out;
    WriteHeaderText(out, path);
    return out.str();
}

std::string NoteText(const std::string& note) {
    std::string text;
    for (std::size_t i = 0; i < note.size(); ++i) {
        if (note[i] == '\n' && (i == 0 || note[i - 1] != '\r')) {
            text += '\r';
        }
        text += note[i];
    }
    return Utf8ToAnsi(text) + CrLf;
}

std::string AsciiTableText(const AsciiLayout& layout, const AsciiTable& table, bool singleTable) {
    switch (layout.Organization) {
        case AsciiOrganization::Columns:
            return ColumnsText(layout, table, singleTable);
        case AsciiOrganization::Rows:
            return RowsText(layout, table);
        case AsciiOrganization::None:
            break;
    }
    return {};
}
