// Messages forwarded to the host main interface.
#include "Messages.h"

#include "ModuleState.h"

namespace tkv {

void ShowMsg(const std::string& Msg, const std::string& ATitle) {
    MainIntf().ShowMsg(Msg, ATitle);
}

void ShowError(const std::string& Msg, const std::string& ATitle) {
    MainIntf().ShowError(Msg, ATitle);
}

bool YesOrNo(const std::string& msg, const std::string& ATitle) {
    return MainIntf().YesOrNo(msg, ATitle);
}

} // namespace tkv
