#include "app/startup.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "app/main_window.h"
#include "frame/ini_file.h"
#include "frame/settings.h"
#include "platform/shell/paths.h"
#include "platform/shell/settings_folder.h"
#include "platform/text/convert.h"
#include "platform/text/vbstring.h"

namespace {

// One level of the settings folder. A plain file of that name means the
// settings cannot live there: the caller falls back to the program's folder.
int32_t EnterFolder(std::string& folder, const char* name) {
    folder = AddBackslash(folder) + name;
    std::error_code error;
    const auto status = std::filesystem::status(folder, error);
    if (std::filesystem::exists(status)) {
        return std::filesystem::is_directory(status) ? 0 : 3;
    }
    return std::filesystem::create_directory(folder, error) ? 0 : 4;
}

// "True"/"False" in any letter case, or a number (non-zero is true); any other
// text leaves the flag as it was.
void ReadFlag(const std::string& text, bool& flag) {
    const std::string upper = UCase(text);
    if (upper == "TRUE") {
        flag = true;
    } else if (upper == "FALSE") {
        flag = false;
    } else if (const auto number = ParseDouble(text)) {
        flag = *number != 0;
    }
}

}  // namespace

int32_t GetSettingsFolder(std::string& Folder) {
    std::string folder;
    int32_t code = QueryApplicationDataFolder(folder);
    if (code == 0) {
        code = EnterFolder(folder, "ZEL");
    }
    if (code == 0) {
        code = EnterFolder(folder, "Lumivex");
    }
    if (code == 0) {
        Folder = AddBackslash(folder);
    }
    return code;
}

void ReadBranLuebbeSettings() {
    ExportIniFile.inifile = SettingsFolder + "bl.ini";
    if (ExportIniFile.LoadIniFile() != SettingsFolder + "bl.ini") {
        return;
    }
    const std::string& file = ExportIniFile.inifile;
    ReadFlag(ExportIniFile.ProfileGetItem("Coefficients", "UseMult", "", file), UseMult);
    ReadFlag(ExportIniFile.ProfileGetItem("Coefficients", "UseAdd", "", file), UseAdd);
    CoefficientFile = ExportIniFile.ProfileGetItem("Coefficients", "CoefficientFile", "", file);
    ReadFlag(ExportIniFile.ProfileGetItem("Model", "Predict", "", file), Predict);
    ModelFile = ExportIniFile.ProfileGetItem("Model", "ModelFile", "", file);
}

void Main() {
    if (GetSettingsFolder(SettingsFolder) != 0) {
        SettingsFolder = AddBackslash(ProgramFolder());
    }
    ReadBranLuebbeSettings();
    MainClosing = false;
    auto* window = new frmLVX;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}
