// The card-number window: typing or reading the card number and checking the card.
#include "FormVipPass.h"

#include "../comm/InsuranceBusiness.h"
#include "../comm/Messages.h"
#include "../comm/StringFunctions.h"
#include "../toolkit/FormEnvironment.h"
#include "CardInfo.h"

namespace tkv {

namespace {

constexpr std::uint16_t VK_F4 = 115;

} // namespace

TFormVipPass::TFormVipPass(TYBCard& card) : card_(card) {
    SetCaption("请输入医保卡号");
    SetBorderStyle(TBorderStyle::bsNone);
    SetClientSize(550, 170);
    SetFont(TFont{"宋体", 29, 0, TColor::clWindowText});
    SetPosition(TPosition::poScreenCenter);
    SetOwnerHandle(CurrentFormEnvironment().OwnerHandle);
    SetKeyPreview(true);
    lblCardNo = &Make<TLabel>("lblCardNo");
    lblCardNo->SetCaption("医保卡号：");
    lblCardNo->SetBounds(36, 49, 145, 29);
    edtCardNo = &Make<TEdit>("edtCardNo");
    edtCardNo->SetBounds(184, 44, 330, 38);
    edtCardNo->OnKeyDown = [this](TComponent&, std::uint16_t& key, TShiftState) {
        edtCardNoKeyDown(key);
    };
    btnOK = &Make<TActionButton>("btnOK");
    btnOK->SetCaption("确定[&O]");
    btnOK->SetBounds(136, 126, 130, 38);
    btnOK->OnClick = [this](TComponent&) {
        btnOKClick();
    };
    btnCancel = &Make<TActionButton>("btnCancel");
    btnCancel->SetCaption("取消[&C]");
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetBounds(290, 126, 130, 38);
    rbYDGY = &Make<TRadioButton>("rbYDGY");
    rbYDGY->SetCaption("药店购药");
    rbYDGY->SetBounds(184, 88, 150, 30);
    rbYDGY->SetChecked(true);
    rbTBMZ = &Make<TRadioButton>("rbTBMZ");
    rbTBMZ->SetCaption("特病门诊");
    rbTBMZ->SetBounds(352, 88, 150, 30);
    btnReadCard = &Make<TActionButton>("btnReadCard");
    btnReadCard->SetCaption("读卡");
    btnReadCard->SetBounds(4, 4, 80, 36);
    btnReadCard->OnClick = [this](TComponent&) {
        btnReadCardClick();
    };
    Create();
}

void TFormVipPass::DoShow() {
    TForm::DoShow();
    SetActiveControl(edtCardNo);
}

void TFormVipPass::btnOKClick() {
    const std::string cardNo = Trim(edtCardNo->Text());
    if (cardNo.empty()) {
        ShowMsg("请输入医保卡号", "提示");
        return;
    }
    CardNo = cardNo;
    const std::string ybtype = rbYDGY->Checked() ? "10" : "13";
    std::string retPara;
    if (!GetCardInfo(card_, CardNo, ybtype, retPara)) {
        ShowMsg("输入错误:" + retPara, "提示");
        return;
    }
    CardInfo = retPara;
    SetModalResult(mrOk);
}

void TFormVipPass::btnReadCardClick() {
    std::string cardNo, error;
    if (YBReadCard(cardNo, error))
        edtCardNo->SetText(Trim(cardNo)); // the data text ends in a line break the edit cannot hold
    else
        ShowMsg("读卡错误:" + error, "提示");
}

void TFormVipPass::edtCardNoKeyDown(std::uint16_t& key) {
    if (key != VK_RETURN)
        return;
    if (!Trim(edtCardNo->Text()).empty())
        btnOKClick();
    else
        btnReadCardClick();
}

void TFormVipPass::KeyDown(std::uint16_t& key, TShiftState shift) {
    TForm::KeyDown(key, shift);
    if (key == VK_F4 && (shift & ssCtrl) != 0)
        btnReadCardClick();
}

} // namespace tkv
