// SQL texts the plug-in sends to the reference host: "exec" statements taken apart into procedure
// name and arguments; whatever else the text is, it is either no exec statement or refused by name.
#include "host/db/HostError.h"
#include "host/db/SqlTranslation.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view sql(reinterpret_cast<const char*>(data), size);
    tkv::host::ExecStatement statement;
    try {
        if (!tkv::host::ParseExecStatement(sql, statement))
            return 0;
    } catch (const tkv::host::HostError&) {
        return 0;
    }
    if (statement.procedure.empty() || statement.names.size() != statement.values.size())
        std::abort();
    for (const std::string& name : statement.names)
        if (name.empty() || name.front() != '@')
            std::abort();
    return 0;
}
