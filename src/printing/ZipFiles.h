// The archive operation of picture export: one standard ZIP archive (libzip) holding the listed
// files as Deflate entries under their bare file names, dated by the files' own modification times,
// unencrypted, without folder entries.
#pragma once

#include <string>
#include <vector>

namespace tkv {

// Writes the archive from the files (UTF-8 paths) and answers true when at least one file was
// added. A file that does not exist or is no regular file is left out. The archive appears whole
// or not at all: an existing archive of that name is replaced only by a complete new one, and is
// kept when the new one fails or would be empty. With deleteSources, every listed file is deleted
// (permanently) once the archive is written. No failure leaves the function: any failure while
// compressing or deleting answers false.
bool ZipFiles(const std::string& archive, const std::vector<std::string>& files, bool deleteSources);

} // namespace tkv
