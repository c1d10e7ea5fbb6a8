// The scripted answerer of the headless host.
#include "HostUi.h"

namespace tkv::host {

namespace {

template <class T> T Next(std::deque<T>& queue, T fallback) {
    if (queue.empty())
        return fallback;
    T v = queue.front();
    queue.pop_front();
    return v;
}

// Button groups of the flags' low nibble, as Windows numbers them.
constexpr std::uint32_t MB_OKCANCEL = 1, MB_YESNOCANCEL = 3, MB_YESNO = 4, MB_RETRYCANCEL = 5;
constexpr std::int32_t IDOK = 1, IDCANCEL = 2, IDRETRY = 4, IDYES = 6, IDNO = 7;

} // namespace

void TScriptedUi::ShowMessage(const std::string& msg, const std::string& title) {
    events_.push_back({TUiEventKind::Message, title, msg});
}

void TScriptedUi::ShowError(const std::string& msg, const std::string& title) {
    events_.push_back({TUiEventKind::Error, title, msg});
}

bool TScriptedUi::Ask(const std::string& msg, const std::string& title) {
    events_.push_back({TUiEventKind::Question, title, msg});
    return Next(answers_, true);
}

std::int32_t TScriptedUi::Box(const std::string& text, const std::string& caption, std::uint32_t flags) {
    events_.push_back({TUiEventKind::Box, caption, text});
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        return Next(answers_, true) ? IDOK : IDCANCEL;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return Next(answers_, true) ? IDYES : IDNO;
    case MB_RETRYCANCEL:
        return Next(answers_, true) ? IDRETRY : IDCANCEL;
    default:
        return IDOK;
    }
}

int TScriptedUi::ChooseRecord(const std::string& caption, const std::vector<TBasicRecord>& candidates) {
    events_.push_back({TUiEventKind::SelectRecord, caption, std::to_string(candidates.size())});
    const int choice = Next(choices_, 0);
    return choice >= 0 && choice < static_cast<int>(candidates.size()) ? choice : -1;
}

bool TScriptedUi::ConfirmPayments(const std::string& summary) {
    events_.push_back({TUiEventKind::ConfirmPayments, "", summary});
    return Next(confirmations_, true);
}

} // namespace tkv::host
