// TYBCard: the insured person's card as the insurance hooks keep it for one sale: the person's data
// from the card reading, the login of the visit, the visit serial number drawn from the database,
// the special diseases of the card, and the totals and answers of the settlement.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tkv {

// One special disease of the card.
struct TSBItem {
    std::string Code;
    std::string Name;
};

// The card's special diseases: display texts (the names) in list order, each owning its item.
class TSBStringList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Strings(int index) const { return items_.at(index)->Name; }
    const TSBItem& Objects(int index) const { return *items_.at(index); }
    void Add(std::unique_ptr<TSBItem> item) { items_.push_back(std::move(item)); }
    void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<TSBItem>> items_;
};

class TYBCard {
public:
    TYBCard() = default;
    ~TYBCard() { ClearTSB(); }
    TYBCard(const TYBCard&) = delete;
    TYBCard& operator=(const TYBCard&) = delete;

    // Every text empty, age, balance and total 0, visit type 10, no special diseases.
    void Clear();
    // Keeps the card data text and reads the person's fields from its lines (line 0 the card
    // number); a text with fewer lines leaves the missing fields empty.
    void GetData(const std::string& CardInfo);
    // One special-disease entry "code|name"; "##" and entries without a name are ignored.
    void AddTSB(const std::string& tsbstr);
    void ClearTSB() { FTSBList.Clear(); }
    // The visit serial number of this card reading, drawn from the database ("exec GetLSNo_CQ") at
    // its first use and kept until Clear.
    std::string GetXfls();

    const std::string& CardInfo() const { return FCardInfo; }
    const std::string& DetailData() const { return FDetailData; }
    const std::string& CardNo() const { return FCardNo; }
    const std::string& CardName() const { return FCardName; }
    const std::string& CardID() const { return FCardID; }
    const std::string& SHBZH() const { return FSHBZH; }
    const std::string& Sex() const { return FSex; }
    std::int32_t Age() const { return FAge; }
    const std::string& MZ() const { return FMZ; }
    const std::string& Adress() const { return FAdress; }
    const std::string& UnitName() const { return FUnitName; }
    const std::string& SFZNo() const { return FSFZNo; }
    const std::string& RYLB() const { return FRYLB; }
    const std::string& GWY() const { return FGWY; }
    const std::string& SBJGBH() const { return FSBJGBH; }
    const std::string& FSBJ() const { return FFSBJ; }
    double Bala() const { return FBala; }
    const std::string& FSBDate() const { return FFSBDate; }
    const std::string& RYBGLX() const { return FRYBGLX; }
    const std::string& FSEDate() const { return FFSEDate; }
    const std::string& FSYY() const { return FFSYY; }
    const std::string& RYBGSJ() const { return FRYBGSJ; }
    const std::string& SettleID() const { return FSettleID; }
    const std::string& LogNO() const { return FLogNo; }
    const std::string& ZZYYMC() const { return FZZYYMC; }
    const std::string& Xfls() const { return FXfls; }
    const TSBStringList& TSBList() const { return FTSBList; }
    std::int32_t MZtype() const { return FMZtype; }
    const std::string& LoginNO() const { return FLoginNO; }
    const std::string& CBLB() const { return FCBLB; }
    double Total() const { return FTotal; }
    const std::string& LoginOut() const { return FLoginOut; }
    const std::string& Jslist() const { return FJslist; }
    // The settlement number of the settlement answer (its first line); empty before a settlement.
    std::string JslistSettleNo() const;
    // The settlement number whose record ssBalance wrote, so that a second call writes nothing.
    const std::string& RecordedSettleID() const { return FRecordedSettleID; }
    // The retail bill whose lines the service may still hold for this visit ("04" sent, no "10" since).
    const std::string& UploadedBill() const { return FUploadedBill; }

    void SetCardNo(const std::string& v) { FCardNo = v; }
    void SetCardName(const std::string& v) { FCardName = v; }
    void SetSex(const std::string& v) { FSex = v; }
    void SetAge(std::int32_t v) { FAge = v; }
    void SetSFZNo(const std::string& v) { FSFZNo = v; }
    void SetMZ(const std::string& v) { FMZ = v; }
    void SetAdress(const std::string& v) { FAdress = v; }
    void SetRYLB(const std::string& v) { FRYLB = v; }
    void SetGWY(const std::string& v) { FGWY = v; }
    void SetUnitName(const std::string& v) { FUnitName = v; }
    void SetSBJGBH(const std::string& v) { FSBJGBH = v; }
    void SetBala(double v) { FBala = v; }
    void SetSettleID(const std::string& v) { FSettleID = v; }
    void SetXfls(const std::string& v) { FXfls = v; }
    // Written by the card reading and the settlement.
    void SetMZtype(std::int32_t v) { FMZtype = v; }
    void SetLoginNO(const std::string& v) { FLoginNO = v; }
    void SetLoginOut(const std::string& v) { FLoginOut = v; }
    void SetTotal(double v) { FTotal = v; }
    void SetJslist(const std::string& v) { FJslist = v; }
    void SetRecordedSettleID(const std::string& v) { FRecordedSettleID = v; }
    // The bill and the shares of the settlement ("05") the card holds.
    const std::string& SettledBill() const { return FSettledBill; }
    double SettledYBPay() const { return FSettledYBPay; }
    double SettledCash() const { return FSettledCash; }
    void SetSettled(const std::string& bill, double ybPay, double cash) {
        FSettledBill = bill;
        FSettledYBPay = ybPay;
        FSettledCash = cash;
    }
    void SetUploadedBill(const std::string& v) { FUploadedBill = v; }

private:
    void Gexfls();

    std::string FCardInfo, FDetailData, FCardNo, FCardName, FCardID, FSHBZH, FSex;
    std::int32_t FAge = 0;
    std::string FMZ, FAdress, FUnitName, FSFZNo, FRYLB, FGWY, FSBJGBH, FFSBJ;
    double FBala = 0;
    std::string FFSBDate, FRYBGLX, FFSEDate, FFSYY, FRYBGSJ, FSettleID, FLogNo, FZZYYMC, FXfls;
    TSBStringList FTSBList;
    std::int32_t FMZtype = 10;
    std::string FLoginNO, FCBLB;
    double FTotal = 0;
    std::string FLoginOut, FJslist, FRecordedSettleID, FUploadedBill, FSettledBill;
    double FSettledYBPay = 0, FSettledCash = 0;
};

} // namespace tkv
