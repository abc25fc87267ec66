// The band-set file of lambda integration (".lsa"): the number of bands, the
// mode, then one "start,end" line per band; CR LF line ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct LambdaBand {
    std::string Start;  // nm, as text
    std::string End;
};

struct BandSet {
    std::vector<LambdaBand> Bands;
    bool Average = false;  // the mode line: "average", otherwise "sum"
};

enum class BandSetProblem {
    None,
    BadCount,     // line 1 does not start with a whole number from 0 to 32767
    MissingLine,  // the file ends before the line its count promises
    NotNumbers,   // a band line whose start or end is not a number
    StartNotBelowEnd,
};

struct BandSetError {
    BandSetProblem Problem = BandSetProblem::None;
    int Line = 0;  // 1-based line of the file
};

// Reads a whole band-set file from its bytes. Line 1's first field (up to a
// ",") is the band count, line 2's first field the mode (exactly "average"
// selects Average), then count lines follow: one with a "," holds a band, its
// first two fields trimmed of blanks; one without is passed over but counts.
// Lines may end in CR LF, LF or CR; what follows the last band line is
// ignored. Returns false with the problem and its line, leaving Set as it
// was, for a file that is not a sound band set.
bool ParseBandSetFile(const uint8_t* bytes, std::size_t size, BandSet& Set, BandSetError& Error);

// The file's whole text: the count, the mode, "start,end" per band, each line
// ended by CR LF.
std::string BandSetFileText(const BandSet& Set);
