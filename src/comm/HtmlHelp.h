// The HTML help of the plug-in: the system's help control, loaded afresh for every request and
// kept loaded after the last one.
#pragma once

#include "../Interface/IVNMainintf.h"

#include <cstdint>
#include <string>

namespace tkv {

constexpr std::uint32_t HH_DISPLAY_TOPIC = 0;
constexpr std::uint32_t HH_INITIALIZE = 28;
constexpr std::uint32_t HH_UNINITIALIZE = 29;

// The help control's entry point "HtmlHelpA" (stdcall on Windows); the file name is in the
// 8-bit code page.
#if defined(_WIN32)
#define TKV_HTMLHELP_CALL __stdcall
#else
#define TKV_HTMLHELP_CALL
#endif
using THtmlHelpProc = WindowHandle(TKV_HTMLHELP_CALL*)(WindowHandle caller, const char* file,
                                                       std::uint32_t command, std::uintptr_t data);

// Shows strFile (empty: "Tkv厂家发票管理插件帮助.chm") of the plug-in's folder. Raises Exception when
// the help control is not installed or lacks its entry point.
WindowHandle HtmlHelp(WindowHandle hwndCaller, const std::string& strFile, std::uint32_t uCommand,
                      std::uintptr_t dwData);
// Uninitialises and unloads a loaded help control.
void CloseHtmlHelp();

} // namespace tkv
