// Headless runner: scripted modal sessions, answer queues and the record of shown boxes.
#include "HeadlessRunner.h"

#include "FormDriver.h"
#include "toolkit/Dispatcher.h"
#include "toolkit/Form.h"

#include <filesystem>

namespace tkv {

THeadlessRunner::THeadlessRunner() : previous_(nullptr), hadPrevious_(HasFormRunner()) {
    if (hadPrevious_)
        previous_ = &FormRunner();
    SetFormRunner(this);
}

THeadlessRunner::~THeadlessRunner() {
    SetFormRunner(previous_);
}

void THeadlessRunner::Expect(TScript script) {
    scripts_.push_back({std::string(), std::move(script)});
}

void THeadlessRunner::Expect(const std::string& formClass, TScript script) {
    scripts_.push_back({formClass, std::move(script)});
}

void THeadlessRunner::AnswerQuestion(bool yes) {
    questionAnswers_.push_back(yes);
}

void THeadlessRunner::AnswerFolder(std::string folder) {
    folderAnswers_.emplace_back(std::move(folder));
}

void THeadlessRunner::CancelFolder() {
    folderAnswers_.emplace_back(std::nullopt);
}

void THeadlessRunner::AnswerFiles(std::vector<std::string> files) {
    fileAnswers_.emplace_back(std::move(files));
}

void THeadlessRunner::CancelFiles() {
    fileAnswers_.emplace_back(std::nullopt);
}

void THeadlessRunner::AnswerPrintDialog(std::shared_ptr<IPrinter> printer) {
    printerAnswers_.push_back(std::move(printer));
}

void THeadlessRunner::CancelPrintDialog() {
    printerAnswers_.push_back(nullptr);
}

std::vector<std::string> THeadlessRunner::Texts(TMessageKind kind) const {
    std::vector<std::string> out;
    for (const auto& d : dialogs_)
        if (d.Kind == kind)
            out.push_back(d.Text);
    return out;
}

std::vector<std::string> THeadlessRunner::Failures() const {
    std::vector<std::string> out = failures_;
    if (!scripts_.empty())
        out.push_back(std::to_string(scripts_.size()) + " form script(s) not used");
    if (!questionAnswers_.empty())
        out.push_back(std::to_string(questionAnswers_.size()) + " question answer(s) not used");
    if (!folderAnswers_.empty())
        out.push_back(std::to_string(folderAnswers_.size()) + " folder answer(s) not used");
    if (!fileAnswers_.empty())
        out.push_back(std::to_string(fileAnswers_.size()) + " file answer(s) not used");
    if (!printerAnswers_.empty())
        out.push_back(std::to_string(printerAnswers_.size()) + " print dialog answer(s) not used");
    return out;
}

TModalResult THeadlessRunner::ShowModal(TForm& form) {
    TModalLoopScope loop;
    ++shownForms_;
    form.BeginModal();
    TFormDriver driver(*this, form);
    if (scripts_.empty()) {
        AddFailure("no script for form " + form.ClassName());
    } else {
        Expectation next = std::move(scripts_.front());
        scripts_.pop_front();
        if (!next.FormClass.empty() && next.FormClass != form.ClassName()) {
            AddFailure("expected form " + next.FormClass + ", shown " + form.ClassName());
        } else {
            try {
                if (!form.TryEndModal())
                    next.Script(driver);
            } catch (const TScriptStop& stop) {
                AddFailure(stop.Reason);
            }
        }
    }
    if (form.Visible()) {
        // The script ended with the form open: the user closes it with the close box.
        form.Close();
        if (!form.TryEndModal()) {
            AddFailure("form " + form.ClassName() + " refused to close after its script");
            form.SetModalResult(mrCancel);
        }
    }
    return form.ModalResult();
}

bool THeadlessRunner::SelectFolder(WindowHandle owner, const std::string& title, std::string& folder) {
    if (folderAnswers_.empty()) {
        AddFailure("folder browser without an answer");
        dialogs_.push_back({TMessageKind::mkFolderBrowser, title, std::string(), std::string()});
        return false;
    }
    auto answer = std::move(folderAnswers_.front());
    folderAnswers_.pop_front();
    dialogs_.push_back({TMessageKind::mkFolderBrowser, title, std::string(), answer.value_or(std::string())});
    if (!answer)
        return false;
    folder = *answer;
    return true;
}

bool THeadlessRunner::OpenFiles(WindowHandle owner, const TOpenDialogOptions& options,
                                std::vector<std::string>& files) {
    fileDialogs_.push_back(options);
    if (fileAnswers_.empty()) {
        AddFailure("file dialog without an answer");
        dialogs_.push_back({TMessageKind::mkFileOpen, options.Filter, options.Title, std::string()});
        return false;
    }
    auto answer = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
    std::string shown;
    if (answer)
        for (const auto& f : *answer)
            shown += (shown.empty() ? "" : ";") + f;
    dialogs_.push_back({TMessageKind::mkFileOpen, options.Filter, options.Title, shown});
    if (!answer)
        return false;
    if (!options.MultiSelect && answer->size() > 1)
        answer->resize(1);
    if (options.FileMustExist)
        for (const auto& f : *answer) {
            std::error_code ec;
            if (!std::filesystem::exists(std::filesystem::path(std::u8string(f.begin(), f.end())), ec))
                AddFailure("file dialog answered with a missing file: " + f);
        }
    files = *answer;
    return true;
}

std::shared_ptr<IPrinter> THeadlessRunner::ExecutePrintDialog(WindowHandle owner) {
    if (printerAnswers_.empty()) {
        AddFailure("print dialog without an answer");
        dialogs_.push_back({TMessageKind::mkPrintDialog, std::string(), std::string(), std::string()});
        return nullptr;
    }
    std::shared_ptr<IPrinter> printer = std::move(printerAnswers_.front());
    printerAnswers_.pop_front();
    dialogs_.push_back({TMessageKind::mkPrintDialog, std::string(), std::string(), printer ? "printer" : ""});
    return printer;
}

void THeadlessRunner::ShowErrorBox(const std::string& message) {
    dialogs_.push_back({TMessageKind::mkErrorBox, message, std::string(), std::string()});
}

void THeadlessRunner::ShowMessage(TMessageKind kind, const std::string& text, const std::string& title) {
    dialogs_.push_back({kind, text, title, std::string()});
}

bool THeadlessRunner::AskQuestion(const std::string& text, const std::string& title) {
    bool yes = false;
    if (questionAnswers_.empty()) {
        AddFailure("question without an answer: " + text);
    } else {
        yes = questionAnswers_.front();
        questionAnswers_.pop_front();
    }
    dialogs_.push_back({TMessageKind::mkQuestion, text, title, yes ? "yes" : "no"});
    return yes;
}

} // namespace tkv
