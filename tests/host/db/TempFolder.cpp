// Temporary folders under the system's temporary directory, one per test.
#include "TempFolder.h"

#include <cstdlib>
#include <stdexcept>

namespace tkv::host::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tkvhostdb-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace tkv::host::testing
