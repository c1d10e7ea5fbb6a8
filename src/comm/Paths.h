// Where the plug-in's files live, derived from the library file itself (never from the host's
// working folder), with the path separator of the platform. Paths are UTF-8.
#pragma once

#include <filesystem>
#include <string>

namespace tkv {

// Full path of the library file.
std::string GetModuleFullFileName();
// Folder of the library file, ending in exactly one separator; created when missing.
std::string AppPath();
// AppPath + "PlugData", without a trailing separator; created with its parents when missing.
std::string DataPath();
// The part of the library's folder before its first "<sep>PLUG" component (letter case ignored),
// ending in a separator. Raises Exception when the library lies below no such folder.
std::string AppUpPath();
// Creates the folder with its parents when missing, then appends a separator when missing.
// Raises Exception for an empty path or a folder that cannot be created.
void CheckDir(std::string& APath);
// S with a separator appended unless it is empty or already ends in one.
std::string AddBackSlash(const std::string& S);

// A file system path from a UTF-8 text, on every platform.
std::filesystem::path Utf8Path(const std::string& utf8);

} // namespace tkv
