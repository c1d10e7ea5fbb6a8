// Safe arrays, variants, BSTRs and UTF-8 conversion as OLE Automation documents them, for the
// native fuzz build of the boundary. Memory a caller hands in is used as the system would: a byref
// pointer is followed, a safe array's data is trusted to hold what its descriptor says.
#include "windows.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

thread_local DWORD lastError = 0;

// A safe array's element type is kept in front of its descriptor, as FADF_HAVEVARTYPE promises.
struct ArrayBlock {
    VARTYPE vt;
    alignas(std::max_align_t) unsigned char descriptor[1];
};

ArrayBlock* BlockOf(SAFEARRAY* sa) {
    return reinterpret_cast<ArrayBlock*>(reinterpret_cast<unsigned char*>(sa) -
                                         offsetof(ArrayBlock, descriptor));
}

// The size of one element of an array of vt, 0 when arrays of vt cannot be made.
ULONG ElementSize(VARTYPE vt) {
    switch (vt) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return 8;
    case VT_BSTR:
    case VT_UNKNOWN:
    case VT_DISPATCH:
        return sizeof(void*);
    case VT_VARIANT:
        return sizeof(VARIANT);
    default:
        return 0;
    }
}

USHORT FeaturesOf(VARTYPE vt) {
    switch (vt) {
    case VT_BSTR:
        return FADF_BSTR;
    case VT_UNKNOWN:
        return FADF_UNKNOWN;
    case VT_DISPATCH:
        return FADF_DISPATCH;
    case VT_VARIANT:
        return FADF_VARIANT;
    default:
        return 0;
    }
}

bool IsScalar(VARTYPE vt) {
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_ERROR:
    case VT_BOOL:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
        return true;
    default:
        return false;
    }
}

// Interface pointers are not reference counted here; only null ones may be copied or cleared.
void CheckNoInterface(const void* p) {
    if (p)
        std::abort();
}

ULONG ElementCount(const SAFEARRAY* sa) {
    ULONG n = 1;
    for (USHORT d = 0; d < sa->cDims; ++d)
        n *= sa->rgsabound[d].cElements;
    return n;
}

void* ElementAt(SAFEARRAY* sa, ULONG i) {
    return static_cast<unsigned char*>(sa->pvData) + static_cast<std::size_t>(i) * sa->cbElements;
}

void ClearElement(SAFEARRAY* sa, void* e) {
    if (sa->fFeatures & FADF_BSTR)
        SysFreeString(*static_cast<BSTR*>(e));
    else if (sa->fFeatures & FADF_VARIANT)
        VariantClear(static_cast<VARIANT*>(e));
    else if (sa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH))
        CheckNoInterface(*static_cast<void**>(e));
}

// Copies one element the way the array's features say: strings and variants deeply.
HRESULT CopyElement(const SAFEARRAY* sa, void* to, const void* from) {
    if (sa->fFeatures & FADF_BSTR) {
        const BSTR s = *static_cast<const BSTR*>(from);
        BSTR copy = s ? SysAllocStringLen(s, SysStringLen(s)) : nullptr;
        if (s && !copy)
            return E_OUTOFMEMORY;
        *static_cast<BSTR*>(to) = copy;
        return S_OK;
    }
    if (sa->fFeatures & FADF_VARIANT)
        return VariantCopy(static_cast<VARIANT*>(to), static_cast<const VARIANT*>(from));
    if (sa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH))
        CheckNoInterface(*static_cast<void* const*>(from));
    std::memcpy(to, from, sa->cbElements);
    return S_OK;
}

HRESULT ElementIndex(SAFEARRAY* sa, const LONG* indices, ULONG* index) {
    if (!sa || !indices)
        return E_INVALIDARG;
    ULONG at = 0;
    // Bounds are stored last dimension first; the first index varies fastest.
    for (int d = 0; d < sa->cDims; ++d) {
        const SAFEARRAYBOUND& b = sa->rgsabound[d];
        const ULONG offset = static_cast<ULONG>(indices[sa->cDims - 1 - d]) - static_cast<ULONG>(b.lLbound);
        if (offset >= b.cElements)
            return DISP_E_BADINDEX;
        at = at * b.cElements + offset;
    }
    *index = at;
    return S_OK;
}

