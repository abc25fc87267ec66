#include "frame/replace_file.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/files/whole_file.h"
#include "platform/ui/ui.h"

namespace {

bool Refuse(const std::string& name, const std::string& reason) {
    MsgBox(name + " could not be rewritten: " + reason + ".\r\nThe file is left as it was.",
           vbOKOnly + vbExclamation, AppTitle);
    return false;
}

// A file nobody may write to was marked read-only on purpose; the system
// would still let an administrator rename a new file over it.
bool MarkedReadOnly(const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code code;
    const fs::file_status status = fs::status(name, code);
    if (code || !fs::is_regular_file(status)) {
        return false;
    }
    constexpr auto writable =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writable) == fs::perms::none;
}

}  // namespace

bool ReplaceFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    if (MarkedReadOnly(name)) {
        return Refuse(name, std::strerror(EACCES));
    }
    // The user's own measurement: its new content must be on the disk before
    // the old one goes, or a power cut could leave neither.
    files::WholeFileOptions options;
    options.ExpectExisting = true;
    options.Flush = true;
    options.KeepMode = true;
    options.FollowLinks = true;
    const int error = files::WriteWholeFile(AT_FDCWD, name, bytes.data(), bytes.size(), options);
    return error == 0 || Refuse(name, std::strerror(error));
}
