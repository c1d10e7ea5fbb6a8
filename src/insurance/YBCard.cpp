// The card object: clearing, reading the card data text, special diseases, visit serial number.
#include "YBCard.h"

#include "../comm/DataAccess.h"
#include "../comm/FloatText.h"
#include "../comm/StringFunctions.h"

namespace tkv {

std::string TYBCard::JslistSettleNo() const {
    return LineAt(SplitLines(FJslist), 0);
}

void TYBCard::Clear() {
    for (std::string* s : {&FCardInfo,
                           &FDetailData,
                           &FCardNo,
                           &FCardName,
                           &FCardID,
                           &FSHBZH,
                           &FSex,
                           &FMZ,
                           &FAdress,
                           &FUnitName,
                           &FSFZNo,
                           &FRYLB,
                           &FGWY,
                           &FSBJGBH,
                           &FFSBJ,
                           &FFSBDate,
                           &FRYBGLX,
                           &FFSEDate,
                           &FFSYY,
                           &FRYBGSJ,
                           &FSettleID,
                           &FLogNo,
                           &FZZYYMC,
                           &FXfls,
                           &FLoginNO,
                           &FCBLB,
                           &FLoginOut,
                           &FJslist,
                           &FRecordedSettleID,
                           &FUploadedBill,
                           &FSettledBill})
        s->clear();
    FAge = 0;
    FBala = 0;
    FTotal = 0;
    FSettledYBPay = FSettledCash = 0;
    FMZtype = 10;
    ClearTSB();
}

void TYBCard::GetData(const std::string& CardInfo) {
    FCardInfo = CardInfo;
    if (CardInfo.empty())
        return;
    const std::vector<std::string> lines = SplitLines(CardInfo);
    FCardNo = LineAt(lines, 0);
    FCardName = LineAt(lines, 1);
    FSex = LineAt(lines, 2);
    FAge = StrToIntDef(LineAt(lines, 3), 0);
    FSFZNo = LineAt(lines, 4);
    FMZ = LineAt(lines, 5);
    FAdress = LineAt(lines, 6);
    FRYLB = LineAt(lines, 7);
    FGWY = LineAt(lines, 8);
    FUnitName = LineAt(lines, 9);
    FSBJGBH = LineAt(lines, 10);
    FLogNo = LineAt(lines, 21);
    FZZYYMC = LineAt(lines, 23);
    FCBLB = LineAt(lines, 19);
}

void TYBCard::AddTSB(const std::string& tsbstr) {
    if (tsbstr == "##")
        return;
    std::string broken;
    for (char c : tsbstr)
        broken += c == '|' ? std::string("\r\n") : std::string(1, c);
    const std::vector<std::string> parts = SplitLines(broken);
    if (parts.size() < 2)
        return;
    FTSBList.Add(std::make_unique<TSBItem>(TSBItem{parts[0], parts[1]}));
}

std::string TYBCard::GetXfls() {
    if (FXfls.empty())
        Gexfls();
    return FXfls;
}

void TYBCard::Gexfls() {
    TClientDataSet ds;
    OpenSQL("exec GetLSNo_CQ", ds);
    ds.First();
    FXfls = ds.Eof() ? std::string() : ds.FieldByName("YbLSNo").AsString();
}

} // namespace tkv
