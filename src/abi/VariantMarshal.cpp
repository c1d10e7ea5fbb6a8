// Conversion of variants and safe arrays in both directions.
#include "VariantMarshal.h"

#include "WideString.h"

#include <cstring>
#include <limits>
#include <new>

namespace tkv::abi {
namespace {

[[noreturn]] void Unsupported(VARTYPE vt) {
    throw EVariantError("variant type " + std::to_string(vt) + " cannot cross the host boundary");
}

void CheckHr(HRESULT hr) {
    if (hr == E_OUTOFMEMORY)
        throw std::bad_alloc();
    if (FAILED(hr))
        throw EVariantError("variant conversion failed (" + std::to_string(static_cast<unsigned long>(hr)) +
                            ")");
}

// Deeper than any packet the host sends; a reference cycle or a hostile nesting ends here instead
// of on the end of the host's stack.
constexpr int kMaxDepth = 32;

OleVariant Read(const VARIANT* v, int depth);

// The size of one element of an array of the given type, and the feature flag that says how the
// system copies such elements; 0 for a type whose arrays the core does not take.
struct ElementLayout {
    ULONG size;
    USHORT copyFeature;
};
ElementLayout LayoutOf(VARTYPE vt) {
    switch (vt) {
    case VT_I1:
    case VT_UI1:
        return {1, 0};
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return {2, 0};
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
        return {4, 0};
    case VT_I8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return {8, 0};
    case VT_BSTR:
        return {sizeof(BSTR), FADF_BSTR};
    case VT_VARIANT:
        return {sizeof(VARIANT), FADF_VARIANT};
    default:
        return {0, 0};
    }
}

// The array must hold what the variant says it holds: the system copies an element by the array's
// own description, into a slot sized by the variant's type.
void CheckElements(SAFEARRAY* sa, VARTYPE elementType) {
    const ElementLayout layout = LayoutOf(elementType);
    if (layout.size == 0)
        Unsupported(VT_ARRAY | elementType);
    constexpr USHORT kCopyFeatures = FADF_BSTR | FADF_VARIANT | FADF_UNKNOWN | FADF_DISPATCH | FADF_RECORD;
    if (SafeArrayGetElemsize(sa) != layout.size || (sa->fFeatures & kCopyFeatures) != layout.copyFeature)
        throw EVariantError("the array's elements are not of the type its variant states (" +
                            std::to_string(elementType) + ")");
}

OleVariant FromSafeArray(SAFEARRAY* sa, VARTYPE elementType, int depth) {
    if (!sa)
        return elementType == VT_UI1 ? OleVariant::ByteArray({}) : OleVariant::VarArray({});
    if (SafeArrayGetDim(sa) != 1)
        throw EVariantError("only one-dimensional arrays cross the host boundary");
    CheckElements(sa, elementType);
    LONG low = 0;
    CheckHr(SafeArrayGetLBound(sa, 1, &low));
    // The count comes from the descriptor: the upper bound wraps for a range that ends past the
    // largest index, and such an array cannot be read element by element.
    const ULONG count = sa->rgsabound[0].cElements;
    if (count > 0 && static_cast<std::int64_t>(low) + count - 1 > std::numeric_limits<LONG>::max())
        throw EVariantError("the array's indexes run past the largest index");
    if (elementType == VT_UI1) {
        OleVariant::Bytes bytes(count);
        if (count > 0) {
            void* data = nullptr;
            CheckHr(SafeArrayAccessData(sa, &data));
            std::memcpy(bytes.data(), data, bytes.size());
            SafeArrayUnaccessData(sa);
        }
        return OleVariant::ByteArray(std::move(bytes));
    }
    OleVariant::Array elements;
    elements.reserve(count);
    for (ULONG k = 0; k < count; ++k) {
        LONG i = static_cast<LONG>(low + static_cast<std::int64_t>(k));
        VARIANT item;
        VariantInit(&item);
        if (elementType == VT_VARIANT) {
            CheckHr(SafeArrayGetElement(sa, &i, &item));
        } else {
            // Typed arrays (of integers, strings, ...) arrive as arrays of variants of that type.
            item.vt = elementType;
            item.llVal = 0;
            if (elementType == VT_BSTR)
                CheckHr(SafeArrayGetElement(sa, &i, &item.bstrVal));
            else
                CheckHr(SafeArrayGetElement(sa, &i, &item.llVal));
        }
        try {
            elements.push_back(Read(&item, depth + 1));
        } catch (...) {
            VariantClear(&item);
            throw;
        }
        VariantClear(&item);
    }
    return OleVariant::VarArray(std::move(elements));
}

SAFEARRAY* ToByteSafeArray(const OleVariant::Bytes& bytes) {
    SAFEARRAY* sa = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!sa)
        throw std::bad_alloc();
    if (!bytes.empty()) {
        void* data = nullptr;
        SafeArrayAccessData(sa, &data);
        std::memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(sa);
    }
    return sa;
}

SAFEARRAY* ToVariantSafeArray(const OleVariant::Array& elements) {
    SAFEARRAY* sa = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(elements.size()));
    if (!sa)
        throw std::bad_alloc();
    try {
        for (LONG i = 0; i < static_cast<LONG>(elements.size()); ++i) {
            VariantArg item(elements[static_cast<size_t>(i)]);
            CheckHr(SafeArrayPutElement(sa, &i, item.Get()));
        }
    } catch (...) {
        SafeArrayDestroy(sa);
        throw;
    }
    return sa;
}

