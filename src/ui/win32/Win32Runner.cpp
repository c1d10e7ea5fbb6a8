// Modal sessions, dialogs and message boxes of the Win32 runner.
#include "Win32Runner.h"

#include "FormWindow.h"
#include "GdiPrinter.h"
#include "SystemDialogs.h"
#include "toolkit/Dispatcher.h"
#include "toolkit/FormEnvironment.h"

#include <commctrl.h>

namespace tkv::win32ui {

namespace {

HWND ToHwnd(WindowHandle handle) {
    HWND hwnd = reinterpret_cast<HWND>(handle);
    return hwnd && IsWindow(hwnd) ? hwnd : nullptr;
}

void InitControlsOnce() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{};
        icc.dwSize = sizeof icc;
        icc.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES;
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

TWin32Runner& Runner() {
    static TWin32Runner runner;
    return runner;
}

} // namespace

WindowHandle TWin32Runner::Owner(WindowHandle requested) const {
    if (!shown_.empty() && shown_.back()->Handle())
        return reinterpret_cast<WindowHandle>(shown_.back()->Handle());
    // With no plug-in window open, boxes and dialogs belong to the host's main window, so that they
    // never come up behind the till.
    return requested ? requested : CurrentFormEnvironment().OwnerHandle;
}

TModalResult TWin32Runner::ShowModal(TForm& form) {
    InitControlsOnce();
    TModalLoopScope loop;
    TFormWindow window(form, ToHwnd(Owner(form.OwnerHandle())));
    shown_.push_back(&window);
    struct Pop {
        std::vector<TFormWindow*>& shown;
        ~Pop() { shown.pop_back(); }
    } pop{shown_};
    return window.RunModal();
}

bool TWin32Runner::SelectFolder(WindowHandle owner, const std::string& title, std::string& folder) {
    return BrowseForFolder(ToHwnd(Owner(owner)), title, folder);
}

bool TWin32Runner::OpenFiles(WindowHandle owner, const TOpenDialogOptions& options,
                             std::vector<std::string>& files) {
    return OpenFileDialog(ToHwnd(Owner(owner)), options, files);
}

std::shared_ptr<IPrinter> TWin32Runner::ExecutePrintDialog(WindowHandle owner) {
    return win32ui::ExecutePrintDialog(ToHwnd(Owner(owner)), "TkvfpPlug");
}

void TWin32Runner::ShowErrorBox(const std::string& message) {
    MessageBoxUtf8(ToHwnd(Owner(0)), message, "错误", MB_OK | MB_ICONERROR);
}

void TWin32Runner::ShowMessage(TMessageKind kind, const std::string& text, const std::string& title) {
    const UINT icon =
        kind == TMessageKind::mkError || kind == TMessageKind::mkErrorBox ? MB_ICONERROR : MB_ICONINFORMATION;
    MessageBoxUtf8(ToHwnd(Owner(0)), text, title, MB_OK | icon);
}

bool TWin32Runner::AskQuestion(const std::string& text, const std::string& title) {
    return MessageBoxUtf8(ToHwnd(Owner(0)), text, title, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void InstallWin32Runner() {
    SetFormRunner(&Runner());
}

void RemoveWin32Runner() {
    if (HasFormRunner() && &FormRunner() == &Runner())
        SetFormRunner(nullptr);
}

} // namespace tkv::win32ui
