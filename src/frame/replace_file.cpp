#include "frame/replace_file.h"

#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "platform/ui/ui.h"

bool ReplaceFile(const std::string& name, const std::vector<uint8_t>& bytes) {
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
    MsgBox(name + " could not be rewritten: " + reason + ".\r\nThe file is left as it was.",
           vbOKOnly + vbExclamation, AppTitle);
    return false;
}
