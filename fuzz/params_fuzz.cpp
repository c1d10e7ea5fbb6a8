// Parameter packets from the host (output parameters of a stored procedure, the values a hook
// returns): variants decoded by the reference host connection's wire format, then each unpacked as
// a parameter list, packed again and unpacked to the same list, and shown as name=value text.
#include "framework/DataSet.h"
#include "framework/Params.h"
#include "framework/PlugParams.h"
#include "remote/WireFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void CheckSameList(const tkv::TParams& a, const tkv::TParams& b) {
    if (a.Count() != b.Count())
        std::abort();
    for (int i = 0; i < a.Count(); ++i) {
        const tkv::TParam &x = a.Items(i), &y = b.Items(i);
        if (x.Name != y.Name || x.DataType != y.DataType || x.ParamType != y.ParamType || x.Size != y.Size ||
            x.Precision != y.Precision || x.NumericScale != y.NumericScale)
            std::abort();
    }
}

void UnpackOne(const tkv::OleVariant& packet) {
    tkv::TParams params;
    bool unpacked = false;
    try {
        unpacked = tkv::UnpackParams(packet, params);
    } catch (const tkv::EDatabaseError&) {
        if (params.Count() != 0) // a bad packet leaves the list as it was
            std::abort();
    } catch (const tkv::EVariantError&) {
        if (params.Count() != 0)
            std::abort();
    }
    if (unpacked) {
        for (int i = 0; i < params.Count(); ++i)
            (void)tkv::VarToStr(params.Items(i).Name);
        tkv::TParams again;
        if (!tkv::UnpackParams(tkv::PackageParams(params), again))
            std::abort();
        CheckSameList(params, again);
    }
    try {
        (void)tkv::PlugParamsText(packet);
    } catch (const tkv::EVariantError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tkv::remote::TMessage message;
    try {
        message = tkv::remote::DecodeMessage(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const tkv::remote::EWireFormat&) {
        return 0;
    }
    for (const tkv::OleVariant& value : message.Values)
        UnpackOne(value);
    // What was decoded travels again unchanged (the first decoding may narrow integers and
    // Booleans, so the comparison is of the second encoding with the first).
    const std::string encoded = tkv::remote::EncodeMessage(message);
    if (tkv::remote::EncodeMessage(tkv::remote::DecodeMessage(encoded)) != encoded)
        std::abort();
    return 0;
}
