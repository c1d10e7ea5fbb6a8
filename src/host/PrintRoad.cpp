// The print road of tkvhost.
#include "PrintRoad.h"

#include "framework/DateTime.h"
#include "plugin/Exports.h"
#include "printing/FpImagePrintFrm.h"
#include "printing/pdf/PdfPrinter.h"
#include "ui/headless/FormDriver.h"
#include "ui/headless/HeadlessRunner.h"

#include <set>
#include <stdexcept>
#include <zip.h>

namespace tkv::host {

namespace fs = std::filesystem;

namespace {

void Require(bool condition, const std::string& what) {
    if (!condition)
        throw std::runtime_error("print road: " + what);
}

// Lists the bills from the start of last month and ticks those with pictures; their codes.
std::vector<std::string> ListAndTick(TFormDriver& d, TDateTime from) {
    auto& form = static_cast<TFpImagePrintFrm&>(d.Form());
    d.ChooseDate("Begindate", from);
    d.Click("btn_Query");
    std::vector<std::string> ticked;
    for (int row = 0; row < form.MainGrid->GetDataRowCount(); ++row)
        if (form.MainGrid->GetColIntValue("ImageCount", row) > 0) {
            d.TickRow("MainGrid", row);
            ticked.push_back(form.MainGrid->GetColStrText("billcode", row));
        }
    return ticked;
}

// The entries of an archive; -1 when it cannot be opened.
zip_int64_t ArchiveEntries(const fs::path& archive) {
    int error = 0;
    zip_t* za = zip_open(archive.string().c_str(), ZIP_RDONLY, &error);
    if (!za)
        return -1;
    const zip_int64_t n = zip_get_num_entries(za, 0);
    zip_discard(za);
    return n;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& t : texts)
        out += (out.empty() ? "" : ", ") + t;
    return out;
}

// The host's messages since the given count of events.
std::vector<std::string> MessagesSince(const TScriptedUi& ui, std::size_t from) {
    std::vector<std::string> out;
    for (std::size_t i = from; i < ui.Events().size(); ++i)
        if (ui.Events()[i].Kind == TUiEventKind::Message || ui.Events()[i].Kind == TUiEventKind::Error)
            out.push_back(ui.Events()[i].Text);
    return out;
}

} // namespace

void RunPrintRoad(THostSession& session, TRoadReport& report) {
    const TDateTime lastMonth = StartOfMonth(StartOfMonth(DateOf(session.Database().Now())) - 1);
    const fs::path exportFolder = session.Options().OutDir / "exports";
    const auto printer =
        std::make_shared<TPdfPrinter>(session.Options().OutDir / "picture-prints", "发票图片");
    const auto again = std::make_shared<TPdfPrinter>(session.Options().OutDir / "picture-prints", "发票图片");

    THeadlessRunner runner;
    runner.AnswerPrintDialog(printer);
    report.Step("发票图片打印", "TkvPrint 打开 厂家品种发票图片打印");
    runner.Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImagePrintFrm&>(d.Form());
        std::vector<std::string> ticked = ListAndTick(d, lastMonth);
        report.Line("查询: " + std::to_string(form.MainGrid->GetDataRowCount()) +
                    " 张单据, 勾选有发票图片的 " + Joined(ticked));
        Require(!ticked.empty(), "no bill with pictures is listed");
        std::size_t events = session.Ui().Events().size();
        d.Click("btn_Print");
        for (const std::string& m : MessagesSince(session.Ui(), events))
            report.Line("提示: " + m);
        for (const fs::path& job : printer->Jobs())
            report.Line("打印: " + job.string());
        int printed = 0;
        for (int row = 0; row < form.MainGrid->GetDataRowCount(); ++row)
            printed += form.MainGrid->GetColIntValue("printtimes", row) > 0;
        report.Line("重新查询: " + std::to_string(printed) + " 张单据有发票图片打印次数");

        ticked = ListAndTick(d, lastMonth);
        // Two suppliers of one name, as a pharmacy's records may hold: each keeps its own archive.
        std::set<std::int32_t> suppliers;
        for (int row = 0; row < form.MainGrid->GetDataRowCount(); ++row)
            if (form.MainGrid->GetRowSelected(row))
                suppliers.insert(form.MainGrid->GetColIntValue("brec", row));
        Require(suppliers.size() >= 2, "the ticked bills have fewer than two suppliers");
        const std::int32_t first = *suppliers.begin(), second = *std::next(suppliers.begin());
        HostDatabase& db = session.Database();
        const OleVariant secondName =
            db.Select("SELECT fullname FROM btype WHERE rec = ?", {OleVariant(second)}).Value(0, "fullname");
        db.Exec("UPDATE btype SET fullname = (SELECT fullname FROM btype WHERE rec = ?) WHERE rec = ?",
                {OleVariant(first), OleVariant(second)});
        d.SetText("edit_Path", exportFolder.string());
        std::set<fs::path> before; // archives of earlier runs into the same folder
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(exportFolder, ec))
            before.insert(entry.path());
        events = session.Ui().Events().size();
        d.Click("btn_Export");
        db.Exec("UPDATE btype SET fullname = ? WHERE rec = ?", {secondName, OleVariant(second)});
        report.Step("导出发票图片", "勾选 " + Joined(ticked) + "; 单位 " + std::to_string(first) + " 与 " +
                                        std::to_string(second) + " 同名");
        for (const std::string& m : MessagesSince(session.Ui(), events))
            report.Line("提示: " + m);
        zip_int64_t archived = 0;
        for (const auto& entry : fs::directory_iterator(exportFolder))
            if (entry.path().extension() == ".zip" && !before.contains(entry.path())) {
                const zip_int64_t n = ArchiveEntries(entry.path());
                archived += n > 0 ? n : 0;
                report.Line("压缩文件: " + entry.path().string() + ", " + std::to_string(n) + " 张图片");
            }
        zip_int64_t pictures = 0;
        for (int i = 0; i < form.AllPictFileList().Count(); ++i)
            pictures += form.AllPictFileList().List(i).Count();
        report.Line("勾选单据的图片 " + std::to_string(pictures) +
                    " 张, 都在压缩文件中: " + (archived == pictures ? "是" : "否"));
        Require(archived == pictures, "pictures of the ticked bills are missing from the archives");
    });
    TkvPrint("");

    // The same bills once more on the same day: every picture was printed today already.
    runner.AnswerPrintDialog(again);
    runner.Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        const std::vector<std::string> ticked = ListAndTick(d, lastMonth);
        const std::size_t events = session.Ui().Events().size();
        d.Click("btn_Print");
        report.Step("再次打印", "勾选 " + Joined(ticked));
        for (const std::string& m : MessagesSince(session.Ui(), events))
            report.Line("提示: " + m);
        report.Line("打印文件: " + std::to_string(again->Jobs().size()) + " 个");
    });
    TkvPrint("");
    for (const std::string& failure : runner.Failures())
        throw std::runtime_error("print road: " + failure);
    Require(again->Jobs().empty(), "the second run on the same day printed again");
}

} // namespace tkv::host
