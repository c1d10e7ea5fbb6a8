#include "Unknown.h"

#include <cstdio>
#include <cctype>
#include <cstring>
#include <stdexcept>

namespace tkv {

const TGUID IID_IUnknown = TGUID::Parse("{00000000-0000-0000-C000-000000000046}");

bool TGUID::operator==(const TGUID& o) const {
    return D1 == o.D1 && D2 == o.D2 && D3 == o.D3 && std::memcmp(D4, o.D4, sizeof D4) == 0;
}

std::string TGUID::ToString() const {
    char buf[39];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", D1, D2, D3, D4[0], D4[1],
                  D4[2], D4[3], D4[4], D4[5], D4[6], D4[7]);
    return buf;
}

TGUID TGUID::Parse(const std::string& text) {
    static const char pattern[] = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (text.size() != sizeof pattern - 1)
        throw std::invalid_argument("not a GUID: " + text);
    std::string hex;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (pattern[i] == 'X') {
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                throw std::invalid_argument("not a GUID: " + text);
            hex += c;
        } else if (c != pattern[i]) {
            throw std::invalid_argument("not a GUID: " + text);
        }
    }
    auto part = [&](size_t pos, size_t len) { return std::stoul(hex.substr(pos, len), nullptr, 16); };
    TGUID g;
    g.D1 = static_cast<std::uint32_t>(part(0, 8));
    g.D2 = static_cast<std::uint16_t>(part(8, 4));
    g.D3 = static_cast<std::uint16_t>(part(12, 4));
    for (int i = 0; i < 8; ++i)
        g.D4[i] = static_cast<std::uint8_t>(part(16 + 2 * i, 2));
    return g;
}

} // namespace tkv
