// Conversion between UTF-8 and one 8-bit (single- or multi-byte) Windows code page through iconv.
// Characters that the target lacks, and bytes that do not decode, become "?".
#pragma once

#include <string>

namespace tkv {

class TCodePageConverter {
public:
    // Raises std::runtime_error when iconv knows no such code page.
    explicit TCodePageConverter(unsigned codePage);
    ~TCodePageConverter();
    TCodePageConverter(const TCodePageConverter&) = delete;
    TCodePageConverter& operator=(const TCodePageConverter&) = delete;

    std::string FromUtf8(const std::string& utf8) const;
    std::string ToUtf8(const std::string& ansi) const;
    unsigned CodePage() const { return codePage_; }

private:
    unsigned codePage_;
    void* fromUtf8_; // iconv descriptors
    void* toUtf8_;
};

// The iconv name of a Windows code page number ("CP936"; "UTF-8" for 65001).
std::string IconvCodePageName(unsigned codePage);

} // namespace tkv
