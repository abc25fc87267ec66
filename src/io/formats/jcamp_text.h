// Spectra as JCAMP-DX infrared text: the data block of one spectrum with its
// uncompressed "(X++(Y..Y))" table, and the head of a file that links several
// blocks. Every text comes back in the files' code page (Windows-1252) with
// CR LF line ends; names and paths are taken as UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The table holds each value divided by this Single, truncated to a whole
// number. Readers multiply back by the "##YFACTOR=" line, which states it.
inline constexpr float JcampYFactor = 0.000001f;

// Values per table line: one file per spectrum, and the file of linked blocks.
inline constexpr int JcampFileValuesPerLine = 9;
inline constexpr int JcampMultiValuesPerLine = 8;

// The moment a block is stamped with: calendar month 1 to 12, full year.
struct JcampClock {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// The lines that tell the two kinds of block apart.
struct JcampBlockLines {
    std::string TitleLine;
    std::string CommentLine;
    std::string JcampLine;
    int ValuesPerLine = JcampFileValuesPerLine;
};

// One spectrum as written: the first wavelength and the step as its header
// stores them, and every value it holds.
struct JcampSpectrum {
    float FirstX = 0;
    float StepX = 0;
    std::vector<double> Values;
};

// The whole number the table holds for value, or nullopt when the value is
// not finite or its scaled form needs more than 15 digits: such a number
// would be written in exponent form or rounded, which no reader takes back
// as the value.
std::optional<double> JcampOrdinate(double value);

// True when every value has an ordinate.
bool JcampWritable(const std::vector<double>& values);

// The lines of a block in a file of its own: the title is the input's file
// name, the comment the output's path.
JcampBlockLines JcampFileLines(const std::string& fileName, const std::string& outputPath,
                               const std::string& versionText);

// The lines of a block inside a linked file: the title is the end of the
// input's file name, the comment the input's path.
JcampBlockLines JcampMultiLines(const std::string& fileName, const std::string& inputPath,
                                const std::string& versionText);

// The head of a linked file holding blocks data blocks.
std::string JcampLinkHead(const std::string& outputPath, const std::string& versionText,
                          int blocks);

// The data block of one spectrum, from its title line to its "##END=" line.
// Every value must have an ordinate (JcampWritable); the spectrum holds at
// least one value.
std::string JcampDataBlock(const JcampBlockLines& lines, const JcampSpectrum& spectrum,
                           const JcampClock& now);
