// The forwarding main interface and the record selection and lookup proxies.
#include "RemoteMainintf.h"

#include "HostMethods.h"
#include "Interface/HostControlValues.h"

#include <fstream>
#include <sstream>

namespace tkv::remote {

namespace {

OleVariant Texts(const StringArray& texts) {
    OleVariant::Array out;
    for (const std::string& t : texts)
        out.emplace_back(t);
    return OleVariant::VarArray(std::move(out));
}

OleVariant Values(const VariantArray& values) {
    return OleVariant::VarArray(values);
}

// The host forgets a handler when the last proxy of it goes.
class TRemoteHandler {
protected:
    TRemoteHandler(TRemoteEnd& end, std::int32_t id) : end_(end), id_(id) {}
    ~TRemoteHandler() {
        try {
            end_.Call(method::ReleaseHandler, {OleVariant(id_)});
        } catch (...) {
            // The connection is gone; so is the host's handler.
        }
    }
    TRemoteEnd& end_;
    std::int32_t id_;
};

class TRemoteSelectHandler final : public TInterfacedObject<IRecordSelectHandler>, TRemoteHandler {
public:
    TRemoteSelectHandler(TRemoteEnd& end, std::int32_t id) : TRemoteHandler(end, id) {}
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    TSelectResult SelectRecords(const TSelectRequest& r) override {
        const TValues out = end_.Call(
            method::SelectRecords, {OleVariant(id_), OleVariant(static_cast<std::int32_t>(r.BasicType)),
                                    OleVariant(static_cast<std::int32_t>(r.Mode)), OleVariant(r.SearchText),
                                    OleVariant(static_cast<std::int32_t>(r.SourceField)),
                                    OleVariant(r.OptInsert), OleVariant(r.OptRemember)});
        TSelectResult result;
        result.Count = Arg(out, 0).AsInteger();
        result.Records = RecordsFromVariant(Arg(out, 1));
        return result;
    }
};

class TRemoteBasicLookup final : public TInterfacedObject<IBasicDataLookup>, TRemoteHandler {
public:
    TRemoteBasicLookup(TRemoteEnd& end, std::int32_t id) : TRemoteHandler(end, id) {}
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    bool FindByRec(TBasicType type, std::int32_t rec, TBasicRecord& out) override {
        const TValues r =
            end_.Call(method::FindByRec,
                      {OleVariant(id_), OleVariant(static_cast<std::int32_t>(type)), OleVariant(rec)});
        if (!Arg(r, 0).AsBoolean())
            return false;
        out = RecordFromVariant(Arg(r, 1));
        return true;
    }
    bool FieldValue(TFieldsList field, std::int32_t rec, std::string& out) override {
        const TValues r =
            end_.Call(method::FieldValue,
                      {OleVariant(id_), OleVariant(static_cast<std::int32_t>(field)), OleVariant(rec)});
        if (!Arg(r, 0).AsBoolean())
            return false;
        out = Arg(r, 1).AsString();
        return true;
    }
};

class TRemoteMainintf final : public TInterfacedObject<IVNMainintf> {
public:
    TRemoteMainintf(TRemoteEnd& end, WindowHandle appHandle) : end_(end), appHandle_(appHandle) {}

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
        Call(method::AddAction, {OleVariant(actionId), OleVariant(caption)});
    }
    WindowHandle AppHandle() override { return appHandle_; }
    std::int32_t ExecuteProcByName(const std::string& procName, const StringArray& names,
                                   const VariantArray& values, OleVariant& outParams) override {
        const TValues r =
            Call(method::ExecuteProcByNameNames, {OleVariant(procName), Texts(names), Values(values)});
        outParams = Arg(r, 1);
        return Arg(r, 0).AsInteger();
    }
    std::int32_t ExecuteProcByName(const std::string& procName, const OleVariant& params,
                                   OleVariant& outParams) override {
        const TValues r = Call(method::ExecuteProcByNamePacket, {OleVariant(procName), params});
        outParams = Arg(r, 1);
        return Arg(r, 0).AsInteger();
    }
    bool ExecuteSQL(const std::string& sql) override { return Bool(method::ExecuteSQL, {OleVariant(sql)}); }
    bool ExecuteSQL(const std::string& sql, const VariantArray& constants) override {
        return Bool(method::ExecuteSQLConsts, {OleVariant(sql), Values(constants)});
    }
    std::string GetSettingControlNames(const std::string& formName) override {
        return Text(method::GetSettingControlNames, {OleVariant(formName)});
    }
    bool HasLimit(std::int32_t limitNo) override { return Bool(method::HasLimitNo, {OleVariant(limitNo)}); }
    bool HasLimit(const std::string& limitName) override {
        return Bool(method::HasLimitName, {OleVariant(limitName)});
    }
    std::string LastError() override { return Text(method::LastError, {}); }
    void LockScreen(bool lock) override { Call(method::LockScreen, {OleVariant(lock)}); }
    std::string LoginUserID() override { return Text(method::LoginUserID, {}); }
    std::string LoginUserName() override { return Text(method::LoginUserName, {}); }
    std::int32_t LoginUserREC() override { return Int(method::LoginUserREC, {}); }
    std::int32_t LoginPublicPosID() override { return Int(method::LoginPublicPosID, {}); }
    std::int32_t MessageBox(const std::string& text, const std::string& caption,
                            std::uint32_t flags) override {
        return Int(method::MessageBox, {OleVariant(text), OleVariant(caption), OleVariant::Int64(flags)});
    }
    std::int32_t OpenProcByName(const std::string& procName, const StringArray& names,
                                const VariantArray& values, OleVariant& resultSet,
                                OleVariant& outParams) override {
        const TValues r =
            Call(method::OpenProcByNameOutputs, {OleVariant(procName), Texts(names), Values(values)});
        resultSet = Arg(r, 1);
        outParams = Arg(r, 2);
        return Arg(r, 0).AsInteger();
    }
    std::int32_t OpenProcByName(const std::string& procName, const StringArray& names,
                                const VariantArray& values, OleVariant& resultSet) override {
        const TValues r =
            Call(method::OpenProcByNameNames, {OleVariant(procName), Texts(names), Values(values)});
        resultSet = Arg(r, 1);
        return Arg(r, 0).AsInteger();
    }
    std::int32_t OpenProcByName(const std::string& procName, const OleVariant& params,
                                OleVariant& resultSet) override {
        const TValues r = Call(method::OpenProcByNamePacket, {OleVariant(procName), params});
        resultSet = Arg(r, 1);
        return Arg(r, 0).AsInteger();
    }
    std::int32_t OpenProcByName(const std::string& procName, const OleVariant& params, OleVariant& resultSet,
                                OleVariant& outParams) override {
        const TValues r = Call(method::OpenProcByNamePacketOutputs, {OleVariant(procName), params});
        resultSet = Arg(r, 1);
        outParams = Arg(r, 2);
        return Arg(r, 0).AsInteger();
    }
    bool OpenSQL(const std::string& sql, const VariantArray& constants, OleVariant& resultSet) override {
        const TValues r = Call(method::OpenSQL, {OleVariant(sql), Values(constants)});
        resultSet = Arg(r, 1);
        return Arg(r, 0).AsBoolean();
    }
    bool OpenSql(const std::string& sql, OleVariant& resultSet) override {
        const TValues r = Call(method::OpenSql, {OleVariant(sql)});
        resultSet = Arg(r, 1);
        return Arg(r, 0).AsBoolean();
    }
    bool Question(const std::string& msg, const std::string& title) override {
        return Bool(method::Question, {OleVariant(msg), OleVariant(title)});
    }
    void RefIniPublicVar() override { Call(method::RefIniPublicVar, {}); }
    void RefMainCaption() override { Call(method::RefMainCaption, {}); }
    // The print item list is a framework object the host reads in place; the plug-in hands over an
    // empty one, so only the report and its data travel.
    void RunPrintManage(const std::string& templateName, TPrintItemList*, const OleVariant& data,
                        bool preview) override {
        Call(method::RunPrintManageData, {OleVariant(templateName), data, OleVariant(preview)});
    }
    void RunPrintManage(const std::string& templateName, TPrintItemList*, const VariantArray& datas,
                        bool preview) override {
        Call(method::RunPrintManageDatas, {OleVariant(templateName), Values(datas), OleVariant(preview)});
    }
    void RunPrintManage(const std::string& templateName, TPrintItemList*, bool preview) override {
        Call(method::RunPrintManageItems, {OleVariant(templateName), OleVariant(preview)});
    }
    bool SelectBaseic(TBasicType type, const std::string& searchText, OleVariant& selected) override {
        const TValues r = Call(method::SelectBaseic, {OleVariant(static_cast<std::int32_t>(type)),
                                                      OleVariant(searchText), selected});
        selected = Arg(r, 1);
        return Arg(r, 0).AsBoolean();
    }
    void SetSettingControlNames(const std::string& formName, const std::string& names) override {
        Call(method::SetSettingControlNames, {OleVariant(formName), OleVariant(names)});
    }
    void SetSubValue(const std::string& name, const OleVariant& value) override {
        Call(method::SetSubValue, {OleVariant(name), value});
    }
    void SetSysSettingControl(IHostControl* control) override { Prepare("SetSysSettingControl", control); }
    OleVariant SysCfgValue(const std::string& name) override {
        return Arg(Call(method::SysCfgValue, {OleVariant(name)}), 0);
    }
    void ViewBill(std::int32_t billType, std::int32_t billId, std::int32_t userRec, bool readOnly) override {
        Call(method::ViewBill,
             {OleVariant(billType), OleVariant(billId), OleVariant(userRec), OleVariant(readOnly)});
    }
    void ShowMsg(const std::string& msg, const std::string& title) override {
        Call(method::ShowMsg, {OleVariant(msg), OleVariant(title)});
    }
    void ShowError(const std::string& msg, const std::string& title) override {
        Call(method::ShowError, {OleVariant(msg), OleVariant(title)});
    }
    bool YesOrNo(const std::string& msg, const std::string& title) override {
        return Bool(method::YesOrNo, {OleVariant(msg), OleVariant(title)});
    }
    void InitGLabelBtnEdit(IHostControl* control) override { Prepare("InitGLabelBtnEdit", control); }
    void InitGLabelComBox(IHostControl* control) override { Prepare("InitGLabelComBox", control); }
    void InitVchGridClass(IHostControl* control) override { Prepare("InitVchGridClass", control); }
    void InitBandGrid(IHostControl* control) override { Prepare("InitBandGrid", control); }
    void InitGBitbtn(IHostControl* control) override { Prepare("InitGBitbtn", control); }
    void InitxwPanel(IHostControl* control) override { Prepare("InitxwPanel", control); }
    void InitLabelEdit(IHostControl* control) override { Prepare("InitLabelEdit", control); }
    // The script file lies on this side of the connection: its text goes to the host.
    bool UpdataSQLFromFile(const std::string& fileName) override {
        std::ifstream f(fileName, std::ios::binary);
        if (!f)
            return false;
        std::stringstream text;
        text << f.rdbuf();
        return ExecuteSQL(text.str());
    }
    std::string GetBasicLocalValue(TFieldsList field, const std::string& typeId) override {
        return Text(method::GetBasicLocalValue,
                    {OleVariant(static_cast<std::int32_t>(field)), OleVariant(typeId)});
    }
    void OpenYBRetail() override { Call(method::OpenYBRetail, {}); }
    void OpenYBRetailBack() override { Call(method::OpenYBRetailBack, {}); }
    void OpenCanleRetail() override { Call(method::OpenCanleRetail, {}); }
    bool SelectBilltypeList(OleVariant& selected) override {
        const TValues r = Call(method::SelectBilltypeList, {selected});
        selected = Arg(r, 1);
        return Arg(r, 0).AsBoolean();
    }
    OleVariant GetBillTypeList() override { return Arg(Call(method::GetBillTypeList, {}), 0); }
    bool SaveImage(const OleVariant& jpeg, std::int32_t& ordinal, std::string& fileName) override {
        const TValues r = Call(method::SaveImage, {jpeg, OleVariant(ordinal), OleVariant(fileName)});
        ordinal = Arg(r, 1).AsInteger();
        fileName = Arg(r, 2).AsString();
        return Arg(r, 0).AsBoolean();
    }
    void DeleteImage(std::int32_t ordinal, const std::string& fileName) override {
        Call(method::DeleteImage, {OleVariant(ordinal), OleVariant(fileName)});
    }
    void GetImage(OleVariant& picture, std::int32_t ordinal, const std::string& fileName) override {
        picture = Arg(Call(method::GetImage, {picture, OleVariant(ordinal), OleVariant(fileName)}), 0);
    }

private:
    TValues Call(const char* name, TValues args) { return end_.Call(name, std::move(args)); }
    bool Bool(const char* name, TValues args) { return Arg(Call(name, std::move(args)), 0).AsBoolean(); }
    std::int32_t Int(const char* name, TValues args) {
        return Arg(Call(name, std::move(args)), 0).AsInteger();
    }
    std::string Text(const char* name, TValues args) {
        return Arg(Call(name, std::move(args)), 0).AsString();
    }

