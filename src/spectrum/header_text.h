// The header of the loaded spectrum as English text lines, for the ASCII
// exports, and the field formatters the header window shares.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "spectrum/records.h"

// Writes the text block of CurrentHeader into an open text file, every line
// ended by CR LF, in the files' single-byte code page. FileName (UTF-8) is the
// name shown in the title line. The save time shows a full year; CurrentHeader
// is only read. Write errors are left to the caller, as is a missing ZelUtil library
// (ZelUtil::Unavailable), which the time texts need.
void WriteHeaderText(std::ostream& FileNumber, const std::string& FileName);

std::string GetGpsTimeText();
// The GPS time bytes of a file: from format 4.04 on they are clock bytes
// (second, minute, hour, unused); before, one C time.
bool GpsTimeIsClockBytes(uint8_t formatVersion);
CTime GpsTimeAsCTime(const std::array<uint8_t, 4>& utc);
// A whole number with at least two digits ("05").
std::string TwoDigitText(long long value);
std::string CTimeToText(CTime T);
std::string GetStatusText(int16_t Code);
std::string FormatExponentText(uint8_t Value);

// "major.minor" of a version byte: major in the high four bits, minor in the
// low four, written with two digits (82 gives "5.02").
std::string VersionByteText(uint8_t byte);

// "MM/DD/YYYY" of a save time with the full year, whether the file counts
// years from 1900 or holds the full year. The record is only read: it keeps
// the years since 1900 it was read with, which the exports' collect times and
// a header saved back from memory rely on.
std::string SaveDateText(const TmRecord& time);
// "hh:mm:ss" of a save time.
std::string SaveTimeText(const TmRecord& time);

// Text of the comment bytes: up to the first CR or LF, at most 156 bytes.
std::string CommentText(const SpectrumHeader& header);
