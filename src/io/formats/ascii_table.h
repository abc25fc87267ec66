// The text of the ASCII exports: the layout the export dialog chose, the text
// forms of values, axis values and collect times, and the column and row
// tables of both writers (one file per spectrum, one table for all). Standard
// library only; the drivers hand in plain values.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "spectrum/records.h"

enum class AsciiOrganization { None, Columns, Rows };  // None: header-only mode
enum class AsciiAxis { Wavelength, Channel };
enum class AsciiTitle { None, FileName, CollectTime };

// What the dialog's controls asked for, each read as on only when the control
// is enabled and checked (or selected).
struct AsciiLayout {
    char Separator = '\t';
    bool PrintHeader = false;  // "Print Header Information"
    bool HeaderOnly = false;   // "Print ONLY Header Information"
    bool PrintNote = false;    // "Print Description/Note"
    std::string Note;          // UTF-8, lines broken by LF or CR LF
    AsciiOrganization Organization = AsciiOrganization::Columns;
    bool PrintX = true;  // "Print X-Axis"
    AsciiAxis Axis = AsciiAxis::Wavelength;
    bool PrintTitle = true;  // "Print Column Title" / "Print Row Title"
    AsciiTitle Title = AsciiTitle::FileName;
};

// One exported spectrum: its values and the two titles it may carry.
struct AsciiColumn {
    std::string FileName;  // UTF-8, without folder
    std::string CollectTime;
    std::vector<double> Values;
};

// The exported spectra, all with the same number of values, and the axis they
// are shown against.
struct AsciiTable {
    float Channel1Wavelength = 0;
    float WavelengthStep = 0;
    std::vector<AsciiColumn> Columns;
};

// The general text of a Double, "." as decimal sign.
std::string ValueText(double value);
// The value text with a blank before it unless it starts with its minus sign,
// and a blank after it: the form spreadsheets took the last column in.
std::string PrintedValue(double value);
std::string XTitle(AsciiAxis axis);
// The axis text of count channels. The position grows by the step in Single
// arithmetic, channel by channel, so that long axes carry the rounding the
// files have always shown rather than first + k * step.
std::vector<std::string> XValues(AsciiAxis axis, float channel1Wavelength, float wavelengthStep,
                                 std::size_t count);
// "MM/DD/YYYY at hh:mm:ss" of a save time as stored (month 0-11, years since
// 1900).
std::string CollectTimeText(const TmRecord& saveTime);
// The header block of the spectrum read last (CurrentHeader), titled with
// Path: the text the header options put before the values.
std::string HeaderBlockText(const std::string& path);
// The note as it goes into the file: code-page text, CR LF line breaks, and
// CR LF after it.
std::string NoteText(const std::string& note);

// The table part of a file (code-page text, CR LF lines); empty in header-only
// mode. SingleTable selects the layout of the one-table writer: its heading
// line is written even without titles, and only its last column is written in
// the printed form. Otherwise the table holds the one spectrum of a file of
// its own.
std::string AsciiTableText(const AsciiLayout& layout, const AsciiTable& table, bool singleTable);
