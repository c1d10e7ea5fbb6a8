// TPlugParams: the ordered name/value list with which the transaction object hands values back to
// the host as a parameter packet. Emptied entries keep their places and are refilled first.
#pragma once

#include "Variant.h"

#include <string>
#include <vector>

namespace tkv {

struct TPParam {
    std::string ParamName;
    OleVariant ParamValue;
};

class TPlugParams {
public:
    TPlugParams() = default;
    ~TPlugParams();
    void Add(const std::string& AParamName, const OleVariant& AParamValue);
    void Clear();
    OleVariant GetOleParams() const; // null when FCount is 0
    OleVariant OleParams() const { return GetOleParams(); }
    int Count() const { return FCount; }
    const TPParam& Item(int index) const { return FParams.at(index); }

private:
    std::vector<TPParam> FParams;
    std::int32_t FCount = 0;
};

// "name=value; name=value" of a parameter packet, for logs and displays; entries that are no
// name/value pair are left out.
std::string PlugParamsText(const OleVariant& packet);

} // namespace tkv
