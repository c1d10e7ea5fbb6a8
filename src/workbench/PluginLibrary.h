// The plug-in as the host loads it: the library file through the system loader, its description
// object read slot by slot, the transaction object created by the export the description names and
// handed the host's interfaces, and the menu exports called by name.
#pragma once

#include "PluginContract.h"

#include <string>

namespace tkv::workbench {

struct TPluginDescription {
    std::string KeyName, Name, Text, Date, Version, ProcName, UpdateSqlPath;
    bool IsAuto = false;
    std::uint8_t AutoRun = 0;
    std::string ParentMenus, MenuEntries;
};

class TPluginLibrary {
public:
    // Loads the library; raises std::runtime_error naming the file or the export that is missing.
    explicit TPluginLibrary(const std::wstring& path);
    ~TPluginLibrary();
    TPluginLibrary(const TPluginLibrary&) = delete;
    TPluginLibrary& operator=(const TPluginLibrary&) = delete;

    // CreatePlugInfo and every slot of the description.
    TPluginDescription Describe();
    // Creates the transaction object through the export the description names and hands it the
    // host's main, framework-object and report interfaces (the plug-in takes its own references).
    void Initialise(const std::string& procName, abi::RawMainintf* main, abi::RawExistForm* existForm,
                    abi::RawReportIntf* report);
    // Calls the menu export of that name with an empty string; false when the library has none.
    bool RunMenuExport(const std::string& name);
    // The transaction object that Initialise created (nullptr before), for the retail hooks.
    RawObject* RetailObject() const { return retail_; }

private:
    HMODULE module_ = nullptr;
    RawObject* plugInfo_ = nullptr;
    RawObject* retail_ = nullptr;
};

} // namespace tkv::workbench
