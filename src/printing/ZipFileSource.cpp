// The deflating file source of picture archives.
#include "ZipFileSource.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>
#include <zlib.h>

namespace tkv {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunk = 256 * 1024;
// A probe of this much data decides the level; deflating it at level 1 must save a tenth.
constexpr std::size_t kProbe = 16 * 1024;
constexpr int kStoredLevel = 0, kUsualLevel = 6;

std::FILE* OpenForReading(const fs::path& file) {
#if defined(_WIN32)
    return _wfopen(file.c_str(), L"rb");
#else
    return std::fopen(file.c_str(), "rb");
#endif
}

class DeflateFileSource {
public:
    DeflateFileSource(fs::path file, std::uint64_t size, time_t mtime)
        : file_(std::move(file)), size_(size), mtime_(mtime) {
        zip_error_init(&error_);
    }
    ~DeflateFileSource() {
        Close();
        zip_error_fini(&error_);
    }

    static zip_int64_t Callback(void* state, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
        auto* self = static_cast<DeflateFileSource*>(state);
        switch (cmd) {
        case ZIP_SOURCE_OPEN:
            return self->Open();
        case ZIP_SOURCE_READ:
            return self->Read(static_cast<Bytef*>(data), len);
        case ZIP_SOURCE_CLOSE:
            self->Close();
            return 0;
        case ZIP_SOURCE_STAT:
            return self->Stat(data, len);
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&self->error_, data, len);
        case ZIP_SOURCE_FREE:
            delete self;
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                                  ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            zip_error_set(&self->error_, ZIP_ER_OPNOTSUPP, 0);
            return -1;
        }
    }

private:
    zip_int64_t Fail(int zipError) {
        zip_error_set(&error_, zipError, 0);
        return -1;
    }

    zip_int64_t Open() {
        in_ = OpenForReading(file_);
        if (!in_)
            return Fail(ZIP_ER_OPEN);
        buffer_.resize(kChunk);
        crc_ = crc32(0, Z_NULL, 0);
        read_ = 0;
        eof_ = finished_ = false;
        stream_ = std::make_unique<z_stream>();
        if (!Fill())
            return -1;
        const int level = DeflateLevelFor(buffer_.data(), std::min<std::size_t>(stream_->avail_in, kProbe));
        // Raw Deflate data, as a ZIP entry holds it: window bits negative, no zlib header.
        if (deflateInit2(stream_.get(), level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
            stream_.reset();
            return Fail(ZIP_ER_ZLIB);
        }
        deflating_ = true;
        return 0;
    }

    // Reads the next chunk of the file into the buffer; false (error set) when reading fails.
    bool Fill() {
        const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), in_);
        if (std::ferror(in_)) {
            Fail(ZIP_ER_READ);
            return false;
        }
        eof_ = got < buffer_.size();
        crc_ = crc32(crc_, buffer_.data(), static_cast<uInt>(got));
        read_ += got;
        stream_->next_in = buffer_.data();
        stream_->avail_in = static_cast<uInt>(got);
        return true;
    }

    zip_int64_t Read(Bytef* out, zip_uint64_t len) {
        if (!deflating_)
            return Fail(ZIP_ER_INTERNAL);
        if (finished_)
            return 0;
        const uInt room = static_cast<uInt>(std::min<zip_uint64_t>(len, UINT32_MAX));
        stream_->next_out = out;
        stream_->avail_out = room;
        while (stream_->avail_out == room) {
            if (stream_->avail_in == 0 && !eof_ && !Fill())
                return -1;
            const int rc = deflate(stream_.get(), eof_ ? Z_FINISH : Z_NO_FLUSH);
            if (rc == Z_STREAM_END) {
                finished_ = true;
                compressed_ = stream_->total_out;
                break;
            }
            if (rc != Z_OK && rc != Z_BUF_ERROR)
                return Fail(ZIP_ER_ZLIB);
        }
        return static_cast<zip_int64_t>(room - stream_->avail_out);
    }

    void Close() {
        if (deflating_)
            deflateEnd(stream_.get());
        deflating_ = false;
        stream_.reset();
        if (in_)
            std::fclose(in_);
        in_ = nullptr;
        buffer_.clear();
        buffer_.shrink_to_fit();
    }

    zip_int64_t Stat(void* data, zip_uint64_t len) {
        zip_stat_t* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &error_);
        if (!st)
            return -1;
        zip_stat_init(st);
        st->valid = ZIP_STAT_MTIME | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD | ZIP_STAT_SIZE;
        st->mtime = mtime_;
        st->comp_method = ZIP_CM_DEFLATE;
        st->encryption_method = ZIP_EM_NONE;
        st->size = finished_ ? read_ : size_;
        if (finished_) {
            st->valid |= ZIP_STAT_CRC | ZIP_STAT_COMP_SIZE;
            st->crc = static_cast<zip_uint32_t>(crc_);
            st->comp_size = compressed_;
        }
        return sizeof(*st);
    }

    fs::path file_;
    std::uint64_t size_;
    time_t mtime_;
    zip_error_t error_;
    std::FILE* in_ = nullptr;
    std::vector<Bytef> buffer_;
    std::unique_ptr<z_stream> stream_;
    bool deflating_ = false, eof_ = false, finished_ = false;
    uLong crc_ = 0;
    std::uint64_t read_ = 0, compressed_ = 0;
};

time_t ModificationTime(const fs::path& file, std::error_code& ec) {
    const auto written = fs::last_write_time(file, ec);
    if (ec)
        return 0;
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
}

} // namespace

int DeflateLevelFor(const std::uint8_t* sample, std::size_t size) {
    if (size == 0)
        return kUsualLevel;
    uLongf bound = compressBound(static_cast<uLong>(size));
    std::vector<Bytef> out(bound);
    if (compress2(out.data(), &bound, sample, static_cast<uLong>(size), 1) != Z_OK)
        return kUsualLevel;
    return bound * 10 < size * 9 ? kUsualLevel : kStoredLevel;
}

zip_source_t* CreateDeflateFileSource(const fs::path& file, zip_error_t* error) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        zip_error_set(error, ZIP_ER_NOENT, 0);
        return nullptr;
    }
    const std::uint64_t size = fs::file_size(file, ec);
    const time_t mtime = ec ? 0 : ModificationTime(file, ec);
    if (ec) {
        zip_error_set(error, ZIP_ER_READ, 0);
        return nullptr;
    }
    auto* state = new DeflateFileSource(file, size, mtime);
    zip_source_t* source = zip_source_function_create(&DeflateFileSource::Callback, state, error);
    if (!source)
        delete state;
    return source;
}

} // namespace tkv
