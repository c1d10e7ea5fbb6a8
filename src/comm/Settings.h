// Reading the insurance settings file "cqyb.DAT" in the data folder: name=value lines in the 8-bit
// code page, names matched without letter case, read afresh at every use.
#pragma once

#include <string>

namespace tkv {

// DataPath, a separator and "cqyb.DAT".
std::string SettingsFilePath();
// The value of the first line whose name is ConfigName (letter case ignored), with leading and
// trailing blanks and control characters removed; empty when the file or the name is missing.
std::string GetConfigValue(const std::string& ConfigName);

} // namespace tkv
