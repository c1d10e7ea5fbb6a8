// The module-wide state of the plug-in: the host references, the transaction object, the last error,
// the log switch and the handles of the libraries it loads. One object, created by
// InitializeModuleState (at library load, or per test) and ended by FinalizeModuleState (at unload).
#pragma once

#include "../Interface/IExistForm.h"
#include "../Interface/IVNMainTransinfo.h"
#include "../Interface/IVNMainintf.h"
#include "../Interface/IVNPlugInfo.h"
#include "../Interface/Unknown.h"
#include "../platform/Platform.h"
#include "GatewayLog.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tkv {

class TVNPlugTrans;

class TModuleState {
public:
    ComPtr<IVNMainintf> VNMainintf;           // first InitPlugin only
    ComPtr<IVNMainTransinfo> VNMainTransinfo; // every InitTransPlugin
    TVNPlugTrans* VNPlugTrans = nullptr;      // the one transaction object; holds no reference
    ComPtr<IExistForm> VNExistForm;           // first InitExistInterFace only
    ComPtr<IVNPlugInfo> VNPlugInfo;           // the one description object
    ComPtr<IssReportIntf> VNReportIntf;       // first InitReportInterFace only; never called
    std::int32_t LastErrorCode = 0;
    std::string LastErrorMsg;
    bool ShowLog = false;
    bool SettleJournalShown = false;   // the journal's settlements were told once since the load
    bool UnrememberedToldOnce = false; // a window setting that could not be saved was told
    WindowHandle OwnerWindow = 0;      // the host main window, owner of every plug-in window

    LibraryHandle InsuranceLibrary = nullptr; // the external insurance interface library
    std::unique_ptr<TGatewayLog> LogList;     // the gateway log; created at its first line
    LibraryHandle HelpLibrary = nullptr;      // the HTML help control while it is loaded
    std::uint32_t HelpCookie = 0;

    // The unload order: forget the transaction object, release the description and report
    // interfaces, unload the insurance library, clear the error text, then release the remaining
    // host references. The help control stays loaded.
    void Finalize();
};

// Creates the state (finalising a previous one first).
void InitializeModuleState();
// Finalises and destroys the state; nothing happens when there is none.
void FinalizeModuleState();
// The state; raises std::logic_error when it was not initialised.
TModuleState& ModuleState();
// The state, or nullptr when there is none.
TModuleState* FindModuleState();

// The host main interface; raises Exception when InitPlugin has not stored one yet.
IVNMainintf& MainIntf();

// Initialises the state for the lifetime of a scope (tests, in-process hosts).
class TModuleScope {
public:
    TModuleScope() { InitializeModuleState(); }
    ~TModuleScope() { FinalizeModuleState(); }
    TModuleScope(const TModuleScope&) = delete;
    TModuleScope& operator=(const TModuleScope&) = delete;
};

} // namespace tkv
