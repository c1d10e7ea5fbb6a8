// Printing the pictures of ticked bills against the reference host: PDF pages read back with poppler, the
// printed-picture records, the bills' print counts, and every failure rule.
#include "../printing/PdfTools.h"
#include "../printing/RecordingPrinter.h"
#include "PrintWindowFixture.h"

namespace {

using namespace tkv;
using namespace tkv::test;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class PicturePrintTest : public PrintWindowFixture {
protected:
    void SetUp() override {
        PrintWindowFixture::SetUp();
        AddSupplier(11, "乙供应商");
        AddSupplier(12, "甲供应商");
    }

    // Opens the window, lists the bills, ticks them and prints to the printer (nullptr: the print dialog is
    // cancelled).
    void PrintBills(std::initializer_list<std::int32_t> billids, std::shared_ptr<IPrinter> printer,
                    const std::function<void(TFormDriver&)>& after = {}) {
        if (printer)
            runner->AnswerPrintDialog(std::move(printer));
        else
            runner->CancelPrintDialog();
        runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
            d.Click("btn_Query");
            Tick(d, billids);
            d.Click("btn_Print");
            if (after)
                after(d);
        });
        TkvPrint("");
    }

    void RecordPrinted(std::int32_t brec, std::int32_t imageid) {
        session->Database().Call(
            "zk_TkSaveBPirntImage", {"@brec", "@printdate", "@imageid"},
            {OleVariant(brec), OleVariant::Date(today), OleVariant(std::to_string(imageid))});
    }
};

TEST_F(PicturePrintTest, ASupplierWithThreePicturesPrintsThreeHeadedPages) {
    AddBill(9001, 11, today);
    const auto ids = AddPictures(3, 50);
    LinkBill(9001, 11, ids);
    auto printer = PdfPrinter();
    PrintBills({9001}, printer, [&](TFormDriver& d) {
        // Unticked and queried again: the list shows the new print count.
        EXPECT_FALSE(Form(d).MainGrid->GetRowSelected(RowOf(d, 9001)));
        EXPECT_EQ(Form(d).MainGrid->GetColIntValue("printtimes", RowOf(d, 9001)), 1);
    });
    EXPECT_THAT(HostMessages(), ElementsAre("开始打印单位乙供应商的图片", "打印完成"));
    ASSERT_EQ(printer->Jobs().size(), 1u);
    const std::string pdf = printer->Jobs()[0].string();
    ASSERT_EQ(PdfPageCount(pdf), 3);
    EXPECT_EQ(PdfFirstLine(pdf, 1), "第   1 张/共   3 张");
    EXPECT_EQ(PdfFirstLine(pdf, 2), "第   2 张/共   3 张");
    EXPECT_EQ(PdfFirstLine(pdf, 3), "第   3 张/共   3 张");
    // Each page carries its stored picture as it is, 320 x 226.
    const std::string images = PdfImages(pdf);
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 3);
    EXPECT_THAT(images, ::testing::ContainsRegex("320 +226 +rgb +3 +8 +jpeg"));
    EXPECT_EQ(PrintedToday(11), 3);
    EXPECT_EQ(PrintTimes(9001), 1);
}

TEST_F(PicturePrintTest, OnlyThePicturesNotPrintedTodayArePrinted) {
    AddBill(9001, 11, today);
    const auto ids = AddPictures(3, 60);
    LinkBill(9001, 11, ids);
    RecordPrinted(11, ids[1]);
    auto printer = PdfPrinter();
    PrintBills({9001}, printer, [&](TFormDriver& d) {
        const TAllPictFileList& all = Form(d).AllPictFileList();
        ASSERT_EQ(all.Count(), 1);
        ASSERT_EQ(all.List(0).Count(), 2);
        EXPECT_EQ(all.List(0).Key(0), std::to_string(ids[0]));
        EXPECT_EQ(all.List(0).Key(1), std::to_string(ids[2]));
    });
    const std::string pdf = printer->Jobs().at(0).string();
    ASSERT_EQ(PdfPageCount(pdf), 2);
    EXPECT_EQ(PdfFirstLine(pdf, 1), "第   1 张/共   2 张");
    EXPECT_EQ(PdfFirstLine(pdf, 2), "第   2 张/共   2 张");
    EXPECT_EQ(PrintedToday(11), 3);
}

