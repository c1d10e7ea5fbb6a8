// Each method converts its arguments to the boundary forms, calls the host's slot and converts the
// answer back. Strings that the plug-in hands over are released after the call; slots the host
// fills start empty and are released after they were read.
#include "MainintfAdapter.h"

#include "AnsiString.h"
#include "FrameworkPrintItems.h"
#include "HostAdapter.h"
#include "HostControlTable.h"
#include "VariantMarshal.h"
#include "WideString.h"

#include <memory>
#include <vector>

namespace tkv::abi {
namespace {

// An open array of String built from UTF-8 texts.
class AnsiOpenArray {
public:
    explicit AnsiOpenArray(const StringArray& texts) {
        items_.reserve(texts.size());
        for (const std::string& t : texts)
            items_.push_back(std::make_unique<AnsiArg>(t));
        for (const auto& a : items_)
            chars_.push_back(a->Get());
    }
    AnsiChars* Data() { return chars_.data(); }
    std::int32_t High() const { return static_cast<std::int32_t>(chars_.size()) - 1; }

private:
    std::vector<std::unique_ptr<AnsiArg>> items_;
    std::vector<AnsiChars> chars_;
};

// A control for one host call, as the raw control table.
class ControlArg {
public:
    explicit ControlArg(IHostControl* control) : table_(NewHostControlTable(control)) {}
    ~ControlArg() { ReleaseHostControlTable(table_); }
    ControlArg(const ControlArg&) = delete;
    ControlArg& operator=(const ControlArg&) = delete;
    RawObject* Get() const { return table_; }

private:
    RawObject* table_;
};

class MainintfAdapter final : public TInterfacedObject<IVNMainintf> {
public:
    explicit MainintfAdapter(RawMainintf* raw) : host_(raw) {}

    std::int32_t QueryInterface(const TGUID& iid, void** obj) override {
        if (iid == IID_IVNMainintf || iid == IID_IUnknown) {
            AddRef();
            *obj = static_cast<IVNMainintf*>(this);
            return S_OK;
        }
        *obj = nullptr;
        return E_NOINTERFACE;
    }

