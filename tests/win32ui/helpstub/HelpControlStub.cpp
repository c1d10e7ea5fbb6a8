// A stand-in for the system's help control (HHCTRL.OCX) in the workbench tests: HtmlHelpA records
// every call as "command|file" in the file that TKV_HELP_LOG names, so a test sees which file F1
// asked to show. The initialize and uninitialize commands carry no file.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" __declspec(dllexport) HWND __stdcall HtmlHelpA(HWND caller, const char* file, UINT command,
                                                          DWORD_PTR data) {
    if (const char* log = std::getenv("TKV_HELP_LOG")) {
        if (FILE* f = std::fopen(log, "ab")) {
            std::fprintf(f, "%u|%s\n", command, file ? file : "");
            std::fclose(f);
        }
    }
    if (command == 0x1C && data) // HH_INITIALIZE: the cookie
        *reinterpret_cast<DWORD*>(data) = 1;
    return caller ? caller : reinterpret_cast<HWND>(1);
}
