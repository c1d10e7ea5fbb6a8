// The plug-in description interface that the host reads, methods in table order after the three
// reference-counting slots.
#pragma once

#include "PlugConsts.h"
#include "Unknown.h"

#include <string>

namespace tkv {

struct IVNPlugInfo : IInterface {
    virtual std::string GetKeyName() = 0;     // WideString
    virtual std::int32_t Reserved1() = 0;     // reserved slot
    virtual std::string GetPlugProcName() = 0; // WideString
    virtual std::string GetPlugName() = 0;    // WideString
    virtual TPlugTransType GetPlugType() = 0;
    virtual std::string GetPlugText() = 0;    // WideString
    virtual std::string GetPlugDate() = 0;    // WideString
    virtual std::string GetPlugVersion() = 0; // WideString
    virtual bool GetPlugIsAuto() = 0;
    virtual TPlugAutoRunTypeSet PlugAutoRun() = 0;
    virtual bool GetPlugIsConfig() = 0;
    virtual bool PlugConfig() = 0;
    virtual std::uint8_t Reserved2() = 0;          // reserved slot
    virtual std::string GetUpdateSQLFilePath() = 0; // WideString
    virtual bool Reserved3() = 0;                   // reserved slot
    virtual std::string PlunParentMenuInfo() = 0;   // String (8-bit)
    virtual std::string PlunMenuInfo() = 0;         // String (8-bit)
};

extern const TGUID IID_IVNPlugInfo;

} // namespace tkv
