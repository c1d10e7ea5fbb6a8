// Stored procedures of the host database: their declared parameters and the call a body works on.
// A procedure body is C++ over prepared SQL; the catalogue checks names and types before it runs.
#pragma once

#include "ResultRows.h"
#include "Sqlite.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tkv::host {

// The type a parameter takes. Integer: a whole number within 32 bits (no text); Text: a string;
// Day: an OLE automation date as a date or a number; Float: any number.
enum class ParamKind { Integer, Text, Day, Float };

struct ProcedureParam {
    const char* name; // with its "@" prefix, matched without letter case
    ParamKind kind;
    bool inOut = false; // the procedure hands a value back under this name
};

class ProcedureCall;

struct ProcedureDef {
    const char* name;
    std::vector<ProcedureParam> params;
    bool writes; // runs in a write transaction
    std::function<void(ProcedureCall&)> body;
};

struct OutputParam {
    std::string name;
    OleVariant value;
};

// How a caller takes a call's result set: as rows, or as the packet that crosses to the plug-in
// (written straight from the query, the rows never held).
enum class RowsForm { Rows, Packet };

// What a call answers: its result set (in `rows` or `packet` by the form asked for; hasRows false
// when it returns none), its output parameters in declaration order, and its return value.
struct ProcedureResult {
    RowsForm form = RowsForm::Rows;
    TPacketForm packetForm = TPacketForm::Binary;
    ResultRows rows;
    OleVariant packet;
    bool hasRows = false;
    std::vector<OutputParam> outputs;
    std::int32_t returnValue = 0;
};

// Steps the statement into the result, as rows or as a packet by its form.
void ReadResult(sqlite3_stmt* stmt, const std::vector<ColumnTypeOverride>& overrides,
                ProcedureResult& result);

class HostDatabase;

// One running call: the checked arguments, the database, and the answer being built.
class ProcedureCall {
public:
    ProcedureCall(HostDatabase& db, const ProcedureDef& def, std::vector<OleVariant> args,
                  ProcedureResult& result);

    HostDatabase& Database() { return db_; }
    sqlite3* Handle();
    const ProcedureDef& Definition() const { return def_; }

    // Argument values by declared name; the catalogue has checked their types.
    std::int32_t Int(const char* name) const;
    std::string Text(const char* name) const;
    double Day(const char* name) const;
    double Float(const char* name) const;

    // Sets an in-out parameter's value handed back (it starts as the value sent).
    void SetOutput(const char* name, OleVariant value);
    void SetReturn(std::int32_t value) { result_.returnValue = value; }
    // Runs a query and makes its rows the call's result set.
    void SetRows(Statement& stmt, const std::vector<ColumnTypeOverride>& overrides = {});

    // Raises HostError with the procedure's name in front of the message.
    [[noreturn]] void Fail(const std::string& message) const;

private:
    const OleVariant& Arg(const char* name) const;
    HostDatabase& db_;
    const ProcedureDef& def_;
    std::vector<OleVariant> args_;
    ProcedureResult& result_;
};

// The catalogue of every stored procedure of the host database.
const std::vector<ProcedureDef>& ProcedureCatalog();
const ProcedureDef* FindProcedure(std::string_view name); // letter case ignored; nullptr when unknown

// The procedures of each area, gathered by the catalogue.
void AddAssociationProcedures(std::vector<ProcedureDef>& list);
void AddPrintProcedures(std::vector<ProcedureDef>& list);
void AddInsuranceProcedures(std::vector<ProcedureDef>& list);

// Runs a call: matches the names sent to the declared parameters (each sent once, none missing,
// none unknown), checks and converts each value, and runs the body in its own transaction.
ProcedureResult RunProcedure(HostDatabase& db, std::string_view name, const std::vector<std::string>& names,
                             const std::vector<OleVariant>& values, RowsForm form = RowsForm::Rows);

} // namespace tkv::host
