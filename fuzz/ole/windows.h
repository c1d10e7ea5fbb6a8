// The part of the Windows API that the boundary's variant conversion calls, for the native fuzz
// build: OLE Automation's types with their documented fields, and its safe array, variant and
// string functions over ordinary memory, with the documented checks and results. UTF-8 is the only
// code page. Interface pointers (VT_UNKNOWN, VT_DISPATCH) are carried but only null ones are copied.
#pragma once

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using CHAR = char;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using WORD = std::uint16_t;
using INT = int;
using UINT = unsigned int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using FLOAT = float;
using DOUBLE = double;
using PVOID = void*;
using LPVOID = void*;
using WCHAR = wchar_t;
using OLECHAR = wchar_t;
using LPCSTR = const char*;
using LPSTR = char*;
using LPCWSTR = const wchar_t*;
using LPWSTR = wchar_t*;
using LPCCH = const char*;
using LPCWCH = const wchar_t*;
using LPBOOL = int*;
using BSTR = OLECHAR*;
using HRESULT = LONG;
using SCODE = LONG;
using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
using DATE = double;

struct GUID {
    ULONG Data1;
    USHORT Data2;
    USHORT Data3;
    BYTE Data4[8];
};
struct IUnknown;
struct IDispatch;

#define S_OK ((HRESULT)0)
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define DISP_E_TYPEMISMATCH ((HRESULT)0x80020005L)
#define DISP_E_BADVARTYPE ((HRESULT)0x80020008L)
#define DISP_E_OVERFLOW ((HRESULT)0x8002000AL)
#define DISP_E_BADINDEX ((HRESULT)0x8002000BL)
#define DISP_E_ARRAYISLOCKED ((HRESULT)0x8002000DL)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

#define CP_ACP 0
#define CP_UTF8 65001
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_INVALID_PARAMETER 87L

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_RECORD = 36,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

union CY {
    struct {
        ULONG Lo;
        LONG Hi;
    };
    LONGLONG int64;
};

struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};

struct SAFEARRAY {
    USHORT cDims;
    USHORT fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    PVOID pvData;
    SAFEARRAYBOUND rgsabound[1];
};

#define FADF_AUTO 0x0001
#define FADF_STATIC 0x0002
#define FADF_EMBEDDED 0x0004
#define FADF_FIXEDSIZE 0x0010
#define FADF_RECORD 0x0020
#define FADF_HAVEIID 0x0040
#define FADF_HAVEVARTYPE 0x0080
#define FADF_BSTR 0x0100
#define FADF_UNKNOWN 0x0200
#define FADF_DISPATCH 0x0400
#define FADF_VARIANT 0x0800

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONGLONG llVal;
        LONG lVal;
        BYTE bVal;
        SHORT iVal;
        FLOAT fltVal;
        DOUBLE dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        CY cyVal;
        DATE date;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        SAFEARRAY* parray;
        BYTE* pbVal;
        SHORT* piVal;
        LONG* plVal;
        LONGLONG* pllVal;
        FLOAT* pfltVal;
        DOUBLE* pdblVal;
        VARIANT_BOOL* pboolVal;
        SCODE* pscode;
        CY* pcyVal;
        DATE* pdate;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        SAFEARRAY** pparray;
        VARIANT* pvarVal;
        PVOID byref;
        CHAR cVal;
        USHORT uiVal;
        ULONG ulVal;
        ULONGLONG ullVal;
        INT intVal;
        UINT uintVal;
        CHAR* pcVal;
        USHORT* puiVal;
        ULONG* pulVal;
        ULONGLONG* pullVal;
        INT* pintVal;
        UINT* puintVal;
    };
};
using VARIANTARG = VARIANT;

DWORD GetLastError();
void SetLastError(DWORD error);
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH text, int length, LPWSTR out, int outLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH text, int length, LPSTR out, int outLength,
                        LPCCH defaultChar, LPBOOL usedDefaultChar);

BSTR SysAllocString(const OLECHAR* s);
BSTR SysAllocStringLen(const OLECHAR* s, UINT length);
void SysFreeString(BSTR s);
UINT SysStringLen(BSTR s);

void VariantInit(VARIANTARG* v);
HRESULT VariantClear(VARIANTARG* v);
HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* src);
HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* src);
HRESULT VarCyFromR8(DOUBLE in, CY* out);

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds);
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowBound, ULONG elements);
HRESULT SafeArrayDestroy(SAFEARRAY* sa);
HRESULT SafeArrayCopy(SAFEARRAY* sa, SAFEARRAY** out);
UINT SafeArrayGetDim(SAFEARRAY* sa);
UINT SafeArrayGetElemsize(SAFEARRAY* sa);
HRESULT SafeArrayGetVartype(SAFEARRAY* sa, VARTYPE* vt);
HRESULT SafeArrayGetLBound(SAFEARRAY* sa, UINT dim, LONG* bound);
HRESULT SafeArrayGetUBound(SAFEARRAY* sa, UINT dim, LONG* bound);
HRESULT SafeArrayAccessData(SAFEARRAY* sa, void** data);
HRESULT SafeArrayUnaccessData(SAFEARRAY* sa);
HRESULT SafeArrayGetElement(SAFEARRAY* sa, LONG* indices, void* out);
HRESULT SafeArrayPutElement(SAFEARRAY* sa, LONG* indices, void* value);
