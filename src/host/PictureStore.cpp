// Picture files of the host: written whole under a temporary name and then given their store name,
// so that a picture is either stored completely or not at all and never replaces another one.
#include "PictureStore.h"

#include "db/HostDatabase.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

namespace tkv::host {

namespace fs = std::filesystem;

namespace {

// "IMG00000042.jpg" -> 42; 0 for other names.
std::int32_t OrdinalOfName(const std::string& name) {
    if (name.size() != 15 || name.compare(0, 3, "IMG") != 0 || name.compare(11, 4, ".jpg") != 0)
        return 0;
    std::int32_t n = 0;
    for (std::size_t i = 3; i < 11; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

// Writes the bytes into a new file; a file that cannot be written whole is removed again.
void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& jpeg, const fs::path& shown) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(jpeg.size()));
    f.close();
    if (!f) {
        std::error_code ignored;
        fs::remove(path, ignored);
        throw HostError("图片文件无法写入: " + shown.string());
    }
}

} // namespace

TPictureStore::TPictureStore(fs::path folder) : folder_(std::move(folder)) {
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec || !fs::is_directory(folder_))
        throw HostError("图片存储目录无法创建: " + folder_.string());
    for (const auto& entry : fs::directory_iterator(folder_))
        lastOrdinal_ = std::max(lastOrdinal_, OrdinalOfName(entry.path().filename().string()));
}

bool TPictureStore::IsPlainFileName(const std::string& fileName) {
    if (fileName.empty() || fileName == "." || fileName == ".." || fileName.size() > 255)
        return false;
    for (unsigned char c : fileName)
        if (c < 0x20 || c == '/' || c == '\\' || c == ':')
            return false;
    return true;
}

std::string TPictureStore::FileNameFor(std::int32_t ordinal) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "IMG%08d.jpg", static_cast<int>(ordinal));
    return buf;
}

fs::path TPictureStore::PathOf(const std::string& fileName) const {
    if (!IsPlainFileName(fileName))
        throw HostError("图片文件名不合法: " + fileName);
    return folder_ / fileName;
}

void TPictureStore::WriteWhole(const fs::path& target, const std::vector<std::uint8_t>& jpeg) {
    const fs::path temp = target.string() + ".part";
    WriteBytes(temp, jpeg, target);
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw HostError("图片文件无法写入: " + target.string());
    }
}

fs::path TPictureStore::WriteUnnamed(const std::vector<std::uint8_t>& jpeg) const {
    static std::mt19937_64 random{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    const fs::path temp = folder_ / ("new-" + std::string(suffix) + ".part");
    WriteBytes(temp, jpeg, temp);
    return temp;
}

bool TPictureStore::TakeName(const fs::path& written, const fs::path& target) {
    std::error_code ec;
    fs::create_hard_link(written, target, ec);
    if (ec == std::errc::file_exists)
        return false;
    if (!ec) {
        fs::remove(written, ec);
        return true;
    }
    // A folder without hard links: a name that exists is passed over, then the file is renamed.
    if (fs::exists(target, ec))
        return false;
    fs::rename(written, target, ec);
    if (ec) {
        fs::remove(written, ec);
        throw HostError("图片文件无法写入: " + target.string());
    }
    return true;
}

bool TPictureStore::Save(const std::vector<std::uint8_t>& jpeg, std::int32_t& ordinal,
                         std::string& fileName) {
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8)
        return false;
    // Another host on the same folder may have taken the next names since this store looked:
    // the picture goes under the first name that is still free, never over a stored one.
    const fs::path temp = WriteUnnamed(jpeg);
    for (std::int32_t next = lastOrdinal_ + 1;; ++next) {
        const std::string name = FileNameFor(next);
        if (TakeName(temp, folder_ / name)) {
            lastOrdinal_ = next;
            ordinal = next;
            fileName = name;
            return true;
        }
    }
}

std::optional<std::vector<std::uint8_t>> TPictureStore::Load(std::int32_t ordinal,
                                                             const std::string& fileName) const {
    const fs::path path = PathOf(fileName);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream f(path, std::ios::binary);
    if (!f)
        return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return bytes;
}

void TPictureStore::Restore(std::int32_t ordinal, const std::string& fileName,
                            const std::vector<std::uint8_t>& jpeg) {
    WriteWhole(PathOf(fileName), jpeg);
    lastOrdinal_ = std::max({lastOrdinal_, ordinal, OrdinalOfName(fileName)});
}

bool TPictureStore::Remove(std::int32_t ordinal, const std::string& fileName) {
    const fs::path path = PathOf(fileName);
    std::error_code ec;
    return fs::remove(path, ec);
}

} // namespace tkv::host
