// The simulated insurance service: request field orders, answers of each business code, and the
// refusals that the settlement code must be able to provoke.
#include "sim/InsuranceService.h"

#include <gtest/gtest.h>

using tkv::sim::TInsuranceService;

namespace {

std::string LoginLine(const std::string& visit, const std::string& type, const std::string& card,
                      const std::string& disease = "") {
    return "02|" + visit + "|" + type + "|" + card + "|P001|P001|2026-12-09|" + disease + "|收银员||||||" +
           (type == "10" ? "10" : "") + "|1";
}

std::string DetailLine(const std::string& visit, const std::string& bill, const std::string& code,
                       const std::string& price, const std::string& qty, const std::string& total) {
    return "04|" + visit + "|" + bill + "|2026-12-09 10:00:00|" + code + "|P0001|阿莫西林胶囊|" + price +
           "|" + qty + "|0|0000000001|收银员|盒|0.25g*24|胶囊剂||" + total + "|P001|P001|00001||||1";
}

std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto pos = text.find('|', start);
        parts.push_back(text.substr(start, pos == std::string::npos ? std::string::npos : pos - start));
        if (pos == std::string::npos)
            return parts;
        start = pos + 1;
    }
}

class SimInsuranceServiceTest : public ::testing::Test {
protected:
    TInsuranceService svc;
    void LoginAndUpload(const std::string& visit) {
        ASSERT_EQ(svc.Handle(LoginLine(visit, "10", "1000123456")).Text, "1|DL" + visit + "|1200.5");
        ASSERT_EQ(svc.Handle(DetailLine(visit, "LS001", "X001", "12.5", "2", "25")).Text, "1");
        ASSERT_EQ(svc.Handle(DetailLine(visit, "LS001", "X002", "10", "1", "10")).Text, "1");
    }
};

TEST_F(SimInsuranceServiceTest, CardReaderAnswersTheCardNumberAndRefusesFields) {
    EXPECT_EQ(svc.Handle("31").Text, "1|1000123456");
    EXPECT_EQ(svc.Handle("31|x").Text.substr(0, 2), "0|");
}

TEST_F(SimInsuranceServiceTest, SpecialDiseasesAsCodeNamePairsSeparatedByDollar) {
    EXPECT_EQ(svc.Handle("07|1000654321").Text, "1|M01|高血压$M02|糖尿病");
    EXPECT_EQ(svc.Handle("07|1000123456").Text, "1|##");
    EXPECT_EQ(svc.Handle("07|9999").Text, "0|卡号不存在:9999");
}

TEST_F(SimInsuranceServiceTest, LoginChecksFieldsCardTypeAndDisease) {
    EXPECT_EQ(svc.Handle(LoginLine("V1", "10", "1000123456")).ReturnCode, 0);
    EXPECT_EQ(svc.Handle(LoginLine("V1", "10", "1000123456")).Text, "1|DLV1|1200.5");
    // An empty first field leaves no separator behind: one field fewer arrives.
    const std::string shortLine = "02|10|1000123456|P001|P001|2026-12-09||收银员||||||10|1";
    EXPECT_EQ(svc.Handle(shortLine).Text, "0|业务02字段数不正确:应为15,实为14");
    EXPECT_EQ(svc.Handle(LoginLine("V2", "11", "1000123456")).Text, "0|就诊类别不正确:11");
    EXPECT_EQ(svc.Handle(LoginLine("V2", "13", "1000654321", "M09")).Text, "0|该卡没有登记特殊病种:M09");
    EXPECT_EQ(svc.Handle(LoginLine("V2", "13", "1000654321", "M02")).Text, "1|DLV2|356.8");
}

TEST_F(SimInsuranceServiceTest, CardInformationHasTheLinesThePersonRecordReads) {
    const auto f = Fields(svc.Handle("01|1000654321|1").Text);
    ASSERT_EQ(f.size(), 24u);
    EXPECT_EQ(f[0], "1");
    EXPECT_EQ(f[1], "李四");
    EXPECT_EQ(f[2], "女");
    EXPECT_EQ(f[3], "68");
    EXPECT_EQ(f[7], "21");         // person category: card line 7
    EXPECT_EQ(f[9], "重庆机床厂"); // employer: card line 9
    EXPECT_EQ(svc.Handle("01|1000654321").Text, "0|业务01字段数不正确:应为2,实为1");
}

TEST_F(SimInsuranceServiceTest, SettlementRoadFromUploadToReversal) {
    LoginAndUpload("V7");
    EXPECT_EQ(svc.Uploaded("V7").size(), 2u);
    const auto pre = Fields(svc.Handle("06|V7||0|35||2|1").Text);
    ASSERT_EQ(pre.size(), 8u);
    EXPECT_EQ(pre[2], "35");     // insurance share: line 1
    EXPECT_EQ(pre[4], "0");      // cash share: line 3
    EXPECT_EQ(pre[7], "1165.5"); // balance after the sale: line 6
    const auto js = Fields(svc.Handle("05|V7|0|0|收银员|0||35|2|1|00169").Text);
    ASSERT_EQ(js.size(), 23u);
    EXPECT_EQ(js[1], "JSV7");
    EXPECT_EQ(js[3], "35");                   // account payment: line 2
    EXPECT_EQ(js[20], "2026-12-09 00:00:00"); // date: line 19
    EXPECT_EQ(svc.Handle("05|V7|0|0|收银员|0||35|2|1|00169").Text, "0|就诊已经结算");
    EXPECT_EQ(svc.Handle("99|JSV7|收银员|V7|0|1").Text, "1");
    EXPECT_EQ(svc.Handle("99|JSV7|收银员|V7|0|1").Text, "0|该结算已经撤销:JSV7");
    // The balance is back after the reversal.
    EXPECT_EQ(svc.Handle(LoginLine("V8", "10", "1000123456")).Text, "1|DLV8|1200.5");
}

