// The settings file reader. Lines end in CR LF, LF or CR, as a string list loads them; the name is
// the text before the first "=" as it stands.
#include "Settings.h"

#include "../framework/TextCase.h"

#include "../platform/Platform.h"
#include "Paths.h"

#include <fstream>
#include <iterator>

namespace tkv {

namespace {

std::string TrimControls(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

} // namespace

std::string SettingsFilePath() {
    return AddBackSlash(DataPath()) + "cqyb.DAT";
}

std::string GetConfigValue(const std::string& ConfigName) {
    std::ifstream in(Utf8Path(SettingsFilePath()), std::ios::binary);
    if (!in)
        return {};
    const std::string text = Platform().AnsiToUtf8(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        const size_t eq = line.find('=');
        if (eq != std::string::npos && SameText(line.substr(0, eq), ConfigName))
            return TrimControls(line.substr(eq + 1));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++start;
    }
    return {};
}

} // namespace tkv
