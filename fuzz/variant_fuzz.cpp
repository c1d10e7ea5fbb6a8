// Variants the host hands the plug-in (procedure arguments, parameter packets, picture bytes): a
// tree of variants built from the input the way a host, or a broken one, can build it through OLE
// Automation. Safe arrays of any element type, bounds and number of dimensions; a variant type that
// does not say what its array holds; references to other variants, cycles included; strings of any
// UTF-16 units. The boundary reads the tree into the core's variant, writes that back and reads it
// again to the same value.
#include "abi/VariantMarshal.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <vector>

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}
    bool Empty() const { return p_ == end_; }
    std::uint8_t Byte() { return p_ == end_ ? 0 : *p_++; }
    std::uint64_t Bits(int bytes) {
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= std::uint64_t{Byte()} << (8 * i);
        return v;
    }

private:
    const std::uint8_t* p_;
    const std::uint8_t* end_;
};

constexpr VARTYPE kArrayTypes[] = {VT_UI1,  VT_I1,    VT_I2,   VT_UI2,     VT_I4,      VT_UI4,     VT_INT,
                                   VT_UINT, VT_I8,    VT_UI8,  VT_R4,      VT_R8,      VT_CY,      VT_DATE,
                                   VT_BOOL, VT_ERROR, VT_BSTR, VT_VARIANT, VT_UNKNOWN, VT_DISPATCH};
constexpr VARTYPE kScalarTypes[] = {VT_EMPTY, VT_NULL, VT_I2,   VT_I4,    VT_R4,  VT_R8,
                                    VT_CY,    VT_DATE, VT_BOOL, VT_ERROR, VT_I1,  VT_UI1,
                                    VT_UI2,   VT_UI4,  VT_I8,   VT_UI8,   VT_INT, VT_UINT};
template <std::size_t N> VARTYPE Pick(const VARTYPE (&types)[N], std::uint8_t b) {
    return types[b % N];
}

// Builds the tree and owns what references point to, for as long as the conversion runs.
class Builder {
public:
    explicit Builder(Input& in) : in_(in) {}
    ~Builder() {
        for (VARIANT& v : targets_)
            VariantClear(&v);
        for (BSTR s : strings_)
            SysFreeString(s);
        for (SAFEARRAY* sa : arrays_)
            SafeArrayDestroy(sa);
    }
    Builder(const Builder&) = delete;
    Builder& operator=(const Builder&) = delete;

    void Build(VARIANT* out, int depth) {
        VariantInit(out);
        if (in_.Empty() || depth > 300 || budget_ <= 0)
            return;
        --budget_;
        switch (in_.Byte() % 8) {
        case 0:
            out->vt = Pick(kScalarTypes, in_.Byte());
            out->llVal = static_cast<LONGLONG>(in_.Bits(8));
            break;
        case 1: { // any type number a peer may write, with a value but no pointer behind it
            const VARTYPE vt = static_cast<VARTYPE>(in_.Bits(2) & VT_TYPEMASK);
            const bool pointer = vt == VT_BSTR || vt == VT_UNKNOWN || vt == VT_DISPATCH;
            out->vt = vt == VT_VARIANT || vt == VT_DECIMAL || vt == VT_RECORD ? VT_EMPTY : vt;
            out->llVal = pointer ? 0 : static_cast<LONGLONG>(in_.Bits(8));
            break;
        }
        case 2:
            out->vt = VT_BSTR;
            out->bstrVal = NewString();
            break;
        case 3:
        case 4: {
            VARTYPE element = VT_EMPTY;
            SAFEARRAY* sa = NewArray(depth, element);
            out->vt = VT_ARRAY | Declared(element);
            out->parray = sa;
            break;
        }
        case 5:
            out->vt = VT_BYREF | VT_VARIANT;
            out->pvarVal = Target(depth);
            break;
        case 6:
            Reference(out, depth);
            break;
        default:
            out->vt = VT_ARRAY | Pick(kArrayTypes, in_.Byte());
            out->parray = nullptr;
            break;
        }
    }

private:
    // The type a variant states for its array: mostly the array's own, sometimes another.
    VARTYPE Declared(VARTYPE actual) {
        const std::uint8_t b = in_.Byte();
        return b & 1 ? Pick(kArrayTypes, static_cast<std::uint8_t>(b >> 1)) : actual;
    }

    BSTR NewString() {
        const std::uint8_t length = in_.Byte();
        if (length == 0xFF)
            return nullptr;
        std::vector<OLECHAR> units(length);
        for (OLECHAR& u : units)
            u = static_cast<OLECHAR>(in_.Bits(2));
        return SysAllocStringLen(units.data(), length);
    }

