// The GPS log's record of one spectrum: when it was saved, where it lies, and
// the position from its header in the field layout of a GGA sentence.
#pragma once

#include <string>

#include "spectrum/records.h"

// The GGA time field, "hhmmss.000". Headers from format version 4.04 on
// store the fix's second, minute and hour in the first three time bytes;
// older ones store a C time there, whose UTC time of day is taken.
std::string GpsUtcTimeField(const SpectrumHeader& header);

// The record of the spectrum at path (UTF-8) with the header as read, in the
// log's code page: one line and an empty one, each ended by CR LF.
std::string GpsLogRecord(const SpectrumHeader& header, const std::string& path);
