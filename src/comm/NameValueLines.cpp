// Name=value lines that keep the bytes of the lines nobody sets.
#include "NameValueLines.h"

#include "../framework/TextCase.h"
#include "../platform/Platform.h"

namespace tkv {

void TNameValueLines::LoadFromBytes(const std::string& bytes) {
    lines_.clear();
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines_.push_back({bytes.substr(start), std::string()});
            break;
        }
        std::size_t next = end + 1;
        if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n')
            ++next;
        lines_.push_back({bytes.substr(start, end - start), bytes.substr(end, next - end)});
        start = next;
    }
}

std::string TNameValueLines::SaveToBytes() const {
    std::string out;
    for (const TLine& line : lines_)
        out += line.Text + line.End;
    return out;
}

int TNameValueLines::IndexOfName(const std::string& name) const {
    const std::string ansiName = Platform().Utf8ToAnsi(name);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string::size_type eq = lines_[i].Text.find('=');
        if (eq != std::string::npos && SameText(std::string_view(lines_[i].Text).substr(0, eq), ansiName))
            return static_cast<int>(i);
    }
    return -1;
}

std::string TNameValueLines::Value(const std::string& name) const {
    const int i = IndexOfName(name);
    if (i < 0)
        return {};
    const std::string& text = lines_[static_cast<std::size_t>(i)].Text;
    return Platform().AnsiToUtf8(text.substr(text.find('=') + 1));
}

void TNameValueLines::SetValue(const std::string& name, const std::string& value) {
    const int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0)
            lines_.erase(lines_.begin() + i);
        return;
    }
    const std::string text = Platform().Utf8ToAnsi(name + "=" + value);
    if (i >= 0) {
        lines_[static_cast<std::size_t>(i)].Text = text;
        return;
    }
    // The line before an appended one needs an end of its own.
    if (!lines_.empty() && lines_.back().End.empty())
        lines_.back().End = "\r\n";
    lines_.push_back({text, "\r\n"});
}

} // namespace tkv