    SAFEARRAY* NewArray(int depth, VARTYPE& element) {
        element = Pick(kArrayTypes, in_.Byte());
        const std::uint8_t shape = in_.Byte();
        const UINT dims = shape % 8 == 7 ? 2 : 1;
        SAFEARRAYBOUND bounds[2];
        for (UINT d = 0; d < dims; ++d) {
            const std::uint8_t size = in_.Byte();
            bounds[d].cElements = dims == 1 ? size : size % 8u;
            // A zero lower bound mostly, any other now and then.
            bounds[d].lLbound = shape & 0x10 ? static_cast<LONG>(in_.Bits(4)) : 0;
        }
        SAFEARRAY* sa = SafeArrayCreate(element, dims, bounds);
        if (!sa)
            return nullptr;
        ULONG count = 1;
        for (UINT d = 0; d < dims; ++d)
            count *= bounds[d].cElements;
        auto* data = static_cast<unsigned char*>(sa->pvData);
        for (ULONG i = 0; i < count && budget_ > 0; ++i, --budget_) {
            void* slot = data + static_cast<std::size_t>(i) * sa->cbElements;
            if (element == VT_VARIANT)
                Build(static_cast<VARIANT*>(slot), depth + 1);
            else if (element == VT_BSTR)
                *static_cast<BSTR*>(slot) = NewString();
            else if (element != VT_UNKNOWN && element != VT_DISPATCH)
                for (ULONG k = 0; k < sa->cbElements; ++k)
                    static_cast<unsigned char*>(slot)[k] = in_.Byte();
        }
        return sa;
    }

    // A variant elsewhere: one built before (possibly one still being built, which makes a cycle), a
    // new one, or none.
    VARIANT* Target(int depth) {
        const std::uint8_t b = in_.Byte();
        if (b == 0xFF)
            return nullptr;
        if ((b & 1) && !targets_.empty())
            return &targets_[in_.Byte() % targets_.size()];
        VARIANT& slot = targets_.emplace_back();
        VariantInit(&slot);
        Build(&slot, depth + 1);
        return &slot;
    }

    // A reference to a value of another type, or a null reference.
    void Reference(VARIANT* out, int depth) {
        const std::uint8_t b = in_.Byte();
        const bool null = (b >> 4) == 0xF;
        switch (b % 3) {
        case 0:
            out->vt = VT_BYREF | VT_BSTR;
            out->pbstrVal = null ? nullptr : &strings_.emplace_back(NewString());
            break;
        case 1: {
            VARTYPE element = VT_EMPTY;
            SAFEARRAY* sa = NewArray(depth, element);
            out->vt = VT_BYREF | VT_ARRAY | Declared(element);
            out->pparray = null ? (SafeArrayDestroy(sa), nullptr) : &arrays_.emplace_back(sa);
            break;
        }
        default:
            out->vt = VT_BYREF | Pick(kScalarTypes, in_.Byte());
            out->byref = null ? nullptr : &values_.emplace_back(in_.Bits(8));
            break;
        }
    }

    Input& in_;
    int budget_ = 4096;
    std::deque<VARIANT> targets_;
    std::deque<BSTR> strings_;
    std::deque<SAFEARRAY*> arrays_;
    std::deque<std::uint64_t> values_;
};

bool SameNumber(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Equal as the boundary carries them: currency to its four decimals, NaN equal to NaN.
bool Same(const tkv::OleVariant& a, const tkv::OleVariant& b) {
    if (a.VarType() != b.VarType())
        return false;
    if (a.IsByteArray())
        return a.AsBytes() == b.AsBytes();
    if (a.IsArray()) {
        const auto &x = a.Elements(), &y = b.Elements();
        if (x.size() != y.size())
            return false;
        for (std::size_t i = 0; i < x.size(); ++i)
            if (!Same(x[i], y[i]))
                return false;
        return true;
    }
    switch (a.VarType()) {
    case tkv::varDouble:
    case tkv::varDate:
        return SameNumber(a.AsDouble(), b.AsDouble());
    case tkv::varCurrency:
        return std::fabs(a.AsDouble() - b.AsDouble()) <= 1e-12 * std::fabs(a.AsDouble()) + 1e-4;
    default:
        return a == b;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    Builder builder(in);
    VARIANT top;
    builder.Build(&top, 0);
    try {
        const tkv::OleVariant value = tkv::abi::FromVariant(&top);
        VARIANT back;
        VariantInit(&back);
        bool written = true;
        try {
            tkv::abi::AssignVariant(&back, value);
        } catch (const tkv::EVariantError&) {
            written = false; // a currency past what the host's currency holds
        }
        if (written) {
            // What the plug-in writes, the plug-in reads back as it was.
            try {
                if (!Same(value, tkv::abi::FromVariant(&back)))
                    std::abort();
            } catch (const tkv::EVariantError&) {
                std::abort();
            }
        }
        VariantClear(&back);
    } catch (const tkv::EVariantError&) {
    }
    VariantClear(&top);
    return 0;
}
