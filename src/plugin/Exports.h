// The four exports of the plug-in as portable functions; the library boundary turns them into the
// stdcall exports the host calls.
#pragma once

#include "../Interface/IRetailPlugin.h"
#include "../Interface/IVNPlugInfo.h"

#include <string>

namespace tkv {

// The one description object, created at the first call; the result holds the reference that
// the caller owns.
ComPtr<IVNPlugInfo> CreatePlugInfo();
// The one transaction object, created (and "YBLog" read) at the first call.
ComPtr<IRetailPlugin> CreateRetailPlug();
// Show the association management window / the invoice picture print window modally and return
// when it has closed. ErrorMsg is not read. Raise Exception when the window is not plugged in.
void TkvjobLink(const std::string& ErrorMsg);
void TkvPrint(const std::string& ErrorMsg);

} // namespace tkv
