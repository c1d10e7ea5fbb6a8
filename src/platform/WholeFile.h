// Writing a file whole or not at all: the bytes go to a temporary file beside it, which takes the
// file's name only once it is complete, so a failed write (no room, no permission, a folder gone)
// leaves the file of that name as it was.
#pragma once

#include <filesystem>
#include <string_view>

namespace tkv {

// True when the file holds exactly the bytes. False when they could not be written or put in
// place: the file is then as it was (or still missing) and the temporary file is removed.
bool WriteFileWhole(const std::filesystem::path& file, std::string_view bytes);

// Puts a complete temporary file in the place of the file: on the disk first, then renamed over
// it. False when that fails; the temporary file is then removed and the file is as it was.
bool PutFileInPlace(const std::filesystem::path& temp, const std::filesystem::path& file);

} // namespace tkv
