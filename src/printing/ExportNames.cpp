// Export names and the making safe of the texts they are built from.
#include "ExportNames.h"

#include "framework/DateTime.h"
#include "platform/Platform.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace tkv {

namespace {

bool RefusedInNames(unsigned char c) {
    return c < 0x20 || c == 0x7F ||
           std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// The device names that Windows keeps for itself, whatever extension follows them.
bool IsDeviceName(std::string_view name) {
    const std::size_t dot = name.find('.');
    std::string_view base = name.substr(0, dot);
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    const std::string upper = UpperAscii(base);
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : kPlain)
        if (upper == device)
            return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
           upper[3] <= '9';
}

} // namespace

std::string ExportTimeStamp(TDateTime moment) {
    const DateParts p = DecodeDateTime(moment);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", p.year, p.month, p.day, p.hour, p.minute,
                  p.second);
    return text;
}

std::string SafeNamePart(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (RefusedInNames(static_cast<unsigned char>(c)))
            c = '_';
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] != '.')
            continue;
        std::size_t end = i;
        while (end < out.size() && out[end] == '.')
            ++end;
        if (i == 0 || end - i > 1)
            out.replace(i, end - i, end - i, '_');
        i = end;
    }
    if (IsDeviceName(out)) {
        const std::size_t dot = out.find('.');
        out.insert(dot == std::string::npos ? out.size() : dot, "_");
    }
    return out;
}

std::string JoinName(const std::string& folder, const std::string& name) {
    const char delim = Platform().PathDelim();
    if (!folder.empty() && (folder.back() == delim || folder.back() == '/'))
        return folder + name;
    return folder + delim + name;
}

std::string ArchiveStem(const std::string& supplierName, const std::string& stamp, int copy) {
    return SafeNamePart(supplierName) + "-" + stamp + (copy > 1 ? " (" + std::to_string(copy) + ")" : "");
}

std::string ArchiveFileName(const std::string& folder, const std::string& supplierName,
                            const std::string& stamp, int copy) {
    return JoinName(folder, ArchiveStem(supplierName, stamp, copy) + ".zip");
}

std::string TempFolderName(const std::string& folder) {
    return JoinName(folder, "temp");
}

std::string NumberedPictureName(int n, int k) {
    return std::to_string(n) + "-" + std::to_string(k) + ".jpg";
}

std::string ExportSubfolderName(const std::string& folder, const std::string& productName,
                                const std::string& batchNumber, const std::string& stamp) {
    return JoinName(folder, SafeNamePart(productName) + "-" + SafeNamePart(batchNumber) + "-" + stamp);
}

} // namespace tkv
