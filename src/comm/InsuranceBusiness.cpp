// Request fields of each business code.
#include "InsuranceBusiness.h"

#include "DateText.h"
#include "FloatText.h"
#include "InsuranceGateway.h"
#include "Settings.h"

#include "../platform/Platform.h"

#include <initializer_list>

namespace tkv {

namespace {

std::string Fields(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields)
        FormatInputData(RequestField(field), line);
    return line;
}

bool Request(const char* code, const std::string& fields, std::string& outdata, std::string& ErrorInfo) {
    return YBBUSINESS_HANDLE(code, fields, outdata, ErrorInfo) == 0;
}

bool HasVisit(const std::string& billno, std::string& ErrorInfo) {
    if (!billno.empty())
        return true;
    ErrorInfo = kNoVisitNumber;
    return false;
}

} // namespace

const char* const kNoVisitNumber =
    "没有取得就诊流水号（GetLSNo_CQ 没有返回），医保请求没有发出。请重新读卡后再试。";

std::string RequestField(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == '|')
            out += "｜";
        else if (c == '\r' || c == '\n' || c == '\0')
            out += ' ';
        else
            out += c;
    }
    return out;
}

bool YBReadCard(std::string& outdata, std::string& ErrorInfo) {
    return YBBUSINESS_HANDLE("31", outdata, ErrorInfo) == 0;
}

bool YBGetTSB(const std::string& CardNo, std::string& outdata, std::string& ErrorInfo) {
    return Request("07", Fields({CardNo}), outdata, ErrorInfo);
}

bool Login(const std::string& billno, const std::string& CardNo, const std::string& ybtype,
           const std::string& bzbm, const std::string& EName, std::string& outdata, std::string& ErrorInfo) {
    if (!HasVisit(billno, ErrorInfo))
        return false;
    const std::string posCode = GetConfigValue("PosCode");
    return Request("02",
                   Fields({billno, ybtype, CardNo, posCode, posCode, Format_Date(Platform().Now()), bzbm,
                           EName, "", "", "", "", "", ybtype == "10" ? "10" : "", "1"}),
                   outdata, ErrorInfo);
}

bool YBCardInfo(const std::string& CardNo, std::string& outdata, std::string& ErrorInfo) {
    return Request("01", Fields({CardNo, "1"}), outdata, ErrorInfo);
}

bool YBAddDetail(const std::string& indetail, std::string& Outdetail, std::string& ErrorInfo) {
    return Request("04", indetail, Outdetail, ErrorInfo);
}

bool YBBackDetail(const std::string& billno, const std::string& RNo, std::string& Outdetail,
                  std::string& ErrorInfo) {
    if (!HasVisit(billno, ErrorInfo))
        return false;
    return Request("10", Fields({billno, RNo, "1"}), Outdetail, ErrorInfo);
}

bool YBYJS(const std::string& billno, std::int32_t jsCount, std::string& Jsinfo, double Amount,
           std::string& ErrorInfo) {
    if (!HasVisit(billno, ErrorInfo))
        return false;
    return Request("06", Fields({billno, "", "0", FloatToStr(Amount), "", std::to_string(jsCount), "1"}),
                   Jsinfo, ErrorInfo);
}

bool YBJS(const std::string& billno, const std::string& Ename, std::int32_t jscount, double Amount,
          std::string& Jsinfo, std::string& ErrorInfo) {
    if (!HasVisit(billno, ErrorInfo))
        return false;
    return Request(
        "05",
        Fields({billno, "0", "0", Ename, "0", "", FloatToStr(Amount), std::to_string(jscount), "1", "00169"}),
        Jsinfo, ErrorInfo);
}

bool YBCZ(const std::string& billno, const std::string& EName, const std::string& LoginNo,
          std::string& ErrorInfo) {
    std::string discarded;
    return Request("99", Fields({billno, EName, LoginNo, "0", "1"}), discarded, ErrorInfo);
}

} // namespace tkv
