// The association windows against the reference host: the management list, a new link in bill and
// detail mode, an existing invoice's pictures, the invoice-number question, failing and retried
// saves, the edit window's load and re-link, delete and refresh. Driven through the plug-in's
// own show functions with the headless runner; the database is read back to see what was written.
#include "association/FpImageEditFrm.h"
#include "association/FpImageFrm.h"
#include "association/PtypeDz.h"
#include "comm/ModuleState.h"
#include "db/TempFolder.h"
#include "framework/DateTime.h"
#include "host/HostSession.h"
#include "platform/FakePlatform.h"
#include "plugin/Exports.h"
#include "sim/SimJpeg.h"
#include "toolkit/QrPages.h"
#include "ui/headless/FormDriver.h"
#include "ui/headless/HeadlessRunner.h"

#include <gmock/gmock.h>

namespace {

using namespace tkv;
using namespace tkv::host;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class AssociationWindowsTest : public ::testing::Test {
protected:
    const TDateTime today = EncodeDate(2026, 3, 25);
    tkv::host::testing::TempFolder tmp;
    test::TFakePlatform fake;
    std::unique_ptr<test::TScopedPlatform> platformScope;
    std::unique_ptr<THostSession> session;
    std::unique_ptr<TModuleScope> module;
    ComPtr<IRetailPlugin> plug;
    std::unique_ptr<THeadlessRunner> runner;

    void SetUp() override {
        fake.now = today + 0.5;
        fake.moduleFileName = (tmp.Path() / "Host" / "Plug" / "TkvfpPlug.so").string();
        std::filesystem::create_directories(tmp.Path() / "Host" / "Plug");
        platformScope = std::make_unique<test::TScopedPlatform>(fake);
        session = std::make_unique<THostSession>(THostOptions{tmp.Path() / "data", tmp.Path() / "out"});
        session->Database().SetClock([this] { return today + 0.5; });
        ASSERT_TRUE(session->SeedDemo());
        module = std::make_unique<TModuleScope>();
        plug = CreateRetailPlug();
        plug->InitPlugin(session->Main());
        plug->InitExistInterFace(session->ExistForm());
        runner = std::make_unique<THeadlessRunner>();
    }
    void TearDown() override {
        if (runner) {
            EXPECT_THAT(runner->Failures(), IsEmpty());
        }
        runner.reset();
        plug = nullptr;
        module.reset();
    }

    std::int64_t Count(const std::string& sql) {
        return session->Database().Select(sql).Value(0, "n").AsInt64();
    }
    std::vector<std::string> HostMessages() const {
        std::vector<std::string> out;
        for (const auto& e : session->Ui().Events())
            if (e.Kind == TUiEventKind::Message || e.Kind == TUiEventKind::Question)
                out.push_back(e.Text);
        return out;
    }
    std::string PictureFile(const std::string& name, std::uint32_t seed) {
        const auto path = tmp.Path() / name;
        sim::WriteFileBytes(path.string(), sim::InvoicePageJpeg(320, 226, seed));
        return path.string();
    }
    // The invoice id of an invoice number.
    std::int32_t VoiceId(const std::string& code) {
        return session->Database()
            .Select("SELECT voiceid FROM TK_Voice WHERE VoiceCode = ?", {OleVariant(code)})
            .Value(0, "voiceid")
            .AsInteger();
    }
};

TEST_F(AssociationWindowsTest, ManagementWindowOpensEmptyAndListsTheLinksOnQuery) {
    runner->Expect("TPtypeDz", [&](TFormDriver& d) {
        auto& form = static_cast<TPtypeDz&>(d.Form());
        EXPECT_EQ(form.MainGrid->GetDataRowCount(), 0);
        EXPECT_EQ(form.Begindate->GetDate(), EncodeDate(2026, 3, 1));
        EXPECT_EQ(form.enddate->GetDate(), today);
        d.ChooseDate("Begindate", EncodeDate(2026, 2, 1));
        d.Click("btn_Query");
        // One row per linked batch: the first invoice's two batches and the whole bills of the other
        // two (three and four batches).
        EXPECT_EQ(form.MainGrid->GetDataRowCount(), 9);
        EXPECT_EQ(form.MainGrid->GetColStrText("VoiceCode", 0).substr(0, 4), "3100");
        EXPECT_GT(form.MainGrid->GetColIntValue("id", 0), 0);
        EXPECT_GT(form.MainGrid->GetColIntValue("voiceid", 0), 0);
    });
    TkvjobLink("");
}

TEST_F(AssociationWindowsTest, EditAndDeleteOnAnEmptyListDoNothing) {
    runner->Expect("TPtypeDz", [&](TFormDriver& d) {
        d.Click("btn_Edit");
        d.Click("btn_Delete");
        d.Click("btn_Print");
    });
    TkvjobLink("");
    EXPECT_THAT(HostMessages(), IsEmpty());
    EXPECT_TRUE(session->Printer().Printed().empty());
}

TEST_F(AssociationWindowsTest, ResetClearsTheFiltersAndKeepsTheDates) {
    runner->Expect("TPtypeDz", [&](TFormDriver& d) {
        auto& form = static_cast<TPtypeDz&>(d.Form());
        d.ClickEditButton("edit_Btype");
        EXPECT_GT(form.edit_Btype->GetRec(), 0);
        d.SetText("edit_Jobnumber", "2602");
        d.SetText("edit_VoiceCode", "FP");
        d.ChooseDate("Begindate", EncodeDate(2026, 2, 1));
        d.Click("btn_Reset");
        EXPECT_EQ(form.edit_Btype->GetRec(), 0);
        EXPECT_EQ(form.edit_Btype->GetText(), "");
        EXPECT_EQ(form.edit_Jobnumber->GetText(), "");
        EXPECT_EQ(form.edit_VoiceCode->GetText(), "");
        EXPECT_EQ(form.Begindate->GetDate(), EncodeDate(2026, 2, 1));
        d.Click("btn_Query");
        EXPECT_EQ(form.MainGrid->GetDataRowCount(), 9);
    });
    TkvjobLink("");
}

TEST_F(AssociationWindowsTest, DeleteAsksAndRefreshesWithoutAMessage) {
    runner->Expect("TPtypeDz", [&](TFormDriver& d) {
        auto& form = static_cast<TPtypeDz&>(d.Form());
        d.ChooseDate("Begindate", EncodeDate(2026, 2, 1));
        d.Click("btn_Query");
        d.SelectRow("MainGrid", 1);
        const std::int32_t id = form.MainGrid->GetColIntValue("id", 1);
        session->Ui().QueueAnswer(false);
        d.Click("btn_Delete");
        EXPECT_EQ(form.MainGrid->GetDataRowCount(), 9);
        session->Ui().QueueAnswer(true);
        d.Click("btn_Delete");
        EXPECT_EQ(form.MainGrid->GetDataRowCount(), 8);
        EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_JobLink WHERE id = " + std::to_string(id)), 0);
    });
    TkvjobLink("");
    EXPECT_THAT(HostMessages(), ElementsAre("是否确认删除关联关系", "是否确认删除关联关系"));
}

TEST_F(AssociationWindowsTest, PrintHandsTheListWithItsColumnTitlesToThePrintManager) {
    runner->Expect("TPtypeDz", [&](TFormDriver& d) {
        d.ChooseDate("Begindate", EncodeDate(2026, 2, 1));
        d.Click("btn_Query");
        d.Click("btn_Print");
    });
    TkvjobLink("");
    ASSERT_EQ(session->Printer().Printed().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(session->Printer().Printed().back()));
}

// A new link in detail mode: two ticked batches, an existing invoice whose pictures come back in
// the available strip, one of them chosen by double-click, one new picture loaded from a file.
TEST_F(AssociationWindowsTest, NewLinkInDetailModeWithAKnownInvoice) {
    const std::string file = PictureFile("new.jpg", 77);
    std::vector<std::int32_t> buyids;
    runner->Expect("TPtypeDz", [&](TFormDriver& d) { d.Click("btn_Add"); });
    runner->Expect("TFpImageFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageFrm&>(d.Form());
        EXPECT_TRUE(form.btn_ViewBill->Visible());
        d.ChooseItem("rg_Mode", "选明细");
        EXPECT_FALSE(form.btn_ViewBill->Visible());
        d.ClickEditButton("edit_Btype");
        const std::int32_t brec = form.edit_Btype->GetRec();
        ASSERT_GT(brec, 0);
        d.Click("btn_Query");
        ASSERT_GE(form.MainGrid->GetDataRowCount(), 2);
        EXPECT_EQ(form.edit_FPBtype->GetRec(), brec) << "the query supplier fills an empty invoice supplier";
        d.TickRow("MainGrid", 0);
        d.TickRow("MainGrid", 1);
        buyids = {form.MainGrid->GetColIntValue("buyid", 0), form.MainGrid->GetColIntValue("buyid", 1)};
        d.SetText("edit_FPCode", "31000002");
        d.Leave();
        EXPECT_EQ(form.Strip->FImageList.size(), 2u);
        EXPECT_TRUE(form.Strip->FImageSelList.empty()) << "the invoice's pictures are offered, not chosen";
        EXPECT_EQ(form.Strip->otherImageList.size(), 2u);
        EXPECT_EQ(form.edit_FPDate->GetDate(), EncodeDate(2026, 2, 9));
        EXPECT_EQ(form.edit_FPBtype->GetRec(), 2);
        d.DblClick("Image5");
        EXPECT_EQ(form.Strip->FImageSelList, (std::vector<std::string>{"1"}));
        runner->AnswerFiles({file});
        d.Click("btn_load");
        EXPECT_EQ(form.Strip->FImageSelList, (std::vector<std::string>{"1", "3"}));
        d.Click("btn_OK");
        EXPECT_TRUE(d.Closed());
    });
    TkvjobLink("");
    EXPECT_THAT(HostMessages(), ElementsAre("是否确认保存退出?", "保存成功"));
    const std::int32_t voiceid = VoiceId("31000002");
    for (std::int32_t buyid : buyids) {
        const std::string link = "(SELECT id FROM TK_JobLink WHERE voiceid = " + std::to_string(voiceid) +
                                 " AND buyid = " + std::to_string(buyid) + ")";
        EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_JobLinkImage WHERE linkid = " + link), 2);
    }
    EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_VoiceImage WHERE deleted = 0 AND voiceid = " +
                    std::to_string(voiceid)),
              3);
    EXPECT_EQ(Count("SELECT count(*) AS n FROM t_tempVoiceLink"), 0);
}

