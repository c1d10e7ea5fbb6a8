// The boundary's error display: the runner's error box, else the host's, else the system's.
#include "ErrorDisplay.h"

#include "../comm/ModuleState.h"
#include "../platform/win32/Win32Text.h"
#include "../toolkit/FormRunner.h"
#include "Boundary.h"

namespace tkv::abi {

void ShowBoundaryError(const std::string& message) noexcept {
    try {
        if (HasFormRunner()) {
            ShowDefaultError(message);
            return;
        }
        TModuleState* m = FindModuleState();
        if (m && m->VNMainintf) {
            m->VNMainintf->ShowError(message, "错误");
            return;
        }
        // Owned by the host's main window when the plug-in knows it, so it never hides behind it.
        MessageBoxW(m ? reinterpret_cast<HWND>(m->OwnerWindow) : nullptr, win32::Utf8ToWide(message).c_str(),
                    L"错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    } catch (...) {
        // The display itself failed (the host raised): nothing further can show the error.
    }
}

} // namespace tkv::abi
