#include "platform/shell/settings_folder.h"

#include <QStandardPaths>
#include <filesystem>
#include <system_error>

int32_t QueryApplicationDataFolder(std::string& Folder) {
    const QString location =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (location.isEmpty()) {
        return 1;
    }
    const std::string folder = location.toStdString();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error)) {
        return 2;
    }
    Folder = folder;
    return 0;
}
