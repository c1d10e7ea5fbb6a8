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

const std::string kAmoxicillin = "XJ01CAA040E001010100254";

// A sale line of the catalogue's amoxicillin capsules, as the plug-in assembles it.
std::string DetailLine(const std::string& visit, const std::string& bill, const std::string& price,
                       const std::string& qty, const std::string& total, const std::string& unit = "盒",
                       const std::string& code = kAmoxicillin) {
    return "04|" + visit + "|" + bill + "|2026-12-09 10:00:00|" + code + "|SP001|阿莫西林胶囊|" + price +
           "|" + qty + "|0|0000000001|收银员|" + unit + "|0.25g*24粒|胶囊剂||" + total +
           "|P001|P001|00001||||1";
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
        ASSERT_EQ(svc.Handle(DetailLine(visit, "LS001", "12.5", "2", "25")).Text, "1");
        ASSERT_EQ(svc.Handle(DetailLine(visit, "LS001", "5", "2", "10", "板")).Text, "1");
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
    EXPECT_EQ(svc.Handle("02|V3|10|1000123456|P001|P001|2026-02-30||收银员||||||10|1").Text,
              "0|业务02第6字段(就诊日期)不正确:[2026-02-30]");
    EXPECT_EQ(svc.Handle("02|V3|10|1000123456|P001|P001|2026-02-28||||||||10|1").Text,
              "0|业务02第8字段(经办人)不正确:[]");
    EXPECT_EQ(svc.Handle("02|V3|10|1000123456|P001|P002|2026-02-28||收银员||||||10|1").Text,
              "0|定点机构编码不一致:P001,P002");
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
    EXPECT_EQ(svc.Handle(DetailLine("V3", "LS1", "12.5", "1", "12.5", "盒", "")).Text,
              "0|药品[阿莫西林胶囊]未对照医保编码");
    EXPECT_EQ(svc.Handle(DetailLine("V3", "LS1", "12.5", "1", "12.5", "盒", "X1")).Text,
              "0|医保编码[X1]不在医保目录中");
    EXPECT_EQ(svc.Handle(DetailLine("V3", "LS1", "12,5", "1", "12.5")).Text,
              "0|业务04第7字段(单价)不正确:[12,5]");
    EXPECT_EQ(svc.Handle(DetailLine("V3", "LS1", "12.5", "3", "7")).Text,
              "0|药品[阿莫西林胶囊]金额与单价数量不符");
    EXPECT_EQ(svc.Handle(DetailLine("NOVISIT", "LS1", "12.5", "1", "12.5")).Text,
              "0|就诊流水号未登记:NOVISIT");
    EXPECT_TRUE(svc.Uploaded("V3").empty());
}

// What a line whose fields moved looks like to the service: each swap the sender could make is
// refused, the line as it should be is taken once.
TEST_F(SimInsuranceServiceTest, ASaleLineIsCheckedFieldByFieldAgainstTheCatalogue) {
    ASSERT_EQ(svc.Handle(LoginLine("V6", "10", "1000123456")).Text.substr(0, 1), "1");
    const std::string good = DetailLine("V6", "LS6", "12.5", "2", "25");
    auto swapped = [&](std::size_t a, std::size_t b) {
        std::vector<std::string> f = Fields(good);
        std::swap(f[a], f[b]);
        std::string line = f[0];
        for (std::size_t i = 1; i < f.size(); ++i)
            line += "|" + f[i];
        return svc.Handle(line).Text;
    };
    EXPECT_EQ(swapped(7, 8), "0|药品[阿莫西林胶囊]按盒计的单价与医保目录参考价相差过大"); // price, quantity
    EXPECT_EQ(swapped(5, 6), "0|药品[SP001]与医保目录名称[阿莫西林胶囊]不符");            // code, name
    EXPECT_EQ(swapped(13, 14), "0|药品[阿莫西林胶囊]规格[胶囊剂]与医保目录规格[0.25g*24粒]不符");
    EXPECT_EQ(swapped(12, 13), "0|药品[阿莫西林胶囊]规格[盒]与医保目录规格[0.25g*24粒]不符"); // unit
    EXPECT_EQ(swapped(2, 3), "0|业务04第3字段(明细时间)不正确:[LS6]");
    EXPECT_EQ(swapped(1, 2), "0|就诊流水号未登记:LS6");
    EXPECT_EQ(swapped(9, 10), "0|业务04第9字段(标志)不正确:[0000000001]");
    EXPECT_EQ(swapped(16, 17), "0|业务04第16字段(金额)不正确:[P001]");
    // A quantity in blisters named as boxes, and one in cartons, are a whole factor off.
    EXPECT_EQ(svc.Handle(DetailLine("V6", "LS6", "6.25", "2", "12.5", "盒")).Text,
              "0|药品[阿莫西林胶囊]按盒计的单价与医保目录参考价相差过大");
    EXPECT_EQ(svc.Handle(DetailLine("V6", "LS6", "125", "1", "125", "盒")).Text,
              "0|药品[阿莫西林胶囊]按盒计的单价与医保目录参考价相差过大");
    EXPECT_EQ(svc.Handle(DetailLine("V6", "LS6", "12.5", "1", "12.5", "粒")).Text,
              "0|药品[阿莫西林胶囊]按粒计的单价与医保目录参考价相差过大");
    std::string otherPoint = good;
    otherPoint.replace(otherPoint.find("|P001|P001|"), 11, "|P002|P002|");
    EXPECT_EQ(svc.Handle(otherPoint).Text, "0|定点机构编码与登记时不符:P002");
    EXPECT_EQ(swapped(11, 17), "0|定点机构编码与登记时不符:收银员"); // operator, service point
    std::string otherOperator = good;
    otherOperator.replace(otherOperator.find("|收银员|"), 11, "|店长|");
    EXPECT_EQ(svc.Handle(otherOperator).Text, "0|经办人与登记时不符:店长");
    EXPECT_EQ(svc.Handle(good).Text, "1");
    EXPECT_EQ(svc.Handle(good).Text, "0|药品[阿莫西林胶囊]明细重复上传,零售单:LS6");
    EXPECT_EQ(svc.Uploaded("V6").size(), 1u);
}

