// The simulated regional medical-insurance service behind the stand-in "SiInterface.dll": takes a
// request line "code|field|field..." and answers "1|data..." on success or "0|error text" on a
// refused request. Its answers are deterministic: a fixed set of insured persons, shares computed
// from the amounts, settlement numbers derived from the visit serial number.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tkv::sim {

// What BUSINESS_HANDLE answers: its return value (0 when the request was understood, -1 for an
// unknown business code or an empty line) and the text it leaves in the output buffer.
struct TSimAnswer {
    std::int32_t ReturnCode = 0;
    std::string Text;
};

struct TSimCard {
    std::string CardNo, Name, Sex;
    int Age = 0;
    std::string IdNo, Nation, Address, Category, CivilServant, Unit, Agency, InsuredKind;
    double Balance = 0;
    std::string SpecialDiseases; // "code|name$code|name", or "##" for none
};

// One uploaded sale line (business code "04").
struct TSimDetail {
    std::string BillNo, InsuranceCode, Name;
    double Price = 0, Qty = 0, Total = 0;
    std::string Key; // every field but the upload time: the same line sent twice has the same key
};

class TInsuranceService {
public:
    TInsuranceService();

    // Forgets visits, uploads and settlements and restores the balances. The INIT entry point does
    // not: a regional service keeps what it settled whatever its clients initialise.
    void Reset();
    // Texts in and out are UTF-8; the library entry point converts from and to code page 936.
    TSimAnswer Handle(std::string_view requestLine);

    // The card that the simulated card reader holds (answer of "31").
    static constexpr const char* ReaderCardNo = "1000123456";

    const TSimCard* FindCard(const std::string& cardNo) const;
    // Uploaded lines of a visit, in upload order.
    std::vector<TSimDetail> Uploaded(const std::string& visitNo) const;

    // Amounts in the answers: rounded to cents, shortest decimal form with up to 15 digits.
    static std::string FormatAmount(double value);

private:
    struct Visit {
        std::string CardNo, Type, Date, LoginNo, PosCode, Operator;
        std::vector<TSimDetail> Details;
        std::set<std::string> Bills; // every bill that uploaded lines under the visit
        bool PreSettled = false;
        double Amount = 0, Pooled = 0, Account = 0, Cash = 0;
        bool Settled = false;
    };
    struct Settlement {
        std::string VisitNo, CardNo, Operator;
        double Account = 0;
        bool Reversed = false;
    };

    TSimAnswer ReadCard();
    TSimAnswer SpecialDiseases(const std::vector<std::string>& f);
    TSimAnswer Login(const std::vector<std::string>& f);
    TSimAnswer CardInfo(const std::vector<std::string>& f);
    TSimAnswer UploadDetail(const std::vector<std::string>& f);
    TSimAnswer WithdrawDetails(const std::vector<std::string>& f);
    TSimAnswer PreSettle(const std::vector<std::string>& f);
    TSimAnswer Settle(const std::vector<std::string>& f);
    TSimAnswer Reverse(const std::vector<std::string>& f);
    Visit* FindVisit(const std::string& visitNo);

    std::vector<TSimCard> cards_;
    std::map<std::string, double> balances_;
    std::map<std::string, Visit> visits_;
    std::map<std::string, Settlement> settlements_;
};

} // namespace tkv::sim
