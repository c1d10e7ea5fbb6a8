// The insurance settings file "cqyb.DAT" in the data folder: name=value lines in the 8-bit code
// page, names matched without letter case, read afresh at every use. Its presence switches the
// insurance settlement on.
#pragma once

#include "NameValueLines.h"

#include <string>

namespace tkv {

// DataPath, a separator and "cqyb.DAT".
std::string SettingsFilePath();
// Whether the settings file exists.
bool SettingsFileExists();
// Loads the file into Lines; false (Lines emptied) when it does not exist. A file that exists but
// cannot be read loads as empty.
bool LoadSettings(TNameValueLines& Lines);
// Writes Lines to the file, creating it; raises Exception when it cannot be written.
void SaveSettings(const TNameValueLines& Lines);
// The value of the first line whose name is ConfigName (letter case ignored), with leading and
// trailing blanks and control characters removed; empty when the file or the name is missing.
std::string GetConfigValue(const std::string& ConfigName);

} // namespace tkv
