// The POSIX platform: module name, code page conversion, profile files on disk, GUIDs, libraries.
#include "platform/posix/PosixPlatform.h"
#include "Interface/Unknown.h"
#include "framework/DateTime.h"
#include "platform/FakePlatform.h"
#include "platform/Platform.h"
#include "platform/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

namespace tkv {
namespace {

using test::ReadBytes;
using test::TTempDir;
using test::WriteBytes;

TEST(PosixPlatform, ModuleFileNameIsTheAbsoluteFileThatHoldsTheCore) {
    TPosixPlatform p;
    const std::string name = p.ModuleFileName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.front(), '/');
    EXPECT_NE(name.find("tkv_tests"), std::string::npos) << name; // the core is linked into the test program
}

TEST(PosixPlatform, ConvertsChineseToCodePage936AndBack) {
    TPosixPlatform p(936);
    const std::string gbk = p.Utf8ToAnsi("中文Abc");
    EXPECT_EQ(gbk, "\xD6\xD0\xCE\xC4"
                   "Abc");
    EXPECT_EQ(p.AnsiToUtf8(gbk), "中文Abc");
    EXPECT_EQ(p.AnsiCodePage(), 936u);
}

TEST(PosixPlatform, UnmappableCharactersBecomeQuestionMarks) {
    TPosixPlatform p(936);
    EXPECT_EQ(p.Utf8ToAnsi("a\xF0\x9F\x98\x80"
                           "b"),
              "a?b"); // an emoji has no GBK form
    EXPECT_EQ(p.Utf8ToAnsi("a\xFF"
                           "b"),
              "a?b");                       // not UTF-8 at all
    EXPECT_EQ(p.AnsiToUtf8("x\x81"), "x?"); // lead byte cut off at the end
}

TEST(PosixPlatform, CodePageIsConfigurable) {
    TPosixPlatform p(1252);
    EXPECT_EQ(p.Utf8ToAnsi("é"), "\xE9");
    EXPECT_EQ(p.Utf8ToAnsi("中"), "?");
}

TEST(PosixPlatform, UnknownCodePageIsRefused) {
    EXPECT_THROW(TPosixPlatform(4), std::runtime_error);
}

TEST(PosixPlatform, GuidsAreRandomVersion4InUpperCaseRegistryForm) {
    TPosixPlatform p;
    std::set<std::string> seen;
    for (int i = 0; i < 20; ++i) {
        const std::string g = p.NewGuid();
        ASSERT_EQ(g.size(), 38u);
        EXPECT_NO_THROW(TGUID::Parse(g));
        EXPECT_EQ(g[15], '4') << g;
        EXPECT_NE(std::string("89AB").find(g[20]), std::string::npos) << g;
        for (char c : g)
            EXPECT_FALSE(c >= 'a' && c <= 'z') << g;
        seen.insert(g);
    }
    EXPECT_EQ(seen.size(), 20u);
}

TEST(PosixPlatform, SystemFolderComesFromTheEnvironment) {
    TPosixPlatform p;
    setenv("TKV_SYSTEM_DIR", "/opt/sys/", 1);
    EXPECT_EQ(p.SystemFolder(), "/opt/sys");
    unsetenv("TKV_SYSTEM_DIR");
    EXPECT_EQ(p.SystemFolder(), "/usr/lib");
}

TEST(PosixPlatform, MissingLibraryGivesNoHandle) {
    TPosixPlatform p;
    EXPECT_EQ(p.LoadLibrary("/no/such/library.so"), nullptr);
    EXPECT_EQ(p.GetProcAddress(nullptr, "x"), nullptr);
}

TEST(PosixPlatform, LoadsASystemLibraryAndFindsItsEntryPoint) {
    TPosixPlatform p;
    LibraryHandle lib = p.LoadLibrary("libm.so.6");
    ASSERT_NE(lib, nullptr);
    EXPECT_NE(p.GetProcAddress(lib, "cos"), nullptr);
    EXPECT_EQ(p.GetProcAddress(lib, "no_such_entry"), nullptr);
    p.FreeLibrary(lib);
}

TEST(PosixPlatform, NowIsTheLocalClock) {
    TPosixPlatform p;
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    const DateParts parts = DecodeDateTime(p.Now());
    EXPECT_EQ(parts.year, local.tm_year + 1900);
    EXPECT_EQ(parts.month, local.tm_mon + 1);
    EXPECT_EQ(parts.day, local.tm_mday);
}

TEST(PosixProfile, MissingFileOrKeyGivesTheDefault) {
    TTempDir dir;
    TPosixPlatform p;
    EXPECT_EQ(p.ReadProfileString(dir.File("none.ini"), "set", "path", "dflt"), "dflt");
    WriteBytes(dir.File("a.ini"), "[set]\r\nother=1\r\n");
    EXPECT_EQ(p.ReadProfileString(dir.File("a.ini"), "set", "path", "dflt"), "dflt");
    EXPECT_EQ(p.ReadProfileString(dir.File("a.ini"), "nosection", "other", "dflt"), "dflt");
}

TEST(PosixProfile, SectionsAndKeysIgnoreLetterCase) {
    TTempDir dir;
    TPosixPlatform p;
    WriteBytes(dir.File("a.ini"), "[Set]\r\n  ExportPath = /data/out  \r\n");
    EXPECT_EQ(p.ReadProfileString(dir.File("a.ini"), "SET", "exportpath", ""), "/data/out");
}

TEST(PosixProfile, WritesInPlaceKeepingEveryOtherLine) {
    TTempDir dir;
    TPosixPlatform p;
    const std::string file = dir.File("a.ini");
    WriteBytes(file, "; remembered values\r\n[other]\r\npath=x\r\n[SET]\r\nPath=old\r\nmode=2\r\n");
    p.WriteProfileString(file, "set", "path", "new");
    EXPECT_EQ(ReadBytes(file), "; remembered values\r\n[other]\r\npath=x\r\n[SET]\r\nPath=new\r\nmode=2\r\n");
}

TEST(PosixProfile, NewKeyGoesToTheEndOfItsSectionAndNewSectionToTheEnd) {
    TTempDir dir;
    TPosixPlatform p;
    const std::string file = dir.File("a.ini");
    WriteBytes(file, "[set]\nmode=2\n\n[other]\nx=1");
    p.WriteProfileString(file, "set", "path", "p");
    EXPECT_EQ(ReadBytes(file), "[set]\nmode=2\npath=p\n\n[other]\nx=1");
    p.WriteProfileString(file, "third", "k", "v");
    EXPECT_EQ(ReadBytes(file), "[set]\nmode=2\npath=p\n\n[other]\nx=1\n[third]\nk=v\n");
}

TEST(PosixProfile, NewFileUsesWindowsLineBreaks) {
    TTempDir dir;
    TPosixPlatform p;
    const std::string file = dir.File("new.ini");
    p.WriteProfileString(file, "set", "status", "1");
    EXPECT_EQ(ReadBytes(file), "[set]\r\nstatus=1\r\n");
}

TEST(PosixProfile, TextIsStoredInTheCodePageOnDisk) {
    TTempDir dir;
    TPosixPlatform p(936);
    const std::string file = dir.File("a.ini");
    p.WriteProfileString(file, "set", "path", "/数据/导出");
    EXPECT_EQ(ReadBytes(file), "[set]\r\npath=/\xCA\xFD\xBE\xDD/\xB5\xBC\xB3\xF6\r\n");
    EXPECT_EQ(p.ReadProfileString(file, "set", "path", ""), "/数据/导出");
}

TEST(PosixProfile, OtherLinesKeepTheirBytesEvenWhenTheyDoNotDecode) {
    TTempDir dir;
    TPosixPlatform p(936);
    const std::string file = dir.File("a.ini");
    WriteBytes(file, "[set]\r\nodd=\x81\x20\r\npath=a\r\n");
    p.WriteProfileString(file, "set", "path", "b");
    EXPECT_EQ(ReadBytes(file), "[set]\r\nodd=\x81\x20\r\npath=b\r\n");
}

TEST(PosixProfile, EnclosingQuotesAreRemovedOnRead) {
    TTempDir dir;
    TPosixPlatform p;
    WriteBytes(dir.File("a.ini"), "[set]\r\na=\" x \"\r\nb='y\r\n");
    EXPECT_EQ(p.ReadProfileString(dir.File("a.ini"), "set", "a", ""), " x ");
    EXPECT_EQ(p.ReadProfileString(dir.File("a.ini"), "set", "b", ""), "'y");
}

TEST(PosixProfile, FirstMatchingSectionAndKeyWin) {
    TTempDir dir;
    TPosixPlatform p;
    WriteBytes(dir.File("a.ini"), "[set]\r\nk=1\r\nk=2\r\n[SET]\r\nk=3\r\n");
    EXPECT_EQ(p.ReadProfileString(dir.File("a.ini"), "set", "k", ""), "1");
}

TEST(PosixProfile, RefusesValuesThatWouldBreakTheLineStructure) {
    TTempDir dir;
    TPosixPlatform p;
    const std::string file = dir.File("a.ini");
    EXPECT_THROW(p.WriteProfileString(file, "set", "k", "a\r\n[evil]"), std::invalid_argument);
    EXPECT_THROW(p.WriteProfileString(file, "set", "a=b", "v"), std::invalid_argument);
    EXPECT_THROW(p.WriteProfileString(file, "se]t", "k", "v"), std::invalid_argument);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(PosixProfile, UnwritableFileRaises) {
    TPosixPlatform p;
    EXPECT_THROW(p.WriteProfileString("/no/such/folder/a.ini", "set", "k", "v"), std::runtime_error);
}

TEST(PlatformSelection, InstalledPlatformReplacesTheNativeOneUntilRestored) {
    test::TFakePlatform fake;
    {
        test::TScopedPlatform scope(fake);
        EXPECT_EQ(&Platform(), &fake);
        EXPECT_EQ(Platform().Now(), fake.now);
    }
    EXPECT_EQ(&Platform(), &NativePlatform());
}

TEST(PosixProfile, ABareFileNameLiesInTheDefaultProfileFolder) {
    TTempDir dir;
    const std::string folder = dir.File("profiles/of/user");
    const char* before = std::getenv("TKV_PROFILE_DIR");
    const std::string saved = before ? before : "";
    setenv("TKV_PROFILE_DIR", folder.c_str(), 1);
    TPosixPlatform p;
    EXPECT_EQ(p.ReadProfileString("BillstatusDefault.int", "set", "Billstatus", "0"), "0");
    p.WriteProfileString("BillstatusDefault.int", "set", "Billstatus", "2");
    EXPECT_EQ(ReadBytes(folder + "/BillstatusDefault.int"), "[set]\r\nBillstatus=2\r\n");
    EXPECT_EQ(p.ReadProfileString("BillstatusDefault.int", "SET", "billstatus", "0"), "2");
    EXPECT_EQ(TPosixPlatform::ProfilePath(dir.File("a.ini")), dir.File("a.ini"));
    if (before)
        setenv("TKV_PROFILE_DIR", saved.c_str(), 1);
    else
        unsetenv("TKV_PROFILE_DIR");
}

} // namespace
} // namespace tkv
