#include "views/colorimetry_report.h"

#include "platform/text/codepage.h"
#include "platform/text/number.h"
#include "spectrum/header_text.h"

std::string FormatColorValue(float Value) {
    std::string text = Format(Value, "##0.0000");
    if (Value >= 0 && Value < 10) {
        return "  " + text;
    }
    if (Value >= 10 && Value < 100) {
        return " " + text;
    }
    return text;
}

std::string ColorimetryTypeName(uint8_t dataType) {
    switch (dataType) {
        case 0:
            return "RawDN";
        case 1:
        case 6:
            return "Refelectance";
        case 2:
            return "Radiance";
        case 3:
            return "No-Units";
        case 4:
            return "Irradiance";
        case 5:
            return "QI-Type";
        case 8:
            return "Asorbance";
        default:
            return "Other";
    }
}

std::string IlluminantName(int32_t ill) {
    switch (ill) {
        case 1:
            return "A";
        case 2:
            return "B";
        case 3:
            return "C";
        case 4:
            return "D65";
        default:
            return "None";
    }
}

namespace {

std::string Row(const char* label, float twoDegrees, float tenDegrees) {
    return std::string(label) + "\t\t" + FormatColorValue(twoDegrees) + "\t\t" +
           FormatColorValue(tenDegrees);
}

}  // namespace

std::vector<uint8_t> ColorimetryReport(const std::string& name, const SpectrumHeader& header,
                                       const std::string& typeName,
                                       const std::string& illuminantName,
                                       const ColorimetryValues& v) {
    const std::string lines[] = {
        "ZEL Colorimetry Processor",
        "",
        "File name:\t" + Utf8ToAnsi(name),
        "Description:\t" + CommentText(header),
        "Date:\t\t" + SaveDateText(header.SaveTime),
        "Time:\t\t" + SaveTimeText(header.SaveTime),
        "File type:\t\t" + typeName,
        "Illuminate:\t\t" + illuminantName,
        "",
        "",
        "Variable\t\tCIE 1931(2)\tCIE 1964(10)",
        std::string(58, '_'),
        "",
        Row("X", v.x2bar, v.x10bar),
        Row("Y", v.y2bar, v.y10bar),
        Row("Z", v.z2bar, v.z10bar),
        "",
        Row("x", v.nx2, v.nx10),
        Row("y", v.ny2, v.ny10),
        "",
        Row("u'", v.u_prime_2, v.u_prime_10),
        Row("v'", v.v_prime_2, v.v_prime_10),
    };
    std::vector<uint8_t> bytes;
    for (const std::string& line : lines) {
        bytes.insert(bytes.end(), line.begin(), line.end());
        bytes.push_back('\r');
        bytes.push_back('\n');
    }
    return bytes;
}
