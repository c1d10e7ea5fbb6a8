// Edit model: text, caret, selection and typing.
#include "Edit.h"

#include <algorithm>

namespace tkv {

std::string EncodeUtf8(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t cp = lead;
        int len = 1;
        if (lead >= 0xF0) {
            cp = lead & 0x07;
            len = 4;
        } else if (lead >= 0xE0) {
            cp = lead & 0x0F;
            len = 3;
        } else if (lead >= 0xC0) {
            cp = lead & 0x1F;
            len = 2;
        }
        for (int k = 1; k < len && i + k < text.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += cp;
        i += len;
    }
    return out;
}

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
    if (changed)
        Changed();
}

void TEdit::SetSelStart(int start) {
    selStart_ = std::clamp(start, 0, CharCount());
    selLength_ = 0;
}

void TEdit::SetSelLength(int length) {
    selLength_ = std::clamp(length, 0, CharCount() - selStart_);
}

void TEdit::SelectAll() {
    selStart_ = 0;
    selLength_ = CharCount();
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
    Changed();
}

} // namespace tkv
