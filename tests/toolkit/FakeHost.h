// A host for the toolkit tests: records what the base dialog asks of it, installs a record-selection
// handler and a basic-data lookup into the selector edits it prepares (as the real host does), and
// shows its message boxes and questions through the installed runner.
#pragma once

#include "Interface/IExistForm.h"
#include "Interface/IVNMainintf.h"
#include "toolkit/FieldKinds.h"
#include "toolkit/FormRunner.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tkv::test {

// Basic records by kind and record number; the selection answers with a scripted record.
class FakeBasicData final : public TInterfacedObject<IRecordSelectHandler, IBasicDataLookup> {
public:
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    TSelectResult SelectRecords(const TSelectRequest& request) override {
        requests.push_back(request);
        TSelectResult r;
        if (nextAnswer) {
            r.Count = 1;
            r.Records.push_back(*nextAnswer);
        }
        return r;
    }
    bool FindByRec(TBasicType type, std::int32_t rec, TBasicRecord& out) override {
        auto it = records.find({type, rec});
        if (it == records.end())
            return false;
        out = it->second;
        return true;
    }
    bool FieldValue(TFieldsList field, std::int32_t rec, std::string& out) override {
        for (const auto& [key, record] : records)
            if (key.second == rec && FullNameField(key.first) == field) {
                out = record.FullName;
                return true;
            }
        return false;
    }
    void Add(TBasicType type, TBasicRecord record) { records[{type, record.Rec}] = record; }

    std::map<std::pair<TBasicType, std::int32_t>, TBasicRecord> records;
    std::optional<TBasicRecord> nextAnswer;
    std::vector<TSelectRequest> requests;
};

class FakeExistForm final : public TInterfacedObject<IExistForm> {
public:
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    std::vector<std::string> calls;
    // Each getter answers a distinct address so hand-overs can be told apart.
    char objects[23] = {};
#define TKV_GETTER(name, index)                                                                              \
    HostObject name() override {                                                                             \
        calls.push_back(#name);                                                                              \
        return &objects[index];                                                                              \
    }
    TKV_GETTER(GetBasicFieldConfigClass1, 0)
    TKV_GETTER(GetGBasicDataLocalClass1, 1)
    TKV_GETTER(GetBasicRecordAll_C1, 2)
    TKV_GETTER(GetxwConfigFile1, 3)
    TKV_GETTER(GetGGridFieldConfigClass1, 4)
    TKV_GETTER(GetSelectCostModeClass3, 5)
    TKV_GETTER(GetSelectVchtypeClass1, 6)
    TKV_GETTER(GetLimitData1, 7)
    TKV_GETTER(GetXwImageManClass1, 8)
    TKV_GETTER(GetXwColorManiData1, 9)
    TKV_GETTER(GetVchCalcClass1, 10)
    TKV_GETTER(GetFavoriteStockHandler1, 11)
    TKV_GETTER(GetXwSelfBasicTypeAccess1, 12)
    TKV_GETTER(GetXwLayoutAccess1, 13)
    TKV_GETTER(GetxwMenuDBHelpher1, 14)
    TKV_GETTER(GetxwFuncHandler1, 15)
    TKV_GETTER(GetxwFuncRelateHandler1, 16)
    TKV_GETTER(GetXwMsgAccess1, 17)
    TKV_GETTER(GetxwGridToolsPanelHelper1, 18)
    TKV_GETTER(GetxwAssitDataHelper1, 19)
    TKV_GETTER(GetXwLogLoad, 20)
    TKV_GETTER(GetXwLogAdd, 21)
    TKV_GETTER(GetFDateDBHelper, 22)
#undef TKV_GETTER
};

class FakeHost final : public TInterfacedObject<IVNMainintf> {
public:
    FakeHost() : data(new FakeBasicData) {}
    std::int32_t QueryInterface(const TGUID&, void** obj) override {
        *obj = nullptr;
        return E_NOINTERFACE;
    }

    std::vector<std::string> calls; // "InitBandGrid:MainGrid", ...
    ComPtr<FakeBasicData> data;
    WindowHandle appHandle = 0x1234;
    // A reference the host kept after preparing (a real host may keep one).
    std::vector<ComPtr<IHostControl>> kept;

