// Text conversion through the Windows code-page API: UTF-8 of the core <-> UTF-16 <-> the system
// 8-bit code page (CP_ACP, 936 on target systems). Characters the code page lacks become "?".
#pragma once

#include <string>

namespace tkv::win32 {

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const wchar_t* text, size_t length);
std::string Utf8ToAnsi(const std::string& utf8);
std::string AnsiToUtf8(const std::string& ansi);

} // namespace tkv::win32
