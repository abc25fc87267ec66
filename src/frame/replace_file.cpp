#include "frame/replace_file.h"

#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <filesystem>

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
    QSaveFile file(QString::fromStdString(name));
    const auto size = static_cast<qint64>(bytes.size());
    errno = 0;
    if (file.open(QIODevice::WriteOnly) &&
        file.write(reinterpret_cast<const char*>(bytes.data()), size) == size && file.commit()) {
        return true;
    }
    // Qt has no words for some failures (a name too long for the temporary
    // file beside it); the system's are better than "Unknown error".
    std::string reason = file.errorString().toStdString();
    if ((reason.empty() || reason == "Unknown error") && errno != 0) {
        reason = std::strerror(errno);
    }
    file.cancelWriting();
    return Refuse(name, reason);
}
