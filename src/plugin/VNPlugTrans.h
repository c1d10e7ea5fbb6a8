// TVNPlugTrans: the transaction plug-in object that the host reaches through IRetailPlugin. It keeps
// the host interfaces in the module state, answers the fixed hooks itself and forwards the
// insurance hooks to its IInsuranceHooks object.
#pragma once

#include "../Interface/IRetailPlugin.h"
#include "../system/BGFunctions_C_VNBJ.h"
#include "InsuranceHooks.h"

#include <memory>
#include <string>

namespace tkv {

class TVNPlugTrans : public TInterfacedObject<IRetailPlugin> {
public:
    // Installs the field functions, reads "YBLog" into ShowLog, clears the figures. The module
    // state must exist.
    TVNPlugTrans();

    /*** IUnknown: IRetailPlugin and the basic interface only ***/
    std::int32_t QueryInterface(const TGUID& iid, void** obj) override;

    /*** IVNPlugin ***/
    void About() override {}
    bool CheckVersion(const std::string& MainVer) override { return false; }
    std::string DownURL() override { return {}; }
    void ExecuteAction(std::int32_t AID) override {}
    std::string GetLastError() override;
    std::int32_t GetLastErrorID() override;
    void InitPlugin(IVNMainintf* mainIntf) override;
    void InitTransPlugin(IVNMainTransinfo* transInfo) override;
    void InitExistInterFace(IExistForm* AExistForm) override;
    void InitReportInterFace(IssReportIntf* ssReportIntf) override;
    void ClearPlugInfo() override;

    /*** IVNTransPlugin ***/
    bool BeforeSave(OleVariant& Params) override { return FHooks->BeforeSave(*this, Params); }
    bool AfterSave(OleVariant& Params) override { return true; }
    bool BeforePrint(OleVariant& GridData, OleVariant& Params) override { return false; }
    bool CheckData(OleVariant& Params) override { return false; }
    bool CheckGridRow(std::int32_t ARow, OleVariant& Params) override { return false; }
    void IniGridFields(HostObject AGrid) override {}

    /*** IRetailBillPlugin ***/
    bool BeforeVipCard(OleVariant& Params) override { return false; }
    bool AfterVipCard(OleVariant& Params) override { return false; }
    bool BeforePtyeInsert(OleVariant& Params) override { return false; }
    bool AfterPtyeInsert(std::int32_t ARow, OleVariant& Params) override { return false; }
    bool BeforeAcct(OleVariant& Params) override { return false; }
    bool AfterAcct(OleVariant& Params) override { return false; }

    /*** IRetailPlugin ***/
    bool GetSBCard(OleVariant& Params) override { return FHooks->GetSBCard(*this, Params); }
    void ShowSBCard() override { FHooks->ShowSBCard(*this); }
    bool ClearCardInfo() override { return FHooks->ClearCardInfo(*this); }
    bool ssEvaluateBalance() override { return FHooks->ssEvaluateBalance(*this); }
    bool ssBalance() override { return FHooks->ssBalance(*this); }
    bool ssClearEvaluateBalance() override { return FHooks->ssClearEvaluateBalance(*this); }
    bool ssClearCloseMulAccount() override { return true; }
    bool CanelBalance() override { return FHooks->CanelBalance(*this); }
    bool CheckCanUseSS() override { return FHooks->CheckCanUseSS(); }
    bool ssNeedEvaluateBalance() override { return true; }
    bool IsNeedReadCard() override { return true; }
    bool IsNeedPtypDZ() override { return true; }
    // The association management window, as the menu entry opens it.
    void ssPtypeDz() override;
    OleVariant ssPrintItems() override { return FHooks->ssPrintItems(*this); }
    bool IsNeedRetailBack() override { return false; }
    void ssBalaInfo(OleVariant& Params) override { FHooks->ssBalaInfo(*this, Params); }
    bool ssInit() override;
    bool ssFree() override { return true; }
    bool ssConfig() override { return FHooks->ssConfig(); }
    std::string GetConfigPostCode() override { return FHooks->GetConfigPostCode(); }

    // Drops the figures of the last pre-settlement; FIsInit stays.
    void Clear();

    IInsuranceHooks& Hooks() { return *FHooks; }

    bool FIsInit = false;
    double FTotalCash = 0;
    double FTotalYB = 0;
    double FAcctBala = 0;
    std::string FBalanceRetvalue;

protected:
    // Uninstalls the field functions and lets the module state forget this object.
    ~TVNPlugTrans() override;

private:
    std::unique_ptr<TBGFuncs> FBGFuncs;
    std::unique_ptr<IInsuranceHooks> FHooks;
};

} // namespace tkv
