// The host's tables as the test host implements them: a main interface that answers the data,
// message and picture calls and records what it received, a retail bill, a framework-object
// interface and a report interface. Each counts its references.
#pragma once

#include "abi/ExistFormAdapter.h"
#include "abi/RawMainintf.h"
#include "abi/TransinfoAdapter.h"

#include <string>
#include <vector>

namespace abitest {

struct ProcCall {
    std::string proc; // UTF-8, decoded from code page 936
    std::vector<std::string> names;
    std::int32_t namesHigh = -2, valuesHigh = -2;
    std::vector<VARTYPE> valueTypes;
    LONG firstValue = 0;
    std::string secondValue;
    bool resultSlotEmpty = false, outSlotEmpty = false;
};

struct FakeMain {
    tkv::abi::RawMainintf iface;
    LONG ref = 0;
    std::uintptr_t appHandle = 0x1234;
    std::vector<ProcCall> procCalls;
    std::vector<std::string> messages; // "message|title"
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
    tkv::abi::RawTransinfo iface;
    LONG ref = 0;
    std::string printName;
    double printValue = 0;
    std::vector<std::string> accountSeen;
    FakeBill();
};

struct FakeExistForm {
    tkv::abi::RawExistForm iface;
    LONG ref = 0;
    FakeExistForm();
};

struct FakeReport {
    tkv::abi::RawReportIntf iface;
    LONG ref = 0;
    std::vector<std::string> calls;
    FakeReport();
};

} // namespace abitest
