// TVNPlugInfo: the description object that the host reads before it uses the plug-in. Every answer
// is fixed except the upgrade script path (the data folder) and PlugConfig (the settings window).
#pragma once

#include "../Interface/IVNPlugInfo.h"

namespace tkv {

class TVNPlugInfo : public TInterfacedObject<IVNPlugInfo> {
public:
    /*** IUnknown: IVNPlugInfo and the basic interface ***/
    std::int32_t QueryInterface(const TGUID& iid, void** obj) override;

    /*** IVNPlugInfo ***/
    std::string GetKeyName() override { return "Tkvfp"; }
    std::int32_t Reserved1() override { return 0; }
    std::string GetPlugProcName() override { return "CreateRetailPlug"; }
    std::string GetPlugName() override { return "Tkv厂家发票管理"; }
    TPlugTransType GetPlugType() override { return pttRetail; }
    std::string GetPlugText() override { return "Tkv厂家发票管理插件"; }
    std::string GetPlugDate() override { return "2017-08-07"; }
    std::string GetPlugVersion() override { return "1.0"; }
    bool GetPlugIsAuto() override { return true; }
    TPlugAutoRunTypeSet PlugAutoRun() override { return AutoRunSet(prtMenu); }
    bool GetPlugIsConfig() override { return false; }
    // The transaction object's ssConfig (the insurance settings window).
    bool PlugConfig() override;
    std::uint8_t Reserved2() override { return 0; }
    // The data folder (created when missing), a separator, "TkvUpgrade.SQL".
    std::string GetUpdateSQLFilePath() override;
    bool Reserved3() override { return false; }
    std::string PlunParentMenuInfo() override;
    std::string PlunMenuInfo() override;
};

} // namespace tkv
