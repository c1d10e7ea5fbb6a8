// The runner interface: whatever shows forms to a user (the Win32 renderer or the headless runner
// that tests script) implements it, and the toolkit reaches it through one installable global.
#pragma once

#include "../Interface/IVNMainintf.h"

#include <memory>
#include <string>
#include <vector>

namespace tkv {

class TForm;
class IPrinter;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrClose = 8;

enum class TMessageKind : std::uint8_t {
    mkInformation,
    mkError,
    mkQuestion,
    mkErrorBox,
    mkFolderBrowser,
    mkFileOpen,
    mkPrintDialog
};

// What the file-open dialog shows and accepts. The filter lists "description|patterns" pairs joined
// by "|"; the default extension is added to a typed name that has none.
struct TOpenDialogOptions {
    std::string Title;
    std::string Filter;
    std::string DefaultExt;
    bool FileMustExist = false;
    bool MultiSelect = false;
};

class IFormRunner {
public:
    virtual ~IFormRunner() = default;

    // Shows the form modally until it has a modal result and may close; returns that result.
    virtual TModalResult ShowModal(TForm& form) = 0;
    // The folder browser (file-system folders only) owned by the window; false when cancelled.
    virtual bool SelectFolder(WindowHandle owner, const std::string& title, std::string& folder) = 0;
    // The file-open dialog owned by the window; false when cancelled, else the chosen files (one
    // unless the options allow several) in the order the user chose them.
    virtual bool OpenFiles(WindowHandle owner, const TOpenDialogOptions& options,
                           std::vector<std::string>& files) = 0;
    // The print dialog (printer, its settings, copies; no page range) owned by the window: the
    // chosen printer, or nullptr when cancelled.
    virtual std::shared_ptr<IPrinter> ExecutePrintDialog(WindowHandle owner) = 0;
    // The application's default error display: an error box with the message.
    virtual void ShowErrorBox(const std::string& message) = 0;
    // Message boxes and questions of a host that has no user interface of its own (the reference
    // host) are shown through the runner.
    virtual void ShowMessage(TMessageKind kind, const std::string& text, const std::string& title) = 0;
    virtual bool AskQuestion(const std::string& text, const std::string& title) = 0;
};

// The installed runner; raises std::logic_error when none is installed.
IFormRunner& FormRunner();
bool HasFormRunner();
// Installs a runner (nullptr removes it); the caller keeps ownership.
void SetFormRunner(IFormRunner* runner);

// The default error display: the runner's error box, or nothing when no runner is installed.
void ShowDefaultError(const std::string& message);

} // namespace tkv
