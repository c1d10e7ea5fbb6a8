// Conversion of variants and safe arrays in both directions.
#include "VariantMarshal.h"

#include "WideString.h"

#include <cstring>
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

OleVariant FromSafeArray(SAFEARRAY* sa, VARTYPE elementType) {
    if (!sa)
        return elementType == VT_UI1 ? OleVariant::ByteArray({}) : OleVariant::VarArray({});
    if (SafeArrayGetDim(sa) != 1)
        throw EVariantError("only one-dimensional arrays cross the host boundary");
    LONG low = 0, high = -1;
    CheckHr(SafeArrayGetLBound(sa, 1, &low));
    CheckHr(SafeArrayGetUBound(sa, 1, &high));
    const LONG count = high - low + 1;
    if (elementType == VT_UI1) {
        OleVariant::Bytes bytes(static_cast<size_t>(count > 0 ? count : 0));
        if (count > 0) {
            void* data = nullptr;
            CheckHr(SafeArrayAccessData(sa, &data));
            std::memcpy(bytes.data(), data, bytes.size());
            SafeArrayUnaccessData(sa);
        }
        return OleVariant::ByteArray(std::move(bytes));
    }
    OleVariant::Array elements;
    elements.reserve(static_cast<size_t>(count > 0 ? count : 0));
    for (LONG i = low; i <= high; ++i) {
        VARIANT item;
        VariantInit(&item);
        if (elementType == VT_VARIANT) {
            CheckHr(SafeArrayGetElement(sa, &i, &item));
        } else {
            // Typed arrays (of integers, strings, ...) arrive as arrays of variants of that type.
            item.vt = elementType;
            if (elementType == VT_BSTR)
                CheckHr(SafeArrayGetElement(sa, &i, &item.bstrVal));
            else
                CheckHr(SafeArrayGetElement(sa, &i, &item.llVal));
        }
        try {
            elements.push_back(FromVariant(&item));
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

} // namespace

OleVariant FromVariant(const VARIANT* v) {
    if (!v)
        return {};
    const VARTYPE vt = v->vt;
    if (vt == (VT_BYREF | VT_VARIANT))
        return FromVariant(v->pvarVal);
    if (vt & VT_ARRAY) {
        SAFEARRAY* sa = (vt & VT_BYREF) ? (v->pparray ? *v->pparray : nullptr) : v->parray;
        return FromSafeArray(sa, vt & VT_TYPEMASK);
    }
    if (vt & VT_BYREF) {
        VARIANT copy;
        VariantInit(&copy);
        CheckHr(VariantCopyInd(&copy, const_cast<VARIANT*>(v)));
        OleVariant r;
        try {
            r = FromVariant(&copy);
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
