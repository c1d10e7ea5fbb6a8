// The insurance gateway through the native loader: the request line of every business wrapper as
// the library receives it (code page 936), the answer's data text, the log file, and libraries
// that break the contract or cannot be used.
#include "InsuranceFixture.h"

#include "comm/InsuranceBusiness.h"
#include "comm/InsuranceGateway.h"
#include "toolkit/Edit.h"

#include <gmock/gmock.h>

namespace tkv::test {
namespace {

using ::testing::HasSubstr;

class InsuranceGatewayTest : public InsuranceFixture {
protected:
    void SetUp() override {
        InsuranceFixture::SetUp();
        UseLibrary(TScriptedSi::Path());
    }
    TScriptedSi si;
    std::string out, error;
};

TEST_F(InsuranceGatewayTest, RequestLineOfEveryWrapperInCodePage936) {
    ASSERT_TRUE(YBReadCard(out, error));
    EXPECT_EQ(si.LastRequest(), "31");
    ASSERT_TRUE(YBGetTSB("1000654321", out, error));
    EXPECT_EQ(si.LastRequest(), "07|1000654321");
    ASSERT_TRUE(Login("V1", "1000654321", "13", "M01", "收银员", out, error));
    EXPECT_EQ(si.LastRequest(),
              sim::Utf8ToGbk("02|V1|13|1000654321|P001|P001|2026-03-25|M01|收银员|||||||1"));
    ASSERT_TRUE(Login("V1", "1000123456", "10", "", "收银员", out, error));
    EXPECT_EQ(si.LastRequest(), sim::Utf8ToGbk("02|V1|10|1000123456|P001|P001|2026-03-25||收银员||||||10|1"));
    ASSERT_TRUE(YBCardInfo("1000123456", out, error));
    EXPECT_EQ(si.LastRequest(), "01|1000123456|1");
    ASSERT_TRUE(YBAddDetail("V1|LS-1|x", out, error));
    EXPECT_EQ(si.LastRequest(), "04|V1|LS-1|x");
    ASSERT_TRUE(YBBackDetail("V1", "LS-1", out, error));
    EXPECT_EQ(si.LastRequest(), "10|V1|LS-1|1");
    ASSERT_TRUE(YBYJS("V1", 3, out, 12.5, error));
    EXPECT_EQ(si.LastRequest(), "06|V1||0|12.5||3|1");
    ASSERT_TRUE(YBJS("V1", "收银员", 3, 10, out, error));
    EXPECT_EQ(si.LastRequest(), sim::Utf8ToGbk("05|V1|0|0|收银员|0||10|3|1|00169"));
    ASSERT_TRUE(YBCZ("JSV1", "收银员", "V1", error));
    EXPECT_EQ(si.LastRequest(), sim::Utf8ToGbk("99|JSV1|收银员|V1|0|1"));
}

TEST_F(InsuranceGatewayTest, AmountsInShortestFormAndSeparatorsInDataCannotShiftFields) {
    ASSERT_TRUE(YBYJS("V1", 1, out, 0.1 + 0.2, error));
    EXPECT_EQ(si.LastRequest(), "06|V1||0|0.3||1|1");
    ASSERT_TRUE(YBJS("V1", "A", 1, 1234567.891, out, error));
    EXPECT_EQ(si.LastRequest(), "05|V1|0|0|A|0||1234567.891|1|1|00169");
    ASSERT_TRUE(Login("V1", "C|1\r\n", "10", "", std::string("A\0B", 3), out, error));
    EXPECT_EQ(si.LastRequest(), sim::Utf8ToGbk("02|V1|10|C｜1  |P001|P001|2026-03-25||A B||||||10|1"));
}

TEST_F(InsuranceGatewayTest, WithoutAVisitNumberNothingIsSent) {
    ASSERT_TRUE(YBYJS("V1", 1, out, 1, error));
    const std::string last = si.LastRequest();
    EXPECT_FALSE(Login("", "C1", "10", "", "A", out, error));
    EXPECT_EQ(error, kNoVisitNumber);
    EXPECT_FALSE(YBBackDetail("", "LS-1", out, error));
    EXPECT_FALSE(YBYJS("", 1, out, 1, error));
    EXPECT_FALSE(YBJS("", "A", 1, 1, out, error));
    EXPECT_EQ(error, kNoVisitNumber);
    EXPECT_EQ(si.LastRequest(), last);
}

TEST_F(InsuranceGatewayTest, DataTextOfTheAnswer) {
    si.Answer("1|DL01|356.8");
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), 0);
    EXPECT_EQ(out, "DL01\r\n356.8\r\n");
    si.Answer("1|DL01|356.8");
    EXPECT_EQ(YBBUSINESS_HANDLE("07", "x", out, error), 0);
    EXPECT_EQ(out, "DL01|356.8|");
    // A trailing empty field survives as a line of one blank.
    si.Answer("1|DL01|");
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), 0);
    EXPECT_EQ(out, "DL01\r\n \r\n");
    si.Answer("1|高血压|");
    EXPECT_EQ(YBBUSINESS_HANDLE("07", "x", out, error), 0);
    EXPECT_EQ(out, "高血压| |");
}

