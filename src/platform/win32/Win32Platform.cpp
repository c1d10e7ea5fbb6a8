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

#include "../WholeFile.h"
#include "Win32Text.h"

#include <filesystem>
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

// Where the profile functions keep a file: a bare name is in the Windows folder.
std::filesystem::path ProfileFilePath(const std::string& file) {
    const std::filesystem::path path = Widen(file);
    if (path.has_parent_path())
        return path;
    wchar_t folder[MAX_PATH];
    const UINT n = GetWindowsDirectoryW(folder, MAX_PATH);
    return std::filesystem::path(std::wstring(folder, n < MAX_PATH ? n : 0)) / path;
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

    // The system's profile functions edit a copy beside the file, which then takes the file's name
    // whole: a write that fails half way (no room on the disk) leaves the file as it was, where the
    // functions themselves rewrite it in place. A read-only file stays unwritten, as before.
    void WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value) override {
        const std::filesystem::path target = ProfileFilePath(file);
        std::filesystem::path temp = target;
        temp += ".tkvnew";
        SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(temp.c_str());
        const DWORD attributes = GetFileAttributesW(target.c_str());
        // Renaming over a read-only file is refused by Windows but not by every system that runs
        // the plug-in; it is refused here on all.
        bool ok =
            attributes == INVALID_FILE_ATTRIBUTES ||
            (!(attributes & FILE_ATTRIBUTE_READONLY) && CopyFileW(target.c_str(), temp.c_str(), FALSE) &&
             SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL));
        const std::string tempAnsi = Utf8ToAnsi(Narrow(temp.wstring()));
        ok = ok && WritePrivateProfileStringA(Utf8ToAnsi(section).c_str(), Utf8ToAnsi(key).c_str(),
                                              Utf8ToAnsi(value).c_str(), tempAnsi.c_str());
        // Flushes the system's cached copy of the file and lets go of it before the rename.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, tempAnsi.c_str());
        if (!ok) {
            DeleteFileW(temp.c_str());
            throw std::runtime_error("设置文件" + file + "不能写入（只读、被占用或磁盘已满）");
        }
        if (!PutFileInPlace(temp, target))
            throw std::runtime_error("设置文件" + file + "不能写入（只读、被占用或磁盘已满）");
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
