// The business wrappers of the insurance gateway, one per business code: each assembles its request
// fields in the service's order and answers true exactly when the request succeeded, with the
// answer's data text in its data argument and the failure's text in ErrorInfo. Amounts are written
// in the shortest general decimal form, counts as decimal integers.
#pragma once

#include <cstdint>
#include <string>

namespace tkv {

// A request field as it is sent: "|" becomes the full-width "｜", CR, LF and NUL a blank, so that no
// value from the host's data or from typing can shift the fields after it.
std::string RequestField(const std::string& value);
// What the cashier is told when a request would go without a visit serial number.
extern const char* const kNoVisitNumber;

// "31": the card number in the card reader. The request is the bare code.
bool YBReadCard(std::string& outdata, std::string& ErrorInfo);
// "07": the card's special diseases, "code|name$code|name...|" ("##" for none).
bool YBGetTSB(const std::string& CardNo, std::string& outdata, std::string& ErrorInfo);
// The wrappers of "02", "10", "06" and "05" send nothing when it is empty and
// when billno (the visit serial number) is empty and answer false with kNoVisitNumber: every field
// after it would move one place.
// "02": the login of a visit; ybtype "10" pharmacy purchase or "13" special-disease outpatient.
bool Login(const std::string& billno, const std::string& CardNo, const std::string& ybtype,
           const std::string& bzbm, const std::string& EName, std::string& outdata, std::string& ErrorInfo);
// "01": the insured person's data lines.
bool YBCardInfo(const std::string& CardNo, std::string& outdata, std::string& ErrorInfo);
// "04": one sale line, its 23 fields already joined.
bool YBAddDetail(const std::string& indetail, std::string& Outdetail, std::string& ErrorInfo);
// "10": withdraws every uploaded line of the retail bill RNo.
bool YBBackDetail(const std::string& billno, const std::string& RNo, std::string& Outdetail,
                  std::string& ErrorInfo);
// "06": the pre-settlement of the uploaded lines.
bool YBYJS(const std::string& billno, std::int32_t jsCount, std::string& Jsinfo, double Amount,
           std::string& ErrorInfo);
// "05": the settlement.
bool YBJS(const std::string& billno, const std::string& Ename, std::int32_t jscount, double Amount,
          std::string& Jsinfo, std::string& ErrorInfo);
// "99": the reversal of a settlement; its data text is discarded.
bool YBCZ(const std::string& billno, const std::string& EName, const std::string& LoginNo,
          std::string& ErrorInfo);

} // namespace tkv
