// Each method converts its arguments, calls the host's slot and converts the answer back.
#include "TransinfoAdapter.h"

#include "AnsiString.h"
#include "HostAdapter.h"
#include "VariantMarshal.h"

namespace tkv::abi {
namespace {

class TransinfoAdapter final : public TInterfacedObject<IVNMainBillTransRetail> {
public:
    explicit TransinfoAdapter(RawTransinfo* raw) : host_(raw) {}

    std::int32_t QueryInterface(const TGUID& iid, void** obj) override {
        if (iid == IID_IVNMainBillTransRetail || iid == IID_IVNMainTransinfo || iid == IID_IUnknown) {
            AddRef();
            *obj = static_cast<IVNMainBillTransRetail*>(this);
            return S_OK;
        }
        *obj = nullptr;
        return E_NOINTERFACE;
    }

    HostObject GetPrintGrid() override { return V()->GetPrintGrid(O()); }
    void BillPrint() override { V()->BillPrint(O()); }
    void AddPrintInfo(const std::string& name, const OleVariant& value) override {
        AnsiArg n(name);
        VariantArg v(value);
        V()->AddPrintInfo(O(), n.Get(), v.Get());
    }
    void AddPayInfo(const std::string& name, double amount) override {
        AnsiArg n(name);
        V()->AddPayInfo(O(), n.Get(), amount);
    }
    void AddPopMenu(const std::string& caption, std::int32_t actionId) override {
        AnsiArg c(caption);
        V()->AddPopMenu(O(), c.Get(), actionId);
    }
    void ClearData() override { V()->ClearData(O()); }
    void DeleteRow(std::int32_t row) override { V()->DeleteRow(O(), row); }
    std::int32_t GetBillStatus() override { return V()->GetBillStatus(O()); }
    double GetTotal() override { return V()->GetTotal(O()); }
    bool SaveAndAudit() override { return V()->SaveAndAudit(O()) != 0; }
    bool SaveDraft() override { return V()->SaveDraft(O()) != 0; }
    std::int32_t BillType() override { return V()->BillType(O()); }
    std::string GetBillCode() override {
        AnsiSlot r;
        V()->GetBillCode(r.Out(), O());
        return r.Utf8();
    }
    HostObject BandGrid() override { return V()->BandGrid(O()); }
    OleVariant GetIndexData() override {
        VariantArg r;
        V()->GetIndexData(r.Get(), O());
        return r.Value();
    }
    OleVariant GetDetailData() override {
        VariantArg r;
        V()->GetDetailData(r.Get(), O());
        return r.Value();
    }
    bool ShowAcctount(const OleVariant& account) override {
        VariantArg a(account);
        return V()->ShowAcctount(O(), a.Get()) != 0;
    }
    std::int32_t GetBillID() override { return V()->GetBillID(O()); }

private:
    const RawTransinfoVtbl* V() const { return host_.Vtbl(); }
    RawObject* O() const { return host_.Object(); }

    HostReference<RawTransinfo> host_;
};

} // namespace

ComPtr<IVNMainBillTransRetail> WrapTransinfo(RawTransinfo* raw) {
    if (!raw)
        return nullptr;
    return ComPtr<IVNMainBillTransRetail>(new TransinfoAdapter(raw));
}

} // namespace tkv::abi
