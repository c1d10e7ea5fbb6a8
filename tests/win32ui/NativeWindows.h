// Reading shown windows back: the named window of a control (the renderer marks each control's
// window with its name), texts, rectangles in the form's client coordinates, the dialog manager's
// tab order and whether a window's font has a glyph for every character of its text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uitest {

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& text);

// The control name the renderer gave the window, or "".
std::string ControlName(HWND window);
// The name of the window or of the nearest named window above it.
std::string OwningControlName(HWND window);
// The window of the named control inside the form, or null.
HWND FindControl(HWND form, const std::string& name);
std::string WindowClass(HWND window);
std::string WindowText(HWND window);
// The window's rectangle in the form's client coordinates.
RECT RectIn(HWND form, HWND window);
// The names of the controls the dialog manager tabs through, from the first tab stop on.
std::vector<std::string> DialogTabOrder(HWND form);
// True when the window's font has a glyph for every character of the text.
bool FontCovers(HWND window, const std::wstring& text);
// The top-level window of this process with that caption (and class, when given), visible.
HWND FindTopLevel(const std::string& caption, const wchar_t* windowClass = nullptr);
// The visible child windows of the window, depth first.
std::vector<HWND> Descendants(HWND window);

} // namespace uitest
