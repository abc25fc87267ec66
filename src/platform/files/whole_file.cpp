#include "platform/files/whole_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

namespace files {
namespace {

std::function<void(std::size_t)>& WriteHook() {
    static std::function<void(std::size_t)> hook;
    return hook;
}
std::function<void()>& RenameHook() {
    static std::function<void()> hook;
    return hook;
}
std::size_t HookBlockSize = 0;
bool AnonymousFilesRefused = false;
std::set<std::pair<unsigned long, unsigned long>>* CurrentRun = nullptr;

// The errors by which a file system says it has no anonymous files.
bool RefusesAnonymousFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// A descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int value = -1) : value_(value) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Reset(-1); }
    int Get() const { return value_; }
    void Reset(int value) {
        if (value_ >= 0) {
            ::close(value_);
        }
        value_ = value;
    }
    // Closes now, for a caller that must know whether closing failed: network
    // and FUSE file systems report a failed write-back only here.
    int Close() {
        const int result = ::close(value_);
        value_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int value_;
};

int OpenAt(int folder, const char* name, int flags, mode_t mode = 0) {
    int descriptor;
    do {
        descriptor = ::openat(folder, name, flags | O_CLOEXEC, mode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

int WriteAll(int descriptor, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    const auto& hook = WriteHook();
    const std::size_t block = hook ? HookBlockSize : size;
    std::size_t done = 0;
    while (done < size) {
        const std::size_t want = std::min(block, size - done);
        const ssize_t written = ::write(descriptor, bytes + done, want);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return errno;
        }
        if (written == 0) {
            return ENOSPC;
        }
        done += static_cast<std::size_t>(written);
        if (hook) {
            hook(done);
        }
    }
    return 0;
}

// Gives a new file its content, on the disk when options ask for it.
int Fill(int descriptor, const void* data, std::size_t size, const WholeFileOptions& options) {
    if (const int error = WriteAll(descriptor, data, size); error != 0) {
        return error;
    }
    if (options.Flush && ::fsync(descriptor) != 0) {
        return errno;
    }
    return 0;
}

// The file a write replaces, as far as it was looked at.
struct Replaced {
    bool looked = false;
    bool found = false;
    struct stat status {};

    void Look(int folder, const char* name) {
        looked = true;
        found = ::fstatat(folder, name, &status, 0) == 0 && S_ISREG(status.st_mode);
    }
};

bool WantsAttributes(const WholeFileOptions& options) {
    return options.KeepMode || options.KeepOwner;
}

// Gives the new file the owner, group and mode of the one it replaces, as far
// as the process and the file system allow. A refusal (FAT has no modes, a
// share may have fixed owners, only an administrator may give a file away)
// leaves the new file as it was made: the content matters, the rest is a
// courtesy. True when anything was changed.
bool KeepAttributes(int descriptor, const Replaced& replaced, const WholeFileOptions& options) {
    if (!replaced.found || !WantsAttributes(options)) {
        return false;
    }
    struct stat made {};
    if (!options.KeepOwner && options.NewFileMode != nullptr && *options.NewFileMode != 0) {
        made.st_mode = *options.NewFileMode;
    } else if (::fstat(descriptor, &made) != 0) {
        return false;
    } else if (options.NewFileMode != nullptr) {
        *options.NewFileMode = made.st_mode;
    }
    const struct stat& old = replaced.status;
    bool changed = false;
    if (options.KeepOwner && (made.st_uid != old.st_uid || made.st_gid != old.st_gid)) {
        // Owner and group where the process may give them (an administrator),
        // else the group alone where it is one of the user's own.
        changed = ::fchown(descriptor, old.st_uid, old.st_gid) == 0 ||
                  (made.st_gid != old.st_gid &&
                   ::fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) == 0);
    }
    const mode_t mode = old.st_mode & 07777;
    if (options.KeepMode && (made.st_mode & 07777) != mode) {
        changed = ::fchmod(descriptor, mode) == 0 || changed;
    }
    return changed;
}

// Linking an anonymous file by its descriptor alone needs a privilege most
// users lack (the call then fails as if the file were not there); the path
// of the descriptor under /proc needs none but costs a longer lookup.
std::atomic<bool> LinkByDescriptor{true};

int LinkAnonymous(int descriptor, int folder, const char* name) {
    const bool byDescriptor = LinkByDescriptor.load(std::memory_order_relaxed);
    if (byDescriptor) {
        if (::linkat(descriptor, "", folder, name, AT_EMPTY_PATH) == 0) {
            return 0;
        }
        if (errno != ENOENT) {
            return errno;
        }
    }
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
    if (::linkat(AT_FDCWD, self.c_str(), folder, name, AT_SYMLINK_FOLLOW) != 0) {
        return errno;
    }
    if (byDescriptor) {
        LinkByDescriptor.store(false, std::memory_order_relaxed);
    }
    return 0;
}

// This machine, as a short tag: a folder on a stick or a share is written by
// several machines, and whether a process still runs can be asked only of the
// machine it runs on.
unsigned Tag() {
    static const unsigned tag = [] {
        char host[256] = {};
        ::gethostname(host, sizeof host - 1);
        std::uint32_t hash = 2166136261u;  // FNV-1a
        for (const char* c = host; *c != '\0'; ++c) {
            hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
        }
        return static_cast<unsigned>(hash);
    }();
    return tag;
}

constexpr char TemporaryPrefix[] = ".lvx";
constexpr char TemporarySuffix[] = ".tmp";

// A short name of its own for a temporary file, whatever the length of the
// name it stands in for: a name of the longest length a file system allows
// is replaced like any other. It tells the machine and the process, so that
// one left by a kill can be told from one in use.
// The process number is kept, and taken anew in a forked child: what a child
// leaves must name the child.
std::atomic<unsigned> Process{0};

void TakeProcessNumber() {
    Process.store(static_cast<unsigned>(::getpid()), std::memory_order_relaxed);
}

unsigned ProcessNumber() {
    [[maybe_unused]] static const bool registered = [] {
        TakeProcessNumber();
        return ::pthread_atfork(nullptr, nullptr, TakeProcessNumber) == 0;
    }();
    return Process.load(std::memory_order_relaxed);
}

std::string TemporaryName() {
    const unsigned process = ProcessNumber();
    static std::atomic<unsigned> counter{0};
    char text[64];
    std::snprintf(text, sizeof text, "%s%08x-%x-%x%s", TemporaryPrefix, Tag(), process,
                  counter.fetch_add(1), TemporarySuffix);
    return text;
}

// Reads the hex number that ends at stop in name from *at on.
bool HexField(const char*& at, char stop, unsigned long& value) {
    const char* start = at;
    value = 0;
    while (std::isxdigit(static_cast<unsigned char>(*at)) && at - start < 8) {
        const char c = *at++;
        value = value * 16 + static_cast<unsigned long>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    if (at == start || *at != stop) {
        return false;
    }
    ++at;
    return true;
}

// The process a temporary name of this machine was written by, or 0 for any
// other name.
pid_t WriterOf(const char* name) {
    const std::size_t length = std::strlen(name);
    const std::size_t prefix = sizeof TemporaryPrefix - 1;
    const std::size_t suffix = sizeof TemporarySuffix - 1;
    if (length <= prefix + suffix || std::strncmp(name, TemporaryPrefix, prefix) != 0 ||
        std::strcmp(name + length - suffix, TemporarySuffix) != 0) {
        return 0;
    }
    const char* at = name + prefix;
    unsigned long tag = 0, process = 0, counter = 0;
    if (!HexField(at, '-', tag) || !HexField(at, '-', process) || !HexField(at, '.', counter) ||
        at != name + length - suffix + 1 || tag != Tag() || process == 0 ||
        process > static_cast<unsigned long>(INT_MAX)) {
        return 0;
    }
    return static_cast<pid_t>(process);
}

bool Ended(pid_t process) {
    return ::kill(process, 0) != 0 && errno == ESRCH;
}

constexpr int TemporaryAttempts = 100;

// Gives the anonymous file a temporary name in folder, closes it and renames
// it over name; on failure the temporary name is removed again.
int LinkAndRename(Descriptor& file, int folder, const char* name) {
    for (int attempt = 0; attempt < TemporaryAttempts; ++attempt) {
        const std::string temporary = TemporaryName();
        if (const int error = LinkAnonymous(file.Get(), folder, temporary.c_str()); error != 0) {
            if (error == EEXIST) {
                continue;
            }
            return error;
        }
        int error = file.Close();
        if (error == 0) {
            if (const auto& hook = RenameHook()) {
                hook();
            }
            if (::renameat(folder, temporary.c_str(), folder, name) == 0) {
                return 0;
            }
            error = errno;
        }
        ::unlinkat(folder, temporary.c_str(), 0);
        return error;
    }
    return EEXIST;
}

// The file system has no anonymous files: the content goes to a named
// temporary file, removed on every way out but success.
int WriteThroughNamedFile(int folder, const char* name, const void* data, std::size_t size,
                          const WholeFileOptions& options, Replaced& replaced) {
    Descriptor file;
    std::string temporary;
    for (int attempt = 0; attempt < TemporaryAttempts && file.Get() < 0; ++attempt) {
        temporary = TemporaryName();
        file.Reset(OpenAt(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666));
        if (file.Get() < 0 && errno != EEXIST) {
            return errno;
        }
    }
    if (file.Get() < 0) {
        return EEXIST;
    }
    // The file is visible under its temporary name: it takes the mode before
    // it takes the content.
    if (WantsAttributes(options) && !replaced.looked) {
        replaced.Look(folder, name);
    }
    KeepAttributes(file.Get(), replaced, options);
    int error = Fill(file.Get(), data, size, options);
    const int closeError = file.Close();
    if (error == 0) {
        error = closeError;
    }
    if (error == 0) {
        if (const auto& hook = RenameHook()) {
            hook();
        }
        if (::renameat(folder, temporary.c_str(), folder, name) != 0) {
            error = errno;
        }
    }
    if (error != 0) {
        ::unlinkat(folder, temporary.c_str(), 0);
    }
    return error;
}

int WriteThroughAnonymousFile(int folder, const char* name, const void* data, std::size_t size,
                              const WholeFileOptions& options, Replaced& replaced,
                              Descriptor& file) {
    KeepAttributes(file.Get(), replaced, options);
    if (const int error = Fill(file.Get(), data, size, options); error != 0) {
        return error;
    }
    if (!options.ExpectExisting) {
        // Fails when anything of the name is there, or appeared meanwhile:
        // that one is then replaced.
        const int linkError = LinkAnonymous(file.Get(), folder, name);
        if (linkError == 0) {
            if (const int closeError = file.Close(); closeError != 0) {
                ::unlinkat(folder, name, 0);
                return closeError;
            }
            return 0;
        }
        if (linkError != EEXIST) {
            return linkError;
        }
        if (WantsAttributes(options)) {
            replaced.Look(folder, name);
            if (KeepAttributes(file.Get(), replaced, options) && options.Flush &&
                ::fsync(file.Get()) != 0) {
                return errno;
            }
        }
    }
    return LinkAndRename(file, folder, name);
}

void FlushFolder(int folder) {
    const Descriptor open(OpenAt(folder, ".", O_RDONLY | O_DIRECTORY));
    if (open.Get() >= 0) {
        ::fsync(open.Get());
    }
}

}  // namespace

int ResolveLinks(int folder, const std::string& name, std::string& target) {
    // As many links as the system itself follows in one lookup.
    constexpr int MaxLinks = 40;
    std::string path = name;
    for (int followed = 0;; ++followed) {
        char text[PATH_MAX];
        const ssize_t length = ::readlinkat(folder, path.c_str(), text, sizeof text);
        if (length < 0) {
            // No link (EINVAL), or nothing there yet: the file to write.
            if (errno == EINVAL || errno == ENOENT) {
                target = std::move(path);
                return 0;
            }
            return errno;
        }
        if (followed == MaxLinks) {
            return ELOOP;
        }
        if (static_cast<std::size_t>(length) >= sizeof text || length == 0) {
            return length == 0 ? ENOENT : ENAMETOOLONG;
        }
        std::string next(text, static_cast<std::size_t>(length));
        const auto slash = path.rfind('/');
        if (next[0] != '/' && slash != std::string::npos) {
            next.insert(0, path, 0, slash + 1);
        }
        path = std::move(next);
    }
}

int CheckNotReadOnly(int folder, const std::string& name) {
    struct stat status {};
    if (::fstatat(folder, name.c_str(), &status, 0) != 0 || !S_ISREG(status.st_mode)) {
        return 0;
    }
    // An administrator may write to anything: a file nobody may write to was
    // still marked read-only on purpose.
    if ((status.st_mode & 0222) == 0 || ::faccessat(folder, name.c_str(), W_OK, AT_EACCESS) != 0) {
        return EACCES;
    }
    return 0;
}

void RemoveLeftovers(int folder) {
    if (CurrentRun != nullptr) {
        struct stat status {};
        const int looked = folder == AT_FDCWD ? ::stat(".", &status) : ::fstat(folder, &status);
        if (looked == 0 && !CurrentRun
                                ->emplace(static_cast<unsigned long>(status.st_dev),
                                          static_cast<unsigned long>(status.st_ino))
                                .second) {
            return;
        }
    }
    const int listing = OpenAt(folder, ".", O_RDONLY | O_DIRECTORY);
    if (listing < 0) {
        return;
    }
    DIR* entries = ::fdopendir(listing);
    if (entries == nullptr) {
        ::close(listing);
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        if (entry->d_name[0] != '.') {
            continue;
        }
        const pid_t writer = WriterOf(entry->d_name);
        if (writer != 0 && writer != static_cast<pid_t>(ProcessNumber()) && Ended(writer)) {
            ::unlinkat(listing, entry->d_name, 0);
        }
    }
    ::closedir(entries);
}

WritingRun::WritingRun() : outermost_(CurrentRun == nullptr) {
    if (outermost_) {
        CurrentRun = &folders_;
    }
}

WritingRun::~WritingRun() {
    if (outermost_) {
        CurrentRun = nullptr;
    }
}

int WriteWholeFile(int folder, const std::string& name, const void* data, std::size_t size,
                   const WholeFileOptions& options) {
    std::string resolved;
    if (options.FollowLinks) {
        if (const int error = ResolveLinks(folder, name, resolved); error != 0) {
            return error;
        }
    }
    const std::string& path = options.FollowLinks ? resolved : name;
    // Everything happens by name in the file's own folder, opened once.
    Descriptor ownFolder;
    const char* base = path.c_str();
    if (const auto slash = path.rfind('/'); slash != std::string::npos) {
        if (slash + 1 == path.size()) {
            return EISDIR;
        }
        const std::string folderPath = slash == 0 ? std::string("/") : path.substr(0, slash);
        ownFolder.Reset(OpenAt(folder, folderPath.c_str(), O_PATH | O_DIRECTORY));
        if (ownFolder.Get() < 0) {
            return errno;
        }
        folder = ownFolder.Get();
        base = path.c_str() + slash + 1;
    }
    if (options.RefuseReadOnly) {
        if (const int error = CheckNotReadOnly(folder, base); error != 0) {
            return error;
        }
    }
    if (!options.LeftoversRemoved) {
        RemoveLeftovers(folder);
    }
    Replaced replaced;
    if (options.ExpectExisting && WantsAttributes(options)) {
        replaced.Look(folder, base);
    }

    Descriptor file(AnonymousFilesRefused ? -1 : OpenAt(folder, ".", O_TMPFILE | O_WRONLY, 0666));
    int error = 0;
    if (file.Get() < 0) {
        if (!AnonymousFilesRefused && !RefusesAnonymousFiles(errno)) {
            return errno;
        }
        error = WriteThroughNamedFile(folder, base, data, size, options, replaced);
    } else {
        error = WriteThroughAnonymousFile(folder, base, data, size, options, replaced, file);
    }
    if (error == 0 && options.Flush) {
        // The file already holds its new content under its name: a folder
        // that cannot be flushed does not make that a failure.
        FlushFolder(folder);
    }
    return error;
}

void SetWriteHook(std::function<void(std::size_t written)> hook, std::size_t blockSize) {
    WriteHook() = std::move(hook);
    HookBlockSize = blockSize == 0 ? 1 : blockSize;
}

void SetRenameHook(std::function<void()> hook) {
    RenameHook() = std::move(hook);
}

void SetLinkByDescriptor(bool allowed) {
    LinkByDescriptor = allowed;
}

void SetAnonymousFilesRefused(bool refused) {
    AnonymousFilesRefused = refused;
}

unsigned MachineTag() {
    return Tag();
}

}  // namespace files