TEST_F(AssociationWindowsTest, NewLinkInBillModeLinksWholeBillsWithBuyIdZero) {
    const std::string file = PictureFile("bill.jpg", 78);
    std::int32_t billid = 0;
    runner->Expect("TFpImageFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageFrm&>(d.Form());
        d.Click("btn_Query");
        ASSERT_GT(form.MainGrid->GetDataRowCount(), 0);
        d.TickRow("MainGrid", 0);
        billid = form.MainGrid->GetColIntValue("billid", 0);
        d.SetText("edit_FPCode", "NEW-1");
        d.Leave();
        EXPECT_TRUE(form.Strip->FImageList.empty());
        d.ClickEditButton("edit_FPBtype");
        runner->AnswerFiles({file});
        d.Click("btn_load");
        d.Click("btn_OK");
    });
    EXPECT_TRUE(ShowFpImage());
    // The whole bill is linked: the host makes one link per batch of the bill.
    const std::string bill = std::to_string(billid);
    EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_JobLink WHERE billid = " + bill +
                    " AND voiceid = " + std::to_string(VoiceId("NEW-1"))),
              Count("SELECT count(*) AS n FROM BuyBill WHERE billid = " + bill));
}

TEST_F(AssociationWindowsTest, OkChecksTicksQuestionAndInvoiceInThatOrder) {
    runner->Expect("TFpImageFrm", [&](TFormDriver& d) {
        d.Click("btn_Query");
        d.Click("btn_OK");
        d.TickRow("MainGrid", 0);
        session->Ui().QueueAnswer(false);
        d.Click("btn_OK");
        d.Click("btn_OK");
        EXPECT_FALSE(d.Closed());
        d.Click("btn_load");
        d.SetText("edit_FPCode", "   "); // blanks are no invoice number
        d.Click("btn_OK");
    });
    EXPECT_FALSE(ShowFpImage());
    EXPECT_THAT(HostMessages(),
                ElementsAre("没有选中的表格数据,请检查。", "是否确认保存退出?", "是否确认保存退出?",
                            "请录入发票号码", "请录入发票号码", "是否确认保存退出?", "请录入发票号码"));
    EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_Voice"), 3);
}

