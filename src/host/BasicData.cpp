// Basic records straight from the host database's tables, with bound parameters only: the search
// text is never part of the SQL.
#include "BasicData.h"

#include "HostUi.h"
#include "db/Sqlite.h"

namespace tkv::host {

namespace {

// Which column of which kind each field shows (the fields that the controls, the grids and the
// insurance line upload read).
struct FieldColumn {
    TFieldsList Field;
    TBasicType Type;
    const char* Column;
};
constexpr FieldColumn kFieldColumns[] = {
    {flPTypeid, btPtype, "typeid"},
    {flPSonnum, btPtype, "0"},
    {flPRec, btPtype, "rec"},
    {flPFullName, btPtype, "fullname"},
    {flPUserCode, btPtype, "usercode"},
    {26, btPtype, "Unit1"},
    {27, btPtype, "Unit2"},
    {28, btPtype, "standard"},
    {29, btPtype, "type"},
    {73, btPtype, "TinyUnit"},
    {117, btPtype, "Unit3"},
    {flBtypeid, btBtype, "typeid"},
    {flBSonnum, btBtype, "0"},
    {flBRec, btBtype, "rec"},
    {flBFullName, btBtype, "fullname"},
    {flBUserCode, btBtype, "usercode"},
    {flEtypeid, btEtype, "typeid"},
    {flESonnum, btEtype, "0"},
    {flERec, btEtype, "rec"},
    {flEFullName, btEtype, "fullname"},
    {flEUserCode, btEtype, "usercode"},
    {flKtypeid, btKtype, "typeid"},
    {flKSonnum, btKtype, "0"},
    {flKRec, btKtype, "rec"},
    {flKFullName, btKtype, "fullname"},
    {flKUserCode, btKtype, "usercode"},
};

const FieldColumn* ColumnOf(TFieldsList field) {
    for (const auto& fc : kFieldColumns)
        if (fc.Field == field)
            return &fc;
    return nullptr;
}

const char* kRecordColumns = "typeid, rec, fullname, usercode";

TBasicRecord RecordOf(const Statement& st) {
    return {st.ColumnText(0), static_cast<std::int32_t>(st.ColumnInt(1)), st.ColumnText(2), st.ColumnText(3),
            0};
}

// The text as a LIKE pattern matched literally, with "\" as escape character.
std::string LikeContains(const std::string& text) {
    std::string p = "%";
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\')
            p.push_back('\\');
        p.push_back(c);
    }
    return p + "%";
}

const char* KindCaption(TBasicType type) {
    switch (type) {
    case btPtype:
        return "商品";
    case btBtype:
        return "单位";
    case btEtype:
        return "职员";
    case btKtype:
        return "仓库";
    default:
        return "";
    }
}

class TRecordSelectHandler : public TInterfacedObject<IRecordSelectHandler> {
public:
    TRecordSelectHandler(const TBasicData& data, IHostUi& ui) : data_(data), ui_(ui) {}
    std::int32_t QueryInterface(const TGUID& iid, void** obj) override {
        *obj = nullptr;
        if (!(iid == IID_IUnknown))
            return E_NOINTERFACE;
        *obj = static_cast<IRecordSelectHandler*>(this);
        AddRef();
        return S_OK;
    }
    TSelectResult SelectRecords(const TSelectRequest& request) override {
        TSelectResult result;
        const std::vector<TBasicRecord> found = data_.Search(request.BasicType, request.SearchText);
        if (found.empty())
            return result;
        const int pick = ui_.ChooseRecord(std::string("选择") + KindCaption(request.BasicType), found);
        if (pick < 0)
            return result;
        result.Count = 1;
        result.Records.push_back(found[static_cast<std::size_t>(pick)]);
        return result;
    }

private:
    const TBasicData& data_;
    IHostUi& ui_;
};

class TBasicDataLookup : public TInterfacedObject<IBasicDataLookup> {
public:
    explicit TBasicDataLookup(const TBasicData& data) : data_(data) {}
    std::int32_t QueryInterface(const TGUID& iid, void** obj) override {
        *obj = nullptr;
        if (!(iid == IID_IUnknown))
            return E_NOINTERFACE;
        *obj = static_cast<IBasicDataLookup*>(this);
        AddRef();
        return S_OK;
    }
    bool FindByRec(TBasicType type, std::int32_t rec, TBasicRecord& out) override {
        auto r = data_.FindByRec(type, rec);
        if (r)
            out = *r;
        return r.has_value();
    }
    bool FieldValue(TFieldsList field, std::int32_t rec, std::string& out) override {
        auto v = data_.FieldByRec(field, rec);
        if (v)
            out = *v;
        return v.has_value();
    }

private:
    const TBasicData& data_;
};

} // namespace

