// What the host shows its user: message boxes, questions, the record-selection dialog and the
// payment confirmation. The host object talks only to this small interface, so a headless run
// answers from a script while an interactive host can put real windows behind it.
#pragma once

#include "Interface/HostControl.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace tkv::host {

enum class TUiEventKind { Message, Error, Question, Box, SelectRecord, ConfirmPayments };

struct TUiEvent {
    TUiEventKind Kind;
    std::string Title;
    std::string Text;
};

class IHostUi {
public:
    virtual ~IHostUi() = default;
    virtual void ShowMessage(const std::string& msg, const std::string& title) = 0;
    virtual void ShowError(const std::string& msg, const std::string& title) = 0;
    // True when the user answers yes.
    virtual bool Ask(const std::string& msg, const std::string& title) = 0;
    // A Windows-style message box; answers the button pressed (IDOK 1, IDYES 6, IDNO 7, ...).
    virtual std::int32_t Box(const std::string& text, const std::string& caption, std::uint32_t flags) = 0;
    // The record the user picks among the candidates: its index, or -1 when the dialog is cancelled.
    virtual int ChooseRecord(const std::string& caption, const std::vector<TBasicRecord>& candidates) = 0;
    // True when the user confirms the payments (a named-parameter packet) to be returned.
    virtual bool ConfirmPayments(const std::string& summary) = 0;
};

// The headless answerer: answers come from queues filled by the script (questions default to yes,
// record choices to the first candidate, payment confirmations to yes when the queues run dry), and
// every event is recorded in order.
class TScriptedUi : public IHostUi {
public:
    void ShowMessage(const std::string& msg, const std::string& title) override;
    void ShowError(const std::string& msg, const std::string& title) override;
    bool Ask(const std::string& msg, const std::string& title) override;
    std::int32_t Box(const std::string& text, const std::string& caption, std::uint32_t flags) override;
    int ChooseRecord(const std::string& caption, const std::vector<TBasicRecord>& candidates) override;
    bool ConfirmPayments(const std::string& summary) override;

    void QueueAnswer(bool yes) { answers_.push_back(yes); }
    void QueueChoice(int index) { choices_.push_back(index); }
    void QueueConfirmation(bool yes) { confirmations_.push_back(yes); }
    const std::vector<TUiEvent>& Events() const { return events_; }
    void ClearEvents() { events_.clear(); }

private:
    std::vector<TUiEvent> events_;
    std::deque<bool> answers_;
    std::deque<int> choices_;
    std::deque<bool> confirmations_;
};

} // namespace tkv::host
