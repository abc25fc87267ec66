#include "platform/files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <utility>

namespace files {
namespace {

std::function<void(std::size_t)>& WriteHook() {
    static std::function<void(std::size_t)> hook;
    return hook;
}
std::size_t HookBlockSize = 0;
bool AnonymousFilesRefused = false;

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
    // Closes now, for a caller that must know whether closing failed.
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

// Gives a new file its mode (unless mode is -1) and its content, on the disk
// when options ask for it.
int Fill(int descriptor, const void* data, std::size_t size, const WholeFileOptions& options,
         int mode) {
    if (mode >= 0 && ::fchmod(descriptor, static_cast<mode_t>(mode)) != 0) {
        return errno;
    }
    if (const int error = WriteAll(descriptor, data, size); error != 0) {
        return error;
    }
    if (options.Flush && ::fsync(descriptor) != 0) {
        return errno;
    }
    return 0;
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

// A short name of its own for a temporary file, whatever the length of the
// name it stands in for: a name of the longest length a file system allows
// is replaced like any other.
// The process number is taken once: a child forked later may come upon a name
// its parent is using, which is then passed over like any name that is taken.
std::string TemporaryName() {
    static const unsigned process = static_cast<unsigned>(::getpid());
    static std::atomic<unsigned> counter{0};
    char text[40];
    std::snprintf(text, sizeof text, ".lvx%x-%x.tmp", process, counter.fetch_add(1));
    return text;
}

constexpr int TemporaryAttempts = 100;

// Gives the anonymous file a temporary name in folder and renames it over
// name; on failure the temporary name is removed again.
int LinkAndRename(int descriptor, int folder, const char* name) {
    for (int attempt = 0; attempt < TemporaryAttempts; ++attempt) {
        const std::string temporary = TemporaryName();
        if (const int error = LinkAnonymous(descriptor, folder, temporary.c_str()); error != 0) {
            if (error == EEXIST) {
                continue;
            }
            return error;
        }
        if (::renameat(folder, temporary.c_str(), folder, name) == 0) {
            return 0;
        }
        const int error = errno;
        ::unlinkat(folder, temporary.c_str(), 0);
        return error;
    }
    return EEXIST;
}

// The file system has no anonymous files: the content goes to a named
// temporary file, removed on every way out but success.
int WriteThroughNamedFile(int folder, const char* name, const void* data, std::size_t size,
                          const WholeFileOptions& options, int mode) {
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
    int error = Fill(file.Get(), data, size, options, mode);
    const int closeError = file.Close();
    if (error == 0) {
        error = closeError;
    }
    if (error == 0 && ::renameat(folder, temporary.c_str(), folder, name) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlinkat(folder, temporary.c_str(), 0);
    }
    return error;
}

void FlushFolder(int folder) {
    const Descriptor open(OpenAt(folder, ".", O_RDONLY | O_DIRECTORY));
    if (open.Get() >= 0) {
        ::fsync(open.Get());
    }
}

// The file a chain of symbolic links ends at, as a path; the path itself when
// it is no link. A link to nothing names the file to be made.
std::string FollowLinks(int folder, std::string path) {
    for (int depth = 0; depth < 40; ++depth) {
        char target[4096];
        const ssize_t length = ::readlinkat(folder, path.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) {
            break;
        }
        std::string next(target, static_cast<std::size_t>(length));
        const auto slash = path.rfind('/');
        if (next[0] != '/' && slash != std::string::npos) {
            next.insert(0, path, 0, slash + 1);
        }
        path = std::move(next);
    }
    return path;
}

}  // namespace

int WriteWholeFile(int folder, const std::string& name, const void* data, std::size_t size,
                   const WholeFileOptions& options) {
    const std::string path = options.FollowLinks ? FollowLinks(folder, name) : name;
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
    int mode = -1;
    if (options.KeepMode) {
        struct stat status {};
        if (::fstatat(folder, base, &status, 0) == 0 && S_ISREG(status.st_mode)) {
            mode = static_cast<int>(status.st_mode & 07777);
        }
    }

    Descriptor file(AnonymousFilesRefused ? -1 : OpenAt(folder, ".", O_TMPFILE | O_WRONLY, 0666));
    int error = 0;
    if (file.Get() < 0) {
        if (!AnonymousFilesRefused && !RefusesAnonymousFiles(errno)) {
            return errno;
        }
        error = WriteThroughNamedFile(folder, base, data, size, options, mode);
    } else {
        if (const int fillError = Fill(file.Get(), data, size, options, mode); fillError != 0) {
            return fillError;
        }
        bool linked = false;
        if (!options.ExpectExisting) {
            // Fails when anything of the name is there, or appeared meanwhile:
            // that one is then replaced.
            const int linkError = LinkAnonymous(file.Get(), folder, base);
            linked = linkError == 0;
            if (!linked && linkError != EEXIST) {
                return linkError;
            }
        }
        if (!linked) {
            error = LinkAndRename(file.Get(), folder, base);
        }
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

void SetLinkByDescriptor(bool allowed) {
    LinkByDescriptor = allowed;
}

void SetAnonymousFilesRefused(bool refused) {
    AnonymousFilesRefused = refused;
}

}  // namespace files
