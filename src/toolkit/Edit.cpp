// Edit model: text, caret, selection and typing.
#include "Edit.h"

#include <algorithm>

namespace tkv {

namespace {
std::string Encode(const std::u32string& s) {
    std::string out;
    for (char32_t c : s)
        out += EncodeUtf8(c);
    return out;
}
} // namespace

int TEdit::CharCount() const {
    return static_cast<int>(DecodeUtf8(text_).size());
}

void TEdit::SetText(const std::string& text) {
    const bool changed = text != text_;
    text_ = text;
    selStart_ = CharCount();
    selLength_ = 0;
    if (changed) {
        NotifyChanged(TProperty::Text);
        Changed();
    }
}

void TEdit::SetSelStart(int start) {
    selStart_ = std::clamp(start, 0, CharCount());
    selLength_ = 0;
    NotifyChanged(TProperty::Text);
}

void TEdit::SetSelLength(int length) {
    selLength_ = std::clamp(length, 0, CharCount() - selStart_);
    NotifyChanged(TProperty::Text);
}

void TEdit::SelectAll() {
    selStart_ = 0;
    selLength_ = CharCount();
    NotifyChanged(TProperty::Text);
}

std::string TEdit::TextAfterTyping(char32_t key) const {
    std::u32string s = DecodeUtf8(text_);
    const auto start = static_cast<std::size_t>(std::min<int>(selStart_, static_cast<int>(s.size())));
    const auto len = std::min<std::size_t>(static_cast<std::size_t>(selLength_), s.size() - start);
    if (key == VK_BACK) {
        if (len > 0)
            s.erase(start, len);
        else if (start > 0)
            s.erase(start - 1, 1);
    } else {
        s.replace(start, len, 1, key);
    }
    return Encode(s);
}

bool TEdit::AcceptChar(char32_t key) const {
    if (ReadOnly())
        return false;
    if (key == VK_BACK)
        return true;
    if (key < 0x20)
        return false;
    return maxLength_ <= 0 || CharCount() - selLength_ < maxLength_;
}

void TEdit::KeyPress(char32_t& key) {
    TControl::KeyPress(key);
    if (key == 0)
        return;
    if (!AcceptChar(key)) {
        key = 0;
        return;
    }
    std::u32string s = DecodeUtf8(text_);
    int caret = selStart_;
    if (key == VK_BACK)
        caret = selLength_ > 0 ? selStart_ : std::max(0, selStart_ - 1);
    else
        caret = selStart_ + 1;
    text_ = TextAfterTyping(key);
    selStart_ = std::clamp(caret, 0, CharCount());
    selLength_ = 0;
    NotifyChanged(TProperty::Text);
    Changed();
}

} // namespace tkv
