// The host object's calls, each doing what its name says in a small host.
#include "THostMain.h"

#include "db/HostDatabase.h"
#include "framework/DataSet.h"
#include "framework/Params.h"

#include <fstream>
#include <sstream>

namespace tkv::host {

namespace {

// The parameter packet's names and values, in packet order.
void SplitParams(const OleVariant& packet, StringArray& names, VariantArray& values) {
    TParams params;
    if (!UnpackParams(packet, params)) {
        if (packet.IsEmptyOrNull())
            return;
        throw HostError("参数包格式不正确");
    }
    for (int i = 0; i < params.Count(); ++i) {
        names.push_back(params.Items(i).Name);
        values.push_back(params.Items(i).Value);
    }
}

void CheckParallel(const std::string& procName, const StringArray& names, const VariantArray& values) {
    if (names.size() != values.size())
        throw HostError("存储过程" + procName + "的参数名与参数值个数不一致");
}

TReportTable TableOf(const OleVariant& data) {
    TReportTable table;
    TClientDataSet ds;
    ds.SetData(data);
    for (const auto& def : ds.FieldDefList())
        table.Columns.push_back(def.Name);
    for (int r = 0; r < ds.RecordCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < ds.FieldCount(); ++c)
            row.push_back(VarToStr(ds.Cell(r, c)));
        table.Rows.push_back(std::move(row));
    }
    return table;
}

} // namespace

THostMain::THostMain(HostDatabase& db, TPictureStore& pictures, TPrintManager& printer, IHostUi& ui)
    : db_(db), pictures_(pictures), printer_(printer), ui_(ui), basic_(db.Handle()) {}

void THostMain::SetLogin(std::string userId, std::string userName, std::int32_t userRec) {
    userId_ = std::move(userId);
    userName_ = std::move(userName);
    userRec_ = userRec;
}

std::int32_t THostMain::QueryInterface(const TGUID& iid, void** obj) {
    *obj = nullptr;
    if (!(iid == IID_IUnknown) && !(iid == IID_IVNMainintf))
        return E_NOINTERFACE;
    *obj = static_cast<IVNMainintf*>(this);
    AddRef();
    return S_OK;
}

template <class F> auto THostMain::Guard(F&& call) -> decltype(call()) {
    try {
        lastError_.clear();
        return call();
    } catch (const std::exception& e) {
        lastError_ = e.what();
        if (dynamic_cast<const HostError*>(&e))
            throw;
        // Errors of the packets and variants reach the plug-in as host errors too.
        throw HostError(e.what());
    }
}

void THostMain::AddAction(std::int32_t actionId, const std::string& caption) {
    actions_.push_back("AddAction:" + std::to_string(actionId) + ":" + caption);
}

std::int32_t THostMain::ExecuteProcByName(const std::string& procName, const StringArray& names,
                                          const VariantArray& values, OleVariant& outParams) {
    return Guard([&] {
        CheckParallel(procName, names, values);
        return db_.CallProcedure(procName, names, values, nullptr, &outParams);
    });
}

std::int32_t THostMain::ExecuteProcByName(const std::string& procName, const OleVariant& params,
                                          OleVariant& outParams) {
    return Guard([&] {
        StringArray names;
        VariantArray values;
        SplitParams(params, names, values);
        return db_.CallProcedure(procName, names, values, nullptr, &outParams);
    });
}

bool THostMain::ExecuteSQL(const std::string& sql) {
    return Guard([&] {
        db_.Exec(sql);
        return true;
    });
}

bool THostMain::ExecuteSQL(const std::string& sql, const VariantArray& constants) {
    return Guard([&] {
        db_.Exec(sql, constants);
        return true;
    });
}

std::string THostMain::GetSettingControlNames(const std::string& formName) {
    auto it = settingControlNames_.find(formName);
    return it == settingControlNames_.end() ? std::string() : it->second;
}

void THostMain::SetSettingControlNames(const std::string& formName, const std::string& names) {
    settingControlNames_[formName] = names;
}

void THostMain::LockScreen(bool lock) {
    actions_.push_back(lock ? "LockScreen:1" : "LockScreen:0");
}

std::int32_t THostMain::MessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
    return ui_.Box(text, caption, flags);
}

std::int32_t THostMain::OpenProcByName(const std::string& procName, const StringArray& names,
                                       const VariantArray& values, OleVariant& resultSet,
                                       OleVariant& outParams) {
    return Guard([&] {
        CheckParallel(procName, names, values);
        return db_.CallProcedure(procName, names, values, &resultSet, &outParams);
    });
}

std::int32_t THostMain::OpenProcByName(const std::string& procName, const StringArray& names,
                                       const VariantArray& values, OleVariant& resultSet) {
    return Guard([&] {
        CheckParallel(procName, names, values);
        return db_.CallProcedure(procName, names, values, &resultSet, nullptr);
    });
}

std::int32_t THostMain::OpenProcByName(const std::string& procName, const OleVariant& params,
                                       OleVariant& resultSet) {
    OleVariant ignored;
    return OpenProcByName(procName, params, resultSet, ignored);
}

std::int32_t THostMain::OpenProcByName(const std::string& procName, const OleVariant& params,
                                       OleVariant& resultSet, OleVariant& outParams) {
    return Guard([&] {
        StringArray names;
        VariantArray values;
        SplitParams(params, names, values);
        return db_.CallProcedure(procName, names, values, &resultSet, &outParams);
    });
}