TEST_F(AssociationWindowsTest, ChangingTheInvoiceNumberAsksOnlyWhenPicturesAreHeld) {
    runner->Expect("TFpImageFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageFrm&>(d.Form());
        d.SetText("edit_FPCode", "NONE-1");
        d.Leave();
        d.SetText("edit_FPCode", "31000001");
        d.Leave();
        ASSERT_EQ(form.Strip->FImageList.size(), 2u);
        session->Ui().QueueAnswer(false);
        d.SetText("edit_FPCode", "31000003");
        d.Leave();
        EXPECT_EQ(form.edit_FPCode->GetText(), "31000001") << "no keeps the old number";
        EXPECT_EQ(form.Strip->FImageList.size(), 2u);
        d.SetText("edit_FPCode", "31000003");
        d.Leave();
        EXPECT_EQ(form.edit_FPBtype->GetRec(), 3);
        EXPECT_EQ(form.Strip->otherImageList.size(), 2u);
    });
    ShowFpImage();
    EXPECT_THAT(HostMessages(),
                ElementsAre("更改发票号码将清空图片信息,是否继续", "更改发票号码将清空图片信息,是否继续"));
}

// A 2D reader's invoice QR record in the number fields: the management filter and the new window
// take its number, the window its date too. A loaded picture whose code names another invoice is
// asked for (no leaves the strip as it was); one with the same number, none, or a damaged code
// loads silently.
TEST_F(AssociationWindowsTest, InvoiceQrRecordsAreReadFromTheReaderAndFromPictures) {
    const std::string record = "01,10,033002100611,26110301,1234.50,20261103,12345678901234567890,A1B2,";
    auto qrFile = [&](const std::string& name, const std::string& number, bool damaged) {
        const auto path = tmp.Path() / name;
        const std::string text = "01,10,033002100611," + number + ",1234.50,20261103,1,A1,";
        sim::WriteFileBytes(path.string(), test::QrPicture(text, damaged)->Bytes());
        return path.string();
    };
    const std::string same = qrFile("same.jpg", "26110301", false),
                      other = qrFile("other.jpg", "26110399", false),
                      damaged = qrFile("damaged.jpg", "26110399", true), plain = PictureFile("plain.jpg", 5);
    runner->Expect("TPtypeDz", [&](TFormDriver& d) {
        d.SetText("edit_VoiceCode", record);
        d.Leave();
        EXPECT_EQ(static_cast<TPtypeDz&>(d.Form()).edit_VoiceCode->GetText(), "26110301");
        d.Click("btn_Add");
    });
    runner->Expect("TFpImageFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageFrm&>(d.Form());
        d.SetText("edit_FPCode", record);
        d.Leave();
        EXPECT_EQ(form.edit_FPCode->GetText(), "26110301");
        EXPECT_EQ(form.edit_FPDate->GetDate(), EncodeDate(2026, 11, 3));
        d.ClickEditButton("edit_FPBtype");
        for (const std::string& file : {same, plain, damaged}) {
            runner->AnswerFiles({file});
            d.Click("btn_load");
        }
        EXPECT_EQ(form.Strip->FImageSelList.size(), 3u);
        session->Ui().QueueAnswer(false);
        runner->AnswerFiles({other});
        d.Click("btn_load");
        EXPECT_EQ(form.Strip->FImageList.size(), 3u) << "no leaves the strip as it was";
        session->Ui().QueueAnswer(true);
        runner->AnswerFiles({other});
        d.Click("btn_load");
        EXPECT_EQ(form.Strip->FImageSelList.size(), 4u);
        d.Click("btn_Cancel");
    });
    TkvjobLink("");
    const std::string question =
        "图片二维码中的发票号码为26110399,与录入的发票号码26110301不一致,是否仍然添加该图片?";
    EXPECT_THAT(HostMessages(), ElementsAre(question, question, "是否不保存退出?"));
}

