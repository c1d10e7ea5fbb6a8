// The checks every procedure call passes: unknown procedures and parameters, missing and repeated
// parameters, values of the wrong type, all answered with a clear error and nothing written.
#include "DatabaseFixture.h"

#include <gmock/gmock.h>

namespace tkv::host {
namespace {

using ::testing::HasSubstr;

class ProcedureCallTest : public testing::DatabaseFixture {
protected:
    testing::Args Invoice(OleVariant brec) {
        return {{"@VoiceCode", "FP-1"}, {"@VoiceDate", March(1)}, {"@brec", brec}, {"@bfullname", "x"}};
    }
    std::int64_t Invoices() { return Scalar("SELECT count(*) FROM TK_Voice"); }
};

TEST_F(ProcedureCallTest, UnknownProcedure) {
    EXPECT_THAT(CallError("zk_NoSuchThing", {{"@id", 1}}), HasSubstr("Unknown procedure 'zk_NoSuchThing'"));
}

TEST_F(ProcedureCallTest, ProcedureAndParameterNamesIgnoreLetterCase) {
    EXPECT_GT(Call("ZK_SAVETKVOICE",
                   {{"@voicecode", "FP-1"}, {"@VOICEDATE", March(1)}, {"@BRec", 1}, {"@bfullname", "x"}})
                  .returnValue,
              0);
}

TEST_F(ProcedureCallTest, MissingParameterWritesNothing) {
    EXPECT_THAT(CallError("zk_SaveTkVoice", {{"@VoiceCode", "FP-1"}, {"@VoiceDate", March(1)}, {"@brec", 1}}),
                HasSubstr("zk_SaveTkVoice: parameter @bfullname is missing"));
    EXPECT_EQ(Invoices(), 0);
}

TEST_F(ProcedureCallTest, UnknownParameterWritesNothing) {
    testing::Args args = Invoice(1);
    args.emplace_back("@extra", 1);
    EXPECT_THAT(CallError("zk_SaveTkVoice", args), HasSubstr("unknown parameter '@extra'"));
    EXPECT_EQ(Invoices(), 0);
}

TEST_F(ProcedureCallTest, NameWithoutItsPrefixIsUnknown) {
    EXPECT_THAT(CallError("zk_deleteJobLink", {{"id", 1}}), HasSubstr("unknown parameter 'id'"));
}

TEST_F(ProcedureCallTest, ParameterSentTwice) {
    EXPECT_THAT(CallError("zk_deleteJobLink", {{"@id", 1}, {"@ID", 2}}),
                HasSubstr("parameter @id was sent twice"));
}

TEST_F(ProcedureCallTest, TextWhereAnIntegerBelongsWritesNothing) {
    EXPECT_THAT(CallError("zk_SaveTkVoice", Invoice("1")),
                HasSubstr("zk_SaveTkVoice: parameter @brec expects an integer, not the text '1'"));
    EXPECT_EQ(Invoices(), 0);
}

TEST_F(ProcedureCallTest, FractionOrOutOfRangeNumberWhereAnIntegerBelongs) {
    EXPECT_THAT(CallError("zk_SaveTkVoice", Invoice(1.5)), HasSubstr("@brec expects an integer"));
    EXPECT_THAT(CallError("zk_SaveTkVoice", Invoice(OleVariant::Int64(1LL << 40))),
                HasSubstr("@brec expects an integer"));
    EXPECT_GT(Call("zk_SaveTkVoice", Invoice(1.0)).returnValue, 0); // a whole double is that integer
}

TEST_F(ProcedureCallTest, NumberWhereATextBelongs) {
    EXPECT_THAT(CallError("zk_TkSaveBillprinttimes", {{"@Uid", 100}}),
                HasSubstr("parameter @Uid expects a text, not a value of type Integer 100"));
}

TEST_F(ProcedureCallTest, TextOrImpossibleDateWhereADayBelongs) {
    EXPECT_THAT(
        CallError("ZK_FpSelBillIndex", {{"@brec", 0}, {"@begindate", "2026-03-01"}, {"@enddate", March(2)}}),
        HasSubstr("@begindate expects a date, not the text '2026-03-01'"));
    EXPECT_THAT(CallError("ZK_FpSelBillIndex", {{"@brec", 0}, {"@begindate", 1e12}, {"@enddate", March(2)}}),
                HasSubstr("@begindate expects a date"));
}

TEST_F(ProcedureCallTest, NullValue) {
    EXPECT_THAT(CallError("zk_deleteJobLink", {{"@id", OleVariant::Null()}}),
                HasSubstr("parameter @id has no value"));
}

TEST_F(ProcedureCallTest, NamesAndValuesOfDifferentLength) {
    EXPECT_THAT(
        [&] {
            try {
                db_->Call("zk_deleteJobLink", {"@id", "@x"}, {OleVariant(1)});
            } catch (const HostError& e) {
                return std::string(e.what());
            }
            return std::string();
        }(),
        HasSubstr("2 parameter names but 1 values"));
}

TEST_F(ProcedureCallTest, QuoteInATextValueIsStoredAsItIs) {
    const std::int32_t id = Call("zk_SaveTkVoice", {{"@VoiceCode", "FP'); DELETE FROM btype; --"},
                                                    {"@VoiceDate", March(1)},
                                                    {"@brec", 1},
                                                    {"@bfullname", "O'Brien"}})
                                .returnValue;
    ASSERT_GT(id, 0);
    EXPECT_EQ(Scalar("SELECT count(*) FROM btype"), 2);
    const ResultRows rows = db_->Select("SELECT VoiceCode, bfullname FROM TK_Voice");
    EXPECT_EQ(rows.Value(0, "VoiceCode").AsString(), "FP'); DELETE FROM btype; --");
    EXPECT_EQ(rows.Value(0, "bfullname").AsString(), "O'Brien");
}

TEST_F(ProcedureCallTest, OutputParametersKeepTheNamesAsSent) {
    const ProcedureResult result = Call("zk_TkGetVoiceCodeImage", {{"@VoiceCode", "none"},
                                                                   {"@brec", 0},
                                                                   {"@voiceid", 0},
                                                                   {"@voicedate", OleVariant::Date(March(1))},
                                                                   {"@bfullname", ""}});
    ASSERT_EQ(result.outputs.size(), 5u);
    EXPECT_EQ(result.outputs[0].name, "@VoiceCode");
    EXPECT_EQ(result.outputs[3].value.VarType(), varDate);
}

TEST_F(ProcedureCallTest, ReadingProcedureWithoutResultRowsAnswersNone) {
    EXPECT_FALSE(Call("zk_deleteJobLink", {{"@id", 1}}).hasRows);
    EXPECT_TRUE(Call("zk_TkGetJobInfo", {{"@id", 1}}).hasRows);
}

} // namespace
} // namespace tkv::host