void PutUnit(char32_t cp, LPWSTR out, int outLength, int& n) {
    auto put = [&](wchar_t unit) {
        if (out && n < outLength)
            out[n] = unit;
        ++n;
    };
    if (cp >= 0x10000) {
        cp -= 0x10000;
        put(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        put(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        put(static_cast<wchar_t>(cp));
    }
}

// One code point of UTF-8 at text[i..length), or U+FFFD for a byte that starts no valid sequence.
char32_t DecodeUtf8(const unsigned char* text, int length, int& i) {
    const unsigned char lead = text[i];
    int extra = 0;
    char32_t cp = 0, low = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, cp = lead & 0x1F, low = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, cp = lead & 0x0F, low = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, cp = lead & 0x07, low = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + extra >= length) { // cut short
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((text[i + k] & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (text[i + k] & 0x3F);
    }
    if (cp < low || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += extra + 1;
    return cp;
}

void PutUtf8(char32_t cp, LPSTR out, int outLength, int& n) {
    unsigned char bytes[4];
    int count = 0;
    if (cp < 0x80) {
        bytes[count++] = static_cast<unsigned char>(cp);
    } else if (cp < 0x800) {
        bytes[count++] = static_cast<unsigned char>(0xC0 | (cp >> 6));
        bytes[count++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        bytes[count++] = static_cast<unsigned char>(0xE0 | (cp >> 12));
        bytes[count++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[count++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    } else {
        bytes[count++] = static_cast<unsigned char>(0xF0 | (cp >> 18));
        bytes[count++] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
        bytes[count++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[count++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
    for (int k = 0; k < count; ++k) {
        if (out && n < outLength)
            out[n] = static_cast<char>(bytes[k]);
        ++n;
    }
}

} // namespace

DWORD GetLastError() {
    return lastError;
}

void SetLastError(DWORD error) {
    lastError = error;
}

int MultiByteToWideChar(UINT codePage, DWORD, LPCCH text, int length, LPWSTR out, int outLength) {
    if (codePage != CP_UTF8 || !text || length == 0 || outLength < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (length < 0)
        length = static_cast<int>(std::strlen(text)) + 1;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    int n = 0;
    for (int i = 0; i < length;)
        PutUnit(DecodeUtf8(bytes, length, i), out, outLength, n);
    if (out && n > outLength) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return n;
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWCH text, int length, LPSTR out, int outLength,
                        LPCCH defaultChar, LPBOOL usedDefaultChar) {
    // UTF-8 takes no replacement character: asking for one is an error.
    if (codePage != CP_UTF8 || defaultChar || usedDefaultChar || !text || length == 0 || outLength < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (length < 0) {
        length = 0;
        while (text[length])
            ++length;
        ++length;
    }
    int n = 0;
    for (int i = 0; i < length; ++i) {
        const auto unit = static_cast<char32_t>(text[i]);
        char32_t cp = unit;
        if (unit > 0xFFFF || (unit >= 0xDC00 && unit <= 0xDFFF)) {
            cp = 0xFFFD;
        } else if (unit >= 0xD800 && unit <= 0xDBFF) {
            const auto next = i + 1 < length ? static_cast<char32_t>(text[i + 1]) : 0;
            if (next >= 0xDC00 && next <= 0xDFFF) {
                cp = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
                ++i;
            } else {
                cp = 0xFFFD;
            }
        }
        PutUtf8(cp, out, outLength, n);
    }
    if (out && n > outLength) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return n;
}

BSTR SysAllocStringLen(const OLECHAR* s, UINT length) {
    if (length > 0x7FFFFFF0u / sizeof(OLECHAR))
        return nullptr;
    const std::size_t bytes = static_cast<std::size_t>(length) * sizeof(OLECHAR);
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(std::uint32_t) + bytes + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    const auto prefix = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &prefix, sizeof prefix);
    auto* chars = reinterpret_cast<OLECHAR*>(block + sizeof prefix);
    if (s)
        std::memcpy(chars, s, bytes);
    else
        std::memset(chars, 0, bytes);
    chars[length] = 0;
    return chars;
}

BSTR SysAllocString(const OLECHAR* s) {
    if (!s)
        return nullptr;
    UINT length = 0;
    while (s[length])
        ++length;
    return SysAllocStringLen(s, length);
}

void SysFreeString(BSTR s) {
    if (s)
        std::free(reinterpret_cast<unsigned char*>(s) - sizeof(std::uint32_t));
}

UINT SysStringLen(BSTR s) {
    if (!s)
        return 0;
    std::uint32_t prefix;
    std::memcpy(&prefix, reinterpret_cast<unsigned char*>(s) - sizeof prefix, sizeof prefix);
    return prefix / sizeof(OLECHAR);
}

void VariantInit(VARIANTARG* v) {
    v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANTARG* v) {
    const VARTYPE vt = v->vt;
    if (vt & VT_BYREF) {
        // What a reference points to belongs to its owner.
    } else if (vt & VT_ARRAY) {
        if (v->parray) {
            const HRESULT hr = SafeArrayDestroy(v->parray);
            if (FAILED(hr))
                return hr;
        }
    } else if (vt == VT_BSTR) {
        SysFreeString(v->bstrVal);
    } else if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
        CheckNoInterface(v->punkVal);
    } else if (!IsScalar(vt)) {
        return DISP_E_BADVARTYPE;
    }
    v->vt = VT_EMPTY;
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* src) {
    if (dest == src)
        return S_OK;
    const VARTYPE vt = src->vt;
    if (!(vt & (VT_BYREF | VT_ARRAY)) && !IsScalar(vt) && vt != VT_BSTR && vt != VT_UNKNOWN &&
        vt != VT_DISPATCH)
        return DISP_E_BADVARTYPE;
    HRESULT hr = VariantClear(dest);
    if (FAILED(hr))
        return hr;
    if ((vt & VT_ARRAY) && !(vt & VT_BYREF)) {
        SAFEARRAY* copy = nullptr;
        if (src->parray && FAILED(hr = SafeArrayCopy(src->parray, &copy)))
            return hr;
        *dest = *src;
        dest->parray = copy;
        return S_OK;
    }
    if (vt == VT_BSTR) {
        BSTR copy = src->bstrVal ? SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal)) : nullptr;
        if (src->bstrVal && !copy)
            return E_OUTOFMEMORY;
        *dest = *src;
        dest->bstrVal = copy;
        return S_OK;
    }
    if (vt == VT_UNKNOWN || vt == VT_DISPATCH)
        CheckNoInterface(src->punkVal);
    *dest = *src;
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* src) {
    if (!(src->vt & VT_BYREF))
        return VariantCopy(dest, src);
    const VARTYPE vt = src->vt & ~VT_BYREF;
    VARIANT value;
    VariantInit(&value);
    if (vt == VT_VARIANT) {
        if (src->pvarVal->vt == (VT_BYREF | VT_VARIANT))
            return E_INVALIDARG;
        value = *src->pvarVal;
    } else if (vt & VT_ARRAY) {
        value.vt = vt;
        value.parray = *src->pparray;
    } else if (vt == VT_BSTR) {
        value.vt = vt;
        value.bstrVal = *src->pbstrVal;
    } else if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
        value.vt = vt;
        value.punkVal = *src->ppunkVal;
    } else if (IsScalar(vt) && vt != VT_EMPTY && vt != VT_NULL) {
        value.vt = vt;
        std::memcpy(&value.llVal, src->byref, ElementSize(vt));
    } else {
        return DISP_E_BADVARTYPE;
    }
    if (src == dest) {
        VARIANT copy;
        VariantInit(&copy);
        const HRESULT hr = VariantCopy(&copy, &value);
        if (SUCCEEDED(hr))
            *dest = copy;
        return hr;
    }
    return VariantCopy(dest, &value);
}

HRESULT VarCyFromR8(DOUBLE in, CY* out) {
    const double scaled = in * 10000.0;
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0))
        return DISP_E_OVERFLOW;
    out->int64 = static_cast<LONGLONG>(std::nearbyint(scaled));
    return S_OK;
}

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds) {
    const ULONG size = ElementSize(vt);
    if (dims == 0 || dims > 0xFFFF || !bounds || size == 0)
        return nullptr;
    std::size_t count = 1;
    for (UINT d = 0; d < dims; ++d) {
        count *= bounds[d].cElements;
        if (count > (std::size_t{1} << 31) / size)
            return nullptr;
    }
    const std::size_t descriptor = offsetof(SAFEARRAY, rgsabound) + dims * sizeof(SAFEARRAYBOUND);
    auto* block = static_cast<ArrayBlock*>(std::calloc(1, offsetof(ArrayBlock, descriptor) + descriptor));
    if (!block)
        return nullptr;
    block->vt = vt;
    auto* sa = reinterpret_cast<SAFEARRAY*>(block->descriptor);
    sa->cDims = static_cast<USHORT>(dims);
    sa->fFeatures = static_cast<USHORT>(FADF_HAVEVARTYPE | FeaturesOf(vt));
    sa->cbElements = size;
    for (UINT d = 0; d < dims; ++d)
        sa->rgsabound[dims - 1 - d] = bounds[d];
    sa->pvData = std::calloc(count ? count : 1, size);
    if (!sa->pvData) {
        std::free(block);
        return nullptr;
    }
    return sa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowBound, ULONG elements) {
    SAFEARRAYBOUND bound{elements, lowBound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* sa) {
    if (!sa)
        return S_OK;
    if (sa->cLocks)
        return DISP_E_ARRAYISLOCKED;
    const ULONG count = ElementCount(sa);
    for (ULONG i = 0; i < count; ++i)
        ClearElement(sa, ElementAt(sa, i));
    std::free(sa->pvData);
    std::free(BlockOf(sa));
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* sa, SAFEARRAY** out) {
    *out = nullptr;
    if (!sa)
        return S_OK;
    SAFEARRAYBOUND bounds[64];
    if (sa->cDims > 64)
        return E_INVALIDARG;
    for (USHORT d = 0; d < sa->cDims; ++d)
        bounds[d] = sa->rgsabound[sa->cDims - 1 - d];
    SAFEARRAY* copy = SafeArrayCreate(BlockOf(sa)->vt, sa->cDims, bounds);
    if (!copy)
        return E_OUTOFMEMORY;
    const ULONG count = ElementCount(sa);
    for (ULONG i = 0; i < count; ++i) {
        const HRESULT hr = CopyElement(sa, ElementAt(copy, i), ElementAt(sa, i));
        if (FAILED(hr)) {
            SafeArrayDestroy(copy);
            return hr;
        }
    }
    *out = copy;
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* sa) {
    return sa ? sa->cDims : 0;
}

UINT SafeArrayGetElemsize(SAFEARRAY* sa) {
    return sa ? sa->cbElements : 0;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* sa, VARTYPE* vt) {
    if (!sa || !vt)
        return E_INVALIDARG;
    if (sa->fFeatures & FADF_HAVEVARTYPE)
        *vt = BlockOf(sa)->vt;
    else if (sa->fFeatures & FADF_BSTR)
        *vt = VT_BSTR;
    else if (sa->fFeatures & FADF_UNKNOWN)
        *vt = VT_UNKNOWN;
    else if (sa->fFeatures & FADF_DISPATCH)
        *vt = VT_DISPATCH;
    else if (sa->fFeatures & FADF_VARIANT)
        *vt = VT_VARIANT;
    else
        return E_INVALIDARG;
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* sa, UINT dim, LONG* bound) {
    if (!sa || !bound)
        return E_INVALIDARG;
    if (dim < 1 || dim > sa->cDims)
        return DISP_E_BADINDEX;
    *bound = sa->rgsabound[sa->cDims - dim].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* sa, UINT dim, LONG* bound) {
    if (!sa || !bound)
        return E_INVALIDARG;
    if (dim < 1 || dim > sa->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& b = sa->rgsabound[sa->cDims - dim];
    // Computed as the system does, in 32 bits: a range past the largest index wraps.
    *bound = static_cast<LONG>(static_cast<ULONG>(b.lLbound) + b.cElements - 1);
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* sa, void** data) {
    if (!sa || !data)
        return E_INVALIDARG;
    ++sa->cLocks;
    *data = sa->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* sa) {
    if (!sa)
        return E_INVALIDARG;
    if (sa->cLocks == 0)
        return E_UNEXPECTED;
    --sa->cLocks;
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* sa, LONG* indices, void* out) {
    ULONG at = 0;
    const HRESULT hr = ElementIndex(sa, indices, &at);
    if (FAILED(hr))
        return hr;
    if (!out)
        return E_INVALIDARG;
    if (sa->fFeatures & FADF_VARIANT)
        VariantInit(static_cast<VARIANT*>(out));
    return CopyElement(sa, out, ElementAt(sa, at));
}

HRESULT SafeArrayPutElement(SAFEARRAY* sa, LONG* indices, void* value) {
    ULONG at = 0;
    const HRESULT hr = ElementIndex(sa, indices, &at);
    if (FAILED(hr))
        return hr;
    if (!value)
        return E_INVALIDARG;
    void* slot = ElementAt(sa, at);
    if (sa->fFeatures & FADF_BSTR) {
        // The value is the string itself, not a pointer to it.
        const auto s = static_cast<BSTR>(value);
        BSTR copy = SysAllocStringLen(s, SysStringLen(s));
        if (!copy)
            return E_OUTOFMEMORY;
        SysFreeString(*static_cast<BSTR*>(slot));
        *static_cast<BSTR*>(slot) = copy;
        return S_OK;
    }
    if (sa->fFeatures & FADF_VARIANT)
        return VariantCopy(static_cast<VARIANT*>(slot), static_cast<const VARIANT*>(value));
    ClearElement(sa, slot);
    std::memcpy(slot, value, sa->cbElements);
    return S_OK;
}
