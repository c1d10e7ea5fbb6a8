// The framework-object, report and retail bill objects of the reference host.
#include "HostObjects.h"

#include "framework/PlugParams.h"

#include <cstdio>

namespace tkv::host {

namespace {

template <class I> std::int32_t Answer(I* self, const TGUID& iid, const TGUID& own, void** obj) {
    *obj = nullptr;
    if (!(iid == IID_IUnknown) && !(iid == own))
        return E_NOINTERFACE;
    *obj = self;
    self->AddRef();
    return S_OK;
}

std::string Number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

} // namespace

std::int32_t TExistForm::QueryInterface(const TGUID& iid, void** obj) {
    return Answer<IExistForm>(this, iid, IID_IExistForm, obj);
}

std::int32_t TssReport::QueryInterface(const TGUID& iid, void** obj) {
    return Answer<IssReportIntf>(this, iid, IID_IssReportIntf, obj);
}

void TssReport::AddIntParam(const std::string& name, std::int32_t value) {
    calls_.push_back("AddIntParam:" + name + "=" + std::to_string(value));
}

void TssReport::AddFloatParam(const std::string& name, double value) {
    calls_.push_back("AddFloatParam:" + name + "=" + Number(value));
}

void TssReport::AddStringParam(const std::string& name, const std::string& value) {
    calls_.push_back("AddStringParam:" + name + "=" + value);
}

TRetailBill::TRetailBill(IHostUi& ui, std::string billCode, std::int32_t billId, double total,
                         OleVariant detailData, OleVariant indexData)
    : ui_(ui), billCode_(std::move(billCode)), billId_(billId), total_(total),
      detailData_(std::move(detailData)), indexData_(std::move(indexData)) {}

std::int32_t TRetailBill::QueryInterface(const TGUID& iid, void** obj) {
    if (iid == IID_IVNMainTransinfo) {
        *obj = static_cast<IVNMainTransinfo*>(this);
        AddRef();
        return S_OK;
    }
    return Answer<IVNMainBillTransRetail>(this, iid, IID_IVNMainBillTransRetail, obj);
}

void TRetailBill::AddPrintInfo(const std::string& name, const OleVariant& value) {
    calls_.push_back("AddPrintInfo:" + name + "=" + VarToStr(value));
}

void TRetailBill::AddPayInfo(const std::string& name, double amount) {
    calls_.push_back("AddPayInfo:" + name + "=" + Number(amount));
}

void TRetailBill::AddPopMenu(const std::string& caption, std::int32_t actionId) {
    calls_.push_back("AddPopMenu:" + caption + ":" + std::to_string(actionId));
}

void TRetailBill::ClearData() {
    calls_.push_back("ClearData");
    detailData_ = OleVariant::Null();
    total_ = 0;
    status_ = 0;
}

void TRetailBill::DeleteRow(std::int32_t row) {
    calls_.push_back("DeleteRow:" + std::to_string(row));
}

bool TRetailBill::SaveAndAudit() {
    calls_.push_back("SaveAndAudit");
    status_ = 2;
    return true;
}

bool TRetailBill::SaveDraft() {
    calls_.push_back("SaveDraft");
    status_ = 1;
    return true;
}

bool TRetailBill::ShowAcctount(const OleVariant& account) {
    const std::string summary = PlugParamsText(account);
    calls_.push_back("ShowAcctount:" + summary);
    return ui_.ConfirmPayments(summary);
}

} // namespace tkv::host
