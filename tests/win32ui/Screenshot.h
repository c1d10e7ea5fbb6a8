// PNGs of what a window shows (frame and children included), read back from its window surface,
// and of a device context's pixels.
#pragma once

#include <windows.h>

#include <string>

namespace uitest {

// Writes the window into the PNG file (UTF-8 path); false when it could not be captured or written.
// A window of this process is repainted first; another process's is taken as it shows now.
bool SaveWindowPng(HWND window, const std::string& path);
// Writes the top-left w by h pixels of the device context into the PNG file.
bool SaveDcPng(HDC source, int w, int h, const std::string& path);

} // namespace uitest
