// Message boxes of the plug-in, drawn by the host so that they look like its own: message first,
// title second ("提示" for information, "错误" for errors).
#pragma once

#include <string>

namespace tkv {

void ShowMsg(const std::string& Msg, const std::string& ATitle);
void ShowError(const std::string& Msg, const std::string& ATitle);
// True when the user answers yes.
bool YesOrNo(const std::string& msg, const std::string& ATitle);

} // namespace tkv
