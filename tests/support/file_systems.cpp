#include "support/file_systems.h"

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

std::atomic<int> Refusal{0};

// A command's first line of output, and whether it ended well.
bool Command(const std::string& line, std::string* output = nullptr) {
    FILE* pipe = ::popen((line + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return false;
    }
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        text += buffer;
    }
    const int status = ::pclose(pipe);
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    if (output != nullptr) {
        *output = text;
    }
    return status == 0;
}

bool Found(const char* program) {
    return Command(std::string("command -v ") + program + " >/dev/null");
}

}  // namespace

// Defined here, the calls take the place of the C library's for the program
// and every library it loads.
extern "C" int fchmod(int descriptor, mode_t mode) {
    if (const int error = Refusal.load(); error != 0) {
        errno = error;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fchmod, descriptor, mode));
}

extern "C" int fchown(int descriptor, uid_t owner, gid_t group) {
    if (const int error = Refusal.load(); error != 0) {
        errno = error;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fchown, descriptor, owner, group));
}

AttributesRefused::AttributesRefused(int error) {
    Refusal = error;
}

AttributesRefused::~AttributesRefused() {
    Refusal = 0;
}

FuseMount::FuseMount(const std::string& kind, const std::filesystem::path& folder)
    : folder_(folder) {
    namespace fs = std::filesystem;
    const bool fat = kind == "vfat";
    if (::access("/dev/fuse", R_OK | W_OK) != 0) {
        why_ = "no usable /dev/fuse";
        return;
    }
    const char* mounter = fat ? "fusefat" : "mount.exfat-fuse";
    const char* maker = fat ? "mkfs.vfat" : "mkfs.exfat";
    if (!Found(mounter) || !Found(maker) || !Found("fusermount")) {
        why_ = std::string("no ") + mounter + " or " + maker + " here";
        return;
    }
    const fs::path image = fs::path(folder).concat(".img");
    fs::create_directories(folder);
    std::string said;
    if (!Command("truncate -s 16M '" + image.string() + "' && " + maker + " '" + image.string() +
                     "' >/dev/null",
                 &said)) {
        why_ = "cannot make the image: " + said;
        return;
    }
    std::string device = image.string();
    if (!fat) {
        // The exFAT driver wants a block device when run by the superuser.
        if (!Command("losetup -f --show '" + image.string() + "'", &loop_)) {
            why_ = "no loop device: " + loop_;
            loop_.clear();
            return;
        }
        device = loop_;
    }
    const std::string options = fat ? " -o rw+ " : " ";
    if (!Command(std::string(mounter) + options + "'" + device + "' '" + folder.string() + "'",
                 &said)) {
        why_ = std::string(mounter) + " failed: " + said;
        return;
    }
    mounted_ = true;
}

FuseMount::~FuseMount() {
    if (mounted_) {
        Command("fusermount -u '" + folder_.string() + "'");
    }
    if (!loop_.empty()) {
        Command("losetup -d '" + loop_ + "'");
    }
}
