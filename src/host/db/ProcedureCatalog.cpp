// The catalogue of stored procedures and the checks every call passes before its body runs:
// known name, each declared parameter sent exactly once, no unknown one, every value of its type.
#include "Procedure.h"

#include "HostDatabase.h"

#include "framework/TextCase.h"

#include <cmath>
#include <cstdio>

namespace tkv::host {

namespace {

// OLE automation dates that stand for days of the years 100 to 9999.
constexpr double kMinDay = -657434.0;
constexpr double kMaxDay = 2958466.0;

const char* KindName(ParamKind kind) {
    switch (kind) {
    case ParamKind::Integer:
        return "an integer";
    case ParamKind::Text:
        return "a text";
    case ParamKind::Day:
        return "a date";
    case ParamKind::Float:
        return "a number";
    }
    return "a value";
}

std::string Describe(const OleVariant& value) {
    if (value.IsString()) {
        std::string text = value.AsString();
        if (text.size() > 40)
            text = text.substr(0, 40) + "...";
        return "the text '" + text + "'";
    }
    if (value.IsArray())
        return "an array";
    std::string shown;
    try {
        shown = " " + value.AsString();
    } catch (const EVariantError&) {
    }
    return "a value of type " + OleVariant::TypeName(value.VarType()) + shown;
}

bool IsWholeNumberType(std::uint16_t vt) {
    switch (vt) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return true;
    default:
        return false;
    }
}

bool IsFloatType(std::uint16_t vt) {
    return vt == varSingle || vt == varDouble || vt == varCurrency;
}

// The value converted to the parameter's kind, or false when it does not belong there.
bool Coerce(const OleVariant& value, ParamKind kind, OleVariant& out) {
    const std::uint16_t vt = value.VarType();
    switch (kind) {
    case ParamKind::Integer: {
        if (IsWholeNumberType(vt)) {
            const std::int64_t v = value.AsInt64();
            if (v < INT32_MIN || v > INT32_MAX)
                return false;
            out = OleVariant(static_cast<std::int32_t>(v));
            return true;
        }
        if (IsFloatType(vt)) {
            const double v = value.AsDouble();
            if (!std::isfinite(v) || std::trunc(v) != v || v < INT32_MIN || v > INT32_MAX)
                return false;
            out = OleVariant(static_cast<std::int32_t>(v));
            return true;
        }
        return false;
    }
    case ParamKind::Text:
        if (vt != varOleStr)
            return false;
        out = value;
        return true;
    case ParamKind::Day: {
        if (!IsWholeNumberType(vt) && !IsFloatType(vt) && vt != varDate)
            return false;
        const double v = value.AsDouble();
        if (!std::isfinite(v) || v < kMinDay || v >= kMaxDay)
            return false;
        out = OleVariant::Date(v);
        return true;
    }
    case ParamKind::Float: {
        if (!IsWholeNumberType(vt) && !IsFloatType(vt))
            return false;
        const double v = value.AsDouble();
        if (!std::isfinite(v))
            return false;
        out = OleVariant(v);
        return true;
    }
    }
    return false;
}

std::vector<ProcedureDef> BuildCatalog() {
    std::vector<ProcedureDef> list;
    AddAssociationProcedures(list);
    AddPrintProcedures(list);
    AddInsuranceProcedures(list);
    return list;
}

} // namespace

const std::vector<ProcedureDef>& ProcedureCatalog() {
    static const std::vector<ProcedureDef> catalog = BuildCatalog();
    return catalog;
}

const ProcedureDef* FindProcedure(std::string_view name) {
    for (const auto& def : ProcedureCatalog())
        if (SameText(def.name, name))
            return &def;
    return nullptr;
}

ProcedureCall::ProcedureCall(HostDatabase& db, const ProcedureDef& def, std::vector<OleVariant> args,
                             ProcedureResult& result)
    : db_(db), def_(def), args_(std::move(args)), result_(result) {}