TEST_F(InsuranceGatewayTest, RefusalsAndFailuresGiveTheirTexts) {
    si.Answer("0|卡号不存在");
    EXPECT_EQ(YBBUSINESS_HANDLE("07", "x", out, error), -1);
    EXPECT_EQ(error, "卡号不存在\r\n");
    EXPECT_EQ(out, "");
    si.Answer("OK|not a status");
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), -1);
    EXPECT_EQ(error, "not a status\r\n");
    si.Answer("");
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), -1);
    EXPECT_EQ(error, "");
    si.Answer("服务忙", 3);
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), -1);
    EXPECT_EQ(error, "服务忙");
    // No code: nothing is sent.
    const std::size_t sent = si.RequestCount();
    EXPECT_EQ(YBBUSINESS_HANDLE("", "x", out, error), -1);
    EXPECT_EQ(si.RequestCount(), sent);
}

TEST_F(InsuranceGatewayTest, AnswerLongerThanTheBufferIsRefusedWithoutHarm) {
    si.AnswerBytes("1|" + std::string(6000, '9'));
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), -1);
    EXPECT_EQ(error, YBAnswerTooLong);
    EXPECT_EQ(out, "");
    // The next request works again.
    si.Answer("1|ok");
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), 0);
    EXPECT_EQ(out, "ok\r\n");
}

TEST_F(InsuranceGatewayTest, AnswerWithoutTerminatorIsRefused) {
    si.AnswerBytes("1|abc", 0, 1);
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), -1);
    EXPECT_EQ(error, YBNoTerminator);
}

TEST_F(InsuranceGatewayTest, AnswerOfExactlyTheBufferSizeIsTaken) {
    si.AnswerBytes("1|" + std::string(4997, '7'));
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), 0);
    EXPECT_EQ(out, std::string(4997, '7') + "\r\n");
}

TEST_F(InsuranceGatewayTest, BytesThatAreNotGbkBecomeQuestionMarks) {
    si.AnswerBytes("0|a\xFF"
                   "b\xFF");
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), -1);
    EXPECT_EQ(error, "a?b?\r\n");
    si.AnswerBytes("1|\x81");
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), 0);
    EXPECT_EQ(out, "?\r\n");
}

TEST_F(InsuranceGatewayTest, CharacterWhoseSecondByteIsTheSeparatorStaysWhole) {
    // 0x81 0x7C is one character; its second byte is the code of "|".
    si.AnswerBytes("1|\x81\x7C|b");
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), 0);
    EXPECT_EQ(out, "亅\r\nb\r\n");
}

TEST_F(InsuranceGatewayTest, MissingFileUnloadableLibraryAndMissingEntryPoint) {
    UseLibrary((tmp.Path() / "none.dll").string());
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), -1);
    EXPECT_EQ(error, "文件" + (tmp.Path() / "none.dll").string() + "没有找到！");
    EXPECT_EQ(YBInit(error), -1);
    EXPECT_EQ(error, YBFileMissing((tmp.Path() / "none.dll").string()));

    WriteBytes((tmp.Path() / "broken.dll").string(), "this is no library");
    UseLibrary((tmp.Path() / "broken.dll").string());
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), -1);
    EXPECT_EQ(error, "接口加载失败");
    EXPECT_EQ(YBInit(error), -1);
    EXPECT_EQ(error, "接口加载失败");
    EXPECT_EQ(ModuleState().InsuranceLibrary, nullptr);
}

TEST_F(InsuranceGatewayTest, LibraryWithoutBusinessEntryPoint) {
    UseLibrary(TScriptedSi::Path("InitOnlySi.dll"));
    EXPECT_EQ(YBInit(error), 0);
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), -1);
    EXPECT_EQ(error, "医保接口没有BUSINESS_HANDLE函数");
}

