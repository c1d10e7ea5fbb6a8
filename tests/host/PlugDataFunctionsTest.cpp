// The host's procedures and SQL as the plug-in reaches them: through its own data functions, with the
// transaction object initialised by the host on a database seeded with the demo records. Results
// arrive as datasets, output parameters as parameter lists, host errors as exceptions the plug-in
// shows.
#include "comm/DataAccess.h"
#include "comm/ModuleState.h"
#include "db/TempFolder.h"
#include "framework/DateTime.h"
#include "host/HostSession.h"
#include "plugin/Exports.h"

#include <gmock/gmock.h>

namespace {

using namespace tkv;
using namespace tkv::host;
using ::testing::HasSubstr;

class PlugDataFunctionsTest : public ::testing::Test {
protected:
    const TDateTime today = EncodeDate(2026, 3, 25);
    tkv::host::testing::TempFolder tmp;
    std::unique_ptr<THostSession> session;
    std::unique_ptr<TModuleScope> module;
    ComPtr<IRetailPlugin> plug;

    void SetUp() override {
        session = std::make_unique<THostSession>(THostOptions{tmp.Path() / "data", tmp.Path() / "out"});
        session->Database().SetClock([this] { return today + 0.5; });
        ASSERT_TRUE(session->SeedDemo());
        module = std::make_unique<TModuleScope>();
        plug = CreateRetailPlug();
        ASSERT_TRUE(plug);
        plug->InitPlugin(session->Main());
    }
    void TearDown() override {
        plug = nullptr;
        module.reset();
    }

    // The print window's bill list for this month with the print-count condition given.
    std::int32_t BillList(const std::string& op, int count, TClientDataSet& ds) {
        return OpenProcByName("Zk_TkGetBillImageData",
                              {"@brec", "@erec", "@billerec", "@krec", "@billstatus", "@PrintTJ",
                               "@printcount", "@begindate", "@enddate", "@loginuser"},
                              {OleVariant(0), OleVariant(0), OleVariant(0), OleVariant(0), OleVariant(0),
                               OleVariant(op), OleVariant(count), OleVariant::Date(EncodeDate(2026, 3, 1)),
                               OleVariant::Date(today), OleVariant(1)},
                              ds);
    }

    // The message of what the call raises; empty when it raises nothing.
    template <typename Call> static std::string ErrorOf(Call call) {
        try {
            call();
        } catch (const std::exception& e) {
            return e.what();
        }
        return {};
    }
};

TEST_F(PlugDataFunctionsTest, PrintCountConditionSelectsTheBillsThroughThePlugIn) {
    TClientDataSet all;
    EXPECT_EQ(BillList(">=", 0, all), 0);
    ASSERT_GT(all.RecordCount(), 0);
    EXPECT_GE(all.FindFieldIndex("billcode"), 0);
    const std::string uid = all.FieldByName("uniquebillid").AsString();
    ASSERT_FALSE(uid.empty());

    TClientDataSet printed;
    BillList(">", 0, printed);
    EXPECT_EQ(printed.RecordCount(), 0);
    EXPECT_EQ(ExecuteProcByName("zk_TkSaveBillprinttimes", {"@Uid"}, {OleVariant(uid)}), 0);
    BillList(">", 0, printed);
    ASSERT_EQ(printed.RecordCount(), 1);
    EXPECT_EQ(printed.FieldByName("uniquebillid").AsString(), uid);
    TClientDataSet unprinted;
    BillList("=", 0, unprinted);
    EXPECT_EQ(unprinted.RecordCount(), all.RecordCount() - 1);
}

TEST_F(PlugDataFunctionsTest, InOutParametersComeBackAsAParameterList) {
    TClientDataSet pool;
    TParams out;
    OpenProcByName("zk_TkGetVoiceCodeImage", {"@voicecode", "@brec", "@voiceid", "@voicedate", "@bfullname"},
                   {OleVariant("no such invoice"), OleVariant(0), OleVariant(0), OleVariant::Date(today),
                    OleVariant("")},
                   pool, &out);
    EXPECT_EQ(out.ParamByName("@voiceid").Value.AsInteger(), 0);
    EXPECT_EQ(pool.RecordCount(), 0);

    TClientDataSet links;
    OpenProcByName("Zk_TkGetJobLink", {"@brec", "@prec", "@jobname", "@VoiceCode", "@begindate", "@enddate"},
                   {OleVariant(0), OleVariant(0), OleVariant(""), OleVariant(""), OleVariant::Date(0),
                    OleVariant::Date(today + 1)},
                   links);
    ASSERT_GT(links.RecordCount(), 0);
    const std::string code = links.FieldByName("VoiceCode").AsString();
    OpenProcByName("zk_TkGetVoiceCodeImage", {"@voicecode", "@brec", "@voiceid", "@voicedate", "@bfullname"},
                   {OleVariant(code), OleVariant(0), OleVariant(0), OleVariant::Date(today), OleVariant("")},
                   pool, &out);
    EXPECT_GT(out.ParamByName("@voiceid").Value.AsInteger(), 0);
    EXPECT_EQ(out.ParamByName("@voicecode").Value.AsString(), code);
    EXPECT_GT(pool.RecordCount(), 0);
}

TEST_F(PlugDataFunctionsTest, SqlTextsAndTheVisitSerialNumber) {
    TClientDataSet ds;
    ASSERT_TRUE(OpenSQL("exec GetLSNo_CQ", ds));
    EXPECT_EQ(ds.FieldByName("YbLSNo").AsString(), "20260325000001");
    ASSERT_TRUE(OpenSQL("select fullname from btype where fullname like '%''%' or rec > 0", ds));
    EXPECT_GT(ds.RecordCount(), 0);
    EXPECT_TRUE(ExecuteSQL("update btype set usercode = usercode where rec = 1"));
}

TEST_F(PlugDataFunctionsTest, BadCallsReachThePlugInAsClearErrorsAndWriteNothing) {
    TClientDataSet ds;
    EXPECT_THAT(ErrorOf([&] { OpenProcByName("zk_NoSuchProc", {"@id"}, {OleVariant(1)}, ds); }),
                HasSubstr("zk_NoSuchProc"));
    EXPECT_THAT(ErrorOf([&] { OpenProcByName("zk_TkGetJobInfo", {}, {}, ds); }), HasSubstr("@id is missing"));
    EXPECT_THAT(ErrorOf([&] { OpenProcByName("zk_TkGetJobInfo", {"@id"}, {OleVariant("abc")}, ds); }),
                HasSubstr("@id expects"));
    EXPECT_THAT(ErrorOf([&] { BillList("> 0 OR 1=1 --", 0, ds); }), HasSubstr("@PrintTJ must be one of"));
    EXPECT_THAT(ErrorOf([&] { OpenSQL("select * from no_such_table", ds); }), HasSubstr("no_such_table"));

    // A save refused half-way leaves nothing behind: an invoice of an unknown supplier.
    const auto invoices = [&] {
        TClientDataSet n;
        OpenSQL("select count(*) as n from TK_Voice", n);
        return n.FieldByName("n").AsInteger();
    };
    const std::int32_t before = invoices();
    EXPECT_NE(ErrorOf([&] {
                  ExecuteProcByName("zk_SaveTkVoice", {"@VoiceCode", "@VoiceDate", "@brec", "@bfullname"},
                                    {OleVariant("FP-'9"), OleVariant::Date(today), OleVariant(999),
                                     OleVariant("无此单位")});
              }),
              "");
    EXPECT_EQ(invoices(), before);
}

} // namespace