// A damaged picture in the store is skipped and named; the invoice's other pictures load.
TEST_F(AssociationWindowsTest, ACorruptStoredPictureIsSkippedAndNamed) {
    const ResultRows second = session->Database().Select(
        "SELECT i.imgname FROM TK_Image i JOIN TK_VoiceImage v ON v.ImageId = i.ImageId JOIN TK_Voice t ON "
        "t.voiceid = v.voiceid WHERE t.VoiceCode = '31000001' ORDER BY v.id LIMIT 1 OFFSET 1");
    sim::WriteFileBytes((session->Pictures().Folder() / second.Value(0, "imgname").AsString()).string(),
                        {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1});
    runner->Expect("TFpImageFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageFrm&>(d.Form());
        d.SetText("edit_FPCode", "31000001");
        d.Leave();
        EXPECT_EQ(form.Strip->FImageList.size(), 1u);
        EXPECT_EQ(form.edit_FPBtype->GetRec(), 1);
    });
    ShowFpImage();
    EXPECT_THAT(HostMessages(), ElementsAre("下列发票图片无法显示,已跳过,其余图片照常载入:\r\n" +
                                            second.Value(0, "imgname").AsString()));
    EXPECT_THAT(runner->Texts(TMessageKind::mkErrorBox), IsEmpty());
}