    void AddAction(std::int32_t actionId, const std::string& caption) override {
        AnsiArg c(caption);
        V()->AddAction(O(), actionId, c.Get());
    }
    WindowHandle AppHandle() override { return V()->AppHandle(O()); }
    std::int32_t ExecuteProcByName(const std::string& procName, const StringArray& names,
                                   const VariantArray& values, OleVariant& outParams) override {
        AnsiArg p(procName);
        AnsiOpenArray n(names);
        VariantOpenArray v(values);
        VariantArg out;
        const std::int32_t r =
            V()->ExecuteProcByNameNames(O(), p.Get(), n.Data(), n.High(), v.Data(), v.High(), out.Get());
        outParams = out.Value();
        return r;
    }
    std::int32_t ExecuteProcByName(const std::string& procName, const OleVariant& params,
                                   OleVariant& outParams) override {
        AnsiArg p(procName);
        VariantArg in(params), out;
        const std::int32_t r = V()->ExecuteProcByNamePacket(O(), p.Get(), in.Get(), out.Get());
        outParams = out.Value();
        return r;
    }
    bool ExecuteSQL(const std::string& sql) override {
        BstrArg s(sql);
        return V()->ExecuteSQLText(O(), s.Get()) != 0;
    }
    bool ExecuteSQL(const std::string& sql, const VariantArray& constants) override {
        BstrArg s(sql);
        VariantOpenArray c(constants);
        return V()->ExecuteSQLConsts(O(), s.Get(), c.Data(), c.High()) != 0;
    }
    std::string GetSettingControlNames(const std::string& formName) override {
        AnsiArg f(formName);
        AnsiSlot r;
        V()->GetSettingControlNames(r.Out(), O(), f.Get());
        return r.Utf8();
    }
    bool HasLimit(std::int32_t limitNo) override { return V()->HasLimitNo(O(), limitNo) != 0; }
    bool HasLimit(const std::string& limitName) override {
        AnsiArg n(limitName);
        return V()->HasLimitName(O(), n.Get()) != 0;
    }
    std::string LastError() override {
        AnsiSlot r;
        V()->LastError(r.Out(), O());
        return r.Utf8();
    }
    void LockScreen(bool lock) override { V()->LockScreen(O(), ToBool8(lock)); }
    std::string LoginUserID() override {
        AnsiSlot r;
        V()->LoginUserID(r.Out(), O());
        return r.Utf8();
    }
    std::string LoginUserName() override {
        BstrSlot r;
        V()->LoginUserName(r.Out(), O());
        return r.Utf8();
    }
    std::int32_t LoginUserREC() override { return V()->LoginUserREC(O()); }
    std::int32_t LoginPublicPosID() override { return V()->LoginPublicPosID(O()); }
    std::int32_t MessageBox(const std::string& text, const std::string& caption,
                            std::uint32_t flags) override {
        AnsiArg t(text), c(caption);
        return V()->MessageBox(O(), t.Get(), c.Get(), flags);
    }
    std::int32_t OpenProcByName(const std::string& procName, const StringArray& names,
                                const VariantArray& values, OleVariant& resultSet,
                                OleVariant& outParams) override {
        AnsiArg p(procName);
        AnsiOpenArray n(names);
        VariantOpenArray v(values);
        VariantArg rs, out;
        const std::int32_t r = V()->OpenProcByNameOutputs(O(), p.Get(), n.Data(), n.High(), v.Data(),
                                                          v.High(), rs.Get(), out.Get());
        resultSet = rs.Value();
        outParams = out.Value();
        return r;
    }
    std::int32_t OpenProcByName(const std::string& procName, const StringArray& names,
                                const VariantArray& values, OleVariant& resultSet) override {
        AnsiArg p(procName);
        AnsiOpenArray n(names);
        VariantOpenArray v(values);
        VariantArg rs;
        const std::int32_t r =
            V()->OpenProcByNameNames(O(), p.Get(), n.Data(), n.High(), v.Data(), v.High(), rs.Get());
        resultSet = rs.Value();
        return r;
    }
    std::int32_t OpenProcByName(const std::string& procName, const OleVariant& params,
                                OleVariant& resultSet) override {
        AnsiArg p(procName);
        VariantArg in(params), rs;
        const std::int32_t r = V()->OpenProcByNamePacket(O(), p.Get(), in.Get(), rs.Get());
        resultSet = rs.Value();
        return r;
    }
    std::int32_t OpenProcByName(const std::string& procName, const OleVariant& params, OleVariant& resultSet,
                                OleVariant& outParams) override {
        AnsiArg p(procName);
        VariantArg in(params), rs, out;
        const std::int32_t r = V()->OpenProcByNamePacketOutputs(O(), p.Get(), in.Get(), rs.Get(), out.Get());
        resultSet = rs.Value();
        outParams = out.Value();
        return r;
    }
    bool OpenSQL(const std::string& sql, const VariantArray& constants, OleVariant& resultSet) override {
        BstrArg s(sql);
        VariantOpenArray c(constants);
        VariantArg rs;
        const bool r = V()->OpenSQL(O(), s.Get(), c.Data(), c.High(), rs.Get()) != 0;
        resultSet = rs.Value();
        return r;
    }
    bool OpenSql(const std::string& sql, OleVariant& resultSet) override {
        BstrArg s(sql);
        VariantArg rs;
        const bool r = V()->OpenSql(O(), s.Get(), rs.Get()) != 0;
        resultSet = rs.Value();
        return r;
    }
    bool Question(const std::string& msg, const std::string& title) override {
        AnsiArg m(msg), t(title);
        return V()->Question(O(), m.Get(), t.Get()) != 0;
    }
    void RefIniPublicVar() override { V()->RefIniPublicVar(O()); }
    void RefMainCaption() override { V()->RefMainCaption(O()); }
    // The print item list crosses as the framework object that the host reads in place; a real
    // (possibly empty) list every time, never null.
    void RunPrintManage(const std::string& templateName, TPrintItemList* items, const OleVariant& data,
                        bool preview) override {
        AnsiArg t(templateName);
        FrameworkPrintItemsArg i(items);
        VariantArg d(data);
        V()->RunPrintManageData(O(), t.Get(), i.Get(), d.Get(), ToBool8(preview));
    }
    void RunPrintManage(const std::string& templateName, TPrintItemList* items, const VariantArray& datas,
                        bool preview) override {
        AnsiArg t(templateName);
        FrameworkPrintItemsArg i(items);
        VariantOpenArray d(datas);
        V()->RunPrintManageDatas(O(), t.Get(), i.Get(), d.Data(), d.High(), ToBool8(preview));
    }
    void RunPrintManage(const std::string& templateName, TPrintItemList* items, bool preview) override {
        AnsiArg t(templateName);
        FrameworkPrintItemsArg i(items);
        V()->RunPrintManageItems(O(), t.Get(), i.Get(), ToBool8(preview));
    }
    bool SelectBaseic(TBasicType type, const std::string& searchText, OleVariant& selected) override {
        AnsiArg s(searchText);
        VariantArg sel(selected);
        const bool r = V()->SelectBaseic(O(), type, s.Get(), sel.Get()) != 0;
        selected = sel.Value();
        return r;
    }
    void SetSettingControlNames(const std::string& formName, const std::string& names) override {
        AnsiArg f(formName), n(names);
        V()->SetSettingControlNames(O(), f.Get(), n.Get());
    }
    void SetSubValue(const std::string& name, const OleVariant& value) override {
        AnsiArg n(name);
        VariantArg v(value);
        V()->SetSubValue(O(), n.Get(), v.Get());
    }
    void SetSysSettingControl(IHostControl* control) override {
        V()->SetSysSettingControl(O(), ControlArg(control).Get());
    }
    OleVariant SysCfgValue(const std::string& name) override {
        AnsiArg n(name);
        VariantArg r;
        V()->SysCfgValue(r.Get(), O(), n.Get());
        return r.Value();
    }
    void ViewBill(std::int32_t billType, std::int32_t billId, std::int32_t userRec, bool readOnly) override {
        V()->ViewBill(O(), billType, billId, userRec, ToBool8(readOnly));
    }
    void ShowMsg(const std::string& msg, const std::string& title) override {
        AnsiArg m(msg), t(title);
        V()->ShowMsg(O(), m.Get(), t.Get());
    }
    void ShowError(const std::string& msg, const std::string& title) override {
        AnsiArg m(msg), t(title);
        V()->ShowError(O(), m.Get(), t.Get());
    }
    bool YesOrNo(const std::string& msg, const std::string& title) override {
        AnsiArg m(msg), t(title);
        return V()->YesOrNo(O(), m.Get(), t.Get()) != 0;
    }
    // Controls travel as the raw control table.
    void InitGLabelBtnEdit(IHostControl* control) override {
        V()->InitGLabelBtnEdit(O(), ControlArg(control).Get());
    }
    void InitGLabelComBox(IHostControl* control) override {
        V()->InitGLabelComBox(O(), ControlArg(control).Get());
    }
    void InitVchGridClass(IHostControl* control) override {
        V()->InitVchGridClass(O(), ControlArg(control).Get());
    }
    void InitBandGrid(IHostControl* control) override { V()->InitBandGrid(O(), ControlArg(control).Get()); }
    void InitGBitbtn(IHostControl* control) override { V()->InitGBitbtn(O(), ControlArg(control).Get()); }
    void InitxwPanel(IHostControl* control) override { V()->InitxwPanel(O(), ControlArg(control).Get()); }
    void InitLabelEdit(IHostControl* control) override { V()->InitLabelEdit(O(), ControlArg(control).Get()); }
    bool UpdataSQLFromFile(const std::string& fileName) override {
        AnsiArg f(fileName);
        return V()->UpdataSQLFromFile(O(), f.Get()) != 0;
    }
    std::string GetBasicLocalValue(TFieldsList field, const std::string& typeId) override {
        AnsiArg t(typeId);
        BstrSlot r;
        V()->GetBasicLocalValue(r.Out(), O(), field, t.Get());
        return r.Utf8();
    }
    void OpenYBRetail() override { V()->OpenYBRetail(O()); }
    void OpenYBRetailBack() override { V()->OpenYBRetailBack(O()); }
    void OpenCanleRetail() override { V()->OpenCanleRetail(O()); }
    bool SelectBilltypeList(OleVariant& selected) override {
        VariantArg sel(selected);
        const bool r = V()->SelectBilltypeList(O(), sel.Get()) != 0;
        selected = sel.Value();
        return r;
    }
    OleVariant GetBillTypeList() override {
        VariantArg r;
        V()->GetBillTypeList(r.Get(), O());
        return r.Value();
    }
    bool SaveImage(const OleVariant& jpeg, std::int32_t& ordinal, std::string& fileName) override {
        VariantArg j(jpeg);
        AnsiSlot f(fileName);
        std::int32_t ord = ordinal;
        const bool r = V()->SaveImage(O(), j.Get(), &ord, f.Out()) != 0;
        ordinal = ord;
        fileName = f.Utf8();
        return r;
    }
    void DeleteImage(std::int32_t ordinal, const std::string& fileName) override {
        AnsiArg f(fileName);
        V()->DeleteImage(O(), ordinal, f.Get());
    }
    void GetImage(OleVariant& picture, std::int32_t ordinal, const std::string& fileName) override {
        VariantArg p(picture);
        AnsiArg f(fileName);
        V()->GetImage(O(), p.Get(), ordinal, f.Get());
        picture = p.Value();
    }

private:
    const RawMainintfVtbl* V() const { return host_.Vtbl(); }
    RawObject* O() const { return host_.Object(); }

    HostReference<RawMainintf> host_;
};

} // namespace

ComPtr<IVNMainintf> WrapMainintf(RawMainintf* raw) {
    if (!raw)
        return nullptr;
    return ComPtr<IVNMainintf>(new MainintfAdapter(raw));
}

} // namespace tkv::abi
