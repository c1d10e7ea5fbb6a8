// The Win32 platform layer: this library's own module, dynamic libraries, profile files, GUIDs,
// the system 8-bit code page and the local clock, through the Windows API.
// Core declarations come before the Windows headers, whose S_OK and E_NOINTERFACE are macros.
#include "../../Interface/Unknown.h"
#include "../NativePlatform.h"
#include "../Platform.h"

#include <windows.h>
// After windows.h, which they build on.
#include <objbase.h>
#include <oleauto.h>
// The platform interface names methods after these; the A/W macros would rename them.
#undef LoadLibrary
#undef WriteProfileString

#include "Win32Text.h"

#include <stdexcept>
#include <vector>

namespace tkv {

namespace {

std::wstring Widen(const std::string& utf8) {
    return win32::Utf8ToWide(utf8);
}
std::string Narrow(const std::wstring& w) {
    return win32::WideToUtf8(w.data(), w.size());
}

class Win32Platform final : public IPlatform {
public:
    std::string ModuleFileName() override {
        HMODULE self = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&NativePlatform), &self);
        std::vector<wchar_t> buf(MAX_PATH);
        for (;;) {
            const DWORD n = GetModuleFileNameW(self, buf.data(), static_cast<DWORD>(buf.size()));
            if (n < buf.size())
                return Narrow(std::wstring(buf.data(), n));
            buf.resize(buf.size() * 2);
        }
    }

    char PathDelim() override { return '\\'; }

    std::string SystemFolder() override {
        wchar_t buf[MAX_PATH];
        const UINT n = GetSystemDirectoryW(buf, MAX_PATH);
        return Narrow(std::wstring(buf, n < MAX_PATH ? n : 0));
    }

    LibraryHandle LoadLibrary(const std::string& path) override {
        return reinterpret_cast<LibraryHandle>(LoadLibraryW(Widen(path).c_str()));
    }

    void FreeLibrary(LibraryHandle library) override {
        if (library)
            ::FreeLibrary(static_cast<HMODULE>(library));
    }

    void* GetProcAddress(LibraryHandle library, const std::string& name) override {
        if (!library)
            return nullptr;
        return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name.c_str()));
    }

    // The A functions, so that the files keep the system code page as the host's own tools write it.
    std::string ReadProfileString(const std::string& file, const std::string& section, const std::string& key,
                                  const std::string& defaultValue) override {
        const std::string f = Utf8ToAnsi(file), s = Utf8ToAnsi(section), k = Utf8ToAnsi(key),
                          d = Utf8ToAnsi(defaultValue);
        std::vector<char> buf(1024);
        for (;;) {
            const DWORD n = GetPrivateProfileStringA(s.c_str(), k.c_str(), d.c_str(), buf.data(),
                                                     static_cast<DWORD>(buf.size()), f.c_str());
            if (n + 1 < buf.size())
                return AnsiToUtf8(std::string(buf.data(), n));
            buf.resize(buf.size() * 4);
        }
    }

    void WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value) override {
        if (!WritePrivateProfileStringA(Utf8ToAnsi(section).c_str(), Utf8ToAnsi(key).c_str(),
                                        Utf8ToAnsi(value).c_str(), Utf8ToAnsi(file).c_str()))
            throw std::runtime_error("cannot write " + file);
    }

    std::string NewGuid() override {
        GUID g;
        if (FAILED(CoCreateGuid(&g)))
            throw std::runtime_error("cannot create a GUID");
        TGUID t;
        t.D1 = g.Data1;
        t.D2 = g.Data2;
        t.D3 = g.Data3;
        for (int i = 0; i < 8; ++i)
            t.D4[i] = g.Data4[i];
        return t.ToString();
    }

    std::string Utf8ToAnsi(const std::string& utf8) override { return win32::Utf8ToAnsi(utf8); }
    std::string AnsiToUtf8(const std::string& ansi) override { return win32::AnsiToUtf8(ansi); }

    unsigned AnsiCodePage() override { return GetACP(); }

    TDateTime Now() override {
        SYSTEMTIME st;
        GetLocalTime(&st);
        double date = 0;
        SystemTimeToVariantTime(&st, &date);
        // SystemTimeToVariantTime drops the milliseconds.
        return date + st.wMilliseconds / 86400000.0;
    }
};

} // namespace

std::unique_ptr<IPlatform> CreateNativePlatform() {
    return std::make_unique<Win32Platform>();
}

} // namespace tkv
