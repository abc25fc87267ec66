// The file systems measurements live on, as a test can have them: FAT and
// exFAT images mounted through FUSE, and a file system that refuses modes and
// owners.
#pragma once

#include <filesystem>
#include <string>

// While it lives, fchmod and fchown of this process fail with error, as on
// FAT or on a share with fixed owners. The calls are replaced for the whole
// test program, the shared libraries it loads included.
class AttributesRefused {
public:
    explicit AttributesRefused(int error);
    ~AttributesRefused();
    AttributesRefused(const AttributesRefused&) = delete;
    AttributesRefused& operator=(const AttributesRefused&) = delete;
};

// A FAT ("vfat") or exFAT ("exfat") image of a few MiB mounted through FUSE on
// folder. Mounted() is false, with Why() saying why, where the machine cannot
// (no /dev/fuse, no fusefat or exfat-fuse, no loop device for exFAT).
class FuseMount {
public:
    FuseMount(const std::string& kind, const std::filesystem::path& folder);
    ~FuseMount();
    FuseMount(const FuseMount&) = delete;
    FuseMount& operator=(const FuseMount&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Why() const { return why_; }

private:
    std::filesystem::path folder_;
    std::string loop_;
    bool mounted_ = false;
    std::string why_;
};
