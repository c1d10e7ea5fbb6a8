// The reference host's main interface at the other end of the workbench's connection: every method
// is a call to the host, except the main window's handle, which is the workbench's own. A control
// handed over for preparation comes back with the record selection and lookup the host installed,
// as proxies that call the host in turn. The host's errors arrive as ERemoteError.
#pragma once

#include "Interface/IVNMainintf.h"
#include "RemoteEnd.h"

namespace tkv::remote {

ComPtr<IVNMainintf> NewRemoteMainintf(TRemoteEnd& end, WindowHandle appHandle);

} // namespace tkv::remote
