// The retail bill's raw table, slot by slot.
#include "RetailBillTable.h"

#include "abi/AnsiString.h"
#include "abi/RawUnknown.h"
#include "abi/VariantMarshal.h"
#include "framework/PlugParams.h"

namespace tkv::workbench {

using namespace abi;

namespace {

struct Bill {
    RawTransinfo RawTransinfo_iface;
    LONG ref;
    std::shared_ptr<TSaleBill> sale;
    TConfirmPayments confirm;
    TErrorDisplay showError;
};
using BillUnknown = RawUnknown<RawTransinfo, Bill, IID_IVNMainBillTransRetail>;

Bill* B(RawObject* self) {
    return BillUnknown::From(reinterpret_cast<RawTransinfo*>(self));
}
TSaleBill& S(RawObject* self) {
    return *B(self)->sale;
}

// A host error never unwinds into the plug-in: it is shown and the slot answers its failure value.
template <class F, class R> R Slot(RawObject* self, F&& body, R failure) {
    return Hosted(B(self)->showError, std::forward<F>(body), failure);
}
template <class F> void Slot(RawObject* self, F&& body) {
    Hosted(B(self)->showError, std::forward<F>(body));
}

void* TKV_STDCALL Bill_GetPrintGrid(RawObject*) {
    return nullptr;
}
void TKV_STDCALL Bill_BillPrint(RawObject*) {}
void TKV_STDCALL Bill_AddPrintInfo(RawObject* self, AnsiChars name, VARIANT* value) {
    Slot(self, [&] { S(self).PrintInfo.push_back(FromAnsi(name) + "=" + VarToStr(FromVariant(value))); });
}
void TKV_STDCALL Bill_AddPayInfo(RawObject* self, AnsiChars name, double amount) {
    Slot(self, [&] { S(self).PayInfo.emplace_back(FromAnsi(name), amount); });
}
void TKV_STDCALL Bill_AddPopMenu(RawObject*, AnsiChars, std::int32_t) {}
void TKV_STDCALL Bill_ClearData(RawObject* self) {
    S(self).Total = 0;
    S(self).DetailData = OleVariant::Null();
}
void TKV_STDCALL Bill_DeleteRow(RawObject*, std::int32_t) {}
std::int32_t TKV_STDCALL Bill_GetBillStatus(RawObject* self) {
    return S(self).Status;
}
double TKV_STDCALL Bill_GetTotal(RawObject* self) {
    return S(self).Total;
}
Bool8 TKV_STDCALL Bill_SaveAndAudit(RawObject* self) {
    S(self).Status = 2;
    return 1;
}
Bool8 TKV_STDCALL Bill_SaveDraft(RawObject* self) {
    S(self).Status = 1;
    return 1;
}
std::int32_t TKV_STDCALL Bill_BillType(RawObject*) {
    return 151;
}
void TKV_STDCALL Bill_GetBillCode(AnsiChars* result, RawObject* self) {
    Slot(self, [&] { AnsiAssignUtf8(result, S(self).BillCode); });
}
void* TKV_STDCALL Bill_BandGrid(RawObject*) {
    return nullptr;
}
void TKV_STDCALL Bill_GetIndexData(VARIANT* result, RawObject* self) {
    Slot(self, [&] { AssignVariant(result, OleVariant::Null()); });
}
void TKV_STDCALL Bill_GetDetailData(VARIANT* result, RawObject* self) {
    Slot(self, [&] { AssignVariant(result, S(self).DetailData); });
}
Bool8 TKV_STDCALL Bill_ShowAcctount(RawObject* self, VARIANT* account) {
    return Slot(
        self,
        [&] {
            const std::string payments = PlugParamsText(FromVariant(account));
            return Bool8(B(self)->confirm && B(self)->confirm(payments) ? 1 : 0);
        },
        Bool8{0});
}
std::int32_t TKV_STDCALL Bill_GetBillID(RawObject* self) {
    return S(self).BillId;
}

const RawTransinfoVtbl Bill_Vtbl = {
    /*** IUnknown methods ***/
    QueryInterfaceSlot(BillUnknown::QueryInterface),
    RefCountSlot(BillUnknown::AddRef),
    RefCountSlot(BillUnknown::Release),
    /*** IVNMainTransinfo methods ***/
    Bill_GetPrintGrid,
    Bill_BillPrint,
    Bill_AddPrintInfo,
    /*** IVNMainTrnas methods ***/
    Bill_AddPayInfo,
    Bill_AddPopMenu,
    Bill_ClearData,
    Bill_DeleteRow,
    Bill_GetBillStatus,
    Bill_GetTotal,
    Bill_SaveAndAudit,
    Bill_SaveDraft,
    Bill_BillType,
    /*** IVNMainBillTransRetail methods ***/
    Bill_GetBillCode,
    Bill_BandGrid,
    Bill_GetIndexData,
    Bill_GetDetailData,
    Bill_ShowAcctount,
    Bill_GetBillID,
};

} // namespace

RawTransinfo* NewRetailBillTable(std::shared_ptr<TSaleBill> sale, TConfirmPayments confirm,
                                 TErrorDisplay showError) {
    auto* b = new Bill{{&Bill_Vtbl}, 1, std::move(sale), std::move(confirm), std::move(showError)};
    return &b->RawTransinfo_iface;
}

} // namespace tkv::workbench
