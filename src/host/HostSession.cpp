// Setting up a reference host under its folders.
#include "HostSession.h"

#include "InvoicePage.h"
#include "sim/SimJpeg.h"

#include "db/DemoData.h"
#include "db/Sqlite.h"
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

THostSession::THostSession(const THostOptions& options, IHostUi* ui)
    : options_(options), db_(std::make_unique<HostDatabase>((Created(options.DataDir) / "host.db").string())),
      pictures_(options.DataDir / "pictures"), printer_(Created(options.OutDir) / "prints") {
    db_->SetPacketForm(options.Packets);
    main_ =
        ComPtr<THostMain>(new THostMain(*db_, pictures_, printer_, ui ? *ui : static_cast<IHostUi&>(ui_)));
    existForm_ = ComPtr<TExistForm>(new TExistForm);
    report_ = ComPtr<TssReport>(new TssReport);
}

bool THostSession::SeedDemo() {
    return SeedDemoData(
        *db_, db_->Now(), [this](const TDemoPicture& picture, std::int32_t& ord, std::string& fileName) {
            return pictures_.Save(InvoicePageJpeg(picture.Invoice, picture.Copy), ord, fileName);
        });
}

int THostSession::FillMissingPictures() {
    Statement st(db_->Handle(), "SELECT ord, imgname FROM TK_Image ORDER BY ImageId");
    int written = 0;
    while (st.Step()) {
        const auto ord = static_cast<std::int32_t>(st.ColumnInt(0));
        const std::string fileName = st.ColumnText(1);
        if (!TPictureStore::IsPlainFileName(fileName) || pictures_.Load(ord, fileName))
            continue;
        pictures_.Restore(ord, fileName, sim::InvoicePageJpeg(800, 566, static_cast<std::uint32_t>(ord)));
        ++written;
    }
    return written;
}

} // namespace tkv::host
