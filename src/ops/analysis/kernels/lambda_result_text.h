// The texts of lambda-integration results: one result entry as the result
// window lists it, its five fields, a row of the ".lda" file and the lines of
// the printed pages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct LambdaResultFields {
    std::string FileName;
    std::string Band;   // the band number
    std::string Start;  // nm, as the band list holds it
    std::string End;
    std::string Result;  // a number, or a text such as "LamStart < 350"
};

// name "     Band" number "  " start "   " end "    " result, the result
// formatted "###0.00" when it is a number.
std::string LambdaResultEntry(const std::string& fileName, int band, const std::string& start,
                              const std::string& end, const std::string& result);

// Takes an entry of that form apart. The file name ends before the first
// "     Band" that is followed by digits and two blanks, so a folder named
// "Band..." stays in the name. An entry not of that form is all file name.
LambdaResultFields SplitLambdaResult(std::string_view entry);

// The ".lda" row: the five fields and the data kind, separated by ",".
std::string LambdaDataRow(const LambdaResultFields& fields, const std::string& kind);

// A piece of text starting at a 1-based character column.
struct PrintCell {
    int Column = 1;
    std::string Text;
};
using PrintLine = std::vector<PrintCell>;  // an empty one is an empty line
using PrintPage = std::vector<PrintLine>;

// The printout: every page starts with the title line (column 15) and the
// column heads (Band 45, Start 55, End 65, lastColumn 75, "Page n" 90); 46
// entries a page, and an empty line before the first entry of every band
// after band 1.
std::vector<PrintPage> LambdaPrintPages(const std::vector<LambdaResultFields>& entries,
                                        const std::string& lastColumn,
                                        const std::string& printedAt);
