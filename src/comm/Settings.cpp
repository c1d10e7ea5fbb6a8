// The settings file: where it lies, reading a value, loading and saving its lines.
#include "Settings.h"

#include "../platform/WholeFile.h"
#include "Exception.h"
#include "Paths.h"
#include "StringFunctions.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tkv {

std::string SettingsFilePath() {
    return AddBackSlash(DataPath()) + "cqyb.DAT";
}

bool SettingsFileExists() {
    std::error_code ec;
    return std::filesystem::exists(Utf8Path(SettingsFilePath()), ec);
}

bool LoadSettings(TNameValueLines& Lines) {
    Lines.LoadFromBytes(std::string());
    if (!SettingsFileExists())
        return false;
    std::string bytes;
    try {
        std::ifstream in(Utf8Path(SettingsFilePath()), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        bytes.clear(); // unreadable (a folder of that name, no permission): no values
    }
    Lines.LoadFromBytes(bytes);
    return true;
}

void SaveSettings(const TNameValueLines& Lines) {
    const std::string path = SettingsFilePath();
    if (!WriteFileWhole(Utf8Path(path), Lines.SaveToBytes()))
        throw Exception("无法写入医保设置文件 " + path);
}

std::string GetConfigValue(const std::string& ConfigName) {
    TNameValueLines lines;
    if (!LoadSettings(lines))
        return {};
    return Trim(lines.Value(ConfigName));
}

} // namespace tkv
