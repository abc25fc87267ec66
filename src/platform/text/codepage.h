// The single-byte code page of the program's files (Windows-1252) against the
// UTF-8 the program works in. File names and texts typed by the user are UTF-8;
// comments and descriptions inside spectrum files, and every text file the
// program writes, are single bytes.
#pragma once

#include <string>
#include <string_view>

// Characters the code page cannot hold become "?".
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);