TEST_F(InsuranceGatewayTest, LibraryStaysLoadedWhileTheExistenceTestUsesTheCurrentName) {
    ASSERT_EQ(YBInit(error), 0);
    const LibraryHandle loaded = ModuleState().InsuranceLibrary;
    ASSERT_NE(loaded, nullptr);
    UseLibrary(TScriptedSi::Path("InitOnlySi.dll"));
    si.Answer("1|same");
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), 0); // still the first library
    EXPECT_EQ(ModuleState().InsuranceLibrary, loaded);
    UseLibrary((tmp.Path() / "gone.dll").string());
    EXPECT_EQ(YBBUSINESS_HANDLE("02", "x", out, error), -1);
}

TEST_F(InsuranceGatewayTest, SsInitSucceedsForTheValueLoggedAsSuccess) {
    si.InitValue(0);
    EXPECT_TRUE(plug->ssInit());
    si.InitValue(1);
    EXPECT_FALSE(plug->ssInit());
    EXPECT_THAT(LogText(), HasSubstr("2026-03-25 10:30:00初始化:\r\n初始化成功\r\n"));
    EXPECT_THAT(LogText(), HasSubstr("初始化失败\r\n"));
    UseLibrary((tmp.Path() / "none.dll").string());
    EXPECT_FALSE(plug->ssInit());
}

TEST_F(InsuranceGatewayTest, LogFileStartsWithItsHeaderAndHoldsOneBlockPerRequest) {
    si.Answer("1|1000123456");
    ASSERT_TRUE(YBReadCard(out, error));
    si.Answer("0|卡号不存在");
    ASSERT_FALSE(YBGetTSB("9", out, error));
    const std::string rule(47, '-');
    EXPECT_EQ(LogText(), "记录的日志文件,当文件过大的时候可以删除这个文件\r\n" + std::string(30, '-') +
                             "\r\n"
                             "2026-03-25 10:30:00\r\n"
                             "业务代码:\r\n"
                             "输入参数:31\r\n"
                             "接口调用成功:0\r\n"
                             "业务返回数据:1|1000123456\r\n" +
                             rule +
                             "\r\n"
                             "2026-03-25 10:30:00\r\n"
                             "业务代码:07\r\n"
                             "输入参数:07|9\r\n"
                             "接口调用失败:-1\r\n"
                             "业务返回数据:0|卡号不存在\r\n" +
                             rule + "\r\n");
}

TEST_F(InsuranceGatewayTest, LogDeletedWhileRunningIsWrittenAgainWithWhatItHeld) {
    ASSERT_TRUE(YBReadCard(out, error));
    const std::string before = ReadBytes(LogFile().string());
    std::filesystem::remove(LogFile());
    AddLog("下一行");
    const std::string header =
        sim::Utf8ToGbk("记录的日志文件,当文件过大的时候可以删除这个文件\r\n") + std::string(30, '-') + "\r\n";
    EXPECT_EQ(ReadBytes(LogFile().string()), before + header + sim::Utf8ToGbk("下一行\r\n"));
}

TEST_F(InsuranceGatewayTest, NoLogFileWhileLoggingIsOff) {
    UseLibrary(TScriptedSi::Path(), false);
    ASSERT_TRUE(YBReadCard(out, error));
    EXPECT_EQ(YBInit(error), 0);
    EXPECT_FALSE(std::filesystem::exists(LogFile()));
    // An existing log is not touched either.
    WriteBytes(LogFile().string(), "old");
    ASSERT_TRUE(YBReadCard(out, error));
    EXPECT_EQ(ReadBytes(LogFile().string()), "old");
}

TEST_F(InsuranceGatewayTest, LogLinesAreInCodePage936) {
    AddLog("业务代码:中文");
    const std::string bytes = ReadBytes(LogFile().string());
    EXPECT_NE(bytes.find(sim::Utf8ToGbk("业务代码:中文\r\n")), std::string::npos);
}

// A sale through the hooks with scripted answers: card reading, pre-settlement, settlement.
class ScriptedSaleTest : public InsuranceGatewayTest {
protected:
    // Reads a card whose login and person answers are the ones given.
    bool ReadCard(const std::string& login, const std::string& person) {
        si.Answer(login);
        si.Answer(person);
        runner.Expect("TFormVipPass", [](TFormDriver& d) {
            d.SetText("edtCardNo", "C1");
            d.Click("btnOK");
        });
        OleVariant card;
        return plug->GetSBCard(card);
    }
    ComPtr<host::TRetailBill> Sale() {
        ComPtr<host::TRetailBill> bill(
            new host::TRetailBill(session->Ui(), "LS-S", host::NextRetailBillId(session->Database()), 25,
                                  host::SaleDetailPacket({{"00001", "阿莫西林胶囊", 12.5, 2, 1, 25}})));
        plug->InitTransPlugin(bill.Get());
        return bill;
    }
    TYBCard* Card() { return dynamic_cast<TRetailInsuranceHooks&>(Trans().Hooks()).Card(); }
    std::int64_t Settlements() { return Count("SELECT count(*) AS n FROM YBSettlelist_CQ"); }
};

