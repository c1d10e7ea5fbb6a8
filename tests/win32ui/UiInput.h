// Real input for the renderer tests: keys and mouse clicks injected with SendInput, so they reach
// the window through the system's input queue and the runner's message loop like a user's.
#pragma once

#include <windows.h>

#include <string>

namespace uitest {

// A key pressed and released, with the modifiers held around it.
void PressKey(WORD vk, bool shift = false, bool ctrl = false);
// Each character as a key of its own (digits and letters by their virtual key, others as Unicode).
void TypeText(const std::wstring& text);
// A click (or double click) of a mouse button at a point of the window's client area.
void ClickAt(HWND window, int x, int y, bool right = false, bool twice = false);
// The centre of the window.
void ClickCentre(HWND window, bool right = false, bool twice = false);

} // namespace uitest
