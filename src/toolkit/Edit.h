// A single-line text edit with a caret and selection; typing goes through KeyPress so that derived
// edits can refuse characters. Setting the text fires the change event.
#pragma once

#include "Control.h"
#include "Utf8.h"

namespace tkv {

class TEdit : public TControl {
public:
    TEdit() { SetTabStop(true); }
    std::string ClassName() const override { return "TEdit"; }
    bool Focusable() const override { return true; }

    const std::string& Text() const { return text_; }
    // Replaces the text, puts the caret at its end and fires the change event when it differs.
    virtual void SetText(const std::string& text);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength) { maxLength_ = maxLength; }
    // Caret and selection in characters (code points).
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SetSelStart(int start);
    void SetSelLength(int length);
    void SelectAll();
    int CharCount() const;

    // A typed character (a code point, VK_BACK deletes): refused characters are set to 0 by the
    // handlers; an accepted one is inserted at the caret, replacing the selection.
    void KeyPress(char32_t& key) override;

protected:
    // Refuses the character by the edit's own rules; derived edits add theirs.
    virtual bool AcceptChar(char32_t key) const;
    // The text as it would be after typing the character at the caret.
    std::string TextAfterTyping(char32_t key) const;

private:
    std::string text_;
    int maxLength_ = 0;
    int selStart_ = 0, selLength_ = 0;
};

} // namespace tkv
