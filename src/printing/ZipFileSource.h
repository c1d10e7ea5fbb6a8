// A libzip source that hands over one file's data already Deflate-compressed, so that libzip copies
// it into the archive unchanged: zlib deflates the file as libzip reads, at the level chosen for
// this entry, and the CRC, sizes and the file's modification time are answered from the file. Data
// that hardly compresses (JPEG pictures) is deflated at level 0, in stored blocks; anything else at
// the usual level 6. Only the buffers of the entry being written are held, whatever the number of
// entries.
#pragma once

#include <cstdint>
#include <filesystem>
#include <zip.h>

namespace tkv {

// The level an entry whose data starts with these bytes is deflated at.
int DeflateLevelFor(const std::uint8_t* sample, std::size_t size);

// A new source for the file, or nullptr (error set) when it is no readable regular file. The
// source belongs to the caller until it is handed to an archive.
zip_source_t* CreateDeflateFileSource(const std::filesystem::path& file, zip_error_t* error);

} // namespace tkv
