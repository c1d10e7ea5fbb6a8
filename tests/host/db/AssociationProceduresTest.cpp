// The association procedures against a real database file: the save sequence of invoice, pictures,
// pool memberships, temporary list and links, and the lists and lookups that read them back.
#include "DatabaseFixture.h"

#include <gmock/gmock.h>

namespace tkv::host {
namespace {

using testing::Args;
using ::testing::HasSubstr;

class AssociationProceduresTest : public testing::DatabaseFixture {
protected:
    const std::string key_ = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";

    void TempList(const std::vector<std::int32_t>& images) {
        db_->Exec("delete from t_tempVoiceLink where uid='" + key_ + "'");
        for (auto id : images)
            Call("zk_savetempVoiceLink", {{"@Uid", key_}, {"@imageId", id}});
    }
    void LinkDetail(int billid, int buyid, std::int32_t voiceid) {
        Call("zk_SaveJobLink",
             {{"@billid", billid}, {"@buyid", buyid}, {"@uid", key_}, {"@voiceid", voiceid}});
    }
    void Member(std::int32_t voiceid, std::int32_t imageid, const std::string& name, int remove) {
        Call("zk_saveTkVoiceImage",
             {{"@Voiceid", voiceid}, {"@ImageId", imageid}, {"@ImageName", name}, {"@delete", remove}});
    }
    ProcedureResult LookUp(const std::string& code, std::int32_t voiceid) {
        return Call("zk_TkGetVoiceCodeImage", {{"@voicecode", code},
                                               {"@brec", 0},
                                               {"@voiceid", voiceid},
                                               {"@voicedate", OleVariant::Date(March(25))},
                                               {"@bfullname", ""}});
    }
    ProcedureResult LinkList(int brec = 0, int prec = 0, const std::string& job = "",
                             const std::string& code = "") {
        return Call("Zk_TkGetJobLink", {{"@brec", brec},
                                        {"@prec", prec},
                                        {"@jobname", job},
                                        {"@VoiceCode", code},
                                        {"@begindate", EncodeDate(2026, 1, 1) + 0.5},
                                        {"@enddate", EncodeDate(2026, 12, 31) + 0.25}});
    }
    static const OleVariant& Output(const ProcedureResult& result, const std::string& name) {
        for (const auto& output : result.outputs)
            if (output.name == name)
                return output.value;
        throw std::runtime_error("no output " + name);
    }
    static std::vector<std::int32_t> Column(const ProcedureResult& result, const std::string& name) {
        std::vector<std::int32_t> values;
        for (int r = 0; r < result.rows.RowCount(); ++r)
            values.push_back(result.rows.Value(r, name).AsInteger());
        return values;
    }
};

TEST_F(AssociationProceduresTest, SaveSequenceLinksTheChosenPicturesAndEmptiesTheTemporaryList) {
    const std::int32_t voiceid = NewInvoice("FP-0001", March(12));
    ASSERT_GT(voiceid, 0);
    const std::int32_t first = NewImage(1, "0001.jpg");
    const std::int32_t second = NewImage(2, "0002.jpg");
    ASSERT_GT(first, 0);
    ASSERT_GT(second, first);
    Member(voiceid, first, "0001.jpg", 0);
    Member(voiceid, second, "0002.jpg", 0);
    // A picture added and deleted before it was ever stored.
    Call("zk_DelFpImage", {{"@imageId", 0}});
    Member(voiceid, 0, "", 1);
    TempList({second});
    LinkDetail(100, 1001, voiceid);
    db_->Exec("delete from t_tempVoiceLink where uid='" + key_ + "'");

    EXPECT_EQ(Scalar("SELECT count(*) FROM t_tempVoiceLink"), 0);
    const ProcedureResult list = LinkList();
    ASSERT_EQ(list.rows.RowCount(), 1);
    const ResultRows& rows = list.rows;
    EXPECT_EQ(rows.Value(0, "PUserCode").AsString(), "SP001");
    EXPECT_EQ(rows.Value(0, "PFullName").AsString(), "阿莫西林胶囊");
    EXPECT_EQ(rows.Value(0, "standard").AsString(), "0.25g*24粒");
    EXPECT_EQ(rows.Value(0, "type").AsString(), "胶囊剂");
    EXPECT_EQ(rows.Value(0, "Area").AsString(), "重庆康源");
    EXPECT_EQ(rows.Value(0, "Unit1").AsString(), "盒");
    EXPECT_EQ(rows.Value(0, "BUserCode").AsString(), "GY001");
    EXPECT_EQ(rows.Value(0, "BFullName").AsString(), "重庆康源药业有限公司");
    EXPECT_EQ(rows.Value(0, "OutFactoryDate").VarType(), varDate);
    EXPECT_EQ(rows.Value(0, "OutFactoryDate").AsDouble(), EncodeDate(2025, 6, 1));
    EXPECT_EQ(rows.Value(0, "jobnumber").AsString(), "A123");
    EXPECT_EQ(rows.Value(0, "ValidityPeriod").AsDouble(), EncodeDate(2027, 5, 31));
    EXPECT_EQ(rows.Value(0, "VoiceDate").AsDouble(), March(12));
    EXPECT_EQ(rows.Value(0, "VoiceCode").AsString(), "FP-0001");
    EXPECT_EQ(rows.Value(0, "Comment").AsString(), "row one");
    EXPECT_EQ(rows.Value(0, "ImageCount").AsInteger(), 1);
    EXPECT_EQ(rows.Value(0, "voiceid").AsInteger(), voiceid);
    const std::int32_t linkid = rows.Value(0, "id").AsInteger();

    const ProcedureResult info = Call("zk_TkGetJobInfo", {{"@id", linkid}});
    ASSERT_EQ(info.rows.RowCount(), 1);
    EXPECT_EQ(info.rows.Value(0, "prec").AsInteger(), 1);
    EXPECT_EQ(info.rows.Value(0, "jobnumber").AsString(), "A123");
    EXPECT_EQ(info.rows.Value(0, "ValidityPeriod").AsDouble(), EncodeDate(2027, 5, 31));
    EXPECT_EQ(Column(Call("zk_TkGetJobLinkImage", {{"@id", linkid}}), "imageid"),
              std::vector<std::int32_t>{second});

    const ProcedureResult pool = LookUp("FP-0001", 0);
    EXPECT_EQ(Output(pool, "@voiceid").AsInteger(), voiceid);
    EXPECT_EQ(Output(pool, "@brec").AsInteger(), 1);
    EXPECT_EQ(Output(pool, "@voicedate").VarType(), varDate);
    EXPECT_EQ(Output(pool, "@voicedate").AsDouble(), March(12));
    EXPECT_EQ(Output(pool, "@bfullname").AsString(), "supplier");
    EXPECT_EQ(Column(pool, "ImageId"), (std::vector<std::int32_t>{first, second}));
    EXPECT_EQ(Column(pool, "ord"), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(pool.rows.Value(1, "imgname").AsString(), "0002.jpg");
}

TEST_F(AssociationProceduresTest, RetriedSaveWritesEachRecordOnce) {
    const std::int32_t image = NewImage(1, "0001.jpg");
    for (int attempt = 0; attempt < 2; ++attempt) {
        // The retry sends the invoice, the stored picture's membership and the links again.
        const std::int32_t voiceid = NewInvoice("FP-R", March(12));
        Member(voiceid, image, "0001.jpg", 0);
        TempList({image});
        LinkDetail(100, 1001, voiceid);
        LinkDetail(100, 1002, voiceid);
    }
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_Voice"), 1);
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_VoiceImage"), 1);
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_JobLink"), 2);
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_JobLinkImage"), 2);
}

TEST_F(AssociationProceduresTest, SaveWithoutPicturesStoresTheInvoiceAndAnEmptyLink) {
    const std::int32_t voiceid = NewInvoice("FP-EMPTY", March(12));
    TempList({});
    LinkDetail(200, 2001, voiceid);
    const ProcedureResult list = LinkList();
    ASSERT_EQ(list.rows.RowCount(), 1);
    EXPECT_EQ(list.rows.Value(0, "ImageCount").AsInteger(), 0);
}

TEST_F(AssociationProceduresTest, BillModeLinksEveryDetailRowOfTheBill) {
    const std::int32_t voiceid = NewInvoice("FP-BILL", March(11));
    const std::int32_t image = NewImage(5, "0005.jpg");
    Member(voiceid, image, "0005.jpg", 0);
    TempList({image, image});
    LinkDetail(100, 0, voiceid);
    const ProcedureResult list = LinkList();
    ASSERT_EQ(list.rows.RowCount(), 2);
    EXPECT_EQ(list.rows.Value(0, "jobnumber").AsString(), "A123");
    EXPECT_EQ(list.rows.Value(1, "jobnumber").AsString(), "B456");
    EXPECT_EQ(list.rows.Value(1, "ImageCount").AsInteger(), 1); // listed twice, linked once

    const ProcedureResult detail =
        Call("ZK_FpSelBillMX", {{"@brec", 1}, {"@begindate", March(1)}, {"@enddate", March(31)}});
    ASSERT_EQ(detail.rows.RowCount(), 2);
    EXPECT_EQ(detail.rows.Value(0, "voicecode").AsString(), "FP-BILL");
    EXPECT_EQ(detail.rows.Value(0, "voicedate").VarType(), varDate);
    EXPECT_EQ(detail.rows.Value(1, "imageCount").AsInteger(), 1);

    // Saving the same bill again keeps one link per row and takes the new pictures.
    TempList({});
    LinkDetail(100, 0, voiceid);
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_JobLink"), 2);
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_JobLinkImage"), 0);
}

TEST_F(AssociationProceduresTest, LookupOfAnUnknownNumberAnswersIdZeroAndNoRows) {
    const ProcedureResult result = LookUp("NO-SUCH", 0);
    EXPECT_EQ(Output(result, "@voiceid").AsInteger(), 0);
    EXPECT_EQ(Output(result, "@brec").AsInteger(), 0);
    EXPECT_EQ(Output(result, "@voicecode").AsString(), "NO-SUCH");
    EXPECT_TRUE(result.hasRows);
    EXPECT_EQ(result.rows.RowCount(), 0);
    EXPECT_GE(result.rows.FindColumn("imgname"), 0);
}

TEST_F(AssociationProceduresTest, LookupByIdAnswersTheInvoiceNumber) {
    const std::int32_t voiceid = NewInvoice("FP-77", March(7), 2);
    const ProcedureResult result = LookUp("", voiceid);
    EXPECT_EQ(Output(result, "@voiceid").AsInteger(), voiceid);
    EXPECT_EQ(Output(result, "@voicecode").AsString(), "FP-77");
    EXPECT_EQ(Output(result, "@brec").AsInteger(), 2);
    EXPECT_EQ(Output(LookUp("", voiceid + 50), "@voiceid").AsInteger(), 0);
}

TEST_F(AssociationProceduresTest, SavingAKnownNumberUpdatesThatInvoice) {
    const std::int32_t first = NewInvoice("FP-9", March(1), 1);
    const std::int32_t again = NewInvoice("  FP-9 ", March(2), 2);
    EXPECT_EQ(first, again);
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_Voice"), 1);
    EXPECT_EQ(Scalar("SELECT brec FROM TK_Voice"), 2);
}

TEST_F(AssociationProceduresTest, InvoiceNumberWithAQuoteIsStoredAndFoundAsTyped) {
    const std::int32_t voiceid = NewInvoice("O'Neil-1", March(3));
    EXPECT_EQ(Output(LookUp("O'Neil-1", 0), "@voiceid").AsInteger(), voiceid);
    EXPECT_EQ(db_->Select("SELECT VoiceCode FROM TK_Voice").Value(0, "VoiceCode").AsString(), "O'Neil-1");
}

TEST_F(AssociationProceduresTest, InvoiceDateIsKeptAsAWholeDay) {
    NewInvoice("FP-T", March(3) + 0.75);
    EXPECT_EQ(db_->Select("SELECT VoiceDate FROM TK_Voice").rows[0][0].AsDouble(), March(3));
}

TEST_F(AssociationProceduresTest, InvoiceWithoutNumberOrWithUnknownSupplierIsRefused) {
    EXPECT_THAT(CallError("zk_SaveTkVoice",
                          {{"@VoiceCode", "  "}, {"@VoiceDate", March(1)}, {"@brec", 1}, {"@bfullname", ""}}),
                HasSubstr("invoice number is empty"));
    EXPECT_THAT(CallError("zk_SaveTkVoice",
                          {{"@VoiceCode", "X"}, {"@VoiceDate", March(1)}, {"@brec", 99}, {"@bfullname", ""}}),
                HasSubstr("no supplier with record id 99"));
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_Voice"), 0);
}

TEST_F(AssociationProceduresTest, PictureWithoutFileNameIsNotRegistered) {
    EXPECT_EQ(NewImage(0, ""), 0);
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_Image"), 0);
}

TEST_F(AssociationProceduresTest, RegisteringTheSameStoredPictureAgainKeepsItsId) {
    const std::int32_t id = NewImage(3, "0003.jpg");
    EXPECT_EQ(NewImage(3, "0003.jpg"), id);
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_Image"), 1);
}

TEST_F(AssociationProceduresTest, UnregisteringAPictureRemovesItFromPoolAndLinks) {
    const std::int32_t voiceid = NewInvoice("FP-D", March(4));
    const std::int32_t keep = NewImage(1, "a.jpg");
    const std::int32_t gone = NewImage(2, "b.jpg");
    Member(voiceid, keep, "a.jpg", 0);
    Member(voiceid, gone, "b.jpg", 0);
    TempList({keep, gone});
    LinkDetail(100, 1001, voiceid);
    Call("zk_DelFpImage", {{"@imageId", gone}});
    EXPECT_EQ(Column(LookUp("FP-D", 0), "ImageId"), std::vector<std::int32_t>{keep});
    EXPECT_EQ(LinkList().rows.Value(0, "ImageCount").AsInteger(), 1);
    Call("zk_DelFpImage", {{"@imageId", 12345}}); // unknown: nothing happens
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_Image"), 1);
}

TEST_F(AssociationProceduresTest, DeleteFlagTakesAPictureOutOfThePoolAndTheInvoicesLinks) {
    const std::int32_t voiceid = NewInvoice("FP-F", March(4));
    const std::int32_t image = NewImage(1, "a.jpg");
    Member(voiceid, image, "a.jpg", 0);
    TempList({image});
    LinkDetail(100, 1001, voiceid);
    Member(voiceid, image, "", 1);
    EXPECT_EQ(LookUp("FP-F", 0).rows.RowCount(), 0);
    EXPECT_EQ(Scalar("SELECT deleted FROM TK_VoiceImage"), 1);
    EXPECT_EQ(LinkList().rows.Value(0, "ImageCount").AsInteger(), 0);
    Member(voiceid, image, "", 0); // back into the pool, keeping its store name
    EXPECT_EQ(LookUp("FP-F", 0).rows.RowCount(), 1);
    EXPECT_EQ(db_->Select("SELECT ImageName FROM TK_VoiceImage").rows[0][0].AsString(), "a.jpg");
}

TEST_F(AssociationProceduresTest, MembershipOfAnUnknownPictureOrWithABadFlagIsRefused) {
    const std::int32_t voiceid = NewInvoice("FP-M", March(4));
    EXPECT_THAT(CallError("zk_saveTkVoiceImage",
                          {{"@Voiceid", voiceid}, {"@ImageId", 0}, {"@ImageName", ""}, {"@delete", 0}}),
                HasSubstr("no picture with id 0"));
    EXPECT_THAT(CallError("zk_saveTkVoiceImage",
                          {{"@Voiceid", voiceid}, {"@ImageId", 1}, {"@ImageName", ""}, {"@delete", 2}}),
                HasSubstr("@delete must be 0 or 1"));
    EXPECT_THAT(CallError("zk_saveTkVoiceImage",
                          {{"@Voiceid", 999}, {"@ImageId", 1}, {"@ImageName", ""}, {"@delete", 0}}),
                HasSubstr("no invoice with id 999"));
}

TEST_F(AssociationProceduresTest, RelinkingPointsTheLinkToTheNewInvoiceWithExactlyTheChosenPictures) {
    const std::int32_t oldInvoice = NewInvoice("FP-OLD", March(5));
    const std::int32_t a = NewImage(1, "a.jpg");
    const std::int32_t b = NewImage(2, "b.jpg");
    TempList({a});
    LinkDetail(100, 1001, oldInvoice);
    const std::int32_t linkid = LinkList().rows.Value(0, "id").AsInteger();
    const std::int32_t newInvoice = NewInvoice("FP-NEW", March(6));
    TempList({b});
    Call("zk_TkSaveJobLinkImag", {{"@id", linkid}, {"@uid", key_}, {"@voiceId", newInvoice}});
    const ProcedureResult list = LinkList();
    ASSERT_EQ(list.rows.RowCount(), 1);
    EXPECT_EQ(list.rows.Value(0, "VoiceCode").AsString(), "FP-NEW");
    EXPECT_EQ(Column(Call("zk_TkGetJobLinkImage", {{"@id", linkid}}), "imageid"),
              std::vector<std::int32_t>{b});

    EXPECT_THAT(CallError("zk_TkSaveJobLinkImag", {{"@id", 999}, {"@uid", key_}, {"@voiceId", oldInvoice}}),
                HasSubstr("no link with id 999"));
    EXPECT_EQ(LinkList().rows.Value(0, "VoiceCode").AsString(), "FP-NEW");
}

TEST_F(AssociationProceduresTest, DeletingALinkRemovesItAndItsPictures) {
    const std::int32_t voiceid = NewInvoice("FP-X", March(5));
    const std::int32_t a = NewImage(1, "a.jpg");
    TempList({a});
    LinkDetail(100, 1001, voiceid);
    const std::int32_t linkid = LinkList().rows.Value(0, "id").AsInteger();
    Call("zk_deleteJobLink", {{"@id", linkid}});
    EXPECT_EQ(LinkList().rows.RowCount(), 0);
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_JobLinkImage"), 0);
    EXPECT_EQ(Call("zk_TkGetJobInfo", {{"@id", linkid}}).rows.RowCount(), 0);
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_Image"), 1); // the picture stays registered
}

TEST_F(AssociationProceduresTest, LinkListFiltersBySupplierProductBatchAndInvoice) {
    const std::int32_t v1 = NewInvoice("FP-100", March(5));
    const std::int32_t v2 = NewInvoice("FP-200", March(6), 2);
    TempList({});
    LinkDetail(100, 1001, v1);
    LinkDetail(100, 1002, v1);
    LinkDetail(200, 2001, v2);
    EXPECT_EQ(LinkList().rows.RowCount(), 3);
    EXPECT_EQ(LinkList(2).rows.RowCount(), 1);
    EXPECT_EQ(LinkList(0, 2).rows.RowCount(), 1);
    EXPECT_EQ(LinkList(0, 0, "a12").rows.RowCount(), 2); // A123 and A124, letter case ignored
    EXPECT_EQ(LinkList(0, 0, "", "FP-2").rows.RowCount(), 1);
    EXPECT_EQ(LinkList(1, 1, "A123", "FP-100").rows.RowCount(), 1);
    // The invoice date range, end day included whatever time the date control holds.
    const ProcedureResult one = Call("Zk_TkGetJobLink", {{"@brec", 0},
                                                         {"@prec", 0},
                                                         {"@jobname", ""},
                                                         {"@VoiceCode", ""},
                                                         {"@begindate", March(6) + 0.9},
                                                         {"@enddate", March(6) + 0.1}});
    ASSERT_EQ(one.rows.RowCount(), 1);
    EXPECT_EQ(one.rows.Value(0, "VoiceCode").AsString(), "FP-200");
}

TEST_F(AssociationProceduresTest, BillListCoversWholeDaysAndTheSupplierFilter) {
    const ProcedureResult all =
        Call("ZK_FpSelBillIndex", {{"@brec", 0}, {"@begindate", March(10)}, {"@enddate", March(20)}});
    ASSERT_EQ(all.rows.RowCount(), 2); // bill 200 at 14:00 on the end day is included
    const ResultRows& rows = all.rows;
    EXPECT_EQ(rows.Value(0, "billname").AsString(), "进货单");
    EXPECT_EQ(rows.Value(0, "billdate").VarType(), varDate);
    EXPECT_EQ(rows.Value(0, "billcode").AsString(), "JH-100");
    EXPECT_EQ(rows.Value(0, "efullname").AsString(), "张敏");
    EXPECT_EQ(rows.Value(0, "billefullname").AsString(), "李强");
    EXPECT_EQ(rows.Value(0, "totalqty").AsDouble(), 30);
    EXPECT_EQ(rows.Value(0, "totalmoney").AsDouble(), 300);
    EXPECT_EQ(rows.Value(0, "explain").AsString(), "first");
    EXPECT_EQ(rows.Value(0, "comment").AsString(), "");
    EXPECT_EQ(rows.Value(0, "billid").AsInteger(), 100);
    EXPECT_EQ(rows.Value(0, "billtype").AsInteger(), 34);
    EXPECT_EQ(rows.Value(1, "billid").AsInteger(), 200);
    const ProcedureResult two =
        Call("ZK_FpSelBillIndex", {{"@brec", 2}, {"@begindate", March(1)}, {"@enddate", March(31)}});
    ASSERT_EQ(two.rows.RowCount(), 1);
    EXPECT_EQ(two.rows.Value(0, "billid").AsInteger(), 200);
}

TEST_F(AssociationProceduresTest, DetailListHasEveryColumnTheWindowReads) {
    const ProcedureResult result =
        Call("ZK_FpSelBillMX", {{"@brec", 1}, {"@begindate", March(1)}, {"@enddate", March(31)}});
    ASSERT_EQ(result.rows.RowCount(), 2);
    for (const char* column :
         {"billname", "billdate", "billcode",  "pusercode",      "pfullname", "standard",
          "type",     "Area",     "Unit1",     "OutFactoryDate", "jobnumber", "ValidityPeriod",
          "qty",      "taxprice", "taxtotal",  "comment",        "efullname", "billefullname",
          "billid",   "buyid",    "voicedate", "voicecode",      "imageCount"})
        EXPECT_GE(result.rows.FindColumn(column), 0) << column;
    EXPECT_EQ(result.rows.Value(1, "buyid").AsInteger(), 1002);
    EXPECT_TRUE(result.rows.Value(1, "OutFactoryDate").IsNull());
    EXPECT_TRUE(result.rows.Value(1, "voicecode").IsNull());
    EXPECT_EQ(result.rows.Value(1, "imageCount").AsInteger(), 0);
    EXPECT_EQ(result.rows.Value(1, "taxtotal").AsDouble(), 200);
}

TEST_F(AssociationProceduresTest, LinkToARowOfAnotherBillOrAnUnknownInvoiceWritesNothing) {
    const std::int32_t voiceid = NewInvoice("FP-E", March(5));
    TempList({});
    EXPECT_THAT(CallError("zk_SaveJobLink",
                          {{"@billid", 100}, {"@buyid", 2001}, {"@uid", key_}, {"@voiceid", voiceid}}),
                HasSubstr("detail row 2001 is not a row of bill 100"));
    EXPECT_THAT(
        CallError("zk_SaveJobLink", {{"@billid", 100}, {"@buyid", 0}, {"@uid", key_}, {"@voiceid", 77}}),
        HasSubstr("no invoice with id 77"));
    EXPECT_THAT(CallError("zk_SaveJobLink",
                          {{"@billid", 100}, {"@buyid", 1001}, {"@uid", " "}, {"@voiceid", voiceid}}),
                HasSubstr("save key @uid is empty"));
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_JobLink"), 0);
}

TEST_F(AssociationProceduresTest, FailureHalfWayThroughABillLinkLeavesNoLinkBehind) {
    const std::int32_t voiceid = NewInvoice("FP-H", March(5));
    // Fault injection: the second link of the bill cannot be written.
    db_->Exec("CREATE TRIGGER fail_second BEFORE INSERT ON TK_JobLink WHEN NEW.buyid = 1002 "
              "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    TempList({});
    EXPECT_THAT(
        CallError("zk_SaveJobLink", {{"@billid", 100}, {"@buyid", 0}, {"@uid", key_}, {"@voiceid", voiceid}}),
        HasSubstr("disk full"));
    EXPECT_EQ(Scalar("SELECT count(*) FROM TK_JobLink"), 0);
}

TEST_F(AssociationProceduresTest, TemporaryRowOfAnUnknownPictureIsRefused) {
    EXPECT_THAT(CallError("zk_savetempVoiceLink", {{"@Uid", key_}, {"@imageId", 5}}),
                HasSubstr("no picture with id 5"));
    EXPECT_EQ(Scalar("SELECT count(*) FROM t_tempVoiceLink"), 0);
}

} // namespace
} // namespace tkv::host