sqlite3* ProcedureCall::Handle() {
    return db_.Handle();
}

const OleVariant& ProcedureCall::Arg(const char* name) const {
    for (std::size_t i = 0; i < def_.params.size(); ++i)
        if (SameText(def_.params[i].name, name))
            return args_[i];
    throw HostError(std::string(def_.name) + ": no parameter " + name + " is declared");
}

std::int32_t ProcedureCall::Int(const char* name) const {
    return Arg(name).AsInteger();
}
std::string ProcedureCall::Text(const char* name) const {
    return Arg(name).AsString();
}
double ProcedureCall::Day(const char* name) const {
    return Arg(name).AsDouble();
}
double ProcedureCall::Float(const char* name) const {
    return Arg(name).AsDouble();
}

void ProcedureCall::SetOutput(const char* name, OleVariant value) {
    for (auto& output : result_.outputs)
        if (SameText(output.name, name)) {
            output.value = std::move(value);
            return;
        }
    throw HostError(std::string(def_.name) + ": " + name + " is not an output parameter");
}

void ReadResult(sqlite3_stmt* stmt, const std::vector<ColumnTypeOverride>& overrides,
                ProcedureResult& result) {
    if (result.form == RowsForm::Packet)
        result.packet = ReadRowsPacket(stmt, overrides, result.packetForm);
    else
        result.rows = ReadRows(stmt, overrides);
    result.hasRows = true;
}

void ProcedureCall::SetRows(Statement& stmt, const std::vector<ColumnTypeOverride>& overrides) {
    ReadResult(stmt.Get(), overrides, result_);
}

void ProcedureCall::Fail(const std::string& message) const {
    throw HostError(std::string(def_.name) + ": " + message);
}

ProcedureResult RunProcedure(HostDatabase& db, std::string_view name, const std::vector<std::string>& names,
                             const std::vector<OleVariant>& values, RowsForm form) {
    const ProcedureDef* def = FindProcedure(name);
    if (!def)
        throw HostError("Unknown procedure '" + std::string(name) + "'");
    const std::string procName = def->name;
    if (names.size() != values.size())
        throw HostError(procName + ": " + std::to_string(names.size()) + " parameter names but " +
                        std::to_string(values.size()) + " values were sent");

    std::vector<OleVariant> args(def->params.size());
    std::vector<bool> sent(def->params.size(), false);
    std::vector<std::string> sentNames(def->params.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::size_t index = def->params.size();
        for (std::size_t p = 0; p < def->params.size(); ++p)
            if (SameText(def->params[p].name, names[i]))
                index = p;
        if (index == def->params.size())
            throw HostError(procName + ": unknown parameter '" + names[i] + "'");
        const ProcedureParam& param = def->params[index];
        if (sent[index])
            throw HostError(procName + ": parameter " + param.name + " was sent twice");
        sent[index] = true;
        sentNames[index] = names[i];
        if (values[i].IsEmptyOrNull())
            throw HostError(procName + ": parameter " + param.name + " has no value");
        if (!Coerce(values[i], param.kind, args[index]))
            throw HostError(procName + ": parameter " + param.name + " expects " + KindName(param.kind) +
                            ", not " + Describe(values[i]));
    }
    for (std::size_t p = 0; p < def->params.size(); ++p)
        if (!sent[p])
            throw HostError(procName + ": parameter " + def->params[p].name + " is missing");

    ProcedureResult result;
    result.form = form;
    result.packetForm = db.PacketForm();
    for (std::size_t p = 0; p < def->params.size(); ++p)
        if (def->params[p].inOut)
            result.outputs.push_back({sentNames[p], args[p]});
    ProcedureCall call(db, *def, std::move(args), result);
    Transaction tx(db.Handle(), def->writes);
    def->body(call);
    tx.Commit();
    return result;
}

} // namespace tkv::host
