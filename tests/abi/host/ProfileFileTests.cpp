// Remembered settings written through the platform's profile functions on Windows: the file is
// replaced by a complete edited copy or not at all, and keeps what the plug-in did not write.
#include "Check.h"
#include "HostStrings.h"
#include "TestLibraries.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace abitest {
namespace {

// A fresh folder under the temporary folder, removed with what it holds.
class ProfileFolder {
public:
    ProfileFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"tkvprofile-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ProfileFolder() {
        WIN32_FIND_DATAW f;
        const HANDLE h = FindFirstFileW((path_ + L"*").c_str(), &f);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = path_ + f.cFileName;
                SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(name.c_str());
            } while (FindNextFileW(h, &f));
            FindClose(h);
        }
        RemoveDirectoryW(path_.c_str());
    }
    std::wstring File(const std::wstring& name) const { return path_ + name; }
    int FileCount() const {
        int n = 0;
        WIN32_FIND_DATAW f;
        const HANDLE h = FindFirstFileW((path_ + L"*").c_str(), &f);
        if (h == INVALID_HANDLE_VALUE)
            return 0;
        do {
            n += (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        } while (FindNextFileW(h, &f));
        FindClose(h);
        return n;
    }

private:
    std::wstring path_;
};

std::string Bytes(const std::wstring& file) {
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const std::wstring& file, const std::string& bytes) {
    std::ofstream(std::filesystem::path(file), std::ios::binary | std::ios::trunc) << bytes;
}

bool Write(const std::wstring& file, const std::string& section, const std::string& key,
           const std::string& value) {
    return Probe().WriteProfile(FromWide(file.c_str()).c_str(), section.c_str(), key.c_str(),
                                value.c_str()) == 1;
}

} // namespace

TEST_CASE("a profile value replaces the file with an edited copy that keeps every other line") {
    ProfileFolder folder;
    const std::wstring ini = folder.File(L"TKExportPath.ini");
    const std::string before = Gbk("; 导出目录\r\n[Path]\r\nExportPath=C:\\old\r\n[其他]\r\nA=1\r\n");
    Put(ini, before);
    CHECK(Write(ini, "Path", "ExportPath", "D:\\发票"));
    const std::string after = Bytes(ini);
    CHECK_EQ(after, Gbk("; 导出目录\r\n[Path]\r\nExportPath=D:\\发票\r\n[其他]\r\nA=1\r\n"));
    CHECK_EQ(folder.FileCount(), 1); // no copy left beside it
    char value[64] = {};
    GetPrivateProfileStringA("Path", "ExportPath", "", value, sizeof value, FromWide(ini.c_str()).c_str());
    CHECK_EQ(std::string(value), Gbk("D:\\发票"));
}

TEST_CASE("a profile that is not there yet is made") {
    ProfileFolder folder;
    const std::wstring ini = folder.File(L"BillstatusDefault.int");
    CHECK(Write(ini, "Bill", "Status", "2"));
    CHECK_EQ(Bytes(ini), std::string("[Bill]\r\nStatus=2\r\n"));
    CHECK_EQ(folder.FileCount(), 1);
}

TEST_CASE("a profile changed by someone else between two writes keeps that change") {
    ProfileFolder folder;
    const std::wstring ini = folder.File(L"TKExportPath.ini");
    CHECK(Write(ini, "Path", "First", "1"));
    Put(ini, "[Path]\r\nTheirs=2\r\n");
    CHECK(Write(ini, "Path", "Second", "3"));
    CHECK_EQ(Bytes(ini), std::string("[Path]\r\nTheirs=2\r\nSecond=3\r\n"));
}

TEST_CASE("a profile that cannot be written stays as it was, with nothing left beside it") {
    ProfileFolder folder;
    const std::wstring ini = folder.File(L"TKExportPath.ini");
    const std::string before = "[Path]\r\nExportPath=C:\\old\r\n";
    Put(ini, before);
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    CHECK(!Write(ini, "Path", "ExportPath", "D:\\new"));
    CHECK_EQ(Bytes(ini), before);
    CHECK_EQ(folder.FileCount(), 1);
    // A folder that is gone.
    CHECK(!Write(folder.File(L"gone\\TKExportPath.ini"), "Path", "ExportPath", "D:\\new"));
    CHECK_EQ(folder.FileCount(), 1);
}

} // namespace abitest
