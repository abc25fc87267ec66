// The reference tables as bytes and as text: the 1884-byte form the control
// carries, the published CSV it is built from, and the plain text files an
// installation may keep beside the control instead.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cie/colorimetry.h"

// 471 little-endian IEEE singles in wavelength order, no header, no count.
std::array<unsigned char, CieTableBytes> EncodeTable(const CieTableValues& table);
// False unless the bytes are exactly one table long.
bool DecodeTable(std::span<const unsigned char> bytes, CieTableValues& table);

// A published table as CSV: one header line, then "nm,value,..." rows with
// exactly `columns` values each, for every wavelength from 360 to 830 nm once
// and in order. Returns the tables, one per value column, or the reason the
// text is refused (with its line number) in `problem`.
std::vector<CieTableValues> ReadReferenceCsv(std::string_view text, int columns,
                                             std::string& problem);

// One table file beside the control: items one per line or separated by
// commas, read with "." as the decimal sign whatever the desktop's language,
// stored from index 0 up. Blank lines hold no item. The table is expected to
// be zeroed; a shorter file leaves the rest as it is. Throws CieError
// (TypeMismatch, TooManyValues) naming `name`.
void ParseTableText(std::string_view text, const std::string& name, CieTableValues& table);

// The most a table file beside the control may hold: its 471 items with room
// to spare for long digits and blanks.
inline constexpr std::size_t CieTableFileMaxBytes = 64 * 1024;

// Loads the eight tables from the files named after them in `folder`, unless
// they are loaded already; the flag is set only when all eight were read.
// Throws CieError (FileNotFound, also for what is not a plain file;
// TooManyValues for a file over CieTableFileMaxBytes; and the faults of
// ParseTableText); the tables read before the failure keep their values.
void LoadTablesFromFolder(CieState& state, const std::filesystem::path& folder);
