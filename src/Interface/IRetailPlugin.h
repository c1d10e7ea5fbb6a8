// The transaction plug-in interface chain: IVNPlugin, IVNTransPlugin, IRetailBillPlugin and
// IRetailPlugin share one method table, in this order.
#pragma once

#include "../framework/Variant.h"
#include "HostControl.h"
#include "IExistForm.h"
#include "IVNMainTransinfo.h"
#include "IVNMainintf.h"
#include "Unknown.h"

#include <string>

namespace tkv {

struct IVNPlugin : IInterface {
    virtual void About() = 0;
    virtual bool CheckVersion(const std::string& MainVer) = 0;
    virtual std::string DownURL() = 0;
    virtual void ExecuteAction(std::int32_t AID) = 0;
    virtual std::string GetLastError() = 0;
    virtual std::int32_t GetLastErrorID() = 0;
    virtual void InitPlugin(IVNMainintf* mainIntf) = 0;
    virtual void InitTransPlugin(IVNMainTransinfo* transInfo) = 0;
    virtual void InitExistInterFace(IExistForm* AExistForm) = 0;
    virtual void InitReportInterFace(IssReportIntf* ssReportIntf) = 0;
    virtual void ClearPlugInfo() = 0;
};

struct IVNTransPlugin : IVNPlugin {
    virtual bool BeforeSave(OleVariant& Params) = 0;
    virtual bool AfterSave(OleVariant& Params) = 0;
    virtual bool BeforePrint(OleVariant& GridData, OleVariant& Params) = 0;
    virtual bool CheckData(OleVariant& Params) = 0;
    virtual bool CheckGridRow(std::int32_t ARow, OleVariant& Params) = 0;
    virtual void IniGridFields(HostObject AGrid) = 0;
};

struct IRetailBillPlugin : IVNTransPlugin {
    virtual bool BeforeVipCard(OleVariant& Params) = 0;
    virtual bool AfterVipCard(OleVariant& Params) = 0;
    virtual bool BeforePtyeInsert(OleVariant& Params) = 0;
    virtual bool AfterPtyeInsert(std::int32_t ARow, OleVariant& Params) = 0;
    virtual bool BeforeAcct(OleVariant& Params) = 0;
    virtual bool AfterAcct(OleVariant& Params) = 0;
};

struct IRetailPlugin : IRetailBillPlugin {
    virtual bool GetSBCard(OleVariant& Params) = 0;
    virtual void ShowSBCard() = 0;
    virtual bool ClearCardInfo() = 0;
    virtual bool ssEvaluateBalance() = 0;
    virtual bool ssBalance() = 0;
    virtual bool ssClearEvaluateBalance() = 0;
    virtual bool ssClearCloseMulAccount() = 0;
    virtual bool CanelBalance() = 0;
    virtual bool CheckCanUseSS() = 0;
    virtual bool ssNeedEvaluateBalance() = 0;
    virtual bool IsNeedReadCard() = 0;
    virtual bool IsNeedPtypDZ() = 0;
    virtual void ssPtypeDz() = 0;
    virtual OleVariant ssPrintItems() = 0;
    virtual bool IsNeedRetailBack() = 0;
    virtual void ssBalaInfo(OleVariant& Params) = 0;
    virtual bool ssInit() = 0;
    virtual bool ssFree() = 0;
    virtual bool ssConfig() = 0;
    virtual std::string GetConfigPostCode() = 0;
};

extern const TGUID IID_IVNPlugin;
extern const TGUID IID_IVNTransPlugin;
extern const TGUID IID_IRetailBillPlugin;
extern const TGUID IID_IRetailPlugin;

} // namespace tkv