TEST_F(SimInsuranceServiceTest, PreSettlementNeedsUploadsOfTheSameAmount) {
    ASSERT_EQ(svc.Handle(LoginLine("V4", "10", "1000123456")).Text.substr(0, 1), "1");
    EXPECT_EQ(svc.Handle("06|V4||0|0||1|1").Text, "0|没有上传明细");
    ASSERT_EQ(svc.Handle(DetailLine("V4", "LS4", "12", "3", "36")).Text, "1");
    EXPECT_EQ(svc.Handle("06|V4||0|37||1|1").Text, "0|预结算金额37与上传明细金额36不符");
    EXPECT_EQ(svc.Handle("06|V4||0|36||0|1").Text, "0|明细行数0少于上传明细1行");
    EXPECT_EQ(svc.Handle("06|V4|0|0|36||1|1").Text, "0|业务06第2字段(保留)不正确:[0]");
    EXPECT_EQ(svc.Handle("05|V4|0|0|收银员|0||36|1|1|00169").Text, "0|未预结算,不能结算");
    // Withdrawing the bill's lines empties the visit; a bill it never held is refused.
    EXPECT_EQ(svc.Handle("10|V4|LS5|1").Text, "0|零售单[LS5]没有上传过明细");
    EXPECT_EQ(svc.Handle("10|V4|LS4|1").Text, "1|1");
    EXPECT_EQ(svc.Handle("10|V4|LS4|1").Text, "1|0");
    EXPECT_EQ(svc.Handle("06|V4||0|36||1|1").Text, "0|没有上传明细");
}

TEST_F(SimInsuranceServiceTest, CashShareWhenTheAccountRunsShort) {
    ASSERT_EQ(svc.Handle(LoginLine("V5", "10", "2000000001")).Text, "1|DLV5|80");
    ASSERT_EQ(svc.Handle(DetailLine("V5", "LS5", "12.5", "8", "100")).Text, "1");
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

TEST_F(SimInsuranceServiceTest, ReversalNeedsTheSettlementItsVisitAndItsOperator) {
    LoginAndUpload("V10");
    ASSERT_EQ(svc.Handle("06|V10||0|35||2|1").Text.substr(0, 2), "1|");
    ASSERT_EQ(svc.Handle("05|V10|0|0|收银员|0||35|2|1|00169").Text.substr(0, 2), "1|");
    EXPECT_EQ(svc.Handle("99|JSOLD|收银员|OLD|0|1").Text, "0|结算号不存在:JSOLD");
    EXPECT_EQ(svc.Handle("99|JSV10|收银员|V9|0|1").Text, "0|结算号与就诊流水号不符");
    EXPECT_EQ(svc.Handle("99|JSV10|店长|V10|0|1").Text, "0|经办人与结算时不符:店长");
    EXPECT_EQ(svc.Handle("99|JSV10|收银员|V10|1|1").Text, "0|业务99第4字段(标志)不正确:[1]");
    EXPECT_EQ(svc.Handle("99|JSV10|收银员|V10|0|1").Text, "1");
}

TEST(SimInsuranceFormat, AmountsInShortestForm) {
    EXPECT_EQ(TInsuranceService::FormatAmount(12.5), "12.5");
    EXPECT_EQ(TInsuranceService::FormatAmount(10), "10");
    EXPECT_EQ(TInsuranceService::FormatAmount(0.1 + 0.2), "0.3");
    EXPECT_EQ(TInsuranceService::FormatAmount(-0.0), "0");
}

} // namespace