TEST_F(PicturePrintTest, ASecondRunOnTheSameDayPrintsNothingMoreButCountsTheBills) {
    AddBill(9001, 11, today);
    LinkBill(9001, 11, AddPictures(2, 70));
    PrintBills({9001}, PdfPrinter("first"));
    session->Ui().ClearEvents();
    auto second = PdfPrinter("second");
    PrintBills({9001}, second);
    EXPECT_THAT(HostMessages(), ElementsAre("单位乙供应商今天没有需要再打印的图片,确认后继续", "打印完成"));
    EXPECT_TRUE(second->Jobs().empty());
    EXPECT_EQ(PrintedToday(11), 2);
    EXPECT_EQ(PrintTimes(9001), 2);
    // The next day everything prints again.
    fake.now += 1;
    auto nextDay = PdfPrinter("next");
    PrintBills({9001}, nextDay, [&](TFormDriver& d) {});
    ASSERT_EQ(nextDay->Jobs().size(), 1u);
    EXPECT_EQ(PdfPageCount(nextDay->Jobs()[0].string()), 2);
}

TEST_F(PicturePrintTest, CancellingThePrintDialogChangesNothing) {
    AddBill(9001, 11, today);
    LinkBill(9001, 11, AddPictures(2, 80));
    PrintBills({9001}, nullptr,
               [&](TFormDriver& d) { EXPECT_TRUE(Form(d).MainGrid->GetRowSelected(RowOf(d, 9001))); });
    EXPECT_THAT(HostMessages(), IsEmpty());
    EXPECT_EQ(PrintedToday(11), 0);
    EXPECT_EQ(PrintTimes(9001), 0);
    EXPECT_FALSE(std::filesystem::exists(PrintFolder()));
}

TEST_F(PicturePrintTest, NothingTickedIsToldAndTickedBillsWithoutPicturesStopSilently) {
    AddBill(9001, 11, today);
    runner->Expect("TFpImagePrintFrm", [&](TFormDriver& d) {
        d.Click("btn_Print");
        d.Click("btn_Query");
        d.Click("btn_Print");
        Tick(d, {9001});
        d.Click("btn_Print"); // no print dialog: the runner has no answer for one
    });
    TkvPrint("");
    EXPECT_THAT(HostMessages(), ElementsAre("没有选中的表格数据,请检查。", "没有选中的表格数据,请检查。"));
    EXPECT_THAT(runner->Texts(TMessageKind::mkPrintDialog), IsEmpty());
    EXPECT_EQ(PrintTimes(9001), 0);
}

TEST_F(PicturePrintTest, EverySupplierIsOneJobAndSharedPicturesPrintOnce) {
    AddBill(9001, 11, today - 2);
    AddBill(9002, 12, today - 1);
    AddBill(9003, 11, today);
    AddBill(9004, 11, today); // no pictures: its count stays
    const auto shared = AddPictures(2, 90), a = AddPictures(1, 95);
    LinkBill(9001, 11, shared);
    LinkBill(9002, 12, a);
    LinkBill(9003, 11, {shared[1]});
    auto printer = PdfPrinter();
    PrintBills({9001, 9002, 9003, 9004}, printer);
    EXPECT_THAT(HostMessages(),
                ElementsAre("开始打印单位乙供应商的图片", "开始打印单位甲供应商的图片", "打印完成"));
    ASSERT_EQ(printer->Jobs().size(), 2u);
    EXPECT_EQ(PdfPageCount(printer->Jobs()[0].string()), 2);
    EXPECT_EQ(PdfPageCount(printer->Jobs()[1].string()), 1);
    EXPECT_EQ(PdfFirstLine(printer->Jobs()[1].string(), 1), "第   1 张/共   1 张");
    EXPECT_EQ(PrintTimes(9001), 1);
    EXPECT_EQ(PrintTimes(9002), 1);
    EXPECT_EQ(PrintTimes(9003), 1);
    EXPECT_EQ(PrintTimes(9004), 0);
}

