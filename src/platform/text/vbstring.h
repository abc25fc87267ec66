// String functions over single-byte text. Positions are 1-based, so that
// expressions written with them keep their familiar numbers.
// Where such functions classically raise an error for a negative length or a start
// below 1, these clamp instead: a negative length counts as 0 and a start
// below 1 as 1, so a bad count can never end the program.

#pragma once

#include <string>
#include <string_view>

// Blanks only: tabs and other white space stay.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);

// The first / last n characters; the whole text when n exceeds its length.
std::string Left(std::string_view text, long long n);
std::string Right(std::string_view text, long long n);

// From position start (1-based) to the end, or at most length characters;
// empty when start lies beyond the end.
std::string Mid(std::string_view text, long long start);
std::string Mid(std::string_view text, long long start, long long length);

// ASCII letters only; bytes 128 to 255 stay as they are.
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);