    void AddAction(std::int32_t, const std::string&) override {}
    WindowHandle AppHandle() override { return appHandle; }
    std::int32_t ExecuteProcByName(const std::string&, const StringArray&, const VariantArray&,
                                   OleVariant&) override {
        return 0;
    }
    std::int32_t ExecuteProcByName(const std::string&, const OleVariant&, OleVariant&) override { return 0; }
    bool ExecuteSQL(const std::string&) override { return true; }
    bool ExecuteSQL(const std::string&, const VariantArray&) override { return true; }
    std::string GetSettingControlNames(const std::string&) override { return {}; }
    bool HasLimit(std::int32_t) override { return true; }
    bool HasLimit(const std::string&) override { return true; }
    std::string LastError() override { return {}; }
    void LockScreen(bool) override {}
    std::string LoginUserID() override { return "1"; }
    std::string LoginUserName() override { return "管理员"; }
    std::int32_t LoginUserREC() override { return 1; }
    std::int32_t LoginPublicPosID() override { return 0; }
    std::int32_t MessageBox(const std::string&, const std::string&, std::uint32_t) override { return 1; }
    std::int32_t OpenProcByName(const std::string&, const StringArray&, const VariantArray&, OleVariant&,
                                OleVariant&) override {
        return 0;
    }
    std::int32_t OpenProcByName(const std::string&, const StringArray&, const VariantArray&,
                                OleVariant&) override {
        return 0;
    }
    std::int32_t OpenProcByName(const std::string&, const OleVariant&, OleVariant&) override { return 0; }
    std::int32_t OpenProcByName(const std::string&, const OleVariant&, OleVariant&, OleVariant&) override {
        return 0;
    }
    bool OpenSQL(const std::string&, const VariantArray&, OleVariant&) override { return true; }
    bool OpenSql(const std::string&, OleVariant&) override { return true; }
    bool Question(const std::string& msg, const std::string& title) override {
        return FormRunner().AskQuestion(msg, title);
    }
    void RefIniPublicVar() override {}
    void RefMainCaption() override {}
    void RunPrintManage(const std::string&, TPrintItemList*, const OleVariant&, bool) override {}
    void RunPrintManage(const std::string&, TPrintItemList*, const VariantArray&, bool) override {}
    void RunPrintManage(const std::string&, TPrintItemList*, bool) override {}
    bool SelectBaseic(TBasicType, const std::string&, OleVariant&) override { return false; }
    void SetSettingControlNames(const std::string&, const std::string&) override {}
    void SetSubValue(const std::string&, const OleVariant&) override {}
    void SetSysSettingControl(IHostControl*) override {}
    OleVariant SysCfgValue(const std::string&) override { return {}; }
    void ViewBill(std::int32_t, std::int32_t, std::int32_t, bool) override {}
    void ShowMsg(const std::string& msg, const std::string& title) override {
        FormRunner().ShowMessage(TMessageKind::mkInformation, msg, title);
    }
    void ShowError(const std::string& msg, const std::string& title) override {
        FormRunner().ShowMessage(TMessageKind::mkError, msg, title);
    }
    bool YesOrNo(const std::string& msg, const std::string& title) override {
        return FormRunner().AskQuestion(msg, title);
    }
    void InitGLabelBtnEdit(IHostControl* control) override {
        Record("InitGLabelBtnEdit", control);
        control->SetSelectHandler(data.Get());
        control->SetBasicLookup(data.Get());
    }
    void InitGLabelComBox(IHostControl* control) override { Record("InitGLabelComBox", control); }
    void InitVchGridClass(IHostControl* control) override { Record("InitVchGridClass", control); }
    void InitBandGrid(IHostControl* control) override { Record("InitBandGrid", control); }
    void InitGBitbtn(IHostControl* control) override { Record("InitGBitbtn", control); }
    void InitxwPanel(IHostControl* control) override { Record("InitxwPanel", control); }
    void InitLabelEdit(IHostControl* control) override { Record("InitLabelEdit", control); }
    bool UpdataSQLFromFile(const std::string&) override { return true; }
    std::string GetBasicLocalValue(TFieldsList, const std::string&) override { return {}; }
    void OpenYBRetail() override {}
    void OpenYBRetailBack() override {}
    void OpenCanleRetail() override {}
    bool SelectBilltypeList(OleVariant&) override { return false; }
    OleVariant GetBillTypeList() override { return {}; }
    bool SaveImage(const OleVariant&, std::int32_t&, std::string&) override { return false; }
    void DeleteImage(std::int32_t, const std::string&) override {}
    // The picture store: what GetImage answers for an ordinal and file name; others keep the value.
    std::map<std::pair<std::int32_t, std::string>, OleVariant> images;
    void GetImage(OleVariant& picture, std::int32_t ordinal, const std::string& fileName) override {
        calls.push_back("GetImage:" + std::to_string(ordinal) + ":" + fileName);
        if (auto it = images.find({ordinal, fileName}); it != images.end())
            picture = it->second;
    }

private:
    void Record(const char* what, IHostControl* control) {
        calls.push_back(std::string(what) + ":" + control->Name());
        kept.emplace_back(control);
    }
};

} // namespace tkv::test
