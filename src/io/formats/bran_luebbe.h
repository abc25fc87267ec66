// What the export for a Bran+Luebbe NIR analyser reads and writes: its
// coefficient file (19 wavelengths, each with a multiplicative and an additive
// coefficient), its model file (linear models of up to five wavelengths), the
// walk that finds the coefficients' channels in a spectrum, the predictions,
// and the rows of the two tab-separated tables. Standard library only: the
// fuzzer links it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct BLCoefficient {
    int16_t Wavelength = 0;  // nm
    float MultCoefficient = 0;
    float AddCoefficient = 0;
};

inline constexpr std::size_t BLMaxTerms = 5;

struct BLModel {
    std::string Name;  // the head line up to its first blank, that blank included
    int16_t TermCount = 0;
    std::array<int16_t, BLMaxTerms> TermWavelength{};
    std::array<float, BLMaxTerms> TermCoefficient{};
    std::string InterceptLabel;
    float Intercept = 0;
};

// The analyser's calibration has exactly this many wavelengths; the tables
// always have this many value columns.
inline constexpr std::size_t BLCoefficientCount = 19;
// Both files are short texts; anything larger is not one of them.
inline constexpr std::size_t MaxBLFileSize = 1024 * 1024;

using BLValues = std::array<float, BLCoefficientCount>;

// Reads the data rows of a coefficient file ("wavelength mult add", single
// blanks, ";" starts a comment line). True with exactly 19 rows; otherwise
// false with a description of what is wrong ("Type mismatch" for a row that
// does not convert) and rows emptied.
bool ParseBLCoefficients(const uint8_t* bytes, std::size_t size, std::vector<BLCoefficient>& rows,
                         std::string& error);

// Reads the models of a model file: a head line "name count", count term
// lines "wavelength coefficient" and an intercept line "label value", each
// split at its first blank; ";" starts a comment where a head line is due.
// False with a description, and models emptied, for a count outside 0 to 5, a
// model cut short or a number that does not convert.
bool ParseBLModels(const uint8_t* bytes, std::size_t size, std::vector<BLModel>& models,
                   std::string& error);

// The first and last wavelength the walk visits for a spectrum: its first
// channel's wavelength and that plus ChannelCount - 1, each rounded to the
// nearest whole nm, halves to even. False when there is nothing to walk.
bool BLWalkRange(float channel1Wavelength, int channelCount, long& first, long& last);

// Walks one channel per nm from the first wavelength and, while coefficients
// remain, takes channel j for coefficient k when the wavelength equals k's;
// a coefficient the walk passes blocks every later one. valueAt(k, j) gives
// the value for the pair. Coefficients not reached keep 0. The walk never
// goes past the channels the spectrum holds (channels).
template <typename ValueAt>
BLValues WalkBLCoefficients(float channel1Wavelength, int channelCount, std::size_t channels,
                            const std::vector<BLCoefficient>& rows, ValueAt valueAt) {
    BLValues values{};
    long first = 0;
    long last = 0;
    if (!BLWalkRange(channel1Wavelength, channelCount, first, last)) {
        return values;
    }
    std::size_t k = 0;
    std::size_t j = 0;
    for (long w = first; w <= last && k < BLCoefficientCount && k < rows.size() && j < channels;
         ++w, ++j) {
        if (w == rows[k].Wavelength) {
            values[k] = valueAt(k, j);
            ++k;
        }
    }
    return values;
}

// The model's prediction from a table's values: each term's coefficient times
// the value of the first coefficient row of its wavelength, each product
// rounded to a Single, summed with the intercept. A term without a row adds
// nothing.
double PredictBLModel(const BLModel& model, const std::vector<BLCoefficient>& rows,
                      const BLValues& values);

// The two head rows of a table ("Multiplicative " or "Additive "), each row
// ending with a blank and CR LF.
std::string BLHeadRows(bool multiplicative, bool predict, const std::vector<BLModel>& models,
                       const std::vector<BLCoefficient>& rows);

// One spectrum's row: its path, the predictions with predict, and the values.
// Values are written with five decimals, or in the general text of a Single
// with generalValues (the additive table with predictions).
std::string BLDataRow(const std::string& path, bool predict, const std::vector<BLModel>& models,
                      const std::vector<BLCoefficient>& rows, const BLValues& values,
                      bool generalValues);
