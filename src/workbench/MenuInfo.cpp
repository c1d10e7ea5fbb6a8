// Parsing the menu declaration lines.
#include "MenuInfo.h"

#include <charconv>
#include <sstream>

namespace tkv::workbench {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            out.push_back(line);
    }
    return out;
}

bool ToInt(const std::string& s, int& out) {
    if (s.empty())
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

} // namespace

std::vector<TParentMenu> ParseParentMenus(const std::string& text) {
    std::vector<TParentMenu> out;
    for (const std::string& line : Lines(text)) {
        if (line.rfind("$$", 0) != 0)
            continue;
        const std::size_t hash = line.find('#'), eq = line.find('=');
        if (hash == std::string::npos || eq == std::string::npos || eq < hash)
            continue;
        TParentMenu menu;
        menu.Key = line.substr(2, hash - 2);
        const std::string rest = line.substr(eq + 1);
        const std::size_t c1 = rest.find(','), c2 = c1 == std::string::npos ? c1 : rest.find(',', c1 + 1);
        if (c2 == std::string::npos || !ToInt(line.substr(hash + 1, eq - hash - 1), menu.PlugId) ||
            !ToInt(rest.substr(0, c1), menu.Value1) || !ToInt(rest.substr(c1 + 1, c2 - c1 - 1), menu.Value2))
            continue;
        menu.Caption = rest.substr(c2 + 1);
        if (!menu.Key.empty() && !menu.Caption.empty())
            out.push_back(std::move(menu));
    }
    return out;
}

std::vector<TMenuEntry> ParseMenuEntries(const std::string& text) {
    std::vector<TMenuEntry> out;
    for (const std::string& line : Lines(text)) {
        const std::size_t eq = line.find('='), comma = line.rfind(',');
        if (eq == std::string::npos || comma == std::string::npos || comma < eq)
            continue;
        TMenuEntry entry;
        if (!ToInt(line.substr(0, eq), entry.PlugId))
            continue;
        entry.Caption = line.substr(eq + 1, comma - eq - 1);
        entry.Export = line.substr(comma + 1);
        if (!entry.Caption.empty() && !entry.Export.empty())
            out.push_back(std::move(entry));
    }
    return out;
}

} // namespace tkv::workbench