    // The host prepares a stand-in of the control and answers the numbers of the record selection
    // and lookup it installed (0 for none); the control gets proxies of them.
    void Prepare(const char* how, IHostControl* control) {
        if (!control)
            return;
        const TValues r = Call(method::PrepareControl,
                               {OleVariant(how), OleVariant(static_cast<std::int32_t>(control->Kind())),
                                OleVariant(control->ClassName()), OleVariant(control->Name()),
                                OleVariant(static_cast<std::int32_t>(control->BasicType()))});
        if (const std::int32_t id = Arg(r, 0).AsInteger(); id > 0)
            control->SetSelectHandler(ComPtr<IRecordSelectHandler>(new TRemoteSelectHandler(end_, id)).Get());
        if (const std::int32_t id = Arg(r, 1).AsInteger(); id > 0)
            control->SetBasicLookup(ComPtr<IBasicDataLookup>(new TRemoteBasicLookup(end_, id)).Get());
    }

    TRemoteEnd& end_;
    WindowHandle appHandle_;
};

} // namespace

ComPtr<IVNMainintf> NewRemoteMainintf(TRemoteEnd& end, WindowHandle appHandle) {
    return ComPtr<IVNMainintf>(new TRemoteMainintf(end, appHandle));
}

} // namespace tkv::remote
