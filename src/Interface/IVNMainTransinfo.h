// The host's transaction interfaces: the bill that a retail sale works on. The plug-in calls the
// reference from InitTransPlugin through the retail bill table.
#pragma once

#include "../framework/Variant.h"
#include "HostControl.h"
#include "Unknown.h"

#include <string>

namespace tkv {

struct IVNMainTransinfo : IInterface {
    virtual HostObject GetPrintGrid() = 0;
    virtual void BillPrint() = 0;
    virtual void AddPrintInfo(const std::string& name, const OleVariant& value) = 0;
};

struct IVNMainTrnas : IVNMainTransinfo {
    virtual void AddPayInfo(const std::string& name, double amount) = 0;
    virtual void AddPopMenu(const std::string& caption, std::int32_t actionId) = 0;
    virtual void ClearData() = 0;
    virtual void DeleteRow(std::int32_t row) = 0;
    virtual std::int32_t GetBillStatus() = 0;
    virtual double GetTotal() = 0;
    virtual bool SaveAndAudit() = 0;
    virtual bool SaveDraft() = 0;
    virtual std::int32_t BillType() = 0;
};

struct IVNMainTransBill : IVNMainTrnas {
    virtual HostObject VchGrid() = 0;
};

struct IVNMainBillTransRetail : IVNMainTrnas {
    virtual std::string GetBillCode() = 0;
    virtual HostObject BandGrid() = 0;
    virtual OleVariant GetIndexData() = 0;
    virtual OleVariant GetDetailData() = 0;
    virtual bool ShowAcctount(const OleVariant& account) = 0;
    virtual std::int32_t GetBillID() = 0;
};

extern const TGUID IID_IVNMainTransinfo;
extern const TGUID IID_IVNMainBillTransRetail;

} // namespace tkv
