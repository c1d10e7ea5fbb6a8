// The renderer's own window classes (the form, containers, picture slots), registered once per
// process in the module that holds the renderer.
#pragma once

#include <windows.h>

namespace tkv::win32ui {

// The module (DLL or program) the renderer is linked into.
HINSTANCE ModuleInstance();
// Registers the class with that procedure unless it is registered already; answers the name.
const wchar_t* EnsureWindowClass(const wchar_t* name, WNDPROC proc, UINT style);

} // namespace tkv::win32ui
