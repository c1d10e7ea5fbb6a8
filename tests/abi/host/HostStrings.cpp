// Host-side strings and variants for the boundary tests.
#include "HostStrings.h"

#include <cstring>
#include <stdexcept>

namespace abitest {
namespace {

// The framework's register convention: the one argument in EAX.
#if defined(__i386__)
#define FRAMEWORK_REGISTER __attribute__((regparm(3), stdcall))
#else
#define FRAMEWORK_REGISTER
#endif
using GetMemFn = void*(FRAMEWORK_REGISTER*)(std::int32_t);
using FreeMemFn = std::int32_t(FRAMEWORK_REGISTER*)(void*);
using LiveFn = std::int32_t (*)();

GetMemFn getMem = nullptr;
FreeMemFn freeMem = nullptr;
LiveFn live = nullptr;

struct Header {
    std::int32_t ref, len;
};
Header* H(const char* s) {
    return reinterpret_cast<Header*>(const_cast<char*>(s)) - 1;
}

std::string Convert(const std::string& in, UINT from, UINT to) {
    if (in.empty())
        return {};
    const int wn = MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(wn), L'\0');
    MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), w.data(), wn);
    const int n = WideCharToMultiByte(to, 0, w.data(), wn, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(to, 0, w.data(), wn, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

bool BindHostMemory(const std::wstring& folder) {
    HMODULE m = LoadLibraryW((folder + L"borlndmm.dll").c_str());
    if (!m)
        return false;
    getMem =
        reinterpret_cast<GetMemFn>(reinterpret_cast<void*>(GetProcAddress(m, "@Borlndmm@SysGetMem$qqri")));
    freeMem =
        reinterpret_cast<FreeMemFn>(reinterpret_cast<void*>(GetProcAddress(m, "@Borlndmm@SysFreeMem$qqrpv")));
    live = reinterpret_cast<LiveFn>(reinterpret_cast<void*>(GetProcAddress(m, "BorlndmmLiveBlocks")));
    return getMem && freeMem && live;
}

int LiveBlocks() {
    return live();
}

void* HostGetMem(std::size_t size) {
    return getMem(static_cast<std::int32_t>(size));
}

void HostFreeMem(void* p) {
    freeMem(p);
}

char* HostNewAnsi(const std::string& bytes) {
    if (bytes.empty())
        return nullptr;
    auto* h = static_cast<Header*>(getMem(static_cast<std::int32_t>(sizeof(Header) + bytes.size() + 1)));
    h->ref = 1;
    h->len = static_cast<std::int32_t>(bytes.size());
    char* s = reinterpret_cast<char*>(h + 1);
    std::memcpy(s, bytes.data(), bytes.size() + 1);
    return s;
}

void HostReleaseAnsi(char* s) {
    if (s && H(s)->ref > 0 && --H(s)->ref == 0)
        freeMem(H(s));
}

void HostAssignAnsi(char** slot, const std::string& bytes) {
    char* old = *slot;
    *slot = HostNewAnsi(bytes);
    HostReleaseAnsi(old);
}

std::int32_t HostAnsiRefCount(const char* s) {
    return s ? H(s)->ref : 0;
}

std::string HostAnsiBytes(const char* s) {
    if (!s)
        return {};
    if (s[H(s)->len] != '\0')
        throw std::runtime_error("8-bit string without its terminating zero");
    return std::string(s, static_cast<size_t>(H(s)->len));
}

std::string Gbk(const std::string& utf8) {
    return Convert(utf8, CP_UTF8, 936);
}
std::string FromGbk(const std::string& gbk) {
    return Convert(gbk, 936, CP_UTF8);
}

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string FromWide(const wchar_t* s) {
    if (!s || !*s)
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::string FromBstr(BSTR s) {
    return FromWide(s);
}

VARIANT VarI4(LONG v) {
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_I4;
    r.lVal = v;
    return r;
}

VARIANT VarStr(const std::string& utf8) {
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_BSTR;
    r.bstrVal = SysAllocString(Wide(utf8).c_str());
    return r;
}

VARIANT VarBytes(const std::vector<std::uint8_t>& bytes, LONG lowBound) {
    VARIANT r;
    VariantInit(&r);
    SAFEARRAYBOUND b{static_cast<ULONG>(bytes.size()), lowBound};
    r.parray = SafeArrayCreate(VT_UI1, 1, &b);
    void* data = nullptr;
    SafeArrayAccessData(r.parray, &data);
    if (!bytes.empty())
        std::memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(r.parray);
    r.vt = VT_ARRAY | VT_UI1;
    return r;
}

VARIANT VarArrayOf(std::vector<VARIANT> items) {
    VARIANT r;
    VariantInit(&r);
    r.parray = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(items.size()));
    for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
        SafeArrayPutElement(r.parray, &i, &items[static_cast<size_t>(i)]);
        VariantClear(&items[static_cast<size_t>(i)]);
    }
    r.vt = VT_ARRAY | VT_VARIANT;
    return r;
}

std::vector<std::uint8_t> BytesOf(const VARIANT& v) {
    if (v.vt != (VT_ARRAY | VT_UI1))
        throw std::runtime_error("not a byte array");
    LONG lo = 0, hi = -1;
    SafeArrayGetLBound(v.parray, 1, &lo);
    SafeArrayGetUBound(v.parray, 1, &hi);
    std::vector<std::uint8_t> out(static_cast<size_t>(hi - lo + 1));
    void* data = nullptr;
    SafeArrayAccessData(v.parray, &data);
    if (!out.empty())
        std::memcpy(out.data(), data, out.size());
    SafeArrayUnaccessData(v.parray);
    return out;
}

LONG LowBoundOf(const VARIANT& v) {
    LONG lo = -99;
    if (v.vt & VT_ARRAY)
        SafeArrayGetLBound(v.parray, 1, &lo);
    return lo;
}

VARIANT ElementOf(const VARIANT& v, LONG i) {
    VARIANT r;
    VariantInit(&r);
    if (v.vt != (VT_ARRAY | VT_VARIANT))
        throw std::runtime_error("not a variant array");
    if (FAILED(SafeArrayGetElement(v.parray, &i, &r)))
        throw std::runtime_error("no element " + std::to_string(i));
    return r;
}

LONG CountOf(const VARIANT& v) {
    if (!(v.vt & VT_ARRAY))
        return -1;
    LONG lo = 0, hi = -1;
    SafeArrayGetLBound(v.parray, 1, &lo);
    SafeArrayGetUBound(v.parray, 1, &hi);
    return hi - lo + 1;
}

} // namespace abitest