TEST_F(SimInsuranceServiceTest, SettledVisitIsNotPreSettledAgain) {
    LoginAndUpload("V9");
    ASSERT_EQ(svc.Handle("06|V9||0|35||2|1").Text.substr(0, 2), "1|");
    ASSERT_EQ(svc.Handle("05|V9|0|0|收银员|0||35|2|1|00169").Text.substr(0, 2), "1|");
    EXPECT_EQ(svc.Handle("06|V9||0|35||2|1").Text, "0|就诊已经结算");
}

TEST_F(SimInsuranceServiceTest, UploadRefusesUnmappedProductsAndWrongFigures) {
    ASSERT_EQ(svc.Handle(LoginLine("V3", "10", "1000123456")).Text.substr(0, 1), "1");
    EXPECT_EQ(svc.Handle(DetailLine("V3", "LS1", "", "1", "1", "1")).Text,
              "0|药品[阿莫西林胶囊]未对照医保编码");
    EXPECT_EQ(svc.Handle(DetailLine("V3", "LS1", "X1", "1,5", "1", "1")).Text.substr(0, 2), "0|");
    EXPECT_EQ(svc.Handle(DetailLine("V3", "LS1", "X1", "2", "3", "7")).Text,
              "0|药品[阿莫西林胶囊]金额与单价数量不符");
    EXPECT_EQ(svc.Handle(DetailLine("NOVISIT", "LS1", "X1", "2", "3", "6")).Text,
              "0|就诊流水号未登记:NOVISIT");
    EXPECT_TRUE(svc.Uploaded("V3").empty());
}

TEST_F(SimInsuranceServiceTest, PreSettlementNeedsUploadsOfTheSameAmount) {
    ASSERT_EQ(svc.Handle(LoginLine("V4", "10", "1000123456")).Text.substr(0, 1), "1");
    EXPECT_EQ(svc.Handle("06|V4||0|0||1|1").Text, "0|没有上传明细");
    ASSERT_EQ(svc.Handle(DetailLine("V4", "LS4", "X1", "2", "3", "6")).Text, "1");
    EXPECT_EQ(svc.Handle("06|V4||0|7||1|1").Text, "0|预结算金额7与上传明细金额6不符");
    EXPECT_EQ(svc.Handle("05|V4|0|0|收银员|0||6|1|1|00169").Text, "0|未预结算,不能结算");
    // Withdrawing the bill's lines empties the visit.
    EXPECT_EQ(svc.Handle("10|V4|LS4|1").Text, "1|1");
    EXPECT_EQ(svc.Handle("06|V4||0|6||1|1").Text, "0|没有上传明细");
}

TEST_F(SimInsuranceServiceTest, CashShareWhenTheAccountRunsShort) {
    ASSERT_EQ(svc.Handle(LoginLine("V5", "10", "2000000001")).Text, "1|DLV5|80");
    ASSERT_EQ(svc.Handle(DetailLine("V5", "LS5", "X1", "50", "2", "100")).Text, "1");
    const auto pre = Fields(svc.Handle("06|V5||0|100||1|1").Text);
    EXPECT_EQ(pre[2], "80");
    EXPECT_EQ(pre[4], "20");
    EXPECT_EQ(pre[7], "0");
}

TEST_F(SimInsuranceServiceTest, UnknownCodeAndEmptyLineAreCallFailures) {
    EXPECT_EQ(svc.Handle("42|x").ReturnCode, -1);
    EXPECT_EQ(svc.Handle("42|x").Text, "不支持的业务代码:42");
    EXPECT_EQ(svc.Handle("").ReturnCode, -1);
}

TEST_F(SimInsuranceServiceTest, ReversalOfAnEarlierSessionNeedsMatchingNumbers) {
    EXPECT_EQ(svc.Handle("99|JSOLD|收银员|OLD|0|1").Text, "1");
    EXPECT_EQ(svc.Handle("99|JSOLD|收银员|OLD|0|1").Text, "0|该结算已经撤销:JSOLD");
    EXPECT_EQ(svc.Handle("99|JSX|收银员|OTHER|0|1").Text, "0|结算号不存在:JSX");
}

TEST(SimInsuranceFormat, AmountsInShortestForm) {
    EXPECT_EQ(TInsuranceService::FormatAmount(12.5), "12.5");
    EXPECT_EQ(TInsuranceService::FormatAmount(10), "10");
    EXPECT_EQ(TInsuranceService::FormatAmount(0.1 + 0.2), "0.3");
    EXPECT_EQ(TInsuranceService::FormatAmount(-0.0), "0");
}

} // namespace
