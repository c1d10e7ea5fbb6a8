// A PNG of what a window shows (frame and children included), read back from its window surface.
#pragma once

#include <windows.h>

#include <string>

namespace uitest {

// Writes the window into the PNG file (UTF-8 path); false when it could not be captured or written.
// A window of this process is repainted first; another process's is taken as it shows now.
bool SaveWindowPng(HWND window, const std::string& path);

} // namespace uitest