bool THostMain::OpenSQL(const std::string& sql, const VariantArray& constants, OleVariant& resultSet) {
    return Guard([&] {
        resultSet = db_.Query(sql, constants);
        return true;
    });
}

bool THostMain::OpenSql(const std::string& sql, OleVariant& resultSet) {
    return Guard([&] {
        resultSet = db_.Query(sql);
        return true;
    });
}

void THostMain::RefIniPublicVar() {
    actions_.push_back("RefIniPublicVar");
}
void THostMain::RefMainCaption() {
    actions_.push_back("RefMainCaption");
}

void THostMain::PrintPacket(const std::string& templateName, const OleVariant& data) {
    printer_.Print(templateName, TableOf(data));
}

void THostMain::RunPrintManage(const std::string& templateName, TPrintItemList* items, const OleVariant& data,
                               bool preview) {
    Guard([&] { PrintPacket(templateName, data); });
}

void THostMain::RunPrintManage(const std::string& templateName, TPrintItemList* items,
                               const VariantArray& datas, bool preview) {
    Guard([&] {
        for (const auto& data : datas)
            PrintPacket(templateName, data);
    });
}

void THostMain::RunPrintManage(const std::string& templateName, TPrintItemList* items, bool preview) {
    Guard([&] { printer_.Print(templateName, TReportTable{}); });
}

bool THostMain::SelectBaseic(TBasicType type, const std::string& searchText, OleVariant& selected) {
    return Guard([&] {
        const std::vector<TBasicRecord> found = basic_.Search(type, searchText);
        if (found.empty())
            return false;
        const int pick = ui_.ChooseRecord("选择", found);
        if (pick < 0)
            return false;
        const TBasicRecord& r = found[static_cast<std::size_t>(pick)];
        selected = OleVariant::VarArray({OleVariant(r.TypeId), OleVariant(r.Rec), OleVariant(r.FullName)});
        return true;
    });
}

void THostMain::SetSubValue(const std::string& name, const OleVariant& value) {
    sysCfg_[name] = value;
}

void THostMain::SetSysSettingControl(IHostControl* control) {
    Prepare("SetSysSettingControl", control);
}

OleVariant THostMain::SysCfgValue(const std::string& name) {
    auto it = sysCfg_.find(name);
    return it == sysCfg_.end() ? OleVariant::Null() : it->second;
}

void THostMain::ViewBill(std::int32_t billType, std::int32_t billId, std::int32_t userRec, bool readOnly) {
    viewed_.push_back({billType, billId, userRec, readOnly});
}

void THostMain::Prepare(const char* how, IHostControl* control) {
    if (!control)
        return;
    prepared_.push_back(std::string(how) + ":" + control->Name());
    if (control->Kind() == THostControlKind::ckSelectorEdit) {
        control->SetSelectHandler(ComPtr<IRecordSelectHandler>(NewRecordSelectHandler(basic_, ui_)).Get());
        control->SetBasicLookup(ComPtr<IBasicDataLookup>(NewBasicDataLookup(basic_)).Get());
    }
}

bool THostMain::UpdataSQLFromFile(const std::string& fileName) {
    std::ifstream f(fileName, std::ios::binary);
    if (!f)
        return false;
    std::stringstream ss;
    ss << f.rdbuf();
    return ExecuteSQL(ss.str());
}

std::string THostMain::GetBasicLocalValue(TFieldsList field, const std::string& typeId) {
    return Guard([&] { return basic_.FieldByTypeId(field, typeId).value_or(std::string()); });
}

bool THostMain::SelectBilltypeList(OleVariant& selected) {
    return Guard([&] {
        OleVariant list = db_.Query("SELECT billtype, billname FROM BillType ORDER BY billtype");
        TClientDataSet ds;
        ds.SetData(list);
        if (ds.RecordCount() == 0)
            return false;
        std::vector<TBasicRecord> candidates;
        for (int r = 0; r < ds.RecordCount(); ++r)
            candidates.push_back(
                {VarToStr(ds.Cell(r, 0)), ds.Cell(r, 0).AsInteger(), VarToStr(ds.Cell(r, 1)), "", 0});
        const int pick = ui_.ChooseRecord("选择单据类型", candidates);
        if (pick < 0)
            return false;
        selected = OleVariant(candidates[static_cast<std::size_t>(pick)].Rec);
        return true;
    });
}

OleVariant THostMain::GetBillTypeList() {
    return Guard([&] { return db_.Query("SELECT billtype, billname FROM BillType ORDER BY billtype"); });
}

// A picture the store does not take answers ordinal 0 and no file name, so that values left in
// the caller's variables from an earlier picture are never registered for this one.
bool THostMain::SaveImage(const OleVariant& jpeg, std::int32_t& ordinal, std::string& fileName) {
    ordinal = 0;
    fileName.clear();
    return Guard([&] { return jpeg.IsByteArray() && pictures_.Save(jpeg.AsBytes(), ordinal, fileName); });
}

void THostMain::DeleteImage(std::int32_t ordinal, const std::string& fileName) {
    Guard([&] { pictures_.Remove(ordinal, fileName); });
}

void THostMain::GetImage(OleVariant& picture, std::int32_t ordinal, const std::string& fileName) {
    Guard([&] {
        if (auto bytes = pictures_.Load(ordinal, fileName))
            picture = OleVariant::ByteArray(std::move(*bytes));
    });
}

} // namespace tkv::host
