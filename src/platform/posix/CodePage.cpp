// iconv-backed code page conversion. A failed character is replaced by "?" and conversion goes on
// after it, as the Windows conversion functions do with their default character.
#include "CodePage.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace tkv {

namespace {

iconv_t OpenIconv(const std::string& to, const std::string& from) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("code page conversion " + from + " -> " + to + " is not available");
    return cd;
}

// Length of the UTF-8 sequence that starts with this byte; 1 for a byte that cannot start one.
size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

enum class Source { Utf8, Ansi };

std::string Convert(void* descriptor, const std::string& input, Source source) {
    auto cd = static_cast<iconv_t>(descriptor);
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // reset shift state
    std::string out;
    char buffer[1024];
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc != static_cast<size_t>(-1))
            break;
        if (err == E2BIG)
            continue;
        // EILSEQ or EINVAL (cut-off sequence at the end): replace one character and go on.
        size_t skip = source == Source::Utf8 ? Utf8SequenceLength(static_cast<unsigned char>(*in)) : 1;
        if (skip > inLeft)
            skip = inLeft;
        in += skip;
        inLeft -= skip;
        out += '?';
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

} // namespace

std::string IconvCodePageName(unsigned codePage) {
    if (codePage == 65001)
        return "UTF-8";
    return "CP" + std::to_string(codePage);
}

TCodePageConverter::TCodePageConverter(unsigned codePage)
    : codePage_(codePage), fromUtf8_(OpenIconv(IconvCodePageName(codePage), "UTF-8")), toUtf8_(nullptr) {
    try {
        toUtf8_ = OpenIconv("UTF-8", IconvCodePageName(codePage));
    } catch (...) {
        iconv_close(static_cast<iconv_t>(fromUtf8_));
        throw;
    }
}

TCodePageConverter::~TCodePageConverter() {
    iconv_close(static_cast<iconv_t>(fromUtf8_));
    iconv_close(static_cast<iconv_t>(toUtf8_));
}

std::string TCodePageConverter::FromUtf8(const std::string& utf8) const {
    return Convert(fromUtf8_, utf8, Source::Utf8);
}

std::string TCodePageConverter::ToUtf8(const std::string& ansi) const {
    return Convert(toUtf8_, ansi, Source::Ansi);
}

} // namespace tkv
