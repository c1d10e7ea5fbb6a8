// Setting up a reference host under its folders.
#include "HostSession.h"

#include "sim/SimJpeg.h"

#include <sqlite3.h>
#include <system_error>

namespace tkv::host {

namespace {

std::filesystem::path Created(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir))
        throw HostError("目录无法创建: " + dir.string());
    return dir;
}

} // namespace

THostSession::THostSession(const THostOptions& options)
    : options_(options), db_(std::make_unique<HostDatabase>((Created(options.DataDir) / "host.db").string())),
      pictures_(options.DataDir / "pictures"), printer_(Created(options.OutDir) / "prints") {
    main_ = ComPtr<THostMain>(new THostMain(*db_, pictures_, printer_, ui_));
    existForm_ = ComPtr<TExistForm>(new TExistForm);
    report_ = ComPtr<TssReport>(new TssReport);
}

int THostSession::FillMissingPictures() {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_->Handle(), "SELECT ord, imgname FROM TK_Image ORDER BY ImageId", -1, &st,
                           nullptr) != SQLITE_OK)
        throw HostError(std::string("图片列表无法读取: ") + sqlite3_errmsg(db_->Handle()));
    int written = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const std::int32_t ord = sqlite3_column_int(st, 0);
        const unsigned char* name = sqlite3_column_text(st, 1);
        const std::string fileName = name ? reinterpret_cast<const char*>(name) : "";
        if (!TPictureStore::IsPlainFileName(fileName) || pictures_.Load(ord, fileName))
            continue;
        pictures_.Restore(ord, fileName, sim::InvoicePageJpeg(800, 566, static_cast<std::uint32_t>(ord)));
        ++written;
    }
    sqlite3_finalize(st);
    return written;
}

} // namespace tkv::host
