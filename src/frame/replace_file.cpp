#include "frame/replace_file.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "platform/files/whole_file.h"
#include "platform/ui/ui.h"

namespace {

bool Refuse(const std::string& name, const std::string& reason) {
    MsgBox(name + " could not be rewritten: " + reason + ".\r\nThe file is left as it was.",
           vbOKOnly + vbExclamation, AppTitle);
    return false;
}

}  // namespace

bool ReplaceFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    // The user's own measurement: its new content must be on the disk before
    // the old one goes, or a power cut could leave neither; and it stays the
    // file it was to everyone who may read it.
    files::WholeFileOptions options;
    options.ExpectExisting = true;
    options.Flush = true;
    options.KeepMode = true;
    options.KeepOwner = true;
    options.FollowLinks = true;
    options.RefuseReadOnly = true;
    const int error = files::WriteWholeFile(AT_FDCWD, name, bytes.data(), bytes.size(), options);
    return error == 0 || Refuse(name, std::strerror(error));
}
