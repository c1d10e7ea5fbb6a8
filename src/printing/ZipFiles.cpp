// ZipFiles with libzip and the deflating file source.
#include "ZipFiles.h"

#include "ZipFileSource.h"
#include "comm/Paths.h"

#include <filesystem>
#include <system_error>
#include <zip.h>

namespace tkv {

namespace fs = std::filesystem;

namespace {

// The files added to the open archive; each added entry carries its file's bare name.
int AddFiles(zip_t* archive, const std::vector<std::string>& files) {
    int added = 0;
    for (const std::string& name : files) {
        const fs::path file = Utf8Path(name);
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = CreateDeflateFileSource(file, &error);
        zip_error_fini(&error);
        if (!source)
            continue;
        const std::u8string entry = file.filename().u8string();
        const zip_int64_t index =
            zip_file_add(archive, reinterpret_cast<const char*>(entry.c_str()), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            continue;
        }
        // The source's data is Deflate data already: libzip copies it as it comes.
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0);
        ++added;
    }
    return added;
}

bool DeleteFiles(const std::vector<std::string>& files) {
    bool all = true;
    for (const std::string& name : files) {
        std::error_code ec;
        fs::remove(Utf8Path(name), ec);
        all = all && !ec;
    }
    return all;
}

} // namespace

bool ZipFiles(const std::string& archive, const std::vector<std::string>& files, bool deleteSources) {
    try {
        int error = 0;
        // Truncating means that the old archive is not read; libzip writes the new one under a
        // temporary name and puts it in place only when it is complete.
        zip_t* za = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        if (!za)
            return false;
        if (AddFiles(za, files) == 0) {
            zip_discard(za);
            return false;
        }
        if (zip_close(za) != 0) {
            zip_discard(za);
            return false;
        }
        return !deleteSources || DeleteFiles(files);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace tkv
