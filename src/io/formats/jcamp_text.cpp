#include "io/formats/jcamp_text.h"

#include <algorithm>
#include <cmath>

#include "platform/text/codepage.h"
#include "platform/text/datetime.h"
#include "platform/text/number.h"
#include "platform/text/vbstring.h"

namespace {

constexpr const char* Eol = "\r\n";
constexpr const char* EncodedBy = "##JCAMP-DX= 1.00 $$ Encoded by Lumivex Version";

// The largest whole number that still reads back exactly in plain digits.
constexpr double LargestOrdinate = 999999999999999.0;

}  // namespace

std::optional<double> JcampOrdinate(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // The divisor is the Single widened (0.000000999999997...), not the Double
    // 0.000001: that is the factor the "##YFACTOR=" line states, so 0.3 goes
    // into the table as 300000 and a reader gets 0.3 back.
    const double ordinate = std::trunc(value / static_cast<double>(JcampYFactor));
    if (std::fabs(ordinate) > LargestOrdinate) {
        return std::nullopt;
    }
    return ordinate;
}

bool JcampWritable(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(),
                       [](double v) { return JcampOrdinate(v).has_value(); });
}

JcampBlockLines JcampFileLines(const std::string& fileName, const std::string& outputPath,
                               const std::string& versionText) {
    JcampBlockLines lines;
    // Cut in code-page characters, so that no character is split in two.
    lines.TitleLine = Trim(Left("##TITLE= " + Utf8ToAnsi(fileName), 80));
    lines.CommentLine = "$$ " + Utf8ToAnsi(outputPath);
    lines.JcampLine = Trim(EncodedBy + Utf8ToAnsi(versionText));
    lines.ValuesPerLine = JcampFileValuesPerLine;
    return lines;
}

JcampBlockLines JcampMultiLines(const std::string& fileName, const std::string& inputPath,
                                const std::string& versionText) {
    JcampBlockLines lines;
    lines.TitleLine = "##TITLE= " + Right(Utf8ToAnsi(fileName), 70);
    lines.CommentLine = Trim(Left("$$ Converted from " + Utf8ToAnsi(inputPath), 80));
    lines.JcampLine = EncodedBy + Utf8ToAnsi(versionText);
    lines.ValuesPerLine = JcampMultiValuesPerLine;
    return lines;
}

std::string JcampLinkHead(const std::string& outputPath, const std::string& versionText,
                          int blocks) {
    std::string text;
    text += "##TITLE=";
    text += Eol;
    text += Trim(Left("$$ MultiFile Export " + Utf8ToAnsi(outputPath), 80)) + Eol;
    text += std::string(EncodedBy) + " " + Utf8ToAnsi(versionText) + Eol;
    text += std::string("##DATA TYPE= LINK") + Eol;
    text += "##BLOCKS= " + std::to_string(blocks) + Eol;
    return text;
}

std::string JcampDataBlock(const JcampBlockLines& lines, const JcampSpectrum& spectrum,
                           const JcampClock& now) {
    const std::vector<double>& values = spectrum.Values;
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    // What the file holds describes the values written: legacy data holds
    // 512 values whatever its header's channel count says.
    const auto count = static_cast<float>(values.size());
    const float lastX = (count - 1) * spectrum.StepX + spectrum.FirstX;

    std::string text;
    auto line = [&text](const std::string& s) { text += s + Eol; };
    line(lines.TitleLine);
    line(lines.CommentLine);
    line(lines.JcampLine);
    line("##DATA TYPE= INFRARED SPECTRUM");
    line("##ORIGIN= ZEL Instrument");
    line("##OWNER=");
    line("##DATE = " + YearMonthDayShortText(now.Year, now.Month, now.Day));
    line("##TIME = " + HourMinuteSecondText(now.Hour, now.Minute, now.Second));
    line("##XFACTOR= 1.0");
    line("##YFACTOR= " + CStrSingle(JcampYFactor));
    line("##XUNITS= NANOMETERS");
    line("##YUNITS= ARBITRARY");
    line("##FIRSTX= " + CStrSingle(spectrum.FirstX));
    line("##LASTX= " + CStrSingle(lastX));
    line("##MAXY= " + CStrDouble(*highest));
    line("##MINY= " + CStrDouble(*lowest));
    line("##DELTAX = " + CStrSingle(spectrum.StepX));
    line("##NPOINTS= " + std::to_string(values.size()));
    line("##FIRSTY= " + CStrDouble(values.front()));
    text += "##XYDATA= (X++(Y..Y)) ";

    // A line's abscissa is the first wavelength plus the steps summed in
    // Single precision, as the wavelengths of the values have always been
    // reckoned; multiplying instead would drift from them on long spectra.
    float offset = 0;
    int onLine = lines.ValuesPerLine;
    for (double value : values) {
        if (onLine == lines.ValuesPerLine) {
            text += std::string(" ") + Eol;
            onLine = 0;
            text += " " + CStrSingle(spectrum.FirstX + offset);
        }
        text += " " + CStrDouble(JcampOrdinate(value).value_or(0));
        offset += spectrum.StepX;
        ++onLine;
    }
    text += std::string(" ") + Eol;
    line("##END=");
    return text;
}