TEST_F(AssociationWindowsTest, ModeChangeResetsTheInvoiceDateAndEmptiesTheGrid) {
    runner->Expect("TFpImageFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageFrm&>(d.Form());
        d.Click("btn_Query");
        EXPECT_GT(form.MainGrid->GetDataRowCount(), 0);
        d.ChooseDate("edit_FPDate", EncodeDate(2026, 1, 1));
        d.ChooseItem("rg_Mode", 1);
        EXPECT_EQ(form.edit_FPDate->GetDate(), today);
        EXPECT_EQ(form.MainGrid->GetDataRowCount(), 0);
        EXPECT_NE(form.MainGrid->FindColumnByField("buyid"), nullptr);
    });
    ShowFpImage();
}

TEST_F(AssociationWindowsTest, ViewBillOpensTheCurrentBillInTheHost) {
    runner->Expect("TFpImageFrm", [&](TFormDriver& d) {
        d.Click("btn_ViewBill");
        d.Click("btn_Query");
        d.SelectRow("MainGrid", 0);
        d.Click("btn_ViewBill");
    });
    ShowFpImage();
    ASSERT_EQ(session->Main()->ViewedBills().size(), 1u);
    EXPECT_TRUE(session->Main()->ViewedBills()[0].ReadOnly);
}

