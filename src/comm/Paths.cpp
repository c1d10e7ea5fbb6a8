// Folder functions of VNSSCOMM.
#include "Paths.h"

#include "../platform/Platform.h"
#include "Exception.h"

#include <system_error>

namespace tkv {

namespace {

std::string FolderOf(const std::string& file) {
    const std::string::size_type pos = file.find_last_of(Platform().PathDelim());
    return pos == std::string::npos ? std::string() : file.substr(0, pos + 1);
}

std::string UpperCase(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

} // namespace

std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string GetModuleFullFileName() {
    return Platform().ModuleFileName();
}

std::string AppPath() {
    std::string path = FolderOf(GetModuleFullFileName());
    CheckDir(path);
    return path;
}

std::string DataPath() {
    const std::string path = AppPath() + "PlugData";
    std::string created = path; // CheckDir appends the separator that DataPath does not carry
    CheckDir(created);
    return path;
}

std::string AppUpPath() {
    const std::string folder = FolderOf(GetModuleFullFileName());
    // The first folder of the path named "plug", not a name that only begins so ("PlugHost").
    const char delim = Platform().PathDelim();
    const std::string marker = std::string(1, delim) + "PLUG";
    const std::string upper = UpperCase(folder);
    std::string::size_type pos = upper.find(marker);
    while (pos != std::string::npos && pos + marker.size() < upper.size() &&
           upper[pos + marker.size()] != delim)
        pos = upper.find(marker, pos + 1);
    std::string path = pos == std::string::npos ? std::string() : folder.substr(0, pos);
    CheckDir(path);
    return path;
}

void CheckDir(std::string& APath) {
    if (APath.empty())
        throw Exception("无法创建文件夹: 路径为空");
    std::error_code ec;
    const std::filesystem::path fsPath = Utf8Path(APath);
    if (!std::filesystem::is_directory(fsPath, ec)) {
        std::filesystem::create_directories(fsPath, ec);
        if (ec || !std::filesystem::is_directory(fsPath))
            throw Exception("无法创建文件夹 " + APath + ": " + ec.message());
    }
    APath = AddBackSlash(APath);
}

std::string AddBackSlash(const std::string& S) {
    const char delim = Platform().PathDelim();
    if (S.empty() || S.back() == delim)
        return S;
    return S + delim;
}

} // namespace tkv
