// The host's tables as the test host implements them, after its own declarations (HostTables.h):
// a main interface that answers the data, message, picture and print calls and records what it
// received, a retail bill, a framework-object interface and a report interface. Each counts its
// references.
#pragma once

#include "HostTables.h"

#include <string>
#include <vector>

namespace abitest {

template <class Vtbl> struct HostIface { const Vtbl* lpVtbl; };

struct ProcCall {
    std::string proc; // UTF-8, decoded from code page 936
    std::vector<std::string> names;
    std::int32_t namesHigh = -2, valuesHigh = -2;
    std::vector<VARTYPE> valueTypes;
    LONG firstValue = 0;
    std::string secondValue;
    bool resultSlotEmpty = false, outSlotEmpty = false;
};

// What one RunPrintManage call received, and what the host's own use of the print item list did.
struct PrintCall {
    std::string form; // "data", "datas" or "items"
    std::string templateName;
    bool preview = false;
    LONG dataCount = -1; // elements of the data packet(s)
    bool itemsNull = true;
    bool printOnlyOnce = false;
    std::vector<std::string> items; // "name=value/type" as received
    int countAfterDefaults = -1, countAfterSecondDefaults = -1;
    std::string defaultItem;        // "name=value/type" of the item AddDefaultItems added
    int capacityAfterHostAdds = -1; // after the host appended five records through Grow
    int countAfterClear = -1;
};

struct FakeMain {
    HostIface<HostMainVtbl> iface;
    LONG ref = 0;
    std::uintptr_t appHandle = 0x1234;
    std::vector<ProcCall> procCalls;
    std::vector<std::string> messages; // "kind|message|title"
    std::vector<PrintCall> printCalls;
    std::string savedFileNameIn;
    std::vector<std::uint8_t> savedJpeg;
    LONG savedJpegLow = -1;
    bool pictureArrivedNull = false;
    int unexpectedCalls = 0;
    int appHandleCalls = 0;
    std::string preparedControl; // "kind|class|name|basic type" of the last InitBandGrid

    FakeMain();
};

// The datapacket that OpenProcByName answers, as bytes.
std::string ResultSetXml();

struct FakeBill {
    HostIface<HostBillVtbl> iface;
    LONG ref = 0;
    std::string printName;
    double printValue = 0;
    std::vector<std::string> accountSeen;
    FakeBill();
};

struct FakeExistForm {
    HostIface<HostExistFormVtbl> iface;
    LONG ref = 0;
    FakeExistForm();
    ~FakeExistForm();
    FakeExistForm(const FakeExistForm&) = delete;
    FakeExistForm& operator=(const FakeExistForm&) = delete;
};

struct FakeReport {
    HostIface<HostReportVtbl> iface;
    LONG ref = 0;
    std::vector<std::string> calls;
    FakeReport();
    ~FakeReport();
    FakeReport(const FakeReport&) = delete;
    FakeReport& operator=(const FakeReport&) = delete;
};

// Register-convention calls whose object (EAX) was not a fake of that table: arguments taken from
// the wrong places.
int StrayRegisterCalls();

} // namespace abitest