TEST_F(AssociationWindowsTest, CancelAsksButTheCloseBoxDoesNot) {
    runner->Expect("TFpImageFrm", [&](TFormDriver& d) {
        session->Ui().QueueAnswer(false);
        d.Click("btn_Cancel");
        EXPECT_FALSE(d.Closed());
        d.Click("btn_Cancel");
        EXPECT_TRUE(d.Closed());
    });
    EXPECT_FALSE(ShowFpImage());
    runner->Expect("TFpImageFrm", [&](TFormDriver& d) { d.CloseWindow(); });
    EXPECT_FALSE(ShowFpImage());
    EXPECT_THAT(HostMessages(), ElementsAre("是否不保存退出?", "是否不保存退出?"));
}

// An invoice with five pictures in its pool, two of them linked to the demo link being edited.
class EditWindowTest : public AssociationWindowsTest {
protected:
    std::int32_t linkId = 0, voiceId = 0;
    std::vector<std::int32_t> pool;

    void SetUp() override {
        AssociationWindowsTest::SetUp();
        HostDatabase& db = session->Database();
        const ResultRows link = db.Select("SELECT id, voiceid FROM TK_JobLink ORDER BY id LIMIT 1");
        linkId = link.Value(0, "id").AsInteger();
        voiceId = link.Value(0, "voiceid").AsInteger();
        const ResultRows images = db.Select("SELECT ImageId FROM TK_VoiceImage WHERE voiceid = ? ORDER BY id",
                                            {OleVariant(voiceId)});
        for (const auto& row : images.rows)
            pool.push_back(row.at(0).AsInteger());
        for (int n = 0; n < 3; ++n) {
            std::int32_t ord = 0;
            std::string name;
            ASSERT_TRUE(session->Main()->SaveImage(
                OleVariant::ByteArray(sim::InvoicePageJpeg(200, 140, 900 + n)), ord, name));
            const std::int32_t id =
                db.Call("zk_TkNewSaveImage", {"@ord", "@filname"}, {OleVariant(ord), OleVariant(name)})
                    .returnValue;
            db.Call("zk_saveTkVoiceImage", {"@Voiceid", "@ImageId", "@ImageName", "@delete"},
                    {OleVariant(voiceId), OleVariant(id), OleVariant(name), OleVariant(0)});
            pool.push_back(id);
        }
    }
};

TEST_F(EditWindowTest, OpensWithTheLinkedPicturesChosenInPoolOrder) {
    runner->Expect("TFpImageEditFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageEditFrm&>(d.Form());
        EXPECT_EQ(form.Strip->FImageList.size(), 5u);
        EXPECT_EQ(form.Strip->FImageSelList, (std::vector<std::string>{"1", "2"}));
        EXPECT_EQ(form.Strip->otherImageList, (std::vector<std::string>{"3", "4", "5"}));
        EXPECT_EQ(form.edit_FPCode->GetText(), "31000001");
        EXPECT_EQ(form.OldVoiceCode(), "31000001");
        EXPECT_FALSE(form.edit_Ptype->GetText().empty());
        EXPECT_FALSE(form.edit_Job->GetText().empty());
        EXPECT_FALSE(form.edit_Ptype->Enabled());
        EXPECT_EQ(form.lbl_Head->Caption(), "厂家商品发票关联修改");
        // The first chosen picture goes back among the available ones (1, 3, 4, 5); the third
        // picture of the pool is chosen instead.
        d.DblClick("Image1");
        EXPECT_EQ(form.Strip->otherImageList, (std::vector<std::string>{"1", "3", "4", "5"}));
        d.DblClick("Image6");
        EXPECT_EQ(form.Strip->FImageSelList, (std::vector<std::string>{"2", "3"}));
        d.Click("btn_OK");
    });
    EXPECT_TRUE(ShowFpImageEdit(linkId, voiceId));
    const ResultRows linked = session->Database().Select(
        "SELECT ImageId FROM TK_JobLinkImage WHERE linkid = ? ORDER BY ImageId", {OleVariant(linkId)});
    ASSERT_EQ(linked.rows.size(), 2u);
    EXPECT_EQ(linked.rows[0][0].AsInteger(), pool[1]);
    EXPECT_EQ(linked.rows[1][0].AsInteger(), pool[2]);
}

