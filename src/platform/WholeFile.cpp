// The temporary file beside the target, flushed to the disk before it replaces the target.
#include "WholeFile.h"

#include <fstream>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tkv {

namespace {

// The data on the disk before the rename, so that a crash cannot leave a renamed empty file.
bool FlushToDisk(const std::filesystem::path& file) {
#if defined(_WIN32)
    const HANDLE h =
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = FlushFileBuffers(h) != 0;
    CloseHandle(h);
    return ok;
#else
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#endif
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
#if defined(_WIN32)
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    return !ec;
#endif
}

} // namespace

bool WriteFileWhole(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path temp = file;
    temp += ".tkvnew";
    bool ok;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        ok = static_cast<bool>(out);
        if (ok)
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        ok = ok && static_cast<bool>(out);
    }
    if (ok)
        return PutFileInPlace(temp, file);
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    return false;
}

bool PutFileInPlace(const std::filesystem::path& temp, const std::filesystem::path& file) {
    if (FlushToDisk(temp) && ReplaceFile(temp, file))
        return true;
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    return false;
}

} // namespace tkv
