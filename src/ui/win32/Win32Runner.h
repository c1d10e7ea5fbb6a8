// The Win32 runner: shows forms as real modal windows owned by the window below them (the host's
// main window for the first, the form that opened it for the next), and puts the system's dialogs
// and message boxes behind the runner interface. Everything is UTF-8 inside and UTF-16 at the
// Windows calls.
#pragma once

#include "toolkit/FormRunner.h"

#include <vector>

namespace tkv::win32ui {

class TFormWindow;

class TWin32Runner : public IFormRunner {
public:
    TModalResult ShowModal(TForm& form) override;
    bool SelectFolder(WindowHandle owner, const std::string& title, std::string& folder) override;
    bool OpenFiles(WindowHandle owner, const TOpenDialogOptions& options,
                   std::vector<std::string>& files) override;
    std::shared_ptr<IPrinter> ExecutePrintDialog(WindowHandle owner) override;
    void ShowErrorBox(const std::string& message) override;
    void ShowMessage(TMessageKind kind, const std::string& text, const std::string& title) override;
    bool AskQuestion(const std::string& text, const std::string& title) override;

private:
    // The window a dialog is owned by: the topmost shown form, else the one asked for.
    WindowHandle Owner(WindowHandle requested) const;
    std::vector<TFormWindow*> shown_;
};

// Installs the one runner of the module (the library's windows from then on are real windows), and
// removes it again.
void InstallWin32Runner();
void RemoveWin32Runner();

} // namespace tkv::win32ui
