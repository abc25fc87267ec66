// Taking paths apart and putting them together the way every operation builds
// its output names, and the existence test that decides whether to ask before
// replacing a file. Standard library only.
//
// Paths here use "/". Output folders are kept without a trailing separator and
// input folders with one, so AddBackslash and StripTrailingBackslash only ever
// touch "/". SplitPath also splits at "\", so that a path typed the Windows way
// (an old settings file, a network share) still yields its file name.
#pragma once

#include <string>

inline constexpr char PathSeparator = '/';

// Drive: POSIX paths have none and leave Drive as it was. Only a Windows drive
// path ("C:\data\a.001": a letter, a colon, a backslash) gives its first two
// characters to Drive and loses them from Path. "a:b" or "a:/b" are ordinary
// relative names here and stay whole.
// Dir: Path up to and including its last "/" or "\" (unchanged when it has
// none). FileName: the rest, extension included.
void SplitPath(std::string& Path, std::string& Drive, std::string& Dir, std::string& FileName);

// Path with one "/" at its end; the empty text gives "/".
std::string AddBackslash(const std::string& Path);

// Removes one trailing "/" from Path and returns the result; "/" gives the
// empty text, which AddBackslash turns back into the root.
std::string StripTrailingBackslash(std::string& Path);

// True when an entry of that name exists: file, folder, read-only or not, a
// symbolic link even when it points nowhere. Names starting with "." count as
// existing: treating them as missing would let a batch replace a dot-named
// output without asking. The empty text gives false.
bool FileExists(const std::string& Name);

// The folder of the running executable, without a trailing separator (the
// root stays "/"). The current folder when the executable cannot be found.
std::string ProgramFolder();
