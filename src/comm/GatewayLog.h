// The text of the insurance gateway's log file "cqybPross.log" and its writing. The log behaves as a
// string list that, for every new line, reloads the file when it exists (else appends the header
// and a rule to what it holds), adds the line and saves itself whole. The file then holds the same
// bytes as with that reload and rewrite, but a line costs the same whatever the log's size: when
// the file is still the one written last, only the new line is appended (and the previous line's
// own line breaks are normalised, as the reload would). A file changed by someone else is reloaded
// and rewritten; a deleted one is written again from the lines held.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tkv {

class TGatewayLog {
public:
    static constexpr const char* Header = "记录的日志文件,当文件过大的时候可以删除这个文件";

    // Adds one line (8-bit bytes, the system code page) to the log file. A file that cannot be
    // written keeps the line only in the held text; the next line tries again.
    void Add(const std::filesystem::path& file, const std::string& ansiLine);

    // The log text as held, that is the file's bytes after the last successful write.
    const std::string& Text() const { return text_; }

private:
    struct TStamp {
        std::uintmax_t Size = 0;
        std::filesystem::file_time_type Time{};
        bool operator==(const TStamp&) const = default;
    };
    bool WriteAll(const std::filesystem::path& file);
    bool Rewrite(const std::filesystem::path& file, std::uintmax_t from);
    void Remember(const std::filesystem::path& file);

    std::string text_;          // every line followed by CR LF
    std::size_t tailStart_ = 0; // text_ before this offset is as a reload would write it
    TStamp written_;            // the file as last written
    bool known_ = false;        // written_ describes the file
};

} // namespace tkv