class PrinterStepFailureTest : public PicturePrintTest, public ::testing::WithParamInterface<const char*> {};

// Whichever printer step fails, the job is ended, the user learns which supplier did not print,
// nothing of that job counts as printed, and the next supplier prints.
TEST_P(PrinterStepFailureTest, EndsThatSupplierToldWithItsJobEndedAndNothingRecordedAndTheRunGoesOn) {
    AddBill(9001, 11, today - 1);
    AddBill(9002, 12, today);
    LinkBill(9001, 11, AddPictures(3, 100));
    LinkBill(9002, 12, AddPictures(1, 110));
    auto printer = std::make_shared<TRecordingPrinter>();
    printer->FailStep = GetParam();
    printer->FailAt = std::string(GetParam()) == "BeginDoc" || std::string(GetParam()) == "EndDoc" ? 1 : 2;
    PrintBills({9001, 9002}, printer);
    EXPECT_THAT(HostMessages(), ElementsAre("开始打印单位乙供应商的图片", "开始打印单位甲供应商的图片"));
    ASSERT_EQ(HostErrors().size(), 1u);
    EXPECT_THAT(HostErrors()[0], HasSubstr("单位乙供应商的图片没有打印完成:"));
    EXPECT_EQ(printer->EndedJobs, printer->Jobs); // none left open in the spooler
    EXPECT_FALSE(printer->InJob);
    EXPECT_EQ(PrintedToday(11), 0);
    EXPECT_EQ(PrintedToday(12), 1);
    EXPECT_EQ(PrintTimes(9001), 0);
    EXPECT_EQ(PrintTimes(9002), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, PrinterStepFailureTest,
                         ::testing::Values("BeginDoc", "NewPage", "SetFont", "DrawText", "StretchDraw",
                                           "EndDoc"),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(PicturePrintTest, AFailingPictureRecordIsIgnoredPictureByPicture) {
    AddBill(9001, 11, today);
    LinkBill(9001, 11, AddPictures(2, 120));
    session->Database().Exec("CREATE TRIGGER no_records BEFORE INSERT ON TK_BillPrintImage "
                             "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    auto printer = PdfPrinter();
    PrintBills({9001}, printer);
    EXPECT_EQ(PdfPageCount(printer->Jobs().at(0).string()), 2);
    EXPECT_EQ(PrintedToday(11), 0);
    EXPECT_EQ(PrintTimes(9001), 1);
    EXPECT_THAT(HostMessages(), ElementsAre("开始打印单位乙供应商的图片", "打印完成"));
}

TEST_F(PicturePrintTest, AFailingPrintCountEndsTheWholeRunWithItsError) {
    AddBill(9001, 11, today - 1);
    AddBill(9002, 12, today);
    LinkBill(9001, 11, AddPictures(1, 130));
    LinkBill(9002, 12, AddPictures(1, 140));
    session->Database().Exec("CREATE TRIGGER no_counts BEFORE INSERT ON TK_BillPrintTimes "
                             "BEGIN SELECT RAISE(ABORT, 'count refused'); END");
    auto printer = PdfPrinter();
    PrintBills({9001, 9002}, printer, [&](TFormDriver& d) {
        EXPECT_TRUE(Form(d).MainGrid->GetRowSelected(RowOf(d, 9001))); // the run ended before unticking
    });
    EXPECT_THAT(HostMessages(), ElementsAre("开始打印单位乙供应商的图片"));
    ASSERT_EQ(runner->Texts(TMessageKind::mkErrorBox).size(), 1u);
    EXPECT_THAT(runner->Texts(TMessageKind::mkErrorBox)[0], HasSubstr("count refused"));
    EXPECT_EQ(printer->Jobs().size(), 1u); // the second supplier was not printed
    EXPECT_EQ(PrintedToday(12), 0);
}

} // namespace