TEST_F(ScriptedSaleTest, ShortAnswersGiveEmptyAndZeroValues) {
    ASSERT_TRUE(ReadCard("1|DL1", "1|张三"));
    EXPECT_EQ(Card()->LoginNO(), "DL1");
    EXPECT_EQ(Card()->Bala(), 0);
    EXPECT_EQ(Card()->CardName(), "张三");
    EXPECT_EQ(Card()->UnitName(), "");
    EXPECT_EQ(Card()->Age(), 0);
    ComPtr<host::TRetailBill> bill = Sale();
    si.Answer("1");        // upload
    si.Answer("1|V|12.5"); // pre-settlement: lines 3 and 6 missing
    ASSERT_TRUE(plug->ssEvaluateBalance());
    EXPECT_EQ(Trans().FTotalYB, 12.5);
    EXPECT_EQ(Trans().FTotalCash, 0);
    EXPECT_EQ(Trans().FAcctBala, 0);
    si.Answer("1|JS9|5|abc"); // settlement: line 2 not a number, lines 3 to 21 missing
    OleVariant unused;
    ASSERT_TRUE(plug->BeforeSave(unused));
    host::SaveRetailSale(session->Database(), bill->GetBillID(), "LS-S", now, 25, {{1, 25}});
    ASSERT_TRUE(plug->ssBalance());
    const auto row = session->Database().Select("SELECT * FROM YBSettlelist_CQ WHERE SettleNo = 'JS9'");
    ASSERT_EQ(row.RowCount(), 1);
    EXPECT_EQ(row.Value(0, "TCZF").AsDouble(), 5);
    EXPECT_EQ(row.Value(0, "ZHZF").AsDouble(), 0);
    EXPECT_EQ(row.Value(0, "BCFHYBJE").AsDouble(), 0);
    EXPECT_EQ(row.Value(0, "JsDate").AsString(), "");
    EXPECT_EQ(row.Value(0, "Total").AsDouble(), 25);
}

TEST_F(ScriptedSaleTest, SettlementAnswerBreakingTheBufferRecordsNothing) {
    ASSERT_TRUE(ReadCard("1|DL1|100", "1|张三"));
    Sale();
    si.Answer("1");
    si.Answer("1|V|25|0|0|0|0|75");
    ASSERT_TRUE(plug->ssEvaluateBalance());
    const std::int64_t before = Settlements();
    si.AnswerBytes("1|JS1|" + std::string(8000, '1'));
    OleVariant unused;
    EXPECT_FALSE(plug->BeforeSave(unused));
    EXPECT_EQ(Shown().back(), std::string("提示:") + YBAnswerTooLong);
    EXPECT_FALSE(plug->ssBalance());
    si.AnswerBytes("1|JS1|", 0, 1);
    EXPECT_FALSE(plug->BeforeSave(unused));
    EXPECT_EQ(Shown().back(), std::string("提示:") + YBNoTerminator);
    EXPECT_FALSE(plug->ssBalance());
    EXPECT_EQ(Settlements(), before);
}

TEST_F(ScriptedSaleTest, CardAnswerThatIsNotGbkIsShownReadably) {
    si.AnswerBytes("0|\xFF\xFF");
    runner.Expect("TFormVipPass", [](TFormDriver& d) {
        d.SetText("edtCardNo", "C1");
        d.Click("btnOK");
        d.Click("btnCancel");
    });
    OleVariant card;
    EXPECT_FALSE(plug->GetSBCard(card));
    EXPECT_EQ(Shown().front(), "提示:输入错误:??\r\n");
}

TEST_F(ScriptedSaleTest, LibraryWithoutBusinessEntryPointStopsTheCardReadingWithItsText) {
    UseLibrary(TScriptedSi::Path("InitOnlySi.dll"));
    runner.Expect("TFormVipPass", [](TFormDriver& d) {
        d.SetText("edtCardNo", "C1");
        d.Click("btnOK");
        d.Click("btnCancel");
    });
    OleVariant card;
    EXPECT_FALSE(plug->GetSBCard(card));
    EXPECT_EQ(Shown().front(), "提示:输入错误:医保接口没有BUSINESS_HANDLE函数");
}

} // namespace
} // namespace tkv::test
