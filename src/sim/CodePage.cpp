// Code page conversion through iconv, one character of replacement for anything unconvertible.
#include "CodePage.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>
#include <string_view>

namespace tkv::sim {

namespace {

std::string Convert(const std::string& in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no conversion from ") + from + " to " + to);
    std::string out;
    char buf[256];
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, dst);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // Unconvertible or invalid sequence: skip one input byte (a whole UTF-8 character
            // when the input is UTF-8) and put one "?".
            std::size_t skip = 1;
            const auto lead = static_cast<unsigned char>(*src);
            if (std::string_view(from) == "UTF-8")
                skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            skip = std::min(skip, srcLeft);
            src += skip;
            srcLeft -= skip;
            out.push_back('?');
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::string Utf8ToGbk(const std::string& utf8) {
    return Convert(utf8, "CP936", "UTF-8");
}
std::string GbkToUtf8(const std::string& gbk) {
    return Convert(gbk, "UTF-8", "CP936");
}

} // namespace tkv::sim
