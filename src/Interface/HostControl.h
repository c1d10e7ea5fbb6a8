// What the host sees of a toolkit control when it prepares one: its class and name, and, for the
// record selectors, the slots for the record-selection handler and the basic-data lookup that the
// host installs. Across the Windows boundary the same interface is a raw table.
#pragma once

#include "../framework/BasicTypes.h"
#include "../framework/Variant.h"
#include "Unknown.h"

#include <string>
#include <vector>

namespace tkv {

enum class TSelectMode : std::uint8_t { smButton = 0, smDblClick = 1, smKey = 2 };

struct TSelectRequest {
    TBasicType BasicType = btNo;
    TSelectMode Mode = TSelectMode::smButton;
    std::string SearchText; // the typed text for the Enter key, empty otherwise
    TFieldsList SourceField = flNull;
    bool OptInsert = false, OptRemember = false;
};

struct TBasicRecord {
    std::string TypeId;
    std::int32_t Rec = 0;
    std::string FullName;
    std::string UserCode;
    std::int32_t SonNum = 0;
};

struct TSelectResult {
    int Count = 0;
    std::vector<TBasicRecord> Records;
};

struct IRecordSelectHandler : IInterface {
    virtual TSelectResult SelectRecords(const TSelectRequest& request) = 0;
};

struct IBasicDataLookup : IInterface {
    // The record of that kind with that record number; false when there is none.
    virtual bool FindByRec(TBasicType type, std::int32_t rec, TBasicRecord& out) = 0;
    // The value of one field of the record of that kind (the field's basic type decides the kind).
    virtual bool FieldValue(TFieldsList field, std::int32_t rec, std::string& out) = 0;
};

// Opaque host framework object (the objects that IExistForm hands out, kept by grids).
using HostObject = void*;

enum class THostControlKind : std::uint8_t { ckSelectorEdit, ckBandGrid, ckActionButton, ckFramePanel, ckOther };

struct IHostControl : IInterface {
    virtual THostControlKind Kind() = 0;
    virtual std::string ClassName() = 0;
    virtual std::string Name() = 0;
    virtual TBasicType BasicType() = 0;
    virtual void SetSelectHandler(IRecordSelectHandler* handler) = 0;
    virtual void SetBasicLookup(IBasicDataLookup* lookup) = 0;
};

extern const TGUID IID_IHostControl;

} // namespace tkv
