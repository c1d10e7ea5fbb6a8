// The host's record selection dialog: the candidate records in a list (code, name, type id), the
// first one selected; double-click, Enter or "确定" choose, Esc or "取消" cancel.
#pragma once

#include "Interface/HostControl.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tkv::workbench {

// The index of the chosen record, or -1 when the dialog was cancelled.
int ChooseRecord(HWND owner, const std::string& caption, const std::vector<TBasicRecord>& records);

} // namespace tkv::workbench
