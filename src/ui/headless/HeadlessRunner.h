// The headless runner: shows modal forms to a script instead of a user. Each form that opens takes
// the next script; the script drives the form through a TFormDriver exactly as a user would (texts,
// keys, clicks, ticks, choices) and inspects its models. Questions, folder and file dialogs are
// answered from queues filled beforehand, and every box shown (messages, questions, error boxes,
// dialogs) is recorded in order. The runner installs itself for its lifetime.
#pragma once

#include "toolkit/FormRunner.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tkv {

class TFormDriver;

struct TShownDialog {
    TMessageKind Kind;
    std::string Text;
    std::string Title;
    std::string Answer; // "yes"/"no" for questions, the chosen folder or files, "printer" for a
                        // chosen printer, "" when cancelled
    // File-open dialogs: Text is the filter, Title the dialog's title; the files are joined by ";".
};

class THeadlessRunner : public IFormRunner {
public:
    using TScript = std::function<void(TFormDriver&)>;

    THeadlessRunner();
    ~THeadlessRunner() override;
    THeadlessRunner(const THeadlessRunner&) = delete;
    THeadlessRunner& operator=(const THeadlessRunner&) = delete;

    // The script of the next form to open; with a class name, the form must be of that class.
    void Expect(TScript script);
    void Expect(const std::string& formClass, TScript script);
    void AnswerQuestion(bool yes);
    void AnswerFolder(std::string folder);
    void CancelFolder();
    // The files a file-open dialog answers with; with the must-exist option, each has to exist.
    void AnswerFiles(std::vector<std::string> files);
    void CancelFiles();
    // The printer that the next print dialog chooses (a PDF printer in the tests and the reference
    // host), or a cancelled dialog.
    void AnswerPrintDialog(std::shared_ptr<IPrinter> printer);
    void CancelPrintDialog();

    const std::vector<TShownDialog>& Dialogs() const { return dialogs_; }
    // The options of every file-open dialog shown, in order.
    const std::vector<TOpenDialogOptions>& FileDialogs() const { return fileDialogs_; }
    // The texts of the dialogs of one kind, in order.
    std::vector<std::string> Texts(TMessageKind kind) const;
    // What went against the script: a form without a script, a question without an answer, a
    // control that is missing or takes no input, answers and scripts left over. Empty when the
    // session ran as scripted.
    std::vector<std::string> Failures() const;
    void AddFailure(std::string failure) { failures_.push_back(std::move(failure)); }
    int ShownForms() const { return shownForms_; }

    TModalResult ShowModal(TForm& form) override;
    bool SelectFolder(WindowHandle owner, const std::string& title, std::string& folder) override;
    bool OpenFiles(WindowHandle owner, const TOpenDialogOptions& options,
                   std::vector<std::string>& files) override;
    std::shared_ptr<IPrinter> ExecutePrintDialog(WindowHandle owner) override;
    void ShowErrorBox(const std::string& message) override;
    void ShowMessage(TMessageKind kind, const std::string& text, const std::string& title) override;
    bool AskQuestion(const std::string& text, const std::string& title) override;

private:
    struct Expectation {
        std::string FormClass;
        TScript Script;
    };
    IFormRunner* previous_;
    bool hadPrevious_;
    std::deque<Expectation> scripts_;
    std::deque<bool> questionAnswers_;
    std::deque<std::optional<std::string>> folderAnswers_;
    std::deque<std::optional<std::vector<std::string>>> fileAnswers_;
    std::deque<std::shared_ptr<IPrinter>> printerAnswers_;
    std::vector<TShownDialog> dialogs_;
    std::vector<TOpenDialogOptions> fileDialogs_;
    std::vector<std::string> failures_;
    int shownForms_ = 0;
};

} // namespace tkv
