// What the base dialog needs from the module state: the host's main and framework-object interfaces,
// the owner window of plug-in windows and the help request. The module state installs a provider
// that answers its current values, so the toolkit does not depend on the module that keeps them.
#pragma once

#include "../Interface/IExistForm.h"
#include "../Interface/IVNMainintf.h"

#include <functional>
#include <string>

namespace tkv {

// Opens the plug-in's help file: caller window, topic, command, data.
using THelpRequest = std::function<void(WindowHandle caller, const std::string& topic, std::uint32_t command,
                                        std::uintptr_t data)>;

struct TFormEnvironment {
    IVNMainintf* MainIntf = nullptr;
    IExistForm* ExistForm = nullptr;
    WindowHandle OwnerHandle = 0;
    THelpRequest ShowHelp;
};

using TFormEnvironmentProvider = std::function<TFormEnvironment()>;

// The environment as the installed provider answers it now; empty when none is installed.
TFormEnvironment CurrentFormEnvironment();
// Installs the provider (an empty function removes it).
void SetFormEnvironmentProvider(TFormEnvironmentProvider provider);

} // namespace tkv
