// Writing a file so that it appears under its name only complete: the bytes go
// to an anonymous file in the destination folder, which is then linked into
// place (a new name) or linked under a short temporary name and renamed over
// the file it replaces. A failure, or a process killed while writing, leaves
// the earlier file as it was, or no file, and nothing beside it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace files {

struct WholeFileOptions {
    // An existing file of the name is expected: the new one goes straight to
    // the rename instead of first trying the name. Either way an existing file
    // is replaced.
    bool ExpectExisting = false;
    // The new content reaches the disk before it takes the name, and the
    // folder's new entry after: for files the user cannot make again.
    bool Flush = false;
    // A replacement keeps the permission bits of the file it replaces.
    bool KeepMode = false;
    // A symbolic link keeps pointing where it did: the file it points to is
    // the one replaced.
    bool FollowLinks = false;
};

// Writes size bytes as the whole content of name, looked up from folder (a
// directory descriptor, O_PATH will do, or AT_FDCWD); name may hold folders.
// Returns 0, or the errno of the step that failed, with nothing of the
// attempt left.
int WriteWholeFile(int folder, const std::string& name, const void* data, std::size_t size,
                   const WholeFileOptions& options = {});

// Tests only. The hook is called after each block of blockSize bytes is
// written, with the bytes written so far, so that a test can stop the process
// at a moment of its choice; an empty hook restores the plain writing.
void SetWriteHook(std::function<void(std::size_t written)> hook, std::size_t blockSize);
// Links anonymous files through their path under /proc alone, as a process
// without the privilege to link them by descriptor does.
void SetLinkByDescriptor(bool allowed);
// Acts as a file system without anonymous files does: the content goes to a
// named temporary file instead.
void SetAnonymousFilesRefused(bool refused);

}  // namespace files
