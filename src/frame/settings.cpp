#include "frame/settings.h"

#include <optional>
#include <string_view>

#include "platform/profile/profile.h"
#include "platform/shell/paths.h"
#include "platform/text/convert.h"
#include "platform/ui/ui.h"

std::string SettingsFolder;
std::string InputDirectory;
std::string OutputDirectory;
int16_t DerivativeGap = 0;
std::array<int32_t, 16> LineColor{};
std::array<int32_t, 16> LineType{};
int32_t FilterIndex = 0;
int16_t LastPlotFormat = 0;
int16_t LastPlotDeriv = 0;

bool UseMult = false;
bool UseAdd = false;
std::string CoefficientFile;
bool Predict = false;
std::string ModelFile;

std::string VersionText;
bool MainClosing = false;

namespace {

constexpr const char* Section = "LVXDATA";
// The reading default of the text keys; a directory that begins with it was
// never written.
constexpr std::string_view BadFile = "Bad File";
constexpr uint32_t TextBuffer = 255;

std::string SettingsFile() {
    return SettingsFolder + "lvx.ini";
}

// The derivative gap as typed into the file: a number, blanks around it
// allowed, a fraction rounded half to even; nothing when it is no number or
// does not fit.
std::optional<int16_t> GapFromText(std::string text) {
    const auto nul = text.find('\0');
    if (nul != std::string::npos) {
        text.resize(nul);
    }
    const auto value = ParseDouble(text);
    if (!value) {
        return std::nullopt;
    }
    try {
        return CInt(*value);
    } catch (const VbError&) {
        return std::nullopt;
    }
}

// A display mode outside the 16-bit range cannot be one the graph window
// wrote; it starts over at 0.
int16_t DisplayKey(const char* key, const std::string& file) {
    const int32_t value = GetPrivateProfileInt(Section, key, 0, file);
    return value < INT16_MIN || value > INT16_MAX ? int16_t{0} : static_cast<int16_t>(value);
}

bool CreateSettingsFile(const std::string& file) {
    if (WritePrivateProfileSection(Section, "", file)) {
        return true;
    }
    MsgBox("Error setting up DataDirectory in LVX.ini File", vbOKOnly + vbCritical, AppTitle);
    return false;
}

void UseFallback() {
    InputDirectory = SettingsFolder;
    OutputDirectory = SettingsFolder;
    DerivativeGap = 7;
}

}  // namespace

void LoadSettings() {
    const std::string file = SettingsFile();
    if (!FileExists(file)) {
        // Even when the file cannot be made, the folders in memory must not
        // stay empty: an empty output folder would put results at the root.
        CreateSettingsFile(file);
        UseFallback();
        return;
    }
    uint32_t ci = 0, co = 0, cg = 0;
    std::string gap;
    ci = GetPrivateProfileString(Section, "InputDirectory", BadFile, InputDirectory, TextBuffer,
                                 file);
    if (ci > 0) {
        co = GetPrivateProfileString(Section, "OutputDirectory", BadFile, OutputDirectory,
                                     TextBuffer, file);
    }
    if (co > 0) {
        cg = GetPrivateProfileString(Section, "DerivativeGap", BadFile, gap, TextBuffer, file);
    }
    for (int i = 0; i < 16; ++i) {
        const std::string index = std::to_string(i);
        LineColor[static_cast<std::size_t>(i)] =
            GetPrivateProfileInt(Section, "LineColor" + index, 0, file);
        LineType[static_cast<std::size_t>(i)] =
            GetPrivateProfileInt(Section, "LineType" + index, 0, file);
    }
    FilterIndex = GetPrivateProfileInt(Section, "FilterIndex", 1, file);
    LastPlotFormat = DisplayKey("LastPlotFormat", file);
    LastPlotDeriv = DisplayKey("LastPlotDeriv", file);

    const bool unusable = ci == 0 || co == 0 || cg == 0 || InputDirectory.starts_with(BadFile) ||
                          OutputDirectory.starts_with(BadFile);
    if (unusable) {
        UseFallback();
        return;
    }
    // A gap that is no number spoils the whole set, directories included: the
    // file was edited by hand and cannot be trusted.
    const auto parsed = GapFromText(gap);
    if (!parsed) {
        UseFallback();
        return;
    }
    DerivativeGap = *parsed;
}

void SaveSettings() {
    const std::string file = SettingsFile();
    if (!FileExists(file)) {
        CreateSettingsFile(file);
        return;
    }
    auto write = [&file](const std::string& key, const std::string& value) {
        WritePrivateProfileString(Section, key, value, file);
    };
    write("InputDirectory", InputDirectory);
    write("OutputDirectory", OutputDirectory);
    write("DerivativeGap", std::to_string(DerivativeGap));
    for (std::size_t i = 0; i < 16; ++i) {
        write("LineColor" + std::to_string(i), std::to_string(LineColor[i]));
        write("LineType" + std::to_string(i), std::to_string(LineType[i]));
    }
    write("FilterIndex", std::to_string(FilterIndex));
    write("LastPlotFormat", std::to_string(LastPlotFormat));
    write("LastPlotDeriv", std::to_string(LastPlotDeriv));
}

void ResetSettingsState() {
    SettingsFolder.clear();
    InputDirectory.clear();
    OutputDirectory.clear();
    DerivativeGap = 0;
    LineColor.fill(0);
    LineType.fill(0);
    FilterIndex = 0;
    LastPlotFormat = 0;
    LastPlotDeriv = 0;
    UseMult = false;
    UseAdd = false;
    CoefficientFile.clear();
    Predict = false;
    ModelFile.clear();
    VersionText.clear();
    MainClosing = false;
}
