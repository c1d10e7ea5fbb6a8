// The external scanner library "pictureScan.dll" as the picture strip calls it: its two exports
// (stdcall on Windows, a COM status as result) and the release of the path text it hands back.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define TKV_SCAN_CALL __stdcall
#else
#define TKV_SCAN_CALL
#endif

namespace tkv {

// "SCanPicture": scans one picture; writes a one-byte Boolean, true when a picture was scanned.
using TPictureScanEvent = std::int32_t(TKV_SCAN_CALL*)(std::uint8_t* scanned);
// "ScanSavePath": writes the full path of the file it saved, an 8-bit string in the system code page,
// into the emptied slot.
using TPictureScanSavePathEvent = std::int32_t(TKV_SCAN_CALL*)(char** path);

// How the path text is given back. The library allocates it with the memory manager that it shares
// with the host and the plug-in: the Windows library installs the release of that manager's strings
// when it loads; elsewhere the text comes from malloc and goes back to free.
using TScanTextRelease = void (*)(char* text);
// nullptr restores free.
void SetScanTextRelease(TScanTextRelease release);
void ReleaseScanText(char* text);

// Raises Exception with the status when it is a failure (negative).
void CheckScanStatus(std::int32_t status);

} // namespace tkv