TEST_F(EditWindowTest, RelinkToANewInvoiceNumberKeepsDateAndSupplier) {
    const std::string file = PictureFile("relink.jpg", 81);
    runner->Expect("TFpImageEditFrm", [&](TFormDriver& d) {
        auto& form = static_cast<TFpImageEditFrm&>(d.Form());
        const TDateTime date = form.edit_FPDate->GetDate();
        const std::int32_t brec = form.edit_FPBtype->GetRec();
        d.SetText("edit_FPCode", "FP-NEW-9");
        d.Leave();
        EXPECT_TRUE(form.Strip->FImageList.empty());
        EXPECT_EQ(form.edit_FPDate->GetDate(), date);
        EXPECT_EQ(form.edit_FPBtype->GetRec(), brec);
        runner->AnswerFiles({file});
        d.Click("btn_load");
        d.Click("btn_OK");
    });
    EXPECT_TRUE(ShowFpImageEdit(linkId, voiceId));
    const std::int32_t newVoice = VoiceId("FP-NEW-9");
    ASSERT_GT(newVoice, 0);
    EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_JobLink WHERE id = " + std::to_string(linkId) +
                    " AND voiceid = " + std::to_string(newVoice)),
              1);
    EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_JobLinkImage WHERE linkid = " + std::to_string(linkId)), 1);
}

TEST_F(EditWindowTest, SavingWithNoPictureChosenLeavesTheLinkWithout) {
    runner->Expect("TFpImageEditFrm", [&](TFormDriver& d) {
        d.DblClick("Image1");
        d.DblClick("Image1");
        d.Click("btn_OK");
    });
    EXPECT_TRUE(ShowFpImageEdit(linkId, voiceId));
    EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_JobLinkImage WHERE linkid = " + std::to_string(linkId)), 0);
}

TEST_F(EditWindowTest, AVanishedLinkClosesTheWindowAtOnce) {
    session->Database().Exec("DELETE FROM TK_JobLink WHERE id = " + std::to_string(linkId));
    runner->Expect("TFpImageEditFrm",
                   [&](TFormDriver&) { ADD_FAILURE() << "the window should have closed"; });
    EXPECT_FALSE(ShowFpImageEdit(linkId, voiceId));
}

// A save that fails at the picture store, then is retried: each record is written once.
TEST_F(EditWindowTest, AFailedSaveKeepsTheWindowOpenAndARetryWritesEachRecordOnce) {
    const std::string file = PictureFile("retry.jpg", 82);
    runner->Expect("TFpImageEditFrm", [&](TFormDriver& d) {
        runner->AnswerFiles({file});
        d.Click("btn_load");
        // The store's folder replaced by a plain file: no picture can be written, whoever runs this.
        const auto folder = session->Pictures().Folder();
        const auto aside = folder.string() + ".aside";
        std::filesystem::rename(folder, aside);
        sim::WriteFileBytes(folder.string(), {1});
        d.Click("btn_OK");
        EXPECT_FALSE(d.Closed());
        std::filesystem::remove(folder);
        std::filesystem::rename(aside, folder);
        d.Click("btn_OK");
        EXPECT_TRUE(d.Closed());
    });
    const std::int64_t images = Count("SELECT count(*) AS n FROM TK_Image");
    EXPECT_TRUE(ShowFpImageEdit(linkId, voiceId));
    EXPECT_EQ(Count("SELECT count(*) AS n FROM TK_Image"), images + 1);
    const auto messages = HostMessages();
    EXPECT_NE(std::find(messages.begin(), messages.end(), "保存失败重试"), messages.end());
    EXPECT_EQ(messages.back(), "保存成功");
}

} // namespace
