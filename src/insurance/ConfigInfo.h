// GetConfigInfo: whether the insurance settlement is switched on (the settings file exists), and
// the settings window that edits the file.
#pragma once

namespace tkv {

// ShowSet false: true exactly when the settings file exists; nothing is shown. ShowSet true: shows
// the settings window, filled from the file when it has lines; on "确定" writes "FileName",
// "PosCode" and "YBLog" into the file (other lines kept as they are), sets the logging switch and
// answers true; otherwise the file is untouched and the answer is false.
bool GetConfigInfo(bool ShowSet);

} // namespace tkv
