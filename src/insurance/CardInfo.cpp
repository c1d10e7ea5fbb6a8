// Card reading, login and the card dialogs.
#include "CardInfo.h"

#include "../comm/FloatText.h"
#include "../comm/InsuranceBusiness.h"
#include "../comm/Messages.h"
#include "../comm/ModuleState.h"
#include "../comm/StringFunctions.h"
#include "CardShowFrm.h"
#include "FormVipPass.h"
#include "SelectTSB.h"
#include "YBCard.h"

namespace tkv {

int GetCard(std::unique_ptr<TYBCard>& YBCard) {
    if (!YBCard)
        YBCard = std::make_unique<TYBCard>();
    else
        YBCard->Clear();
    std::string cardNo, cardInfo;
    if (!GetVipInfo(*YBCard, cardNo, cardInfo)) {
        ShowError("刷卡操作被终止", "错误");
        return -1;
    }
    YBCard->GetData(cardInfo);
    YBCard->SetCardNo(cardNo);
    return 0;
}

bool GetVipInfo(TYBCard& YBCard, std::string& CardNo, std::string& cardinfo) {
    TFormVipPass form(YBCard);
    if (form.ShowModal() != mrOk)
        return false;
    CardNo = form.CardNo;
    cardinfo = form.CardInfo;
    return true;
}

bool GetCardInfo(TYBCard& YBCard, const std::string& CardNo, const std::string& ybtype,
                 std::string& RetPara) {
    std::string code;
    if (ybtype == "13") {
        std::string diseases, error;
        if (!YBGetTSB(CardNo, diseases, error)) {
            RetPara = error;
            return false;
        }
        YBCard.ClearTSB();
        for (char& c : diseases)
            if (c == '$')
                c = '\n';
        for (const std::string& entry : SplitLines(diseases))
            YBCard.AddTSB(entry);
        if (YBCard.TSBList().Count() == 0) {
            RetPara = "该卡号没有特殊病种，不能选择特病门诊";
            return false;
        }
        if (!ShowSelectTSB(YBCard, code))
            return false;
    }
    const std::string visitNo = YBCard.GetXfls();
    const std::string operatorName = MainIntf().LoginUserName();
    std::string loginOut, info, error;
    bool ok = Login(visitNo, CardNo, ybtype, code, operatorName, loginOut, error);
    if (ok) {
        const std::vector<std::string> lines = SplitLines(loginOut);
        YBCard.SetLoginNO(LineAt(lines, 0));
        YBCard.SetBala(StrToFloatDef(LineAt(lines, 1), 0));
        YBCard.SetLoginOut(loginOut);
        ok = YBCardInfo(CardNo, info, error);
        YBCard.SetMZtype(StrToIntDef(ybtype, 10));
    }
    if (!ok) {
        RetPara = error;
        YBCard.Clear();
        return false;
    }
    RetPara = CardNo + "\r\n" + info + loginOut;
    return true;
}

bool ShowSelectTSB(const TYBCard& YBCard, std::string& code) {
    code.clear();
    TSelectTSB form(YBCard.TSBList());
    if (form.ShowModal() != mrOk)
        return false;
    code = YBCard.TSBList().Objects(form.ChosenPosition()).Code;
    return true;
}

void CardShow(const TYBCard* YBCard) {
    TCardShowFrm form;
    form.Fill(YBCard);
    form.ShowModal();
}

} // namespace tkv
