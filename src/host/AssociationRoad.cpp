// The association road of tkvhost.
#include "AssociationRoad.h"

#include "association/FpImageEditFrm.h"
#include "association/FpImageFrm.h"
#include "association/FpImageStrip.h"
#include "association/PtypeDz.h"
#include "framework/DateTime.h"
#include "plugin/Exports.h"
#include "sim/SimJpeg.h"
#include "toolkit/JPEGImage.h"
#include "toolkit/Keys.h"
#include "toolkit/QrCodeReader.h"
#include "ui/headless/FormDriver.h"
#include "ui/headless/HeadlessRunner.h"

#include <stdexcept>

namespace tkv::host {

namespace {

void Require(bool condition, const std::string& what) {
    if (!condition)
        throw std::runtime_error("association road: " + what);
}

std::string Rows(HostDatabase& db, const char* table) {
    return std::string(table) + " " +
           std::to_string(
               db.Select(std::string("SELECT count(*) AS n FROM ") + table).Value(0, "n").AsInt64());
}

std::string Counts(HostDatabase& db) {
    return Rows(db, "TK_Voice") + ", " + Rows(db, "TK_Image") + ", " + Rows(db, "TK_VoiceImage") + ", " +
           Rows(db, "TK_JobLink") + ", " + Rows(db, "TK_JobLinkImage") + ", " + Rows(db, "t_tempVoiceLink");
}

// The row of the newest link in the management list.
int NewestRow(const TBandGrid& grid) {
    int best = -1;
    std::int32_t bestId = 0;
    for (int row = 0; row < grid.GetDataRowCount(); ++row)
        if (const std::int32_t id = grid.GetColIntValue("id", row); id > bestId) {
            bestId = id;
            best = row;
        }
    return best;
}

} // namespace

std::vector<std::uint8_t> DemoPictureOf(THostSession& session, const std::string& invoice) {
    const ResultRows rows =
        session.Database().Select("SELECT i.ord, i.imgname FROM TK_Voice t JOIN TK_VoiceImage v ON v.voiceid "
                                  "= t.voiceid JOIN TK_Image i "
                                  "ON i.ImageId = v.ImageId WHERE t.VoiceCode = ? ORDER BY v.id LIMIT 1",
                                  {OleVariant(invoice)});
    Require(rows.RowCount() == 1, "invoice " + invoice + " has no picture");
    std::optional<std::vector<std::uint8_t>> bytes = session.Pictures().Load(
        static_cast<std::int32_t>(rows.Value(0, "ord").AsInt64()), rows.Value(0, "imgname").AsString());
    Require(bytes.has_value(), "the picture of invoice " + invoice + " is not in the store");
    return std::move(*bytes);
}

std::string ReaderRecordOf(THostSession& session, const std::string& invoice) {
    const std::optional<std::string> text = ReadQrText(TJPEGImage(DemoPictureOf(session, invoice)),
                                                       TFpImageStrip::kSlotWidth, TFpImageStrip::kSlotHeight);
    Require(text.has_value(), "the page of invoice " + invoice + " carries no readable code");
    return *text;
}

void RunAssociationRoad(THostSession& session, TRoadReport& report) {
    HostDatabase& db = session.Database();
    const TDateTime today = DateOf(db.Now());
    const TDateTime lastMonth = StartOfMonth(StartOfMonth(today) - 1);
    const std::string picture = (session.Options().OutDir / "invoice-page.jpg").string();
    sim::WriteFileBytes(picture, sim::InvoicePageJpeg(1240, 1754, 20261209));
    const std::string invoice = "31000001";
    // The 2D reader reads the code printed on the invoice; a picture of the next invoice is loaded
    // by mistake.
    const std::string record = ReaderRecordOf(session, invoice);
    const std::string otherPicture = (session.Options().OutDir / "invoice-31000002.jpg").string();
    sim::WriteFileBytes(otherPicture, DemoPictureOf(session, "31000002"));

    THeadlessRunner runner;
    report.Step("关联管理", "TkvjobLink 打开 厂家品种发票图片关联管理; 数据 " + Counts(db));
    runner.Expect("TPtypeDz", [&](TFormDriver& d) {
        auto& list = static_cast<TPtypeDz&>(d.Form());
        d.ChooseDate("Begindate", lastMonth);
        d.Click("btn_Query");
        report.Line("查询: " + std::to_string(list.MainGrid->GetDataRowCount()) + " 条关联");
        d.Click("btn_Add");
        report.Line("新增关联后重新查询: " + std::to_string(list.MainGrid->GetDataRowCount()) + " 条关联");
        const int row = NewestRow(*list.MainGrid);
        Require(row >= 0, "the new link is not listed");
        d.SelectRow("MainGrid", row);
        d.Click("btn_Edit");
        d.Click("btn_Print");
    });
    runner.Expect("TFpImageFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageFrm&>(d.Form());
        d.ChooseItem("rg_Mode", "选明细");
        d.ChooseDate("Begindate", lastMonth);
        d.ClickEditButton("edit_Btype");
        d.Click("btn_Query");
        report.Step("新增关联", "选明细, 供货单位 " + form.edit_Btype->GetText() + ", 查询到 " +
                                    std::to_string(form.MainGrid->GetDataRowCount()) + " 条批次");
        // Two batches that no invoice covers yet.
        std::vector<int> free;
        for (int row = 0; row < form.MainGrid->GetDataRowCount() && free.size() < 2; ++row)
            if (form.MainGrid->GetColStrText("voicecode", row).empty())
                free.push_back(row);
        Require(free.size() == 2, "fewer than two batches without an invoice to tick");
        d.TickRow("MainGrid", free[0]);
        d.TickRow("MainGrid", free[1]);
        report.Line("勾选批号 " + form.MainGrid->GetColStrText("jobnumber", free[0]) + ", " +
                    form.MainGrid->GetColStrText("jobnumber", free[1]));
        d.SetText("edit_FPCode", record);
        d.PressKey(VK_RETURN); // the reader ends what it types with Enter
        Require(form.edit_FPCode->GetText() == invoice,
                "the reader's record did not give the invoice number");
        report.Line("扫描发票二维码 " + record + ": 发票号码 " + form.edit_FPCode->GetText() + ", 发票日期 " +
                    form.edit_FPDate->Text() + ", 供货单位 " + form.edit_FPBtype->GetText() +
                    ", 可选择图片 " + std::to_string(form.Strip->otherImageList.size()));
        d.DblClick("Image5");
        const std::size_t events = session.Ui().Events().size();
        session.Ui().QueueAnswer(false);
        runner.AnswerFiles({otherPicture});
        d.Click("btn_load");
        Require(session.Ui().Events().size() == events + 1, "the other invoice's picture was not questioned");
        report.Line("载入 " + otherPicture + ": " + session.Ui().Events().back().Title + " " +
                    session.Ui().Events().back().Text +
                    " 否; 已选择图片数: " + std::to_string(form.Strip->FImageSelList.size()));
        runner.AnswerFiles({picture});
        d.Click("btn_load");
        report.Line("已选择图片数: " + std::to_string(form.Strip->FImageSelList.size()) +
                    " (一张发票图片, 一张载入 " + picture + ", 无二维码)");
        d.Click("btn_OK");
        Require(d.Closed(), "the new link was not saved");
        report.Line("保存成功; 数据 " + Counts(db));
    });
    runner.Expect("TFpImageEditFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageEditFrm&>(d.Form());
        report.Step("修改关联", "商品 " + form.edit_Ptype->GetText() + ", 批号 " + form.edit_Job->GetText() +
                                    ", 已选择 " + std::to_string(form.Strip->FImageSelList.size()) +
                                    " 张, 可选择 " + std::to_string(form.Strip->otherImageList.size()) +
                                    " 张");
        d.DblClick("Image5");
        d.Click("btn_OK");
        Require(d.Closed(), "the edited link was not saved");
        report.Line("保存成功, 关联图片 " + std::to_string(form.Strip->FImageSelList.size()) + " 张; 数据 " +
                    Counts(db));
    });
    TkvjobLink("");
    for (const std::string& failure : runner.Failures())
        throw std::runtime_error("association road: " + failure);
    Require(!session.Printer().Printed().empty(), "the list was not printed");
    report.Step("打印关联列表", session.Printer().Printed().back().string());
}

} // namespace tkv::host
