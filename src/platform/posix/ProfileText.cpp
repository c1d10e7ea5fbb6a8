// Line-level parsing and editing of profile text. Lines are split on LF (CR LF and lone CR are
// accepted); both bytes are never trail bytes of a double-byte code page, so splitting the raw
// bytes is safe before decoding.
#include "ProfileText.h"

#include "../../framework/TextCase.h"

#include <optional>
#include <stdexcept>
#include <vector>

namespace tkv {

namespace {

struct Line {
    std::string raw;    // bytes without the line break
    std::string text;   // raw decoded to UTF-8
    std::string ending; // "\r\n", "\n", "\r" or "" for the last line
};

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

std::vector<Line> SplitLines(const std::string& bytes, const TProfileCodec& codec) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        Line line;
        line.raw = bytes.substr(start, end - start);
        if (end < bytes.size()) {
            if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
                line.ending = "\r\n";
            else
                line.ending = std::string(1, bytes[end]);
        }
        line.text = codec.Decode(line.raw);
        start = end + line.ending.size();
        const bool last = line.ending.empty();
        lines.push_back(std::move(line));
        if (last)
            break;
    }
    return lines;
}

// The section name of a "[name]" line.
std::optional<std::string> SectionName(const std::string& text) {
    const std::string t = Trim(text);
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    const size_t close = t.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

bool IsComment(const std::string& text) {
    const std::string t = Trim(text);
    return !t.empty() && t.front() == ';';
}

// Key and raw value of a "key=value" line.
std::optional<std::pair<std::string, std::string>> Entry(const std::string& text) {
    if (IsComment(text))
        return std::nullopt;
    const size_t eq = text.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    return std::make_pair(Trim(text.substr(0, eq)), Trim(text.substr(eq + 1)));
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

struct Position {
    int sectionLine = -1;   // line of the section header
    int lastEntryLine = -1; // last key line of the section (or the header)
    int keyLine = -1;       // line of the key, when present
};

Position Find(const std::vector<Line>& lines, const std::string& section, const std::string& key) {
    Position pos;
    bool inSection = false;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (auto name = SectionName(lines[i].text)) {
            if (inSection)
                break; // the first matching section wins
            if (SameText(*name, Trim(section))) {
                inSection = true;
                pos.sectionLine = pos.lastEntryLine = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (auto entry = Entry(lines[i].text)) {
            pos.lastEntryLine = i;
            if (pos.keyLine < 0 && SameText(entry->first, Trim(key)))
                pos.keyLine = i;
        }
    }
    return pos;
}

void CheckOneLine(const std::string& s, const char* what) {
    if (s.find_first_of("\r\n") != std::string::npos)
        throw std::invalid_argument(std::string("a profile ") + what + " cannot hold a line break");
}

} // namespace

std::string ReadProfileText(const std::string& fileBytes, const TProfileCodec& codec,
                            const std::string& section, const std::string& key,
                            const std::string& defaultValue) {
    const std::vector<Line> lines = SplitLines(fileBytes, codec);
    const Position pos = Find(lines, section, key);
    if (pos.keyLine < 0)
        return defaultValue;
    return Unquote(Entry(lines[pos.keyLine].text)->second);
}

std::string WriteProfileText(const std::string& fileBytes, const TProfileCodec& codec,
                             const std::string& section, const std::string& key, const std::string& value) {
    CheckOneLine(section, "section");
    CheckOneLine(key, "key");
    CheckOneLine(value, "value");
    if (section.find(']') != std::string::npos)
        throw std::invalid_argument("a profile section name cannot hold \"]\"");
    if (Trim(key).empty() || key.find('=') != std::string::npos)
        throw std::invalid_argument("a profile key must be non-empty and cannot hold \"=\"");

    std::vector<Line> lines = SplitLines(fileBytes, codec);
    // New lines follow the file's own line breaks; a new file gets the Windows ones.
    std::string newline = "\r\n";
    for (const Line& l : lines)
        if (!l.ending.empty()) {
            newline = l.ending;
            break;
        }
    auto makeLine = [&](const std::string& utf8) {
        Line l;
        l.text = utf8;
        l.raw = codec.Encode(utf8);
        l.ending = newline;
        return l;
    };

    const Position pos = Find(lines, section, key);
    if (pos.keyLine >= 0) {
        // Keep the key as the file spells it.
        Line& l = lines[pos.keyLine];
        const std::string keyText = Trim(l.text.substr(0, l.text.find('=')));
        const std::string ending = l.ending;
        l = makeLine(keyText + "=" + value);
        l.ending = ending;
    } else {
        const int after = pos.sectionLine >= 0 ? pos.lastEntryLine : static_cast<int>(lines.size()) - 1;
        if (after >= 0 && lines[after].ending.empty())
            lines[after].ending = newline; // the file ended without a line break
        if (pos.sectionLine >= 0) {
            lines.insert(lines.begin() + after + 1, makeLine(Trim(key) + "=" + value));
        } else {
            lines.push_back(makeLine("[" + Trim(section) + "]"));
            lines.push_back(makeLine(Trim(key) + "=" + value));
        }
    }
    std::string out;
    for (const Line& l : lines)
        out += l.raw + l.ending;
    return out;
}

} // namespace tkv