const char* TBasicData::TableOf(TBasicType type) {
    switch (type) {
    case btPtype:
        return "ptype";
    case btBtype:
        return "btype";
    case btEtype:
        return "etype";
    case btKtype:
        return "ktype";
    default:
        return nullptr;
    }
}

TBasicType TBasicData::TypeOfField(TFieldsList field) {
    if (field >= 16 && field <= 121)
        return btPtype;
    if (field >= 122 && field <= 190)
        return btBtype;
    if (field >= 191 && field <= 237)
        return btEtype;
    if (field >= 238 && field <= 255)
        return btKtype;
    return btNo;
}

std::vector<TBasicRecord> TBasicData::Search(TBasicType type, const std::string& text, int limit) const {
    std::vector<TBasicRecord> out;
    const char* table = TableOf(type);
    if (!table)
        return out;
    std::string sql = std::string("SELECT ") + kRecordColumns + " FROM " + table;
    if (!text.empty())
        sql +=
            " WHERE usercode = ?1 OR typeid = ?1 OR usercode LIKE ?2 ESCAPE '\\' OR fullname LIKE ?2 ESCAPE "
            "'\\' ORDER BY (usercode = ?1 OR typeid = ?1) DESC, rec";
    else
        sql += " ORDER BY rec";
    sql += " LIMIT ?3";
    Statement st(db_, sql);
    if (!text.empty()) {
        st.Bind(1, OleVariant(text));
        st.Bind(2, OleVariant(LikeContains(text)));
    }
    st.Bind(3, OleVariant(static_cast<std::int32_t>(limit)));
    while (st.Step())
        out.push_back(RecordOf(st));
    return out;
}

std::optional<TBasicRecord> TBasicData::FindByRec(TBasicType type, std::int32_t rec) const {
    const char* table = TableOf(type);
    if (!table)
        return std::nullopt;
    Statement st(db_, std::string("SELECT ") + kRecordColumns + " FROM " + table + " WHERE rec = ?1");
    st.Bind(1, OleVariant(rec));
    if (!st.Step())
        return std::nullopt;
    return RecordOf(st);
}

std::optional<std::string> TBasicData::Field(TFieldsList field, const char* keyColumn,
                                             const std::string& key) const {
    const FieldColumn* fc = ColumnOf(field);
    if (!fc)
        return std::nullopt;
    Statement st(db_, std::string("SELECT ") + fc->Column + " FROM " + TableOf(fc->Type) + " WHERE " +
                          keyColumn + " = ?1");
    st.Bind(1, OleVariant(key));
    if (!st.Step())
        return std::nullopt;
    return st.ColumnText(0);
}

std::optional<std::string> TBasicData::FieldByRec(TFieldsList field, std::int32_t rec) const {
    return Field(field, "rec", std::to_string(rec));
}

std::optional<std::string> TBasicData::FieldByTypeId(TFieldsList field, const std::string& typeId) const {
    return Field(field, "typeid", typeId);
}

IRecordSelectHandler* NewRecordSelectHandler(const TBasicData& data, IHostUi& ui) {
    return new TRecordSelectHandler(data, ui);
}

IBasicDataLookup* NewBasicDataLookup(const TBasicData& data) {
    return new TBasicDataLookup(data);
}

} // namespace tkv::host
