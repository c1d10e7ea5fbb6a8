// The insurance settings file "cqyb.DAT": any file text loaded as name=value lines; the file the
// settings window writes back keeps every line it does not set byte for byte, and a value set under
// a plain name reads back as set.
#include "FuzzInput.h"
#include "comm/NameValueLines.h"
#include "comm/StringFunctions.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Input: name LF value LF file bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> f = tkv::fuzz::SplitFields(data, size, 2);
    const std::string &name = f[0], &value = f[1], &file = f[2];

    tkv::TNameValueLines lines;
    lines.LoadFromBytes(file);
    if (lines.SaveToBytes() != file)
        std::abort();
    for (const char* setting : {"FileName", "PosCode", "YBLog"})
        (void)tkv::Trim(lines.Value(setting));
    (void)lines.Value(name);

    if (!tkv::fuzz::IsPlainName(name))
        return 0;
    lines.SetValue(name, value);
    tkv::TNameValueLines reloaded;
    reloaded.LoadFromBytes(lines.SaveToBytes());
    if (tkv::fuzz::IsPlainValue(value) && reloaded.Value(name) != value)
        std::abort();
    return 0;
}
