// The gateway log file, written line by line with the bytes of a whole reload and rewrite.
#include "GatewayLog.h"

#include "../platform/Platform.h"
#include "../platform/WholeFile.h"
#include "StringFunctions.h"

#include <fstream>
#include <iterator>
#include <string_view>

namespace tkv {

namespace {

constexpr const char* kCrLf = "\r\n";

// The text as a string list that loads it and saves it again writes it.
std::string Normalised(std::string_view text) {
    return JoinLines(SplitLines(text));
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

void TGatewayLog::Add(const std::filesystem::path& file, const std::string& ansiLine) {
    std::error_code ec;
    bool ok = false;
    if (std::filesystem::exists(file, ec)) {
        TStamp now;
        now.Size = std::filesystem::file_size(file, ec);
        if (!ec)
            now.Time = std::filesystem::last_write_time(file, ec);
        if (known_ && !ec && now == written_) {
            // The file holds text_: a reload changes only the tail that was not reloaded yet.
            const std::string oldTail = text_.substr(tailStart_);
            const std::string tail = Normalised(oldTail);
            const std::size_t from = tailStart_;
            text_.resize(tailStart_);
            text_ += tail;
            tailStart_ = text_.size();
            text_ += ansiLine;
            text_ += kCrLf;
            ok = Rewrite(file, tail == oldTail ? tailStart_ : from);
        } else {
            text_ = Normalised(ReadAll(file));
            tailStart_ = text_.size();
            text_ += ansiLine;
            text_ += kCrLf;
            ok = WriteAll(file);
        }
    } else {
        // Deleted or never written: the lines held, then the header, the rule and the line. What
        // was held is not reloaded, so the tail still starts where it did.
        text_ += Platform().Utf8ToAnsi(Header);
        text_ += kCrLf;
        text_ += std::string(30, '-');
        text_ += kCrLf;
        text_ += ansiLine;
        text_ += kCrLf;
        ok = WriteAll(file);
    }
    if (ok)
        Remember(file);
    else
        known_ = false;
}

bool TGatewayLog::WriteAll(const std::filesystem::path& file) {
    // Whole or not at all: a rewrite that fails part way must not cut off the lines the file held.
    return WriteFileWhole(file, text_);
}

bool TGatewayLog::Rewrite(const std::filesystem::path& file, std::uintmax_t from) {
    {
        std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
        if (!out)
            return false;
        out.seekp(static_cast<std::streamoff>(from));
        out.write(text_.data() + from, static_cast<std::streamsize>(text_.size() - from));
        out.close();
        if (!out)
            return false;
    }
    std::error_code ec;
    std::filesystem::resize_file(file, text_.size(), ec);
    return !ec;
}

void TGatewayLog::Remember(const std::filesystem::path& file) {
    std::error_code ec;
    written_.Size = std::filesystem::file_size(file, ec);
    if (!ec)
        written_.Time = std::filesystem::last_write_time(file, ec);
    known_ = !ec && written_.Size == text_.size();
}

} // namespace tkv
