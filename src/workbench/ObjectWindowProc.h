// The window procedure of the workbench's own windows: the object that creates a window passes
// itself as the creation parameter; the procedure keeps the window's handle in the object's hwnd_
// and hands every message to its Handle until the window is destroyed.
#pragma once

// The boundary header brings the system headers in after the interface declarations they clash with.
#include "abi/Boundary.h"

namespace tkv::workbench {

template <class Window>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

} // namespace tkv::workbench
