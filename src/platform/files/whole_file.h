// Writing a file so that it appears under its name only complete: the bytes go
// to an anonymous file in the destination folder, which is then linked into
// place (a new name) or linked under a short temporary name and renamed over
// the file it replaces. Where the file system has no anonymous files (FAT,
// exFAT, most network shares) the bytes go to a named temporary file instead.
//
// What is promised:
// - A failure, or a process killed at any moment, leaves the earlier file as
//   it was, or no file. A failure also leaves nothing beside it.
// - A kill can leave a temporary file beside it: between the temporary name's
//   link and the rename, or at any moment of a named temporary file. Such a
//   name tells the machine and the process that wrote it; the next write into
//   the folder removes the ones of this machine whose process has ended (once
//   a folder per WritingRun, else at every write). Names of another machine,
//   or of a process still running, are never touched.
// - Keeping the replaced file's mode, owner or group is a courtesy: where the
//   file system or the user's rights refuse it, the content is written all the
//   same.
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <utility>

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
    // A replacement keeps the owner and group of the file it replaces, or the
    // group alone where only that may be given.
    bool KeepOwner = false;
    // A symbolic link keeps pointing where it did: the file it points to is
    // the one replaced. A loop of links, or a target too long to follow,
    // fails the write (ELOOP, ENAMETOOLONG) and leaves the link as it was.
    bool FollowLinks = false;
    // A file the user may not write, or one marked read-only for everybody,
    // is refused (EACCES) instead of renamed over, as the folder's rights
    // alone would allow.
    bool RefuseReadOnly = false;
    // The caller has removed the folder's leftovers for this run already.
    bool LeftoversRemoved = false;
    // Where a caller writing many files into one folder keeps the mode a new
    // file gets there (0 until the first write learns it), so that keeping a
    // mode costs one look at the replaced file only.
    unsigned* NewFileMode = nullptr;
};

// Writes size bytes as the whole content of name, looked up from folder (a
// directory descriptor, O_PATH will do, or AT_FDCWD); name may hold folders.
// Returns 0, or the errno of the step that failed, with nothing of the
// attempt left.
int WriteWholeFile(int folder, const std::string& name, const void* data, std::size_t size,
                   const WholeFileOptions& options = {});

// Removes the temporary files that killed processes of this machine left in
// folder (a directory descriptor, O_PATH will do, or AT_FDCWD). Within a
// WritingRun each folder is looked through once.
void RemoveLeftovers(int folder);

// Held over a run that writes many files: a folder's leftovers are removed at
// the run's first write into it only. Runs held inside another share its
// folders.
class WritingRun {
public:
    WritingRun();
    ~WritingRun();
    WritingRun(const WritingRun&) = delete;
    WritingRun& operator=(const WritingRun&) = delete;

private:
    std::set<std::pair<unsigned long, unsigned long>> folders_;
    bool outermost_;
};

// The file a chain of symbolic links from name ends at (name itself when it
// is no link, a link to nothing names the file to be made): 0, or ELOOP,
// ENAMETOOLONG or the errno of the lookup that failed.
int ResolveLinks(int folder, const std::string& name, std::string& target);

// 0 when name in folder is missing, or a file this process may write that is
// not marked read-only for everybody; else EACCES.
int CheckNotReadOnly(int folder, const std::string& name);

// Tests only. The hook is called after each block of blockSize bytes is
// written, with the bytes written so far, so that a test can stop the process
// at a moment of its choice; an empty hook restores the plain writing.
void SetWriteHook(std::function<void(std::size_t written)> hook, std::size_t blockSize);
// Tests only: called just before a temporary name is renamed over the file.
void SetRenameHook(std::function<void()> hook);
// Links anonymous files through their path under /proc alone, as a process
// without the privilege to link them by descriptor does.
void SetLinkByDescriptor(bool allowed);
// Acts as a file system without anonymous files does: the content goes to a
// named temporary file instead.
void SetAnonymousFilesRefused(bool refused);
// The tag of this machine that temporary names carry.
unsigned MachineTag();

}  // namespace files