OleVariant Read(const VARIANT* v, int depth) {
    if (!v)
        return {};
    if (depth > kMaxDepth)
        throw EVariantError("variants nested deeper than " + std::to_string(kMaxDepth) + " levels");
    const VARTYPE vt = v->vt;
    // A reference the host left empty points nowhere to read.
    if ((vt & VT_BYREF) && !v->byref)
        throw EVariantError("variant reference " + std::to_string(vt) + " without a value");
    if (vt == (VT_BYREF | VT_VARIANT))
        return Read(v->pvarVal, depth + 1);
    if (vt & VT_ARRAY) {
        SAFEARRAY* sa = (vt & VT_BYREF) ? *v->pparray : v->parray;
        return FromSafeArray(sa, vt & VT_TYPEMASK, depth);
    }
    if (vt & VT_BYREF) {
        VARIANT copy;
        VariantInit(&copy);
        CheckHr(VariantCopyInd(&copy, const_cast<VARIANT*>(v)));
        OleVariant r;
        try {
            r = Read(&copy, depth + 1);
        } catch (...) {
            VariantClear(&copy);
            throw;
        }
        VariantClear(&copy);
        return r;
    }
    switch (vt) {
    case VT_EMPTY:
        return {};
    case VT_NULL:
        return OleVariant::Null();
    case VT_I2:
        return OleVariant::Smallint(v->iVal);
    case VT_I4:
        return OleVariant(static_cast<std::int32_t>(v->lVal));
    case VT_INT:
        return OleVariant(static_cast<std::int32_t>(v->intVal));
    case VT_I1:
        return OleVariant(static_cast<std::int32_t>(v->cVal));
    case VT_UI1:
        return OleVariant(static_cast<std::int32_t>(v->bVal));
    case VT_UI2:
        return OleVariant(static_cast<std::int32_t>(v->uiVal));
    case VT_UI4:
        return OleVariant::Int64(v->ulVal);
    case VT_UINT:
        return OleVariant::Int64(v->uintVal);
    case VT_I8:
        return OleVariant::Int64(v->llVal);
    case VT_R4:
        return OleVariant(static_cast<double>(v->fltVal));
    case VT_R8:
        return OleVariant(v->dblVal);
    case VT_CY:
        return OleVariant::Currency(static_cast<double>(v->cyVal.int64) / 10000.0);
    case VT_DATE:
        return OleVariant::Date(v->date);
    case VT_BSTR:
        return OleVariant(FromBstr(v->bstrVal));
    case VT_BOOL:
        return OleVariant(v->boolVal != VARIANT_FALSE);
    default:
        Unsupported(vt);
    }
}

} // namespace

OleVariant FromVariant(const VARIANT* v) {
    return Read(v, 0);
}

void AssignVariant(VARIANT* out, const OleVariant& value) {
    VARIANT v;
    VariantInit(&v);
    switch (value.VarType()) {
    case varEmpty:
        break;
    case varNull:
        v.vt = VT_NULL;
        break;
    case varSmallint:
        v.vt = VT_I2;
        v.iVal = static_cast<SHORT>(value.AsInteger());
        break;
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
        v.vt = VT_I4;
        v.lVal = value.AsInteger();
        break;
    case varLongWord:
    case varInt64:
        v.vt = VT_I8;
        v.llVal = value.AsInt64();
        break;
    case varSingle:
    case varDouble:
        v.vt = VT_R8;
        v.dblVal = value.AsDouble();
        break;
    case varCurrency:
        v.vt = VT_CY;
        CheckHr(VarCyFromR8(value.AsDouble(), &v.cyVal));
        break;
    case varDate:
        v.vt = VT_DATE;
        v.date = value.AsDateTime();
        break;
    case varOleStr:
        v.vt = VT_BSTR;
        // An empty string is still a string: an empty BSTR, not null.
        v.bstrVal = value.AsString().empty() ? SysAllocString(L"") : NewBstr(value.AsString());
        if (!v.bstrVal)
            throw std::bad_alloc();
        break;
    case varBoolean:
        v.vt = VT_BOOL;
        v.boolVal = value.AsBoolean() ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case varArray | varByte:
        v.parray = ToByteSafeArray(value.AsBytes());
        v.vt = VT_ARRAY | VT_UI1;
        break;
    case varArray | varVariant:
        v.parray = ToVariantSafeArray(value.Elements());
        v.vt = VT_ARRAY | VT_VARIANT;
        break;
    default:
        Unsupported(value.VarType());
    }
    VariantClear(out);
    *out = v;
}

VariantOpenArray::VariantOpenArray(const std::vector<OleVariant>& values) : items_(values.size()) {
    for (VARIANT& v : items_)
        VariantInit(&v);
    try {
        for (size_t i = 0; i < values.size(); ++i)
            AssignVariant(&items_[i], values[i]);
    } catch (...) {
        for (VARIANT& v : items_)
            VariantClear(&v);
        throw;
    }
}

VariantOpenArray::~VariantOpenArray() {
    for (VARIANT& v : items_)
        VariantClear(&v);
}

} // namespace tkv::abi
